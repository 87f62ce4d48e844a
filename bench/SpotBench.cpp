// A burst of 1000 DX spots through Form1.BandMapSpots into the out-of-state window, as the spotting
// window hands them on: the spot table, the country lookup on the shipped prefix table, the list row
// and, with the band map shown, its redraw after every spot. Reported per spot.
#include "logging/Dispatcher.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "logging/Outfrm.h"
#include "platform/TextFile.h"
#include "platform/testing/Fakes.h"
#include "bench/WindowBench.h"
#include "spotting/SpottingLink.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

// Calls from all over the prefix table, about one in five a respot, all on 20 m.
std::vector<Spot> Burst() {
    static const char* const heads[] = {"DL", "JA", "VK", "ZS", "PY", "K", "W", "G", "EA", "UA", "LU", "VE"};
    std::vector<Spot> spots;
    for (int i = 0; i < kBurst; ++i) {
        const int station = i % 5 == 0 ? i / 5 : i;
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

// The burst inside one event, as when one network read holds all 1000 lines: arg 1 band map, 0 list.
void BurstInOneEvent(benchmark::State& state) {
    Window(state.range(0) != 0);
    std::vector<Spot> spots = Burst();
    for (auto _ : state)
        for (Spot& s : spots) Form1().BandMapSpots(s.call, s.khz, s.record);
    QCoreApplication::processEvents();
    state.counters["per_spot"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kBurst, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BurstInOneEvent)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// One spot per event with the window's pending events (its repaint among them) run after each, as
// when lines arrive one read at a time: the longest a keystroke can wait behind one spot.
void OneSpotPerEvent(benchmark::State& state) {
    Window(true);
    std::vector<Spot> spots = Burst();
    for (auto _ : state)
        for (Spot& s : spots) {
            Form1().BandMapSpots(s.call, s.khz, s.record);
            QCoreApplication::processEvents();
        }
    state.counters["per_spot"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kBurst, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(OneSpotPerEvent)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    Link<SpottingLink>::install(&spotting);
    const int result = tylog::bench::RunWindowBenchmarks(argc, argv, {"TYCounty.txt", "arrlpre2.txt"}, [] {
        WriteFileAtomic(JoinPath(Folders.ProgramFolder, "log.txt"), QByteArray());
        LoadPrefixTable();
    });
    Link<SpottingLink>::install(nullptr);
    return result;
}
