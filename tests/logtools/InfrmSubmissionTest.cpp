// "&Write Submission File" in the in-state window: the summary sheet takes the window's score, its
// worked-county and worked-DX lists and its count of states and provinces, opens over the window, is
// written as an operator writes it and is unloaded when it closes; a rover's sheet counts the own
// counties the window logged from.
#include "core/SharedPrefs.h"
#include "logtools/DECabrilloIn.h"
#include "platform/Platform.h"
#include "tests/logging/InfrmFixture.h"

using namespace tylog;
using namespace tylog::testing;

namespace {

class InfrmSubmissionTest : public InfrmFixture {
protected:
    void SetUp() override {
        InfrmFixture::SetUp();
        Station.OwnArrlSection = "TY";
        tylog::Run.ProgramVersion = "1.6";
        QDir().mkpath(folder.file("Shared"));
        LoadSharedPrefs(folder.file("Shared/SharedUserPreferences.xml"));
    }

    // Picks the menu item, writes the file from the sheet to data/<name> and closes it with Done;
    // returns the sheet's county bonus as it opened.
    QString writeSubmission(InfrmWindow& w, const QString& name) {
        Fakes().dialogs.AnswerSave(folder.file("data/" + name));
        Fakes().dialogs.AnswerMsgBox(vbOK);
        Fakes().dialogs.AnswerMsgBox(vbOK);
        QString countyBonus;
        platform().onModalShown = [&](vb::Form& f) {
            auto& sheet = dynamic_cast<DECabrilloInWindow&>(f);
            countyBonus = sheet.txtCountyBonus.Text();
            QTest::mouseClick(sheet.Command4.widget(), Qt::LeftButton);
            QTest::mouseClick(sheet.Command3.widget(), Qt::LeftButton);
        };
        w.mnuWriteSumm.action()->trigger();
        platform().onModalShown = nullptr;
        EXPECT_EQ(vb::IfLoaded<DECabrilloInWindow>(), nullptr) << "unloaded when it closes";
        return countyBonus;
    }
};

TEST_F(InfrmSubmissionTest, TheSheetTakesTheWindowsTotalsAndWritesTheWholeFile) {
    QByteArray log;
    log += Contact({.call = "N0ABC", .county = "Alderbrook"});
    log += Contact({.call = "N0XYZ/M", .county = "Ambervale", .band = "40", .mode = "CW", .time = "14:05:00", .serialSent = "002"});
    log += Contact({.call = "W1AW", .spc = "CT", .county = "", .time = "14:10:00", .serialSent = "003"});
    log += Contact({.call = "K2ABC", .spc = "NY", .county = "", .mode = "CW", .time = "14:11:00", .serialSent = "004"});
    log += Contact({.call = "VE3ABC", .spc = "ON", .county = "", .band = "15", .time = "14:12:00", .serialSent = "005"});
    log += Contact({.call = "DL1AB", .spc = "Germany", .county = "", .time = "14:20:00", .serialSent = "006"});
    InfrmWindow& w = open(log);
    // Each total a different number, so that none can stand in for another.
    ASSERT_EQ(w.List2.ListCount(), 2);
    ASSERT_EQ(w.List1.ListCount(), 1);
    ASSERT_EQ(tylog::Run.MultiplierCount, 3);
    ASSERT_EQ(w.lblTotScore.Caption(), "54");

    EXPECT_EQ(writeSubmission(w, "N0TY.log"), "0") << "a fixed station has no county bonus";
    EXPECT_EQ(folder.read("data/N0TY.log"),
              CrLfLines({
                  "START-OF-LOG: 2.0",
                  "CREATED-BY: Q7BZW's TY State QSO Party Program 1.6",
                  "CALLSIGN: N0TY",
                  "ARRL-SECTION: TY",
                  "CONTEST: State QSO Party - TY",
                  "CATEGORY: SINGLE-OP LOW",
                  "CLUB: ",
                  "CLAIMED-SCORE:  54 ",
                  "LICENSE CLASS: ",
                  "TOTAL COUNTIES AND CITIES:  2 ",
                  "TOTAL STATES AND PROVINCES:  3 ",
                  "TOTAL DX:  1 ",
                  "TOTAL PHONE CONTACTS:  4 ",
                  "TOTAL CW AND DIGITAL CONTACTS:  1 ",
                  "TOTAL TY MOBILE CONTACTS:  1 ",
                  "NUMBER OF TY CITIES AND COUNTIES FROM WHICH YOU LOGGED CONTACTS AS MOBILE:  0 ",
                  "BONUS POINTS FOR Q8BNS CONTACT:  0 ",
                  "OPERATORS: N0TY",
                  "NAME: ",
                  "ADDRESS: ",
                  "ADDRESS: ",
                  "ADDRESS: (e-mail) ",
                  "SOAPBOX: ",
                  "QSO: 14000 PH 2013-09-15 1401 N0TY       001 LARK      N0ABC        5 ALDE",
                  "QSO:  7000 CW 2013-09-15 1405 N0TY       002 LARK      N0XYZ/M      5 AMBE",
                  "QSO: 14000 PH 2013-09-15 1410 N0TY       003 LARK      W1AW         5 CT",
                  "QSO: 14000 CW 2013-09-15 1411 N0TY       004 LARK      K2ABC        5 NY",
                  "QSO: 21000 PH 2013-09-15 1412 N0TY       005 LARK      VE3ABC       5 ON",
                  "QSO: 14000 PH 2013-09-15 1420 N0TY       006 LARK      DL1AB        5 DX",
                  "END-OF-LOG:",
              }));
}

// A rover's sheet counts the own counties the log was sent from: 100 points and one county each.
TEST_F(InfrmSubmissionTest, ARoversSheetCountsTheCountiesItLoggedFrom) {
    Station.RoverFlag = 1;
    InfrmWindow& w = open(Contact({.call = "N0ABC", .county = "Alderbrook"}) +
                          Contact({.call = "W1AW", .spc = "CT", .county = "", .time = "14:10:00"}));
    w.cmdLogOn_Click();
    Station.CurrentCounty = "Ambervale"; // moved on
    log(w, "k2abc", "7", "ny");
    ASSERT_EQ(ContactLog.Count, 3) << w.lblDialog.Caption().toStdString();
    const QString score = w.lblTotScore.Caption();

    EXPECT_EQ(writeSubmission(w, "N0TY.log"), "200");
    const QByteArray file = folder.read("data/N0TY.log");
    EXPECT_TRUE(file.contains("\r\nCLAIMED-SCORE:  " + QByteArray::number(score.toInt() + 200) + " \r\n")) << file.toStdString();
    EXPECT_TRUE(file.contains("\r\nTOTAL STATES AND PROVINCES:  2 \r\n")) << file.toStdString();
    EXPECT_TRUE(file.contains("\r\nNUMBER OF TY CITIES AND COUNTIES FROM WHICH YOU LOGGED CONTACTS AS MOBILE:  2 \r\n"))
        << file.toStdString();
}

} // namespace
