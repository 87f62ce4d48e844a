// One keystroke in the call box of the in-state window on a contest log, with the window shown: key
// event, the window's key map, the box's handlers (the partial-duplicate scan, the call-prefix lookup
// with bearing and distance, the St / Prv / Country box and labels it sets), the event-loop pass and
// its repaint; goal 0.2 ms. At each log size, so that the growth shows: it must be no faster than the
// log's.
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

// The generated contest as an in-state station from one own county logs it: every contact sent from
// that county, each station a host-state one with its county.
void WriteInStateLog(int contacts) {
    QByteArray bytes;
    for (ContactRecord& r : ContestLog(contacts, NowUtc(), ShippedCountyNames())) {
        r.Spc = Station.HostState;
        r.SentCounty = Station.CurrentCounty;
        bytes += LogLine(r);
    }
    WriteFileAtomic(LogPath(), bytes);
}

InfrmWindow& WindowOn(int contacts) {
    WriteInStateLog(contacts);
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
    auto type = [box](int k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, QString(QChar(k))); // Qt's codes of digits and capitals are ASCII
        QCoreApplication::sendEvent(box, &press);
    };
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

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, {"TYCounty.txt", "arrlpre2.txt", "states.txt"}, [] {
        Station.OutOfStateFlag = 0;
        Station.OwnCall = "N0TY";
        Station.OwnSpc = "TY";
        Station.CurrentCounty = "Larkmoor";
        Station.OwnLatitude = 39.5f;
        Station.OwnLongitude = 98.2f;
        LoadPrefixTable();
        LoadStateCoords();
    });
}
