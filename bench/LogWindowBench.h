#pragma once
// What the operator waits for in either logging window on a contest log, each against its floor,
// paired (LoggingBench.cpp runs them on the out-of-state window, InfrmBench.cpp on the in-state one):
//
// - every kind of reload and rescore, with the window's repaint, against reading log.txt and splitting
//   it into fields (goal 3x): after a band or mode change (the same file), after an edit, a delete and
//   a restore (a file rewritten), and the cold load at start (nothing in memory yet);
// - the commit of a contact from Enter until the window shows it (the record synced, every control
//   set and the window repainted) against opening a file in the same folder, appending one line,
//   fsync and closing (goal 3x).
#include "bench/Paired.h"
#include "bench/WindowBench.h"
#include "core/ProcessState.h"
#include "logging/LoggingWindow.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <unistd.h>
#include <vector>

namespace tylog::bench {

enum class ReloadKind { BandChange, AfterEdit, AfterDelete, AfterRestore, ColdAtStart };
inline const char* const kReloadLabels[] = {"band change", "after an edit", "after a delete", "after a restore",
                                            "cold, at start"};

// The window's lists as a window that has just loaded holds them: empty.
inline void EmptyTheLists(LoggingWindow& w) {
    w.ListView1.ClearItems();
    for (vb::Control* c : w.Controls())
        if (c->kind() == vb::Kind::ListBox) static_cast<vb::ListBox*>(c)->Clear();
}

// arg 0: the log's size; arg 1: the ReloadKind. The window is shown over the log log.txt holds.
inline void RunReload(benchmark::State& state, LoggingWindow& w) {
    const int contacts = static_cast<int>(state.range(0));
    const auto kind = static_cast<ReloadKind>(state.range(1));
    const QByteArray original = ReadAllBytes(LogPath());
    w.ReloadAndRescore();
    LetTheWindowRepaint();
    // The record an edit changes: one half-way down with a county, given another county and back.
    int k = contacts / 2;
    while (k < contacts && ContactLog.Rec[static_cast<size_t>(k)].County.isEmpty()) ++k;
    const QString countyBefore = ContactLog.Rec[static_cast<size_t>(k)].County;
    const QString countyEdited = CountyTable.Name[1] == countyBefore ? CountyTable.Name[2] : CountyTable.Name[1];
    QByteArray restored = original; // another file of the same size: record k with the other county
    bool edited = false;
    {
        ContactRecord r = ContactLog.Rec[static_cast<size_t>(k)];
        const QByteArray line = LogLine(r);
        r.County = countyEdited;
        const qsizetype at = original.indexOf(line);
        restored.replace(at, line.size(), LogLine(r));
    }
    const std::function<void()> prepare = [&] {
        switch (kind) {
        case ReloadKind::BandChange: break;
        case ReloadKind::AfterEdit: // as the editor leaves it: the record changed in place, the log rewritten
            edited = !edited;
            ContactLog.Rec[static_cast<size_t>(k)].County = edited ? countyEdited : countyBefore;
            SaveLog();
            break;
        case ReloadKind::AfterDelete: // the whole log back, then one record deleted and the log rewritten
            WriteFileAtomic(LogPath(), original);
            w.ReloadAndRescore();
            LetTheWindowRepaint();
            DeleteContact(k);
            break;
        case ReloadKind::AfterRestore: // another file put in log.txt's place
            edited = !edited;
            WriteFileAtomic(LogPath(), edited ? restored : original);
            break;
        case ReloadKind::ColdAtStart: // nothing read yet, the lists empty
            ContactLog = ContactLogData();
            EmptyTheLists(w);
            LetTheWindowRepaint();
            break;
        }
    };
    std::vector<QByteArrayView> pieces;
    pieces.reserve(static_cast<size_t>(contacts) * 20 + 1);
    RunPaired(state, {{}, [&] { ReadAndSplit(LogPath(), pieces); }},
              {prepare, [&] {
                   w.ReloadAndRescore();
                   LetTheWindowRepaint();
               }},
              3.0);
    const int expected = kind == ReloadKind::AfterDelete ? contacts - 1 : contacts;
    if (ContactLog.Count != expected) state.SkipWithError("the log did not load");
    state.SetLabel(kReloadLabels[state.range(1)]);
    WriteFileAtomic(LogPath(), original);
    w.ReloadAndRescore();
}

// Open, append one line, fsync, close: what storing a contact cannot do without.
inline void AppendFsyncClose(const QString& path, const QByteArray& line) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (::write(fd, line.constData(), static_cast<size_t>(line.size())) != line.size()) std::abort();
    ::fsync(fd);
    ::close(fd);
}

// Contact number `contacts` committed with contacts - 1 in the log: Enter in the call box with the
// entry line typed (typeEntry, the call key by key, so what typing costs is paid while typing),
// through the window's key map and the box's handler to Mains (checks, append with fsync, list,
// multipliers, score, rate meter) and the repaint that shows it. The repaint's part is shown beside.
// Before each run, of the floor as of the commit, the window goes back to contacts - 1 (log.txt cut
// back and reloaded, as after a band change) and the entry line is typed again, outside the timing:
// what ran just before decides much of an fsync's time on this machine (measured: the same append
// takes twice as long right after a reload as after a bare truncate), so both runs start from the
// same state. The floor's file is a copy of the log, cut back to the same size before each run as
// the log is.
inline void RunCommit(benchmark::State& state, LoggingWindow& w, const std::function<void(int n)>& typeEntry) {
    const int contacts = static_cast<int>(state.range(0));
    Run.TimeOnRunning = true;
    const qint64 logSize = QFile(LogPath()).size();
    const QString floorPath = JoinPath(Folders.ProgramFolder, "floor.txt");
    const QByteArray line = LogLine(ContactLog.Rec[static_cast<size_t>(ContactLog.Count)]);
    CopyFileAtomic(LogPath(), floorPath);
    int n = 0;
    bool lost = false;
    std::vector<double> repaint;
    auto enterTheNextContact = [&] {
        // Back to contacts - 1, and the store told so by a reload.
        if (::truncate(QFile::encodeName(LogPath()).constData(), logSize) != 0) std::abort();
        w.ReloadAndRescore();
        w.FillRecentContacts(); // as it stood before this contact
        w.txtCall.SetFocus();
        w.EmptyEntryLine();
        typeEntry(n++);
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
                          const auto t0 = std::chrono::steady_clock::now();
                          LetTheWindowRepaint();
                          repaint.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
                          lost |= ContactLog.Count != contacts;
                      }};
    RunPaired(state, floor, commit, 3.0);
    state.counters["repaint_us"] = Quantile(repaint, 0.5);
    if (lost) state.SkipWithError("not stored");
}

} // namespace tylog::bench
