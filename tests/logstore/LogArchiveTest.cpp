// Archives of the working log and restores from an archive or a backup, as plain file rules.
#include "logstore/LogArchive.h"
#include "core/ProcessState.h"
#include "logstore/ContactLog.h"
#include "platform/VbError.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace tylog;
using namespace tylog::testing;

namespace {

const QByteArray kLine = "\"K1ABC\",\"\",\"\",\"\",\"Larkmoor\",\"\",\"\",\"\",\"\",\"\",\"001\",\"2013/09/15\",\"14:01:02\","
                         "\"PH\",\"20\",0,\"\",\"\",\"5\",\"14.250\"\r\n";

class LogArchiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folders.ProgramFolder = folder.path();
        Folders.DataFolder = folder.file("data");
        Folders.BackupFolder = folder.file("data/BACKUP");
        QDir().mkpath(Folders.BackupFolder);
        folder.write("log.txt", kLine);
    }
    ScratchFolder folder;
};

TEST(ArchiveName, StemOfTheCallAndTheLocalDate) {
    const QDate day(2013, 9, 15);
    EXPECT_EQ(ArchiveFileName("W9XYZ", day), "W9XYZ2013-09-15.log");
    EXPECT_EQ(ArchiveFileName("W9XYZ/M", day), "W9XYZ2013-09-15.log");
    EXPECT_EQ(ArchiveFileName("", day), "YourCall2013-09-15.log");
    EXPECT_EQ(ArchiveFileName("/p", QDate(2014, 1, 2)), "YourCall2014-01-02.log");
}

TEST_F(LogArchiveTest, ArchiveCopiesTheLogAndReplacesAnEarlierArchive) {
    const QString target = folder.file("data/BACKUP/W9XYZ2013-09-15.log");
    folder.write("data/BACKUP/W9XYZ2013-09-15.log", "old");
    ArchiveLogTo(target);
    EXPECT_EQ(folder.read("data/BACKUP/W9XYZ2013-09-15.log"), kLine);
    EXPECT_EQ(folder.read("log.txt"), kLine);
}

TEST_F(LogArchiveTest, TheWorkingLogIsNeverItsOwnArchiveNorARestoreSource) {
    QFile::link(folder.file("log.txt"), folder.file("data/BACKUP/link.log"));
    for (const QString& path : {folder.file("log.txt"), folder.file("LOG.TXT"), folder.file("data/../log.txt"),
                                folder.file("data/BACKUP/link.log")}) {
        EXPECT_TRUE(IsWorkingLog(path)) << path.toStdString();
        EXPECT_THROW(ArchiveLogTo(path), VbError) << path.toStdString();
        EXPECT_THROW(RestoreLogFrom(path), VbError) << path.toStdString();
    }
    EXPECT_FALSE(IsWorkingLog(folder.file("data/log.txt")));
    EXPECT_EQ(folder.read("log.txt"), kLine);
}

TEST_F(LogArchiveTest, RestoreTakesOnlyAFileThatReadsAsALog) {
    struct Case { const char* what; QByteArray bytes; bool loads; };
    QByteArray full;
    for (int i = 0; i < ContactLogData::Capacity; ++i) full += kLine;
    const Case cases[] = {
        {"a record cut short", "\"K1ABC\",\"\",\"x\"\r\n", false},
        {"a text file", "Dear contest manager,\r\nplease find my log.\r\n", false},
        {"11001 records", full + kLine, false},
        {"an empty log", QByteArray(), true},
        {"two records", kLine + kLine, true},
        {"11000 records", full, true},
    };
    for (const Case& c : cases) {
        folder.write("log.txt", kLine);
        folder.write("data/BACKUP/candidate.log", c.bytes);
        if (c.loads) {
            EXPECT_NO_THROW(RestoreLogFrom(folder.file("data/BACKUP/candidate.log"))) << c.what;
            EXPECT_EQ(folder.read("log.txt"), c.bytes) << c.what;
        } else {
            try {
                RestoreLogFrom(folder.file("data/BACKUP/candidate.log"));
                ADD_FAILURE() << c.what << " was restored";
            } catch (const VbError& e) {
                EXPECT_TRUE(e.Description.contains("cannot be read as a contact log")) << e.Description.toStdString();
            }
            EXPECT_EQ(folder.read("log.txt"), kLine) << c.what;
        }
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"log.txt"}) << "no temporary file left";
    EXPECT_THROW(RestoreLogFrom(folder.file("data/BACKUP/missing.log")), VbError);
}

} // namespace
