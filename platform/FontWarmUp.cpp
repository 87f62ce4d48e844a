#include "platform/FontWarmUp.h"

#include <QCoreApplication>
#include <QFontDatabase>

#include <thread>

namespace tylog {

namespace {
struct WarmUp {
    std::thread filler;
    void join() {
        if (filler.joinable()) filler.join();
    }
    // Joined by the application's teardown; a run that ends otherwise has long finished the fill.
    ~WarmUp() { join(); }
};

WarmUp& warmUp() {
    static WarmUp w;
    return w;
}
} // namespace

void StartFontWarmUp() {
    WarmUp& w = warmUp();
    if (w.filler.joinable() || !QCoreApplication::instance()) return;
    w.filler = std::thread([] { (void)QFontDatabase::families(); });
    // Before the application's own teardown, which the fill uses while it runs.
    qAddPostRoutine([] { warmUp().join(); });
}

} // namespace tylog
