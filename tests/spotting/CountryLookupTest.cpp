// Country lookup of spotted calls on small prefix tables laid out as the shipped file is.
#include "core/ReferenceTables.h"
#include "spotting/CountryLookup.h"

#include <gtest/gtest.h>

using namespace tylog;

namespace {

void fill(std::initializer_list<std::pair<const char*, const char*>> rows) {
    PrefixTable = {};
    for (auto [prefix, country] : rows) {
        ++PrefixTable.Count;
        PrefixTable.Prefix[PrefixTable.Count] = prefix;
        PrefixTable.Country[PrefixTable.Count] = country;
    }
}

struct Case {
    const char* call;
    const char* country;
};

void expectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases) EXPECT_EQ(LookupDXCountry(c.call), c.country) << c.call;
}

TEST(LookupDXCountry, LongestPrefixWinsWalkingEitherWay) {
    // "M" starts at row 5, inside the N group: the walk runs backwards.
    fill({{"L", "Ell"}, {"M", "Em"}, {"M1", "Em One"}, {"M1A", "Em One A"}, {"N1", "En"}, {"N2", "En"},
          {"N3", "En"}, {"N4", "En"}, {"N5", "En"}, {"N6", "En"}});
    expectAll({{"M1ABC", "Em One A"}, {"M1XYZ", "Em One"}, {"M2AB", "Em"}, {"L9Q", "Ell"}, {"N3Q", "En"}});
    // "M" starts at row 5, in the A group: the walk runs forwards.
    fill({{"A1", "Ay"}, {"A2", "Ay"}, {"A3", "Ay"}, {"A4", "Ay"}, {"A5", "Ay"}, {"A6", "Ay"}, {"M", "Em"},
          {"M1", "Em One"}, {"M1A", "Em One A"}, {"N", "En"}});
    expectAll({{"M1ABC", "Em One A"}, {"M1XYZ", "Em One"}, {"M2AB", "Em"}, {"A3Q", "Ay"}});
}

TEST(LookupDXCountry, SuffixesLettersAndTheKG4Rule) {
    fill({{"K", "Kay"}, {"KG4", "Guantanamo"}, {"M", "Em"}, {"M1", "Em One"}, {"M1", "Second Em One"},
          {"W", "Dub"}, {"W1X", "Dub One"}});
    expectAll({
        {"M1ABC/P", "Em One"},   // a one-character suffix is ignored
        {"M1ABC/W1X", "Dub One"}, // 3 after the slash of 9 characters: the suffix is looked up
        {"M1A/W1XYZ", "Em One"},  // 5 of 9 is not below half: the call is looked up
        {"m1abc", ""},            // case counts
        {"", ""},
        {"KG4ABC", "USA"},
        {"KG4AB", "Guantanamo"},
        {"M1Q", "Em One"},        // the same prefix twice: the first met
        {"Z9Z", ""},
    });
    fill({{"M", "Em"}});
    EXPECT_EQ(LookupDXCountry("KG4ABCD"), ""); // nothing matched, so no "USA" either
}

TEST(LookupDXCountry, RowsOutsideTheTableAreNeverRead) {
    // Rows beyond the count hold what an earlier, longer table left there; they do not count.
    fill({{"A", "Ay"}, {"B", "Bee"}, {"C", "Cee"}});
    PrefixTable.Prefix[5] = "z1";
    PrefixTable.Country[5] = "Beyond";
    PrefixTable.Prefix[6] = "{";
    PrefixTable.Country[6] = "Beyond";
    expectAll({{"z1abc", ""}, {"{x", ""}, {"B9", "Bee"}});

    // A lower-case call in a full table estimates a start row past the table's 10000 rows.
    PrefixTable = {};
    PrefixTable.Count = PrefixTableData::Capacity;
    for (int r = 1; r <= PrefixTable.Count; ++r) PrefixTable.Prefix[r] = QString("Q%1").arg(r, 5, 10, QChar('0'));
    PrefixTable.Country[PrefixTable.Count] = "Last";
    expectAll({{"zz1", ""}, {"~", ""}, {"Q10000", "Last"}});

    // A count larger than the table, or a table with nothing in it.
    PrefixTable.Count = PrefixTableData::Capacity + 500;
    EXPECT_EQ(LookupDXCountry("zz1"), "");
    fill({});
    expectAll({{"A1", ""}, {"Q1", ""}, {"z", ""}});
}

} // namespace
