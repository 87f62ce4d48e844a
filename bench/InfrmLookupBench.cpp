// Per keystroke in the in-state window's entry line, on the shipped prefix table: the call-prefix
// lookup (with bearing and distance) that runs on every change of the call box, and the country
// completion that runs on every key in the St/Prv/Country box; each under 0.05 ms, and so is the worst
// key of both back to back.
#include "bench/Paired.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "logging/PrefixLookup.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace tylog;
using namespace tylog::bench;

namespace {

// Every beginning of each call, as the box holds it after each key. The A and B calls scan the longest
// stretches of the table, the Z call backs off from its last row, the Q call finds nothing.
std::vector<QString> CallKeystrokes() {
    static const char* const calls[] = {"G4ABC", "JA1XYZ", "ZS6AB", "R1ANF", "UA9ABC", "VE3ABC", "K1ABC/VE3",
                                        "4X/K1AB", "KG4ABC", "1A0KM", "AH7KAA", "A45XR", "BY1AA", "Q1ABC",
                                        "PY0FA", "OH0AB", "N0ABC", "W1AW"};
    std::vector<QString> keys;
    for (const char* call : calls) {
        const QString c = call;
        for (qsizetype n = 1; n <= c.size(); ++n) keys.push_back(c.left(n));
    }
    return keys;
}

// The St/Prv/Country box's text after each key from the third on; the last ones match nothing and
// so read the whole table.
std::vector<QString> CountryKeystrokes() {
    static const char* const names[] = {"Canada", "Germany", "South Shetland Islands", "Japan", "Xqzzy"};
    std::vector<QString> keys;
    for (const char* name : names) {
        const QString s = name;
        for (qsizetype n = 3; n <= s.size(); ++n) keys.push_back(s.left(n));
    }
    return keys;
}

// The shipped table, read once; a benchmark on a table that did not load measures nothing.
bool LoadTable(benchmark::State& state) {
    if (PrefixTable.Count == 0) {
        Folders.ProgramFolder = QStringLiteral(TYLOG_SOURCE_DIR "/data");
        LoadPrefixTable();
    }
    if (PrefixTable.Count < 1000) {
        state.SkipWithError("the shipped prefix table did not load");
        return false;
    }
    return true;
}

// One keystroke per timed run, going round the list.
void CallLookupPerKey(benchmark::State& state) {
    if (!LoadTable(state)) return;
    const std::vector<QString> keys = CallKeystrokes();
    size_t i = 0;
    RunAgainstGoal(state, {{}, [&] {
                               benchmark::DoNotOptimize(LookupPrefixCountry(keys[i], QString(), 39.5f, 98.2f));
                               i = (i + 1) % keys.size();
                           }},
                   50);
    state.SetLabel("every key of 18 calls");
}
BENCHMARK(CallLookupPerKey)->UseManualTime()->Iterations(Pairs(20000))->Unit(benchmark::kMicrosecond);

void CountryCompletionPerKey(benchmark::State& state) {
    if (!LoadTable(state)) return;
    const std::vector<QString> keys = CountryKeystrokes();
    size_t i = 0;
    RunAgainstGoal(state, {{}, [&] {
                               benchmark::DoNotOptimize(FindCountryCompletion(keys[i]));
                               i = (i + 1) % keys.size();
                           }},
                   50);
    state.SetLabel("every key of 5 names");
}
BENCHMARK(CountryCompletionPerKey)->UseManualTime()->Iterations(Pairs(20000))->Unit(benchmark::kMicrosecond);

// The worst keystroke of each kind back to back: an "A" call read from row 47 through the A group,
// and a country text that matches nothing.
void WorstKeyBoth(benchmark::State& state) {
    if (!LoadTable(state)) return;
    const QString call = QStringLiteral("A45XR"), country = QStringLiteral("Xqzzy");
    RunAgainstGoal(state, {{}, [&] {
                               benchmark::DoNotOptimize(LookupPrefixCountry(call, QString(), 39.5f, 98.2f));
                               benchmark::DoNotOptimize(FindCountryCompletion(country));
                           }},
                   50);
    state.SetLabel("A45XR and Xqzzy");
}
BENCHMARK(WorstKeyBoth)->UseManualTime()->Iterations(Pairs(20000))->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
