// The CW keyer on its serial port (a pseudo-terminal), the recorded key lines and the fake clock: what
// it keys and when, the buffer loop around it, and the release of the line on every way out.
#include "core/Link.h"
#include "keying/CWFrm.h"
#include "keying/CWKeyer.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "platform/Platform.h"
#include "platform/Session.h"
#include "platform/VbError.h"
#include "tests/support/DevicePeers.h"
#include "tests/support/LinkDoubles.h"
#include "tests/support/QStringPrint.h"

#include <gtest/gtest.h>

using namespace tylog;
using namespace tylog::testing;
using Signal = RecordingKeyLines::Signal;

namespace {

class CWKeyerTest : public ::testing::Test {
protected:
    void SetUp() override {
        pty.MapAsSerial(3);
        KeyerSettings.CW.SerialPort = "3";
        KeyerSettings.CW.Speed = "20";
        Keyer.CWKeyingType = 1;
        t0 = Now();
    }

    // Text typed as keyboard CW: into the buffer, and the loop started.
    void Send(const QString& text) {
        t0 = Now();
        Keyer.CWBuffer += text;
        CWEngine().LoopThroughCWBuffer();
    }
    static std::uint32_t Now() { return Fakes().clock.TimeGetTime(); }
    // Lets the clock run until the run ends; the time it took from Send.
    std::uint32_t RunOut(std::uint32_t limit = 20000) {
        while (Keyer.CWSending && Now() - t0 < limit) Fakes().clock.Advance(1);
        return Now() - t0;
    }
    // Moves the clock to `ms` after Send.
    void At(std::uint32_t ms) { Fakes().clock.Advance(t0 + ms - Now()); }
    static QString Presses(const QString& device = "COM3", Signal signal = Signal::RTS) {
        return PulseText(Pulses(Fakes().keyLines, device, signal));
    }

    PseudoTerminal pty;
    RecordingLoggingWindow logging;
    std::uint32_t t0 = 0;
};

} // namespace

TEST_F(CWKeyerTest, KeysEEAt20WpmOnRtsOnThePortItOpensWithBothLinesOff) {
    Send("E E");
    const auto opened = Fakes().keyLines.Snapshot();
    ASSERT_GE(opened.size(), 3);
    EXPECT_EQ(opened[0], (RecordingKeyLines::Change{t0, "COM3", Signal::DTR, 0}));
    EXPECT_EQ(opened[1], (RecordingKeyLines::Change{t0, "COM3", Signal::RTS, 0}));
    EXPECT_EQ(Pulses(Fakes().keyLines, "COM3", Signal::RTS).first().downTick, t0);

    At(959);
    EXPECT_TRUE(Keyer.CWSending);
    At(960);
    EXPECT_FALSE(Keyer.CWSending);
    EXPECT_EQ(Presses(), "0-60 720-780");
    EXPECT_TRUE(Presses("COM3", Signal::DTR).isEmpty());
    // The echo: what is still to be sent after each character, and the empty text at the end.
    EXPECT_EQ(logging.Of("Dialog"), (QStringList{"Dialog  E", "Dialog E", "Dialog ", "Dialog "}));
}

TEST_F(CWKeyerTest, TimingMethodsAndLines) {
    struct Case {
        const char* name;
        std::function<void()> set;
        QString device;
        Signal signal;
        const char* presses;
    };
    const Case cases[] = {
        {"Timer at 13 WPM ends an element on the tick after 92.3 ms",
         [] { KeyerSettings.CW.Speed = "13"; }, "COM3", Signal::RTS, "0-93"},
        {"Sleep at 13 WPM: whole milliseconds",
         [] { KeyerSettings.CW.Speed = "13"; KeyerSettings.CW.Timing = CWTiming::Sleep; }, "COM3", Signal::RTS, "0-92"},
        {"Loop calibrated on this PC: the unit",
         [] { KeyerSettings.CW.Timing = CWTiming::Loop; CWEngine().CalibrateCWLoop(); }, "COM3", Signal::RTS, "0-60"},
        {"Loop with 10 % fewer steps (the F button): 10 % faster",
         [] {
             KeyerSettings.CW.Timing = CWTiming::Loop;
             KeyerSettings.CW.LoopsPer60ms = CWEngine().CalibrateCWLoop() * 0.9;
         },
         "COM3", Signal::RTS, "0-54"},
        {"DTR", [] { Keyer.CWKeyingType = 2; }, "COM3", Signal::DTR, "0-60"},
        {"the parallel port's control register", [] { Keyer.CWKeyingType = 3; }, "LPT1", Signal::ParallelControl,
         "0-60"},
    };
    for (const Case& c : cases) {
        KeyerSettings.CW = {};
        KeyerSettings.CW.SerialPort = "3";
        KeyerSettings.CW.Speed = "20";
        Keyer.CWKeyingType = 1;
        c.set();
        Fakes().keyLines.Clear();
        Send("E");
        RunOut();
        EXPECT_EQ(Presses(c.device, c.signal), c.presses) << c.name;
    }
    // Key down writes 3 to &H37A, key up 2.
    const auto lpt = Fakes().keyLines.Of("LPT1", Signal::ParallelControl);
    ASSERT_EQ(lpt.size(), 2);
    EXPECT_EQ(lpt[0].value, 3);
    EXPECT_EQ(lpt[1].value, 2);
}

TEST_F(CWKeyerTest, WordSpaceAndInputThatKeysNothing) {
    struct Case {
        const char* text;
        const char* speed;
        const char* wordSpace;
        const char* presses;
        std::uint32_t takes;
    };
    const Case cases[] = {
        {"E%E", "20", "0", "0-60 240-300", 480},  // no entry: nothing keyed, no delay
        {"E E", "20", "-8", "0-60 240-300", 480}, // the closing three units stay
        {"E E", "20", "2", "0-60 840-900", 1080},
        {"E E", "20", "1000", "0-60 3720-3780", 3960}, // 50 more units at most
        {"E E", "0", "0", "", 0},                // no speed: no key, no wait, no hang
        {"E E", "-3", "0", "", 0},
        {"E E", "fast", "0", "", 0},
    };
    for (const Case& c : cases) {
        KeyerSettings.CW.Speed = c.speed;
        KeyerSettings.CW.WordSpace = c.wordSpace;
        Fakes().keyLines.Clear();
        Send(c.text);
        EXPECT_EQ(RunOut(), c.takes) << c.text << " at " << c.speed << " space " << c.wordSpace;
        EXPECT_EQ(Presses(), c.presses) << c.text << " at " << c.speed << " space " << c.wordSpace;
    }
}

TEST_F(CWKeyerTest, ExclamationLogsTheContactWhereItStandsInTheText) {
    std::uint32_t loggedAt = 0;
    qsizetype pressesBefore = -1;
    logging.onMains = [&] {
        loggedAt = Now() - t0;
        pressesBefore = Pulses(Fakes().keyLines, "COM3", Signal::RTS).size();
    };
    Send("CQ !E");
    RunOut();
    // C and Q (four presses each) and the space (840 + 960 + 480 ms), then the contact, then E.
    EXPECT_EQ(loggedAt, 2280u);
    EXPECT_EQ(pressesBefore, 8);
    EXPECT_TRUE(Presses().endsWith(" 2280-2340")) << Presses().toStdString();

    // A contact that fails to log does not stop the text.
    Fakes().keyLines.Clear();
    logging.onMains = [] { throw VbError(VbError::DeviceIO, "disk full"); };
    Send("E!E");
    RunOut();
    EXPECT_EQ(Presses(), "0-60 240-300");

    // With no keying interface "!" does nothing.
    logging.calls.clear();
    Keyer.CWKeyingType = 0;
    Send("!");
    EXPECT_FALSE(Keyer.CWSending);
    EXPECT_TRUE(logging.Of("Mains").isEmpty());
}

TEST_F(CWKeyerTest, CuttingTheBufferTakesBackWhatHasNotStarted) {
    struct Case {
        const char* text;
        std::function<void()> cut;
        const char* presses;
    };
    const Case cases[] = {
        {"EEE", [] { Keyer.CWBuffer.clear(); }, "0-60"},            // Esc
        {"ET", [] { Keyer.CWBuffer.chop(1); }, "0-60"},             // Backspace takes the T handed ahead
        {"ETT", [] { Keyer.CWBuffer.chop(1); }, "0-60 240-420"},    // ... the last T only
    };
    for (const Case& c : cases) {
        Fakes().keyLines.Clear();
        Send(c.text);
        At(30);
        c.cut();
        CWEngine().CWBufferCut();
        RunOut();
        EXPECT_EQ(Presses(), c.presses) << c.text;
    }
}

TEST_F(CWKeyerTest, FunctionKeysReplaceTheMessageAndF1Repeats) {
    KeyerSettings.CW.Messages[0] = "E";
    KeyerSettings.CW.Messages[1] = "T";
    KeyerSettings.CW.Messages[2] = "EEE";
    KeyerSettings.CW.RepeatSeconds = "2.5";
    t0 = Now();
    CWEngine().FKeyCW(112);
    EXPECT_TRUE(Keyer.CWRepeatArmed);
    At(5600);
    // Sent again 2.5 s after it ended, and again.
    EXPECT_EQ(Presses(), "0-60 2740-2800 5480-5540");
    // A key in the logging window stops it.
    Keyer.CWRepeatArmed = false;
    Keyer.CWBuffer.clear();
    CWEngine().DisableCWRepeat();
    At(20000);
    EXPECT_EQ(Presses(), "0-60 2740-2800 5480-5540");

    // A new message while one is sent: the character being keyed ends, then the new message.
    Fakes().keyLines.Clear();
    t0 = Now();
    CWEngine().FKeyCW(114);
    At(30);
    CWEngine().FKeyCW(113);
    RunOut();
    EXPECT_EQ(Presses(), "0-60 240-420");
    EXPECT_FALSE(Keyer.CWRepeatArmed) << "only F1 repeats";
}

TEST_F(CWKeyerTest, TheLineIsReleasedOnEveryWayOut) {
    PseudoTerminal other;
    other.MapAsSerial(4);
    struct Case {
        const char* name;
        std::function<void()> out;
        bool goesOn; // the run goes on with the next character
        const char* nextOn;
        Signal nextSignal;
    };
    const Case cases[] = {
        {"the keying option changes", [] { Keyer.CWKeyingType = 2; CWEngine().KeyingChanged(); }, true, "COM3",
         Signal::DTR},
        {"the port changes", [] { KeyerSettings.CW.SerialPort = "4"; CWEngine().CWSetup(); }, true, "COM4",
         Signal::RTS},
        {"the voice keyer takes the port", [] { KeyingPortOwner().Take(KeyingPortUser::Voice, [] {}); }, false, "", {}},
        {"the CW window unloads", [] { CWEngine().ClosePort(); }, false, "", {}},
        {"the run ends", [] { UnkeyEverything(); }, false, "", {}},
    };
    for (const Case& c : cases) {
        ResetCWEngine();
        KeyingPortOwner() = {};
        KeyerSettings.CW.SerialPort = "3";
        Keyer = {};
        Keyer.CWKeyingType = 1;
        Fakes().keyLines.Clear();
        Send("TT");
        At(90); // in the middle of the first dash
        c.out();
        EXPECT_EQ(Presses(), "0-90") << c.name; // released at once, and exactly that line
        RunOut();
        EXPECT_EQ(Presses(), "0-90") << c.name;
        if (c.goesOn) {
            EXPECT_EQ(PulseText(Pulses(Fakes().keyLines, c.nextOn, c.nextSignal)), "0-180") << c.name;
        } else {
            EXPECT_FALSE(CWEngine().PortOpen()) << c.name;
        }
        // What was keyed is not raised again by the port's next open.
        Fakes().keyLines.Clear();
        KeyerSettings.CW.SerialPort = "3";
        CWEngine().CWSetup();
        for (const auto& change : Fakes().keyLines.Snapshot()) EXPECT_EQ(change.value, 0) << c.name;
    }
}

TEST_F(CWKeyerTest, ASpeedChangeMidCharacterKeepsTheCharacterWhole) {
    Send("TEE");
    At(90);
    KeyerSettings.CW.Speed = "0";
    CWEngine().TimingChanged();
    EXPECT_EQ(RunOut(), 360u); // T ends; the Es key nothing
    EXPECT_EQ(Presses(), "0-180");

    // Faster from the next character on.
    Fakes().keyLines.Clear();
    KeyerSettings.CW.Speed = "20";
    Send("TT");
    At(90);
    KeyerSettings.CW.Speed = "40";
    CWEngine().TimingChanged();
    RunOut();
    EXPECT_EQ(Presses(), "0-180 360-450");
}

TEST_F(CWKeyerTest, AFailingLineEndsTheRunAndIsSaidOnce) {
    Keyer.CWKeyingType = 3;
    KeyerSettings.CW.ParallelPort = "&H300"; // no parallel port there
    Send("CQ CQ");
    EXPECT_FALSE(Keyer.CWSending);
    EXPECT_TRUE(Keyer.CWBuffer.isEmpty());
    EXPECT_EQ(logging.Of("Dialog CW stopped"),
              QStringList{"Dialog CW stopped: No parallel port register at I/O address &H302"});
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

TEST_F(CWKeyerTest, APortThatCannotOpenIsSaidOnceAndTheWindowShown) {
    KeyerSettings.CW.SerialPort = "7"; // nothing there
    Fakes().dialogs.AnswerMsgBox(vbOK);
    QString shownModally;
    platform().onModalShown = [&](vb::Form& f) {
        shownModally = f.Name;
        f.Hide();
    };
    Send("CQ CQ");
    EXPECT_FALSE(Keyer.CWSending);
    EXPECT_TRUE(Keyer.CWBuffer.isEmpty());
    ASSERT_EQ(Fakes().dialogs.shown.size(), 1);
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "Invalid port.");
    EXPECT_EQ(Fakes().dialogs.shown[0].prompt,
              "The port you have selected for CW keying is invalid.  Please select another or enter 0 for none.");
    EXPECT_EQ(Fakes().dialogs.beeps, 1);
    EXPECT_EQ(shownModally, "CWFrm");

    // Port 0: no port, no message; the text is timed all the same and keys nothing.
    KeyerSettings.CW.SerialPort = "0";
    Send("E");
    EXPECT_EQ(RunOut(), 240u);
    EXPECT_TRUE(Fakes().keyLines.Snapshot().isEmpty());
    EXPECT_EQ(Fakes().dialogs.shown.size(), 1);
}

TEST_F(CWKeyerTest, APortThatGoesAwayMidMessageEndsTheRunOnce) {
    Send("CQ CQ CQ");
    At(30);
    pty.HangUp();
    ASSERT_TRUE(PumpUntil([] { return !Keyer.CWSending; }));
    EXPECT_TRUE(Keyer.CWBuffer.isEmpty());
    EXPECT_EQ(logging.Of("Dialog CW stopped"), QStringList{"Dialog CW stopped: COM3 closed"});
    EXPECT_EQ(Presses(), "0-30");
    At(3000);
    EXPECT_EQ(Presses(), "0-30");
}

TEST_F(CWKeyerTest, ReportsEachCharacterAndTheEndOfTheRun) {
    QString done;
    int ended = 0;
    QObject scope; // the engine outlives this test
    QObject::connect(&CWEngine(), &CWKeyer::CharacterDone, &scope, [&](QChar c) { done += c; });
    QObject::connect(&CWEngine(), &CWKeyer::RunEnded, &scope, [&] { ++ended; });
    Send("E!%E");
    RunOut();
    EXPECT_EQ(done, "E!%E");
    EXPECT_EQ(ended, 1);
}
