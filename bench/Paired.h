#pragma once
// Timing of what an operator waits for against its floor in the same run. The machine is shared and
// its fsync and scheduling times swing widely, so one iteration is one pair, the floor and the measure
// back to back (which goes first alternates), and the ratio is taken pair by pair. The reported time is
// the measure's; the counters hold the medians and spreads bench/run reads.
#include <QByteArray>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace tylog::bench {

struct Pass {
    std::function<void()> prepare; // untimed, before each run (may be empty)
    std::function<void()> run;     // timed
};

// The q-quantile (0..1) of the values, by the nearest rank.
inline double Quantile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<size_t>(q * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

// The timed runs go through these two, so that an instruction count can take them alone:
// valgrind --tool=callgrind --collect-atstart=no --toggle-collect='tylog::bench::MeasuredRun*'
// (bench/run --instructions does it).
[[gnu::noinline]] inline void MeasuredRun(const std::function<void()>& run) { run(); }
[[gnu::noinline]] inline void FloorRun(const std::function<void()>& run) { run(); }

// The number of iterations (pairs) a benchmark asks for, or TYLOG_BENCH_PAIRS when set (fewer, for
// an instruction count under valgrind).
inline benchmark::IterationCount Pairs(benchmark::IterationCount n) {
    const QByteArray env = qgetenv("TYLOG_BENCH_PAIRS");
    return env.isEmpty() ? n : env.toLongLong();
}

namespace detail {
inline double timeOnce(const Pass& p, void (*runner)(const std::function<void()>&)) {
    if (p.prepare) p.prepare();
    const auto t0 = std::chrono::steady_clock::now();
    runner(p.run);
    const auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(t1 - t0).count();
}

// One untimed run first: what is built once on first use (an index over the log, a cache) is not
// the cost of every run.
inline void warmUp(const Pass& p) {
    if (p.prepare) p.prepare();
    p.run();
}

// Median and spread (the 25th and 75th percentiles) of one series, and its 90th percentile, in
// microseconds.
inline void report(benchmark::State& state, const char* name, const std::vector<double>& seconds) {
    std::vector<double> us(seconds.size());
    std::transform(seconds.begin(), seconds.end(), us.begin(), [](double s) { return s * 1e6; });
    state.counters[std::string(name) + "_us"] = Quantile(us, 0.5);
    state.counters[std::string(name) + "_p25"] = Quantile(us, 0.25);
    state.counters[std::string(name) + "_p75"] = Quantile(us, 0.75);
    state.counters[std::string(name) + "_p90"] = Quantile(us, 0.9);
}
} // namespace detail

// Pairs of (floor, measure); the goal is the highest ratio measure/floor allowed (0: none, the ratio is
// only shown). Register with ->UseManualTime().
inline void RunPaired(benchmark::State& state, const Pass& floor, const Pass& measure, double goalRatio) {
    detail::warmUp(floor);
    detail::warmUp(measure);
    std::vector<double> f, m, ratio;
    bool floorFirst = true;
    for (auto _ : state) {
        double tf = 0, tm = 0;
        if (floorFirst) {
            tf = detail::timeOnce(floor, FloorRun);
            tm = detail::timeOnce(measure, MeasuredRun);
        } else {
            tm = detail::timeOnce(measure, MeasuredRun);
            tf = detail::timeOnce(floor, FloorRun);
        }
        floorFirst = !floorFirst;
        state.SetIterationTime(tm);
        f.push_back(tf);
        m.push_back(tm);
        ratio.push_back(tm / tf);
    }
    detail::report(state, "floor", f);
    detail::report(state, "measure", m);
    state.counters["ratio"] = Quantile(ratio, 0.5);
    state.counters["ratio_p25"] = Quantile(ratio, 0.25);
    state.counters["ratio_p75"] = Quantile(ratio, 0.75);
    state.counters["goal_ratio"] = goalRatio;
}

// A measure against a fixed goal in microseconds (no floor). Register with ->UseManualTime().
inline void RunAgainstGoal(benchmark::State& state, const Pass& measure, double goalMicroseconds) {
    detail::warmUp(measure);
    std::vector<double> m;
    for (auto _ : state) {
        const double t = detail::timeOnce(measure, MeasuredRun);
        state.SetIterationTime(t);
        m.push_back(t);
    }
    detail::report(state, "measure", m);
    state.counters["goal_us"] = goalMicroseconds;
}

} // namespace tylog::bench
