#pragma once
// Scaling of windows laid out for the 9600 x 7200 twip design screen.
#include <QRectF>
#include <QString>
#include <cstdint>
#include <initializer_list>

namespace tylog {

namespace vb {
class Form;
class Control;
enum class Kind;
} // namespace vb

inline constexpr float DesignScreenWidth = 9600;
inline constexpr float DesignScreenHeight = 7200;

// Stretches the window and its controls to cover the same share of the real screen as of the
// design screen, centres it 170 twips above the middle and scales the fonts. A failure shows its
// description under "Form Resize Error" and leaves what was scaled so far.
void ScaleFormToScreen(vb::Form& frm);

// Takes the window from a layout made for oldWidth x oldHeight to newWidth x newHeight (or exactly
// that size when setSizeDirectly is 1), centres it in that area and scales the controls by the
// growth of the inner area; fontFactor damps how much fonts grow, a non-empty fontName sets the face
// everywhere. Fails like ScaleFormToScreen.
void RescaleForm(vb::Form& frm, float newWidth, float newHeight, float oldWidth, float oldHeight,
                 std::uint8_t setSizeDirectly, float fontFactor, const QString& fontName);

// The plain walks of the logging and keyer windows: double precision, no checks, and nothing else
// per control. A factor is applied as v * times / per, so a percentage {p, 100} gives exactly v * p / 100.
struct ScaleFactor {
    double times;
    double per = 1;
    double of(double v) const { return v * times / per; }
};

// Moves and resizes one control: a line by its two ends, any other control by its left, top, width
// and height.
void ScaleControlGeometry(vb::Control& c, ScaleFactor x, ScaleFactor y);

// Scales the geometry of the form's controls of the kinds given, and the font of each of them but
// lines; controls of other kinds are left alone.
void ScaleControlsOfKinds(vb::Form& frm, std::initializer_list<vb::Kind> kinds, ScaleFactor x, ScaleFactor y,
                          ScaleFactor font);

// The scaling rule of the tool windows (keyers, tuning keypad, frequency test), which differs from
// ScaleFormToScreen: the window takes the same share of `area` (the screen, or the desktop work area) as
// of the 9600 x 7200 design screen and is centred in it exactly; its own font grows with its new width /
// 9600. Check boxes, option buttons, frames, list boxes, buttons, text boxes and labels move and resize
// by area / design, and their fonts grow by screenWidth / 9600 but at most 1.5 times; lines move both
// ends by area / design. Other controls are left alone.
void ScaleToolWindow(vb::Form& form, const QRectF& area, double screenWidth);

} // namespace tylog
