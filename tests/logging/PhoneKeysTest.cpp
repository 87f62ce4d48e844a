// Phone messages from the logging window's keys, through the keyers installed at start-up: F-keys play
// with push-to-talk, a key during the F1 repeat's pause ends the loop, Esc stops the message.
#include "keying/EngineKeyers.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "keying/VoiceKeyer.h"
#include "tests/logging/EntryFixture.h"
#include "tests/support/DevicePeers.h"

using namespace tylog;
using namespace tylog::testing;

namespace {

class PhoneKeysTest : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        Link<KeyerActions>::install(&InstalledKeyers());
        for (auto [key, ms] : {std::pair{1, 1000u}, std::pair{2, 2000u}}) {
            const QString name = QString("F%1.wav").arg(key);
            folder.write(name, FakeSound::Wave(ms));
            KeyerSettings.Voice.WaveFiles[static_cast<size_t>(key - 1)] = folder.file(name);
        }
        KeyerSettings.Voice.KeyingLine = 2; // the parallel port, &H378
    }
    void TearDown() override { Link<KeyerActions>::install(nullptr); }

    static QString presses() {
        return PulseText(Pulses(Fakes().keyLines, "LPT1", RecordingKeyLines::Signal::ParallelControl));
    }
};

TEST_F(PhoneKeysTest, FunctionKeysPlayAndAnyKeyEndsTheRepeat) {
    OutfrmWindow& w = open();
    KeyerSettings.Voice.RepeatSeconds = "2";
    key(Qt::Key_F1);
    Fakes().clock.Advance(3500);
    EXPECT_EQ(presses(), "0-1000 3000-");
    keys("k"); // typed while F1 plays: it plays to its end, and no repeat follows
    EXPECT_EQ(w.txtCall.Text(), "K");
    Fakes().clock.Advance(5000);
    EXPECT_EQ(presses(), "0-1000 3000-4000");
    EXPECT_EQ(PlayedNames(), (QStringList{"F1", "F1"}));

    // F1 again, a key in the pause, and no more; then F2 stopped by Esc, which leaves the entry line.
    Fakes().keyLines.Clear();
    key(Qt::Key_F1);
    Fakes().clock.Advance(1500);
    keys("1");
    Fakes().clock.Advance(5000);
    key(Qt::Key_F2);
    Fakes().clock.Advance(500);
    key(Qt::Key_Escape);
    EXPECT_FALSE(Keyers().PhonePlaying());
    Fakes().clock.Advance(40);
    EXPECT_EQ(presses(), "0-1000 6500-7020");
    EXPECT_EQ(w.txtCall.Text(), "K1") << "Esc stopped the message only";

    // F10 is swallowed; F11 and F12 play nothing; other modes leave the voice keyer alone.
    Fakes().sound.played.clear();
    for (Qt::Key k : {Qt::Key_F10, Qt::Key_F11, Qt::Key_F12}) key(k);
    Station.CurrentMode = "CW";
    key(Qt::Key_F1);
    EXPECT_TRUE(PlayedNames().isEmpty());
}

} // namespace
