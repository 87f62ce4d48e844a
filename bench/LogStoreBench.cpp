// Timings of the log store on a full log (11000 contacts), and the floor they are measured against:
// reading the same file and splitting it on commas and line ends.
#include "core/ProcessState.h"
#include "logstore/ContactLog.h"
#include "platform/TextFile.h"
#include "platform/testing/Fakes.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

using namespace tylog;

namespace {

QString LogPath() { return JoinPath(Folders.ProgramFolder, "log.txt"); }

// A full log of plausible contacts: every field the windows fill, varied lengths.
void WriteFullLog() {
    static const char* const counties[] = {"Alderbrook", "Ambervale", "Larkmoor", "Ashcombe", "Birchmere"};
    static const char* const modes[] = {"CW", "PH", "DG"};
    static const char* const bands[] = {"80", "40", "20", "15", "10"};
    QByteArray bytes;
    for (int i = 1; i <= ContactLogData::Capacity; ++i) {
        ContactRecord r;
        r.Call = QString("K%1%2").arg(i % 10).arg(QChar('A' + i % 26)) + "XYZ";
        r.Spc = i % 3 ? "TY" : "";
        r.County = counties[i % 5];
        r.SentCounty = counties[(i + 2) % 5];
        r.SerialSent = QString::number(i);
        r.Date = "2013/09/15";
        r.Time = QString("%1:%2:%3").arg(i / 3600 % 24, 2, 10, QChar('0')).arg(i / 60 % 60, 2, 10, QChar('0'))
                     .arg(i % 60, 2, 10, QChar('0'));
        r.Mode = modes[i % 3];
        r.Band = bands[i % 5];
        r.SerialRcvd = QString::number(i * 7 % 997);
        r.Frequency = QString("%1.%2").arg(14).arg(i % 1000, 3, 10, QChar('0'));
        bytes += LogLine(r);
    }
    WriteFileAtomic(LogPath(), bytes);
}

void Floor(benchmark::State& state) {
    WriteFullLog();
    std::vector<QByteArrayView> pieces;
    pieces.reserve(ContactLogData::Capacity * 20 + 1);
    for (auto _ : state) {
        QFile f(LogPath());
        f.open(QIODevice::ReadOnly);
        const QByteArray data = f.readAll();
        pieces.clear();
        const char* p = data.constData();
        const char* const end = p + data.size();
        const char* start = p;
        for (; p < end; ++p) {
            if (*p == ',' || *p == '\n') {
                pieces.emplace_back(start, p - start);
                start = p + 1;
            }
        }
        benchmark::DoNotOptimize(pieces.data());
        benchmark::ClobberMemory();
    }
    state.counters["values"] = static_cast<double>(pieces.size());
}
BENCHMARK(Floor)->Unit(benchmark::kMillisecond);

void LoadFullLog(benchmark::State& state) {
    WriteFullLog();
    for (auto _ : state) {
        if (!LoadLog()) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(ContactLog.Count);
    }
    state.counters["contacts"] = ContactLog.Count;
}
BENCHMARK(LoadFullLog)->Unit(benchmark::kMillisecond);

// The first load of a run: no string of an earlier load to keep.
void LoadFullLogCold(benchmark::State& state) {
    WriteFullLog();
    for (auto _ : state) {
        state.PauseTiming();
        ContactLog = {};
        state.ResumeTiming();
        if (!LoadLog()) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(ContactLog.Count);
    }
}
BENCHMARK(LoadFullLogCold)->Unit(benchmark::kMillisecond);

void SaveFullLog(benchmark::State& state) {
    WriteFullLog();
    if (!LoadLog()) state.SkipWithError("load failed");
    for (auto _ : state) SaveLog();
}
BENCHMARK(SaveFullLog)->Unit(benchmark::kMillisecond);

void AppendOneContact(benchmark::State& state) {
    WriteFullLog();
    if (!LoadLog()) state.SkipWithError("load failed");
    // Contact 11000 appended to the 10999 before it, again and again (the store refuses to grow a log
    // past what loads); the log is cut back through the store, as every rewrite of the program goes.
    for (auto _ : state) {
        state.PauseTiming();
        ContactLog.Count = ContactLogData::Capacity - 1;
        SaveLog();
        ContactLog.Count = ContactLogData::Capacity;
        state.ResumeTiming();
        AppendLastContact();
    }
}
BENCHMARK(AppendOneContact)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir scratch;
    tylog::testing::InstallFakePlatform();
    Folders.ProgramFolder = scratch.path();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
