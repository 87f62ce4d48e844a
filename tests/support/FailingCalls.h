#pragma once
// A disk that fails: while a FailingCall lives, the program's close or fsync of a file whose path ends
// with the given name fails with EIO, as a failing disk or network file system makes it fail. A failed
// close still releases the descriptor; a failed fsync leaves the bytes written in the file. Only the
// program's own calls are affected (the test programs are linked with --wrap=close,--wrap=fsync).
#include <QString>

namespace tylog::testing {

class FailingCall {
public:
    enum Call { Close, Fsync };
    FailingCall(Call call, const QString& fileName);
    ~FailingCall();
    FailingCall(const FailingCall&) = delete;
    FailingCall& operator=(const FailingCall&) = delete;
    // How many calls failed so far.
    int failures() const;
};

} // namespace tylog::testing
