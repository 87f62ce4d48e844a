// What an operator waits for in the out-of-state window on a contest log, each against its floor,
// paired: the reload and rescore of every band and mode change with the window's repaint (floor:
// reading log.txt and splitting it into fields), and the commit of a contact from Enter to the record
// on disk and the window's controls set (floor: opening a file in the same folder, appending one line,
// fsync, closing). The window is shown, as the operator has it.
#include "bench/Paired.h"
#include "bench/WindowBench.h"
#include "core/ProcessState.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "platform/TextFile.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include <chrono>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using namespace tylog;
using namespace tylog::bench;

namespace {

// The window shown over the contest log of `contacts` contacts.
OutfrmWindow& WindowOn(int contacts) {
    WriteContestLog(contacts);
    OutfrmWindow& w = Outfrm();
    if (!w.isVisible()) w.Show();
    w.ReloadAndRescore();
    LetTheWindowRepaint();
    return w;
}

void ReloadAndRescore(benchmark::State& state) {
    const int contacts = static_cast<int>(state.range(0));
    OutfrmWindow& w = WindowOn(contacts);
    std::vector<QByteArrayView> pieces;
    pieces.reserve(static_cast<size_t>(contacts) * 20 + 1);
    RunPaired(state, {{}, [&] { ReadAndSplit(LogPath(), pieces); }},
              {{}, [&] {
                   w.ReloadAndRescore();
                   LetTheWindowRepaint();
               }},
              3.0);
    if (ContactLog.Count != contacts) state.SkipWithError("the log did not load");
}
BENCHMARK(ReloadAndRescore)->ArgsProduct({{1000, 5000, 11000}})->UseManualTime()
    ->Iterations(Pairs(200))->Unit(benchmark::kMillisecond);

// Open, append one line, fsync, close: what storing a contact cannot do without.
void AppendFsyncClose(const QString& path, const QByteArray& line) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (::write(fd, line.constData(), static_cast<size_t>(line.size())) != line.size()) std::abort();
    ::fsync(fd);
    ::close(fd);
}

// Contact number `contacts` committed with contacts - 1 in the log: Enter in the call box with call,
// serial and county typed, through the window's key map and the box's handler to Mains (checks, append
// with fsync, list, counties, score, rate meter), until the handler returns with the record on disk and
// every control of the window set. The repaint that the event loop then runs is timed on its own
// (repaint_us): Qt draws the recent-contacts list's cells and the emptied entry boxes there, and it is
// no part of the commit's goal.
// Before each run, of the floor as of the commit, the window goes back to contacts - 1 (log.txt cut
// back and reloaded, as after a band change) and the entry line is typed again, the call key by key,
// outside the timing. The floor's run is prepared the same way: what ran just before decides much of
// an fsync's time on this machine (measured: the same append takes twice as long right after a
// reload as after a bare truncate), so both runs start from the same state. The floor's file is a copy
// of the log, cut back to the same size before each run as the log is.
void CommitContact(benchmark::State& state) {
    const int contacts = static_cast<int>(state.range(0));
    OutfrmWindow& w = WindowOn(contacts - 1);
    Run.TimeOnRunning = true;
    const qint64 logSize = QFile(LogPath()).size();
    const QString floorPath = JoinPath(Folders.ProgramFolder, "floor.txt");
    const QByteArray line = LogLine(ContactLog.Rec[static_cast<size_t>(ContactLog.Count)]);
    CopyFileAtomic(LogPath(), floorPath);
    const QStringList counties = ShippedCountyNames();
    int n = 0;
    bool committed = false, lost = false;
    std::vector<double> repaint;
    auto enterTheNextContact = [&] {
        if (committed) { // the last commit's repaint
            const auto t0 = std::chrono::steady_clock::now();
            LetTheWindowRepaint();
            repaint.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
            committed = false;
        }
        // Back to contacts - 1, and the store told so by a reload.
        if (::truncate(QFile::encodeName(LogPath()).constData(), logSize) != 0) std::abort();
        w.ReloadAndRescore();
        w.FillRecentContacts(); // as it stood before this contact
        // The call typed key by key, as before a real Enter: what the typing itself costs (the
        // partial-duplicate list) is paid while typing, not at Enter.
        w.txtCall.SetFocus();
        w.txtCall.setText(QString());
        TypeKeys(w.txtCall.widget(), FreshCall(n++));
        w.txtRSTR.setText(QString::number(1 + n % 900));
        w.txtSec.setText(counties[n % counties.size()]);
        LetTheWindowRepaint();
    };
    const Pass floor{[&] {
                         enterTheNextContact();
                         if (::truncate(QFile::encodeName(floorPath).constData(), logSize) != 0) std::abort();
                     },
                     [&] { AppendFsyncClose(floorPath, line); }};
    const Pass commit{enterTheNextContact, [&] {
                          QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
                          QCoreApplication::sendEvent(w.txtCall.widget(), &enter);
                          committed = true;
                          lost |= ContactLog.Count != contacts;
                      }};
    RunPaired(state, floor, commit, 2.0);
    state.counters["repaint_us"] = Quantile(repaint, 0.5);
    if (lost) state.SkipWithError("not stored");
}
BENCHMARK(CommitContact)->ArgsProduct({{1000, 5000, 11000}})->UseManualTime()->Iterations(Pairs(300))
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv, {"TYCounty.txt"}); }
