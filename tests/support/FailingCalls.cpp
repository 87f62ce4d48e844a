// Built into each test program (not the test library), so the wrapped calls always find it.
#include "tests/support/FailingCalls.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <climits>
#include <unistd.h>

extern "C" int __real_close(int fd);
extern "C" int __real_fsync(int fd);

namespace {

struct Armed {
    bool on = false;
    QByteArray suffix;
    int failures = 0;
};
Armed gArmed[2];

bool targets(int call, int fd) {
    Armed& a = gArmed[call];
    if (!a.on) return false;
    char link[64];
    char path[PATH_MAX + 1];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, path, PATH_MAX);
    if (n <= 0) return false;
    const QByteArray p(path, n);
    return p.endsWith("/" + a.suffix);
}

} // namespace

extern "C" int __wrap_close(int fd) {
    const bool fail = targets(tylog::testing::FailingCall::Close, fd);
    const int rc = __real_close(fd);
    if (!fail || rc != 0) return rc;
    ++gArmed[tylog::testing::FailingCall::Close].failures;
    errno = EIO;
    return -1;
}

extern "C" int __wrap_fsync(int fd) {
    if (!targets(tylog::testing::FailingCall::Fsync, fd)) return __real_fsync(fd);
    ++gArmed[tylog::testing::FailingCall::Fsync].failures;
    errno = EIO;
    return -1;
}

namespace tylog::testing {

FailingCall::FailingCall(Call call, const QString& fileName) {
    gArmed[call] = Armed{true, QFile::encodeName(fileName), 0};
}
FailingCall::~FailingCall() {
    for (Armed& a : gArmed) a.on = false;
}
int FailingCall::failures() const {
    int n = 0;
    for (const Armed& a : gArmed) n += a.failures;
    return n;
}

} // namespace tylog::testing
