#pragma once
// The band privileges chart as plain rules: which bands get a bar for a licence class, where the bars,
// their band tags and the class's segments go on a window of a given size, and their texts.
#include "rig/BandRules.h"

#include <QString>
#include <vector>

namespace tylog {

// One label of the chart, in twips of the window.
struct ChartLabel {
    QString Caption;
    QString ToolTip;
    double Left = 0, Top = 0, Width = 0, Height = 0;
    bool CW = false; // a segment of a CW row (blue); any other mode is phone (green)
};

struct PrivilegeChart {
    std::vector<ChartLabel> Bars;     // one per band with privileges for the class, in file order
    std::vector<ChartLabel> Tags;     // one per bar, its band at its left
    std::vector<ChartLabel> Segments; // the class's rows on their bars
};

inline constexpr int ChartMaxBars = 20;

// The chart of class `cls` ("N", "T", "P", "G", "A", "E") on a window of outer size w x h whose chart
// area starts at y1. A band gets a bar when a row of the class follows its "O" row directly (rows of
// the same band in between); its scale is the first row of that band in the file. Nothing for a file
// of more than 200 rows; bars left at their first places, without tags or segments, past 20 bars. A
// segment that cannot be drawn (a bar whose scale has no width, edges given the wrong way round) is
// left out.
PrivilegeChart LayOutPrivilegeChart(const BandPlanFile& plan, const QString& cls, double w, double h, double y1);

// An edge as the chart writes it ("#,###.##0"): three decimals, thousands grouped, no leading zero
// ("7.125", "1,240.000", ".136").
QString PrivilegeEdgeText(float mhz);

} // namespace tylog
