#include "keying/KeyerBoxes.h"
#include "platform/ValueFile.h"

#include <cmath>

namespace tylog {

bool IsNumericText(const QString& text, double* value) {
    double v = 0;
    if (!ParseNumber(text, &v)) return false;
    if (value) *value = v;
    return true;
}

bool BoxNumber(const QString& text, double* value) {
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        const QString digits = t.mid(2);
        bool ok = false;
        const qulonglong v = digits.toULongLong(&ok, 16);
        // toULongLong takes a sign and a "0x" of its own; the box takes hexadecimal digits only.
        if (!ok || digits.size() > 8 || digits.contains(QLatin1Char('x'), Qt::CaseInsensitive) ||
            !digits.at(0).isLetterOrNumber())
            return false;
        *value = static_cast<double>(v);
        return true;
    }
    return IsNumericText(t, value);
}

QString NumberText(double value) { return QString::number(value, 'g', 15); }

bool RepeatIntervalMs(const QString& text, int* intervalMs) {
    double s = 0;
    if (!IsNumericText(text, &s) || s < 0 || s >= 60) {
        *intervalMs = 0;
        return false;
    }
    *intervalMs = static_cast<int>(std::nearbyint(s * 1000.0));
    return true;
}

QString SteppedSpeed(const QString& speed, int delta) {
    double wpm = 0;
    return IsNumericText(speed, &wpm) ? NumberText(wpm + delta) : speed;
}

QString HeldWordSpace(const QString& units) {
    double n = 0;
    if (!IsNumericText(units, &n)) return units;
    if (n < -8) return QStringLiteral("-8");
    if (n > 50) return QStringLiteral("50"); // more is no word space but a pause
    return units;
}

bool ParallelBaseAddress(const QString& text, int* address) {
    const QString t = text.trimmed();
    double value = 0;
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        bool ok = false;
        const QString digits = t.mid(2);
        value = static_cast<double>(digits.toUInt(&ok, 16));
        if (!ok || digits.startsWith(u'+') || digits.startsWith(u'-')) return false;
    } else if (IsNumericText(t, &value)) {
        value = std::nearbyint(value);
    } else {
        return false;
    }
    if (value < 0 || value > 65535) return false;
    *address = static_cast<int>(value);
    return true;
}

} // namespace tylog
