// The contact editors' rules over values: the dates and times they write, and what makes a duplicate.
#include "core/SectionTable.h"
#include "logstore/ContactLog.h"
#include "logtools/ContactEditRules.h"

#include <gtest/gtest.h>

using namespace tylog;

namespace {

// Only a real date, year first, gets through, and always in the log's own form: the Cabrillo
// writer and the rate graph read what the editors write.
TEST(ContactEditRules, DatesAreRealAndWrittenYearMonthDay) {
    struct Case { const char* typed; const char* written; };
    const Case cases[] = {
        {"2013/09/15", "2013/09/15"},
        {"2013/9/5", "2013/09/05"},
        {" 2013/9/15 ", "2013/09/15"},
        {"2012/02/29", "2012/02/29"}, // a leap day
        {"2013/02/29", ""},
        {"2013/13/01", ""},
        {"2013/00/10", ""},
        {"2013/04/31", ""},
        {"9/15/2013", ""},  // month first reads two ways: refused
        {"13/09/15", ""},   // a two-digit year
        {"2013-09-15", ""},
        {"20130915", ""},
        {"14:01", ""},      // a time is no date
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(EditorDateText(c.typed), c.written) << c.typed;
}

TEST(ContactEditRules, TimesAreReal24HourTimesWithTwoDigitHours) {
    struct Case { const char* typed; const char* written; };
    const Case cases[] = {
        {"14:01", "14:01"},
        {"14:01:02", "14:01:02"},
        {"9:05", "09:05"},
        {" 0:00:59 ", "00:00:59"},
        {"23:59:59", "23:59:59"},
        {"24:00", ""},
        {"12:60", ""},
        {"12:30:60", ""},
        {"12:5", ""},
        {"123:00", ""},
        {"1401", ""},
        {"2:01 PM", ""},
        {"2013/09/15", ""}, // a date is no time
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(EditorTimeText(c.typed), c.written) << c.typed;
}

TEST(ContactEditRules, BandsModesAndSections) {
    for (const char* b : {"160", "80", "40", "20", "15", "10", "6"}) EXPECT_TRUE(IsEditorBand(b)) << b;
    for (const char* b : {"2", "1.25", "70", "", "20 "}) EXPECT_FALSE(IsEditorBand(b)) << b;
    for (const char* m : {"CW", "ph", "Dg"}) EXPECT_TRUE(IsEditorMode(m)) << m;
    for (const char* m : {"AM", "", "CW "}) EXPECT_FALSE(IsEditorMode(m)) << m;

    SectionTableData sections;
    BuildSectionTable(sections);
    for (const char* s : {"IL", "il", "ON", "Germany", "Xxxx"}) EXPECT_TRUE(IsEditorSpc(s, sections)) << s;
    for (const char* s : {"", " IL", "IL ", "ZZ", "KS"}) EXPECT_FALSE(IsEditorSpc(s, sections)) << s;
    EXPECT_FALSE(IsEditorSpc("IL", SectionTableData{})) << "before the table is built no section is known";
}

TEST(ContactEditRules, DuplicatesAreCountedOverEveryOtherRecord) {
    auto contact = [](const char* call, const char* county, const char* sentCounty) {
        ContactRecord r;
        r.Call = call;
        r.Band = "20";
        r.Mode = "PH";
        r.County = county;
        r.SentCounty = sentCounty;
        return r;
    };
    ContactLogData log;
    const ContactRecord records[] = {contact("K1ABC", "Larkmoor", "Lowater"), contact("k1abc", "LARKMOOR", "Hollin"),
                                     contact("K1ABC", "Larkmoor ", "Lowater"), contact("K1ABC", "Larkmoor", "Lowater")};
    for (const ContactRecord& r : records) log.Rec[static_cast<size_t>(++log.Count)] = r;

    const ContactRecord edited = contact("K1ABC", "Larkmoor", "Lowater");
    EXPECT_EQ(CountEditDuplicates(log, 4, edited, EditDupeKey::CallBandModeCounty), 2)
        << "letter case ignored, a trailing blank differs, the edited record skipped";
    EXPECT_EQ(CountEditDuplicates(log, 4, edited, EditDupeKey::CallBandModeCountySent), 1) << "the county sent counts";
    EXPECT_EQ(CountEditDuplicates(log, 0, edited, EditDupeKey::CallBandModeCountySent), 2);

    ContactRecord other = edited;
    other.Band = "40";
    EXPECT_EQ(CountEditDuplicates(log, 4, other, EditDupeKey::CallBandModeCounty), 0);
    other = edited;
    other.Mode = "CW";
    EXPECT_EQ(CountEditDuplicates(log, 4, other, EditDupeKey::CallBandModeCounty), 0);
}

} // namespace
