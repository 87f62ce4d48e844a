#include "logging/PrefixLookup.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tylog {

namespace {

constexpr double kDegreesPerRadian = 57.29577951;
constexpr double kMilesPerRadian = 3955.75791314991; // 69.041 miles a degree
// Closer than this to the own station or to the point opposite it (a few feet), the direction is
// lost in rounding; so it is within this cosine of a pole.
constexpr double kNoDirection = 1e-6;
constexpr double kPoleCosine = 1e-9;

// A "#" pattern: whole units, halves to even, nothing at all for 0; grouped adds thousands commas.
QString WholeText(double value, bool grouped) {
    const double r = std::nearbyint(value);
    if (r == 0) return {};
    QString digits = QString::number(std::fabs(r), 'f', 0);
    if (grouped)
        for (qsizetype i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, QLatin1Char(','));
    return r < 0 ? QLatin1Char('-') + digits : digits;
}

// The table's rows 1..Count as far as they are stored; every other row reads as empty. The start row
// is estimated from the call's first character, which can put it at 0 or past the table.
class TableRows {
public:
    explicit TableRows(const PrefixTableData& t) : t_(t) {
        const size_t stored = std::min({t.Prefix.size(), t.Country.size(), t.Continent.size(),
                                        t.Longitude.size(), t.Latitude.size()});
        last_ = std::clamp<qint64>(t.Count, 0, std::max<qint64>(static_cast<qint64>(stored) - 1, 0));
    }
    qint64 last() const { return last_; }
    const QString& prefix(qint64 row) const { return row >= 1 && row <= last_ ? t_.Prefix[at(row)] : empty_; }
    const QString& country(qint64 row) const { return row >= 1 && row <= last_ ? t_.Country[at(row)] : empty_; }
    const PrefixTableData& table() const { return t_; }
    static size_t at(qint64 row) { return static_cast<size_t>(row); }

private:
    const PrefixTableData& t_;
    qint64 last_ = 0;
    inline static const QString empty_;
};

// The first character, letter case ignored, for comparing in text order; an empty text sorts first.
int FirstKey(const QString& s) { return s.isEmpty() ? -1 : s.front().toUpper().unicode(); }

bool Is(const QString& s, const char* text) { return s.compare(QLatin1String(text), Qt::CaseInsensitive) == 0; }

// The portable rule: the part after the first "/" stands for the call when it has at least two
// characters and fewer than half the call's.
QString LookupCallOf(const QString& call) {
    const qsizetype slash = call.indexOf(QLatin1Char('/'));
    if (slash < 0) return call;
    const qsizetype after = call.size() - slash - 1;
    if (static_cast<double>(after) < call.size() / 2.0 && after > 1) return call.right(after);
    return call;
}

// The row of the longest prefix that begins the call, the first met on ties; 0 when none does. The
// rows are grouped by first character in ascending order, so only the call's group is read.
qint64 LongestPrefixRow(const QString& lookup, const TableRows& rows) {
    const int key = FirstKey(lookup);
    const int code = std::max(65, static_cast<int>(lookup.front().unicode()));
    qint64 start = static_cast<qint64>(std::floor((code - 64) / 26.0 * static_cast<double>(rows.table().Count)));
    // Back to the first row of the group (or row 1), five rows at a time.
    while (start > 1 && FirstKey(rows.prefix(start)) == key) start = std::max<qint64>(start - 5, 1);

    qint64 best = 0;
    qsizetype bestLength = 0;
    const auto visit = [&](qint64 row) {
        const QString& prefix = rows.prefix(row);
        if (prefix.size() > bestLength && lookup.startsWith(prefix, Qt::CaseInsensitive)) {
            best = row;
            bestLength = prefix.size();
        }
        return FirstKey(prefix);
    };
    if (FirstKey(rows.prefix(start)) > key) {
        for (qint64 row = start; row >= 1; --row)
            if (visit(row) < key) break;
    } else {
        for (qint64 row = std::max<qint64>(start, 0); row <= rows.last(); ++row)
            if (visit(row) > key) break;
    }
    return best;
}

} // namespace

BearingDistance ShowBearingDistance(float ownLatitude, float ownLongitude, float latitude, float longitude) {
    const double k = kDegreesPerRadian;
    const double phi1 = ownLatitude / k;
    const double phi2 = latitude / k;
    const double lambda = static_cast<double>(ownLongitude - longitude) / k;
    // Rounding can carry the cosines a hair past +-1, where the arc cosine has no value: clamp them.
    const double c = std::clamp(std::sin(phi2) * std::sin(phi1) + std::cos(phi2) * std::cos(phi1) * std::cos(lambda),
                                -1.0, 1.0);
    const double d = std::acos(c);
    const double cosPhi1 = std::cos(phi1);
    if (!(d > kNoDirection && d < std::numbers::pi - kNoDirection) || !(std::fabs(cosPhi1) > kPoleCosine)) return {};
    const double x = std::clamp((std::sin(phi2) - c * std::sin(phi1)) / (cosPhi1 * std::sin(d)), -1.0, 1.0);
    const double b = std::acos(x) * k;
    const double bearing = std::sin(lambda) > 0 ? b : 360 - b;
    return {WholeText(bearing, false) + QLatin1Char(' '), WholeText(d * kMilesPerRadian, true) + QLatin1Char(' ')};
}

PrefixLookupResult LookupPrefixCountry(const QString& call, const QString& countryText, float ownLatitude,
                                       float ownLongitude, const PrefixTableData& table) {
    PrefixLookupResult r;
    const auto notFoundEmpties = [&r](const QString& box) {
        if (!Is(box, "Not Found")) return;
        r.Bearing = QString();
        r.Distance = QString();
        r.Continent = QString();
    };
    const QString lookup = LookupCallOf(call);
    if (lookup.isEmpty()) {
        notFoundEmpties(countryText);
        return r;
    }

    const TableRows rows(table);
    const qint64 best = LongestPrefixRow(lookup, rows);
    const QString& country = rows.country(best);
    if (best == 0 || Is(country, "USA") || Is(country, "Canada")) {
        // The operator types a US state or Canadian province himself.
        const bool northAmerica = best != 0;
        if (!northAmerica) r.Country = QStringLiteral("Not Found");
        r.Bearing = QString();
        r.Distance = QString();
        r.Continent = northAmerica ? QStringLiteral("NA") : QString();
        r.SelectCountryText = true;
        r.Row = static_cast<int>(best);
        notFoundEmpties(r.Country.value_or(countryText));
        return r;
    }

    qint64 row = best;
    QString text = country;
    // KG4 and two letters is the naval base; any other KG4 call is a station in the US.
    if (call.startsWith(QLatin1String("KG4"), Qt::CaseInsensitive) && (call.size() == 4 || call.size() > 5)) {
        text.clear();
        row = 0;
        for (qint64 i = 1; i <= rows.last() && row == 0; ++i)
            if (Is(rows.country(i), "USA")) row = i;
        if (row == 0) return {}; // no US row to show: the lookup changes nothing
    }
    r.Country = Is(text, "Alaska") ? QStringLiteral("AK") : Is(text, "Hawaii") ? QStringLiteral("HI") : text;
    const size_t at = TableRows::at(row);
    r.Continent = table.Continent[at];
    const BearingDistance bd = ShowBearingDistance(ownLatitude, ownLongitude, table.Latitude[at], table.Longitude[at]);
    r.Bearing = bd.Bearing;
    r.Distance = bd.Distance;
    r.SelectCountryText = true;
    r.Row = static_cast<int>(row);
    notFoundEmpties(*r.Country);
    return r;
}

int FindCountryCompletion(const QString& typed, const PrefixTableData& table) {
    const TableRows rows(table);
    if (typed.isEmpty()) return static_cast<int>(rows.last());
    // Most rows differ in the first letter already; the full comparison is for the few that don't.
    const char16_t first = typed.front().toCaseFolded().unicode();
    for (qint64 row = rows.last(); row >= 1; --row) {
        const QString& country = rows.country(row);
        if (!country.isEmpty() && country.front().toCaseFolded().unicode() == first &&
            country.startsWith(typed, Qt::CaseInsensitive))
            return static_cast<int>(row);
    }
    return 0;
}

} // namespace tylog
