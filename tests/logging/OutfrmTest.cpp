// The out-of-state window driven as an operator drives it: keys into the entry boxes, scripted
// answers to its questions, a fake clock.
#include "keying/KeyerState.h"
#include "keying/WinKeySetup.h"
#include "tests/logging/OutfrmFixture.h"
#include "tests/support/FailingCalls.h"
#include "tests/support/LinkDoubles.h"

using namespace tylog;
using namespace tylog::testing;

namespace {

class OutfrmTest : public OutfrmFixture {
protected:
    static void type(vb::TextBox& box, const QString& text) {
        box.SetFocus();
        QTest::keyClicks(box.widget(), text);
    }

    static void enter(vb::TextBox& box) { QTest::keyClick(box.widget(), Qt::Key_Return); }

    void logContact(OutfrmWindow& w, const QString& call, const QString& serial, const QString& county) {
        type(w.txtCall, call);
        type(w.txtRSTR, serial);
        type(w.txtSec, county);
        enter(w.txtSec);
    }
};

TEST_F(OutfrmTest, LoadsLaysOutAndAsksToOpenTheLog) {
    OutfrmWindow& w = open();
    const auto& shown = Fakes().dialogs.shown;
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].title, "Open existing log?");
    EXPECT_EQ(shown[0].buttons, vbYesNo | vbQuestion);
    EXPECT_EQ(w.Label1.Caption(), "001");
    EXPECT_EQ(w.Label2.Caption(), "W9XYZ");
    EXPECT_EQ(w.Label25.Caption(), "IL");
    EXPECT_EQ(w.Label30.Caption(), "PH");
    EXPECT_TRUE(w.mnuSSB.Checked());
    EXPECT_FALSE(w.mnu160.Checked());
    EXPECT_TRUE(w.mnuBand20Ch.Checked());
    EXPECT_EQ(w.Label24.Caption(), "20");
    EXPECT_EQ(w.ListView1.ColumnCount(), 8);
    EXPECT_EQ(w.txtDX.ColumnCount(), 8);
    EXPECT_EQ(w.txtDX.ColumnWidth(3), 0);
    EXPECT_EQ(w.lblStation[7].Caption(), "Counties To Go - " + QString::number(w.List1.ListCount()));
    EXPECT_EQ(w.lblTotScore.Caption(), "0");
    EXPECT_FALSE(w.mnuOpen.Enabled());
    EXPECT_FALSE(w.mnuHearthbookImport.Enabled());
    EXPECT_FALSE(w.mnuColors.Enabled());
    // At 100 % the window covers the screen from its top-left corner, and both county lists end at Line3.
    EXPECT_EQ(w.Left(), 0);
    EXPECT_EQ(w.Width(), Fakes().screen.width);
    EXPECT_DOUBLE_EQ(w.List1.Top() + w.List1.Height(), w.Line3.Y1());
    EXPECT_DOUBLE_EQ(w.List2.Height(), w.List1.Height());
}

TEST_F(OutfrmTest, EnterLogsTheContactAndWritesItsLine) {
    OutfrmWindow& w = open();
    tylog::Run.RigFrequencyText = "14.250";
    logContact(w, "n0call", "7", "Larkmoor");
    EXPECT_EQ(folder.read("log.txt"),
              QByteArray("\"N0CALL\",\"\",\"\",\"\",\"Larkmoor\",\"\",\"\",\"\",\"\",\"\",\"001\",\"2013/09/15\",\"14:01:02\","
                         "\"PH\",\"20\",0,\"\",\"\",\"7\",\"14.250\"\r\n"));
    EXPECT_EQ(ContactLog.Count, 1);
    EXPECT_EQ(w.Label1.Caption(), "002");
    EXPECT_EQ(w.txtCall.Text(), "");
    EXPECT_EQ(w.txtSec.Text(), "");
    EXPECT_TRUE(w.txtCall.HasFocus());
    EXPECT_EQ(w.lblTotSec.Caption(), "1");
    EXPECT_EQ(w.Label27.Caption(), "1");
    EXPECT_EQ(w.lblTotScore.Caption(), "1");
    EXPECT_EQ(tylog::Run.RigFrequencyText, "");
    EXPECT_EQ(w.ListView1.ItemCount(), 1);
    EXPECT_EQ(w.ListView1.ItemText(0, 5), "09/15 14:01");
    EXPECT_TRUE(tylog::Run.TimeOnRunning); // the first Enter starts the operating-time clock

    // The second contact carries no frequency: the radio reported none in between.
    // Typed, an abbreviation would be completed to a name; set, it is what Mains expands.
    type(w.txtCall, "K1ABC/M");
    type(w.txtRSTR, "12");
    w.txtSec.setText("LARK");
    enter(w.txtSec);
    EXPECT_EQ(ContactLog.Rec[2].County, "Larkmoor"); // the abbreviation stored as the county's name
    EXPECT_EQ(ContactLog.Rec[2].Frequency, "");
    EXPECT_EQ(w.Label27.Caption(), "4");
    EXPECT_EQ(w.lblTotSec.Caption(), "1");
}

TEST_F(OutfrmTest, RefusedEntriesLeaveTheLogAlone) {
    OutfrmWindow& w = open();
    struct Case { const char* call; const char* serial; const char* county; const char* message; vb::TextBox* focus; };
    const Case cases[] = {
        {"K1", "5", "Larkmoor", "Need Call Sign!", &w.txtCall},
        {"K1ABC", "", "Larkmoor", "Need Serial!", &w.txtRSTR},
        {"K1ABC", "5", "Nowhere", "Nowhere is not a valid county!", &w.txtSec},
        {"", "", "", " is not a valid county!", &w.txtSec},
    };
    for (const Case& c : cases) {
        for (vb::TextBox* b : {&w.txtCall, &w.txtRSTR, &w.txtSec}) b->setText(QString());
        w.txtCall.setText(c.call);
        w.txtRSTR.setText(c.serial);
        w.txtSec.setText(c.county);
        w.Mains();
        EXPECT_EQ(w.lblDialog.Caption(), c.message) << c.call;
        EXPECT_TRUE(c.focus->HasFocus()) << c.call;
        EXPECT_EQ(ContactLog.Count, 0);
    }
    EXPECT_EQ(folder.read("log.txt"), QByteArray());
}

TEST_F(OutfrmTest, DuplicateIsRefusedOnSameBandModeAndCounty) {
    OutfrmWindow& w = open();
    logContact(w, "K1ABC", "5", "Larkmoor");
    type(w.txtCall, "K1ABC");
    type(w.txtRSTR, "6");
    type(w.txtSec, "Larkmoor");
    const int beeps = Fakes().dialogs.beeps;
    enter(w.txtSec);
    EXPECT_EQ(ContactLog.Count, 1);
    EXPECT_TRUE(w.lblDialog.Caption().startsWith("Duplicate K1ABC  2013/09/15  14:01:02   Rec# 1"));
    EXPECT_EQ(w.lblDialog.BackColor(), 0x0000FF);
    EXPECT_EQ(Fakes().dialogs.beeps, beeps + 1);
    EXPECT_EQ(w.txtCall.Text(), "");
    // Another band is no duplicate.
    Station.CurrentBand = "40";
    logContact(w, "K1ABC", "6", "Larkmoor");
    EXPECT_EQ(ContactLog.Count, 2);
}

TEST_F(OutfrmTest, AFailedAppendStoresNothingAndKeepsTheEntry) {
    OutfrmWindow& w = open();
    // A folder in place of log.txt makes the append fail.
    QFile::remove(folder.file("log.txt"));
    QDir().mkdir(folder.file("log.txt"));
    Fakes().dialogs.AnswerMsgBox(vbOK);
    logContact(w, "K1ABC", "5", "Larkmoor");
    EXPECT_EQ(ContactLog.Count, 0);
    EXPECT_EQ(ContactLog.Rec[1].Call, "");
    EXPECT_EQ(w.txtCall.Text(), "K1ABC");
    EXPECT_EQ(Fakes().dialogs.shown.back().title, "Unable to write file.");
    EXPECT_TRUE(Fakes().dialogs.shown.back().prompt.endsWith(
        "\r\n\r\nThe contact was not logged; it is still in the entry line."));
    EXPECT_EQ(w.Label1.Caption(), "001");
}

TEST_F(OutfrmTest, AFullDiskSaysSoAndEnterAgainLogsTheContact) {
    OutfrmWindow& w = open();
    {
        FailingCall full(FailingCall::Write, "log.txt", ENOSPC);
        Fakes().dialogs.AnswerMsgBox(vbOK);
        logContact(w, "K1ABC", "5", "Larkmoor");
        EXPECT_EQ(full.failures(), 1);
    }
    EXPECT_EQ(ContactLog.Count, 0);
    EXPECT_EQ(Fakes().dialogs.shown.back().prompt,
              "The disk is full: " + QDir::toNativeSeparators(folder.file("log.txt")) +
                  " could not be written.\r\n\r\nThe contact was not logged; it is still in the entry line. Free "
                  "some space on the disk, then press Enter again to log it.");
    EXPECT_EQ(w.txtCall.Text(), "K1ABC");
    // Space freed: Enter logs what the entry line still holds.
    enter(w.txtSec);
    EXPECT_EQ(ContactLog.Count, 1);
    EXPECT_EQ(w.txtCall.Text(), "");
    EXPECT_EQ(folder.read("log.txt").count("\r\n"), 1);
}

TEST_F(OutfrmTest, AContactOnDiskIsLoggedEvenWhenClosingTheFileFails) {
    OutfrmWindow& w = open(Contact("K0AA"));
    {
        FailingCall failing(FailingCall::Close, "log.txt");
        logContact(w, "K1ABC", "5", "Larkmoor");
        EXPECT_GE(failing.failures(), 1);
    }
    // No message, and memory agrees with the file: the same contact again is a duplicate.
    EXPECT_TRUE(Fakes().dialogs.shown.size() == 1); // "Open existing log?" only
    EXPECT_EQ(ContactLog.Count, 2);
    EXPECT_EQ(folder.read("log.txt").count("\r\n"), 2);
    EXPECT_EQ(w.txtCall.Text(), "");
    logContact(w, "K1ABC", "5", "Larkmoor");
    EXPECT_EQ(ContactLog.Count, 2);
    EXPECT_TRUE(w.lblDialog.Caption().startsWith("Duplicate K1ABC"));
    EXPECT_EQ(folder.read("log.txt").count("\r\n"), 2);
}

TEST_F(OutfrmTest, AFullLogRefusesTheNextContact) {
    QByteArray log;
    const QByteArray line = "\"K0XX\",\"\",\"\",\"\",\"Larkmoor\",\"\",\"\",\"\",\"\",\"\",\"1\",\"2013/09/15\",\"10:00:00\","
                            "\"CW\",\"40\",0,\"\",\"\",\"1\",\"\"\r\n";
    for (int i = 0; i < ContactLogData::Capacity; ++i) log += line;
    OutfrmWindow& w = open(log);
    ASSERT_EQ(ContactLog.Count, ContactLogData::Capacity);
    const int beeps = Fakes().dialogs.beeps;
    logContact(w, "K1ABC", "5", "Larkmoor");
    EXPECT_EQ(ContactLog.Count, ContactLogData::Capacity);
    EXPECT_TRUE(w.lblDialog.Caption().contains("full"));
    EXPECT_GT(Fakes().dialogs.beeps, beeps);
    EXPECT_EQ(folder.read("log.txt").size(), log.size());
}

TEST_F(OutfrmTest, ABadCountyFileStopsTheLoadAndNothingCanBeLogged) {
    folder.write("log.txt", QByteArray("\"K0XX\",\"\",\"\",\"\",\"Larkmoor\",\"\",\"\",\"\",\"\",\"\",\"1\",\"2013/09/15\","
                                       "\"10:00:00\",\"CW\",\"40\",0,\"\",\"\",\"1\",\"\"\r\n"));
    QFile::remove(folder.file("TYCounty.txt"));
    Fakes().dialogs.AnswerMsgBox(vbOK); // the report that the log was not loaded
    OutfrmWindow& w = Outfrm();
    ShowActive(w);
    EXPECT_EQ(Fakes().dialogs.shown.back().title, "Log Not Loaded");
    w.txtCall.setText("K1ABC");
    w.txtRSTR.setText("5");
    w.txtSec.setText("Larkmoor");
    EXPECT_NO_THROW(w.Mains());
    EXPECT_EQ(ContactLog.Count, 0);
    EXPECT_EQ(folder.read("log.txt").count('\n'), 1);
}

TEST_F(OutfrmTest, ClosingIsRefusedWhileCWIsSentAndBacksUpAChangedLog) {
    OutfrmWindow& w = open();
    logContact(w, "K1ABC", "5", "Larkmoor");
    Keyer.CWSending = 1;
    Keyer.CWBuffer = "TU";
    EXPECT_FALSE(vb::Unload(w, vb::vbFormControlMenu));
    EXPECT_EQ(Keyer.CWBuffer, "");
    EXPECT_EQ(Fakes().end.ended, 0);

    Keyer.CWSending = 0;
    Fakes().clock.Advance(5 * 60 * 1000);
    frmWinKey(); // loaded with the external keyer chosen
    EXPECT_TRUE(vb::Unload(w, vb::vbFormControlMenu));
    EXPECT_EQ(Fakes().end.ended, 1);
    EXPECT_EQ(vb::IfLoaded<frmWinKeyWindow>(), nullptr) << "unloaded with the window, which closes the device";
    const QStringList backups = QDir(Folders.BackupFolder).entryList(QDir::Files);
    EXPECT_EQ(backups, QStringList{"201309150906.log"});
    // The clock ran, so the operating time was saved: five minutes.
    EXPECT_FLOAT_EQ(Station.OperSecondsSaved, 300);
}

TEST_F(OutfrmTest, TimeOnAndOffKeepTheOperatingTime) {
    Station.OperSecondsSaved = 0;
    OutfrmWindow& w = open();
    w.cmdLogOn.RaiseClick();
    EXPECT_EQ(w.cmdLogOn.Caption(), TimeOffCaption);
    Fakes().clock.Advance(90 * 60 * 1000);
    EXPECT_EQ(w.lblttrack.Caption(), "01:30:00");
    w.cmdLogOn.RaiseClick();
    EXPECT_EQ(w.cmdLogOn.Caption(), TimeOnCaption);
    EXPECT_FLOAT_EQ(Station.OperSecondsSaved, 5400);
    EXPECT_EQ(w.lblDialog.Caption(), "Logged Off at 9/15/2013 15:31:02");
    EXPECT_TRUE(folder.exists("QSOpref.txt"));
    EXPECT_EQ(w.lblutctime.Caption(), "15:31:02");
    EXPECT_EQ(w.lblCurTime.Caption(), "10:31:02");
    EXPECT_EQ(w.Label16.Caption(), "AM");
}

TEST_F(OutfrmTest, NoToOpenExistingLogBacksUpBeforeErasing) {
    folder.write("log.txt", QByteArray("\"K0XX\",\"\",\"\",\"\",\"Larkmoor\",\"\",\"\",\"\",\"\",\"\",\"1\",\"2013/09/15\","
                                       "\"10:00:00\",\"CW\",\"40\",0,\"\",\"\",\"1\",\"\"\r\n"));
    Fakes().dialogs.AnswerMsgBox(vbNo);
    Fakes().dialogs.AnswerInput("yes");
    ShowActive(Outfrm());
    EXPECT_EQ(ContactLog.Count, 0);
    EXPECT_EQ(folder.read("log.txt"), QByteArray());
    EXPECT_EQ(QDir(Folders.BackupFolder).entryList(QDir::Files).size(), 1);
}

TEST_F(OutfrmTest, TheRadioStartsOnlyWhenARadioTypeIsSet) {
    // "None" as the radio window spells it, and no type at all (which would open a port for nothing).
    const std::pair<const char*, int> cases[] = {{"None", 0}, {"", 0}, {"none", 1}, {"Other", 1}, {"Kenwood TS-2000", 1}};
    for (auto [rig, starts] : cases) {
        vb::DiscardAllForms();
        RecordingRadio radio;
        Station.RigType = rig;
        open();
        EXPECT_EQ(radio.pollingStarts, starts) << rig;
    }
}

} // namespace
