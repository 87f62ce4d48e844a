#include "logtools/DialogScaling.h"
#include "platform/Platform.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/FormScaling.h"

#include <algorithm>

namespace tylog {

void DialogScaling(vb::Form& form, DialogPlacement placement) {
    Screen& screen = *platform().screen;
    const double sw = screen.Width();
    const double sh = screen.Height();
    const double w = form.Width() / DesignScreenWidth * sw;
    const double h = form.Height() / DesignScreenHeight * sh;
    const double top = (sh - h) / (placement == DialogPlacement::High ? 6 : 2);
    form.Move((sw - w) / 2, top, w, h);
    form.setFontSize(form.FontSize() * (w / DesignScreenWidth));

    using vb::Kind;
    ScaleControlsOfKinds(form,
                         {Kind::Label, Kind::TextBox, Kind::CommandButton, Kind::ListBox, Kind::Frame, Kind::OptionButton,
                          Kind::CheckBox, Kind::ListView, Kind::Line},
                         {sw, DesignScreenWidth}, {sh, DesignScreenHeight}, {std::min(sw / DesignScreenWidth, 1.5)});
}

} // namespace tylog
