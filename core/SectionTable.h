#pragma once
// The US states and Canadian provinces an in-state operator counts as multipliers: 63 fixed rows of
// abbreviation and name, US call areas 1 to 0 and then Canada. The in-state window builds the table
// while it loads; before that, and for a whole run with the out-of-state window, Count is 0 and no
// lookup finds a row. It sits this low because the in-state contact editor reads it too.
#include <QString>
#include <vector>

namespace tylog {

struct SectionTableData {
    static constexpr int Rows = 63;
    static constexpr int Capacity = 100; // rows 0..100 exist; 0 and 64..100 stay empty
    SectionTableData() : Abbrev(Capacity + 1), Name(Capacity + 1) {}
    std::vector<QString> Abbrev;
    std::vector<QString> Name;
    int Count = 0;
};

inline SectionTableData SectionTable;

// Fills rows 1..63 and sets Count to 63.
void BuildSectionTable(SectionTableData& table = SectionTable);

// The first row 1..Count whose abbreviation equals `abbrev`, letter case ignored; 0 when none does.
int FindSection(const QString& abbrev, const SectionTableData& table = SectionTable);

} // namespace tylog
