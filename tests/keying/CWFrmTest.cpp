#include "keying/CWFrm.h"
#include "keying/CodePractice.h"
#include "keying/WinKeySetup.h"
#include "platform/Platform.h"
#include "keying/CWKeyer.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerSettingsFiles.h"
#include "keying/KeyerState.h"
#include "tests/keying/KeyerWindowFixture.h"
#include "tests/support/DevicePeers.h"
#include "tests/support/QStringPrint.h"

using namespace tylog;
using tylog::testing::CrLfLines;
using tylog::testing::Fakes;
using tylog::testing::ShowActive;
using Signal = tylog::testing::RecordingKeyLines::Signal;

namespace {

class CWWindow : public tylog::testing::KeyerWindowTest {
protected:
    QString Setting(const char* key) { return Fakes().registry.values.value(QString("Q7BZW_Software/Settings/") + key); }
};

} // namespace

TEST_F(CWWindow, DoneOnAFreshInstallationWritesTheDesignValues) {
    CWFrmWindow& f = CWFrm();
    ShowActive(f);
    Click(f.Command1);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(dir.read("CW.txt"), CrLfLines({"\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",
                                             "\"0\"", "\"13\"", "\"\"", "\"\"", "\"0\"", "0", "\"&H378\"", "1",
                                             "\"0\""}));
    EXPECT_EQ(Setting("UserCWSelection"), "Timer");
    EXPECT_EQ(Setting("UserCWLoopOffset"), "0");
}

TEST_F(CWWindow, DoneWritesWhatTheOperatorSetAndReadsBack) {
    CWFrmWindow& f = CWFrm();
    ShowActive(f);
    TypeAndLeave(f.Text1, "cq tqp $, test");
    TypeAndLeave(f.Text13, "tu 5nn ^");
    Fakes().dialogs.AnswerMsgBox(vbOK); // no port 4 on this machine: leaving the box says so
    TypeAndLeave(f.Text10, "4x");
    TypeAndLeave(f.txtCWLoop, "2.5");
    Click(f.Option2);
    Click(f.Check1);
    Click(f.Command6); // word space 1
    Click(f.Command2); // speed 14
    Click(f.Command1);
    const QByteArray expected = CrLfLines({"\"CQ TQP $, TEST\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",
                                           "\"\"", "\"4\"", "\"14\"", "\"\"", "\"TU 5NN ^\"", "\"1\"", "2",
                                           "\"&H378\"", "0", "\"2.5\""});
    EXPECT_EQ(dir.read("CW.txt"), expected);

    vb::Unload(f);
    Keyer = {};
    LoadCWSettings();
    CWFrmWindow& again = CWFrm();
    EXPECT_EQ(again.Text1.Text(), "CQ TQP $, TEST");
    EXPECT_EQ(again.Text9.Text(), "VVV DE ");
    EXPECT_TRUE(again.Option2.Value());
    EXPECT_EQ(Keyer.CWKeyingType, 2);
    EXPECT_EQ(KeyerSettings.CW.RepeatSeconds, "2.5");
}

TEST_F(CWWindow, DoneRewritesTheFileWhateverTheCaseOfItsName) {
    dir.write("cw.txt", "old");
    CWFrmWindow& f = CWFrm();
    f.Text1.setText("NEW");
    f.Command1_Click();
    EXPECT_FALSE(dir.exists("CW.txt"));
    EXPECT_TRUE(dir.read("cw.txt").startsWith("\"NEW\"\r\n"));
}

TEST_F(CWWindow, KeyingOptionsSetTheKeyingType) {
    CWFrmWindow& f = CWFrm();
    ShowActive(f);
    const std::pair<vb::OptionButton*, int> cases[] = {
        {&f.Option1, 1}, {&f.Option2, 2}, {&f.Option3, 3}, {&f.Option5, 5}, {&f.Option4, 0}};
    for (auto [option, type] : cases) {
        Click(*option);
        EXPECT_EQ(Keyer.CWKeyingType, type) << option->Caption().toStdString();
    }
    EXPECT_TRUE(f.cmdConfWinkey.Visible()) << "stays visible after WinKey was chosen once";
}

TEST_F(CWWindow, NumberBoxesFilterKeysAndFallBackToZero) {
    CWFrmWindow& f = CWFrm();
    ShowActive(f);
    Fakes().dialogs.AlwaysAnswerMsgBox("Invalid port.", vbOK); // port 12 is none
    struct Case { vb::TextBox* box; const char* typed; const char* left; };
    const Case cases[] = {
        {&f.Text10, "a1b2", "12"}, {&f.Text10, "x", "0"},    {&f.Text11, "3-5", "35"},
        {&f.Text11, "", "0"},      {&f.txtSpace, "-1.5", "-1.5"}, {&f.txtSpace, "-12", "-8"},
        {&f.txtSpace, "4/", "0"},  {&f.txtSpace, "a-", "0"},
    };
    for (const Case& c : cases) {
        TypeAndLeave(*c.box, c.typed);
        EXPECT_EQ(c.box->Text(), c.left) << c.box->Name.toStdString() << " " << c.typed;
    }
}

TEST_F(CWWindow, WordSpaceButtonsHoldTheMinimum) {
    CWFrmWindow& f = CWFrm();
    ShowActive(f);
    Click(f.Command6);
    EXPECT_EQ(f.txtSpace.Text(), "1");
    f.txtSpace.setText("-8");
    Click(f.Command5);
    EXPECT_EQ(f.txtSpace.Text(), "-8");
    f.txtSpace.setText("abc");
    Click(f.Command6);
    EXPECT_EQ(f.txtSpace.Text(), "0");
}

TEST_F(CWWindow, SpeedStepsWithoutLimits) {
    CWFrmWindow& f = CWFrm();
    f.UpDown1_UpClick();
    EXPECT_EQ(f.Text11.Text(), "14");
    f.Text11.setText("1");
    f.UpDown1_DownClick();
    f.UpDown1_DownClick();
    EXPECT_EQ(f.Text11.Text(), "-1");
}

TEST_F(CWWindow, RepeatSecondsBoxTakesSecondsBelowSixty) {
    CWFrmWindow& f = CWFrm();
    ShowActive(f);
    struct Case { const char* typed; const char* left; };
    const Case cases[] = {{"2.5", "2.5"}, {"59.5", "59.5"}, {"60", "0"}, {"1.2.3", "0"}, {"a5", "5"}, {"", "0"}};
    for (const Case& c : cases) {
        TypeAndLeave(f.txtCWLoop, c.typed);
        EXPECT_EQ(f.txtCWLoop.Text(), c.left) << c.typed;
        EXPECT_EQ(KeyerSettings.CW.RepeatSeconds, c.left) << c.typed;
    }
}

TEST_F(CWWindow, MessageBoxesTakeCapitals) {
    CWFrmWindow& f = CWFrm();
    ShowActive(f);
    f.Text12.SetFocus();
    QTest::keyClicks(f.Text12.widget(), "5nn tu [");
    EXPECT_EQ(f.Text12.Text(), "5NN TU [");
}

TEST_F(CWWindow, TimingMethodComesFromTheRegistry) {
    Fakes().registry.values.insert("Q7BZW_Software/Settings/UserCWSelection", "Sleep");
    CWFrmWindow& f = CWFrm();
    EXPECT_TRUE(f.OptSleep.Value());
    EXPECT_FALSE(f.txtLoop.Enabled());
    vb::Unload(f);

    Fakes().registry.values.insert("Q7BZW_Software/Settings/UserCWSelection", "Loop");
    Fakes().registry.values.insert("Q7BZW_Software/Settings/UserCWLoopOffset", "1200000");
    CWFrmWindow& g = CWFrm();
    EXPECT_TRUE(g.optLoop.Value());
    EXPECT_TRUE(g.txtLoop.Enabled());
    EXPECT_EQ(g.txtLoop.Text(), "1200000");
    vb::Unload(g);

    Fakes().registry.values.insert("Q7BZW_Software/Settings/UserCWSelection", "loop"); // exact comparison
    EXPECT_TRUE(CWFrm().optTimer.Value());
}

TEST_F(CWWindow, LoopDelayButtonsAndDoneSaveTheTiming) {
    Fakes().registry.values.insert("Q7BZW_Software/Settings/UserCWSelection", "Loop");
    Fakes().registry.values.insert("Q7BZW_Software/Settings/UserCWLoopOffset", "1200000");
    CWFrmWindow& f = CWFrm();
    ShowActive(f);
    Click(f.cmdLoopSlower);
    EXPECT_EQ(f.txtLoop.Text(), "1333333");
    EXPECT_EQ(f.ActiveControl(), &f.Command1);
    f.txtLoop.setText("1200000");
    Click(f.cmdLoopFaster);
    EXPECT_EQ(f.txtLoop.Text(), "1080000");
    EXPECT_EQ(KeyerSettings.CW.LoopsPer60ms, 1080000);
    Click(f.OptSleep);
    EXPECT_FALSE(f.cmdLoopFaster.Enabled());
    Click(f.Command1);
    EXPECT_EQ(Setting("UserCWSelection"), "Sleep");
    EXPECT_EQ(Setting("UserCWLoopOffset"), "1080000");
}

TEST_F(CWWindow, ScalesIntoTheWorkArea) {
    Fakes().screen.width = 19200;
    Fakes().screen.height = 14400;
    Fakes().screen.workArea = QRectF(0, 0, 19200, 13680);
    CWFrmWindow f; // the design values, to compare with
    CWFrmWindow& w = CWFrm();
    EXPECT_DOUBLE_EQ(w.Width(), f.Width() * 2);
    EXPECT_DOUBLE_EQ(w.Height(), f.Height() * 1.9);
    EXPECT_DOUBLE_EQ(w.Left(), (19200 - w.Width()) / 2);
    EXPECT_DOUBLE_EQ(w.Top(), (13680 - w.Height()) / 2);
    EXPECT_DOUBLE_EQ(w.FontSize(), f.FontSize() * w.Width() / 9600);
    EXPECT_DOUBLE_EQ(w.Text1.Left(), f.Text1.Left() * 2);
    EXPECT_DOUBLE_EQ(w.Text1.Top(), f.Text1.Top() * 1.9);
    EXPECT_DOUBLE_EQ(w.Option3.Height(), f.Option3.Height() * 1.9);
    EXPECT_DOUBLE_EQ(w.Text1.FontSize(), f.Text1.FontSize() * 1.5) << "fonts grow at most 1.5 times";
}

TEST_F(CWWindow, ShowsTheSettingsAndKeepsThemCurrentWithoutDone) {
    KeyerSettings.CW.Messages[10] = "TU ^";
    KeyerSettings.CW.Speed = "31";
    KeyerSettings.CW.Echo = false;
    KeyerSettings.CW.KeyingType = 3;
    CWFrmWindow& f = CWFrm();
    EXPECT_EQ(f.Text13.Text(), "TU ^");
    EXPECT_EQ(f.Text11.Text(), "31");
    EXPECT_EQ(f.Check1.Value(), 0);
    EXPECT_TRUE(f.Option3.Value());

    // What the operator changes is in force at once, for the keyers to read.
    ShowActive(f);
    TypeAndLeave(f.Text1, "cq de");
    TypeAndLeave(f.txtSpace, "-12");
    TypeAndLeave(f.txtCWLoop, "2.5");
    Click(f.Command2);
    Click(f.Check1);
    Click(f.Option2);
    const CWSettings& s = KeyerSettings.CW;
    EXPECT_EQ(s.Messages[0], "CQ DE");
    EXPECT_EQ(s.WordSpace, "-8");
    EXPECT_EQ(s.RepeatSeconds, "2.5");
    EXPECT_EQ(s.Speed, "32");
    EXPECT_TRUE(s.Echo);
    EXPECT_EQ(s.KeyingType, 2);
    EXPECT_EQ(Keyer.CWKeyingType, 2);
    EXPECT_FALSE(dir.exists("CW.txt")) << "only Done writes the file";
}

TEST_F(CWWindow, TestSendsTheF9MessageOnTheLineChosen) {
    tylog::testing::PseudoTerminal pty;
    pty.MapAsSerial(3);
    CWFrmWindow& f = CWFrm();
    ShowActive(f);
    TypeAndLeave(f.Text11, "20");
    TypeAndLeave(f.Text9, "e");
    Click(f.Option1);
    // RTS without a port would key nothing: Test says so.
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Click(f.Command4);
    ASSERT_EQ(Fakes().dialogs.shown.size(), 1);
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "A com port is required.");
    EXPECT_EQ(Fakes().dialogs.shown[0].prompt, "Please enter a com port for CW rig interface.");
    EXPECT_EQ(f.ActiveControl(), &f.Text10);
    EXPECT_FALSE(Keyer.CWSending);

    TypeAndLeave(f.Text10, "3"); // opens the port, both lines off
    EXPECT_TRUE(CWEngine().PortOpen());
    Click(f.Command4);
    EXPECT_TRUE(f.Label23.Visible());
    Fakes().clock.Advance(240);
    EXPECT_FALSE(f.Label23.Visible());
    EXPECT_EQ(f.ActiveControl(), &f.Text1);
    EXPECT_EQ(tylog::testing::PulseText(tylog::testing::Pulses(Fakes().keyLines, "COM3", Signal::RTS)), "0-60");

    // Port 0 closes it, without a word.
    TypeAndLeave(f.Text10, "0");
    EXPECT_FALSE(CWEngine().PortOpen());
    EXPECT_EQ(Fakes().dialogs.shown.size(), 1);
}

TEST_F(CWWindow, AnOptionChosenWhileSendingOrTheUnloadReleasesTheLineKeyed) {
    tylog::testing::PseudoTerminal pty;
    pty.MapAsSerial(3);
    KeyerSettings.CW.SerialPort = "3";
    KeyerSettings.CW.Speed = "20";
    KeyerSettings.CW.KeyingType = 1;
    CWFrmWindow& f = CWFrm();
    ShowActive(f);
    Keyer.CWBuffer = "TT";
    CWEngine().LoopThroughCWBuffer();
    Fakes().clock.Advance(90);
    Click(f.Option2);
    Fakes().clock.Advance(1000);
    using tylog::testing::PulseText, tylog::testing::Pulses;
    EXPECT_EQ(PulseText(Pulses(Fakes().keyLines, "COM3", Signal::RTS)), "0-90");
    EXPECT_EQ(PulseText(Pulses(Fakes().keyLines, "COM3", Signal::DTR)), "0-180");

    Keyer.CWBuffer = "T";
    CWEngine().LoopThroughCWBuffer();
    Fakes().clock.Advance(90);
    vb::Unload(f);
    EXPECT_EQ(PulseText(Pulses(Fakes().keyLines, "COM3", Signal::DTR)), "0-180 1000-1090");
    EXPECT_FALSE(CWEngine().PortOpen());
    EXPECT_FALSE(Keyer.CWSending);
}

TEST_F(CWWindow, DoubleQuotesNeverReachAMessage) {
    CWFrmWindow& f = CWFrm();
    ShowActive(f);
    f.Text1.SetFocus();
    QTest::keyClicks(f.Text1.widget(), "cq \"test\"");
    EXPECT_EQ(f.Text1.Text(), "CQ TEST");
    f.Text2.lineEdit()->insert("TU \"5NN\" $"); // as pasted
    EXPECT_EQ(f.Text2.Text(), "TU 5NN $");
    EXPECT_EQ(KeyerSettings.CW.Messages[1], "TU 5NN $");
}

TEST_F(CWWindow, ChoosingAnUncalibratedLoopCalibratesIt) {
    CWFrmWindow& f = CWFrm();
    ShowActive(f);
    Click(f.optLoop);
    // The fake clock does not move while the loop counts: an elapsed 0 counts as 1 ms.
    EXPECT_EQ(f.txtLoop.Text(), "300000000");
    EXPECT_EQ(KeyerSettings.CW.Timing, CWTiming::Loop);
    Click(f.Command1);
    EXPECT_EQ(Setting("UserCWSelection"), "Loop");
    EXPECT_EQ(Setting("UserCWLoopOffset"), "300000000");
}

TEST_F(CWWindow, TheExternalKeyerAndPracticeWindowsOpenFromIt) {
    Folders.DataFolder = dir.path();
    CWFrmWindow& f = CWFrm();
    ShowActive(f);
    Click(f.Option5);
    ASSERT_NE(vb::IfLoaded<frmWinKeyWindow>(), nullptr) << "loaded, hidden, when WinKey is chosen";
    EXPECT_FALSE(frmWinKey().isVisible());

    // "Configure Winkey" shows it modally; Done hides it and the focus comes back to Done here.
    QStringList shown;
    platform().onModalShown = [&](vb::Form& modal) {
        shown << modal.Name;
        if (auto* wk = dynamic_cast<frmWinKeyWindow*>(&modal)) wk->cmdDone_Click();
        // Practice closes with its close box, with text left in the buffer.
        if (auto* practice = dynamic_cast<frmCodePracticeWindow*>(&modal)) {
            Keyer.CWBuffer = "VVV";
            practice->close();
        }
    };
    Click(f.cmdConfWinkey);
    EXPECT_EQ(f.ActiveControl(), &f.Command1);
    EXPECT_TRUE(dir.exists("WK.txt"));

    // "Send Code Practice": shown modally, then unloaded with the buffer emptied.
    Click(f.Command7);
    EXPECT_EQ(shown, (QStringList{"frmWinKey", "frmCodePractice"}));
    EXPECT_EQ(vb::IfLoaded<frmCodePracticeWindow>(), nullptr);
    EXPECT_TRUE(Keyer.CWBuffer.isEmpty());
}
