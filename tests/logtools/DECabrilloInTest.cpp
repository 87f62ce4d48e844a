// The summary sheet driven as an operator drives it: its layout, the bonuses and the remembered
// address it opens with, the boxes typed and clicked into the file, and what a write that is cancelled
// or fails leaves behind.
#include "core/ProcessState.h"
#include "core/SharedPrefs.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "logtools/DECabrilloIn.h"
#include "platform/vb/Design.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace tylog;
using namespace tylog::testing;

namespace {

using Kind = ScriptedDialogs::Kind;

ContactRecord contact(const char* call, const char* spc, const char* county, const char* sentCounty, const char* band,
                      const char* mode, const char* date, const char* time, const char* serialSent,
                      const char* serialRcvd) {
    ContactRecord r;
    r.Call = call;
    r.Spc = spc;
    r.County = county;
    r.SentCounty = sentCounty;
    r.Band = band;
    r.Mode = mode;
    r.Date = date;
    r.Time = time;
    r.SerialSent = serialSent;
    r.SerialRcvd = serialRcvd;
    return r;
}

ContactRecord ownCounty(const char* call, const char* sentCounty) {
    return contact(call, "", "Ambervale", sentCounty, "20", "PH", "2026/05/02", "14:00:00", "1", "1");
}

const char* const kWrittenEnd = ".\r\n\r\nAttach this file to an e-mail addressed for contest submission.  If you wish to "
                                "print this file, you can open it with Notepad or Wordpad to print.";
const char* const kThanks = "Thanks for using this program.  I hope that you enjoyed it!  If so, please tell a "
                            "friend!\r\n\r\n73, Orrin\r\nQ7BZW";

class SummarySheet : public ::testing::Test {
protected:
    void SetUp() override {
        folder.copyShipped("TYCounty.txt");
        folder.write("log.txt", kWorkingLog);
        Folders.ProgramFolder = folder.path();
        Folders.DataFolder = folder.file("data");
        QDir().mkpath(Folders.DataFolder);
        QDir().mkpath(folder.file("Shared"));
        LoadSharedPrefs(folder.file("Shared/SharedUserPreferences.xml"));
        Station.OwnCall = " K1TY ";
        Station.OwnSpc = "TY";
        Station.OwnArrlSection = "TY";
        Station.HostState = "TY";
        tylog::Run.ProgramVersion = "1.6";
        LoadCounties();
    }

    static void setLog(const std::vector<ContactRecord>& records) {
        ContactLog.Count = 0;
        for (const ContactRecord& r : records) ContactLog.Rec[static_cast<size_t>(++ContactLog.Count)] = r;
    }

    static DECabrilloInWindow& open(const CabrilloLoggingTotals& totals = {}) {
        DECabrilloInWindow& s = DECabrilloIn();
        s.Totals = totals;
        ShowActive(s);
        return s;
    }

    static void type(vb::TextBox& box, const QString& text) {
        box.SetFocus();
        QTest::keyClicks(box.widget(), text);
    }

    static void click(vb::Control& c) { QTest::mouseClick(c.widget(), Qt::LeftButton); }
    // On the option's circle: the rest of its row does not take the click.
    static void choose(vb::OptionButton& o) {
        QTest::mouseClick(o.widget(), Qt::LeftButton, Qt::NoModifier, QPoint(6, o.widget()->height() / 2));
    }

    // The sheet's address boxes, in the order the submitter's values are kept.
    static QStringList addressBoxes(DECabrilloInWindow& s) {
        return {s.Text5.Text(), s.Text6.Text(), s.Text7.Text(), s.Text8.Text(), s.Text2.Text()};
    }

    static QStringList titles() {
        QStringList t;
        for (const auto& d : Fakes().dialogs.shown) t << d.title;
        return t;
    }

    const QByteArray kWorkingLog = "\"W1AW\",\"59\"\r\n";
    ScratchFolder folder;
};

TEST_F(SummarySheet, IsLaidOutAsDesigned) {
    DECabrilloInWindow f; // not loaded: the design values, before the load scales them
    EXPECT_EQ(vb::DesignDifferences(f, {.Caption = "Summary Sheet Information", .ClientWidth = 9225, .ClientHeight = 4290},
                                    {
                                        {f.Frame1, "Entry Category", 240, 240, 5655},
                                        {f.OptClass[0], "Single-Op", 120, 240},
                                        {f.OptClass[1], "Mobile", 120, 480},
                                        {f.OptClass[2], "Club", 120, 720},
                                        {f.OptClass[3], "Mult-Single", 2760, 240},
                                        {f.OptClass[4], "Multi-Multi", 2760, 480},
                                        {f.OptClass[5], "Expedition", 2760, 720},
                                        {f.Frame2, "Power", 6000, 240, 1455},
                                        {f.Option4, "High", 120, 240},
                                        {f.Option3, "Low", 120, 480},
                                        {f.Option1, "QRP", 120, 720},
                                        {f.txtClass, "", 7560, 720, 1335},
                                        {f.Label5, "License Class", 7560},
                                        {f.txtQ8BNS, "0", 3840, 1440, 495},
                                        {f.Label3, "Bonus points (500) if worked Q8BNS:", 240, 1440},
                                        {f.txtCountyBonus, "0", 7320, 1800, 735},
                                        {f.Label4, "Bonus points - Mobiles - 100 for each county from which a QSO was logged:",
                                         240, 1800},
                                        {f.Text5, "", 1800, 2280, 2055},
                                        {f.Label6, "Your Name:", 240, 2280},
                                        {f.Text6, "", 1800, 2640, 2055},
                                        {f.Label9, "Address Line 1:", 240, 2640},
                                        {f.Text7, "", 1800, 3000, 2055},
                                        {f.Label8, "Address Line 2:", 240, 3000},
                                        {f.Text8, "", 1800, 3360, 2055},
                                        {f.Label7, "Email Address:", 240, 3360},
                                        {f.Text2, "", 1800, 3720, 2055},
                                        {f.Label2, "Club Name:", 240, 3720},
                                        {f.Text1, "", 6840, 2400, 2175},
                                        {f.Label1, "If Multi Op, list all calls:", 4320, 2400},
                                        {f.Text11, "", 4320, 3360, 3855},
                                        {f.Label12, "Soapbox (Add any comments you would like to make about the contest):",
                                         4320, 2760},
                                        {f.Command4, "Write Cabrillo File", 4320, 3720, 3855},
                                        {f.Command3, "Done", 8280, 3720, 735},
                                    })
                  .join('\n')
                  .toStdString(),
              "");
    EXPECT_TRUE(f.OptClass[0].Value());
    EXPECT_TRUE(f.Option3.Value());
    EXPECT_FALSE(f.Option4.Value() || f.Option1.Value());
    // Tab order: the category and power choices, then the boxes top to bottom, then the buttons.
    const vb::Control* order[] = {&f.txtClass, &f.txtQ8BNS, &f.txtCountyBonus, &f.Text5, &f.Text6, &f.Text7,
                                  &f.Text8,    &f.Text2,    &f.Text1,          &f.Text11, &f.Command4, &f.Command3};
    for (size_t i = 1; i < std::size(order); ++i)
        EXPECT_LT(order[i - 1]->TabIndex(), order[i]->TabIndex()) << order[i]->Name.toStdString();
}

TEST_F(SummarySheet, OpensWithTheBonusesOfTheLog) {
    struct Case {
        const char* what;
        std::uint8_t rover;
        std::vector<ContactRecord> log;
        const char* countyBonus;
        const char* stationBonus;
    };
    const Case cases[] = {
        {"a rover in three own counties, one in two spellings", 1,
         {ownCounty("W1A", "Alderbrook"), ownCounty("W1B", "Ambervale"), ownCounty("W1C", "ALDERBROOK"),
          ownCounty("W1D", "Ashcombe")},
         "300", "0"},
        {"a rover with an empty log", 1, {}, "0", "0"},
        {"a fixed station", 0, {ownCounty("W1A", "Alderbrook"), ownCounty("W1B", "Ambervale")}, "0", "0"},
        {"an empty own county counts as one", 1, {ownCounty("W1A", "Alderbrook"), ownCounty("W1B", "")}, "200", "0"},
        {"the bonus station in lower case, twice", 0, {ownCounty("q8bns", ""), ownCounty("Q8BNS", "")}, "0", "500"},
        {"the bonus station with a suffix", 0, {ownCounty("Q8BNS/M", ""), ownCounty("Q8BNSX", "")}, "0", "0"},
    };
    for (const Case& c : cases) {
        Station.RoverFlag = c.rover;
        setLog(c.log);
        DECabrilloInWindow& s = open();
        EXPECT_EQ(s.txtCountyBonus.Text(), c.countyBonus) << c.what;
        EXPECT_EQ(s.txtQ8BNS.Text(), c.stationBonus) << c.what;
        vb::Unload(s);
    }
}

// Letters typed into the operators and licence class boxes come out as capitals; every box reaches
// its line of the file as typed; a bonus box that holds no number is set back to 0 before writing.
TEST_F(SummarySheet, WritesTheBoxesIntoTheFileAndConfirms) {
    Station.RoverFlag = 1;
    setLog({contact("W1AW", "CT", "", "Alderbrook", "20", "CW", "2026/05/02", "14:01:02", "1", "5"),
            contact("Q8BNS", "", "Ambervale", "ashcombe", "40", "PH", "2026/05/02", "14:30:00", "2", "7")});
    DECabrilloInWindow& s = open({CabrilloWindow::InState, "1,234", 2, 1, 3});
    ASSERT_EQ(s.txtCountyBonus.Text(), "200");
    ASSERT_EQ(s.txtQ8BNS.Text(), "500");

    choose(s.OptClass[4]);
    choose(s.Option1);
    type(s.txtClass, "extra");
    type(s.Text1, "k1ty k2ty");
    type(s.Text5, " Pat Doe ");
    type(s.Text6, "1 Main St");
    type(s.Text7, "Springfield");
    type(s.Text8, "pat@example.com");
    type(s.Text2, "Tessaly Contest Club");
    type(s.Text11, "Great fun.");
    s.txtQ8BNS.setText("");
    type(s.txtQ8BNS, "five");
    EXPECT_EQ(s.txtClass.Text(), "EXTRA");
    EXPECT_EQ(s.Text1.Text(), "K1TY K2TY");
    EXPECT_EQ(s.Text5.Text(), " Pat Doe ");

    const QString target = folder.file("data/K1TY.log");
    Fakes().dialogs.AnswerSave(target);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    click(s.Command4);

    // Latin-1 maps byte to character one to one: the bytes are compared, and shown as lines.
    EXPECT_EQ(QString::fromLatin1(folder.read("data/K1TY.log")),
              CrLfLines({
                  "START-OF-LOG: 2.0",
                  "CREATED-BY: Q7BZW's TY State QSO Party Program 1.6",
                  "CALLSIGN: K1TY",
                  "ARRL-SECTION: TY",
                  "CONTEST: State QSO Party - TY",
                  "CATEGORY: MULTI-MULTI QRP",
                  "CLUB: Tessaly Contest Club",
                  "CLAIMED-SCORE:  1434 ",
                  "LICENSE CLASS: EXTRA",
                  "TOTAL COUNTIES AND CITIES:  2 ",
                  "TOTAL STATES AND PROVINCES:  3 ",
                  "TOTAL DX:  1 ",
                  "TOTAL PHONE CONTACTS:  1 ",
                  "TOTAL CW AND DIGITAL CONTACTS:  1 ",
                  "TOTAL TY MOBILE CONTACTS:  0 ",
                  "NUMBER OF TY CITIES AND COUNTIES FROM WHICH YOU LOGGED CONTACTS AS MOBILE:  2 ",
                  "BONUS POINTS FOR Q8BNS CONTACT:  0 ",
                  "OPERATORS: K1TY K2TY",
                  "NAME:  Pat Doe ",
                  "ADDRESS: 1 Main St",
                  "ADDRESS: Springfield",
                  "ADDRESS: (e-mail) pat@example.com",
                  "SOAPBOX: Great fun.",
                  "QSO: 14000 CW 2026-05-02 1401 K1TY         1 ALDE      W1AW         5 CT",
                  "QSO:  7000 PH 2026-05-02 1430 K1TY         2 ASHC      Q8BNS        7 AMBE",
                  "END-OF-LOG:",
              }));
    EXPECT_EQ(s.txtQ8BNS.Text(), "0");
    EXPECT_EQ(Station.OwnCall, "K1TY");

    ASSERT_EQ(Fakes().dialogs.shown.size(), 3);
    const auto& save = Fakes().dialogs.shown[0];
    EXPECT_EQ(save.kind, Kind::Save);
    EXPECT_EQ(save.file.FileName, folder.file("data/K1TY.log"));
    EXPECT_EQ(save.file.InitDir, folder.file("data"));
    EXPECT_EQ(save.file.Filter, "LOG Files (*.log) | *.log");
    EXPECT_EQ(Fakes().dialogs.shown[1].title, "File Written Successfully.");
    EXPECT_EQ(Fakes().dialogs.shown[1].prompt,
              "The file was successfully written to the directory:\r\n\r\n" + target + kWrittenEnd);
    EXPECT_EQ(Fakes().dialogs.shown[1].buttons, vbOKOnly);
    EXPECT_EQ(Fakes().dialogs.shown[2].title, "  Thanks!");
    EXPECT_EQ(Fakes().dialogs.shown[2].prompt, kThanks);
    EXPECT_EQ(Fakes().dialogs.shown[2].buttons, vbOKOnly);
    EXPECT_EQ(Fakes().dialogs.beeps, 0);
    EXPECT_TRUE(s.Command3.HasFocus());
    EXPECT_TRUE(s.isVisible()) << "the sheet stays open for another write";

    // Written again to the same name: replaced, and stored again.
    s.Text5.setText("Pat Roe");
    Fakes().dialogs.AnswerSave(target);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    click(s.Command4);
    EXPECT_TRUE(folder.read("data/K1TY.log").contains("\r\nNAME: Pat Roe\r\n"));
    EXPECT_EQ(RecallSubmitter().Name, "Pat Roe");
}

TEST_F(SummarySheet, RemembersTheAddressTrimmedForTheNextOpening) {
    DECabrilloInWindow& first = open({CabrilloWindow::OutOfState, "0", 0, 0, 0});
    EXPECT_EQ(addressBoxes(first), QStringList({"", "", "", "", ""}));
    type(first.Text5, " Pat Doe ");
    type(first.Text6, "1 Main St ");
    type(first.Text7, " Springfield");
    type(first.Text8, "pat@example.com");
    type(first.Text2, " TCC");
    type(first.Text1, "K2TY");
    type(first.Text11, "Fun");
    type(first.txtClass, "GENERAL");
    choose(first.OptClass[1]);
    choose(first.Option4);
    Fakes().dialogs.AnswerSave(folder.file("data/K1TY.log"));
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    click(first.Command4);
    click(first.Command3);
    EXPECT_FALSE(first.isVisible());
    vb::Unload(first);

    const QByteArray prefs = folder.read("Shared/SharedUserPreferences.xml");
    EXPECT_TRUE(prefs.endsWith("<OWN_ADDRESS_NAME>Pat Doe</OWN_ADDRESS_NAME>\r\n<OWN_ADDRESS_LINE1>1 Main St</OWN_ADDRESS_LINE1>\r\n"
                               "<OWN_ADDRESS_LINE2>Springfield</OWN_ADDRESS_LINE2>\r\n<OWN_EMAIL>pat@example.com</OWN_EMAIL>\r\n"
                               "<OWN_CLUB_NAME>TCC</OWN_CLUB_NAME>\r\n"))
        << prefs.toStdString();

    // Only the address values come back; everything else starts as designed.
    DECabrilloInWindow& next = open();
    EXPECT_EQ(addressBoxes(next), QStringList({"Pat Doe", "1 Main St", "Springfield", "pat@example.com", "TCC"}));
    EXPECT_EQ(next.Text1.Text(), "");
    EXPECT_EQ(next.Text11.Text(), "");
    EXPECT_EQ(next.txtClass.Text(), "");
    EXPECT_TRUE(next.OptClass[0].Value());
    EXPECT_TRUE(next.Option3.Value());
}

TEST_F(SummarySheet, CancelWritesShowsAndStoresNothing) {
    DECabrilloInWindow& s = open();
    type(s.Text5, "Pat Doe");
    Fakes().dialogs.AnswerSave("");
    click(s.Command4);
    EXPECT_EQ(titles().size(), 1) << "the save dialog only";
    EXPECT_EQ(Fakes().dialogs.beeps, 0);
    EXPECT_TRUE(QDir(Folders.DataFolder).isEmpty());
    EXPECT_TRUE(Fakes().registry.values.isEmpty());
    EXPECT_FALSE(folder.exists("Shared/SharedUserPreferences.xml"));
    EXPECT_TRUE(s.isVisible());
}

// Every failure beeps and shows why under one title, leaves the sheet open and stores nothing.
TEST_F(SummarySheet, AFailedWriteIsReportedAndStoresNothing) {
    struct Case {
        const char* what;
        QString target;
        const char* score;
        const char* badDate;
        const char* because; // part of the description shown
    };
    const Case cases[] = {
        {"a folder that does not exist", folder.file("data/missing/K1TY.log"), "10", "2026/05/02", ""},
        {"the program's own log", folder.file("log.txt"), "10", "2026/05/02", "log.txt"},
        {"the program's own log in other letters", folder.file("LOG.TXT"), "10", "2026/05/02", "log.txt"},
        {"a record whose date cannot be read", folder.file("data/K1TY.log"), "10", "2026/13/45", "Record 2"},
        {"a score label that is no number", folder.file("data/K1TY.log"), "--", "2026/05/02", "Type mismatch"},
    };
    for (const Case& c : cases) {
        setLog({ownCounty("W1A", "Alderbrook"), contact("W1B", "", "Ambervale", "", "20", "PH", c.badDate, "14:00", "2", "2")});
        DECabrilloInWindow& s = open({CabrilloWindow::OutOfState, c.score, 1, 0, 0});
        type(s.Text5, "Pat Doe");
        Fakes().dialogs.AnswerSave(c.target);
        Fakes().dialogs.AnswerMsgBox(vbOK);
        click(s.Command4);

        EXPECT_EQ(titles(), QStringList({"", "Unable to write file."})) << c.what;
        EXPECT_TRUE(Fakes().dialogs.shown.back().prompt.contains(c.because))
            << c.what << ": " << Fakes().dialogs.shown.back().prompt.toStdString();
        EXPECT_FALSE(Fakes().dialogs.shown.back().prompt.isEmpty()) << c.what;
        EXPECT_EQ(Fakes().dialogs.beeps, 1) << c.what;
        EXPECT_TRUE(s.isVisible()) << c.what;
        EXPECT_TRUE(QDir(Folders.DataFolder).isEmpty()) << c.what;
        EXPECT_EQ(folder.read("log.txt"), kWorkingLog) << c.what;
        EXPECT_FALSE(folder.exists("LOG.TXT")) << c.what;
        EXPECT_TRUE(Fakes().registry.values.isEmpty()) << c.what;
        vb::Unload(s);
        Fakes().dialogs.Reset();
    }
}

// The file is written before the values are stored: a store that fails comes after the two messages.
TEST_F(SummarySheet, AnAddressThatCannotBeStoredIsReportedAfterTheFile) {
    LoadSharedPrefs(folder.file("Shared/missing/SharedUserPreferences.xml"));
    DECabrilloInWindow& s = open({CabrilloWindow::OutOfState, "0", 0, 0, 0});
    Fakes().dialogs.AnswerSave(folder.file("data/K1TY.log"));
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    click(s.Command4);
    EXPECT_EQ(titles(), QStringList({"", "File Written Successfully.", "  Thanks!", "Unable to write file."}));
    EXPECT_FALSE(Fakes().dialogs.shown.back().prompt.isEmpty());
    EXPECT_EQ(Fakes().dialogs.beeps, 1);
    EXPECT_TRUE(folder.read("data/K1TY.log").endsWith("END-OF-LOG:\r\n"));
}

} // namespace
