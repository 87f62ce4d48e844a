#pragma once
// A window's design values as one table: the window's own (FormDesign) and one row per control
// (ControlDesign), set by ApplyDesign and compared by DesignDifferences. A value left out of a row is
// left as the control has it, so a window can lay out in more than one table (a shared base and the
// twin that places its controls) and a check compares only what the table states.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tylog::vb {

class Control;
class Form;

struct FormDesign {
    std::optional<QString> Caption = {};
    // The outer size, or the inner one (ClientWidth, ClientHeight) to which the border, caption and
    // menu bar of the window's border style are added. Twips; the window is placed at 0, 0.
    std::optional<double> Width = {}, Height = {}, ClientWidth = {}, ClientHeight = {};
    std::optional<int> BorderStyle = {};
    // The window's face, which every control made so far takes unless its row names another.
    std::optional<QString> FontName = {};
    std::optional<double> FontSize = {};
    std::optional<long> BackColor = {};
};

// The values a row sets less often, given by name: {.FontBold = true, .Visible = false}.
struct ControlLook {
    std::optional<QString> FontName = {};
    std::optional<double> FontSize = {}; // points
    std::optional<bool> FontBold = {};
    std::optional<bool> Visible = {};
    std::optional<long> ForeColor = {}, BackColor = {}; // BGR
    std::optional<QString> ToolTipText = {};
};

// One control's row: {Text1, "caption", left, top, width, height, tab index, {look}}. The caption
// is a text box's Text; a line's four numbers are its ends X1, Y1, X2, Y2. Geometry in twips,
// relative to the container.
struct ControlDesign {
    Control& control;
    std::optional<QString> Caption = {};
    std::optional<double> Left = {}, Top = {}, Width = {}, Height = {};
    std::optional<int> TabIndex = {};
    ControlLook Look = {};
};

// Sets the window's values, then every row's, then (when a row gives a tab index) the tab order.
// A caption for a control that has none is a programming error (std::invalid_argument).
void ApplyDesign(Form& form, const FormDesign& design, const std::vector<ControlDesign>& controls);

// What the window and its controls hold that differs from the table, one line per value
// ("Text1.Left: 250, design 240"); empty when the window matches it.
QStringList DesignDifferences(const Form& form, const FormDesign& design, const std::vector<ControlDesign>& controls);

} // namespace tylog::vb
