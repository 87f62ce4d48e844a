// Archive and restore from the out-of-state window's File menu.
#include "tests/logging/LogWindowFixture.h"

#include <QFile>

using namespace tylog;
using namespace tylog::testing;

namespace {

const char* const kArchiveInfo = "Archive Information";
const char* const kRestoreInfo = "Opening Archived Data Information";

class ArchiveRestoreTest : public LogWindowTest {};

TEST_F(ArchiveRestoreTest, ArchiveProposesTheCallAndDateInTheBackupFolder) {
    OutfrmWindow& w = open(Lines(3));
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerSave(folder.file("data/BACKUP/W9XYZ2013-09-15.log"));
    pick(w.mnuArchive);
    const auto& shown = Fakes().dialogs.shown;
    ASSERT_EQ(shown.size(), 3) << "the start-up question, the notice, the dialog: no message on success";
    EXPECT_EQ(shown[1].title, kArchiveInfo);
    EXPECT_EQ(shown[1].prompt, "This function is used to create a permanent copy of your currently open log file.  To "
                               "open your log file at a later date, click File > Restore from Archive or Backup.");
    EXPECT_EQ(shown[2].file.InitDir, Folders.BackupFolder);
    EXPECT_EQ(shown[2].file.FileName, Folders.BackupFolder + "/W9XYZ2013-09-15.log");
    EXPECT_EQ(shown[2].file.Filter, "Log Files (*.log) | *.log");
    EXPECT_EQ(folder.read("data/BACKUP/W9XYZ2013-09-15.log"), Lines(3));

    // Without a call the name starts with YourCall; Cancel writes nothing and says nothing.
    Station.OwnCall.clear();
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerSave(QString());
    pick(w.mnuArchive);
    EXPECT_EQ(Fakes().dialogs.shown.back().file.FileName, Folders.BackupFolder + "/YourCall2013-09-15.log");
    EXPECT_EQ(QDir(Folders.BackupFolder).entryList(QDir::Files).size(), 1);
}

TEST_F(ArchiveRestoreTest, ArchiveFailuresAreReported) {
    OutfrmWindow& w = open(Lines(3));
    for (const QString& target : {folder.file("log.txt"), folder.file("missing/x.log")}) {
        Fakes().dialogs.AnswerMsgBox(vbOK);
        Fakes().dialogs.AnswerSave(target);
        Fakes().dialogs.AnswerMsgBox(vbOK);
        pick(w.mnuArchive);
        EXPECT_EQ(Fakes().dialogs.shown.back().title, "Error Archiving Log") << target.toStdString();
        EXPECT_EQ(folder.read("log.txt"), Lines(3));
    }
}

TEST_F(ArchiveRestoreTest, RestoreReplacesTheLogAndRescores) {
    folder.write("data/BACKUP/old.log", Contact("K1ABC", "Larkmoor") + Contact("W2XYZ", "Lowater", "40", "CW"));
    OutfrmWindow& w = open(Lines(3));
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerMsgBox(vbYes);
    Fakes().dialogs.AnswerOpen(folder.file("data/BACKUP/old.log"));
    pick(w.mnuRestore);
    const auto& shown = Fakes().dialogs.shown;
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[1].title, kRestoreInfo);
    EXPECT_EQ(shown[2].title, "Are your sure?");
    EXPECT_EQ(shown[2].buttons, vbYesNo);
    EXPECT_EQ(shown[3].file.InitDir, Folders.BackupFolder);
    EXPECT_EQ(shown[3].file.FileName, "");
    EXPECT_EQ(shown[3].file.Filter, "Log Files (*.log) | *.log");
    EXPECT_EQ(folder.read("log.txt"), folder.read("data/BACKUP/old.log"));
    EXPECT_EQ(ContactLog.Count, 2);
    EXPECT_EQ(w.ListView1.ItemCount(), 2);
    EXPECT_EQ(w.ListView1.ItemText(0, 1), "W2XYZ");
    EXPECT_EQ(w.lblTotSec.Caption(), "2");
    EXPECT_EQ(w.Label27.Caption(), "3");
    EXPECT_EQ(w.Label1.Caption(), "002");
}

TEST_F(ArchiveRestoreTest, RestoreAnsweredNoOrCancelledChangesNothing) {
    folder.write("data/BACKUP/old.log", Contact("K1ABC"));
    OutfrmWindow& w = open(Lines(3));
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerMsgBox(vbNo);
    pick(w.mnuRestore);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerMsgBox(vbYes);
    Fakes().dialogs.AnswerOpen(QString());
    pick(w.mnuRestore);
    EXPECT_EQ(Fakes().dialogs.shown.back().kind, ScriptedDialogs::Kind::Open) << "nothing after Cancel";
    EXPECT_EQ(folder.read("log.txt"), Lines(3));
    EXPECT_EQ(ContactLog.Count, 3);
}

TEST_F(ArchiveRestoreTest, RestoreIntoAnEmptyLogAsksNothing) {
    folder.write("data/BACKUP/201309151432.log", Contact("K1ABC"));
    OutfrmWindow& w = open();
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerOpen(folder.file("data/BACKUP/201309151432.log"));
    pick(w.mnuRestore);
    EXPECT_EQ(ContactLog.Count, 1);
    EXPECT_EQ(Fakes().dialogs.shown.size(), 3);
}

// A file that is not a log, or log.txt itself, is refused: log.txt stays as it was and the run goes on.
TEST_F(ArchiveRestoreTest, RestoreRefusesAFileThatIsNotALog) {
    folder.write("data/BACKUP/notes.log", "Dear contest manager,\r\nplease find my log.\r\n");
    OutfrmWindow& w = open(Lines(3));
    for (const QString& source : {folder.file("data/BACKUP/notes.log"), folder.file("log.txt")}) {
        Fakes().dialogs.AnswerMsgBox(vbOK);
        Fakes().dialogs.AnswerMsgBox(vbYes);
        Fakes().dialogs.AnswerOpen(source);
        Fakes().dialogs.AnswerMsgBox(vbOK);
        pick(w.mnuRestore);
        const auto& box = Fakes().dialogs.shown.back();
        EXPECT_EQ(box.title, "Error Restoring Log") << source.toStdString();
        EXPECT_EQ(box.buttons, vbOKOnly);
        EXPECT_EQ(folder.read("log.txt"), Lines(3));
        EXPECT_EQ(ContactLog.Count, 3);
        EXPECT_EQ(w.ListView1.ItemCount(), 3);
        EXPECT_EQ(Fakes().end.ended, 0);
    }
    EXPECT_FALSE(Fakes().dialogs.Unanswered());
}

} // namespace
