#pragma once
#include <QKeyEvent>

namespace tylog::vb {

// Key codes (virtual-key numbers) and Shift bits as the handlers receive them.
enum KeyCodes : int {
    vbKeyBack = 8, vbKeyTab = 9, vbKeyReturn = 13, vbKeyShift = 16, vbKeyControl = 17, vbKeyMenu = 18,
    vbKeyEscape = 27, vbKeySpace = 32, vbKeyPageUp = 33, vbKeyPageDown = 34, vbKeyEnd = 35, vbKeyHome = 36,
    vbKeyLeft = 37, vbKeyUp = 38, vbKeyRight = 39, vbKeyDown = 40, vbKeyInsert = 45, vbKeyDelete = 46,
    vbKeyA = 65, vbKeyC = 67, vbKeyV = 86, vbKeyZ = 90,
    vbKeyF1 = 112, vbKeyF2, vbKeyF3, vbKeyF4, vbKeyF5, vbKeyF6, vbKeyF7, vbKeyF8, vbKeyF9, vbKeyF10, vbKeyF11, vbKeyF12,
};
enum ShiftBits : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };
enum MouseButtons : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };

int KeyCodeOf(const QKeyEvent* e);  // 0 when the key has no code
int ShiftOf(Qt::KeyboardModifiers m);
// The mouse buttons held, as MouseButtons bits.
int ButtonsOf(Qt::MouseButtons b);
// The character code a key gives (Ctrl+letter gives 1..26, Enter 13, Esc 27, Backspace 8); -1 for
// keys that give no character.
int KeyAsciiOf(const QKeyEvent* e);

} // namespace tylog::vb
