#include "spotting/DXSpotTable.h"
#include "platform/ValueFile.h"

#include <utility>

namespace tylog {

QString SpotLabelPrefix(const QString& call) {
    const qsizetype len = call.size();
    if (len < 3) return {};
    qsizetype slash = 0, digit = 0, firstDigit = 0; // 1-based positions, 0 = none
    for (qsizetype i = 0; i < len; ++i) {
        const QChar c = call[i];
        if (c == '/') slash = i + 1;
        if (c >= '0' && c <= '9') {
            digit = i + 1;
            if (firstDigit == 0) firstDigit = i + 1;
        }
    }
    const qsizetype n = digit > 0 ? digit : len;
    if (slash == 0) return call.left(n);
    if (static_cast<double>(slash) < static_cast<double>(len) / 2 + 1) return call.left(slash - 1);
    const QString suffix = call.mid(slash, n);
    double ignored = 0;
    if (ParseNumber(suffix, &ignored)) return call.left(firstDigit > 0 ? firstDigit - 1 : len) + suffix;
    return suffix;
}

void StoreSpot(DXSpotTableData& table, const QString& call, float mhz, const QDateTime& received) {
    constexpr int newest = DXSpotTableData::Newest;
    for (int i = 1; i <= newest; ++i) {
        table.Call[i - 1] = std::move(table.Call[i]);
        table.Freq[i - 1] = table.Freq[i];
        table.Time[i - 1] = std::move(table.Time[i]);
        table.Prefix[i - 1] = std::move(table.Prefix[i]);
    }
    table.Call[newest] = call;
    table.Freq[newest] = mhz;
    table.Time[newest] = received;
    table.Prefix[newest] = SpotLabelPrefix(call);
    for (int i = newest - 1; i >= 1; --i) {
        if (table.Call[i].compare(call, Qt::CaseInsensitive) == 0) {
            table.Freq[i] = 0;
            break;
        }
    }
}

} // namespace tylog
