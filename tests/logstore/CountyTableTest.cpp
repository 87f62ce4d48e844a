#include "logstore/CountyTable.h"
#include "core/ProcessState.h"
#include "platform/VbError.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <optional>

using namespace tylog;
using namespace tylog::testing;

namespace {

QByteArray HostRows(int n) {
    QByteArray out;
    for (int i = 1; i <= n; ++i) out += QString("\"TYCounty%1\",\"C%1\"\r\n").arg(i).toLatin1();
    return out;
}

class CountyTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folders.ProgramFolder = dir.path();
        Station.HostState = "TY";
    }
    ScratchFolder dir;
};

} // namespace

TEST_F(CountyTableTest, LoadsTheHostStatesRowsOnly) {
    struct Case {
        const char* name;
        const char* fileName;
        std::optional<QByteArray> file;
        bool fails;
        int count;
        QString firstName{}, firstAbbrev{};
    };
    const Case cases[] = {
        {"shipped", "TYCounty.txt", std::nullopt, false, 134, "Alderbrook", "ALDE"},
        {"other states only", "TYCounty.txt", CrLfLines({"\"VAFairfax\",\"FAIR\"", "\"MDHoward\",\"HOWA\""}), false, 0},
        {"lower-case state code skipped", "TYCounty.txt", CrLfLines({"\"tyLow\",\"LOW\"", "\"TYHigh\",\"HIGH\""}),
         false, 1, "High", "HIGH"},
        {"state code alone", "TYCounty.txt", CrLfLines({"\"TY\",\"NONE\""}), false, 1, "", "NONE"},
        {"file name in other letters", "tycounty.TXT", CrLfLines({"TYBare Name , BARE"}), false, 1, "Bare Name",
         "BARE"},
        {"1000 host rows among others", "TYCounty.txt", HostRows(1000) + CrLfLines({"\"VAFairfax\",\"FAIR\""}), false,
         1000, "County1", "C1"},
        {"1001 host rows", "TYCounty.txt", HostRows(1001), true, 1000, "County1", "C1"},
        {"record cut short", "TYCounty.txt", HostRows(2) + "\"TYCounty3\"", true, 2, "County1", "C1"},
        {"missing", "TYCounty.txt", QByteArray(), true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        Folders.ProgramFolder = folder.path();
        if (!c.file) folder.copyShipped("TYCounty.txt");
        else if (std::string(c.name) != "missing") folder.write(c.fileName, *c.file);

        if (c.fails) EXPECT_THROW(LoadCounties(), VbError);
        else EXPECT_NO_THROW(LoadCounties());

        EXPECT_EQ(CountyTable.Count, c.count);
        EXPECT_EQ(CountyTable.Name[1], c.firstName);
        EXPECT_EQ(CountyTable.Abbrev[1], c.firstAbbrev);
        EXPECT_EQ(CountyTable.Name[0], "");
        if (c.count < CountyTableData::Capacity) { EXPECT_EQ(CountyTable.Name[c.count + 1], ""); }
    }
}

TEST_F(CountyTableTest, AbbreviationLookupUpperCasesAndTakesTheFirstExactMatch) {
    dir.write("TYCounty.txt", CrLfLines({"\"TYFirst\",\"ABC\"", "\"TYSecond\",\"ABC\"", "\"TYMixed\",\"Mix\"",
                                         "\"TYLarkmoor\",\"LARK\""}));
    LoadCounties();
    struct Case {
        QString typed, name, abbrevAfter;
    };
    const Case cases[] = {{"abc", "First", "ABC"}, {"ABC", "First", "ABC"},         {"mix", "", "MIX"},
                          {"Mix", "", "MIX"},     {"Larkmoor", "", "LARKMOOR"}, {"", "", ""}};
    for (const Case& c : cases) {
        QString name = "stale";
        QString abbrev = c.typed;
        CountyNameFromAbbrev(name, abbrev);
        EXPECT_EQ(name, c.name) << c.typed.toStdString();
        EXPECT_EQ(abbrev, c.abbrevAfter) << c.typed.toStdString();
    }
}

// The "^" of a CW message: the shorter of a county's abbreviation and the name as given.
TEST_F(CountyTableTest, CountyAbbrevForCWKeysTheShorterText) {
    dir.write("TYCounty.txt", CrLfLines({"\"TYLarkmoor\",\"LARK\"", "\"TYLarkmoor\",\"LK\"", "\"TYAsh\",\"ASHE\"",
                                         "\"TYElm\",\"ELM\"", "\"TYBare\",\"\"", "\"TYGalloway Downs\",\"GALD\""}));
    LoadCounties();
    struct Case {
        QString name, keyed;
    };
    const Case cases[] = {
        {"Larkmoor", "LARK"},                // the first row of a name counts
        {"LARKMOOR", "LARK"},                // letter case ignored
        {"Larkmoor ", "Larkmoor "},          // nothing trimmed: no row, the name as given
        {"Ash", "Ash"},                      // a longer abbreviation
        {"Elm", "Elm"},                      // one as long as the name
        {"Bare", "Bare"},                    // none at all
        {"galloway downs", "GALD"},
        {"Nowhere", "Nowhere"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CountyAbbrevForCW(c.name), c.keyed) << c.name.toStdString();

    CountyTable = CountyTableData{};
    EXPECT_EQ(CountyAbbrevForCW("Larkmoor"), "Larkmoor") << "an empty table";
}
