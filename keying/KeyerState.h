#pragma once
// Process-wide state of the CW and voice keyers, shared by the keyer windows and the logging windows.
// Their settings are KeyerSettings (KeyerSettings.h).
#include <QString>

namespace tylog {

struct KeyerState {
    // CW text not yet keyed, oldest first. Code that empties or shortens it while CWSending calls
    // Keyers().CWBufferCut(), so the keyer does not start the character it has handed ahead.
    QString CWBuffer;
    bool CWSending = false;        // while the CW buffer loop drains CWBuffer
    int CWKeyingType = 0;          // in force: 0 none, 1 RTS, 2 DTR, 3 parallel port, 5 external keyer
    bool KeyboardCWMode = false;   // keys typed in the logging window go out as CW
    QString CWMacroCall;           // "$" of a CW message
    QString CWMacroSerial;         // "#"
    QString CWMacroRst;            // "*"
    QString CWMacroCounty;         // "^"
    bool CWRepeatArmed = false;    // while the F1 CW message repeats on its timer
    bool PhoneRepeatArmed = false; // while the F1 voice message repeats on its timer
    int WinKeyVersion = 0;         // non-zero while the external keyer is open
    int WinKeyStatus = 0;          // last status read from the external keyer
};

inline KeyerState Keyer;

} // namespace tylog
