#include "keying/KeyerBoxes.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerSettingsFiles.h"
#include "keying/KeyerState.h"
#include "keying/KeyingPort.h"
#include "keying/PhoneFrm.h"
#include "keying/VoiceKeyer.h"
#include "tests/keying/KeyerWindowFixture.h"
#include "tests/support/DevicePeers.h"

using namespace tylog;
using tylog::testing::CrLfLines;
using tylog::testing::Fakes;
using tylog::testing::ShowActive;
using Signal = tylog::testing::RecordingKeyLines::Signal;

namespace {

class PhoneWindow : public tylog::testing::KeyerWindowTest {
protected:
    void SetUp() override {
        KeyerWindowTest::SetUp();
        for (int port : {2, 3, 4}) ports[port - 2].MapAsSerial(port);
    }
    static QString presses(const char* device, Signal signal) {
        return tylog::testing::PulseText(tylog::testing::Pulses(Fakes().keyLines, device, signal));
    }
    tylog::testing::PseudoTerminal ports[3]; // COM2 to COM4
};

} // namespace

TEST_F(PhoneWindow, DoneHidesAndWritesTheSettings) {
    PhoneFrmWindow& f = PhoneFrm();
    ShowActive(f);
    TypeAndLeave(f.Text1, "  /home/op/cq one.wav ");
    TypeAndLeave(f.Text10, " 3");
    TypeAndLeave(f.txtPHLoop, "30");
    TypeAndLeave(f.Text11, "&h3bc\"");
    Click(f.Option2);
    Click(f.Command1);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(dir.read("wave2.txt"), CrLfLines({"\"/home/op/cq one.wav\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",
                                                "\"\"", "\"\"", "\" 3\"", "1", "\"30\"", "\"&H3BC\""}));

    // The next start selects "DTR" again.
    vb::Unload(f);
    LoadVoiceSettings();
    EXPECT_TRUE(PhoneFrm().Option2.Value());
    EXPECT_EQ(PhoneFrm().txtPHLoop.Text(), "30");
}

TEST_F(PhoneWindow, DoneWithDesignValues) {
    dir.write("WAVE2.TXT", "old");
    PhoneFrm().Command1_Click();
    EXPECT_EQ(dir.read("WAVE2.TXT"), CrLfLines({"\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",
                                                "\"0\"", "0", "\"0\"", "\"&H378\""}));
    EXPECT_FALSE(dir.exists("wave2.txt"));
}

TEST_F(PhoneWindow, BrowseFillsItsBoxOrBeepsOnCancel) {
    PhoneFrmWindow& f = PhoneFrm();
    ShowActive(f);
    Fakes().dialogs.AnswerOpen("/home/op/qrz.wav");
    Click(f.Command5);
    EXPECT_EQ(f.Text4.Text(), "/home/op/qrz.wav");
    EXPECT_EQ(f.ActiveControl(), &f.Command1);
    ASSERT_EQ(Fakes().dialogs.shown.size(), 1);
    EXPECT_EQ(Fakes().dialogs.shown[0].file.Filter, "(*.wav)|*.wav");
    EXPECT_EQ(Fakes().dialogs.shown[0].file.FileName, "");

    Fakes().dialogs.AnswerOpen("");
    Click(f.Command5);
    EXPECT_EQ(f.Text4.Text(), "/home/op/qrz.wav");
    EXPECT_EQ(Fakes().dialogs.beeps, 1);
}

TEST_F(PhoneWindow, RepeatBoxKeepsToTheRange) {
    PhoneFrmWindow& f = PhoneFrm();
    ShowActive(f);
    struct Case { const char* typed; const char* left; int interval; };
    const Case cases[] = {{"59.5", "59.5", 59500}, {"60", "0", 0}, {"1.2.3", "0", 0},
                          {"x7", "7", 7000},       {"", "0", 0},   {".0625", ".0625", 62}, {".1875", ".1875", 188}};
    for (const Case& c : cases) {
        TypeAndLeave(f.txtPHLoop, c.typed);
        EXPECT_EQ(f.txtPHLoop.Text(), c.left) << c.typed;
        // The pause the voice keyer takes from it.
        int interval = -1;
        RepeatIntervalMs(KeyerSettings.Voice.RepeatSeconds, &interval);
        EXPECT_EQ(interval, c.interval) << c.typed;
    }
    EXPECT_FALSE(VoiceKeying().RepeatPending());
}

TEST_F(PhoneWindow, LeavingThePortBoxOpensItsPortTakingItFromTheCWKeyer) {
    int cwLetGo = 0;
    KeyingPortOwner().Take(KeyingPortUser::CW, [&] { ++cwLetGo; });
    PhoneFrmWindow& f = PhoneFrm();
    ShowActive(f);
    TypeAndLeave(f.Text10, "abc");
    EXPECT_EQ(f.Text10.Text(), "0");
    EXPECT_FALSE(VoiceKeying().PortOpen());
    EXPECT_EQ(cwLetGo, 0);
    TypeAndLeave(f.Text10, "4");
    EXPECT_EQ(f.Text10.Text(), "4");
    EXPECT_TRUE(VoiceKeying().PortOpen());
    EXPECT_EQ(cwLetGo, 1);
    EXPECT_EQ(KeyingPortOwner().Holder(), KeyingPortUser::Voice);
    TypeAndLeave(f.Text10, "&H3"); // a number too: port 3, reopened
    EXPECT_TRUE(VoiceKeying().PortOpen());
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

// "Test" plays F1 as the key does, repeat included; a change of line, port or address releases what is
// keyed at once, and the message plays on; unloading the window releases and stops it.
TEST_F(PhoneWindow, TestPlaysF1AndAChangedLineReleasesPushToTalk) {
    dir.write("cq.wav", tylog::testing::FakeSound::Wave(5000));
    KeyerSettings.Voice.WaveFiles[0] = dir.file("cq.wav");
    KeyerSettings.Voice.SerialPort = "3";
    KeyerSettings.Voice.RepeatSeconds = "2";
    PhoneFrmWindow& f = PhoneFrm();
    ShowActive(f);
    Click(f.Command11);
    EXPECT_EQ(tylog::testing::PlayedNames(), QStringList{"cq"});
    EXPECT_TRUE(Keyer.PhoneRepeatArmed);
    EXPECT_EQ(f.ActiveControl(), &f.Command1);
    Fakes().clock.Advance(1000);
    Click(f.Option2);
    EXPECT_EQ(presses("COM3", Signal::RTS), "0-1000");
    EXPECT_TRUE(VoiceKeying().Playing());

    Click(f.Command11);
    Fakes().clock.Advance(1000);
    TypeAndLeave(f.Text11, "&h278");
    EXPECT_EQ(presses("COM3", Signal::DTR), "0-1000");

    Click(f.Option3);
    Click(f.Command11);
    Fakes().clock.Advance(1000);
    const int stops = Fakes().sound.stops;
    vb::Unload(f);
    EXPECT_EQ(presses("COM3", Signal::RTS), "0-1000 2000-3000");
    EXPECT_EQ(presses("LPT2", Signal::ParallelControl), "0-1000");
    EXPECT_EQ(Fakes().sound.stops, stops + 1);
    EXPECT_FALSE(VoiceKeying().PortOpen());
    Fakes().clock.Advance(20000);
    EXPECT_EQ(tylog::testing::PlayedNames().size(), 3) << "the repeat ended with the window";
}

// A port that cannot be opened: the box, then the hidden window shown modally until "Done" (loaded then
// when nothing had asked for it before); the message plays when it closes. A window on screen is not
// shown again.
TEST_F(PhoneWindow, AnInvalidPortShowsTheHiddenWindowModally) {
    Link<VoiceWindowLink>::install(&InstalledVoiceWindow()); // as start-up installs it
    dir.write("cq.wav", tylog::testing::FakeSound::Wave(300));
    KeyerSettings.Voice.WaveFiles[0] = dir.file("cq.wav");
    KeyerSettings.Voice.SerialPort = "7";
    QStringList order;
    platform().onModalShown = [&](vb::Form& shown) {
        order << QString("modal %1 after %2 boxes").arg(shown.Name).arg(Fakes().dialogs.shown.size());
        EXPECT_TRUE(tylog::testing::PlayedNames().isEmpty());
        EXPECT_EQ(PhoneFrm().Text10.Text(), "7");
        PhoneFrm().Command1_Click();
    };
    Fakes().dialogs.AnswerMsgBox(vbOK);
    ASSERT_EQ(vb::IfLoaded<PhoneFrmWindow>(), nullptr);
    VoiceKeying().FKeyPhone(112); // F1
    EXPECT_EQ(order, QStringList{"modal PhoneFrm after 1 boxes"});
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "Invalid port.");
    EXPECT_EQ(tylog::testing::PlayedNames(), QStringList{"cq"});
    PhoneFrmWindow& f = PhoneFrm();
    EXPECT_FALSE(f.isVisible());

    ShowActive(f);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    TypeAndLeave(f.Text10, "8");
    EXPECT_EQ(Fakes().dialogs.shown.size(), 2);
    EXPECT_EQ(order.size(), 1);
}

TEST_F(PhoneWindow, ScalesToTheScreen) {
    Fakes().screen.width = 19200;
    Fakes().screen.height = 14400;
    Fakes().screen.workArea = QRectF(0, 0, 19200, 13680); // not used by this window
    PhoneFrmWindow design;
    PhoneFrmWindow& f = PhoneFrm();
    EXPECT_DOUBLE_EQ(f.Width(), design.Width() * 2);
    EXPECT_DOUBLE_EQ(f.Height(), design.Height() * 2);
    EXPECT_DOUBLE_EQ(f.Left(), (19200 - f.Width()) / 2);
    EXPECT_DOUBLE_EQ(f.Top(), (14400 - f.Height()) / 2);
    EXPECT_DOUBLE_EQ(f.Option3.Top(), design.Option3.Top() * 2);
    EXPECT_DOUBLE_EQ(f.Command10.Width(), design.Command10.Width() * 2);
    EXPECT_DOUBLE_EQ(f.Text1.FontSize(), design.Text1.FontSize() * 1.5);
}

TEST_F(PhoneWindow, ShowsTheSettingsAndKeepsThemCurrentWithoutDone) {
    KeyerSettings.Voice.WaveFiles[8] = "/home/op/test.wav";
    KeyerSettings.Voice.KeyingLine = 2;
    KeyerSettings.Voice.RepeatSeconds = "7";
    PhoneFrmWindow& f = PhoneFrm();
    EXPECT_EQ(f.Text9.Text(), "/home/op/test.wav");
    EXPECT_TRUE(f.Option3.Value());
    EXPECT_EQ(f.txtPHLoop.Text(), "7");

    ShowActive(f);
    Fakes().dialogs.AnswerOpen("/home/op/cq.wav");
    Click(f.Command2);
    TypeAndLeave(f.Text10, "2");
    TypeAndLeave(f.Text11, "&h278");
    Click(f.Option1);
    const VoiceSettings& s = KeyerSettings.Voice;
    EXPECT_EQ(s.WaveFiles[0], "/home/op/cq.wav");
    EXPECT_EQ(s.SerialPort, "2");
    EXPECT_EQ(s.ParallelPort, "&H278");
    EXPECT_EQ(s.KeyingLine, 0);
    EXPECT_FALSE(dir.exists("wave2.txt")) << "only Done writes the file";
}
