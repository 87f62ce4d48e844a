// Wave files' lengths from their headers, and players whose "playing" follows the clock alone.
#include "platform/WavePlayer.h"
#include "platform/testing/Fakes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::FakeSound;
using tylog::testing::Fakes;
using tylog::testing::ScratchFolder;

namespace {

QByteArray le32(std::uint32_t v) {
    QByteArray b;
    for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
    return b;
}

TEST(WaveLength, FromTheHeader) {
    ScratchFolder dir;
    const QByteArray plain = FakeSound::Wave(1500);
    // 44.1 kHz 16-bit stereo, with a chunk of odd size before the format and the data claiming more
    // than the file holds (a recording cut short).
    QByteArray cd = "RIFF" + le32(0) + "WAVE" + "LIST" + le32(3) + "abc" + '\0';
    cd += "fmt " + le32(16) + QByteArray("\x01\x00\x02\x00", 4) + le32(44100) + le32(176400) + QByteArray("\x04\x00\x10\x00", 4);
    cd += "data" + le32(176400 * 10) + QByteArray(176400 / 4, '\0');
    struct Case {
        const char* what;
        QByteArray bytes;
        bool ok;
        std::uint32_t ms;
    };
    const Case cases[] = {
        {"plain", plain, true, 1500},
        {"cut short, odd chunk", cd, true, 250},
        {"no data chunk", plain.left(36), false, 0},
        {"no format before the data", "RIFF" + le32(0) + "WAVEdata" + le32(8) + QByteArray(8, '\0'), false, 0},
        {"not a wave", "ID3 an mp3 file", false, 0},
        {"empty", QByteArray(), false, 0},
    };
    for (const Case& c : cases) {
        dir.write("x.wav", c.bytes);
        std::uint32_t ms = 0;
        EXPECT_EQ(WaveLengthMs(dir.file("x.wav"), &ms), c.ok) << c.what;
        if (c.ok) { EXPECT_EQ(ms, c.ms) << c.what; }
    }
    std::uint32_t ms = 0;
    EXPECT_FALSE(WaveLengthMs(dir.file("missing.wav"), &ms));
}

// The machine's player: whether it plays is the file's length on the clock, whatever the sound system
// reports and whether or not the event loop runs.
TEST(WavePlayers, PlayingFollowsTheClockWithoutTheEventLoop) {
    ScratchFolder dir;
    dir.write("a.wav", FakeSound::Wave(250));
    Fakes().clock.SetTick(0xFFFFFF00u); // across the wrap of the tick
    QtWavePlayer player;
    EXPECT_FALSE(player.Playing());
    ASSERT_TRUE(player.Play(dir.file("a.wav")));
    EXPECT_TRUE(player.Playing());
    Fakes().clock.Advance(249);
    EXPECT_TRUE(player.Playing());
    EXPECT_EQ(player.RemainingMs(), 1u);
    Fakes().clock.Advance(1);
    EXPECT_FALSE(player.Playing());
    ASSERT_TRUE(player.Play(dir.file("a.wav")));
    player.Stop();
    EXPECT_FALSE(player.Playing());
    EXPECT_FALSE(player.Play(dir.file("missing.wav")));
    EXPECT_FALSE(player.Playing());
}

} // namespace
