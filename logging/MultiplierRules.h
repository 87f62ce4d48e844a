#pragma once
// The in-state window's multiplier rules over the log: which St / Prv / Country entries count as DX
// countries, the per-band lists behind the "New" mark, and the worked and remaining lists, as plain
// functions. Names compare without regard to case.
#include <QString>
#include <QStringList>

#include <array>

namespace tylog {

struct ContactLogData;
struct SectionTableData;

// FindSection over many records: the first row of each two-letter abbreviation found by its letters.
class SectionIndex {
public:
    explicit SectionIndex(const SectionTableData& table);
    int RowOf(const QString& abbrev) const;

private:
    const SectionTableData& table_;
    std::array<short, 26 * 26> twoLetter_{};
};

// Whether a contact's St / Prv / Country counts as a DX country: longer than 3 characters, and none of
// "Not Found" (what the prefix lookup writes when nothing matched), "Canada", "USA", "Alaska" and
// "Hawaii" (worked as states and provinces instead).
bool CountsAsDX(const QString& spc);

// The per-band list of a band: 1..7 for "160", "80", "40", "20", "15", "10", "6"; 0 for any other.
int DXBandIndex(const QString& band);

// The seven per-band lists: list k (1..7) holds entries 1..counts[k] (index 0 of each list unused).
using DXWorkedLists = std::array<QStringList, 8>;
using DXWorkedCounts = std::array<int, 8>;

// Whether the St / Prv / Country box shows "New": a DX country (CountsAsDX) not in the band's list;
// on a band without a list every DX country is new.
bool IsNewDX(const QString& spc, const QString& band, const DXWorkedLists& lists, const DXWorkedCounts& counts);

// Fills the seven lists from records 1..Count: each DX country once per band, in log order.
void FillDXWorkedLists(const ContactLogData& log, DXWorkedLists& lists, DXWorkedCounts& counts);

// The DX countries of records 1..Count, each once (the first spelling), sorted without regard to case.
QStringList WorkedDXCountries(const ContactLogData& log);

// The counties of records 1..Count (non-empty), each once as first spelled, in the order first
// worked; and the names of CountyTable not among them, in table order.
struct CountyLists {
    QStringList worked;
    QStringList toWork;
};
CountyLists CountiesWorkedAndToGo(const ContactLogData& log);
// The same, both sorted without regard to case (the in-state window's sorted lists).
CountyLists WorkedAndRemainingCounties(const ContactLogData& log);

// Orders texts as a sorted list box keeps them.
void SortNoCase(QStringList& items);

} // namespace tylog
