// The voice keyer: F-key messages played with push-to-talk on RTS, DTR or the parallel port, released at
// the end of the sound, the F1 repeat, and push-to-talk released exactly as keyed on every way out.
#include "keying/EngineKeyers.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "keying/VoiceKeyer.h"
#include "platform/Session.h"
#include "tests/support/DevicePeers.h"
#include "tests/support/LinkDoubles.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/TestSupport.h"

#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::FakeSound;
using tylog::testing::Fakes;
using tylog::testing::PlayedNames;
using tylog::testing::PseudoTerminal;
using tylog::testing::ScratchFolder;
using Signal = tylog::testing::RecordingKeyLines::Signal;

namespace {

constexpr int F1 = 112, F2 = 113;

// What the voice window does when asked to be shown for a port that cannot be opened.
class RecordingVoiceWindow : public VoiceWindowLink {
public:
    RecordingVoiceWindow() { Link<VoiceWindowLink>::install(this); }
    ~RecordingVoiceWindow() override { Link<VoiceWindowLink>::install(nullptr); }
    void ShowToCorrectPort() override { ++shown; }
    int shown = 0;
};

class VoiceKeyerTest : public ::testing::Test {
protected:
    // Key `key` (1 to 9) plays a silent file of ms.
    void message(int key, const char* name, std::uint32_t ms) {
        dir.write(QString(name) + ".wav", FakeSound::Wave(ms));
        KeyerSettings.Voice.WaveFiles[static_cast<size_t>(key - 1)] = dir.file(QString(name) + ".wav");
    }
    static void pushToTalk(const char* port, int line, const char* address = "&H378") {
        KeyerSettings.Voice.SerialPort = port;
        KeyerSettings.Voice.KeyingLine = line;
        KeyerSettings.Voice.ParallelPort = address;
    }
    // The presses of one line, on the fake clock's tick from its first press ("0-300 5340-").
    static QString presses(const char* device, Signal signal) {
        return tylog::testing::PulseText(tylog::testing::Pulses(Fakes().keyLines, device, signal));
    }
    // Where the presses of a line start and end on the fake clock ("100-420"), whatever came first.
    static QString pressesAt(const char* device, Signal signal) {
        QStringList parts;
        for (const auto& p : tylog::testing::Pulses(Fakes().keyLines, device, signal))
            parts << (p.open ? QStringLiteral("%1-").arg(p.downTick) : QStringLiteral("%1-%2").arg(p.downTick).arg(p.upTick));
        return parts.join(' ');
    }
    static std::uint32_t now() { return Fakes().clock.TimeGetTime(); }

    ScratchFolder dir;
    PseudoTerminal com3;
    VoiceKeyer& keyer = VoiceKeying();

    void SetUp() override { com3.MapAsSerial(3); }
};

// ---- Push-to-talk by setting, and the end of the sound ---------------------------------------------

TEST_F(VoiceKeyerTest, PushToTalkKeysTheLineOfTheSettingForTheSoundsLength) {
    message(1, "cq", 300);
    struct Case {
        const char* port;
        int line;
        const char* address;
        const char* rts;
        const char* dtr;
        const char* lpt;      // the parallel control register: byte 3 keys, byte 2 releases
        const char* lptName;
    };
    const Case cases[] = {
        {"3", 0, "&H378", "0-300", "", "", "LPT1"},
        {"3", 1, "&H378", "", "0-300", "", "LPT1"},
        {" 3 ", 2, "&H378", "0-300", "", "0-300", "LPT1"}, // RTS with the parallel port
        {"0", 2, "&H278", "", "", "0-300", "LPT2"},
        {"0", 0, "&H378", "", "", "", "LPT1"},            // keyed by hand or VOX: the message plays alone
        {"0", 1, "&H378", "", "", "", "LPT1"},
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.port) + " line " + std::to_string(c.line);
        pushToTalk(c.port, c.line, c.address);
        Fakes().keyLines.Clear();
        Fakes().sound.played.clear();
        keyer.FKeyPhone(F1);
        EXPECT_EQ(PlayedNames(), QStringList{"cq"}) << what;
        EXPECT_TRUE(keyer.Playing()) << what;
        Fakes().clock.Advance(299);
        EXPECT_EQ(keyer.Keyed(), QString(c.rts) + c.dtr + c.lpt != "") << "keyed to the sound's end, " << what;
        Fakes().clock.Advance(101);
        EXPECT_EQ(presses("COM3", Signal::RTS), c.rts) << what;
        EXPECT_EQ(presses("COM3", Signal::DTR), c.dtr) << what;
        EXPECT_EQ(presses(c.lptName, Signal::ParallelControl), c.lpt) << what;
        if (*c.lpt) {
            const auto writes = Fakes().keyLines.Of(c.lptName, Signal::ParallelControl);
            ASSERT_EQ(writes.size(), 2) << what;
            EXPECT_EQ(writes[0].value, 3) << what;
            EXPECT_EQ(writes[1].value, 2) << what;
        }
        EXPECT_FALSE(keyer.Keyed()) << what;
    }
    // Other keys play nothing.
    Fakes().sound.played.clear();
    for (int code : {111, 121, 27}) keyer.FKeyPhone(code);
    EXPECT_TRUE(PlayedNames().isEmpty());
}

TEST_F(VoiceKeyerTest, ANewMessageCutsThePlayingOneAndPushToTalkStaysKeyed) {
    message(1, "cq", 3000);
    message(2, "exchange", 1000);
    pushToTalk("3", 0);
    keyer.FKeyPhone(F1);
    Fakes().clock.Advance(1000);
    keyer.FKeyPhone(F2);
    EXPECT_EQ(PlayedNames(), (QStringList{"cq", "exchange"}));
    EXPECT_EQ(Fakes().sound.stops, 1) << "F1 cut at once";
    Fakes().clock.Advance(999);
    EXPECT_EQ(presses("COM3", Signal::RTS), "0-") << "one press throughout";
    Fakes().clock.Advance(1);
    EXPECT_EQ(presses("COM3", Signal::RTS), "0-2000");

    // Stop ("Esc") ends the message; the next check releases.
    keyer.FKeyPhone(F2);
    Fakes().clock.Advance(100);
    EXPECT_TRUE(keyer.Playing());
    keyer.Stop();
    EXPECT_FALSE(keyer.Playing());
    EXPECT_TRUE(keyer.Keyed());
    Fakes().clock.Advance(40);
    EXPECT_FALSE(keyer.Keyed());
    EXPECT_EQ(pressesAt("COM3", Signal::RTS).split(' ').last(), "2000-2120");
}

TEST_F(VoiceKeyerTest, F1RepeatsAfterItsPauseUntilTheRepeatIsStopped) {
    message(1, "cq", 3000);
    pushToTalk("0", 2);
    KeyerSettings.Voice.RepeatSeconds = "5";
    keyer.FKeyPhone(F1);
    EXPECT_TRUE(Keyer.PhoneRepeatArmed);
    Fakes().clock.Advance(16500);
    EXPECT_EQ(presses("LPT1", Signal::ParallelControl), "0-3000 8000-11000 16000-");
    EXPECT_EQ(PlayedNames(), (QStringList{"cq", "cq", "cq"}));

    // A key in the logging window clears the flag and stops the repeat timer: the message that plays
    // goes on, and no repeat follows it.
    Keyer.PhoneRepeatArmed = false;
    keyer.DisableRepeat();
    Fakes().clock.Advance(20000);
    EXPECT_EQ(presses("LPT1", Signal::ParallelControl), "0-3000 8000-11000 16000-19000");

    // During the pause it ends the loop; F1 again starts a fresh one, taking the pause as it is now.
    KeyerSettings.Voice.RepeatSeconds = "1.5";
    Fakes().keyLines.Clear();
    keyer.FKeyPhone(F1);
    Fakes().clock.Advance(4000);
    EXPECT_TRUE(keyer.RepeatPending());
    Keyer.PhoneRepeatArmed = false;
    keyer.DisableRepeat();
    Fakes().clock.Advance(20000);
    EXPECT_EQ(presses("LPT1", Signal::ParallelControl), "0-3000");

    // Only F1 repeats, and "0" (or 60 and over) is no repeat.
    for (auto [key, seconds] : {std::pair{F2, "5"}, std::pair{F1, "0"}, std::pair{F1, "60"}}) {
        message(2, "exchange", 3000);
        KeyerSettings.Voice.RepeatSeconds = seconds;
        Fakes().keyLines.Clear();
        keyer.FKeyPhone(key);
        Fakes().clock.Advance(20000);
        EXPECT_EQ(presses("LPT1", Signal::ParallelControl), "0-3000") << key << " " << seconds;
        Keyer.PhoneRepeatArmed = false;
    }
}

// ---- Bad input ----------------------------------------------------------------------------------

TEST_F(VoiceKeyerTest, BadFilesAndBoxesLeaveNothingKeyed) {
    dir.write("broken.wav", "RIFF....WAVE and no chunks");
    dir.write("song.mp3", "ID3 not a wave");
    struct Case {
        const char* what;
        QString file;
        const char* port;
        const char* address;
        const char* repeat;
        const char* rts;
        const char* lpt;
        QStringList played;
    };
    const QString cq = dir.file("cq.wav");
    dir.write("cq.wav", FakeSound::Wave(300));
    const Case cases[] = {
        // Keyed, then released by the first check; an armed F1 still starts its pause.
        {"missing file", dir.file("gone.wav"), "3", "&H378", "2", "0-40 2040-2080", "0-40 2040-2080", {}},
        {"no wave", dir.file("broken.wav"), "3", "&H378", "0", "0-40", "0-40", {}},
        {"an mp3", dir.file("song.mp3"), "3", "&H378", "0", "0-40", "0-40", {}},
        // Nothing keyed, nothing played.
        {"empty box", "  ", "3", "&H378", "0", "", "", {}},
        {"port no number", cq, "three", "&H378", "0", "", "", {}},
        {"repeat no number", cq, "3", "&H378", "1.2.3", "", "", {}},
        // RTS keyed, then the address fails before the message opens: released at once, nothing plays.
        {"address no number", cq, "3", "&H37G", "0", "0-0", "", {}},
        {"address past 16 bits", cq, "3", "&H7FFF", "0", "0-0", "", {}},
        {"no parallel port there", cq, "3", "&H300", "0", "0-0", "", {}},
    };
    for (const Case& c : cases) {
        KeyerSettings.Voice.WaveFiles[0] = c.file;
        pushToTalk(c.port, 2, c.address);
        KeyerSettings.Voice.RepeatSeconds = c.repeat;
        Fakes().keyLines.Clear();
        Fakes().sound.played.clear();
        keyer.FKeyPhone(F1);
        Fakes().clock.Advance(2100);
        Keyer.PhoneRepeatArmed = false;
        keyer.DisableRepeat();
        EXPECT_EQ(presses("COM3", Signal::RTS), c.rts) << c.what;
        EXPECT_EQ(presses("LPT1", Signal::ParallelControl), c.lpt) << c.what;
        EXPECT_EQ(PlayedNames(), c.played) << c.what;
        EXPECT_FALSE(keyer.Keyed()) << c.what;
        EXPECT_TRUE(Fakes().dialogs.shown.isEmpty()) << c.what << ": nothing is told";
    }

    // An empty box still cuts the message that plays; its push-to-talk is released by the next check.
    KeyerSettings.Voice.WaveFiles[0] = cq;
    KeyerSettings.Voice.WaveFiles[1] = "";
    pushToTalk("3", 0);
    Fakes().keyLines.Clear();
    keyer.FKeyPhone(F1);
    Fakes().clock.Advance(100);
    keyer.FKeyPhone(F2);
    EXPECT_FALSE(keyer.Playing());
    Fakes().clock.Advance(40);
    EXPECT_EQ(presses("COM3", Signal::RTS), "0-120");
}

// ---- Released exactly as keyed -------------------------------------------------------------------

// The end of the message releases what was keyed, whatever the settings say by then (a box that holds
// no number any more, another line, another port, another address).
TEST_F(VoiceKeyerTest, TheEndReleasesWhatWasKeyedNotWhatTheSettingsSayNow) {
    message(1, "cq", 300);
    pushToTalk("3", 0, "&H378");
    for (auto change : std::initializer_list<void (*)()>{
             [] { KeyerSettings.Voice.KeyingLine = 1; },
             [] { KeyerSettings.Voice.SerialPort = "abc"; },
             [] { KeyerSettings.Voice.SerialPort = "0"; },
         }) {
        Fakes().keyLines.Clear();
        keyer.FKeyPhone(F1);
        change();
        Fakes().clock.Advance(400);
        EXPECT_EQ(presses("COM3", Signal::RTS), "0-300");
        EXPECT_EQ(presses("COM3", Signal::DTR), "");
        pushToTalk("3", 0, "&H378");
    }

    pushToTalk("0", 2, "&H378");
    Fakes().keyLines.Clear();
    keyer.FKeyPhone(F1);
    KeyerSettings.Voice.ParallelPort = "&H278";
    Fakes().clock.Advance(100);
    KeyerSettings.Voice.ParallelPort = "no number";
    Fakes().clock.Advance(300);
    EXPECT_EQ(presses("LPT1", Signal::ParallelControl), "0-300");
    EXPECT_TRUE(Fakes().keyLines.Of("LPT2", Signal::ParallelControl).isEmpty());
}

// Every way out releases exactly what was keyed: a change of line, port or address (the window says
// so), another keyer taking the port, the window's unload, the end of the run, the engine dropped.
TEST_F(VoiceKeyerTest, EveryWayOutReleasesWhatWasKeyed) {
    message(1, "long", 60000);
    struct Case {
        const char* what;
        std::function<void()> out;
        bool playsOn;
    };
    const Case cases[] = {
        {"the line or port changed", [this] { keyer.KeyingChanged(); }, true},
        {"CW takes the port", [] { KeyingPortOwner().Take(KeyingPortUser::CW, [] {}); }, true},
        {"the external keyer takes it", [] { KeyingPortOwner().Take(KeyingPortUser::ExternalKeyer, [] {}); }, true},
        {"the window unloads", [this] { keyer.Unload(); }, false},
        {"the run ends", [] { UnkeyEverything(); }, true},
        {"the engine is dropped", [] { EndVoiceKeyer(); }, false},
    };
    for (const Case& c : cases) {
        VoiceKeyer& k = VoiceKeying();
        pushToTalk("3", 2, "&H378");
        Fakes().keyLines.Clear();
        KeyingPortOwner() = {};
        k.FKeyPhone(F1);
        ASSERT_TRUE(k.Keyed()) << c.what;
        ASSERT_EQ(KeyingPortOwner().Holder(), KeyingPortUser::Voice) << c.what;
        Fakes().clock.Advance(1000);
        c.out();
        EXPECT_EQ(presses("COM3", Signal::RTS), "0-1000") << c.what;
        EXPECT_EQ(presses("LPT1", Signal::ParallelControl), "0-1000") << c.what;
        if (c.playsOn) {
            EXPECT_TRUE(k.Playing()) << c.what;
            EXPECT_FALSE(k.Keyed()) << c.what;
        }
        // Another keyer taking the port closes it, and then it is theirs.
        if (KeyingPortOwner().Holder() != KeyingPortUser::Voice) {
            EXPECT_FALSE(VoiceKeying().PortOpen()) << c.what;
        }
        Fakes().clock.Advance(61000);
        EXPECT_EQ(Fakes().keyLines.Of("COM3", Signal::RTS).size(), 3) << c.what << ": open, key, release, no more";
        Keyer.PhoneRepeatArmed = false;
        VoiceKeying().Unload();
    }
}

// ---- The push-to-talk port -------------------------------------------------------------------------

TEST_F(VoiceKeyerTest, OpeningThePortTakesItFromTheCWKeyerWithBothLinesLow) {
    int cwLetGo = 0;
    KeyingPortOwner().Take(KeyingPortUser::CW, [&] { ++cwLetGo; });
    pushToTalk("0", 0);
    keyer.OpenPhonePort();
    EXPECT_EQ(cwLetGo, 0) << "port 0 opens nothing";
    EXPECT_FALSE(keyer.PortOpen());

    pushToTalk("3", 1);
    keyer.OpenPhonePort();
    EXPECT_EQ(cwLetGo, 1);
    EXPECT_EQ(KeyingPortOwner().Holder(), KeyingPortUser::Voice);
    EXPECT_TRUE(keyer.PortOpen());
    for (Signal s : {Signal::RTS, Signal::DTR})
        for (const auto& c : Fakes().keyLines.Of("COM3", s)) EXPECT_EQ(c.value, 0);

    // A port that is open stays open when the box says 0.
    pushToTalk("0", 1);
    keyer.OpenPhonePort();
    EXPECT_TRUE(keyer.PortOpen());
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

TEST_F(VoiceKeyerTest, APortThatCannotBeOpenedIsToldOnEveryPlayAndTheMessageStillPlays) {
    RecordingVoiceWindow window;
    message(1, "cq", 300);
    for (const char* port : {"7", "0.4", "11", "40000"}) { // no device, 0, out of range, past 16 bits
        pushToTalk(port, 2);
        Fakes().dialogs.shown.clear();
        Fakes().sound.played.clear();
        Fakes().keyLines.Clear();
        const int beeps = Fakes().dialogs.beeps;
        for (int play = 1; play <= 2; ++play) {
            Fakes().dialogs.AnswerMsgBox(vbOK);
            keyer.FKeyPhone(F1);
            Fakes().clock.Advance(400);
        }
        ASSERT_EQ(Fakes().dialogs.shown.size(), 2) << port;
        EXPECT_EQ(Fakes().dialogs.shown[0].prompt,
                  "The port you have selected for Phone keying is invalid.  Please select another or enter 0 for none.");
        EXPECT_EQ(Fakes().dialogs.shown[0].title, "Invalid port.");
        EXPECT_EQ(Fakes().dialogs.beeps, beeps + 2) << port;
        EXPECT_EQ(PlayedNames(), (QStringList{"cq", "cq"})) << port;
        EXPECT_EQ(presses("LPT1", Signal::ParallelControl), "0-300 400-700") << port;
        EXPECT_FALSE(keyer.PortOpen()) << port;
        EXPECT_NE(KeyingPortOwner().Holder(), KeyingPortUser::Voice) << port;
    }
    EXPECT_EQ(window.shown, 8);
}

TEST_F(VoiceKeyerTest, APortThatVanishesWhileKeyedIsReleasedAndSaidOnce) {
    tylog::testing::RecordingLoggingWindow logging;
    message(1, "long", 5000);
    pushToTalk("3", 2);
    {
        PseudoTerminal com4;
        com4.MapAsSerial(4);
        pushToTalk("4", 2);
        keyer.FKeyPhone(F1);
        Fakes().clock.Advance(1000);
        com4.HangUp();
        ASSERT_TRUE(tylog::testing::PumpUntil([&] { return !keyer.Keyed(); }));
    }
    // The serial line dropped with the device; the parallel port is released.
    EXPECT_EQ(presses("LPT1", Signal::ParallelControl), "0-1000");
    EXPECT_FALSE(keyer.PortOpen());
    EXPECT_NE(KeyingPortOwner().Holder(), KeyingPortUser::Voice);
    EXPECT_TRUE(keyer.Playing()) << "the message plays on";
    Fakes().clock.Advance(5000);
    tylog::testing::Pump();
    EXPECT_EQ(logging.Of("Dialog"), QStringList{"Dialog Phone keying port COM4 lost: push-to-talk released."});
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty()) << "no box for it";
}

// ---- The whole path with the machine's player ----------------------------------------------------

// A real 16-bit stereo wave file through the installed keyer operations and the Qt player: push-to-talk
// down, the sound started, and released at its length (with or without a sound device, the length
// decides).
TEST_F(VoiceKeyerTest, ARealWaveFilePlaysThroughTheMachinesPlayer) {
    const int rate = 44100, ms = 250, frames = rate * ms / 1000;
    QByteArray data;
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<qint16>(8000 * std::sin(2 * M_PI * 440 * i / rate));
        char sample[2];
        qToLittleEndian(v, sample);
        data += QByteArray(sample, 2) + QByteArray(sample, 2);
    }
    auto le32 = [](std::uint32_t v) {
        char b[4];
        qToLittleEndian(v, b);
        return QByteArray(b, 4);
    };
    QByteArray wav = "RIFF" + le32(static_cast<std::uint32_t>(36 + data.size())) + "WAVEfmt " + le32(16);
    wav += QByteArray("\x01\x00\x02\x00", 4) + le32(rate) + le32(rate * 4) + QByteArray("\x04\x00\x10\x00", 4);
    wav += "data" + le32(static_cast<std::uint32_t>(data.size())) + data;
    dir.write("tone.wav", wav);
    KeyerSettings.Voice.WaveFiles[0] = dir.file("tone.wav");
    pushToTalk("3", 0);

    QtSound machine;
    Sound* const fake = platform().sound;
    platform().sound = &machine;
    EndVoiceKeyer(); // made again with the machine's player
    EngineKeyers keyers;
    keyers.FKeyPhone(F1);
    EXPECT_TRUE(keyers.PhonePlaying());
    tylog::testing::Pump();
    Fakes().clock.Advance(249);
    EXPECT_EQ(presses("COM3", Signal::RTS), "0-");
    Fakes().clock.Advance(1);
    EXPECT_EQ(presses("COM3", Signal::RTS), "0-250");
    EXPECT_FALSE(keyers.PhonePlaying());
    EndVoiceKeyer();
    platform().sound = fake;
}

} // namespace
