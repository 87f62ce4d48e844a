// The fatal path, in a child process that dies: every line still keyed is released before the signal
// ends the run, whatever the fatal end (a bad access, a bus error, abort, std::terminate), and a line
// let go before is not touched again.
#include "platform/FatalUnkey.h"

#include <csignal>
#include <cstring>
#include <functional>
#include <linux/ppdev.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <gtest/gtest.h>

using namespace tylog;

namespace {

int reportFd = -1;

// Writes each release to the parent instead of a device (write is async-signal-safe).
void reportRelease(const FatalUnkey::Entry& e) {
    [[maybe_unused]] const ssize_t n = ::write(reportFd, &e, sizeof e);
}

struct Death {
    int signal = 0;
    std::vector<FatalUnkey::Entry> releases;
};

Death DieIn(const std::function<void()>& dying) {
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        reportFd = fds[1];
        FatalUnkey::SetReleaser(&reportRelease);
        FatalUnkey::Install();
        FatalUnkey::Serial(40, TIOCM_RTS, true);  // a CW key on RTS
        FatalUnkey::Serial(40, TIOCM_DTR, true);
        FatalUnkey::Serial(40, TIOCM_DTR, false); // let go again: stays listed for RTS only
        FatalUnkey::Serial(41, TIOCM_DTR, true);  // push-to-talk on another port
        FatalUnkey::Serial(41, TIOCM_DTR, false); // released: off the list
        FatalUnkey::Parallel(42, PPWCONTROL, 2, true);
        dying();
        ::_exit(0); // not reached
    }
    ::close(fds[1]);
    Death death;
    FatalUnkey::Entry e{};
    while (::read(fds[0], &e, sizeof e) == static_cast<ssize_t>(sizeof e)) death.releases.push_back(e);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    death.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return death;
}

} // namespace

TEST(FatalUnkey, EveryFatalEndReleasesWhatIsKeyedThenLetsTheSignalEndTheRun) {
    const struct {
        const char* name;
        std::function<void()> dying;
        int signal;
    } cases[] = {
        {"bad access", [] { ::raise(SIGSEGV); }, SIGSEGV},
        {"bus error", [] { ::raise(SIGBUS); }, SIGBUS},
        {"abort", [] { std::abort(); }, SIGABRT},
        {"terminate", [] { std::thread([] { throw std::runtime_error("escaped"); }).join(); }, SIGABRT},
        {"stack overflow", [] {
             std::function<int(int)> deep = [&deep](int n) {
                 volatile char pad[4096];
                 pad[0] = static_cast<char>(n);
                 return deep(n + 1) + pad[0];
             };
             deep(0);
         }, SIGSEGV},
    };
    for (const auto& c : cases) {
        const Death death = DieIn(c.dying);
        EXPECT_EQ(death.signal, c.signal) << c.name;
        // Released once each: the RTS of 40 and the parallel control register of 42, nothing of 41.
        ASSERT_GE(death.releases.size(), 2u) << c.name;
        bool serial = false, parallel = false;
        for (const auto& r : death.releases) {
            EXPECT_NE(r.fd, 41) << c.name;
            if (r.fd == 40) serial = !r.parallel && r.bits == TIOCM_RTS;
            if (r.fd == 42) parallel = r.parallel && r.request == PPWCONTROL && r.releaseByte == 2;
        }
        EXPECT_TRUE(serial) << c.name;
        EXPECT_TRUE(parallel) << c.name;
    }
}
