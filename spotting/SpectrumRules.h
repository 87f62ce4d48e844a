#pragma once
// Rules of the spectrum map: which band row a spot lies on, how far a row's scale narrows to its spots,
// the scale captions, and where and in which colour each spot label shows. The window
// (SpectrumMap.h) only applies what these give.
#include "spotting/DXSpotTable.h"

#include <QDateTime>
#include <QString>
#include <array>

namespace tylog {

inline constexpr int SpectrumRowCount = 11;
inline constexpr int SpectrumScaleLabels = 5; // per row, at the quarter points

// The row of SpectrumBandRows whose edges hold the frequency, both excluded; -1 for none (0, a
// removed spot; an edge; a band without a row).
int SpectrumRowOf(float mhz);

// Narrows a row's edges to the spread of its spots, 0.001 MHz beyond each end, when slots 1 to 49
// hold at least two different frequencies strictly inside them; otherwise leaves them. The spot in
// slot 0 never counts, and age plays no part.
void ZoomBandToSpots(float& hi, float& lo, const DXSpotTableData& table);

// Row `row`'s displayed range and the captions of its five scale labels, left to right.
struct SpectrumScale {
    float lo = 0, hi = 0;
    std::array<QString, SpectrumScaleLabels> captions;
};
SpectrumScale SpectrumRowScale(int row, const DXSpotTableData& table);
// The five captions of a displayed range: lo + (hi - lo) x j / 4, "#.000".
std::array<QString, SpectrumScaleLabels> SpectrumScaleCaptions(float lo, float hi);

// Left of scale label j (0 to 4), centred on its quarter point of the axis x1..x2.
double ScaleLabelLeft(double x1, double x2, int j, double labelWidth);

// A row as the window shows it: its axis (x1 the low end, x2 the high end, at height y) and the
// range read back from its first and last scale captions.
struct SpectrumAxis {
    double x1 = 0, x2 = 0, y = 0;
    double lo = 0, hi = 0;
};

// Where one slot's spot shows.
struct SpectrumLabel {
    bool shown = false; // placed on a row and under an hour old
    long color = -1;    // by age; -1 for the slot that ended the pass and for those after it
    double left = 0, top = 0; // where its label stands, when placed
};

// The spots to show for the table as it is now, newest slot first: each slot on a row stands on that
// row's line at the point of its frequency, coloured by age; the first slot an hour old (or never
// filled) ends the pass, so it and every older slot stay hidden. A row whose displayed range is not
// positive places nothing.
std::array<SpectrumLabel, DXSpotTableData::Newest + 1> PlanSpectrumLabels(
    const DXSpotTableData& table, const std::array<SpectrumAxis, SpectrumRowCount>& axes, double labelWidth,
    double labelHeight, const QDateTime& now);

// The spot a label shows, as the table held it.
struct SpotOnLabel {
    QString call;
    float freq = 0;
    QDateTime time;
    bool operator==(const SpotOnLabel&) const = default;
};
inline SpotOnLabel SpotInSlot(const DXSpotTableData& t, int slot) {
    const auto s = static_cast<size_t>(slot);
    return {t.Call[s], t.Freq[s], t.Time[s]};
}

// Which of the 50 spot labels shows which slot (-1: none). A label keeps the spot it showed while that
// spot moves down the table, so a new spot takes one label (that of a spot gone) and the others stay
// where they stand; a redraw then moves and repaints only what changed.
std::array<int, DXSpotTableData::Newest + 1> AssignSpotLabels(
    const std::array<SpotOnLabel, DXSpotTableData::Newest + 1>& onLabel, const DXSpotTableData& table,
    const std::array<SpectrumLabel, DXSpotTableData::Newest + 1>& plan);

// The tool tip of a spot: call, two blanks, "#.000" MHz, two blanks, the UTC time of receipt.
QString SpectrumSpotTip(const QString& call, float mhz, const QDateTime& receivedLocal, float utcOffsetHours);

} // namespace tylog
