// Built into each test program (not the test library), so the wrapped calls always find it.
#include "tests/support/FailingCalls.h"
#include "platform/TextFile.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

extern "C" int __real_open(const char* path, int flags, ...);
extern "C" ssize_t __real_write(int fd, const void* buf, size_t n);
extern "C" int __real_fsync(int fd);
extern "C" int __real_close(int fd);
extern "C" int __real_rename(const char* from, const char* to);

namespace {

using tylog::testing::FailingCall;

struct Armed {
    bool on = false;
    QByteArray name;
    int error = EIO;
    int failures = 0;
};
Armed gArmed[FailingCall::CallCount];

// Whether the last part of path is the name, or a rewrite's temporary of it.
bool names(const QByteArray& path, const QByteArray& name) {
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray last = path.mid(slash + 1);
    return last == name || last.startsWith(name + tylog::TemporaryMarker);
}

bool targetsPath(FailingCall::Call call, const char* path) {
    const Armed& a = gArmed[call];
    return a.on && path && names(QByteArray(path), a.name);
}

bool targetsFd(FailingCall::Call call, int fd) {
    if (!gArmed[call].on) return false;
    char link[64];
    char path[PATH_MAX + 1];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, path, PATH_MAX);
    if (n <= 0) return false;
    path[n] = 0;
    return targetsPath(call, path);
}

int fail(FailingCall::Call call) {
    ++gArmed[call].failures;
    errno = gArmed[call].error;
    return -1;
}

} // namespace

extern "C" int __wrap_open(const char* path, int flags, ...) {
    mode_t mode = 0;
    if (flags & (O_CREAT | O_TMPFILE)) {
        va_list args;
        va_start(args, flags);
        mode = static_cast<mode_t>(va_arg(args, int));
        va_end(args);
    }
    if (targetsPath(FailingCall::Open, path)) return fail(FailingCall::Open);
    return __real_open(path, flags, mode);
}

extern "C" ssize_t __wrap_write(int fd, const void* buf, size_t n) {
    if (targetsFd(FailingCall::Write, fd)) return fail(FailingCall::Write);
    return __real_write(fd, buf, n);
}

extern "C" int __wrap_fsync(int fd) {
    if (targetsFd(FailingCall::Fsync, fd)) return fail(FailingCall::Fsync);
    return __real_fsync(fd);
}

extern "C" int __wrap_close(int fd) {
    const bool failing = targetsFd(FailingCall::Close, fd);
    const int rc = __real_close(fd);
    if (!failing || rc != 0) return rc;
    return fail(FailingCall::Close);
}

extern "C" int __wrap_rename(const char* from, const char* to) {
    if (targetsPath(FailingCall::Rename, to)) return fail(FailingCall::Rename);
    return __real_rename(from, to);
}

namespace tylog::testing {

FailingCall::FailingCall(Call call, const QString& fileName, int error) : call_(call) {
    gArmed[call] = Armed{true, QFile::encodeName(fileName), error, 0};
}
FailingCall::~FailingCall() { gArmed[call_].on = false; }
int FailingCall::failures() const { return gArmed[call_].failures; }

} // namespace tylog::testing
