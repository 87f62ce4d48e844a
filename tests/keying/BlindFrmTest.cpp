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
    Fakes().clock.Advance(499);
    EXPECT_TRUE(f.MMControl1.Playing());
    Fakes().clock.Advance(1);
    EXPECT_FALSE(f.MMControl1.Playing());

    f.BlindKeyPhone("Call");
    Fakes().clock.Advance(100);
    const int stops = Fakes().sound.stops;
    f.BlindKeyPhone("SerNum");
    EXPECT_EQ(Fakes().sound.stops, stops + 1) << "the prompt still playing is cut";
    Fakes().clock.Advance(799);
    EXPECT_TRUE(f.MMControl1.Playing());

    // Any name plays when its file is there; a missing or broken one is silent, and nothing waits for it.
    dir.write("Broken.wav", "RIFF....WAVEjunk");
    for (const char* name : {"Nowhere", "Broken"}) {
        Fakes().sound.played.clear();
        f.BlindKeyPhone(name);
        f.HearPromptOut();
        f.BlindKeyPhone("Call");
        EXPECT_EQ(PlayedNames(), QStringList{"Call"}) << name;
    }
}

// A prompt heard out holds the next one without holding anything else: the clock never moves inside a
// call, and the prompt asked for meanwhile starts when the first ends, or after ten seconds at most.
TEST_F(VoiceNavigation, APromptHeardOutHoldsTheNextUntilItEnds) {
    prompt("Dupe", 700);
    prompt("Endless", 600000);
    prompt("Call", 300);
    prompt("SerNum", 300);
    prompt("County", 300);
    BlindFrmWindow& f = BlindFrm();
    for (auto [name, held] : {std::pair{"Dupe", 700u}, std::pair{"Endless", PromptPlayer::MaxHoldMs}}) {
        Fakes().sound.played.clear();
        const std::uint32_t t0 = now();
        f.BlindKeyPhone(name);
        f.HearPromptOut();
        f.BlindKeyPhone("Call");
        f.BlindKeyPhone("SerNum"); // tabbing on: only the latest prompt waits
        f.BlindKeyPhone("County");
        EXPECT_EQ(now(), t0) << name;
        EXPECT_EQ(PlayedNames(), QStringList{name}) << name;
        Fakes().clock.Advance(held - 1);
        EXPECT_EQ(PlayedNames(), QStringList{name}) << name;
        Fakes().clock.Advance(1);
        EXPECT_EQ(PlayedNames(), (QStringList{name, "County"})) << name;
        Fakes().clock.Advance(300);
    }

    // A prompt to be heard out that waits keeps its place: "NavEn", then "Dupe" whole, then "Call".
    prompt("NavEn", 400);
    Fakes().sound.played.clear();
    f.BlindKeyPhone("NavEn");
    f.HearPromptOut();
    f.BlindKeyPhone("Dupe");
    f.HearPromptOut();
    f.BlindKeyPhone("Call");
    Fakes().clock.Advance(400);
    EXPECT_EQ(PlayedNames(), (QStringList{"NavEn", "Dupe"}));
    Fakes().clock.Advance(700);
    EXPECT_EQ(PlayedNames(), (QStringList{"NavEn", "Dupe", "Call"}));

    // Unloading forgets what waits.
    f.BlindKeyPhone("Dupe");
    f.HearPromptOut();
    f.BlindKeyPhone("Call");
    vb::Unload(f);
    Fakes().sound.played.clear();
    Fakes().clock.Advance(1000);
    EXPECT_TRUE(PlayedNames().isEmpty());
}

TEST_F(VoiceNavigation, LoadingAnnouncesTheStoredLevel) {
    prompt("NavDis", 300);
    prompt("NavEn", 400);
    prompt("Call", 300);
    struct Case {
        int level;
        QStringList prompts;
        const char* option;
    };
    const Case cases[] = {
        {0, {"NavDis"}, "Option1"},
        {1, {"NavEn", "Call"}, "Option2"},
        {2, {"NavEn"}, "Option3"},
        {3, {}, ""}, // a hand-edited value selects nothing
    };
    for (const Case& c : cases) {
        Station.VoiceNavLevel = static_cast<std::uint8_t>(c.level);
        Fakes().sound.played.clear();
        BlindFrmWindow& f = BlindFrm();
        EXPECT_EQ(PlayedNames(), c.prompts.mid(0, 1)) << c.level;
        Fakes().clock.Advance(399);
        EXPECT_EQ(PlayedNames(), c.prompts.mid(0, 1)) << "\"Call\" waits for \"NavEn\" to end, " << c.level;
        Fakes().clock.Advance(1);
        EXPECT_EQ(PlayedNames(), c.prompts) << c.level;
        for (vb::OptionButton* o : {&f.Option1, &f.Option2, &f.Option3}) EXPECT_EQ(o->Value(), o->Name == c.option) << c.level;
        EXPECT_EQ(f.Label7.Caption(), "Put the audio wave files in this program's working directory: " + dir.path());
        EXPECT_FALSE(f.isVisible());
        f.BlindKeyPhone("Call"); // still playing when the window goes
        const int stops = Fakes().sound.stops;
        vb::Unload(f);
        EXPECT_EQ(Fakes().sound.stops, stops + 1) << "unloading closes the player";
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
