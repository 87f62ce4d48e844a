#include "spotting/CountryLookup.h"
#include "core/ReferenceTables.h"

#include <algorithm>
#include <cmath>

namespace tylog {

namespace {

// The table's rows 1..Count that exist; any other row reads as an empty one. A start row estimated
// from a character past "Z" (or a table shorter than its count) must not be read.
qint64 lastRow() {
    const qint64 stored = static_cast<qint64>(std::min(PrefixTable.Prefix.size(), PrefixTable.Country.size())) - 1;
    return std::clamp<qint64>(PrefixTable.Count, 0, std::max<qint64>(stored, 0));
}

QString prefixAt(qint64 row, qint64 last) {
    return row >= 1 && row <= last ? PrefixTable.Prefix[static_cast<size_t>(row)] : QString();
}

} // namespace

QString LookupDXCountry(const QString& call) {
    QString lookup = call;
    const qsizetype slash = lookup.indexOf('/') + 1;
    if (slash > 0) {
        const qsizetype after = lookup.size() - slash;
        if (static_cast<double>(after) < static_cast<double>(lookup.size()) / 2 && after > 1) lookup = lookup.right(after);
    }
    if (lookup.isEmpty()) return {};

    const qint64 last = lastRow();
    const QString first = lookup.left(1);
    const int code = std::max(65, static_cast<int>(first[0].unicode()));
    // The rows are grouped by first character in ascending order: start near the call's group.
    qint64 start = static_cast<qint64>(static_cast<float>(std::floor((code - 64) / 26.0 * static_cast<double>(PrefixTable.Count))));
    while (start > 1 && prefixAt(start, last).left(1) == first) {
        start -= 5;
        if (start < 1) start = 1;
    }
    const bool backwards = prefixAt(start, last).left(1) > first;

    QString result;
    qsizetype best = 0;
    bool matched = false;
    const auto visit = [&](qint64 row) {
        const QString prefix = prefixAt(row, last);
        if (!prefix.isEmpty() && prefix.size() > best && lookup.startsWith(prefix)) {
            best = prefix.size();
            result = PrefixTable.Country[static_cast<size_t>(row)];
            matched = true;
        }
        return prefix.left(1);
    };
    if (backwards) {
        for (qint64 r = start; r >= 1; --r)
            if (visit(r) < first) break;
    } else {
        for (qint64 r = std::max<qint64>(start, 0); r <= last; ++r)
            if (visit(r) > first) break;
    }
    if (matched && lookup.startsWith(QLatin1String("KG4")) && lookup.size() > 5) result = QStringLiteral("USA");
    return result;
}

} // namespace tylog
