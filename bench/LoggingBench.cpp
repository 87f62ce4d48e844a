// Timings of the out-of-state window on a full log: the reload and rescore that every band and mode
// change runs, and the commit of one contact, each beside its floor.
#include "core/ProcessState.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "platform/TextFile.h"
#include "platform/testing/Fakes.h"
#include "bench/WindowBench.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <vector>

using namespace tylog;

namespace {

QString LogPath() { return JoinPath(Folders.ProgramFolder, "log.txt"); }

QByteArray FullLog(int contacts) {
    static const char* const counties[] = {"Alderbrook", "Ambervale", "Larkmoor", "Ashcombe", "Birchmere"};
    static const char* const modes[] = {"CW", "PH", "DG"};
    static const char* const bands[] = {"80", "40", "20", "15", "10"};
    QByteArray bytes;
    for (int i = 1; i <= contacts; ++i) {
        ContactRecord r;
        r.Call = QString("K%1%2XYZ").arg(i % 10).arg(QChar('A' + i % 26));
        r.County = counties[i % 5];
        r.SerialSent = QString::number(i);
        r.Date = "2013/09/15";
        r.Time = QString("%1:%2:%3").arg(i / 3600 % 24, 2, 10, QChar('0')).arg(i / 60 % 60, 2, 10, QChar('0'))
                     .arg(i % 60, 2, 10, QChar('0'));
        r.Mode = modes[i % 3];
        r.Band = bands[i % 5];
        r.SerialRcvd = QString::number(i * 7 % 997);
        bytes += LogLine(r);
    }
    return bytes;
}

OutfrmWindow& OpenWindow(int contacts) {
    WriteFileAtomic(LogPath(), FullLog(contacts));
    testing::Fakes().dialogs.AlwaysAnswerMsgBox("Open existing log?", vbYes);
    return Outfrm();
}

// The floor: read the file and split it on commas and line ends.
void Floor(benchmark::State& state) {
    WriteFileAtomic(LogPath(), FullLog(ContactLogData::Capacity));
    std::vector<QByteArrayView> pieces;
    for (auto _ : state) {
        QFile f(LogPath());
        f.open(QIODevice::ReadOnly);
        const QByteArray data = f.readAll();
        pieces.clear();
        const char* start = data.constData();
        for (const char* p = start; p < data.constData() + data.size(); ++p)
            if (*p == ',' || *p == '\n') {
                pieces.emplace_back(start, p - start);
                start = p + 1;
            }
        benchmark::DoNotOptimize(pieces.data());
    }
}
BENCHMARK(Floor)->Unit(benchmark::kMillisecond);

void ReloadAndRescore(benchmark::State& state) {
    OutfrmWindow& w = OpenWindow(ContactLogData::Capacity);
    for (auto _ : state) w.ReloadAndRescore();
    state.counters["contacts"] = ContactLog.Count;
}
BENCHMARK(ReloadAndRescore)->Unit(benchmark::kMillisecond);

// The floor of a commit: one line appended and synced.
void BareAppendAndSync(benchmark::State& state) {
    const QString path = JoinPath(Folders.ProgramFolder, "bare.txt");
    WriteFileAtomic(path, FullLog(ContactLogData::Capacity - 1));
    const QByteArray line = LogLine(ContactLog.Rec[1]);
    for (auto _ : state) AppendLineSynced(path, line);
}
BENCHMARK(BareAppendAndSync)->Unit(benchmark::kMicrosecond);

// Mains storing contact 11000: checks, append with sync, list, counties, score, rates; with the window
// shown (so its repaint runs inside Mains' pass of the event loop) and hidden.
void MainsCommitsContact11000(benchmark::State& state) {
    OutfrmWindow& w = OpenWindow(ContactLogData::Capacity - 1);
    w.setVisible(state.range(0) != 0);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // Back to 10999 contacts through the store, as every rewrite of the program goes.
        ContactLog.Rec[ContactLogData::Capacity] = ContactRecord();
        ContactLog.Count = ContactLogData::Capacity - 1;
        SaveLog();
        w.txtCall.setText(QString("W%1NEW").arg(n++ % 10));
        w.txtRSTR.setText("5");
        w.txtSec.setText("Larkmoor");
        Station.CurrentBand = "6"; // no duplicate
        state.ResumeTiming();
        w.Mains();
    }
    if (ContactLog.Count != ContactLogData::Capacity) state.SkipWithError("not stored");
}
BENCHMARK(MainsCommitsContact11000)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return tylog::bench::RunWindowBenchmarks(argc, argv, {"TYCounty.txt"}); }
