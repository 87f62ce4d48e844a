// One keystroke in the call box of the out-of-state window on a contest log, against fixed goals: the
// partial-duplicate scan alone (the rule the call box's handler runs; goal 0.05 ms), and the whole keystroke with the window shown (key
// event, the window's key map, the box's handlers, the event-loop pass and its repaint; goal 0.2 ms).
// At each log size, so that the growth shows: it must grow no faster than the log. And the first key
// of every call, typed into the box a commit left empty.
#include "bench/Paired.h"
#include "bench/WindowBench.h"
#include "core/ProcessState.h"
#include "logging/DupeRules.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"

#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

using namespace tylog;
using namespace tylog::bench;

namespace {

OutfrmWindow& WindowOn(int contacts) {
    WriteContestLog(contacts);
    OutfrmWindow& w = Outfrm();
    if (!w.isVisible()) w.Show();
    Run.TimeOnRunning = true;
    w.ReloadAndRescore();
    LetTheWindowRepaint();
    return w;
}

// What is typed: arg 1 "KZ" then "9", a call in no log, so the whole band and mode is scanned for
// nothing; arg 0 "W9" then "A", a start that many logged calls share.
struct Typing {
    QString before;
    int key;
};
Typing TypingOf(const benchmark::State& state) { return state.range(1) != 0 ? Typing{"KZ", '9'} : Typing{"W9", 'A'}; }
const char* LabelOf(const benchmark::State& state) { return state.range(1) != 0 ? "no match" : "shared start"; }

void PartialDupeScan(benchmark::State& state) {
    OutfrmWindow& w = WindowOn(static_cast<int>(state.range(0)));
    const Typing t = TypingOf(state);
    w.txtCall.setText(t.before);
    const QString typed = t.before + QChar(t.key);
    QString list;
    RunAgainstGoal(state, {{}, [&] {
                               list = PartialDupes(ContactLog, Station.CurrentBand, Station.CurrentMode, typed);
                               benchmark::DoNotOptimize(list.data());
                           }},
                   50);
    state.SetLabel(LabelOf(state));
}
BENCHMARK(PartialDupeScan)->ArgsProduct({{1000, 5000, 11000}, {1, 0}})->UseManualTime()->Iterations(Pairs(2000))
    ->Unit(benchmark::kMicrosecond);

void Keystroke(benchmark::State& state) {
    OutfrmWindow& w = WindowOn(static_cast<int>(state.range(0)));
    const Typing t = TypingOf(state);
    QWidget* box = w.txtCall.widget();
    w.txtCall.SetFocus();
    auto type = [box](int k) { TypeKey(box, k); };
    // Before each key the window shows what typing the start left (its partial list among it), so
    // the key changes what a real one changes.
    const QString head = t.before.left(t.before.size() - 1);
    const int last = t.before.back().unicode();
    RunAgainstGoal(state, {[&] {
                               w.txtCall.setText(head);
                               w.txtCall.setSelStart(static_cast<int>(head.size()));
                               type(last);
                               LetTheWindowRepaint();
                           },
                           [&] {
                               type(t.key);
                               LetTheWindowRepaint();
                           }},
                   200);
    if (w.txtCall.Text() != t.before + QChar(t.key)) state.SkipWithError("the box did not take the key");
    state.SetLabel(LabelOf(state));
}
BENCHMARK(Keystroke)->ArgsProduct({{1000, 5000, 11000}, {1, 0}})->UseManualTime()->Iterations(Pairs(2000))
    ->Unit(benchmark::kMicrosecond);

void FirstKeyOfEveryCall(benchmark::State& state) {
    OutfrmWindow& w = WindowOn(static_cast<int>(state.range(0)));
    w.txtCall.SetFocus();
    RunFirstKeyOfEveryCall(state, w, 200);
}
BENCHMARK(FirstKeyOfEveryCall)->ArgsProduct({{1000, 11000}})->UseManualTime()->Iterations(Pairs(2000))
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv, {"TYCounty.txt"}); }
