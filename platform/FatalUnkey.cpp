#include "platform/FatalUnkey.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tylog::FatalUnkey {

namespace {

// Fixed slots of plain atomics: the signal handler reads them without a lock. Writers take a mutex
// among themselves (the user-interface and keying threads).
struct Slot {
    std::atomic<int> fd{-1};
    std::atomic<bool> parallel{false};
    std::atomic<unsigned long> request{0};
    std::atomic<int> bits{0};
    std::atomic<unsigned char> releaseByte{0};
};
constexpr int SlotCount = 32;
std::array<Slot, SlotCount> slots;
std::mutex writers;

void systemRelease(const Entry& e) {
    if (e.parallel) {
        unsigned char byte = e.releaseByte;
        ::ioctl(e.fd, e.request, &byte);
    } else {
        int bits = e.bits;
        ::ioctl(e.fd, TIOCMBIC, &bits);
    }
}
std::atomic<Releaser> releaser{&systemRelease};

Slot* find(int fd, bool parallel, unsigned long request) {
    for (Slot& s : slots)
        if (s.fd.load() == fd && s.parallel.load() == parallel && (!parallel || s.request.load() == request)) return &s;
    return nullptr;
}

Slot* freeSlot() {
    for (Slot& s : slots)
        if (s.fd.load() < 0) return &s;
    return nullptr; // more keyed lines than any station has: the newest goes unlisted
}

std::terminate_handler previousTerminate = nullptr;

void onFatalSignal(int sig) {
    ReleaseAll();
    // SA_RESETHAND put the default action back: the signal now ends the run as it would have.
    ::raise(sig);
}

[[noreturn]] void onTerminate() {
    ReleaseAll();
    if (previousTerminate) previousTerminate();
    std::abort();
}

} // namespace

void Serial(int fd, int bits, bool on) {
    if (fd < 0) return;
    const std::lock_guard lock(writers);
    Slot* s = find(fd, false, 0);
    if (on) {
        if (!s) {
            s = freeSlot();
            if (!s) return;
            s->bits.store(0);
            s->parallel.store(false);
            s->fd.store(fd);
        }
        s->bits.fetch_or(bits);
    } else if (s) {
        if ((s->bits.fetch_and(~bits) & ~bits) == 0) s->fd.store(-1);
    }
}

void Parallel(int fd, unsigned long request, unsigned char releaseByte, bool keyed) {
    if (fd < 0) return;
    const std::lock_guard lock(writers);
    Slot* s = find(fd, true, request);
    if (!keyed) {
        if (s) s->fd.store(-1);
        return;
    }
    if (!s) {
        s = freeSlot();
        if (!s) return;
        s->parallel.store(true);
        s->request.store(request);
    }
    s->releaseByte.store(releaseByte);
    s->fd.store(fd);
}

void ReleaseAll() {
    const Releaser release = releaser.load();
    for (Slot& s : slots) {
        const int fd = s.fd.load();
        if (fd < 0) continue;
        release(Entry{fd, s.parallel.load(), s.request.load(), s.bits.load(), s.releaseByte.load()});
    }
}

void SetReleaser(Releaser release) { releaser.store(release ? release : &systemRelease); }

void Install() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    // A stack of its own, so an overflow of the main stack still reaches the handler.
    static std::array<char, 64 * 1024> altStack;
    stack_t ss{};
    ss.ss_sp = altStack.data();
    ss.ss_size = altStack.size();
    ::sigaltstack(&ss, nullptr);
    struct sigaction sa {};
    sa.sa_handler = onFatalSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_ONSTACK | SA_RESETHAND | SA_NODEFER;
    for (int sig : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT}) ::sigaction(sig, &sa, nullptr);
    previousTerminate = std::set_terminate(onTerminate);
}

} // namespace tylog::FatalUnkey
