#include "keying/KeyerSettings.h"
#include "keying/KeyerSettingsFiles.h"
#include "keying/PhoneFrm.h"
#include "tests/keying/KeyerWindowFixture.h"

using namespace tylog;
using tylog::testing::CrLfLines;
using tylog::testing::Fakes;
using tylog::testing::ShowActive;

namespace {

class PhoneWindow : public tylog::testing::KeyerWindowTest {};

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
    EXPECT_EQ(PhoneFrm().tmrRepeat.Interval(), 30000);
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
        EXPECT_EQ(f.tmrRepeat.Interval(), c.interval) << c.typed;
    }
    EXPECT_FALSE(f.tmrRepeat.Enabled());
}

TEST_F(PhoneWindow, PortBoxFallsBackToZero) {
    PhoneFrmWindow& f = PhoneFrm();
    ShowActive(f);
    TypeAndLeave(f.Text10, "abc");
    EXPECT_EQ(f.Text10.Text(), "0");
    TypeAndLeave(f.Text10, "4");
    EXPECT_EQ(f.Text10.Text(), "4");
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
    EXPECT_EQ(f.tmrRepeat.Interval(), 7000);

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
