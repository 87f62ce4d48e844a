// The file writers on a disk that fails: each failure is said in the operator's words, and leaves the
// file as it was.
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "tests/support/FailingCalls.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

using namespace tylog;
using namespace tylog::testing;

namespace {

VbError ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const VbError& e) {
        return e;
    }
    return VbError(0, "no error");
}

} // namespace

TEST(FileWriters, EachFailureSaysWhyAndLeavesTheFileAsItWas) {
    ScratchFolder dir;
    const QString path = dir.file("log.txt");
    const QString folder = QDir::toNativeSeparators(dir.path());
    struct Case {
        const char* name;
        FailingCall::Call call;
        int error;
        int number;
        QString text;
    };
    const QString notWritten = QDir::toNativeSeparators(path) + " could not be written.";
    const Case cases[] = {
        {"full disk", FailingCall::Write, ENOSPC, VbError::DiskFull, "The disk is full: " + notWritten},
        {"quota", FailingCall::Write, EDQUOT, VbError::DiskFull,
         "The disk is full (your disk quota is used up): " + notWritten},
        {"full disk at the sync", FailingCall::Fsync, ENOSPC, VbError::DiskFull, "The disk is full: " + notWritten},
        {"read-only disk", FailingCall::Open, EROFS, VbError::PathFileAccess, "The disk is read-only: " + notWritten},
        {"failing disk", FailingCall::Fsync, EIO, VbError::DeviceIO, "Device I/O error: " + notWritten},
        {"anything else", FailingCall::Write, EFBIG, VbError::DeviceIO, "File too large: " + notWritten},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("log.txt", "old\r\n");
        const std::pair<const char*, std::function<void()>> writers[] = {
            {"WriteFileAtomic", [&] { WriteFileAtomic(path, "new\r\n"); }},
            {"AppendSynced", [&] { AppendSynced(path, "more\r\n"); }},
        };
        for (const auto& [writer, write] : writers) {
            SCOPED_TRACE(writer);
            FailingCall failing(c.call, "log.txt", c.error);
            const VbError e = ErrorOf(write);
            EXPECT_EQ(e.Number, c.number);
            EXPECT_EQ(e.Description, c.text);
            EXPECT_EQ(dir.read("log.txt"), "old\r\n");
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"log.txt"}); // no temporary left
        }
    }

    EXPECT_EQ(ErrorOf([&] { WriteFileAtomic(dir.file("gone/log.txt"), "new"); }).Description,
              "The folder " + folder + QDir::separator() + "gone does not exist: " +
                  QDir::toNativeSeparators(dir.file("gone/log.txt")) + " could not be written.");
    // Permission refused: a new file's (or the temporary's) folder, or the file itself.
    FailingCall refused(FailingCall::Open, "log.txt", EACCES);
    EXPECT_EQ(ErrorOf([&] { WriteFileAtomic(path, "new"); }).Description,
              "The folder " + folder + " is read-only (no permission to write in it): " + notWritten);
    EXPECT_EQ(ErrorOf([&] { AppendSynced(path, "new"); }).Description,
              QDir::toNativeSeparators(path) + " is read-only (no permission to write it): it could not be written.");
    QFile::remove(path);
    EXPECT_EQ(ErrorOf([&] { AppendSynced(path, "new"); }).Description,
              "The folder " + folder + " is read-only (no permission to write in it): " + notWritten);
}

TEST(FileWriters, ARewriteKeepsPermissionsAndLinks) {
    ScratchFolder dir;
    dir.write("real.txt", "old");
    ::chmod(QFile::encodeName(dir.file("real.txt")).constData(), 0640);
    ASSERT_TRUE(QFile::link(dir.file("real.txt"), dir.file("QSOpref.txt")));
    {
        FailingCall failing(FailingCall::Rename, "real.txt", EIO);
        EXPECT_THROW(WriteFileAtomic(dir.file("QSOpref.txt"), "new"), VbError);
        EXPECT_EQ(failing.failures(), 1);
    }
    EXPECT_EQ(dir.read("real.txt"), "old");
    WriteFileAtomic(dir.file("QSOpref.txt"), "new");
    EXPECT_TRUE(QFileInfo(dir.file("QSOpref.txt")).isSymLink());
    EXPECT_EQ(dir.read("real.txt"), "new");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.file("real.txt")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    EXPECT_EQ(files, (QStringList{"QSOpref.txt", "real.txt"}));
}

TEST(FileWriters, AnAppendDropsWhatFollowsTheCutPointFirst) {
    ScratchFolder dir;
    const QString path = dir.file("log.txt");
    dir.write("log.txt", "a\r\n\r\n \x1A");
    AppendSynced(path, "b\r\n", 7, 3);
    EXPECT_EQ(dir.read("log.txt"), "a\r\nb\r\n");
    // A write that fails takes the file back to the cut point: what was dropped held no value.
    dir.write("log.txt", "a\r\n\r\n");
    {
        FailingCall failing(FailingCall::Fsync, "log.txt", ENOSPC);
        EXPECT_EQ(ErrorOf([&] { AppendSynced(path, "b\r\n", 5, 3); }).Number, VbError::DiskFull);
    }
    EXPECT_EQ(dir.read("log.txt"), "a\r\n");
    // The size must still be what the caller read; else nothing is cut or written.
    dir.write("log.txt", "a\r\n\r\n");
    EXPECT_THROW(AppendSynced(path, "b\r\n", 4, 3), VbError);
    EXPECT_EQ(dir.read("log.txt"), "a\r\n\r\n");
}
