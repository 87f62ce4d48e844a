#pragma once
// Scaling of windows laid out for the 9600 x 7200 twip design screen.
#include <QString>
#include <cstdint>

namespace tylog {

namespace vb { class Form; }

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

} // namespace tylog
