// The event-loop hold of one spot of bench/SpotBurst.h's burst with the spectrum map shown over the
// out-of-state window's band map, against the hold with the band map alone. One spot per event, then
// the pending events (the repaints among them); floor and measure alternate spot by spot.
#include "bench/SpotBurst.h"
#include "logging/Outfrm.h"
#include "spotting/SpectrumMap.h"
#include "spotting/SpottingWindowsLink.h"

using namespace tylog;

namespace {

// The real spotting link, with the spotting window's choices: a transport open, the band map.
class BandMapSpotting : public SpottingWindowsLink {
public:
    bool OptList() const override { return false; }
    QString Transport() const override { return QStringLiteral("Telnet"); }
};

void SpectrumMapOverBandMap(benchmark::State& state) {
    BandMapSpotting spotting;
    Link<SpottingLink>::install(&spotting);
    LoggingWindow& w = Outfrm();
    w.Show();
    Form1().PacketResize();
    bench::LetTheWindowRepaint();
    SpectrumMapWindow& map = SpectrumMap();

    // Distinct spots for every run (each a new call, none a respot), enough for the pairs asked for.
    std::vector<bench::Spot> spots;
    const auto runs = 2 * (state.max_iterations + 1) + DXSpotTableData::Newest + 1;
    for (const std::vector<bench::Spot>& burst : bench::SpotBursts(runs / bench::kSpotBurst + 1))
        spots.insert(spots.end(), burst.begin(), burst.end());
    size_t next = 0;
    const auto oneSpot = [&] {
        bench::Spot& s = spots[next++ % spots.size()];
        Form1().BandMapSpots(s.call, s.khz, s.record);
        QCoreApplication::processEvents();
    };
    // Both maps full before timing: every slot holds a spot of the last minutes.
    for (int i = 0; i <= DXSpotTableData::Newest; ++i) oneSpot();

    // Showing or hiding the map, and what that repaints, is not part of either hold.
    const bench::Pass bandMapAlone{[&] {
                                       if (!map.isVisible()) return;
                                       map.Hide();
                                       bench::LetTheWindowRepaint();
                                   },
                                   oneSpot};
    const bench::Pass withSpectrumMap{[&] {
                                          if (map.isVisible()) return;
                                          map.Show();
                                          bench::LetTheWindowRepaint();
                                      },
                                      oneSpot};
    bench::RunPaired(state, bandMapAlone, withSpectrumMap, 1.5);
    state.SetLabel("per spot, spectrum map over band map");

    vb::Unload(map);
    Link<SpottingLink>::install(nullptr);
}
BENCHMARK(SpectrumMapOverBandMap)->UseManualTime()->Iterations(bench::Pairs(2000))->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return bench::RunWindowBenchmarks(argc, argv, {"TYCounty.txt", "arrlpre2.txt"}, [] {
        bench::WriteContestLog(ContactLogData::Capacity);
        LoadPrefixTable();
    });
}
