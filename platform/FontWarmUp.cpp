#include "platform/FontWarmUp.h"

#include <QCoreApplication>
#include <QFontDatabase>

#include <thread>

namespace tylog {

namespace {
std::thread& warmUpThread() {
    static std::thread t;
    return t;
}
} // namespace

void StartFontWarmUp() {
    std::thread& t = warmUpThread();
    if (t.joinable() || !QCoreApplication::instance()) return;
    t = std::thread([] { (void)QFontDatabase::families(); });
    // Before the application's own teardown, which the fill still uses while it runs.
    qAddPostRoutine([] {
        if (warmUpThread().joinable()) warmUpThread().join();
    });
}

} // namespace tylog
