// The in-state window's lookups: call prefix to country, bearing and distance, country completion,
// and the state and province table with its grid.
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "core/SectionTable.h"
#include "logging/PrefixLookup.h"
#include "logging/SectionGrid.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <set>
#include <utility>

using namespace tylog;

namespace {

// The own station at the host state's centre.
constexpr float kOwnLat = 39.5f, kOwnLon = 98.2f;

void LoadShippedPrefixes() {
    Folders.ProgramFolder = tylog::testing::ShippedDataFolder();
    LoadPrefixTable();
    ASSERT_EQ(PrefixTable.Count, 1236);
}

PrefixTableData Table(std::initializer_list<std::pair<const char*, const char*>> rows) {
    PrefixTableData t;
    for (const auto& [prefix, country] : rows) {
        ++t.Count;
        t.Prefix[t.Count] = prefix;
        t.Country[t.Count] = country;
        t.Continent[t.Count] = "XX";
    }
    return t;
}

std::string Show(const std::optional<QString>& v) { return v ? '"' + v->toStdString() + '"' : "(kept)"; }

// nullptr: the control is left as it is.
struct LookupCase {
    const char* call;
    const char* box;       // the St/Prv/Country box before the lookup
    const char* country;   // what the box is set to
    const char* continent;
    const char* rowPrefix; // the prefix of the row settled on; "" for none
};

void Check(const LookupCase& c, const PrefixTableData& t) {
    const PrefixLookupResult r = LookupPrefixCountry(c.call, c.box, kOwnLat, kOwnLon, t);
    const auto expect = [](const char* want) { return want ? std::optional<QString>(want) : std::nullopt; };
    EXPECT_EQ(Show(r.Country), Show(expect(c.country))) << c.call;
    EXPECT_EQ(Show(r.Continent), Show(expect(c.continent))) << c.call;
    EXPECT_EQ(t.Prefix[static_cast<size_t>(r.Row)], c.rowPrefix) << c.call;
}

} // namespace

TEST(PrefixLookup, ShippedTable) {
    LoadShippedPrefixes();
    const LookupCase cases[] = {
        // Longest prefix, in groups reached forwards, by the back-off, and backwards (digits 1 and 2).
        {"G4ABC", "", "England", "EU", "G"},
        {"GM3ABC", "", "Scotland", "EU", "GM"},
        {"AH7KAA", "", "Kure Island", "OC", "AH7K"},
        {"OH0AB", "", "Aland Islands", "EU", "OH0"},
        {"OH2AB", "", "Finland", "EU", "OH"},
        {"PY0FA", "", "Fernando de Noronha", "SA", "PY0F"},
        {"R1ANF", "", "South Shetland Islands", "SA", "R1ANF"},
        {"UA9ABC", "", "Asiatic Russia", "AS", "UA9"},
        {"ZS8A", "", "Prince Edward & Marion Islands", "AF", "ZS8"},
        {"ZS6AB", "", "South Africa", "AF", "ZS"},
        {"2E0ABC", "", "England", "EU", "2E"},
        {"1A0KM", "", "Sovereign Military Order of Malta", "EU", "1A"},
        {"4X4AB", "", "Israel", "AS", "4X"},
        // Portable calls: a suffix of two or more characters, no longer than the front, stands for the call.
        {"K1AB/4X", "", "Israel", "AS", "4X"},
        {"4X/K1AB", "", "Israel", "AS", "4X"},
        {"DL/K1ABC", "", "Germany", "EU", "DL"},
        {"K1ABC/VE3", "", nullptr, "NA", "VE"},
        {"VE3/K1ABC", "", nullptr, "NA", "VE"},
        {"G4ABC/P", "", "England", "EU", "G"},
        // US and Canadian stations keep the box for the operator's state or province.
        {"K1AB/4", "", nullptr, "NA", "K"},
        {"W1AW", "NY", nullptr, "NA", "W"},
        {"VE3ABC", "", nullptr, "NA", "VE"},
        {"K", "", nullptr, "NA", "K"},
        // ... but after a "Not Found" the continent goes too.
        {"K1", "Not Found", nullptr, "", "K"},
        // Alaska and Hawaii become their state codes.
        {"KL7AB", "", "AK", "NA", "KL"},
        {"AL7A", "", "AK", "NA", "AL"},
        {"KH6AB", "", "HI", "OC", "KH6"},
        // KG4: two letters after it is the naval base, anything else a US station.
        {"KG4AB", "", "Guantanamo Bay", "NA", "KG4"},
        {"KG4", "", "Guantanamo Bay", "NA", "KG4"},
        {"KG4A", "", "", "NA", "AA"},
        {"KG4ABC", "", "", "NA", "AA"},
        {"KG4/W1AW", "", "", "NA", "AA"},
        // No prefix.
        {"Q1ABC", "CA", "Not Found", "", ""},
        {"0A1", "", "Not Found", "", ""},
        {"/", "", "Not Found", "", ""},
        // Lower-case and non-ASCII first characters estimate a start past the table: nothing is found.
        {"g4abc", "", "Not Found", "", ""},
        {"kg4abc", "", "Not Found", "", ""},
        {"\xc3\x84" "B1", "", "Not Found", "", ""},
        // The rest may be in lower case.
        {"Gm3abc", "", "Scotland", "EU", "GM"},
        // An empty call changes nothing, unless the box reads "Not Found".
        {"", "CA", nullptr, nullptr, ""},
        {"", "not found", nullptr, "", ""},
    };
    for (const LookupCase& c : cases) Check(c, PrefixTable);
}

TEST(PrefixLookup, LabelsAndSelection) {
    LoadShippedPrefixes();
    struct Case {
        const char* call;
        const char* bearing;
        const char* distance;
    };
    // The row's own latitude and longitude, in that order; KG4 takes the first "USA" row's.
    const Case shown[] = {
        {"G4ABC", "43 ", "4,404 "},
        {"KH6AB", "269 ", "3,699 "},
        {"KG4A", "118 ", "73 "},
        {"KG4AB", "128 ", "1,921 "},
        {"K1ABC", "", ""},
        {"Q1ABC", "", ""},
    };
    for (const Case& c : shown) {
        const PrefixLookupResult r = LookupPrefixCountry(c.call, "", kOwnLat, kOwnLon);
        EXPECT_EQ(Show(r.Bearing), Show(QString(c.bearing))) << c.call;
        EXPECT_EQ(Show(r.Distance), Show(QString(c.distance))) << c.call;
        EXPECT_TRUE(r.SelectCountryText) << c.call;
    }
    const PrefixLookupResult empty = LookupPrefixCountry("", "Not Found", kOwnLat, kOwnLon);
    EXPECT_FALSE(empty.SelectCountryText);
    EXPECT_EQ(Show(empty.Bearing), "\"\"");
    EXPECT_EQ(Show(empty.Distance), "\"\"");
}

TEST(PrefixLookup, ShortAndOddTables) {
    // Under 26 rows the estimate for "A" and the digits is row 0; rows past Count hold stale data.
    PrefixTableData t = Table({{"3DA", "Eswatini"}, {"A2", "Botswana"}, {"G", "England"}, {"ZS", "South Africa"}});
    t.Count = 3;
    const LookupCase cases[] = {
        {"3DA0AB", "", "Eswatini", "XX", "3DA"},
        {"A22AB", "", "Botswana", "XX", "A2"},
        {"ZS6AB", "", "Not Found", "", ""},
        {"z", "", "Not Found", "", ""},
    };
    for (const LookupCase& c : cases) Check(c, t);

    // A count beyond the table's rows: only its rows are read.
    PrefixTableData cut = Table({{"G", "England"}});
    cut.Count = PrefixTableData::Capacity + 50;
    EXPECT_EQ(*LookupPrefixCountry("ZS6AB", "", kOwnLat, kOwnLon, cut).Country, "Not Found");
    EXPECT_EQ(*LookupPrefixCountry("G4ABC", "", kOwnLat, kOwnLon, cut).Country, "Not Found");
    cut.Count = -3;
    EXPECT_EQ(*LookupPrefixCountry("G4ABC", "", kOwnLat, kOwnLon, cut).Country, "Not Found");

    // Empty table.
    EXPECT_EQ(*LookupPrefixCountry("G4ABC", "", kOwnLat, kOwnLon, PrefixTableData{}).Country, "Not Found");

    // A KG4 call needing a "USA" row the table lacks changes nothing.
    const PrefixLookupResult none =
        LookupPrefixCountry("KG4ABC", "CA", kOwnLat, kOwnLon, Table({{"KG4", "Guantanamo Bay"}}));
    EXPECT_FALSE(none.Country || none.Continent || none.Bearing || none.Distance || none.SelectCountryText);
}

TEST(PrefixLookup, EqualPrefixesFirstMetWins) {
    // 130 rows put the estimate for a digit at row 5: "2..." calls back off to row 1 and scan up, "1..."
    // calls scan down from row 5, so they meet the later of two equal rows first.
    PrefixTableData t = Table({{"1A", "Malta"}, {"1S", "Spratly one"}, {"1S", "Spratly two"}, {"2E", "England one"},
                               {"2E", "England two"}});
    while (t.Count < 130) t.Prefix[++t.Count] = "2Z";
    EXPECT_EQ(*LookupPrefixCountry("1S1A", "", kOwnLat, kOwnLon, t).Country, "Spratly two");
    EXPECT_EQ(*LookupPrefixCountry("2E0A", "", kOwnLat, kOwnLon, t).Country, "England one");
    EXPECT_EQ(*LookupPrefixCountry("1A0KM", "", kOwnLat, kOwnLon, t).Country, "Malta");
}

TEST(PrefixLookup, BearingAndDistance) {
    struct Case {
        float lat1, lon1, lat2, lon2;
        const char* bearing;
        const char* distance;
    };
    const Case cases[] = {
        {39.5f, 98.2f, 52, 1, "43 ", "4,404 "},          // England
        {39.5f, 98.2f, 35.7f, -139.7f, "316 ", "6,063 "}, // Japan, across the date line
        {39.5f, 98.2f, -33.9f, -151.2f, "253 ", "8,662 "},
        {39.5f, 98.2f, -26.2f, -28, "90 ", "9,225 "},
        {0, 0, 0, -90, "90 ", "6,214 "},                 // longitudes are positive westwards
        {0, 0, 0, 90, "270 ", "6,214 "},
        // Due north and south: the bearing's cosine rounds to a hair past +-1 here; due north reads 360.
        {0, 0, 45, 0, "360 ", "3,107 "},
        {0, 0, -45, 0, "180 ", "3,107 "},
        {39.5f, 98.2f, 40, 98.2f, "360 ", "35 "},
        {39.5f, 98.2f, 39, 98.2f, "180 ", "35 "},
        {39.5f, 98.2f, 39.5f, 98.21f, "270 ", "1 "},
        {39.5f, 98.2f, 39.5001f, 98.2f, "360 ", " "},       // under half a mile: no digits
        // No bearing: the same point, the point opposite, the own station on a pole, a coordinate
        // that is not a number.
        {39.5f, 98.2f, 39.5f, 98.2f, "", ""},
        {-12.3f, 45.6f, -12.3f, 45.6f, "", ""},
        {0, 0, 0, 180, "", ""},
        {10, 20, -10, -160, "", ""},
        {90, 0, 0, 0, "", ""},
        {-90, 0, 40, 80, "", ""},
        {39.5f, 98.2f, std::numeric_limits<float>::quiet_NaN(), 0, "", ""},
    };
    for (const Case& c : cases) {
        const BearingDistance r = ShowBearingDistance(c.lat1, c.lon1, c.lat2, c.lon2);
        EXPECT_EQ(r.Bearing, c.bearing) << c.lat1 << "," << c.lon1 << " -> " << c.lat2 << "," << c.lon2;
        EXPECT_EQ(r.Distance, c.distance) << c.lat1 << "," << c.lon1 << " -> " << c.lat2 << "," << c.lon2;
    }
}

TEST(PrefixLookup, CountryCompletionTakesTheLastRow) {
    LoadShippedPrefixes();
    const int can = FindCountryCompletion("can");
    EXPECT_EQ(can, 1148);
    EXPECT_EQ(PrefixTable.Country[can], "Canada");
    EXPECT_EQ(PrefixTable.Country[FindCountryCompletion("Canar")], "Canary Islands");
    EXPECT_EQ(FindCountryCompletion("south sh"), 789); // not 654, the first South Shetland row
    EXPECT_EQ(FindCountryCompletion("Xanadu"), 0);
    EXPECT_EQ(FindCountryCompletion("Can", PrefixTableData{}), 0);
}

TEST(SectionTable, RowsAndLookup) {
    SectionTableData t;
    EXPECT_EQ(FindSection("NY", t), 0); // not built yet
    BuildSectionTable(t);
    ASSERT_EQ(t.Count, 63);
    std::set<QString> codes;
    for (int i = 1; i <= 63; ++i) {
        EXPECT_EQ(t.Abbrev[i].size(), 2) << i;
        EXPECT_FALSE(t.Name[i].isEmpty()) << i;
        codes.insert(t.Abbrev[i]);
    }
    EXPECT_EQ(codes.size(), 63u);
    EXPECT_TRUE(t.Abbrev[0].isEmpty() && t.Abbrev[64].isEmpty() && t.Abbrev[100].isEmpty());
    const char* const canada[] = {"NB", "NS", "QU", "ON", "MB", "SK", "AB", "BC", "NT", "NF", "LB", "PE", "YT"};
    for (int i = 0; i < 13; ++i) EXPECT_EQ(t.Abbrev[51 + i], canada[i]);
    EXPECT_EQ(t.Name[53], "Quebec");
    EXPECT_EQ(t.Name[60], "Newfoundland");
    EXPECT_EQ(t.Name[61], "Labrador");
    EXPECT_EQ(t.Name[62], "Prince Edward");
    EXPECT_EQ(t.Name[FindSection("TY", t)], "Tessaly");
    EXPECT_EQ(t.Name[FindSection("nc", t)], "North Carolina");
    EXPECT_EQ(t.Name[FindSection("Nm", t)], "New Mexico");
    EXPECT_EQ(t.Name[FindSection("CT", t)], "Connecticut");
    for (const char* no : {"QC", "KS", " NY", "NY ", "", "DC"}) EXPECT_EQ(FindSection(no, t), 0) << no;
}

TEST(SectionTable, GridPutsEachRowInItsBox) {
    SectionTableData t;
    BuildSectionTable(t);
    struct Box {
        std::initializer_list<const char*> codes;
        double left, right, top, bottom;
    };
    // Each US call area's box of the grid; the host state's label lies outside it.
    const Box boxes[] = {
        {{"CT", "MA", "ME", "NH", "RI", "VT"}, 6555, 7275, 2400, 3600},
        {{"NJ", "NY"}, 6555, 7275, 3600, 4320},
        {{"DE", "MD", "PA"}, 6555, 7275, 4320, 6000},
        {{"AL", "FL", "GA", "KY", "NC", "SC", "TN", "VA"}, 7275, 7995, 2400, 3840},
        {{"AR", "LA", "MS", "NM", "OK", "TX"}, 7275, 7995, 3840, 5025},
        {{"CA", "HI"}, 7275, 7995, 5025, 6000},
        {{"AK", "AZ", "ID", "MT", "NV", "OR", "UT", "WA", "WY"}, 7995, 8715, 2400, 4080},
        {{"MI", "OH", "WV"}, 7995, 8715, 4080, 5025},
        {{"IL", "IN", "WI"}, 7995, 8715, 5025, 6000},
        {{"CO", "IA", "MN", "MO", "ND", "NE", "SD"}, 8715, 9480, 2400, 3795},
    };
    int usRows = 0;
    for (const Box& b : boxes) {
        for (const char* code : b.codes) {
            const int row = FindSection(code, t);
            ASSERT_TRUE(row >= 1 && row <= 50) << code;
            const SectionGridCell c = SectionGridCellOf(row);
            EXPECT_TRUE(c.Visible) << code;
            // The label's text (its left part) within the box; a second column's label reaches over the rule.
            EXPECT_TRUE(c.Left >= b.left && c.Left + c.Width / 2 <= b.right && c.Top >= b.top &&
                        c.Top + c.Height <= b.bottom)
                << code << " at " << c.Left << "," << c.Top;
            ++usRows;
        }
    }
    EXPECT_EQ(usRows + 1, 50); // and the host state
    const SectionGridCell host = SectionGridCellOf(FindSection("TY", t));
    EXPECT_FALSE(host.Visible);
    EXPECT_EQ(host.Left, 8040);
    EXPECT_EQ(host.Top, 6000);

    // Canada: two columns from 4200 down in steps of 240.
    for (int row = 51; row <= 63; ++row) {
        const SectionGridCell c = SectionGridCellOf(row);
        EXPECT_EQ(c.Left, row <= 57 ? 8760 : 9120) << row;
        EXPECT_EQ(c.Top, 4200 + 240 * (row <= 57 ? row - 51 : row - 58)) << row;
        EXPECT_EQ(c.Width, row <= 57 ? 375 : 495) << row;
    }

    // No two shown labels share a place: a column (360) or a line (240) apart at least. Labels are
    // 255 high, so lines 240 apart overlap by design.
    for (int a = 1; a <= 63; ++a)
        for (int b = a + 1; b <= 63; ++b) {
            const SectionGridCell p = SectionGridCellOf(a), q = SectionGridCellOf(b);
            if (!p.Visible || !q.Visible) continue;
            const bool apart = std::abs(p.Left - q.Left) >= 360 || std::abs(p.Top - q.Top) >= 240;
            EXPECT_TRUE(apart) << t.Abbrev[a].toStdString() << " and " << t.Abbrev[b].toStdString();
        }
    EXPECT_FALSE(SectionGridCellOf(0).Visible);
    EXPECT_FALSE(SectionGridCellOf(64).Visible);
}
