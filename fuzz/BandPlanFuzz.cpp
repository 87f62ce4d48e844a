// BandPlan.txt, as the privileges chart and the radio read it: any bytes read without a crash or
// undefined behaviour, at most 200 rows kept, and no chart label of negative size for any class.
#include "fuzz/FuzzSupport.h"
#include "rig/BandPlanChartRules.h"
#include "rig/BandRules.h"

using namespace tylog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const BandPlanFile plan = ReadBandPlan(bytes);
    FUZZ_CHECK(plan.Rows.size() <= static_cast<size_t>(BandPlanMaxRows));
    FUZZ_CHECK(!plan.Complete || (plan.DateRead && !plan.TooManyRows));
    for (const char* cls : {"N", "T", "P", "G", "A", "E"}) {
        const PrivilegeChart chart = LayOutPrivilegeChart(plan, cls, 15360, 10920, 1104);
        for (const auto* labels : {&chart.Bars, &chart.Tags, &chart.Segments})
            for (const ChartLabel& l : *labels) FUZZ_CHECK(l.Width >= 0 && l.Height >= 0);
        FUZZ_CHECK(chart.Tags.size() == 0 || chart.Tags.size() == chart.Bars.size());
    }
    const std::vector<BandPlanRow> extra = BandPlanExtraRows(bytes);
    FUZZ_CHECK(extra.size() <= static_cast<size_t>(BandPlanMaxRows));
    for (const BandPlanRow& r : extra) {
        FUZZ_CHECK(r.Class == QLatin1String("E"));
        (void)BandPlanModeFor(r.LowMHz, extra);
        (void)BandPlanModeFor((r.LowMHz + r.HighMHz) / 2, extra);
    }
    return 0;
}
