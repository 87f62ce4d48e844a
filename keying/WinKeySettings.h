#pragma once
// The external keyer device's settings: WK.txt in the data folder, and the rules of the settings
// window's boxes, which decide what a box's text sends to the device and how a box without a number is
// repaired. The value itself is KeyerSettings.WinKey (KeyerSettings.h).
#include "keying/KeyerSettings.h"
#include "keying/KeyerSettingsFiles.h"

#include <QString>
#include <optional>

namespace tylog {

// WK.txt: the port, the five box texts, then the pin configuration and the mode, which may be missing
// (a six-value file leaves their defaults). Reading stops at the first value that is missing or does
// not fit its byte; what was read stays over `start` (the values before the reading).
SettingsFile<WinKeySettings> ReadWinKeySettings(const QString& path, const WinKeySettings& start = {});
// Rewrites the file atomically (the old one stays whole on failure, VbError).
void WriteWinKeySettings(const QString& path, const WinKeySettings& settings);
// Where the file is: the data folder's WK.txt, under whatever letters it was found by.
QString WinKeySettingsPath();

// What leaving a box does: the byte to send, if any, and the text the box is repaired to, if any.
struct WinKeyBoxOutcome {
    std::optional<int> send;
    std::optional<QString> repair;
};
// The speed (0 to 99 is sent; no number, or one that fits no byte, becomes "18"), the weight (0 to 99;
// "50") and the ratio (32 to 67; "50"). A number in a byte but out of range sends nothing and stays.
WinKeyBoxOutcome WinKeySpeedBox(const QString& text);
WinKeyBoxOutcome WinKeyWeightBox(const QString& text);
WinKeyBoxOutcome WinKeyRatioBox(const QString& text);
// Lead-in and tail go together: both bytes are sent when both boxes hold numbers that fit a byte;
// otherwise the box being left becomes "0".
struct WinKeyLeadTailOutcome {
    std::optional<std::pair<int, int>> send;
    bool repairLeft = false; // the box being left becomes "0"
};
WinKeyLeadTailOutcome WinKeyLeadTailBoxes(const QString& leadIn, const QString& tail);
// The port box: the port that will be used, and the text that shows it when the box's own text does
// not (no number, or one that fits no byte: port 0, shown as "0").
struct WinKeyPortOutcome {
    int port = 0;
    std::optional<QString> repair;
};
WinKeyPortOutcome WinKeyPortBox(const QString& text);

// The option buttons' codes in their order on screen.
inline constexpr int kWinKeyPinCodes[] = {5, 6, 4, 8};   // PTT, Tone, P5 off P3 key, P5 key P3 off
inline constexpr int kWinKeyModeCodes[] = {16, 0, 32, 48}; // Iambic A, Iambic B, Ultimatic, Bug

} // namespace tylog
