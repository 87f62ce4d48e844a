// A burst of 1000 distinct DX spots into the out-of-state window's spot list and band map
// (bench/SpotBurst.h).
#include "bench/SpotBurst.h"
#include "logging/Outfrm.h"

using namespace tylog;

namespace {

LoggingWindow& Window() { return Outfrm(); }

void BurstOfDistinctSpots(benchmark::State& state) { tylog::bench::RunSpotBurst(state, Window); }
BENCHMARK(BurstOfDistinctSpots)->Arg(1)->Arg(0)->Iterations(tylog::bench::Pairs(5))->Unit(benchmark::kMillisecond);

void EventLoopDelayDuringBurst(benchmark::State& state) { tylog::bench::RunEventLoopDelay(state, Window); }
BENCHMARK(EventLoopDelayDuringBurst)->Arg(1)->Arg(0)->Iterations(tylog::bench::Pairs(3))->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return tylog::bench::RunSpotBenchmarks(argc, argv); }
