#pragma once
// The last way out for a keyed line: when the run dies of a fatal signal (SIGSEGV, SIGBUS, SIGILL,
// SIGFPE, SIGABRT) or std::terminate, nothing orderly runs (no unkey steps, no event loop), so the
// machine's key lines keep a small list of what they left keyed, and the fatal path releases every
// line on it with nothing but system calls (TIOCMBIC on a serial descriptor; the release byte through
// the claimed parallel port's descriptor) before it lets the signal end the run. A process killed
// outright (SIGKILL) leaves a parallel line as it was; a serial port's lines drop as the kernel
// closes its descriptor (HUPCL).
#include <cstdint>

namespace tylog::FatalUnkey {

// What the key lines have keyed. Serial: `bits` (TIOCM_RTS, TIOCM_DTR) of descriptor `fd` are now on
// or off. Parallel: register `request` (PPWDATA or PPWCONTROL) of descriptor `fd` holds a key, which
// `releaseByte` lets go; `keyed` false takes it off the list.
void Serial(int fd, int bits, bool on);
void Parallel(int fd, unsigned long request, unsigned char releaseByte, bool keyed);

// Releases everything on the list (async-signal-safe).
void ReleaseAll();
// Installs the fatal path: the handlers of the fatal signals (on their own stack, so a stack overflow
// is caught too) and of std::terminate. Once per run; the real platform calls it.
void Install();

// One entry of the list, as a release sees it.
struct Entry {
    int fd;
    bool parallel;
    unsigned long request; // parallel only
    int bits;              // serial only
    unsigned char releaseByte;
};
// Replaces how an entry is released, for a test in a child process (it must be async-signal-safe).
using Releaser = void (*)(const Entry&);
void SetReleaser(Releaser release);

} // namespace tylog::FatalUnkey
