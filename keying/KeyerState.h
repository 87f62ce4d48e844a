#pragma once
// Process-wide state of the CW and voice keyers, shared by the keyer windows and the logging windows.
#include <QString>
#include <cstdint>

namespace tylog {

struct KeyerState {
    QString CWBuffer;                 // CW text not yet keyed, oldest first
    std::uint8_t CWSending = 0;       // 1 while the CW buffer loop drains CWBuffer
    std::uint8_t CWKeyingType = 0;    // 0 none, 1 RTS, 2 DTR, 3 parallel port, 5 external keyer
    std::uint8_t KeyboardCWMode = 0;  // 1: keys typed in the logging window go out as CW
    QString CWMacroCall;              // "$" of a CW message
    QString CWMacroSerial;            // "#"
    QString CWMacroRst;               // "*"
    QString CWMacroCounty;            // "^"
    std::uint8_t CWRepeatArmed = 0;   // 1 while the F1 CW message repeats on its timer
    std::uint8_t PhoneRepeatArmed = 0; // 1 while the F1 voice message repeats on its timer
    std::uint8_t WinKeyVersion = 0;   // non-zero while the external keyer is open
    std::int32_t WinKeyStatus = 0;    // last status read from the external keyer
};

inline KeyerState Keyer;

} // namespace tylog
