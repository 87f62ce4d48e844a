// The keying thread: characters keyed at their deadlines and chained end to start, at most one handed
// ahead, the handed-ahead one taken back, and the key released exactly where it is down, on the fake
// clock (exact ticks) and on the machine's clock (a real thread).
#include "platform/KeyingThread.h"
#include "platform/Platform.h"
#include "platform/VbError.h"
#include "tests/support/DevicePeers.h"

#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::Fakes;
using tylog::testing::Pulses;
using tylog::testing::PulseText;
using Signal = tylog::testing::RecordingKeyLines::Signal;

namespace {

KeyLineHandle Com(int n) { return {QStringLiteral("COM%1").arg(n), 100 + n}; }

// A character of `elements` (1 dot, 3 dash) at `unitMs`, each followed by a one-unit gap, then the
// two more units that end a character, keyed on RTS of `port`.
KeyingJob Character(const QList<int>& elements, int unitMs, const KeyLineHandle& port, int tag) {
    KeyingJob job;
    std::int64_t at = 0;
    const std::int64_t unit = unitMs * 1000;
    for (int e : elements) {
        job.steps.push_back({at, true});
        at += e * unit;
        job.steps.push_back({at, false});
        at += unit;
    }
    job.lengthMicros = at + 2 * unit;
    job.key = [port](bool down) { platform().keyLines->SetLine(port, ModemLine::RTS, down); };
    job.tag = tag;
    return job;
}

} // namespace

TEST(KeyingThread, KeysEachCharacterAtItsTicksAndChainsThemOnTheFakeClock) {
    KeyingThread thread;
    QList<int> done;
    thread.JobDone = [&](int tag, bool ok) {
        EXPECT_TRUE(ok);
        done << tag;
        if (tag == 1) {
            EXPECT_TRUE(thread.Hand(Character({1, 3}, 60, Com(3), 3))); // handed on from the report
        }
    };
    Fakes().clock.SetTick(5000);
    ASSERT_TRUE(thread.Hand(Character({1}, 60, Com(3), 1)));
    ASSERT_TRUE(thread.Hand(Character({1}, 60, Com(3), 2)));
    EXPECT_FALSE(thread.Hand(Character({1}, 60, Com(3), 9))); // two held already
    Fakes().clock.Advance(2000);
    // E (0-60, ends at 240), E (240-300, ends at 480), A (480-540, 600-780, ends at 960).
    EXPECT_EQ(PulseText(Pulses(Fakes().keyLines, "COM3", Signal::RTS)), "0-60 240-300 480-540 600-780");
    EXPECT_EQ(Fakes().keyLines.Of("COM3", Signal::RTS).first().tick, 5000u);
    EXPECT_EQ(done, (QList<int>{1, 2, 3}));
    EXPECT_EQ(thread.Held(), 0);
}

TEST(KeyingThread, ACharacterHandedAheadStartsWhereTheLastEndedNotWhenTheThreadGotToIt) {
    // Characters of 1.5 ms: the fake clock's ticks round each deadline up, as a late wake would.
    auto blip = [](int tag) {
        KeyingJob job = Character({}, 1, Com(3), tag);
        job.steps = {{0, true}, {500, false}};
        job.lengthMicros = 1500;
        return job;
    };
    KeyingThread thread;
    thread.JobDone = [&](int tag, bool) {
        if (tag < 3) thread.Hand(blip(tag + 2));
    };
    ASSERT_TRUE(thread.Hand(blip(1)));
    ASSERT_TRUE(thread.Hand(blip(2)));
    Fakes().clock.Advance(20);
    // At 0, 1.5, 3 and 4.5 ms: the lateness of one wake is not carried into the next character.
    EXPECT_EQ(PulseText(Pulses(Fakes().keyLines, "COM3", Signal::RTS)), "0-1 2-2 3-4 5-5");
}

TEST(KeyingThread, TakesBackTheCharacterHandedAheadAndReleasesExactlyTheKeyThatIsDown) {
    KeyingThread thread;
    int done = 0;
    thread.JobDone = [&](int, bool) { ++done; };
    ASSERT_TRUE(thread.Hand(Character({3}, 50, Com(3), 1)));
    ASSERT_TRUE(thread.Hand(Character({3}, 50, Com(4), 2)));
    Fakes().clock.Advance(10);
    EXPECT_TRUE(thread.TakeBack());
    EXPECT_FALSE(thread.TakeBack()); // the running one stays
    Fakes().clock.Advance(50);
    thread.Abort(); // mid-dash: COM3 is let go, COM4 never keyed
    Fakes().clock.Advance(1000);
    EXPECT_EQ(PulseText(Pulses(Fakes().keyLines, "COM3", Signal::RTS)), "0-60");
    EXPECT_TRUE(Fakes().keyLines.Of("COM4", Signal::RTS).isEmpty());
    EXPECT_EQ(done, 0); // an aborted character reports nothing
    EXPECT_EQ(thread.Held(), 0);
}

TEST(KeyingThread, AKeyThatFailsEndsItsCharacterReleasedAndTheNextOneGoesOn) {
    KeyingThread thread;
    QList<QPair<int, bool>> done;
    thread.JobDone = [&](int tag, bool ok) { done.append({tag, ok}); };
    KeyingJob broken = Character({1, 1}, 60, Com(3), 1);
    int presses = 0;
    broken.key = [&presses](bool down) {
        platform().keyLines->SetLine(Com(3), ModemLine::RTS, down);
        if (down && ++presses == 2) throw VbError(VbError::DeviceIO, "COM3 RTS: gone");
    };
    ASSERT_TRUE(thread.Hand(broken));
    ASSERT_TRUE(thread.Hand(Character({1}, 60, Com(3), 2)));
    Fakes().clock.Advance(2000);
    EXPECT_EQ(done, (QList<QPair<int, bool>>{{1, false}, {2, true}}));
    // The failed press was released at once; the next character started where the failure left off.
    EXPECT_EQ(PulseText(Pulses(Fakes().keyLines, "COM3", Signal::RTS)), "0-60 120-120 120-180");
}

TEST(KeyingThread, OnTheMachinesClockAThreadKeysInOrderAndStopsReleased) {
    SystemClock machine;
    Clock* fake = platform().clock;
    platform().clock = &machine;
    {
        KeyingThread thread;
        QList<int> done;
        thread.JobDone = [&](int tag, bool) { done << tag; };
        for (int tag = 1; tag <= 2; ++tag) ASSERT_TRUE(thread.Hand(Character({1, 3}, 2, Com(3), tag)));
        ASSERT_TRUE(tylog::testing::PumpUntil([&] { return done.size() == 2; }));
        EXPECT_EQ(done, (QList<int>{1, 2}));
        const auto pulses = Pulses(Fakes().keyLines, "COM3", Signal::RTS);
        ASSERT_EQ(pulses.size(), 4);
        for (int i = 0; i < 4; ++i) {
            EXPECT_FALSE(pulses[i].open);
            EXPECT_LT(pulses[i].downMicros, pulses[i].upMicros);
            if (i > 0) {
                EXPECT_LE(pulses[i - 1].upMicros, pulses[i].downMicros);
            }
        }
        // A long dash, stopped midway: the line is up when Stop returns.
        ASSERT_TRUE(thread.Hand(Character({3}, 1000, Com(4), 3)));
        ASSERT_TRUE(tylog::testing::PumpUntil([&] { return !Fakes().keyLines.Of("COM4", Signal::RTS).isEmpty(); }));
        thread.Stop();
        EXPECT_EQ(PulseText(Pulses(Fakes().keyLines, "COM4", Signal::RTS)).count('-'), 1);
        EXPECT_FALSE(Pulses(Fakes().keyLines, "COM4", Signal::RTS).last().open);
        EXPECT_FALSE(thread.Hand(Character({1}, 2, Com(3), 4))); // a stopped thread takes nothing
    }
    platform().clock = fake;
}
