// Number texts of the spot list and the band-map scale.
#include "spotting/SpotRules.h"

#include <gtest/gtest.h>

using namespace tylog;

namespace {

TEST(SpotRules, ScaleCaptionsHaveThreeDecimalsAndHalvesGoToEven) {
    const std::pair<double, const char*> cases[] = {
        {0, ".000"},         {0.5, ".500"},       {14.024, "14.024"}, {450, "450.000"},
        {0.0625, ".062"},    {0.1875, ".188"},    {-0.0004, ".000"},  {14.0239996, "14.024"},
    };
    for (auto [mhz, text] : cases) EXPECT_EQ(BandMapCaption(mhz), text) << mhz;
}

TEST(SpotRules, ListFrequenciesAreWrittenWithoutExponent) {
    const std::pair<double, const char*> cases[] = {
        {14.025, "14.025"}, {14, "14"}, {0.1375, "0.1375"}, {1e-9, "0.000000001"}, {1e17, "100000000000000000"},
    };
    for (auto [mhz, text] : cases) EXPECT_EQ(SpotListFrequencyText(mhz), text) << mhz;
}

} // namespace
