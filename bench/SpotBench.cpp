// A burst of 1000 distinct DX spots (no spot sent twice) through Form1.BandMapSpots into the
// out-of-state window, as the spotting window hands them on: the spot table, the country lookup on the
// shipped prefix table, the list row or the band map. The burst's time includes the repaint that ends
// it; the event-loop delay is how long one spot, with the repaint it causes, holds the loop when the
// lines arrive one read at a time (what a keystroke typed during the burst waits at most).
#include "logging/Dispatcher.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "logstore/ContactLog.h"
#include "logging/Outfrm.h"
#include "platform/TextFile.h"
#include "platform/testing/Fakes.h"
#include "bench/Paired.h"
#include "bench/WindowBench.h"
#include "spotting/SpottingLink.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

using namespace tylog;

namespace {

constexpr int kBurst = 1000;

class BenchSpotting : public SpottingLink {
public:
    bool OptList() const override { return list; }
    QString Transport() const override { return QStringLiteral("Telnet"); }
    bool list = false;
};

BenchSpotting spotting;

struct Spot {
    QVariant call, khz, record;
};

// Distinct calls from all over the prefix table, all on 20 m.
std::vector<Spot> Burst() {
    static const char* const heads[] = {"DL", "JA", "VK", "ZS", "PY", "K", "W", "G", "EA", "UA", "LU", "VE"};
    std::vector<Spot> spots;
    for (int i = 0; i < kBurst; ++i) {
        const int station = i;
        const QString call = QString("%1%2%3").arg(heads[station % 12]).arg(station % 10).arg(QChar('A' + station % 26)) +
                             QString("B%1").arg(QChar('A' + station / 26 % 26));
        const QString khz = QString::number(14000 + 1 + (station * 37) % 340) + "." + QString::number(station % 10);
        QString record = QString("de W3LPL:     %1  %2").arg(khz, 9).arg(call, -13) + "CW up 2";
        record = record.leftJustified(64) + QString("%1").arg(1400 + i % 60) + "Z FN20\r\n";
        spots.push_back({call, khz, record});
    }
    return spots;
}

OutfrmWindow& Window(bool bandMap) {
    OutfrmWindow& w = Outfrm();
    w.Show();
    spotting.list = !bandMap;
    Form1().PacketResize();
    QCoreApplication::processEvents();
    return w;
}

// The burst inside one event, as when one network read holds all 1000 lines, and the repaint after it:
// arg 1 band map, 0 list.
void BurstOfDistinctSpots(benchmark::State& state) {
    Window(state.range(0) != 0);
    std::vector<Spot> spots = Burst();
    for (auto _ : state) {
        for (Spot& s : spots) Form1().BandMapSpots(s.call, s.khz, s.record);
        QCoreApplication::processEvents();
    }
    state.counters["per_spot"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kBurst, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel(state.range(0) != 0 ? "band map" : "list");
}
BENCHMARK(BurstOfDistinctSpots)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// One spot per event, each followed by the window's pending events (its repaint among them): the
// median and the longest hold of the event loop during the burst.
void EventLoopDelayDuringBurst(benchmark::State& state) {
    Window(state.range(0) != 0);
    std::vector<Spot> spots = Burst();
    std::vector<double> holds;
    for (auto _ : state) {
        for (Spot& s : spots) {
            const auto t0 = std::chrono::steady_clock::now();
            Form1().BandMapSpots(s.call, s.khz, s.record);
            QCoreApplication::processEvents();
            holds.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
        }
    }
    state.counters["hold_us"] = tylog::bench::Quantile(holds, 0.5);
    state.counters["hold_p99"] = tylog::bench::Quantile(holds, 0.99);
    state.counters["hold_max"] = tylog::bench::Quantile(holds, 1.0);
    state.SetLabel(state.range(0) != 0 ? "band map" : "list");
}
BENCHMARK(EventLoopDelayDuringBurst)->Arg(1)->Arg(0)->Iterations(tylog::bench::Pairs(3))->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    Link<SpottingLink>::install(&spotting);
    const int result = tylog::bench::RunWindowBenchmarks(argc, argv, {"TYCounty.txt", "arrlpre2.txt"}, [] {
        tylog::bench::WriteContestLog(ContactLogData::Capacity);
        LoadPrefixTable();
    });
    Link<SpottingLink>::install(nullptr);
    return result;
}
