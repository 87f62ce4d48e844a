// Archive and restore from the in-state window's File menu, with the dialogs scripted. The restore
// takes only a file that reads as a log, keeps the log it replaces, and never leaves log.txt half
// written.
#include "tests/logging/InfrmFixture.h"

#include <QDir>
#include <QFile>

using namespace tylog;
using namespace tylog::testing;

namespace {

class InfrmArchiveTest : public InfrmFixture {
protected:
    static void pick(vb::Menu& item) { item.action()->trigger(); }

    static QByteArray Lines(int n) {
        QByteArray out;
        for (int i = 1; i <= n; ++i) out += Contact({.call = QString("K%1A").arg(i), .spc = "OH", .county = ""});
        return out;
    }

    // The archive the restores bring back: one state, one county and one DX country worked.
    static QByteArray Archive() {
        return Contact({.call = "K1ABC", .spc = "OH", .county = ""}) +
               Contact({.call = "N0XX", .spc = "TY", .county = "Alderbrook", .mode = "CW"}) +
               Contact({.call = "DL1AB", .spc = "Germany", .county = ""});
    }

    // The files in BACKUP whose names start with `stem`.
    QStringList backups(const QString& stem = "BeforeRestore") const {
        return QDir(Folders.BackupFolder).entryList({stem + "*"}, QDir::Files, QDir::Name);
    }

    // File > Restore, answering the notice, the question (when the log holds contacts) and the dialog.
    void restore(InfrmWindow& w, const QString& source, bool expectError = false) {
        Fakes().dialogs.AnswerMsgBox(vbOK);
        if (ContactLog.Count > 0) Fakes().dialogs.AnswerMsgBox(vbYes);
        Fakes().dialogs.AnswerOpen(source);
        if (expectError) Fakes().dialogs.AnswerMsgBox(vbOK);
        pick(w.mnuRestore);
    }
};

TEST_F(InfrmArchiveTest, ArchiveCopiesTheLogUnderTheCallAndDate) {
    InfrmWindow& w = open(Lines(3));
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerSave(folder.file("data/BACKUP/N0TY2013-09-15.log"));
    pick(w.mnuArchive);
    const auto& shown = Fakes().dialogs.shown;
    ASSERT_EQ(shown.size(), 3) << "the start-up question, the notice, the dialog: no message on success";
    EXPECT_EQ(shown[1].title, "Archive Information");
    EXPECT_EQ(shown[2].file.InitDir, Folders.BackupFolder);
    EXPECT_EQ(shown[2].file.FileName, Folders.BackupFolder + "/N0TY2013-09-15.log");
    EXPECT_EQ(shown[2].file.Filter, "Log Files (*.log) | *.log");
    EXPECT_EQ(folder.read("data/BACKUP/N0TY2013-09-15.log"), Lines(3));

    // A call that starts with neither a capital nor a digit gives YourCall; Cancel writes nothing.
    Station.OwnCall = "/n0ty";
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerSave(QString());
    pick(w.mnuArchive);
    EXPECT_EQ(Fakes().dialogs.shown.back().file.FileName, Folders.BackupFolder + "/YourCall2013-09-15.log");
    EXPECT_EQ(QDir(Folders.BackupFolder).entryList(QDir::Files).size(), 1);

    // log.txt is never its own archive.
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerSave(folder.file("LOG.TXT"));
    Fakes().dialogs.AnswerMsgBox(vbOK);
    pick(w.mnuArchive);
    EXPECT_EQ(Fakes().dialogs.shown.back().title, "Error Archiving Log");
    EXPECT_EQ(folder.read("log.txt"), Lines(3));
}

TEST_F(InfrmArchiveTest, RestoreKeepsTheOldLogThenMakesTheArchiveTheWorkingLog) {
    folder.write("data/BACKUP/N0TY2013-09-14.log", Archive());
    InfrmWindow& w = open(Lines(5));
    restore(w, folder.file("data/BACKUP/N0TY2013-09-14.log"));
    const auto& shown = Fakes().dialogs.shown;
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[1].title, "Opening Archived Data Information");
    EXPECT_EQ(shown[2].title, "Are your sure?");
    EXPECT_EQ(shown[2].prompt, "Are you sure that you want to open an archived log?  This action will clear and "
                               "replace existing QSO data.");
    EXPECT_EQ(shown[2].buttons, vbYesNo);
    EXPECT_EQ(shown[3].file.InitDir, Folders.BackupFolder);
    EXPECT_EQ(shown[3].file.FileName, "");

    EXPECT_EQ(folder.read("log.txt"), Archive());
    ASSERT_EQ(backups(), QStringList{"BeforeRestore20130915090102.log"});
    EXPECT_EQ(folder.read("data/BACKUP/BeforeRestore20130915090102.log"), Lines(5));
    // The window shows the archive: its contacts, score, multiplier lists and next serial.
    EXPECT_EQ(ContactLog.Count, 3);
    EXPECT_EQ(w.ListView1.ItemCount(), 3);
    EXPECT_EQ(w.lblTotScore.Caption(), "12");
    EXPECT_EQ(w.List1.ListCount(), 1);
    EXPECT_EQ(w.Label1.Caption(), "002");

    // A second restore in the same second keeps the first one's copy too.
    restore(w, folder.file("data/BACKUP/N0TY2013-09-14.log"));
    EXPECT_EQ(backups(), (QStringList{"BeforeRestore20130915090102-2.log", "BeforeRestore20130915090102.log"}));
    EXPECT_EQ(folder.read("data/BACKUP/BeforeRestore20130915090102.log"), Lines(5));
}

TEST_F(InfrmArchiveTest, NoOrCancelChangesNothingAndAnEmptyLogAsksNothing) {
    folder.write("data/BACKUP/old.log", Archive());
    InfrmWindow& w = open(Lines(3));
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerMsgBox(vbNo);
    pick(w.mnuRestore);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerMsgBox(vbYes);
    Fakes().dialogs.AnswerOpen(QString());
    pick(w.mnuRestore);
    EXPECT_EQ(Fakes().dialogs.shown.back().kind, ScriptedDialogs::Kind::Open) << "nothing after Cancel";
    EXPECT_EQ(folder.read("log.txt"), Lines(3));
    EXPECT_TRUE(backups().isEmpty());
    vb::DiscardAllForms();

    // An empty log: no question, and nothing to keep.
    InfrmWindow& empty = open();
    const qsizetype before = Fakes().dialogs.shown.size();
    restore(empty, folder.file("data/BACKUP/old.log"));
    EXPECT_EQ(Fakes().dialogs.shown.size(), before + 2);
    EXPECT_EQ(ContactLog.Count, 3);
    EXPECT_TRUE(backups().isEmpty());
}

// What is not a log, is too long to be one, is log.txt itself, or cannot be kept first is refused:
// log.txt, the window and the run stay as they were, and no copy of the old log is left behind.
TEST_F(InfrmArchiveTest, RestoreRefusesWhatIsNotALogOrCannotBeKeptFirst) {
    folder.write("data/BACKUP/notes.log", "Dear contest manager,\r\nplease find my log.\r\n");
    QByteArray tooLong;
    const QByteArray line = Contact({.call = "K1ABC", .spc = "OH", .county = ""});
    for (int i = 0; i < ContactLogData::Capacity + 1; ++i) tooLong += line;
    folder.write("data/BACKUP/toolong.log", tooLong);
    folder.write("data/BACKUP/good.log", Archive());
    InfrmWindow& w = open(Lines(3));

    const struct { QString source; const char* why; } cases[] = {
        {folder.file("data/BACKUP/notes.log"), "not a log"},
        {folder.file("data/BACKUP/toolong.log"), "11001 records"},
        {folder.file("log.txt"), "the working log"},
        {folder.file("data/BACKUP/missing.log"), "no such file"},
    };
    for (const auto& c : cases) {
        restore(w, c.source, true);
        const auto& box = Fakes().dialogs.shown.back();
        EXPECT_EQ(box.title, "Error Restoring Log") << c.why;
        EXPECT_EQ(box.buttons, vbOKOnly) << c.why;
        EXPECT_FALSE(box.prompt.isEmpty()) << c.why;
        EXPECT_EQ(folder.read("log.txt"), Lines(3)) << c.why;
        EXPECT_EQ(ContactLog.Count, 3) << c.why;
        EXPECT_EQ(w.ListView1.ItemCount(), 3) << c.why;
        EXPECT_TRUE(backups().isEmpty()) << c.why;
    }

    // A good archive, but the old log cannot be kept: BACKUP is a file, not a folder.
    QDir(Folders.BackupFolder).removeRecursively();
    folder.write("data/BACKUP", "in the way");
    folder.write("data/good.log", Archive());
    restore(w, folder.file("data/good.log"), true);
    EXPECT_EQ(Fakes().dialogs.shown.back().title, "Error Restoring Log");
    EXPECT_EQ(folder.read("log.txt"), Lines(3));
    EXPECT_EQ(ContactLog.Count, 3);

    EXPECT_EQ(Fakes().end.ended, 0);
    EXPECT_FALSE(Fakes().dialogs.Unanswered());
}

} // namespace
