#pragma once
// The boxes that complete what the operator types to a name of a table: while the operator types,
// the typed beginning is completed to the last name of the table that begins with it, with the
// completed tail selected, so the next key narrows the choice or replaces the tail. The county boxes
// also give capitals at the start and after a blank, and check the text against CountyTable (on
// leaving the box, or on Enter in the rover list). One behaviour; the members differ only as the
// table below says.
#include "platform/vb/Design.h"

#include <functional>

namespace tylog {

namespace vb {
class Label;
class TextBox;
} // namespace vb

enum class TypeAheadSource { Counties, Countries }; // CountyTable.Name, PrefixTable.Country
enum class KeyAtStart {
    EmptiesBox,           // any key typed with the caret at the start empties the box first
    BlankKeepsText,       // likewise, but a blank goes in front of the text
    EmptiesAndCapitalises // any key empties the box and is upper-cased at once; no other capitals
};

// How one member box behaves.
struct TypeAheadMember {
    TypeAheadSource Source;
    bool SwallowQuote; // the double quote never reaches the box (typed or pasted)
    KeyAtStart AtStart;
    bool EmptyPasses; // the county check accepts an empty box
};

// The members, by window and box.
//                                                  completes from             quote  key at the start                     empty passes
inline constexpr TypeAheadMember OwnCountyBox{       TypeAheadSource::Counties,  true,  KeyAtStart::EmptiesBox,            false}; // frmCountyChange.Text1
inline constexpr TypeAheadMember RoverCountyBox{     TypeAheadSource::Counties,  false, KeyAtStart::EmptiesBox,            false}; // frmCountyChangeRover.Text1
inline constexpr TypeAheadMember EditInCountyBox{    TypeAheadSource::Counties,  true,  KeyAtStart::BlankKeepsText,        true};  // DEEditInfrm.txtEditSec
inline constexpr TypeAheadMember EditInSentCountyBox{TypeAheadSource::Counties,  true,  KeyAtStart::BlankKeepsText,        false}; // DEEditInfrm.Text3
inline constexpr TypeAheadMember EditOutCountyBox{   TypeAheadSource::Counties,  true,  KeyAtStart::BlankKeepsText,        false}; // DEEditOut.txtEditPre
inline constexpr TypeAheadMember EditInSpcBox{       TypeAheadSource::Countries, true,  KeyAtStart::EmptiesAndCapitalises, false}; // DEEditInfrm.txtEditPre

// One key reaching the box, before the box takes it (KeyAscii 0: the box takes nothing). Enter is
// swallowed and runs onEnter.
void TypeAheadKeyPress(vb::TextBox& box, int& KeyAscii, const TypeAheadMember& member,
                       const std::function<void()>& onEnter);

// The county check: true when the whole text is a county name of the table (letter case ignored,
// nothing trimmed), or when it is empty and the member lets an empty box pass. Sets InvalidCountyFlag;
// on failure beeps, shows the marker and gives the focus back to the box while its window is shown.
bool CheckCountyBox(vb::TextBox& box, vb::Label& marker, const TypeAheadMember& member);

// The marker beside a checked box: "   Invalid!", white on dark red, hidden until a check fails.
inline const char* const InvalidMark = "   Invalid!";
inline constexpr long MarkForeColor = 0xFFFFFF;
inline constexpr long MarkBackColor = 0x000080; // dark red
inline const vb::ControlLook InvalidMarkLook{
    .FontName = "Arial", .FontSize = 8.25, .Visible = false, .ForeColor = MarkForeColor, .BackColor = MarkBackColor};

} // namespace tylog
