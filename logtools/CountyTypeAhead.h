#pragma once
// The boxes that take a county of the host state: while the operator types, the typed beginning is
// completed to a county name of CountyTable with the completed tail selected, capitals come at the
// start and after a blank, and leaving the box checks the text against the table.
#include <functional>

namespace tylog {

namespace vb {
class Label;
class TextBox;
} // namespace vb

// How one box of the family differs from the others.
struct CountyTypeAheadBox {
    bool SwallowQuote = false;          // the contact editors drop the double quote first
    bool BlankAtStartKeepsText = false; // the editors: a blank typed at the start does not empty the box
    std::function<void()> OnEnter;      // what Enter does (the key itself is swallowed)
};

// One key reaching the box, before the box takes it (KeyAscii 0: the box takes nothing).
void CountyTypeAheadKeyPress(vb::TextBox& box, int& KeyAscii, const CountyTypeAheadBox& member);

// The check on leaving the box: true when the whole text is a county name of the table (letter case
// ignored, nothing trimmed), or when it is empty and emptyPasses. Sets InvalidCountyFlag; on failure
// beeps, shows the marker and gives the focus back to the box while its window is shown.
bool CheckCountyBox(vb::TextBox& box, vb::Label& marker, bool emptyPasses);

} // namespace tylog
