// Every way the run ends releases what is keyed first: End(), the application quitting, SIGTERM and
// SIGINT.
#include "platform/SerialLine.h"
#include "platform/Session.h"
#include "platform/testing/Fakes.h"

#include <QCoreApplication>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::Fakes;
using tylog::testing::PseudoTerminal;
using Signal = tylog::testing::RecordingKeyLines::Signal;

namespace {

// Runs the application's event loop until something ends it, or 5 s pass (exit code -1).
int RunEventLoop(const std::function<void()>& start) {
    QTimer::singleShot(0, start);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    guard.start(5000);
    return QCoreApplication::exec();
}

TEST(ProgramEnd, EndReleasesTheKeyedLinesBeforeTheRunEnds) {
    PseudoTerminal rig;
    rig.MapAsSerial(1);
    SerialLine cw;
    cw.setCommPort(1);
    cw.Open();
    cw.setRTSEnable(true); // a character cut off mid-element
    UnkeyRegistration keyer = RegisterUnkey([&] { cw.setRTSEnable(false); });
    UnkeyRegistration pushToTalk = RegisterUnkey([] { Out32(0x37A, 2); });
    Fakes().clock.Advance(30);
    const int runs = UnkeyRuns();

    End();

    EXPECT_EQ(Fakes().end.ended, 1);
    EXPECT_EQ(Fakes().end.unkeyRunsAtEnd, runs + 1);
    const auto rts = Fakes().keyLines.Of("COM1", Signal::RTS);
    ASSERT_FALSE(rts.isEmpty());
    EXPECT_EQ(rts.last().value, 0);
    EXPECT_EQ(rts.last().tick, 30u);
    const auto lpt = Fakes().keyLines.Of("LPT1", Signal::ParallelControl);
    ASSERT_EQ(lpt.size(), 1);
    EXPECT_EQ(lpt[0].value, 2);
}

TEST(ProgramEnd, StepsRunInOrderDespiteFailuresAndLeaveWithTheirOwners) {
    QStringList ran;
    UnkeyRegistration first = RegisterUnkey([&] { ran << "first"; });
    UnkeyRegistration failing = RegisterUnkey([&] {
        ran << "failing";
        throw VbError(VbError::DeviceIO, "no such line");
    });
    UnkeyRegistration again = RegisterUnkey([&] {
        ran << "again";
        End(); // ends inside a step: no second round
    });
    UnkeyRegistration gone;
    {
        UnkeyRegistration engine = RegisterUnkey([&] { ran << "gone"; });
        gone = std::move(engine); // moved out: the registration lives on in `gone`
    }
    UnkeyRegistration last = RegisterUnkey([&] {
        ran << "last";
        gone.Reset(); // a step may drop another's registration
    });
    {
        UnkeyRegistration dropped = RegisterUnkey([&] { ran << "dropped"; });
    }

    End();
    EXPECT_EQ(ran, (QStringList{"first", "failing", "again", "gone", "last"}));
    EXPECT_EQ(Fakes().end.ended, 2);

    ran.clear();
    UnkeyEverything();
    EXPECT_EQ(ran, (QStringList{"first", "failing", "again", "last"}));
    EXPECT_FALSE(gone.Registered());
}

TEST(ProgramEnd, QuittingTheApplicationUnkeys) {
    OrderlyQuit orderly;
    QStringList ran;
    UnkeyRegistration keyer = RegisterUnkey([&] { ran << "unkey"; });
    EXPECT_EQ(RunEventLoop([] { QCoreApplication::exit(0); }), 0);
    EXPECT_EQ(ran, QStringList{"unkey"});
}

TEST(ProgramEnd, TermAndIntSignalsBecomeAnOrderlyQuit) {
    for (int sig : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(sig);
        struct sigaction before {};
        ::sigaction(sig, nullptr, &before);
        int runs = 0;
        {
            OrderlyQuit orderly;
            UnkeyRegistration keyer = RegisterUnkey([&] { ++runs; });
            EXPECT_EQ(RunEventLoop([sig] { ::raise(sig); }), 0);
        }
        EXPECT_GE(runs, 1);
        struct sigaction after {};
        ::sigaction(sig, nullptr, &after);
        EXPECT_EQ(after.sa_handler, before.sa_handler); // Ctrl+C ends the tests again
    }
}

} // namespace
