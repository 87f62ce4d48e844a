#pragma once
// Bursts of 1000 distinct DX spots (no call spotted twice in a run, so no burst is respots of another) through Form1.BandMapSpots into a logging
// window, as the spotting window hands them on: the spot table, the country lookup on the shipped
// prefix table, the list row or the band map. The burst's time includes the repaint that ends it;
// the event-loop delay is how long one spot, with the repaint it causes, holds the loop when the
// lines arrive one read at a time (what a keystroke typed during the burst waits at most). Each
// window's benchmark (SpotBench.cpp, InfrmSpotBench.cpp) runs these on its own window.
#include "bench/Paired.h"
#include "bench/WindowBench.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "logging/Dispatcher.h"
#include "logging/LoggingWindow.h"
#include "logstore/ContactLog.h"
#include "spotting/SpottingLink.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <vector>

namespace tylog::bench {

inline constexpr int kSpotBurst = 1000;

// The spotting window: a transport open, the view the benchmark asks for.
class BenchSpotting : public SpottingLink {
public:
    bool OptList() const override { return list; }
    QString Transport() const override { return QStringLiteral("Telnet"); }
    bool list = false;
};

inline BenchSpotting& Spotting() {
    static BenchSpotting spotting;
    return spotting;
}

struct Spot {
    QVariant call, khz, record;
};

// Distinct calls from all over the prefix table, all on 20 m: burst `burst` of a run, whose calls no
// other burst of the run holds, so every spot is a new one and none a respot.
inline std::vector<Spot> SpotBurst(int burst) {
    static const char* const heads[] = {"DL", "JA", "VK", "ZS", "PY", "K", "W", "G", "EA", "UA", "LU", "VE"};
    std::vector<Spot> spots;
    for (int i = 0; i < kSpotBurst; ++i) {
        const int station = burst * kSpotBurst + i;
        QString call = QString("%1%2").arg(heads[station % 12]).arg(station / 12 % 10);
        for (int n = station / 120, k = 0; k < 3; ++k, n /= 26) call += QChar('A' + n % 26);
        const QString khz = QString::number(14000 + 1 + (station * 37) % 340) + "." + QString::number(station % 10);
        QString record = QString("de W3LPL:     %1  %2").arg(khz, 9).arg(call, -13) + "CW up 2";
        record = record.leftJustified(64) + QString("%1").arg(1400 + i % 60) + "Z FN20\r\n";
        spots.push_back({call, khz, record});
    }
    return spots;
}

// The bursts of a benchmark's iterations, made before the timing starts; each the next of the run, so
// no benchmark of the program sends a call an earlier one sent.
inline std::vector<std::vector<Spot>> SpotBursts(benchmark::IterationCount iterations) {
    static int next = 0;
    std::vector<std::vector<Spot>> bursts;
    for (int b = 0; b < static_cast<int>(iterations); ++b) bursts.push_back(SpotBurst(next++));
    return bursts;
}

using WindowOf = std::function<LoggingWindow&()>;

// The window shown with its spot area open on the band map (or the list), as the spotting window's
// "Done" opens it.
inline LoggingWindow& ShowWithSpotArea(const WindowOf& window, bool bandMap) {
    LoggingWindow& w = window();
    w.Show();
    Spotting().list = !bandMap;
    Form1().PacketResize();
    QCoreApplication::processEvents();
    return w;
}

// The burst inside one event, as when one network read holds all 1000 lines, and the repaint after
// it: arg 1 band map, 0 list.
inline void RunSpotBurst(benchmark::State& state, const WindowOf& window) {
    ShowWithSpotArea(window, state.range(0) != 0);
    std::vector<std::vector<Spot>> bursts = SpotBursts(state.max_iterations);
    size_t burst = 0;
    for (auto _ : state) {
        for (Spot& s : bursts[burst]) Form1().BandMapSpots(s.call, s.khz, s.record);
        QCoreApplication::processEvents();
        ++burst;
    }
    state.counters["per_spot"] = benchmark::Counter(static_cast<double>(state.iterations()) * kSpotBurst,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel(state.range(0) != 0 ? "band map" : "list");
}

// One spot per event, each followed by the window's pending events (its repaint among them): the
// median and the longest hold of the event loop during the burst.
inline void RunEventLoopDelay(benchmark::State& state, const WindowOf& window) {
    ShowWithSpotArea(window, state.range(0) != 0);
    std::vector<std::vector<Spot>> bursts = SpotBursts(state.max_iterations);
    std::vector<double> holds;
    size_t burst = 0;
    for (auto _ : state) {
        for (Spot& s : bursts[burst++]) {
            const auto t0 = std::chrono::steady_clock::now();
            Form1().BandMapSpots(s.call, s.khz, s.record);
            QCoreApplication::processEvents();
            holds.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
        }
    }
    state.counters["hold_us"] = Quantile(holds, 0.5);
    state.counters["hold_p99"] = Quantile(holds, 0.99);
    state.counters["hold_max"] = Quantile(holds, 1.0);
    state.SetLabel(state.range(0) != 0 ? "band map" : "list");
}

// The benchmarks over the full contest log and the shipped prefix table, with `station` setting the
// station of the window benchmarked.
inline int RunSpotBenchmarks(int argc, char** argv, const std::function<void()>& station = {}) {
    Link<SpottingLink>::install(&Spotting());
    const int result = RunWindowBenchmarks(argc, argv, {"TYCounty.txt", "arrlpre2.txt"}, [&station] {
        if (station) station();
        WriteContestLog(ContactLogData::Capacity);
        LoadPrefixTable();
    });
    Link<SpottingLink>::install(nullptr);
    return result;
}

} // namespace tylog::bench
