#pragma once
// The scaling the county dialogs and the county list apply to themselves when they load. Unlike
// ScaleFormToScreen it centres the window without raising it, grows the window's own font with its
// new width, caps the controls' font growth at 1.5 and takes it from the screen width alone, and
// leaves list-view column widths to the window.
namespace tylog {

namespace vb { class Form; }

enum class DialogPlacement {
    Centred, // (screen height - height) / 2 from the top
    High     // (screen height - height) / 6: the county list
};

// Takes the window from the 9600 x 7200 twip design screen to the screen: the window's size by
// screen / design, centred across; labels, text boxes, buttons, list boxes, frames, option buttons,
// check boxes and list views move and resize by screen / design and their fonts grow by screen width
// / 9600, at most 1.5 times; lines move both ends. (These windows hold no pictures.)
void DialogScaling(vb::Form& form, DialogPlacement placement = DialogPlacement::Centred);

} // namespace tylog
