#include "logging/MultiplierRules.h"
#include "core/SectionTable.h"
#include "logging/DupeRules.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <vector>

namespace tylog {

namespace {
// 0..675 for two ASCII letters in either case; -1 otherwise.
int twoLetterKey(QStringView s) {
    if (s.size() != 2) return -1;
    int key = 0;
    for (QChar ch : s) {
        char16_t c = ch.unicode();
        if (c >= u'a' && c <= u'z') c -= 32;
        if (c < u'A' || c > u'Z') return -1;
        key = key * 26 + (c - u'A');
    }
    return key;
}
} // namespace

SectionIndex::SectionIndex(const SectionTableData& table) : table_(table) {
    const int last = std::min<int>(table.Count, static_cast<int>(table.Abbrev.size()) - 1);
    for (int i = last; i >= 1; --i) { // from the end: the first row of an abbreviation wins
        const int key = twoLetterKey(table.Abbrev[static_cast<size_t>(i)]);
        if (key >= 0) twoLetter_[static_cast<size_t>(key)] = static_cast<short>(i);
    }
}

int SectionIndex::RowOf(const QString& abbrev) const {
    const int key = twoLetterKey(abbrev);
    if (key >= 0) {
        const int row = twoLetter_[static_cast<size_t>(key)];
        if (row > 0) return row;
    }
    // Abbreviations of other lengths (none in the table) and letters the index does not hold.
    return abbrev.size() == 2 && key >= 0 ? 0 : FindSection(abbrev, table_);
}

bool CountsAsDX(const QString& spc) {
    if (spc.size() <= 3) return false;
    for (const char* notDX : {"Not Found", "Canada", "USA", "Alaska", "Hawaii"})
        if (spc.compare(QLatin1String(notDX), Qt::CaseInsensitive) == 0) return false;
    return true;
}

int DXBandIndex(const QString& band) {
    // "160" 1, "80" 2, "40" 3, "20" 4, "15" 5, "10" 6, "6" 7: told by length and digits, no text compared.
    const auto d = [&](qsizetype i) { return band[i].unicode(); };
    switch (band.size()) {
    case 1: return d(0) == u'6' ? 7 : 0;
    case 2:
        if (d(1) != u'0') return d(0) == u'1' && d(1) == u'5' ? 5 : 0;
        switch (d(0)) {
        case u'8': return 2;
        case u'4': return 3;
        case u'2': return 4;
        case u'1': return 6;
        default: return 0;
        }
    case 3: return d(0) == u'1' && d(1) == u'6' && d(2) == u'0' ? 1 : 0;
    default: return 0;
    }
}

namespace {
// Numbers for the DX countries of a log, one per country whatever its letter case; a text met before
// is found by its exact text, so each distinct spelling is folded once.
class DXCountryIds {
public:
    // The country's number, or -1 when the entry is no DX country.
    int IdOf(const QString& spc) {
        auto it = byText_.constFind(spc);
        if (it != byText_.cend()) return it.value();
        int id = -1;
        if (CountsAsDX(spc)) {
            const QString folded = spc.toCaseFolded();
            auto f = byFolded_.constFind(folded);
            if (f != byFolded_.cend()) {
                id = f.value();
            } else {
                id = static_cast<int>(firstSpelling_.size());
                byFolded_.insert(folded, id);
                firstSpelling_ << spc;
            }
        }
        byText_.insert(spc, id);
        return id;
    }
    int Count() const { return static_cast<int>(firstSpelling_.size()); }

private:
    QHash<QString, int> byText_, byFolded_;
    QStringList firstSpelling_;
};
} // namespace

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
    DXCountryIds ids;
    std::array<std::vector<char>, 8> seen;
    for (int k = 1; k <= 7; ++k) {
        lists[static_cast<size_t>(k)] = QStringList{QString()};
        counts[static_cast<size_t>(k)] = 0;
    }
    for (int i = 1; i <= log.Count; ++i) {
        const ContactRecord& r = log.Rec[static_cast<size_t>(i)];
        if (r.Spc.size() <= 3) continue;
        const int k = DXBandIndex(r.Band);
        if (k == 0) continue;
        const int id = ids.IdOf(r.Spc);
        if (id < 0) continue;
        std::vector<char>& band = seen[static_cast<size_t>(k)];
        if (band.size() <= static_cast<size_t>(id)) band.resize(static_cast<size_t>(ids.Count()), 0);
        if (band[static_cast<size_t>(id)]) continue;
        band[static_cast<size_t>(id)] = 1;
        lists[static_cast<size_t>(k)].append(r.Spc);
        counts[static_cast<size_t>(k)] += 1;
    }
}

void SortNoCase(QStringList& items) {
    std::stable_sort(items.begin(), items.end(),
                     [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
}

QStringList WorkedDXCountries(const ContactLogData& log) {
    DXCountryIds ids;
    QStringList out;
    std::vector<char> seen;
    for (int i = 1; i <= log.Count; ++i) {
        const QString& spc = log.Rec[static_cast<size_t>(i)].Spc;
        if (spc.size() <= 3) continue;
        const int id = ids.IdOf(spc);
        if (id < 0) continue;
        if (seen.size() <= static_cast<size_t>(id)) seen.resize(static_cast<size_t>(ids.Count()), 0);
        if (seen[static_cast<size_t>(id)]) continue;
        seen[static_cast<size_t>(id)] = 1;
        out << spc;
    }
    SortNoCase(out);
    return out;
}

CountyLists CountiesWorkedAndToGo(const ContactLogData& log) {
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
    return out;
}

CountyLists WorkedAndRemainingCounties(const ContactLogData& log) {
    CountyLists out = CountiesWorkedAndToGo(log);
    SortNoCase(out.worked);
    SortNoCase(out.toWork);
    return out;
}

} // namespace tylog
