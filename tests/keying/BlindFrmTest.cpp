// The voice navigation window: prompts played from the program folder, the level announced at load,
// and the level chosen and saved.
#include "core/ProcessState.h"
#include "keying/BlindFrm.h"
#include "tests/support/TestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::FakeSound;
using tylog::testing::Fakes;
using tylog::testing::PlayedNames;
using tylog::testing::ScratchFolder;
using tylog::testing::ShowActive;

namespace {

class VoiceNavigation : public ::testing::Test {
protected:
    void SetUp() override { Folders.ProgramFolder = dir.path(); }

    void prompt(const char* name, std::uint32_t ms) { dir.write(QString(name) + ".wav", FakeSound::Wave(ms)); }
    static std::uint32_t now() { return Fakes().clock.TimeGetTime(); }

    ScratchFolder dir;
};

TEST_F(VoiceNavigation, APromptPlaysForItsLengthAndTheNextCutsIt) {
    prompt("Call", 500);
    prompt("SerNum", 800);
    BlindFrmWindow& f = BlindFrm();
    Fakes().sound.played.clear();
    f.BlindKeyPhone("Call");
    EXPECT_EQ(PlayedNames(), QStringList{"Call"});
    EXPECT_EQ(f.MMControl1.Mode(), MediaControl::ModePlaying);
    Fakes().clock.Advance(499);
    EXPECT_EQ(f.MMControl1.Mode(), MediaControl::ModePlaying);
    Fakes().clock.Advance(1);
    EXPECT_EQ(f.MMControl1.Mode(), MediaControl::ModeStopped);

    f.BlindKeyPhone("Call");
    Fakes().clock.Advance(100);
    const int stops = Fakes().sound.stops;
    f.BlindKeyPhone("SerNum");
    EXPECT_EQ(Fakes().sound.stops, stops + 1) << "the prompt still playing is cut";
    EXPECT_EQ(f.MMControl1.RemainingMs(), 800u);

    // Any name plays when its file is there; a missing one is silent and nothing waits for it.
    Fakes().sound.played.clear();
    f.BlindKeyPhone("Nowhere");
    EXPECT_TRUE(PlayedNames().isEmpty());
    EXPECT_NE(f.MMControl1.Mode(), MediaControl::ModePlaying);
    const std::uint32_t t0 = now();
    f.WaitForPrompt();
    EXPECT_EQ(now(), t0);
    dir.write("Broken.wav", "RIFF....WAVEjunk");
    f.BlindKeyPhone("Broken");
    EXPECT_TRUE(PlayedNames().isEmpty());
}

TEST_F(VoiceNavigation, TheWaitForAPromptEndsWithItOrAfterAFewSeconds) {
    prompt("Short", 700);
    prompt("Endless", 600000);
    BlindFrmWindow& f = BlindFrm();
    for (auto [name, waited] : {std::pair{"Short", 700u}, std::pair{"Endless", BlindFrmWindow::MaxPromptWaitMs}}) {
        f.BlindKeyPhone(name);
        const std::uint32_t t0 = now();
        f.WaitForPrompt();
        EXPECT_EQ(now() - t0, waited) << name;
    }
}

TEST_F(VoiceNavigation, LoadingAnnouncesTheStoredLevel) {
    prompt("NavDis", 300);
    prompt("NavEn", 400);
    prompt("Call", 300);
    struct Case {
        int level;
        QStringList prompts;
        std::uint32_t waited;
        const char* option;
    };
    const Case cases[] = {
        {0, {"NavDis"}, 0, "Option1"},
        {1, {"NavEn", "Call"}, 400, "Option2"}, // "Call" only once "NavEn" has ended
        {2, {"NavEn"}, 0, "Option3"},
        {3, {}, 0, ""}, // a hand-edited value selects nothing
    };
    for (const Case& c : cases) {
        Station.VoiceNavLevel = static_cast<std::uint8_t>(c.level);
        Fakes().sound.played.clear();
        const std::uint32_t t0 = now();
        BlindFrmWindow& f = BlindFrm();
        EXPECT_EQ(PlayedNames(), c.prompts) << c.level;
        EXPECT_EQ(now() - t0, c.waited) << c.level;
        for (vb::OptionButton* o : {&f.Option1, &f.Option2, &f.Option3}) EXPECT_EQ(o->Value(), o->Name == c.option) << c.level;
        EXPECT_EQ(f.Label7.Caption(), "Put the audio wave files in this program's working directory: " + dir.path());
        EXPECT_FALSE(f.isVisible());
        const int stops = Fakes().sound.stops;
        vb::Unload(f);
        EXPECT_EQ(Fakes().sound.stops, stops + (c.prompts.isEmpty() ? 0 : 1)) << "unloading closes the player";
    }
}

TEST_F(VoiceNavigation, DoneSavesTheChosenLevel) {
    Station.VoiceNavLevel = 3;
    BlindFrmWindow& f = BlindFrm();
    ShowActive(f);
    f.Command1_Click();
    EXPECT_EQ(Station.VoiceNavLevel, 0) << "no option chosen stores Off";
    ShowActive(f);
    QTest::mouseClick(f.Option3.widget(), Qt::LeftButton, {}, QPoint(6, f.Option3.widget()->height() / 2));
    QTest::mouseClick(f.Option2.widget(), Qt::LeftButton, {}, QPoint(6, f.Option2.widget()->height() / 2));
    QTest::mouseClick(f.Command1.widget(), Qt::LeftButton);
    EXPECT_EQ(Station.VoiceNavLevel, 1) << "only the option chosen at Done counts";
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(dir.exists("QSOpref.txt"));
    EXPECT_EQ(vb::IfLoaded<BlindFrmWindow>(), &f) << "Done hides the window, which stays loaded";
}

} // namespace
