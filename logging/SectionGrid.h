#pragma once
// Where the in-state window's state grid puts the label of each SectionTable row (Label10(row)), in
// design twips. Each US call area has its box under its heading, the labels in two columns 360 twips
// apart, filled top to bottom and then the second column; Canada has two columns of its own. The
// host state's label lies outside the grid and is never shown.

namespace tylog {

struct SectionGridCell {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    bool Visible = false;
};

// The cell of SectionTable row `row` (1..63); a row outside 1..63 gets a zero, hidden cell.
SectionGridCell SectionGridCellOf(int row);

} // namespace tylog
