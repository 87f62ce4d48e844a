#include "keying/ToolWindowScaling.h"
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

    for (vb::Control* c : form.Controls()) {
        switch (c->kind()) {
        case vb::Kind::CheckBox:
        case vb::Kind::OptionButton:
        case vb::Kind::Frame:
        case vb::Kind::ListBox:
        case vb::Kind::CommandButton:
        case vb::Kind::TextBox:
        case vb::Kind::Label:
            c->Move(c->Left() * rx, c->Top() * ry, c->Width() * rx, c->Height() * ry);
            c->setFontSize(c->FontSize() * rf);
            break;
        case vb::Kind::Line: {
            auto* l = static_cast<vb::Line*>(c);
            l->SetPoints(l->X1() * rx, l->Y1() * ry, l->X2() * rx, l->Y2() * ry);
            break;
        }
        default:
            break;
        }
    }
}

} // namespace tylog
