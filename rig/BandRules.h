#pragma once
#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

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

// The band plan, BandPlan.txt: its effective date, then one row a line for each band's edges (class
// "O") and for each licence class's segments of the band, which follow the band's "O" row.
struct BandPlanRow {
    QString Band;  // "160", "80", ..., compared exactly
    QString Class; // "O" the band's edges; "N", "T", "P", "G", "A", "E" the licence classes
    QString Mode;  // "CW"; any other text is phone
    float LowMHz = 0, HighMHz = 0;
};
inline constexpr int BandPlanMaxRows = 200;

// The file as the privileges chart reads it: every row, in order, until the first one that cannot be
// read. Blank lines and blanks at the ends of lines are no rows.
struct BandPlanFile {
    bool DateRead = false;      // the first value was there
    QString EffectiveDate;
    std::vector<BandPlanRow> Rows; // at most BandPlanMaxRows
    bool Complete = false;      // every line read as a row: the chart draws only then
    bool TooManyRows = false;   // more than BandPlanMaxRows rows: no class is drawn at all
};
BandPlanFile ReadBandPlan(const QByteArray& bytes);

// The radio's copy of the Extra class's rows ("E"), at most BandPlanMaxRows, in file order; a line that
// does not read as a row is passed over.
std::vector<BandPlanRow> BandPlanExtraRows(const QByteArray& bytes);
// The same from BandPlan.txt in the program folder; none when it is missing or unreadable.
std::vector<BandPlanRow> LoadBandPlanExtra();

// The radio mode for a frequency by the first Extra row that holds it (edges excluded): "CW" for a CW
// segment, "USB" or "LSB" for phone ("LSB" on 80 and 40 m), another mode text as the row has it; empty
// on 160 m and outside every row.
QString BandPlanModeFor(float mhz, const std::vector<BandPlanRow>& extra);

} // namespace tylog
