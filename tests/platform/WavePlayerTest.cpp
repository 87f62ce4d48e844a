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

QByteArray le16(std::uint16_t v) { return QByteArray(1, char(v & 0xFF)) + char(v >> 8); }

// A WAV file of one format chunk (body as given) and one data chunk.
QByteArray WaveOf(const QByteArray& format, const QByteArray& data) {
    return "RIFF" + le32(0) + "WAVEfmt " + le32(static_cast<std::uint32_t>(format.size())) + format + "data" +
           le32(static_cast<std::uint32_t>(data.size())) + data;
}
QByteArray FormatOf(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * channels * bits / 8) + le16(channels * bits / 8) + le16(bits);
}

// What reaches the sound output: plain samples as they are (24-bit ones widened to 32), whole frames
// of what the file holds; anything else refused with its reason.
TEST(WaveSamples, PlainSamplesOnlyAndWholeFrames) {
    QByteArray extensible = FormatOf(0xFFFE, 1, 8000, 16) + le16(22) + le16(16) + le32(4) + le16(1) +
                            QByteArray("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    struct Case {
        const char* what;
        QByteArray file;
        bool ok;
        WaveSamples::Kind kind;
        int channels;
        QByteArray data;
        const char* why;
    };
    const Case cases[] = {
        {"8-bit mono", WaveOf(FormatOf(1, 1, 8000, 8), "\x80\x81\x7F"), true, WaveSamples::Unsigned8, 1, "\x80\x81\x7F", ""},
        {"16-bit stereo, a frame cut short", WaveOf(FormatOf(1, 2, 44100, 16), QByteArray("\x01\x02\x03\x04\x05\x06", 6)),
         true, WaveSamples::Signed16, 2, "\x01\x02\x03\x04", ""},
        {"24-bit widened", WaveOf(FormatOf(1, 1, 48000, 24), QByteArray("\x01\x02\x83\xFF\xFF\xFF", 6)), true,
         WaveSamples::Signed32, 1, QByteArray("\x00\x01\x02\x83\x00\xFF\xFF\xFF", 8), ""},
        {"32-bit floating", WaveOf(FormatOf(3, 1, 8000, 32), QByteArray(8, '\0')), true, WaveSamples::Float32, 1,
         QByteArray(8, '\0'), ""},
        {"extensible PCM", WaveOf(extensible, "\x10\x20"), true, WaveSamples::Signed16, 1, "\x10\x20", ""},
        {"compressed", WaveOf(FormatOf(2, 1, 8000, 4), "\x12\x34"), false, {}, 0, {}, "compressed (encoding 2)"},
        {"12-bit", WaveOf(FormatOf(1, 1, 8000, 12), "\x12\x34"), false, {}, 0, {}, "12 bits"},
        {"no channels", WaveOf(FormatOf(1, 0, 8000, 16), "\x12\x34"), false, {}, 0, {}, "0 channels"},
        {"no format", "RIFF" + le32(0) + "WAVEdata" + le32(2) + "\x12\x34", false, {}, 0, {}, "no format"},
        {"not a wave", "ID3 an mp3 file", false, {}, 0, {}, "no WAV file"},
    };
    for (const Case& c : cases) {
        WaveSamples got;
        QString why;
        ASSERT_EQ(ReadWaveSamples(c.file, &got, &why), c.ok) << c.what;
        if (c.ok) {
            EXPECT_EQ(got.kind, c.kind) << c.what;
            EXPECT_EQ(got.channels, c.channels) << c.what;
            EXPECT_EQ(got.data, c.data) << c.what;
        } else {
            EXPECT_TRUE(why.contains(c.why)) << c.what << ": " << why.toStdString();
        }
    }
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
