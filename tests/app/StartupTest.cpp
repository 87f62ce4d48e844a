// The start-up chain and loader, run headless against scratch folders with the shipped data.
#include "app/ProcessReset.h"
#include "app/Artwork.h"
#include "app/ArtworkDrawing.h"
#include "app/LogoWindow.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "app/Startup.h"
#include "logging/Infrm.h"
#include "logging/Outfrm.h"
#include "keying/KeyerActions.h"
#include "keying/VoiceKeyer.h"
#include "app/StationSetupWindow.h"
#include "keying/CWFrm.h"
#include "keying/KeyerState.h"
#include "keying/PhoneFrm.h"
#include "platform/TextFile.h"
#include "platform/vb/Forms.h"
#include "tests/app/StartupTestEnv.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace tylog;
using namespace tylog::testing;

namespace {

QString Canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

int VisibleWindows() {
    int n = 0;
    for (vb::Form* f : vb::LoadedForms()) n += f->isVisible() ? 1 : 0;
    return n;
}

// ---- the whole chain ----------------------------------------------------------------------------

TEST(Startup, RunsTheChainAndDoneWritesTheSettingsAndSharedPreferences) {
    StartupTestEnv env;
    env.copyShippedData();
    env.enterProgramFolder();
    // The stored offset is 0; this clock says UTC is 5 hours ahead, so the question comes up.
    Fakes().clock.Set(QDateTime(QDate(2013, 9, 14), QTime(12, 0, 0)), 5);
    Fakes().dialogs.AnswerInput("5");
    quint32 logoShownAt = 0;
    QString modal;
    platform().onModalShown = [&](vb::Form& f) {
        modal += f.Name + " ";
        logoShownAt = Fakes().clock.TimeGetTime();
    };

    RunStartup();

    EXPECT_EQ(modal, "frmQ7BZWLogo ");
    EXPECT_EQ(Fakes().clock.TimeGetTime() - logoShownAt, 1900u); // the logo closed on its own timer
    EXPECT_EQ(vb::IfLoaded<frmQ7BZWLogoWindow>(), nullptr);
    EXPECT_EQ(Canonical(Folders.ProgramFolder), Canonical(env.prog.path()));
    EXPECT_EQ(Canonical(Folders.SharedFolder), Canonical(env.sharedFolder()));
    EXPECT_EQ(Canonical(Folders.DataFolder), Canonical(env.dataFolder()));
    EXPECT_TRUE(QFileInfo(env.dataFolder() + "/BACKUP").isDir());
    EXPECT_EQ(tylog::Run.ProgramVersion, "1.6");
    ASSERT_EQ(Fakes().dialogs.shown.size(), 1);
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "Update the Local Time / UTC Offset?");
    EXPECT_EQ(Fakes().dialogs.shown[0].defaultText, "5");

    // Only the setup window shows; the keyer windows load when first asked for.
    frmStationIDWindow* setup = vb::IfLoaded<frmStationIDWindow>();
    ASSERT_NE(setup, nullptr);
    EXPECT_TRUE(setup->isVisible());
    EXPECT_EQ(VisibleWindows(), 1);
    EXPECT_EQ(vb::IfLoaded<PhoneFrmWindow>(), nullptr);
    EXPECT_EQ(vb::IfLoaded<CWFrmWindow>(), nullptr);
    EXPECT_GT(PrefixTable.Count, 1000);
    EXPECT_EQ(StateCoordTable.Abbrev[50], "SK");
    // The shipped settings are out of state: "No" chosen and the rover question greyed out.
    EXPECT_TRUE(setup->Option2.Value());
    EXPECT_TRUE(setup->Option3.Value());
    EXPECT_FALSE(setup->Option4.Enabled());
    EXPECT_TRUE(setup->optState[42].FontBold()); // "TY"
    EXPECT_EQ(setup->Text6.Text(), "5");

    ShowActive(*setup);
    QTest::keyClicks(setup->Text1.widget(), "n0call");
    QTest::keyClicks(setup->Text5.widget(), "ty");
    QTest::keyClicks(setup->Text8.widget(), "alderbrook");
    QTest::keyClicks(setup->Text2.widget(), "USA");
    setup->Text9.SetFocus();
    QTest::keyClicks(setup->Text9.widget(), "ty");
    QTest::mouseClick(setup->Option1.widget(), Qt::LeftButton);
    EXPECT_TRUE(setup->Option4.Enabled());
    QTest::mouseClick(setup->Option4.widget(), Qt::LeftButton);
    env.prog.write("log.txt", QByteArray());
    Fakes().dialogs.AnswerMsgBox(vbYes); // "Open existing log?"
    QTest::mouseClick(setup->Command1.widget(), Qt::LeftButton);
    Pump();

    // The in-state answer opens the in-state window, which unloads the setup.
    EXPECT_EQ(Fakes().dialogs.shown.back().title, "Open existing log?");
    EXPECT_NE(vb::IfLoaded<InfrmWindow>(), nullptr);
    EXPECT_EQ(vb::IfLoaded<frmStationIDWindow>(), nullptr);
    EXPECT_EQ(env.prog.read("QSOpref.txt"),
              CrLfLines({"\"N0CALL\"", "\"TY\"", "\"USA\"", "\"TY\"", "\"\"", "\"\"", "\"Alderbrook\"", "\"\"",
                         "\"CW\"", "\"20\"", "5", "97", "39", "\"NA\"", "100", "65280", "255", "0", "\"TY\"", "0",
                         "1", "0", "\"None\"", "0", "1"}));
    QFile prefs(env.sharedFolder() + "/SharedUserPreferences.xml");
    ASSERT_TRUE(prefs.open(QIODevice::ReadOnly));
    EXPECT_EQ(prefs.readAll(), CrLfLines({"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>", "<OWN_CALL>N0CALL</OWN_CALL>",
                                          "<OWN_SPC>TY</OWN_SPC>", "<OWN_UTC>5</OWN_UTC>",
                                          "<OWN_COUNTY>Alderbrook</OWN_COUNTY>", "<OWN_COUNTRY>USA</OWN_COUNTRY>",
                                          "<OWN_LONGITUDE>97</OWN_LONGITUDE>", "<OWN_LATITUDE>39</OWN_LATITUDE>",
                                          "<OWN_CONTINENT>NA</OWN_CONTINENT>",
                                          "<OWN_ARRL_SECTION>TY</OWN_ARRL_SECTION>"}));
    EXPECT_FALSE(Fakes().dialogs.Unanswered());
}

TEST(Startup, KeepsTheOtherKeysOfAnExistingSharedPreferencesFile) {
    StartupTestEnv env;
    env.copyShippedData();
    env.enterProgramFolder();
    QDir().mkpath(env.sharedFolder());
    QFile f(env.sharedFolder() + "/SharedUserPreferences.xml");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(CrLfLines({"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>", "<OWN_EMAIL>op@example.org</OWN_EMAIL>",
                       "<OWN_CALL>OLD</OWN_CALL>"}));
    f.close();

    RunStartup();
    frmStationIDWindow& setup = frmStationID();
    setup.Text1.setText("K1NEW");
    Fakes().dialogs.AnswerMsgBox(vbYes); // "Open existing log?" of the logging window
    setup.Command1_Click();

    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.startsWith(CrLfLines({"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>",
                                           "<OWN_EMAIL>op@example.org</OWN_EMAIL>", "<OWN_CALL>K1NEW</OWN_CALL>",
                                           "<OWN_SPC></OWN_SPC>"})));
    EXPECT_TRUE(text.endsWith("<OWN_ARRL_SECTION></OWN_ARRL_SECTION>\r\n"));
}

// The voice keyer's player starts the sound system: the setup window, which loads the voice settings
// into the voice window, makes none; the logging window's load makes it, so its first F-key plays at once
// on the player already made.
TEST(Startup, TheVoiceKeyersPlayerIsMadeByTheLoggingWindowNotBeforeTheSetup) {
    StartupTestEnv env;
    env.copyShippedData();
    env.enterProgramFolder();
    env.prog.write("wave2.txt", CrLfLines({"\"cq.wav\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",
                                           "\"\"", "\"0\"", "0", "\"0\"", "\"&H378\""}));
    env.prog.write("cq.wav", FakeSound::Wave(400));

    RunStartup();
    EXPECT_EQ(PhoneFrm().Text1.Text(), "cq.wav");
    EXPECT_EQ(IfVoiceKeyer(), nullptr);
    EXPECT_EQ(Fakes().sound.made, 0);

    Fakes().dialogs.AnswerMsgBox(vbYes); // "Open existing log?"
    frmStationID().Command1_Click();
    OutfrmWindow* w = vb::IfLoaded<OutfrmWindow>();
    ASSERT_NE(w, nullptr);
    EXPECT_NE(IfVoiceKeyer(), nullptr);
    EXPECT_EQ(Fakes().sound.made, 1);

    Station.CurrentMode = "PH";
    ShowActive(*w);
    w->txtCall.SetFocus();
    QTest::keyClick(w->txtCall.widget(), Qt::Key_F1);
    EXPECT_EQ(Fakes().sound.played, QStringList{"cq.wav"});
    EXPECT_EQ(Fakes().sound.made, 1);
    EXPECT_TRUE(Keyers().PhonePlaying());
}

TEST(Startup, RemovesOnlyTheProgramsOwnTemporariesAndMovesDoubtfulNamesIntoBackup) {
    StartupTestEnv env;
    env.copyShippedData();
    env.enterProgramFolder();
    const QString backup = env.dataFolder() + "/BACKUP";
    const QString shared = env.sharedFolder();
    QDir().mkpath(backup);
    QDir().mkpath(shared);
    enum Fate { Removed, Moved, Kept };
    struct Case {
        QString folder;
        const char* name;
        Fate fate;
    };
    const QString prog = env.prog.path();
    const QString data = env.dataFolder();
    const Case cases[] = {
        // The form WriteFileAtomic gives its temporaries, of a file the program rewrites.
        {prog, "log.txt.~tylog-a1B2c3", Removed},
        {prog, "LOG.TXT.~tylog-Zz9yY8", Removed},
        {prog, "QSOpref.txt.~tylog-000000", Removed},
        {prog, "cw.txt.~tylog-AbCdEf", Removed},
        {prog, "wave2.txt.~tylog-qwerty", Removed},
        {prog, "PackSpot.txt.~tylog-k3Lm9P", Removed},
        {data, "WK.txt.~tylog-wk1234", Removed},
        {backup, "201309151432.log.~tylog-k3J9aa", Removed},
        {backup, "W9XYZ2013-09-15.log.~tylog-AAAAAA", Removed},
        {shared, "SharedUserPreferences.xml.~tylog-x1y2z3", Removed},
        // The form earlier versions used, in the target's own letters: perhaps the operator's.
        {prog, "log.txt.a1B2c3", Moved},
        {prog, "log.txt.backup", Moved},
        {prog, "QSOpref.txt.copy01", Moved},
        {prog, "CW.txt.AbCdEf", Moved},
        // Anything else stays where it is.
        {prog, "LOG.TXT.before", Kept},     // not the letters log.txt has here
        {prog, "qsopref.txt.copy01", Kept},
        {prog, "notes.txt.a1B2c3", Kept},
        {prog, "notes.txt.~tylog-a1B2c3", Kept}, // not a file the program rewrites
        {prog, "log.txt.bak", Kept},
        {prog, "log.txt.a1B2c3d", Kept},
        {prog, "log.txt.a1-2c3", Kept},
        {prog, "log.txt.~tylog-a1B2c", Kept},
        {prog, "log.txt.~tylog-a1B2c3.txt", Kept},
        {backup, "201309151432.log.k3J9aa", Kept}, // already in BACKUP
        {data, "WK.txt.a1B2c3", Kept},                  // only the program folder held the earlier form
        {backup, "keep.txt.~tylog-AAAAAA", Kept},
        {shared, "SharedUserPreferences.xml.a1B2c3", Kept}, // other programs write here
        {shared, "Other.xml.~tylog-AAAAAA", Kept},
    };
    for (const Case& c : cases) {
        QFile f(c.folder + "/" + c.name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.name);
    }
    Fakes().dialogs.AnswerMsgBox(vbOK);

    RunStartup();

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(QFileInfo::exists(c.folder + "/" + c.name), c.fate == Kept);
        if (c.fate == Moved) {
            QFile f(backup + "/" + c.name);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), c.name);
        }
    }
    for (const char* n : {"log.txt", "QSOpref.txt", "CW.txt", "wave2.txt"}) EXPECT_TRUE(env.prog.exists(n)) << n;
    // The operator is told once, by name, where the moved files went.
    const auto box = std::find_if(Fakes().dialogs.shown.begin(), Fakes().dialogs.shown.end(),
                                  [](const auto& d) { return d.title == "Files moved into BACKUP"; });
    ASSERT_NE(box, Fakes().dialogs.shown.end());
    for (const Case& c : cases) EXPECT_EQ(box->prompt.contains(c.name), c.fate == Moved) << c.name;
}

TEST(Startup, AMovedNameTakenInBackupReplacesNothing) {
    ScratchFolder dir;
    QDir().mkpath(dir.file("BACKUP"));
    dir.write("log.txt", "log");
    dir.write("log.txt.backup", "new");
    dir.write("BACKUP/log.txt.backup", "old");
    const StaleTemporaries done = RemoveStaleTemporaries(dir.path(), {"log.txt"}, dir.file("BACKUP"));
    EXPECT_EQ(done.moved, QStringList{"log.txt.backup"});
    EXPECT_EQ(dir.read("BACKUP/log.txt.backup"), "old");
    EXPECT_EQ(dir.read("BACKUP/log.txt.backup-2"), "new");
}

TEST(Startup, DoneReportsASharedPreferencesFileItCannotWriteAndGoesOn) {
    StartupTestEnv env;
    env.copyShippedData();
    env.enterProgramFolder();
    // A folder in the file's place: nothing can be written there, whoever runs the test.
    QDir().mkpath(env.sharedFolder() + "/SharedUserPreferences.xml");
    RunStartup();
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerMsgBox(vbYes); // "Open existing log?" of the logging window

    frmStationID().Command1_Click();

    ASSERT_EQ(Fakes().dialogs.shown.size(), 2);
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "Unable to save shared preferences.");
    EXPECT_TRUE(env.prog.exists("QSOpref.txt"));
    EXPECT_EQ(vb::IfLoaded<frmStationIDWindow>(), nullptr); // the logging window still opens
}

// ---- the loader on bad input ------------------------------------------------------------------

QByteArray PrefixRows(int from, int to) {
    QByteArray out;
    for (int i = from; i <= to; ++i) out += QString("\"P%1\",\"Land %1\",\"EU\",1.5,2,3,4,5\r\n").arg(i).toLatin1();
    return out;
}

QByteArray FirstLines(const QByteArray& bytes, int n) {
    const QList<QByteArray> lines = bytes.split('\n');
    QByteArray out;
    for (int i = 0; i < n; ++i) out += lines[i] + '\n';
    return out;
}

QByteArray Shipped(const char* name) {
    QFile f(ShippedDataFolder() + '/' + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

constexpr int kShippedPrefixRows = 1236;

struct LoaderCase {
    const char* name;
    std::function<void(StartupTestEnv&)> prepare;
    QString message;    // after "Error opening file", CR LF, CR LF; the file is named by its path in prog
    bool fieldsFilled;  // the setup fields show the settings
    int prefixRows;
    bool cwLoaded;      // CWFrm, when asked for, holds CW.txt's first message
    std::function<void()> more;
};

// A file that fails is told by name and why; the others still load, so neither the tables nor the
// keyer files nor (when the settings did read) the setup fields are lost for the run, and no "Done"
// writes empty values over a file that was fine.
TEST(StartupLoader, BadInputIsToldByFileAndTheOtherFilesStillLoad) {
    const QString defaults = "\r\n\r\nThe station settings start from their defaults; \"Done\" saves what this "
                             "window then holds.";
    auto damaged = [](StartupTestEnv& e, const QByteArray& from, const QByteArray& to) {
        QByteArray b = Shipped("QSOpref.txt");
        b.replace(from, to);
        e.prog.write("QSOpref.txt", b);
    };
    auto noSettings = [] {
        frmStationIDWindow& f = frmStationID();
        for (vb::OptionButton* o : {&f.Option1, &f.Option2, &f.Option3, &f.Option4}) EXPECT_FALSE(o->Value());
        // Nothing of a damaged file is kept; band and mode are valid ones.
        EXPECT_EQ(Station.RigType, "");
        EXPECT_EQ(Station.OwnContinent, "");
        EXPECT_EQ(Station.CurrentBand, "20");
        EXPECT_EQ(Station.CurrentMode, "CW");
        EXPECT_EQ(StateCoordTable.Abbrev[1], "TY"); // the tables load all the same
        EXPECT_EQ(PhoneFrm().Text1.Text(), "cq.wav"); // and the keyer files
    };
    const LoaderCase cases[] = {
        {"first run, no QSOpref.txt", [](StartupTestEnv& e) { QFile::remove(e.prog.file("QSOpref.txt")); },
         "%1/QSOpref.txt was not found." + defaults, false, kShippedPrefixRows, true, noSettings},
        {"QSOpref.txt of 24 lines", [](StartupTestEnv& e) { e.prog.write("QSOpref.txt", FirstLines(Shipped("QSOpref.txt"), 24)); },
         "%1/QSOpref.txt could not be read (value 25 of 25: the file ends before it)." + defaults, false,
         kShippedPrefixRows, true, noSettings},
        {"a byte value of 300", [&](StartupTestEnv& e) { damaged(e, "\r\n100\r\n", "\r\n300\r\n"); },
         "%1/QSOpref.txt could not be read (value 15 of 25: the number is out of range)." + defaults, false,
         kShippedPrefixRows, true, noSettings},
        {"values shifted by a damaged line",
         [&](StartupTestEnv& e) { damaged(e, "\"CW\"\r\n\"20\"\r\n0\r\n", "\"01 02\"\r\n\"7F\"\r\n"); },
         "%1/QSOpref.txt could not be read (value 13 of 25: it is not a number)." + defaults, false,
         kShippedPrefixRows, true, noSettings},
        {"a band and a mode that are none", [&](StartupTestEnv& e) {
             damaged(e, "\"CW\"\r\n\"20\"\r\n", "\"01 02\"\r\n\"7F\"\r\n");
         }, {}, true, kShippedPrefixRows, true,
         [] {
             EXPECT_EQ(Station.CurrentBand, "20");
             EXPECT_EQ(Station.CurrentMode, "CW");
             EXPECT_EQ(Station.RigType, "None"); // the rest of a whole file is kept
         }},
        {"a band in other letters", [&](StartupTestEnv& e) { damaged(e, "\"CW\"\r\n\"20\"\r\n", "\"dg\"\r\n\"1.25\"\r\n"); },
         {}, true, kShippedPrefixRows, true,
         [] {
             EXPECT_EQ(Station.CurrentBand, "1.25");
             EXPECT_EQ(Station.CurrentMode, "DG");
         }},
        {"arrlpre2.txt in no folder", [](StartupTestEnv& e) { QFile::remove(e.prog.file("arrlpre2.txt")); }, {},
         true, 0, true, nullptr},
        {"arrlpre2.txt of 10000 rows", [](StartupTestEnv& e) { e.prog.write("arrlpre2.txt", PrefixRows(1, 10000)); },
         {}, true, 10000, true, [] { EXPECT_EQ(PrefixTable.Country[10000], "Land 10000"); }},
        {"arrlpre2.txt of 10001 rows", [](StartupTestEnv& e) { e.prog.write("arrlpre2.txt", PrefixRows(1, 10001)); },
         "%1/arrlpre2.txt could not be read (Subscript out of range).", true, 10000, true,
         [] { EXPECT_EQ(PhoneFrm().Text1.Text(), "cq.wav"); }},
        {"arrlpre2.txt cut mid-row",
         [](StartupTestEnv& e) { e.prog.write("arrlpre2.txt", PrefixRows(1, 3) + "\"P4\",\"Cut\",\"EU\",1"); },
         "%1/arrlpre2.txt could not be read (Input past end of file).", true, 3, true, nullptr},
        {"arrlpre2.txt with a blank line at its end",
         [](StartupTestEnv& e) { e.prog.write("arrlpre2.txt", PrefixRows(1, 3) + "\r\n"); },
         "%1/arrlpre2.txt could not be read (Input past end of file).", true, 3, true, nullptr},
        {"states.txt of 49 rows", [](StartupTestEnv& e) { e.prog.write("states.txt", FirstLines(Shipped("states.txt"), 49)); },
         "%1/states.txt could not be read (Input past end of file).", true, kShippedPrefixRows, true,
         [] {
             EXPECT_EQ(StateCoordTable.Abbrev[49], "QC");
             EXPECT_EQ(StateCoordTable.Abbrev[50], "");
         }},
        {"wave2.txt missing", [](StartupTestEnv& e) { QFile::remove(e.prog.file("wave2.txt")); },
         "%1/wave2.txt was not found.", true, kShippedPrefixRows, true, nullptr},
        {"wave2.txt of 12 lines", [](StartupTestEnv& e) { e.prog.write("wave2.txt", FirstLines(Shipped("wave2.txt"), 12)); },
         "%1/wave2.txt could not be read (a value is missing or does not convert).", true, kShippedPrefixRows,
         true, nullptr},
        {"CW.txt missing", [](StartupTestEnv& e) { QFile::remove(e.prog.file("CW.txt")); }, {}, true,
         kShippedPrefixRows, false,
         [] { EXPECT_EQ(Keyer.CWKeyingType, 0); }},
        {"CW.txt of 10 lines", [](StartupTestEnv& e) { e.prog.write("CW.txt", FirstLines(Shipped("CW.txt"), 10)); },
         {}, true, kShippedPrefixRows, true, [] { EXPECT_EQ(CWFrm().Text10.Text(), "1"); }},
        {"CW.txt with keying type 4",
         [](StartupTestEnv& e) {
             QByteArray b = Shipped("CW.txt");
             b.replace("\"0\"\r\n0\r\n\"&H378\"", "\"0\"\r\n4\r\n\"&H378\"");
             e.prog.write("CW.txt", b);
         },
         {}, true, kShippedPrefixRows, true,
         [] {
             EXPECT_EQ(Keyer.CWKeyingType, 4);
             CWFrmWindow& cw = CWFrm();
             for (vb::OptionButton* o : {&cw.Option1, &cw.Option2, &cw.Option3, &cw.Option5}) EXPECT_FALSE(o->Value());
         }},
    };

    for (const LoaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        vb::DiscardAllForms();
        ResetProcessState();
        ResetFakePlatform();
        StartupTestEnv env;
        env.copyShippedData();
        env.useFolders();
        c.prepare(env);
        if (!c.message.isEmpty()) Fakes().dialogs.AnswerMsgBox(vbOK);

        frmStationIDWindow& f = frmStationID();

        ASSERT_EQ(Fakes().dialogs.shown.size(), c.message.isEmpty() ? 0 : 1);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(Fakes().dialogs.shown[0].title, "Error opeining file");
            EXPECT_EQ(Fakes().dialogs.shown[0].prompt,
                      "Error opening file\r\n\r\n" + c.message.arg(QDir::toNativeSeparators(env.prog.path())));
            EXPECT_EQ(Fakes().dialogs.shown[0].buttons, vbOKOnly);
        }
        EXPECT_EQ(f.Text6.Text(), c.fieldsFilled ? "0" : "");
        EXPECT_EQ(f.Text3.Text(), c.fieldsFilled ? "0" : "");
        EXPECT_EQ(PrefixTable.Count, c.prefixRows);
        EXPECT_EQ(CWFrm().Text1.Text() == "CQ TQP TEST", c.cwLoaded);
        if (c.more) c.more();
        EXPECT_FALSE(f.isVisible());
    }
}

// The chain reads the prefix table ahead of the setup window (while the fonts load); a table that fails
// is still told at the loader's own step, after the UTC question, and a setup window loaded again reads
// the table afresh.
TEST(StartupLoader, APrefixTableReadAheadIsToldAtTheLoadersStep) {
    StartupTestEnv env;
    env.copyShippedData();
    env.enterProgramFolder();
    env.prog.write("arrlpre2.txt", PrefixRows(1, 10001));
    Fakes().clock.Set(QDateTime(QDate(2013, 9, 14), QTime(12, 0, 0)), 5);
    Fakes().dialogs.AnswerInput("5");
    Fakes().dialogs.AnswerMsgBox(vbOK);
    const QString told = "Error opening file\r\n\r\n" + QDir::toNativeSeparators(env.prog.file("arrlpre2.txt")) +
                         " could not be read (Subscript out of range).";

    RunStartup();
    ASSERT_EQ(Fakes().dialogs.shown.size(), 2);
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "Update the Local Time / UTC Offset?");
    EXPECT_EQ(Fakes().dialogs.shown[1].prompt, told);
    EXPECT_EQ(PrefixTable.Count, 10000);

    vb::Unload(frmStationID());
    env.prog.write("arrlpre2.txt", PrefixRows(1, 3));
    frmStationID();
    EXPECT_EQ(Fakes().dialogs.shown.size(), 2);
    EXPECT_EQ(PrefixTable.Count, 3);
    EXPECT_FALSE(Fakes().dialogs.Unanswered());
}

TEST(StartupLoader, TakesThePrefixFileFromTheFirstFolderThatHasIt) {
    struct Case { bool shared, data; const char* country; };
    const Case cases[] = {{true, true, "Shared Land"}, {false, true, "Data Land"}, {false, false, "Sovereign Military Order of Malta"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.country);
        vb::DiscardAllForms();
        ResetProcessState();
        StartupTestEnv env;
        env.copyShippedData();
        env.useFolders();
        auto put = [](const QString& dir, const char* country) {
            QFile f(dir + "/arrlpre2.txt");
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QString("\"XX\",\"%1\",\"EU\",1,2,3,4,5\r\n").arg(country).toLatin1());
        };
        if (c.shared) put(env.sharedFolder(), "Shared Land");
        if (c.data) put(env.dataFolder(), "Data Land");
        frmStationID();
        EXPECT_EQ(PrefixTable.Country[1], c.country);
    }
}

TEST(StartupLoader, InStateRoverSettingsSelectYesAndYes) {
    StartupTestEnv env;
    env.copyShippedData();
    QByteArray b = Shipped("QSOpref.txt");
    b.replace("\"TY\"\r\n1\r\n0\r\n", "\"TY\"\r\n0\r\n1\r\n");
    env.prog.write("QSOpref.txt", b);
    env.useFolders();
    frmStationIDWindow& f = frmStationID();
    EXPECT_TRUE(f.Option1.Value());
    EXPECT_TRUE(f.Option4.Value());
    EXPECT_TRUE(f.fraRover.Enabled());
    EXPECT_TRUE(f.Option3.Enabled());
}

// ---- the logo ---------------------------------------------------------------------------------

QSize PictureSize(const vb::Image& image) { return static_cast<QLabel*>(image.widget())->pixmap().size(); }

void WriteSplash(const StartupTestEnv& env, const QByteArray& bytes) {
    QDir().mkpath(env.sharedFolder());
    QFile f(env.sharedFolder() + "/splash.jpg");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Jpeg(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG");
    return bytes;
}

// The pictures the build drew are the drawings' own pixels at their usual sizes; any other size is
// drawn when asked for.
TEST(Artwork, TheBuiltPicturesAreTheDrawingsAndOtherSizesAreDrawnNow) {
    const auto same = [](const QPixmap& shown, const QImage& drawn) {
        return shown.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
               drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    EXPECT_TRUE(same(LogoPicture(kLogoPictureSize), DrawLogo(kLogoPictureSize)));
    EXPECT_TRUE(same(RadioPicture(kRadioPictureSize), DrawRadio(kRadioPictureSize)));
    EXPECT_TRUE(same(AntennaIcon(kAntennaPictureSize), DrawAntenna(kAntennaPictureSize)));
    EXPECT_EQ(LogoPicture(QSize(400, 222)).size(), QSize(400, 222));
    EXPECT_TRUE(same(AntennaIcon(32), DrawAntenna(32)));
}

TEST(Logo, BuiltInPicturesShowTheSecondAt1100AndCloseAt1900) {
    StartupTestEnv env;
    frmQ7BZWLogoWindow& logo = frmQ7BZWLogo();
    EXPECT_DOUBLE_EQ(logo.Left(), (Fakes().screen.width - 14355) / 2);
    EXPECT_DOUBLE_EQ(logo.Top(), (Fakes().screen.height - 7920) / 2 - 170);
    EXPECT_TRUE(logo.Image1.HasPicture());
    Fakes().clock.Advance(1099);
    EXPECT_FALSE(logo.Image2.Visible());
    Fakes().clock.Advance(1);
    EXPECT_TRUE(logo.Image2.Visible());
    Fakes().clock.Advance(799);
    EXPECT_NE(vb::IfLoaded<frmQ7BZWLogoWindow>(), nullptr);
    Fakes().clock.Advance(1);
    EXPECT_EQ(vb::IfLoaded<frmQ7BZWLogoWindow>(), nullptr);
    // The shared folder exists once the logo has looked into it.
    EXPECT_TRUE(QFileInfo(env.sharedFolder()).isDir());
}

TEST(Logo, TheUsersPictureReplacesTheBuiltInOneAndStays2700) {
    StartupTestEnv env;
    WriteSplash(env, Jpeg(QSize(321, 123)));
    frmQ7BZWLogoWindow& logo = frmQ7BZWLogo();
    EXPECT_EQ(PictureSize(logo.Image1), QSize(321, 123));
    Fakes().clock.Advance(2699);
    EXPECT_NE(vb::IfLoaded<frmQ7BZWLogoWindow>(), nullptr);
    EXPECT_FALSE(logo.Image2.Visible());
    Fakes().clock.Advance(1);
    EXPECT_EQ(vb::IfLoaded<frmQ7BZWLogoWindow>(), nullptr);
}

TEST(Logo, ASplashThatIsNoPictureKeepsTheBuiltInPictureAndTiming) {
    StartupTestEnv env;
    WriteSplash(env, "this is not a picture\r\n");
    frmQ7BZWLogoWindow& logo = frmQ7BZWLogo();
    EXPECT_TRUE(logo.Image1.HasPicture());
    EXPECT_NE(PictureSize(logo.Image1), QSize(0, 0));
    Fakes().clock.Advance(1100);
    EXPECT_TRUE(logo.Image2.Visible());
    Fakes().clock.Advance(800);
    EXPECT_EQ(vb::IfLoaded<frmQ7BZWLogoWindow>(), nullptr);
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

TEST(Logo, AClickOnThePictureClosesItBeforeItsTimer) {
    StartupTestEnv env;
    ShowActive(frmQ7BZWLogo());
    QTest::mouseClick(frmQ7BZWLogo().Image1.widget(), Qt::LeftButton);
    EXPECT_EQ(vb::IfLoaded<frmQ7BZWLogoWindow>(), nullptr);
    EXPECT_EQ(Fakes().clock.TimeGetTime(), 0u);
}

} // namespace
