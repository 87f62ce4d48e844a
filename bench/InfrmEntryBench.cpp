// One keystroke in the call box of the in-state window on a contest log (host-state stations, other
// states and provinces, DX), with the window shown: key event, the window's key map, the box's
// handlers (the partial-duplicate scan, the call-prefix lookup with bearing and distance, the St /
// Prv / Country box and labels it sets), the event-loop pass and its repaint; goal 0.2 ms. At each log
// size, so that the growth shows: it must grow no faster than the log. And the first key of every
// call, typed into the box a commit left empty.
#include "bench/Paired.h"
#include "bench/WindowBench.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "logging/Infrm.h"
#include "logstore/ContactLog.h"

#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

using namespace tylog;
using namespace tylog::bench;

namespace {

InfrmWindow& WindowOn(int contacts) {
    WriteInStateContestLog(contacts);
    InfrmWindow& w = Infrm();
    if (!w.isVisible()) w.Show();
    Run.TimeOnRunning = true;
    w.ReloadAndRescore();
    LetTheWindowRepaint();
    return w;
}

// What is typed: the call's start, then the key timed.
struct Typing {
    const char* before;
    int key;
    const char* label;
};
const Typing kTypings[] = {
    {"W9", 'A', "shared start"}, // many logged calls begin so: a long partial list; a US call
    {"KZ", '9', "no match"},     // the whole band and mode scanned for nothing
    {"G", 'M', "new country"},   // England becomes Scotland: the box, continent, bearing and distance change
};

void InfrmKeystroke(benchmark::State& state) {
    InfrmWindow& w = WindowOn(static_cast<int>(state.range(0)));
    const Typing& t = kTypings[state.range(1)];
    const QString before = QString::fromLatin1(t.before);
    QWidget* box = w.txtCall.widget();
    w.txtCall.SetFocus();
    auto type = [box](int k) { TypeKey(box, k); };
    // Before each key the window shows what typing the start left (its partial list and country
    // among it), so the key changes what a real one changes.
    const QString head = before.left(before.size() - 1);
    const int last = before.back().unicode();
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
    if (w.txtCall.Text() != before + QChar(t.key)) state.SkipWithError("the box did not take the key");
    state.SetLabel(t.label);
}
BENCHMARK(InfrmKeystroke)->ArgsProduct({{1000, 5000, 11000}, {0, 1, 2}})->UseManualTime()->Iterations(Pairs(2000))
    ->Unit(benchmark::kMicrosecond);

void InfrmFirstKeyOfEveryCall(benchmark::State& state) {
    InfrmWindow& w = WindowOn(static_cast<int>(state.range(0)));
    w.txtCall.SetFocus();
    RunFirstKeyOfEveryCall(state, w, 200);
}
BENCHMARK(InfrmFirstKeyOfEveryCall)->ArgsProduct({{1000, 11000}})->UseManualTime()->Iterations(Pairs(2000))
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, {"TYCounty.txt", "arrlpre2.txt", "states.txt"}, [] {
        Station.OutOfStateFlag = 0;
        Station.OwnCall = "N0TY";
        Station.OwnSpc = "TY";
        Station.CurrentCounty = kOwnCounty;
        Station.OwnLatitude = 39.5f;
        Station.OwnLongitude = 98.2f;
        LoadPrefixTable();
        LoadStateCoords();
    });
}
