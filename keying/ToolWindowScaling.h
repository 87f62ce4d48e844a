#pragma once
#include <QRectF>

namespace tylog {

namespace vb { class Form; }

// The scaling rule of the keyer windows, which differs from ScaleFormToScreen: the window takes the
// same share of `area` (the screen, or the desktop work area) as of the 9600 x 7200 design screen
// and is centred in it exactly; its own font grows with its new width / 9600. Check boxes, option
// buttons, frames, list boxes, buttons, text boxes and labels move and resize by area / design, and
// their fonts grow by screenWidth / 9600 but at most 1.5 times; lines move both ends by area / design.
// Other controls are left alone.
void ScaleToolWindow(vb::Form& form, const QRectF& area, double screenWidth);

} // namespace tylog
