#include "core/SectionTable.h"

#include <algorithm>
#include <array>

namespace tylog {

namespace {

struct Row {
    const char* abbrev;
    const char* name;
};

// US rows by call area 1, 2, ... 9, 0 (alphabetical by code within an area), then Canada.
constexpr std::array<Row, SectionTableData::Rows> kRows = {{
    // 1
    {"CT", "Connecticut"}, {"MA", "Massachusetts"}, {"ME", "Maine"}, {"NH", "New Hampshire"},
    {"RI", "Rhode Island"}, {"VT", "Vermont"},
    // 2
    {"NJ", "New Jersey"}, {"NY", "New York"},
    // 3
    {"DE", "Delaware"}, {"MD", "Maryland"}, {"PA", "Pennsylvania"},
    // 4
    {"AL", "Alabama"}, {"FL", "Florida"}, {"GA", "Georgia"}, {"KY", "Kentucky"}, {"NC", "North Carolina"},
    {"SC", "South Carolina"}, {"TN", "Tennessee"}, {"VA", "Virginia"},
    // 5
    {"AR", "Arkansas"}, {"LA", "Louisiana"}, {"MS", "Mississippi"}, {"NM", "New Mexico"}, {"OK", "Oklahoma"},
    {"TX", "Texas"},
    // 6
    {"CA", "California"}, {"HI", "Hawaii"},
    // 7
    {"AK", "Alaska"}, {"AZ", "Arizona"}, {"ID", "Idaho"}, {"MT", "Montana"}, {"NV", "Nevada"}, {"OR", "Oregon"},
    {"UT", "Utah"}, {"WA", "Washington"}, {"WY", "Wyoming"},
    // 8
    {"MI", "Michigan"}, {"OH", "Ohio"}, {"WV", "West Virginia"},
    // 9
    {"IL", "Illinois"}, {"IN", "Indiana"}, {"WI", "Wisconsin"},
    // 0
    {"CO", "Colorado"}, {"IA", "Iowa"}, {"MN", "Minnesota"}, {"MO", "Missouri"}, {"ND", "North Dakota"},
    {"NE", "Nebraska"}, {"SD", "South Dakota"}, {"TY", "Tessaly"},
    // Canada
    {"NB", "New Brunswick"}, {"NS", "Nova Scotia"}, {"QU", "Quebec"}, {"ON", "Ontario"}, {"MB", "Manitoba"},
    {"SK", "Saskatchewan"}, {"AB", "Alberta"}, {"BC", "British Columbia"}, {"NT", "Northwest Territories"},
    {"NF", "Newfoundland"}, {"LB", "Labrador"}, {"PE", "Prince Edward"}, {"YT", "Yukon Territory"},
}};

} // namespace

void BuildSectionTable(SectionTableData& t) {
    t.Abbrev.resize(SectionTableData::Capacity + 1);
    t.Name.resize(SectionTableData::Capacity + 1);
    for (int i = 1; i <= SectionTableData::Rows; ++i) {
        t.Abbrev[static_cast<size_t>(i)] = QString::fromLatin1(kRows[static_cast<size_t>(i - 1)].abbrev);
        t.Name[static_cast<size_t>(i)] = QString::fromLatin1(kRows[static_cast<size_t>(i - 1)].name);
    }
    t.Count = SectionTableData::Rows;
}

int FindSection(const QString& abbrev, const SectionTableData& t) {
    const int last = std::min<int>(t.Count, static_cast<int>(t.Abbrev.size()) - 1);
    for (int i = 1; i <= last; ++i)
        if (t.Abbrev[static_cast<size_t>(i)].compare(abbrev, Qt::CaseInsensitive) == 0) return i;
    return 0;
}

} // namespace tylog
