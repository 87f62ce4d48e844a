// A burst of 1000 distinct DX spots into the in-state window's DX list and band map, the run in
// state (bench/SpotBurst.h).
#include "bench/SpotBurst.h"
#include "logging/Infrm.h"

using namespace tylog;

namespace {

LoggingWindow& Window() { return Infrm(); }

void InStateBurstOfDistinctSpots(benchmark::State& state) { tylog::bench::RunSpotBurst(state, Window); }
BENCHMARK(InStateBurstOfDistinctSpots)->Arg(1)->Arg(0)->Iterations(tylog::bench::Pairs(5))->Unit(benchmark::kMillisecond);

void InStateEventLoopDelayDuringBurst(benchmark::State& state) { tylog::bench::RunEventLoopDelay(state, Window); }
BENCHMARK(InStateEventLoopDelayDuringBurst)->Arg(1)->Arg(0)->Iterations(tylog::bench::Pairs(3))->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return tylog::bench::RunSpotBenchmarks(argc, argv, [] {
        Station.OutOfStateFlag = 0;
        Station.OwnSpc = "TY";
        Station.CurrentCounty = "Larkmoor";
    });
}
