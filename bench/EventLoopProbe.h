#pragma once
// How long the user-interface thread's event loop is held while something runs: a precise 1 ms timer
// notes how late each of its ticks comes, which is what a keystroke typed meanwhile waits at most.
// The hardware benchmarks run their engine on the real clock with this probe beside it and report
// Report(state): the delay's median, 99th percentile and maximum (counters p50_us, p99_us, max_us),
// judged by bench/run against goals given as goal_p99_us and goal_max_us.
#include "bench/Paired.h"

#include <QElapsedTimer>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <vector>

namespace tylog::bench {

class EventLoopProbe {
public:
    EventLoopProbe() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            if (last_ >= 0) delays_.push_back(std::max(0.0, (now - last_) / 1000.0 - 1000.0));
            last_ = now;
        });
    }
    void Start() {
        last_ = -1;
        clock_.start();
        timer_.start();
    }
    void Stop() { timer_.stop(); }
    const std::vector<double>& Delays() const { return delays_; }
    // Sets the counters; goals of 0 are not judged.
    void Report(benchmark::State& state, double goalP99Us = 0, double goalMaxUs = 0) const {
        state.counters["p50_us"] = Quantile(delays_, 0.5);
        state.counters["p99_us"] = Quantile(delays_, 0.99);
        state.counters["max_us"] = Quantile(delays_, 1.0);
        if (goalP99Us > 0) state.counters["goal_p99_us"] = goalP99Us;
        if (goalMaxUs > 0) state.counters["goal_max_us"] = goalMaxUs;
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = -1;
    std::vector<double> delays_;
};

// Quantiles of a list of errors or delays (microseconds) as the same three counters.
inline void ReportLatency(benchmark::State& state, const std::vector<double>& us, double goalP99Us = 0,
                          double goalMaxUs = 0) {
    state.counters["p50_us"] = Quantile(us, 0.5);
    state.counters["p99_us"] = Quantile(us, 0.99);
    state.counters["max_us"] = Quantile(us, 1.0);
    if (goalP99Us > 0) state.counters["goal_p99_us"] = goalP99Us;
    if (goalMaxUs > 0) state.counters["goal_max_us"] = goalMaxUs;
}

} // namespace tylog::bench
