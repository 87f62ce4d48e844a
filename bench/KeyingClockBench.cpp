// The floor of Morse timing: how far past its deadline the keying clock's sleep-until wakes a thread
// scheduled as the keying thread is, over waits of 30 ms (a 40 WPM element) chained to absolute
// deadlines: on an idle program, and while the out-of-state window reloads and rescores the full
// contest log in a loop on the user-interface thread. TYLOG_BENCH_WAITS sets the number of waits
// (10,000 by default: five minutes a figure).
#include "bench/EventLoopProbe.h"
#include "bench/WindowBench.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "platform/Clock.h"
#include "platform/TextFile.h"

#include <QApplication>
#include <atomic>
#include <pthread.h>
#include <sched.h>
#include <thread>

using namespace tylog;
using namespace tylog::bench;

namespace {

int Waits() {
    const int n = qEnvironmentVariableIntValue("TYLOG_BENCH_WAITS");
    return n > 0 ? n : 10000;
}

// The errors (microseconds late) of `waits` sleeps of 30 ms each, on a thread of the keying thread's
// priority; `busy` runs on this thread meanwhile.
std::vector<double> SleepErrors(int waits, const std::function<void()>& busy) {
    std::vector<double> errors;
    errors.reserve(static_cast<size_t>(waits));
    std::atomic<bool> done{false};
    std::thread keying([&] {
        sched_param prio{};
        prio.sched_priority = 10;
        ::pthread_setschedparam(::pthread_self(), SCHED_FIFO, &prio); // as the keying thread asks
        SystemClock clock;
        std::int64_t deadline = clock.SteadyMicros();
        for (int i = 0; i < waits; ++i) {
            deadline += 30000;
            clock.SleepUntilMicros(deadline);
            errors.push_back(static_cast<double>(clock.SteadyMicros() - deadline));
        }
        done = true;
    });
    while (!done) {
        if (busy) busy();
        else std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    keying.join();
    return errors;
}

void KeyingClockSleepUntil(benchmark::State& state) {
    const bool loaded = state.range(0) != 0;
    std::function<void()> busy;
    QByteArray logs[2];
    if (loaded) {
        // Two logs that differ, so every reload reads and parses the whole file.
        logs[0] = ContestLogBytes(ContactLogData::Capacity, NowUtc(), ShippedCountyNames());
        logs[1] = ContestLogBytes(ContactLogData::Capacity - 1, NowUtc(), ShippedCountyNames());
        WriteFileAtomic(LogPath(), logs[0]);
        OutfrmWindow& w = Outfrm();
        w.Show();
        busy = [&w, &logs, n = 0]() mutable {
            WriteFileAtomic(LogPath(), logs[++n % 2]);
            w.ReloadAndRescore();
            LetTheWindowRepaint();
        };
    }
    for (auto _ : state) {
        const std::vector<double> errors = SleepErrors(Waits(), busy);
        ReportLatency(state, errors);
    }
    state.SetLabel(loaded ? "while the window reloads the log" : "idle");
}
BENCHMARK(KeyingClockSleepUntil)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv, {"TYCounty.txt"}); }
