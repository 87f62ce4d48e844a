// The radio window as the operator uses it: its design, what it shows of RigCntrl.txt, the presets of
// the radio types, what stops polling, what the radio's replies show, a port that fails or goes away,
// Done and the smaller buttons. The radio at the other end is a fake on a pseudo-terminal.
#include "core/ProcessState.h"
#include "platform/Platform.h"
#include "platform/vb/Design.h"
#include "rig/RigControlfrm.h"
#include "rig/RigSettings.h"
#include "tests/support/FailingCalls.h"
#include "tests/support/LinkDoubles.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/RadioPeers.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace tylog;
using namespace tylog::testing;

namespace {

const QByteArray kKenwoodFile = CrLfLines({"\"4800 \"", "\"N\"", "\"8\"", "\"2\"", "\"MD;\"", "\"FA;\"", "\"4800,N,8,2\"",
                                           "2", "\"R\"", "\"M\"", "\"Kenwood\"", "0", "1", "2"});

QByteArray withLine(const QByteArray& file, int n, const QByteArray& line) {
    QList<QByteArray> lines = file.split('\n');
    lines[n - 1] = line + "\r";
    return lines.join('\n');
}

class RigWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folders.ProgramFolder = dir.path();
        peer.MapAsSerial(2);
        KenwoodRadio(peer, radio);
    }
    // The captions of the chosen buttons, group by group: port, baud, parity, data and stop bits,
    // power, poll rate, mode source.
    static QStringList chosen(RigControlfrmWindow& w) {
        QStringList out;
        for (auto& [i, b] : w.optComm)
            if (b->Value()) out << b->Caption();
        for (vb::Control* c : w.Controls())
            if (c->kind() == vb::Kind::OptionButton && c->Name != "optComm" && static_cast<vb::OptionButton*>(c)->Value())
                out << static_cast<vb::OptionButton*>(c)->Caption();
        return out;
    }
    void cycle(RigControlfrmWindow& w) {
        peer.Serve(20);
        const auto interval = static_cast<std::uint32_t>(w.Engine().PollTimer().Interval());
        Fakes().clock.Advance(interval);
        Fakes().clock.Advance(interval);
    }
    static void click(vb::Control& c) { QTest::mouseClick(c.widget(), Qt::LeftButton, {}, QPoint(6, c.widget()->height() / 2)); }

    ScratchFolder dir;
    PtyPeer peer;
    std::shared_ptr<RadioState> radio = std::make_shared<RadioState>();
    RecordingLoggingWindow up;
};

TEST_F(RigWindowTest, MatchesItsDesign) {
    RigControlfrmWindow f; // not loaded: as designed, before the load scales it
    std::vector<vb::ControlDesign> rows = {
        {f.Label1, "Select Rig:"}, {f.fraComm, "Comm Port:"}, {f.fraBaud, "Baud Rate (k):"},
        {f.optBaud12, "1.2"}, {f.optBaud24, "2.4"}, {f.optBaud48, "4.8"}, {f.optBaud96, "9.6"},
        {f.optBaud144, "14.4"}, {f.optBaud192, "19.2"}, {f.optBaud288, "28.8"}, {f.optBaud384, "38.4"},
        {f.optBaud560, "56"}, {f.fraParity, "Parity:"}, {f.optParityOdd, "Odd"}, {f.optParityNone, "None"},
        {f.optParityEven, "Even"}, {f.fraData, "Data Bits:"}, {f.optData7, "7"}, {f.optData8, "8"},
        {f.fraStop, "Stop Bits:"}, {f.optStop1, "1"}, {f.optStop2, "2"}, {f.fraPower, "Connection Power:"},
        {f.optPowerNone, "None"}, {f.optPowerRTS, "RTS"}, {f.optPowerDTR, "DTR"},
        {f.fraPoll, "Radio Polling Rate:"}, {f.optPollFast, "100 ms"}, {f.optPollMed, "500 ms"},
        {f.optPollSlow, "2 Sec"}, {f.optReallySlow, "10 Sec"}, {f.fraModeBy, "Mode by:"}, {f.OptRig, "Rig"},
        {f.OptFreq, "Frequency"}, {f.OptDont, "Don't Use"}, {f.chkFrequency, "Use Frequency"},
        {f.chkConvToHex, "Convert to Hex"}, {f.ChkConvHex, "Convert from Hex"}, {f.Command1, "Test"},
        {f.Command2, "End Test"}, {.control = f.Label2, .Caption = "Polling Rig", .Look = {.Visible = false}},
        {f.Label3, "String to read frequency:"}, {f.Label4, "String to read mode:"}, {f.cmdDone, "&Done"},
        {f.Label5, "Frequency:"}, {f.Label6, "Mode:"}, {f.Label7, "Should be PH or CW"},
        {f.Command3, "Change Frequency"}, {f.Label9, "Unprocessed data returned:"},
        {f.Command4, "Copy unprocessed data to clipboard"},
        {.control = f.Label10,
         .Caption = "Icom radio users will have to replace the 64 in the string with the ID for your particular "
                    "radio.  Please check your Icom user's manual for details.",
         .Look = {.Visible = false}},
    };
    for (int i = 0; i < 10; ++i) rows.push_back({f.optComm[i], QString::number(i + 1)});
    EXPECT_EQ(vb::DesignDifferences(f, {.Caption = " Rig Interface Setup"}, rows), QStringList());
}

TEST_F(RigWindowTest, FirstStateWithoutASettingsFile) {
    Station.RigType = "Kenwood"; // from the station settings: no entry is chosen without the file
    RigControlfrmWindow& w = RigControlfrm();
    EXPECT_EQ(chosen(w), QStringList({"1", "56", "None", "8", "1", "None", "500 ms", "Rig"}));
    EXPECT_EQ(w.chkFrequency.Value(), 1);
    EXPECT_EQ(w.chkConvToHex.Value(), 0);
    EXPECT_FALSE(w.chkConvToHex.Enabled());
    EXPECT_EQ(w.ChkConvHex.Value(), 0);
    EXPECT_EQ(w.txtFreq.Text() + w.txtMode.Text(), "");
    EXPECT_EQ(w.List1.ListIndex(), -1);
    EXPECT_EQ(w.List1.ListCount(), 19);
    EXPECT_FALSE(w.Command2.Enabled());
    EXPECT_FALSE(w.Label2.Visible());
    EXPECT_FALSE(w.Label10.Visible());
    // The first Test builds the settings from that state, for port 1.
    peer.MapAsSerial(1);
    w.Command1_Click();
    EXPECT_EQ(RigSettings.RigCommSettings, "56000,N,8,1");
    EXPECT_EQ(peer.Device().OutputBaud(), 56000);
    EXPECT_TRUE(w.Engine().Polling());
}

TEST_F(RigWindowTest, ShowsTheSettingsFileItLoads) {
    dir.write("RigCntrl.txt", kKenwoodFile);
    RigControlfrmWindow& w = RigControlfrm();
    EXPECT_EQ(chosen(w), QStringList({"2", "4.8", "None", "8", "2", "RTS", "500 ms", "Frequency"}));
    EXPECT_EQ(w.txtFreq.Text(), "FA;");
    EXPECT_EQ(w.txtMode.Text(), "MD;");
    EXPECT_EQ(w.List1.Text(), "Kenwood");
    EXPECT_EQ(Station.RigType, "Kenwood");
    EXPECT_FALSE(w.chkConvToHex.Enabled());
    vb::Unload(w);

    struct Case {
        const char* what;
        QByteArray file;
        QStringList chosen;
        bool icomNote, convertEnabled;
        int toHex, fromHex;
    };
    const Case cases[] = {
        {"the 735 shows no note at load", withLine(kKenwoodFile, 11, "\"Icom 735\""),
         {"2", "4.8", "None", "8", "2", "RTS", "500 ms", "Frequency"}, false, false, 0, 0},
        {"Icom does", withLine(kKenwoodFile, 11, "\"Icom\""),
         {"2", "4.8", "None", "8", "2", "RTS", "500 ms", "Frequency"}, true, false, 0, 0},
        {"Other with hex", withLine(withLine(kKenwoodFile, 11, "\"Other\""), 12, "1"),
         {"2", "4.8", "None", "8", "2", "RTS", "500 ms", "Frequency"}, false, true, 1, 1},
        {"a baud of no button", withLine(kKenwoodFile, 1, "\"4800x\""),
         {"2", "None", "8", "2", "RTS", "500 ms", "Frequency"}, false, false, 0, 0},
        {"port 0: the serial groups as at first", withLine(kKenwoodFile, 8, "0"),
         {"1", "56", "None", "8", "1", "None", "500 ms", "Frequency"}, false, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dir.write("RigCntrl.txt", c.file);
        RigControlfrmWindow& f = RigControlfrm();
        EXPECT_EQ(chosen(f), c.chosen);
        EXPECT_EQ(f.Label10.Visible(), c.icomNote);
        EXPECT_EQ(f.chkConvToHex.Enabled(), c.convertEnabled);
        EXPECT_EQ(f.chkConvToHex.Value(), c.toHex);
        EXPECT_EQ(f.ChkConvHex.Value(), c.fromHex);
        EXPECT_EQ(f.txtFreq.Text(), "FA;");
        vb::Unload(f);
    }
}

TEST_F(RigWindowTest, EachRadioTypeItsPreset) {
    struct Case {
        const char* type;
        QStringList chosen; // baud, parity, data bits, stop bits
        const char* frequencyQuery;
        const char* modeQuery;
        int toHex;
        bool convertEnabled, icomNote;
    };
    const QStringList afterIcom = {"1.2", "None", "8", "1"};
    const Case cases[] = {
        {"None", afterIcom, "", "", 0, false, false},
        {"Elecraft", {"4.8", "None", "8", "2"}, "FA;", "MD;", 0, false, false},
        {"Icom", afterIcom, "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", 1, false, true},
        {"Icom 735", afterIcom, "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", 1, false, true},
        {"Kenwood", {"4.8", "None", "8", "2"}, "FA;", "MD;", 0, false, false},
        {"Kenwood 2", {"4.8", "None", "8", "2"}, "IF;", "", 0, false, false},
        {"Ten Tec Omni VI", afterIcom, "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD", 1, false, false},
        {"Ten Tec Orion", {"56", "None", "8", "1"}, "?AF", "?RMM", 0, false, false},
        {"Ten Tec Fnt Pnl", {"56", "None", "8", "1"}, "3F 41 0D", "3F 4D 0D", 1, false, false},
        {"Ten Tec Pegasus", afterIcom, "", "", 0, false, false},
        {"Yaesu", {"4.8", "None", "8", "2"}, "00 00 00 00 03", "", 1, false, false},
        {"Yaesu 757 GX II", {"4.8", "None", "8", "2"}, "00 00 00 00 10", "", 1, false, false},
        {"Yaesu 890", {"4.8", "None", "8", "2"}, "00 00 00 02 10", "", 1, false, false},
        {"Yaesu 920", {"4.8", "None", "8", "2"}, "00 00 00 02 10", "", 1, false, false},
        {"Yaesu 990", {"4.8", "None", "8", "2"}, "00 00 00 02 10", "", 1, false, false},
        {"Yaesu 1000 D", {"4.8", "None", "8", "2"}, "00 00 00 02 10", "", 1, false, false},
        {"Yaesu 1000", {"4.8", "None", "8", "2"}, "00 00 00 02 10", "", 1, false, false},
        {"Yaesu FTdx9000", {"4.8", "None", "8", "1"}, "FA;", "MD0;", 0, false, false}, // the rest as Icom left it
        {"Other", afterIcom, "", "", 0, true, false},
    };
    RigControlfrmWindow& w = RigControlfrm();
    auto pick = [&](const QString& type) {
        for (int i = 0; i < w.List1.ListCount(); ++i)
            if (w.List1.List(i) == type) w.List1.setListIndex(i);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        w.List1.setListIndex(-1);
        pick("Icom");
        pick(c.type);
        EXPECT_EQ(Station.RigType, c.type);
        EXPECT_EQ(chosen(w).mid(1, 4), c.chosen);
        EXPECT_EQ(w.txtFreq.Text(), c.frequencyQuery);
        EXPECT_EQ(RigSettings.RigFrequencyQuery, c.frequencyQuery);
        EXPECT_EQ(RigSettings.RigModeQuery, c.modeQuery);
        EXPECT_EQ(w.chkConvToHex.Value(), c.toHex);
        EXPECT_EQ(w.ChkConvHex.Value(), c.toHex);
        EXPECT_EQ(RigSettings.ConvertToHex, c.toHex == 1);
        EXPECT_EQ(w.chkConvToHex.Enabled(), c.convertEnabled);
        EXPECT_EQ(w.Label10.Visible(), c.icomNote);
    }
    // Port, power line, poll rate and mode source are never preset.
    EXPECT_EQ(chosen(w).first(), "1");
    EXPECT_EQ(chosen(w).mid(5), QStringList({"None", "500 ms", "Rig"}));
}

TEST_F(RigWindowTest, ChangingASettingStopsPollingAndTheModeSourceDoesNot) {
    dir.write("RigCntrl.txt", kKenwoodFile);
    RigControlfrmWindow& w = RigControlfrm();
    ShowActive(w);
    w.Command1_Click();
    ASSERT_TRUE(w.Engine().Polling());
    EXPECT_TRUE(w.Command2.Enabled());
    EXPECT_TRUE(w.Label2.Visible());
    cycle(w);

    // The mode source: polling goes on, no mode until the next reply.
    click(w.OptDont);
    EXPECT_TRUE(w.Engine().Polling());
    EXPECT_EQ(w.lblMode.Caption(), "No Response");
    EXPECT_EQ(w.Engine().Decoded.RigModeText, "");
    EXPECT_EQ(RigSettings.RigModeSource, 3);

    // A serial option: polling stops and the port closes; the choice is in the settings for the next Test.
    click(w.optBaud96);
    EXPECT_FALSE(w.Engine().Polling());
    EXPECT_FALSE(w.Engine().Port().PortOpen());
    EXPECT_FALSE(w.Command2.Enabled());
    EXPECT_FALSE(w.Label2.Visible());
    EXPECT_EQ(w.lblFreq.Caption() + w.lblMode.Caption() + w.lblUnProcess.Caption(), "");
    EXPECT_EQ(RigSettings.RigBaud, "9600 ");

    // Going into a query box stops polling; every key is in the query at once; a double quote is
    // refused, typed or pasted.
    w.Command1_Click();
    ASSERT_TRUE(w.Engine().Polling());
    w.txtFreq.SetFocus();
    EXPECT_FALSE(w.Engine().Polling());
    w.txtFreq.lineEdit()->selectAll();
    QTest::keyClicks(w.txtFreq.widget(), "F\"B");
    EXPECT_EQ(RigSettings.RigFrequencyQuery, "FB");
    Fakes().clipboard.text = "\";";
    QTest::keyClick(w.txtFreq.widget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.txtFreq.Text(), "FB;");
    EXPECT_EQ(RigSettings.RigFrequencyQuery, "FB;");
}

TEST_F(RigWindowTest, ShowsWhatTheRadioAnswersWhileVisible) {
    dir.write("RigCntrl.txt", withLine(kKenwoodFile, 14, "1"));
    RigControlfrmWindow& w = RigControlfrm();
    ShowActive(w);
    peer.silent = true;
    w.Command1_Click();
    for (int i = 0; i < 3; ++i) cycle(w);
    EXPECT_EQ(w.lblFreq.Caption(), "No Response");
    EXPECT_EQ(w.lblMode.Caption(), "No Response");

    peer.silent = false;
    cycle(w);
    EXPECT_EQ(w.lblFreq.Caption(), "14.02500");
    EXPECT_EQ(w.lblMode.Caption(), "CW");
    EXPECT_EQ(w.lblUnProcess.Caption(), "FA00014025000;MD3;");
    click(w.ChkConvHex);
    cycle(w);
    EXPECT_EQ(w.lblUnProcess.Caption(), "46 41 30 30 30 31 34 30 32 35 30 30 30 3B 4D 44 33 3B ");

    // Copy puts the reply on the clipboard and the focus on Done.
    click(w.Command4);
    EXPECT_EQ(Fakes().clipboard.text, w.lblUnProcess.Caption());
    EXPECT_EQ(w.ActiveControl(), &w.cmdDone);

    // Hidden, the window keeps its texts; the logging window still gets every reply.
    w.Hide();
    radio->hz = 7074000;
    up.calls.clear();
    cycle(w);
    EXPECT_EQ(w.lblFreq.Caption(), "14.02500");
    EXPECT_EQ(up.calls, QStringList({"BandFreqConversion 7.074", "ModeSelection CW"}));
}

TEST_F(RigWindowTest, APortThatFailsAtStartUpShowsTheWindowToMendIt) {
    dir.write("RigCntrl.txt", withLine(kKenwoodFile, 8, "5")); // port 5 leads nowhere
    Station.RigType = "Kenwood";
    Fakes().dialogs.AnswerMsgBox(vbOK);
    int modal = 0;
    platform().onModalShown = [&](vb::Form& f) {
        ++modal;
        auto& w = static_cast<RigControlfrmWindow&>(f);
        click(w.optComm[1]);
        click(w.cmdDone); // Test with port 2, save, hide
    };
    InstalledRadio().StartPolling(); // as the logging window's load does
    ASSERT_EQ(Fakes().dialogs.shown.size(), 1u);
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "Invalid Comm Settings.");
    EXPECT_EQ(Fakes().dialogs.beeps, 1);
    EXPECT_EQ(modal, 1);
    RigControlfrmWindow& w = RigControlfrm();
    EXPECT_FALSE(w.Visible());
    EXPECT_TRUE(w.Engine().Polling());
    EXPECT_EQ(dir.read("RigCntrl.txt"), withLine(kKenwoodFile, 8, "2"));
    cycle(w);
    EXPECT_EQ(up.Of("Band").last(), "BandFreqConversion 14.025");

    // Test from the visible window: the message, but the window is not shown again.
    ShowActive(w);
    click(w.optComm[4]);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    click(w.Command1);
    EXPECT_EQ(Fakes().dialogs.shown.size(), 2u);
    EXPECT_EQ(modal, 1);
    EXPECT_FALSE(w.Engine().Polling());
    EXPECT_FALSE(w.Command2.Enabled());
    EXPECT_EQ(w.lblFreq.Caption(), "No Response");
}

TEST_F(RigWindowTest, DoneSavesBothFilesAndPollingGoesOn) {
    Folders.ProgramFolder = dir.path();
    RigControlfrmWindow& w = RigControlfrm();
    ShowActive(w);
    w.List1.setListIndex(4); // Kenwood
    click(w.optComm[1]);
    click(w.optPowerRTS);
    click(w.cmdDone);
    EXPECT_FALSE(w.Visible());
    EXPECT_TRUE(w.Engine().Polling());
    EXPECT_EQ(dir.read("RigCntrl.txt"), withLine(withLine(kKenwoodFile, 14, "1"), 10, "\"M\""));
    EXPECT_TRUE(dir.read("QSOpref.txt").contains("\"Kenwood\""));

    // A full disk: the old file stays whole, the operator is told in a notice nothing waits for, and
    // the window still closes.
    const QByteArray before = dir.read("RigCntrl.txt");
    ShowActive(w);
    click(w.optPollSlow);
    {
        FailingCall full(FailingCall::Write, "RigCntrl.txt", ENOSPC);
        click(w.cmdDone);
    }
    EXPECT_EQ(dir.read("RigCntrl.txt"), before);
    ASSERT_EQ(Fakes().dialogs.shown.size(), 1u);
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "Unable to save RigCntrl.txt");
    EXPECT_FALSE(w.Visible());

    // Done with "None" only saves.
    ShowActive(w);
    w.List1.setListIndex(0);
    click(w.cmdDone);
    EXPECT_FALSE(w.Engine().Polling());
    EXPECT_TRUE(dir.read("RigCntrl.txt").contains("\"None\""));
}

TEST_F(RigWindowTest, ChangeFrequencyNeedsPolling) {
    RigControlfrmWindow& w = RigControlfrm();
    ShowActive(w);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    click(w.Command3);
    ASSERT_EQ(Fakes().dialogs.shown.size(), 1u);
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "You must be polling your rig to test this function.");
    w.List1.setListIndex(4);
    click(w.optComm[1]);
    click(w.Command1);
    click(w.Command3); // the frequency test dialog's place: no message while polling
    EXPECT_EQ(Fakes().dialogs.shown.size(), 1u);
}

TEST_F(RigWindowTest, APortThatGoesAwayIsSaidInTheWindow) {
    dir.write("RigCntrl.txt", kKenwoodFile);
    RigControlfrmWindow& w = RigControlfrm();
    w.Command1_Click();
    cycle(w);
    peer.HangUp();
    for (int i = 0; i < 4; ++i) Fakes().clock.Advance(250);
    EXPECT_FALSE(w.Engine().Polling());
    EXPECT_TRUE(w.Label2.Caption().contains("went away"));
    EXPECT_TRUE(Fakes().dialogs.shown.empty());
    // The next Test polls again (here: the port is still gone, which Test says with its box).
    Fakes().dialogs.AnswerMsgBox(vbOK);
    platform().onModalShown = [](vb::Form& f) { f.Hide(); };
    w.Command1_Click();
    EXPECT_EQ(w.Label2.Caption(), "Polling Rig");
}

} // namespace
