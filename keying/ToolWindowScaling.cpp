#include "keying/ToolWindowScaling.h"
#include "platform/vb/FormScaling.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"

#include <algorithm>

namespace tylog {

void ScaleToolWindow(vb::Form& form, const QRectF& area, double screenWidth) {
    const double rx = area.width() / 9600.0;
    const double ry = area.height() / 7200.0;
    const double rf = std::min(screenWidth / 9600.0, 1.5);

    const double w = form.Width() * rx;
    const double h = form.Height() * ry;
    form.Move(area.left() + (area.width() - w) / 2, area.top() + (area.height() - h) / 2, w, h);
    form.setFontSize(form.FontSize() * w / 9600.0);

    using vb::Kind;
    ScaleControlsOfKinds(form,
                         {Kind::CheckBox, Kind::OptionButton, Kind::Frame, Kind::ListBox, Kind::CommandButton,
                          Kind::TextBox, Kind::Label, Kind::Line},
                         {rx}, {ry}, {rf});
}

} // namespace tylog
