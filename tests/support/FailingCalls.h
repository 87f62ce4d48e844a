#pragma once
// A disk that fails: while a FailingCall lives, the program's open, write, fsync, close or rename of
// a file named fileName (or of a rewrite's temporary of it, "<fileName>.~tylog-XXXXXX") fails with the
// given errno (EIO unless told otherwise: a failing disk or network file system; ENOSPC a full disk;
// EROFS, EACCES a disk or folder that takes no writes). A failed close still releases the descriptor;
// a failed fsync leaves the bytes written in the file; a failed write writes nothing. Only the
// program's own calls are affected (the test programs are linked with --wrap for each of them).
#include <QString>

#include <cerrno>

namespace tylog::testing {

class FailingCall {
public:
    enum Call { Open, Write, Fsync, Close, Rename, CallCount };
    FailingCall(Call call, const QString& fileName, int error = EIO);
    ~FailingCall();
    FailingCall(const FailingCall&) = delete;
    FailingCall& operator=(const FailingCall&) = delete;
    // How many calls failed so far.
    int failures() const;

private:
    Call call_;
};

} // namespace tylog::testing
