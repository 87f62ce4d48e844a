#pragma once
#include <QString>

#include <array>

namespace tylog {

// The band of a radio frequency (MHz): the last of the 19 band-edge rows whose range holds it, both
// edges excluded; "" when none does.
QString BandForFrequency(float mhz);
// Whether a band from the radio switches the window's band ("160" to "2"; "10" for 10 GHz as well).
bool BandSwitchesWindow(const QString& band);
// "#####.##0": three decimals, no thousands separator.
QString FrequencyText(float mhz);

// One row of the spectrum map: a band's edges in MHz as singles, both excluded.
struct SpectrumBandRow {
    float low, high;
};
// The spectrum map's eleven rows, 160 m to 2 m, in the order they are drawn top to bottom.
const std::array<SpectrumBandRow, 11>& SpectrumBandRows();

} // namespace tylog
