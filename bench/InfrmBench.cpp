// What an operator waits for in the in-state window on a contest log: the reload and rescore of every
// band and mode change (grid, DX lists, county lists, score and the window's repaint) against reading
// log.txt and splitting it into fields, and the partial-duplicate scan of each key in the call box
// against a fixed goal (0.05 ms). The log is the generated contest turned into an in-state station's:
// host-state stations with their counties, the other states and provinces, DX countries, all worked
// from one own county.
#include "bench/Paired.h"
#include "bench/WindowBench.h"
#include "core/ProcessState.h"
#include "core/SectionTable.h"
#include "logging/DupeRules.h"
#include "logging/Infrm.h"
#include "logstore/ContactLog.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QHash>
#include <benchmark/benchmark.h>

#include <vector>

using namespace tylog;
using namespace tylog::bench;

namespace {

const char* const kOwnCounty = "Larkmoor";

// The generated contest as an in-state station logs it: about 40% host-state stations (keeping their
// counties), 45% other states and provinces, 15% DX countries, each call always from the same place.
QByteArray InStateLogBytes(int contacts) {
    static const char* const countries[] = {
        "Germany", "Japan", "England", "Italy", "Spain", "France", "Brazil", "Argentina", "Australia",
        "New Zealand", "Sweden", "Finland", "Norway", "Poland", "Czech Republic", "Slovak Republic", "Hungary",
        "Austria", "Switzerland", "Belgium", "Netherlands", "Denmark", "Portugal", "Ireland", "Scotland", "Wales",
        "Russia (European)", "Ukraine", "Croatia", "Slovenia", "Greece", "Turkey", "Israel", "South Africa",
        "Chile", "Peru", "Colombia", "Venezuela", "Mexico", "Cuba", "Puerto Rico", "US Virgin Islands",
        "Bahamas", "Jamaica", "Dominican Republic", "China", "South Korea", "Taiwan", "Philippines", "Indonesia",
        "Thailand", "India", "Kazakhstan", "Lithuania", "Latvia", "Estonia", "Belarus", "Romania", "Bulgaria",
        "Serbia"};
    SectionTableData sections;
    BuildSectionTable(sections);
    QByteArray out;
    for (ContactRecord r : ContestLog(contacts, NowUtc(), ShippedCountyNames())) {
        const size_t h = qHash(r.Call);
        const size_t kind = h % 20;
        if (kind < 8) {
            r.Spc = "TY";
        } else if (kind < 17) {
            int row = static_cast<int>(h / 20 % 62) + 1;
            if (row >= 50) ++row; // not the host state
            r.Spc = sections.Abbrev[static_cast<size_t>(row)];
            r.County.clear();
        } else {
            r.Spc = countries[h / 20 % std::size(countries)];
            r.County.clear();
        }
        r.SentCounty = kOwnCounty;
        out += LogLine(r);
    }
    return out;
}

InfrmWindow& WindowOn(int contacts) {
    WriteFileAtomic(LogPath(), InStateLogBytes(contacts));
    InfrmWindow& w = Infrm();
    if (!w.isVisible()) w.Show();
    Run.TimeOnRunning = true;
    w.ReloadAndRescore();
    LetTheWindowRepaint();
    return w;
}

void InStateReloadAndRescore(benchmark::State& state) {
    const int contacts = static_cast<int>(state.range(0));
    InfrmWindow& w = WindowOn(contacts);
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
BENCHMARK(InStateReloadAndRescore)->ArgsProduct({{1000, 5000, 11000}})->UseManualTime()
    ->Iterations(Pairs(200))->Unit(benchmark::kMillisecond);

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
