#include "platform/Session.h"
#include "platform/Diagnostics.h"
#include "platform/Platform.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <algorithm>
#include <utility>
#include <vector>

namespace tylog {

QString QtClipboard::GetText() { return QGuiApplication::clipboard()->text(); }
void QtClipboard::SetText(const QString& text) { QGuiApplication::clipboard()->setText(text); }
void QtClipboard::Clear() { QGuiApplication::clipboard()->clear(); }

void ProcessEnd::End() {
    // Every file is closed by the procedure that opened it, so nothing is left to flush.
    std::_Exit(0);
}

void End() {
    UnkeyEverything();
    platform().programEnd->End();
}

// ---- Unkey steps ----------------------------------------------------------------------------------

namespace {
struct UnkeyStep {
    int id;
    std::function<void()> step;
};
struct UnkeyRegistry {
    std::vector<UnkeyStep> steps;
    int nextId = 1;
    int runs = 0;
    bool running = false;
};
UnkeyRegistry& registry() {
    static UnkeyRegistry r;
    return r;
}
void unregister(int id) {
    auto& steps = registry().steps;
    std::erase_if(steps, [id](const UnkeyStep& s) { return s.id == id; });
}
} // namespace

UnkeyRegistration::UnkeyRegistration(UnkeyRegistration&& other) noexcept : id_(std::exchange(other.id_, 0)) {}

UnkeyRegistration& UnkeyRegistration::operator=(UnkeyRegistration&& other) noexcept {
    if (this != &other) {
        Reset();
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

UnkeyRegistration::~UnkeyRegistration() { Reset(); }

void UnkeyRegistration::Reset() {
    if (id_ != 0) unregister(std::exchange(id_, 0));
}

UnkeyRegistration RegisterUnkey(std::function<void()> step) {
    UnkeyRegistry& r = registry();
    const int id = r.nextId++;
    r.steps.push_back({id, std::move(step)});
    return UnkeyRegistration(id);
}

void UnkeyEverything() {
    UnkeyRegistry& r = registry();
    if (r.running) return;
    r.running = true;
    ++r.runs;
    // A step may drop registrations (its own or others'), so each is looked up again before it runs.
    std::vector<int> ids;
    for (const UnkeyStep& s : r.steps) ids.push_back(s.id);
    for (int id : ids) {
        auto it = std::find_if(r.steps.begin(), r.steps.end(), [id](const UnkeyStep& s) { return s.id == id; });
        if (it == r.steps.end()) continue;
        const std::function<void()> step = it->step;
        try {
            step();
        } catch (...) {
            // The run is ending: a line that cannot be released must not keep the others keyed.
            qCDebug(lcPlatform) << Q_FUNC_INFO << "an unkey step failed";
        }
    }
    r.running = false;
}

int UnkeyRuns() { return registry().runs; }

// ---- Orderly quit ---------------------------------------------------------------------------------

namespace {
int signalPipe[2] = {-1, -1};

void onSignal(int sig) {
    const char byte = static_cast<char>(sig);
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}
} // namespace

struct OrderlyQuit::Impl {
    QMetaObject::Connection aboutToQuit;
    QPointer<QSocketNotifier> notifier; // goes with the application, which may go first
    bool installed = false;
    bool quitting = false;
    struct sigaction oldTerm {}, oldInt {};
};

OrderlyQuit::OrderlyQuit() : impl_(new Impl) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    impl_->aboutToQuit = QObject::connect(app, &QCoreApplication::aboutToQuit, app, [] { UnkeyEverything(); });
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) return;
    impl_->notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, app);
    impl_->installed = true;
    QObject::connect(impl_->notifier, &QSocketNotifier::activated, impl_->notifier, [impl = impl_] {
        char sig = 0;
        while (::read(signalPipe[0], &sig, 1) > 0) {
        }
        UnkeyEverything();
        // A second signal ends the run at once: the first one's quit cannot end a modal wait that
        // started before the main event loop.
        if (impl->quitting) std::_Exit(128 + sig);
        impl->quitting = true;
        // exit, not quit: quit asks every window to close, and a window may ask the operator first.
        QCoreApplication::exit(0);
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &sa, &impl_->oldTerm);
    ::sigaction(SIGINT, &sa, &impl_->oldInt);
}

OrderlyQuit::~OrderlyQuit() {
    if (impl_->installed) {
        ::sigaction(SIGTERM, &impl_->oldTerm, nullptr);
        ::sigaction(SIGINT, &impl_->oldInt, nullptr);
        delete impl_->notifier.data();
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
    QObject::disconnect(impl_->aboutToQuit);
    delete impl_;
}

} // namespace tylog
