#include "platform/vb/Keys.h"
#include "platform/TextFile.h"

namespace tylog::vb {

int ButtonsOf(Qt::MouseButtons b) {
    int r = 0;
    if (b & Qt::LeftButton) r |= vbLeftButton;
    if (b & Qt::RightButton) r |= vbRightButton;
    if (b & Qt::MiddleButton) r |= vbMiddleButton;
    return r;
}

int ShiftOf(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) s |= vbShiftMask;
    if (m & Qt::ControlModifier) s |= vbCtrlMask;
    if (m & Qt::AltModifier) s |= vbAltMask;
    return s;
}

int KeyCodeOf(const QKeyEvent* e) {
    const int k = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return keypad ? 96 + (k - Qt::Key_0) : k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace: return vbKeyBack;
    case Qt::Key_Tab: case Qt::Key_Backtab: return vbKeyTab;
    case Qt::Key_Return: case Qt::Key_Enter: return vbKeyReturn;
    case Qt::Key_Shift: return vbKeyShift;
    case Qt::Key_Control: return vbKeyControl;
    case Qt::Key_Alt: return vbKeyMenu;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return vbKeyEscape;
    case Qt::Key_Space: return vbKeySpace;
    case Qt::Key_PageUp: return vbKeyPageUp;
    case Qt::Key_PageDown: return vbKeyPageDown;
    case Qt::Key_End: return vbKeyEnd;
    case Qt::Key_Home: return vbKeyHome;
    case Qt::Key_Left: return vbKeyLeft;
    case Qt::Key_Up: return vbKeyUp;
    case Qt::Key_Right: return vbKeyRight;
    case Qt::Key_Down: return vbKeyDown;
    case Qt::Key_Insert: return vbKeyInsert;
    case Qt::Key_Delete: return vbKeyDelete;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    // Shifted symbols report the key they sit on (US layout).
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return keypad ? 106 : '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_Plus: return keypad ? 107 : 187;
    case Qt::Key_Minus: return keypad ? 109 : 189;
    case Qt::Key_Period: return keypad ? 110 : 190;
    case Qt::Key_Slash: return keypad ? 111 : 191;
    case Qt::Key_Semicolon: case Qt::Key_Colon: return 186;
    case Qt::Key_Equal: return 187;
    case Qt::Key_Comma: case Qt::Key_Less: return 188;
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Greater: return 190;
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash: case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

int KeyAsciiOf(const QKeyEvent* e) {
    const Qt::KeyboardModifiers m = e->modifiers();
    const int k = e->key();
    if ((m & Qt::ControlModifier) && !(m & Qt::AltModifier) && k >= Qt::Key_A && k <= Qt::Key_Z)
        return k - Qt::Key_A + 1;
    switch (k) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab: case Qt::Key_Backtab: return -1; // Tab moves the focus
    default: break;
    }
    if (m & (Qt::ControlModifier | Qt::AltModifier)) return -1;
    const QString t = e->text();
    if (t.isEmpty()) return -1;
    const QByteArray b = ToAnsi(t.left(1));
    const int c = static_cast<unsigned char>(b[0]);
    if (c == '?' && t[0] != QChar('?')) return -1; // not representable in the file's character set
    if (c < 32 && c != 8 && c != 13 && c != 27) return -1;
    return c;
}

} // namespace tylog::vb
