#pragma once
// What the benchmarks of the logging window share: a headless Qt, the fake platform, a scratch program
// folder with the shipped files it needs, an out-of-state station on 20 m CW, the fake clock standing at
// the benchmarks' "now" (the end of the generated contest), and the contest log written there.
#include "bench/ContestLog.h"
#include "bench/Paired.h"
#include "core/ProcessState.h"
#include "platform/TextFile.h"
#include "platform/testing/Fakes.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <functional>
#include <initializer_list>

namespace tylog::bench {

// The benchmarks' "now": local time, with UTC five hours ahead.
inline QDateTime NowLocal() { return QDateTime(QDate(2013, 9, 15), QTime(14, 0, 0)); }
inline constexpr int kUtcAheadHours = 5;
inline QDateTime NowUtc() { return QDateTime(NowLocal().date(), NowLocal().time(), Qt::UTC).addSecs(kUtcAheadHours * 3600); }

inline QString LogPath() { return JoinPath(Folders.ProgramFolder, "log.txt"); }

// Runs the event loop until the window has repainted all that changed: a list view lays out on a
// timer of its own and repaints in the pass after it, so one pass is not always enough.
inline void LetTheWindowRepaint() {
    for (int pass = 0; pass < 3; ++pass) QCoreApplication::processEvents();
}

// Types text into a box key by key, as the operator does: each key goes through the window's key
// handlers (the partial-duplicate list among them). Qt's codes of digits and capitals are ASCII.
inline void TypeKeys(QWidget* box, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c.unicode(), Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(box, &press);
    }
}

// Writes log.txt: the generated contest of `contacts` contacts ending now.
inline void WriteContestLog(int contacts) {
    WriteFileAtomic(LogPath(), ContestLogBytes(contacts, NowUtc(), ShippedCountyNames()));
}

// The own county of the in-state benchmarks' station.
inline const char* const kOwnCounty = "Larkmoor";

// Writes log.txt: the same contest as the in-state station of kOwnCounty logs it (states, provinces,
// DX countries and host-state stations).
inline void WriteInStateContestLog(int contacts) {
    WriteFileAtomic(LogPath(), InStateContestLogBytes(contacts, NowUtc(), ShippedCountyNames(), kOwnCounty));
}

// Sends one key to a box as the keyboard does (Qt's codes of digits and capitals are ASCII).
inline void TypeKey(QWidget* box, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(key)));
    QCoreApplication::sendEvent(box, &press);
}

// The first key of a call, in the window's call box as a commit leaves it (the entry line empty, the
// focus in the call box), with the window's repaint: once for each contact of the log in turn, so the
// keys are the log's own mix of first characters. Against a goal in microseconds.
template <class Window>
void RunFirstKeyOfEveryCall(benchmark::State& state, Window& w, double goalMicroseconds) {
    QWidget* box = w.txtCall.widget();
    int next = 0;
    RunAgainstGoal(state,
                   {[&] {
                        w.FinishCommit(true);
                        LetTheWindowRepaint();
                    },
                    [&] {
                        next = next % ContactLog.Count + 1;
                        TypeKey(box, ContactLog.Rec[static_cast<size_t>(next)].Call.front().unicode());
                        LetTheWindowRepaint();
                    }},
                   goalMicroseconds);
    if (w.txtCall.Text().size() != 1) state.SkipWithError("the box did not take the key");
}

// prepare runs once the folder and station are set, before the first benchmark.
inline int RunWindowBenchmarks(int argc, char** argv, std::initializer_list<const char*> shippedFiles,
                               const std::function<void()>& prepare = {}) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    testing::InstallFakePlatform();
    Folders.ProgramFolder = scratch.path();
    Folders.DataFolder = scratch.path();
    Folders.BackupFolder = scratch.path();
    for (const char* name : shippedFiles)
        QFile::copy(QStringLiteral(TYLOG_SOURCE_DIR "/data/") + name, scratch.path() + '/' + name);
    Station.CurrentMode = "CW";
    Station.CurrentBand = "20";
    Station.FormSizePercent = 100;
    Station.OutOfStateFlag = 1;
    Station.HostState = "TY";
    Station.RigType = "None";
    Station.UtcOffsetHours = kUtcAheadHours;
    testing::Fakes().clock.Set(NowLocal(), kUtcAheadHours);
    testing::Fakes().dialogs.AlwaysAnswerMsgBox("Open existing log?", vbYes);
    if (prepare) prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace tylog::bench
