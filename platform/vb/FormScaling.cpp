#include "platform/vb/FormScaling.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/VbError.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tylog {

namespace {

constexpr float kRaiseAboveCentre = 170;

// The arithmetic is single precision. C++ raises nothing on overflow or a division by zero, so each
// result is checked here: a window never gets infinite or undefined geometry, and the failure goes
// to the message box instead.
float checked(double v) {
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
        throw VbError(VbError::Overflow, "Overflow");
    return static_cast<float>(v);
}

float divide(float a, float b) {
    if (b == 0) {
        if (a == 0) throw VbError(VbError::Overflow, "Overflow");
        throw VbError(VbError::DivisionByZero, "Division by zero");
    }
    return checked(static_cast<double>(a) / b);
}

float mul(double a, double b) { return checked(static_cast<float>(a) * static_cast<float>(b)); }

// Sizes and font sizes cannot be negative; a font of 0 points cannot be shown.
float size(float v) {
    if (v < 0) throw VbError(380, "Invalid property value");
    return v;
}
double fontSize(double v) {
    if (!std::isfinite(v) || v <= 0) throw VbError(380, "Invalid property value");
    return v;
}

bool scalesGeometry(vb::Kind k) {
    switch (k) {
    case vb::Kind::Label:
    case vb::Kind::TextBox:
    case vb::Kind::CommandButton:
    case vb::Kind::ListBox:
    case vb::Kind::CheckBox:
    case vb::Kind::OptionButton:
    case vb::Kind::Frame:
    case vb::Kind::ComboBox:
    case vb::Kind::ListView:
    case vb::Kind::Image:
        return true;
    default:
        return false;
    }
}

// Ratios of one walk over the controls: horizontal, vertical and font.
struct Ratios {
    float x, y, font;
    QString face; // set on every control with a font when not empty
};

// Not ScaleControlGeometry: this walk is checked single precision, and sets each property on its own,
// so a failure leaves the ones before it scaled.
void scaleControl(vb::Control& c, const Ratios& r) {
    const vb::Kind k = c.kind();
    if (scalesGeometry(k)) {
        if (k != vb::Kind::ComboBox) c.setHeight(size(mul(c.Height(), r.y)));
        c.setLeft(mul(c.Left(), r.x));
        c.setTop(mul(c.Top(), r.y));
        c.setWidth(size(mul(c.Width(), r.x)));
        if (k != vb::Kind::Image) {
            if (!r.face.isEmpty()) c.setFontName(r.face);
            c.setFontSize(fontSize(mul(c.FontSize(), r.font)));
        }
    }
    if (k == vb::Kind::Line) {
        auto& l = static_cast<vb::Line&>(c);
        l.setX1(mul(l.X1(), r.x));
        l.setX2(mul(l.X2(), r.x));
        l.setY1(mul(l.Y1(), r.y));
        l.setY2(mul(l.Y2(), r.y));
    }
    if (k == vb::Kind::ListView) {
        auto& lv = static_cast<vb::ListView&>(c);
        for (int i = 0; i < lv.ColumnCount(); ++i) lv.setColumnWidth(i, size(mul(lv.ColumnWidth(i), r.x)));
    }
}

void walkControls(vb::Form& frm, const Ratios& r) {
    // The collection is taken once, as the count is.
    const std::vector<vb::Control*> controls = frm.Controls();
    for (vb::Control* c : controls) scaleControl(*c, r);
}

void showFailure(const VbError& e) { MsgBox(e.Description, vbOKOnly, "Form Resize Error"); }

} // namespace

void ScaleFormToScreen(vb::Form& frm) {
    try {
        Screen& screen = *platform().screen;
        const float sw = checked(screen.Width());
        const float sh = checked(screen.Height());
        frm.setWidth(size(mul(divide(checked(frm.Width()), DesignScreenWidth), sw)));
        frm.setHeight(size(mul(divide(checked(frm.Height()), DesignScreenHeight), sh)));
        frm.setLeft(checked((static_cast<double>(sw) - static_cast<float>(frm.Width())) / 2));
        frm.setTop(checked((static_cast<double>(sh) - static_cast<float>(frm.Height())) / 2 - kRaiseAboveCentre));
        frm.setFontSize(fontSize(frm.FontSize() * (static_cast<double>(sh) / DesignScreenHeight)));

        const float rx = divide(sw, DesignScreenWidth);
        const float ry = divide(sh, DesignScreenHeight);
        walkControls(frm, Ratios{rx, ry, ry < rx ? ry : rx, QString()});
    } catch (const VbError& e) {
        showFailure(e);
    }
}

void ScaleControlGeometry(vb::Control& c, ScaleFactor x, ScaleFactor y) {
    if (c.kind() == vb::Kind::Line) {
        auto& l = static_cast<vb::Line&>(c);
        l.SetPoints(x.of(l.X1()), y.of(l.Y1()), x.of(l.X2()), y.of(l.Y2()));
    } else {
        c.Move(x.of(c.Left()), y.of(c.Top()), x.of(c.Width()), y.of(c.Height()));
    }
}

void ScaleControlsOfKinds(vb::Form& frm, std::initializer_list<vb::Kind> kinds, ScaleFactor x, ScaleFactor y,
                          ScaleFactor font) {
    for (vb::Control* c : frm.Controls()) {
        if (std::find(kinds.begin(), kinds.end(), c->kind()) == kinds.end()) continue;
        ScaleControlGeometry(*c, x, y);
        if (c->kind() != vb::Kind::Line) c->setFontSize(font.of(c->FontSize()));
    }
}

void RescaleForm(vb::Form& frm, float newWidth, float newHeight, float oldWidth, float oldHeight,
                 std::uint8_t setSizeDirectly, float fontFactor, const QString& fontName) {
    try {
        const float oldInnerWidth = checked(frm.ScaleWidth());
        const float oldInnerHeight = checked(frm.ScaleHeight());

        if (setSizeDirectly == 1) {
            frm.setWidth(size(checked(newWidth)));
            frm.setHeight(size(checked(newHeight)));
        } else {
            frm.setWidth(size(mul(divide(checked(frm.Width()), oldWidth), newWidth)));
            frm.setHeight(size(mul(divide(checked(frm.Height()), oldHeight), newHeight)));
        }
        frm.setLeft(checked((static_cast<double>(newWidth) - static_cast<float>(frm.Width())) / 2));
        frm.setTop(checked((static_cast<double>(newHeight) - static_cast<float>(frm.Height())) / 2));

        const float sx = divide(checked(frm.ScaleWidth()), oldInnerWidth);
        const float sy = divide(checked(frm.ScaleHeight()), oldInnerHeight);
        const float m = sy < sx ? sy : sx;
        const float f = frm.Height() > oldInnerHeight ? checked((static_cast<double>(m) - 1) * fontFactor + 1) : m;

        if (!fontName.isEmpty()) frm.setFontName(fontName);
        frm.setFontSize(fontSize(frm.FontSize() * static_cast<double>(f)));
        walkControls(frm, Ratios{sx, sy, f, fontName});
    } catch (const VbError& e) {
        showFailure(e);
    }
}

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
