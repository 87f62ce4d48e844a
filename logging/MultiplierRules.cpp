#include "logging/MultiplierRules.h"
#include "logging/DupeRules.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"

#include <QSet>

#include <algorithm>
#include <vector>

namespace tylog {

bool CountsAsDX(const QString& spc) {
    if (spc.size() <= 3) return false;
    for (const char* notDX : {"Not Found", "Canada", "USA", "Alaska", "Hawaii"})
        if (spc.compare(QLatin1String(notDX), Qt::CaseInsensitive) == 0) return false;
    return true;
}

int DXBandIndex(const QString& band) {
    static const char* const bands[] = {"160", "80", "40", "20", "15", "10", "6"};
    for (int k = 0; k < 7; ++k)
        if (band.compare(QLatin1String(bands[k]), Qt::CaseInsensitive) == 0) return k + 1;
    return 0;
}

bool IsNewDX(const QString& spc, const QString& band, const DXWorkedLists& lists, const DXWorkedCounts& counts) {
    if (!CountsAsDX(spc)) return false;
    const int k = DXBandIndex(band);
    if (k == 0) return true;
    const QStringList& list = lists[static_cast<size_t>(k)];
    const int n = std::min<int>(counts[static_cast<size_t>(k)], static_cast<int>(list.size()) - 1);
    for (int i = 1; i <= n; ++i)
        if (SameNoCase(list[i], spc)) return false;
    return true;
}

void FillDXWorkedLists(const ContactLogData& log, DXWorkedLists& lists, DXWorkedCounts& counts) {
    std::array<QSet<QString>, 8> seen;
    for (int k = 1; k <= 7; ++k) {
        lists[static_cast<size_t>(k)] = QStringList{QString()};
        counts[static_cast<size_t>(k)] = 0;
    }
    for (int i = 1; i <= log.Count; ++i) {
        const ContactRecord& r = log.Rec[static_cast<size_t>(i)];
        if (r.Spc.size() <= 3 || !CountsAsDX(r.Spc)) continue;
        const int k = DXBandIndex(r.Band);
        if (k == 0) continue;
        const QString key = r.Spc.toCaseFolded();
        if (seen[static_cast<size_t>(k)].contains(key)) continue;
        seen[static_cast<size_t>(k)].insert(key);
        lists[static_cast<size_t>(k)].append(r.Spc);
        counts[static_cast<size_t>(k)] += 1;
    }
}

void SortNoCase(QStringList& items) {
    std::stable_sort(items.begin(), items.end(),
                     [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
}

QStringList WorkedDXCountries(const ContactLogData& log) {
    QStringList out;
    QSet<QString> seen;
    for (int i = 1; i <= log.Count; ++i) {
        const QString& spc = log.Rec[static_cast<size_t>(i)].Spc;
        if (spc.size() <= 3 || !CountsAsDX(spc)) continue;
        const QString key = spc.toCaseFolded();
        if (seen.contains(key)) continue;
        seen.insert(key);
        out << spc;
    }
    SortNoCase(out);
    return out;
}

CountyLists WorkedAndRemainingCounties(const ContactLogData& log) {
    // A reload runs this over the whole log: each record keeps the table row of its county, so a county
    // of the table is told by its row and only a county the table does not have is compared as text.
    const int rows = static_cast<int>(CountyTable.Count);
    std::vector<char> worked(static_cast<size_t>(rows) + 1, 0);
    QSet<QString> others;
    CountyLists out;
    for (int i = 1; i <= log.Count; ++i) {
        const ContactRecord& r = log.Rec[static_cast<size_t>(i)];
        if (r.County.isEmpty()) continue;
        const int row = ContactCountyRow(r);
        if (row > 0) {
            if (worked[static_cast<size_t>(row)]) continue;
            worked[static_cast<size_t>(row)] = 1;
        } else {
            const QString key = r.County.toCaseFolded();
            if (others.contains(key)) continue;
            others.insert(key);
        }
        out.worked << r.County;
    }
    for (int row = 1; row <= rows; ++row) {
        if (!worked[static_cast<size_t>(row)]) out.toWork << CountyTable.Name[static_cast<size_t>(row)];
    }
    SortNoCase(out.worked);
    SortNoCase(out.toWork);
    return out;
}

} // namespace tylog
