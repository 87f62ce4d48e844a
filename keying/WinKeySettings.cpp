#include "keying/WinKeySettings.h"
#include "core/ProcessState.h"
#include "keying/KeyerBoxes.h"
#include "platform/Diagnostics.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <cmath>

namespace tylog {

namespace {

// A box's text as a byte, as the device takes it: a number rounded to the nearest whole (halves to
// even) from 0 to 255.
std::optional<int> byteOf(const QString& text, bool* numeric = nullptr) {
    double value = 0;
    const bool isNumber = IsNumericText(text, &value);
    if (numeric) *numeric = isNumber;
    if (!isNumber) return std::nullopt;
    const double r = std::nearbyint(value);
    if (r < 0 || r > 255) return std::nullopt;
    return static_cast<int>(r);
}

WinKeyBoxOutcome rangeBox(const QString& text, int low, int high, const char* repairText) {
    const std::optional<int> b = byteOf(text);
    if (!b) return {std::nullopt, QString::fromLatin1(repairText)};
    if (*b < low || *b > high) return {};
    return {*b, std::nullopt};
}

// A text value as its box shows it: a bare number becomes its decimal text.
QString boxText(ValueReader& r) {
    bool quoted = false;
    const QString value = r.ReadUntyped(&quoted);
    double number = 0;
    if (!quoted && IsNumericText(value, &number)) return NumberText(number);
    return value;
}

} // namespace

SettingsFile<WinKeySettings> ReadWinKeySettings(const QString& path, const WinKeySettings& start) {
    SettingsFile<WinKeySettings> file;
    file.settings = start;
    try {
        ValueReader r = ValueReader::FromBytes(ReadAllBytes(path));
        file.opened = true;
        WinKeySettings& s = file.settings;
        s.ComPort = r.ReadByte();
        s.Speed = boxText(r);
        s.Weight = boxText(r);
        s.LeadIn = boxText(r);
        s.Tail = boxText(r);
        s.Ratio = boxText(r);
        if (!r.AtEnd()) s.PinConfig = r.ReadByte();
        if (!r.AtEnd()) s.Mode = r.ReadByte();
        file.whole = true;
    } catch (const VbError& e) {
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
    }
    return file;
}

void WriteWinKeySettings(const QString& path, const WinKeySettings& s) {
    ValueWriter w;
    w.Integer(s.ComPort).EndLine();
    for (const QString* text : {&s.Speed, &s.Weight, &s.LeadIn, &s.Tail, &s.Ratio}) w.Text(*text).EndLine();
    w.Integer(s.PinConfig).EndLine();
    w.Integer(s.Mode).EndLine();
    WriteFileAtomic(path, w.Bytes());
}

QString WinKeySettingsPath() { return FindNoCase(Folders.DataFolder, "WK.txt"); }

WinKeyBoxOutcome WinKeySpeedBox(const QString& text) { return rangeBox(text, 0, 99, "18"); }
WinKeyBoxOutcome WinKeyWeightBox(const QString& text) { return rangeBox(text, 0, 99, "50"); }
WinKeyBoxOutcome WinKeyRatioBox(const QString& text) { return rangeBox(text, 32, 67, "50"); }

WinKeyLeadTailOutcome WinKeyLeadTailBoxes(const QString& leadIn, const QString& tail) {
    const std::optional<int> lead = byteOf(leadIn), after = byteOf(tail);
    if (!lead || !after) return {std::nullopt, true};
    return {std::pair{*lead, *after}, false};
}

WinKeyPortOutcome WinKeyPortBox(const QString& text) {
    const std::optional<int> port = byteOf(text);
    if (!port) return {0, QStringLiteral("0")};
    return {*port, std::nullopt};
}

} // namespace tylog
