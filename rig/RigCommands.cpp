#include "rig/RigCommands.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

namespace tylog {

namespace {

bool isIcomFrame(const QString& type) { return type == "Icom" || type == "Icom 735" || type == "Ten Tec Omni VI"; }
bool isKenwoodText(const QString& type) { return type == "Kenwood" || type == "Kenwood 2" || type == "Elecraft"; }
// The older Yaesu types: the frequency least significant pair first, the mode in the fourth byte.
bool isYaesuReversed(const QString& type) {
    return type == "Yaesu 757 GX II" || type == "Yaesu 890" || type == "Yaesu 920" || type == "Yaesu 990" ||
           type == "Yaesu 1000 D" || type == "Yaesu 1000";
}

// The frequency in whole units of `unitHz`, halves to the even unit; nothing for 0 or below, or for a
// value no field could hold.
std::optional<std::uint64_t> scaled(float mhz, double perMHz) {
    const double v = std::nearbyint(static_cast<double>(mhz) * perMHz);
    if (!std::isfinite(v) || v <= 0 || v >= 1e19) return std::nullopt;
    return static_cast<std::uint64_t>(v);
}

// Decimal digits filled on the left with "0" to `width`; a wider value keeps all its digits.
QByteArray decimalField(std::uint64_t v, int width) { return QByteArray::number(v).rightJustified(width, '0'); }

// Packed BCD, two digits a byte with the earlier digit in the high half; nothing when the value has
// more digits than the field.
std::optional<QByteArray> bcdField(std::uint64_t v, int digits, bool leastSignificantFirst) {
    const QByteArray d = decimalField(v, digits);
    if (d.size() != digits) return std::nullopt;
    QByteArray out;
    for (int i = 0; i < digits; i += 2) out += static_cast<char>(((d[i] - '0') << 4) | (d[i + 1] - '0'));
    if (leastSignificantFirst) std::reverse(out.begin(), out.end());
    return out;
}

// The radio's CI-V address: characters 7 and 8 of the frequency query ("64" in "FE FE 64 E0 03 FD").
char icomAddress(const QString& frequencyQuery) {
    const QString pair = frequencyQuery.mid(6, 2);
    auto hex = [](QChar c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); };
    if (pair.size() != 2 || !hex(pair[0]) || !hex(pair[1]))
        throw VbError(5, QStringLiteral("The radio's address, characters 7 and 8 of the frequency query \"%1\", is "
                                        "not two hexadecimal digits.")
                             .arg(frequencyQuery));
    return static_cast<char>(pair.toInt(nullptr, 16));
}

QByteArray icomFrame(char address, char command, const QByteArray& data) {
    return QByteArray("\xFE\xFE", 2) + address + '\xE0' + command + data + '\xFD';
}

struct ModeCodes {
    const char* mode;
    const char* kenwood;   // the digit after "MD"
    int icom;              // -1: none
    int yaesu;
    int yaesuReversed;
    const char* ftdx9000;  // the digit after the mode key
};
// A dash in the family's column is nullptr or -1. "DIG" on the older Yaesu types has no code.
constexpr ModeCodes kModes[] = {
    {"CW", "3", 0x03, 0x02, 0x02, "3"},       {"LSB", "1", 0x00, 0x00, 0x00, "1"},
    {"USB", "2", 0x01, 0x01, 0x01, "2"},      {"AM", "5", 0x02, 0x04, 0x04, "5"},
    {"RTTY", "6", 0x04, 0x0A, 0x08, "6"},     {"FM", "4", 0x05, 0x08, 0x06, "4"},
    {"FSK", "6", -1, -1, -1, nullptr},        {"DIG", nullptr, -1, 0x0A, -1, nullptr},
    {"PKT", nullptr, -1, 0x0C, 0x0A, nullptr}, {"CW-R", nullptr, 0x07, -1, 0x03, "7"},
    {"RTTY-R", nullptr, 0x08, -1, -1, nullptr},
};

} // namespace

QByteArray FrequencyCommand(const QString& rigType, float mhz, const QString& frequencyQuery, int rigVfo) {
    const QString& t = rigType;
    if (isIcomFrame(t)) {
        const char address = icomAddress(frequencyQuery);
        // The 735 takes four bytes of frequency, as it answers with four.
        const auto hz = scaled(mhz, 1e6);
        const auto field = hz ? bcdField(*hz, t == "Icom 735" ? 8 : 10, true) : std::nullopt;
        return field ? icomFrame(address, '\x05', *field) : QByteArray();
    }
    if (isKenwoodText(t) || t == "Yaesu FTdx9000") {
        const auto hz = scaled(mhz, 1e6);
        if (!hz) return {};
        QByteArray key;
        if (t == "Kenwood 2") key = rigVfo == 1 ? "FB" : "FA";
        else if (t == "Elecraft") key = "FA";
        else key = ToAnsi(frequencyQuery.left(2));
        return key + decimalField(*hz, t == "Yaesu FTdx9000" ? 8 : 11) + ';';
    }
    if (t == "Ten Tec Fnt Pnl") {
        const auto hz = scaled(mhz, 1e6);
        if (!hz || *hz > 0xFFFFFFFFu) return {};
        QByteArray field;
        for (int shift = 24; shift >= 0; shift -= 8) field += static_cast<char>((*hz >> shift) & 0xFF);
        return "*A" + field + '\r';
    }
    if (t == "Ten Tec Orion") {
        // In Hz, as the radio answers "?AF": it reads no decimal point.
        const auto hz = scaled(mhz, 1e6);
        if (!hz) return {};
        return "*AF" + QByteArray::number(*hz) + '\r';
    }
    if (t == "Yaesu" || isYaesuReversed(t)) {
        const auto tens = scaled(mhz, 1e5);
        const auto field = tens ? bcdField(*tens, 8, t != "Yaesu") : std::nullopt;
        if (!field) return {};
        return *field + (t == "Yaesu" ? '\x01' : '\x0A');
    }
    return {};
}

QByteArray ModeCommand(const QString& rigType, const QString& mode, const QString& frequencyQuery,
                       const QString& modeQuery) {
    const ModeCodes* codes = nullptr;
    for (const ModeCodes& m : kModes)
        if (mode == QLatin1String(m.mode)) codes = &m;
    const QString& t = rigType;
    if (isKenwoodText(t)) return codes && codes->kenwood ? QByteArray("MD") + codes->kenwood + ';' : QByteArray();
    if (t == "Icom" || t == "Ten Tec Omni VI") {
        const char address = icomAddress(frequencyQuery);
        if (!codes || codes->icom < 0) return {};
        return icomFrame(address, '\x06', QByteArray(1, static_cast<char>(codes->icom)));
    }
    if (!codes) return {};
    if (t == "Yaesu") {
        if (codes->yaesu < 0) return {};
        return static_cast<char>(codes->yaesu) + QByteArray(3, '\0') + '\x07';
    }
    if (isYaesuReversed(t)) {
        if (codes->yaesuReversed < 0) return {};
        return QByteArray(3, '\0') + static_cast<char>(codes->yaesuReversed) + '\x0C';
    }
    if (t == "Yaesu FTdx9000") {
        if (!codes->ftdx9000) return {};
        return ToAnsi(modeQuery.left(2)) + codes->ftdx9000 + ';';
    }
    return {};
}

FrequencyPauses FrequencyCommandPauses(const QString& rigType) {
    const QString& t = rigType;
    if (t == "Elecraft") return {205, 1000};
    if (t == "Ten Tec Omni VI") return {140, 220};
    if (t == "Icom" || t == "Icom 735") return {140, 0};
    if (t == "Yaesu 1000") return {10, 0};
    if (t == "Kenwood" || t == "Kenwood 2" || t == "Ten Tec Fnt Pnl" || t == "Ten Tec Orion" ||
        t == "Ten Tec Pegasus" || t == "Yaesu" || t == "Yaesu FTdx9000" || isYaesuReversed(t))
        return {205, 0};
    return {}; // "Other" and names of no family send nothing
}

QString RigMHzText(float mhz) { return FormatSingle(mhz); }

QByteArray PegasusInFile(float mhz, const QString& decodedMode) {
    if (!scaled(mhz, 1e6)) return {};
    return RigMHzText(mhz).toLatin1() + "\r\n" + ToAnsi(decodedMode.trimmed()) + "\r\n";
}

} // namespace tylog
