#include "logging/SectionGrid.h"
#include "core/SectionTable.h"

namespace tylog {

namespace {

// A call area's box: its first and last SectionTable row and its heading label's position.
struct AreaBox {
    int first;
    int last;
    double headingLeft;
    double headingTop;
};

// Rows as BuildSectionTable orders them; the host state is the last row of area 0.
constexpr AreaBox kAreas[] = {
    {1, 6, 6600, 2520},   {7, 8, 6600, 3720},   {9, 11, 6600, 4440},  {12, 19, 7320, 2520},
    {20, 25, 7320, 3960}, {26, 27, 7320, 5085}, {28, 36, 8040, 2520}, {37, 39, 8040, 4200},
    {40, 42, 8040, 5085}, {43, 49, 8760, 2520},
};
constexpr int kHostRow = 50;
constexpr int kCanadaFirst = 51, kCanadaSecondColumn = 58;

constexpr double kLabelWidth = 375, kLabelHeight = 255, kColumnStep = 360, kRowStep = 240;
// The first row of labels sits this far below the top of its heading; with it the deepest column (area
// 0's four labels) ends on the rule under its box.
constexpr double kBelowHeading = 300;

} // namespace

SectionGridCell SectionGridCellOf(int row) {
    if (row == kHostRow) return {8040, 6000, 375, 240, false};
    if (row >= kCanadaFirst && row <= SectionTableData::Rows) {
        if (row < kCanadaSecondColumn)
            return {8760, 4200 + kRowStep * (row - kCanadaFirst), kLabelWidth, kLabelHeight, true};
        return {9120, 4200 + kRowStep * (row - kCanadaSecondColumn), 495, kLabelHeight, true};
    }
    for (const AreaBox& a : kAreas) {
        if (row < a.first || row > a.last) continue;
        const int n = a.last - a.first + 1;
        const int perColumn = (n + 1) / 2;
        const int k = row - a.first;
        return {a.headingLeft + kColumnStep * (k / perColumn),
                a.headingTop + kBelowHeading + kRowStep * (k % perColumn), kLabelWidth, kLabelHeight, true};
    }
    return {};
}

} // namespace tylog
