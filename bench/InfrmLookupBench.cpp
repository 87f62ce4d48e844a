// Per keystroke in the in-state window's entry line, on the shipped prefix table: the call-prefix
// lookup (with bearing and distance) that runs on every change of the call box, and the country
// completion that runs on every key in the St/Prv/Country box.
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "logging/PrefixLookup.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace tylog;

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

void LoadTable() {
    if (PrefixTable.Count > 0) return;
    Folders.ProgramFolder = QStringLiteral(TYLOG_SOURCE_DIR "/data");
    LoadPrefixTable();
}

// One keystroke per iteration, going round the list.
void BM_CallLookupPerKey(benchmark::State& state) {
    LoadTable();
    const std::vector<QString> keys = CallKeystrokes();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LookupPrefixCountry(keys[i], QString(), 39.5f, 98.2f));
        i = (i + 1) % keys.size();
    }
}

void BM_CountryCompletionPerKey(benchmark::State& state) {
    LoadTable();
    const std::vector<QString> keys = CountryKeystrokes();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindCountryCompletion(keys[i]));
        i = (i + 1) % keys.size();
    }
}

// The worst keystroke of each kind back to back: an "A" call read from row 47 through the A group,
// and a country text that matches nothing.
void BM_WorstKeyBoth(benchmark::State& state) {
    LoadTable();
    const QString call = QStringLiteral("A45XR"), country = QStringLiteral("Xqzzy");
    for (auto _ : state) {
        benchmark::DoNotOptimize(LookupPrefixCountry(call, QString(), 39.5f, 98.2f));
        benchmark::DoNotOptimize(FindCountryCompletion(country));
    }
}

} // namespace

BENCHMARK(BM_CallLookupPerKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CountryCompletionPerKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WorstKeyBoth)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
