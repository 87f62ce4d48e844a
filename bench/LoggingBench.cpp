// The out-of-state window on a contest log: every kind of reload and the commit of a contact, each
// against its floor (bench/LogWindowBench.h).
#include "bench/LogWindowBench.h"
#include "logging/Outfrm.h"

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

void ReloadAndRescore(benchmark::State& state) { RunReload(state, WindowOn(static_cast<int>(state.range(0)))); }
BENCHMARK(ReloadAndRescore)->ArgsProduct({{1000, 5000, 11000}, {0, 1, 2, 3, 4}})->UseManualTime()
    ->Iterations(Pairs(100))->Unit(benchmark::kMillisecond);

void CommitContact(benchmark::State& state) {
    OutfrmWindow& w = WindowOn(static_cast<int>(state.range(0)) - 1);
    const QStringList counties = ShippedCountyNames();
    RunCommit(state, w, [&](int n) {
        TypeKeys(w.txtCall.widget(), FreshCall(n));
        w.txtRSTR.setText(QString::number(1 + n % 900));
        w.txtSec.setText(counties[n % counties.size()]);
    });
}
BENCHMARK(CommitContact)->ArgsProduct({{1000, 5000, 11000}})->UseManualTime()->Iterations(Pairs(300))
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv, {"TYCounty.txt"}); }
