// The log store on a contest log, each against its floor, paired: loading log.txt (floor: reading it
// and splitting it into fields), rewriting it (floor: the same bytes written to a temporary file in the
// folder, synced and renamed over it) and appending one contact (floor: open, append, fsync, close).
// These parts have no goal of their own (the window's reload and commit, in LoggingBench, do): the
// ratios show where the time of those goes.
#include "bench/ContestLog.h"
#include "bench/Paired.h"
#include "core/ProcessState.h"
#include "logstore/ContactLog.h"
#include "platform/TextFile.h"
#include "platform/testing/Fakes.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>
#include <vector>

using namespace tylog;
using namespace tylog::bench;

namespace {

QString LogPath() { return JoinPath(Folders.ProgramFolder, "log.txt"); }
QString FloorPath() { return JoinPath(Folders.ProgramFolder, "floor.txt"); }

QByteArray WriteLog(int contacts) {
    const QByteArray bytes =
        ContestLogBytes(contacts, QDateTime(QDate(2013, 9, 15), QTime(19, 0, 0), Qt::UTC), ShippedCountyNames());
    WriteFileAtomic(LogPath(), bytes);
    return bytes;
}

void WriteSyncRename(const QByteArray& bytes) {
    const QByteArray tmp = QFile::encodeName(FloorPath() + ".tmp");
    const int fd = ::open(tmp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) != bytes.size()) std::abort();
    ::fsync(fd);
    ::close(fd);
    ::rename(tmp.constData(), QFile::encodeName(FloorPath()).constData());
}

void AppendFsyncClose(const QByteArray& line) {
    const int fd = ::open(QFile::encodeName(FloorPath()).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (::write(fd, line.constData(), static_cast<size_t>(line.size())) != line.size()) std::abort();
    ::fsync(fd);
    ::close(fd);
}

void Load(benchmark::State& state) {
    const int contacts = static_cast<int>(state.range(0));
    WriteLog(contacts);
    std::vector<QByteArrayView> pieces;
    RunPaired(state, {{}, [&] { ReadAndSplit(LogPath(), pieces); }}, {{}, [] { LoadLog(); }}, 0);
    if (ContactLog.Count != contacts) state.SkipWithError("load failed");
}
BENCHMARK(Load)->ArgsProduct({{1000, 5000, 11000}})->UseManualTime()->Iterations(Pairs(200))->Unit(benchmark::kMillisecond);

// The first load of a run: no string of an earlier load to keep.
void LoadCold(benchmark::State& state) {
    const int contacts = static_cast<int>(state.range(0));
    WriteLog(contacts);
    std::vector<QByteArrayView> pieces;
    RunPaired(state, {{}, [&] { ReadAndSplit(LogPath(), pieces); }}, {[] { ContactLog = {}; }, [] { LoadLog(); }}, 0);
}
BENCHMARK(LoadCold)->ArgsProduct({{1000, 5000, 11000}})->UseManualTime()->Iterations(Pairs(100))->Unit(benchmark::kMillisecond);

void Save(benchmark::State& state) {
    const QByteArray bytes = WriteLog(static_cast<int>(state.range(0)));
    LoadLog();
    RunPaired(state, {{}, [&] { WriteSyncRename(bytes); }}, {{}, [] { SaveLog(); }}, 0);
}
BENCHMARK(Save)->ArgsProduct({{1000, 5000, 11000}})->UseManualTime()->Iterations(Pairs(50))->Unit(benchmark::kMillisecond);

void Append(benchmark::State& state) {
    WriteLog(static_cast<int>(state.range(0)));
    LoadLog();
    const qint64 size = QFile(LogPath()).size();
    const QByteArray line = LogLine(ContactLog.Rec[static_cast<size_t>(ContactLog.Count)]);
    RunPaired(state,
              {[] {
                   if (::truncate(QFile::encodeName(FloorPath()).constData(), 0) != 0) std::abort();
               },
               [&] { AppendFsyncClose(line); }},
              {[&] {
                   // Cut back and reloaded, so the store knows the file's end as after its own writes.
                   if (::truncate(QFile::encodeName(LogPath()).constData(), size) != 0) std::abort();
                   LoadLog();
               },
               [] { AppendLastContact(); }},
              0);
}
BENCHMARK(Append)->ArgsProduct({{1000, 10999}})->UseManualTime()->Iterations(Pairs(300))->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir scratch;
    tylog::testing::InstallFakePlatform();
    Folders.ProgramFolder = scratch.path();
    WriteFileAtomic(FloorPath(), QByteArray());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
