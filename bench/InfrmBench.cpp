// The in-state window on a contest log as an in-state station logs it (host-state stations with their
// counties, the other states and provinces, DX countries, all worked from one own county): every kind
// of reload (grid, DX lists, county lists, score and the window's repaint) and the commit of a contact,
// each against its floor (bench/LogWindowBench.h); and the partial-duplicate scan of each key in the
// call box against a fixed goal (0.05 ms).
#include "bench/LogWindowBench.h"
#include "logging/DupeRules.h"
#include "logging/Infrm.h"

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

void InStateReloadAndRescore(benchmark::State& state) { RunReload(state, WindowOn(static_cast<int>(state.range(0)))); }
BENCHMARK(InStateReloadAndRescore)->ArgsProduct({{1000, 5000, 11000}, {0, 1, 2, 3, 4}})->UseManualTime()
    ->Iterations(Pairs(100))->Unit(benchmark::kMillisecond);

// A host-state station: call, serial, St / Prv / Country and county typed as the operator types them.
void InStateCommitContact(benchmark::State& state) {
    InfrmWindow& w = WindowOn(static_cast<int>(state.range(0)) - 1);
    const QStringList counties = ShippedCountyNames();
    RunCommit(state, w, [&](int n) {
        TypeKeys(w.txtCall.widget(), FreshCall(n));
        w.txtRSTR.setText(QString::number(1 + n % 900));
        w.txtCntry.setText(Station.HostState);
        w.txtSec.setText(counties[n % counties.size()]);
    });
}
BENCHMARK(InStateCommitContact)->ArgsProduct({{1000, 5000, 11000}})->UseManualTime()->Iterations(Pairs(300))
    ->Unit(benchmark::kMicrosecond);

// Arg 1: "KZ" then "9", a call in no log; arg 0: "W9" then "A", a start many logged calls share.
void InStatePartialDupeScan(benchmark::State& state) {
    WindowOn(static_cast<int>(state.range(0)));
    const QString typed = state.range(1) != 0 ? "KZ9" : "W9A";
    const QString ownCounty = kOwnCounty;
    QString list;
    RunAgainstGoal(state, {{}, [&] {
                               list = PartialDupes(ContactLog, Station.CurrentBand, Station.CurrentMode, typed,
                                                   &ownCounty);
                               benchmark::DoNotOptimize(list.data());
                           }},
                   50);
    state.SetLabel(state.range(1) != 0 ? "no match" : "shared start");
}
BENCHMARK(InStatePartialDupeScan)->ArgsProduct({{1000, 5000, 11000}, {1, 0}})->UseManualTime()
    ->Iterations(Pairs(2000))->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, {"TYCounty.txt"}, [] {
        Station.OutOfStateFlag = 0;
        Station.CurrentCounty = kOwnCounty;
    });
}
