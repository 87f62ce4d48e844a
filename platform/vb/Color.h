#pragma once
#include <QColor>

namespace tylog::vb {

// Colours are 24-bit BGR values: red is 0x0000FF, &HC0C000 is teal.
inline QColor ToQColor(long bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}
inline long FromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (static_cast<long>(c.blue()) << 16); }
inline long RGB(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | (static_cast<long>(b & 0xFF) << 16); }

inline constexpr long vbBlack = 0x000000;
inline constexpr long vbWhite = 0xFFFFFF;
inline constexpr long vbRed = 0x0000FF;
inline constexpr long vbGreen = 0x00FF00;
inline constexpr long vbBlue = 0xFF0000;
inline constexpr long vbYellow = 0x00FFFF;
inline constexpr long vbButtonFace = 0xF0F0F0; // system colours resolved to their usual values
inline constexpr long vbWindowBackground = 0xFFFFFF;
inline constexpr long vbWindowText = 0x000000;

} // namespace tylog::vb
