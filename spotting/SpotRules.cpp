#include "spotting/SpotRules.h"
#include "spotting/CountryLookup.h"

#include <cmath>

namespace tylog {

namespace {
// Blanks only, as the cluster pads its columns with them.
QString trimBlanks(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.mid(b, e - b);
}
} // namespace

bool ParseSpotFrequency(const QString& khz, double* mhz) {
    bool digits = false, point = false;
    for (const QChar c : khz) {
        if (c >= '0' && c <= '9') digits = true;
        else if (c == '.' && !point) point = true;
        else return false;
    }
    if (!digits) return false;
    bool ok = false;
    const double v = khz.toDouble(&ok) / 1000;
    const float single = static_cast<float>(v);
    if (!ok || !std::isfinite(single) || !(single > 0)) return false;
    *mhz = v;
    return true;
}

QString CleanSpotCall(const QString& call) {
    QString out;
    out.reserve(call.size());
    for (const QChar c : call)
        if (c.category() != QChar::Other_Control && !c.isSpace() && c != '"') out += c;
    return out;
}

QStringList SpotListRow(const QString& call, double mhz, const QString& record) {
    const QString spotter = trimBlanks(record.mid(0, 11));
    const QString comment = trimBlanks(record.mid(34, 25));
    return {call,
            SpotListFrequencyText(mhz),
            LookupDXCountry(call),
            QString(),
            spotter + "  " + comment,
            trimBlanks(record.mid(61, 5)),
            record.mid(67, 4),
            trimBlanks(record.mid(72, 4))};
}

QString SpotListFrequencyText(double mhz) {
    QString s = QString::number(mhz, 'g', 15);
    if (!s.contains('e')) return s;
    // Far outside the radio bands, but still written without an exponent.
    const int decimals = std::max(0, 14 - static_cast<int>(std::floor(std::log10(std::fabs(mhz)))));
    s = QString::number(mhz, 'f', decimals);
    if (s.contains('.')) {
        while (s.endsWith('0')) s.chop(1);
        if (s.endsWith('.')) s.chop(1);
    }
    return s;
}

void BandMapEdges(const QString& band, double* lower, double* upper) {
    static const struct { const char* band; double lower, upper; } edges[] = {
        {"160", 1.8, 2},  {"80", 3.5, 4},   {"40", 7, 7.3},     {"20", 14, 14.35},   {"15", 21, 21.45},
        {"10", 28, 29.7}, {"6", 50, 54},    {"2", 144, 148},    {"1.25", 219, 225},  {"70", 420, 450}};
    *lower = *upper = 0;
    for (const auto& e : edges) {
        if (band.compare(QLatin1String(e.band), Qt::CaseInsensitive) == 0) {
            *lower = e.lower;
            *upper = e.upper;
            return;
        }
    }
}

QString BandMapCaption(double mhz) {
    const double rounded = std::nearbyint(mhz * 1000) / 1000; // the default rounding: half to even
    QString s = QString::number(rounded, 'f', 3);
    if (s.startsWith("0.")) s.remove(0, 1);
    else if (s.startsWith("-0.")) s.remove(1, 1);
    return s == "-.000" ? QStringLiteral(".000") : s;
}

qint64 SpotAgeSeconds(const QDateTime& from, const QDateTime& to) {
    const auto wall = [](const QDateTime& t) {
        return QDateTime(t.date(), QTime(t.time().hour(), t.time().minute(), t.time().second()), Qt::UTC);
    };
    return wall(from).secsTo(wall(to));
}

long SpotAgeColor(qint64 ageSeconds) {
    if (ageSeconds < 600) return SpotNewColor;
    if (ageSeconds < 1800) return SpotMidColor;
    if (ageSeconds < 3600) return SpotOldColor;
    return -1;
}

} // namespace tylog
