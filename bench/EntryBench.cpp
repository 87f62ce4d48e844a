// Timings of the checks that run on every keystroke in the call box of the out-of-state window, on a
// full log (11000 contacts): the partial-duplicate list, the earlier-contacts check of the call, and
// a whole keystroke through the window's and the box's key handlers.
#include "core/ProcessState.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "platform/TextFile.h"
#include "platform/testing/Fakes.h"
#include "bench/WindowBench.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tylog;

namespace {

// Calls K0A.. to K9Z.. with a suffix, spread over five bands and three modes.
QByteArray FullLog() {
    static const char* const counties[] = {"Alderbrook", "Ambervale", "Larkmoor", "Ashcombe", "Birchmere"};
    static const char* const modes[] = {"CW", "PH", "DG"};
    static const char* const bands[] = {"80", "40", "20", "15", "10"};
    QByteArray bytes;
    for (int i = 1; i <= ContactLogData::Capacity; ++i) {
        ContactRecord r;
        r.Call = QString("K%1%2%3").arg(i % 10).arg(QChar('A' + i % 26)).arg(i % 997);
        r.County = counties[i % 5];
        r.SerialSent = QString::number(i);
        r.Date = "2013/09/15";
        r.Time = "12:00:00";
        r.Mode = modes[i % 3];
        r.Band = bands[i % 5];
        r.SerialRcvd = QString::number(i * 7 % 997);
        bytes += LogLine(r);
    }
    return bytes;
}

OutfrmWindow& Window() {
    static OutfrmWindow* w = [] {
        WriteFileAtomic(JoinPath(Folders.ProgramFolder, "log.txt"), FullLog());
        testing::Fakes().dialogs.AlwaysAnswerMsgBox("Open existing log?", vbYes);
        OutfrmWindow* win = &Outfrm();
        tylog::Run.TimeOnRunning = 1;
        return win;
    }();
    return *w;
}

// The call typed so far and the key: with no match the whole log is scanned; with many the list
// fills up and the scan stops early.
void PartialDupeList(benchmark::State& state) {
    OutfrmWindow& w = Window();
    const bool matches = state.range(0) != 0;
    w.txtCall.setText(matches ? "K" : "W9Q");
    for (auto _ : state) {
        int key = matches ? '2' : 'Z';
        w.PartialDupeList(key);
    }
    state.SetLabel(matches ? "list fills up" : "no match, whole log");
}
BENCHMARK(PartialDupeList)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Leaving the call box: a call not in the log, and one logged on other bands and modes.
void DupCheck2(benchmark::State& state) {
    OutfrmWindow& w = Window();
    w.mnuListPrevious.setChecked(false);
    const QString call = state.range(0) != 0 ? "K1B1" : "W9QQQ";
    for (auto _ : state) {
        w.txtCall.setText(call);
        w.txtSec.setText("Larkmoor"); // not filled from the log, so every pass does the same
        w.DupCheck2();
    }
    state.SetLabel(state.range(0) != 0 ? "logged before" : "not in the log");
}
BENCHMARK(DupCheck2)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A key typed at the end of the call and taken back: both through the window's key map, the call
// box's handler (the partial list scans the whole log for the letter) and the box.
void KeystrokeInTheCallBox(benchmark::State& state) {
    OutfrmWindow& w = Window();
    w.txtCall.setText("W9Q");
    w.txtCall.setSelStart(3);
    QWidget* box = w.txtCall.widget();
    for (auto _ : state) {
        QKeyEvent z(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, "z");
        QCoreApplication::sendEvent(box, &z);
        QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &back);
    }
    if (w.txtCall.Text() != "W9Q") state.SkipWithError("the box did not take the keys");
    state.SetLabel("two keystrokes");
}
BENCHMARK(KeystrokeInTheCallBox)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return tylog::bench::RunWindowBenchmarks(argc, argv, {"TYCounty.txt"}); }
