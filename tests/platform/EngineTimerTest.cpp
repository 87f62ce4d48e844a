// The engines' timer: exact ticks on the fake clock, interval 0, the one-step form, and an error in its
// handler stopping at the guard.
#include "platform/EngineTimer.h"
#include "platform/Platform.h"
#include "platform/VbError.h"
#include "tests/support/EscapedErrors.h"

#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::Fakes;

TEST(EngineTimer, FiresAtItsTicksOnTheFakeClockAndNeverAtIntervalZero) {
    EngineTimer poll("RigEngine.tmrPoll"), idle("idle"), step("step");
    QList<std::uint32_t> polls, steps;
    int idles = 0;
    poll.Tick = [&] { polls << platform().clock->TimeGetTime(); };
    idle.Tick = [&] { ++idles; };
    step.Tick = [&] { steps << platform().clock->TimeGetTime(); };
    Fakes().clock.SetTick(1000);
    poll.Start(250);
    idle.setEnabled(true); // interval 0
    step.setSingleShot(true);
    step.Start(205);
    Fakes().clock.Advance(1000);
    EXPECT_EQ(polls, (QList<std::uint32_t>{1250, 1500, 1750, 2000}));
    EXPECT_EQ(steps, (QList<std::uint32_t>{1205}));
    EXPECT_FALSE(step.Running());
    EXPECT_EQ(idles, 0);

    poll.setInterval(50); // a new interval counts from now
    poll.Stop();
    Fakes().clock.Advance(1000);
    EXPECT_EQ(polls.size(), 4);
}

TEST(EngineTimer, AnErrorInItsHandlerStopsAtTheGuard) {
    EngineTimer t("RigEngine.tmrPoll");
    int ticks = 0;
    t.Tick = [&] {
        ++ticks;
        throw VbError(VbError::DeviceIO, "reply garbled");
    };
    t.Start(50);
    {
        tylog::testing::ExpectEscapedError expect("reply garbled");
        Fakes().clock.Advance(50);
        ASSERT_EQ(expect.errors.size(), 1);
        EXPECT_EQ(expect.errors[0].source, "RigEngine.tmrPoll");
        EXPECT_EQ(expect.errors[0].event, "Timer");
    }
    EXPECT_TRUE(t.Running()); // the timer goes on
}
