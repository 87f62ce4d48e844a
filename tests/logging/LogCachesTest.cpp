// What a record keeps of its own fields for the rate meter and the county lists: the moment of its date
// and time, its county's table row. Each must read as the general parsers and comparisons do, and
// follow the field whenever it changes, however it is changed.
#include "core/ProcessState.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <cstdint>

using namespace tylog;

namespace {

// The moment as the general parsers read the store's forms.
bool ReferenceMoment(const QString& date, const QString& time, std::int64_t* secs) {
    const QDate d = QDate::fromString(date, "yyyy/MM/dd");
    QTime t = QTime::fromString(time, "hh:mm:ss");
    if (!t.isValid()) t = QTime::fromString(time, "hh:mm");
    if (!t.isValid()) t = QTime::fromString(time, "h:mm");
    if (!d.isValid() || !t.isValid()) return false;
    *secs = QDateTime(d, t, Qt::UTC).toSecsSinceEpoch();
    return true;
}

} // namespace

TEST(LogCaches, AMomentReadsAsTheGeneralParsersReadIt) {
    const char* const dates[] = {"2013/09/15", "2012/02/29", "2013/02/29", "2013/13/01", "2013/00/10", "0000/01/01",
                                 "1969/12/31", "2013/9/15",  "2013-09-15", "2013/09/1a", " 2013/09/15", ""};
    const char* const times[] = {"14:01:02", "00:00:00", "23:59:59", "24:00:00", "14:60:00", "14:01:60",
                                 "14:01",    "9:05",     "1a:00:00", "14-01-02", "",         "14:01:02 "};
    for (const char* date : dates) {
        for (const char* time : times) {
            ContactRecord r;
            r.Date = date;
            r.Time = time;
            std::int64_t expected = 0, got = 0;
            const bool valid = ReferenceMoment(r.Date, r.Time, &expected);
            ASSERT_EQ(ContactMoment(r, &got), valid) << date << " " << time;
            if (valid) {
                EXPECT_EQ(got, expected) << date << " " << time;
            }
        }
    }
}

TEST(LogCaches, AMomentFollowsItsFieldsHoweverTheyChange) {
    ContactRecord r;
    r.Date = "2013/09/15";
    r.Time = "14:01:02";
    std::int64_t t = 0;
    ASSERT_TRUE(ContactMoment(r, &t));
    const std::int64_t first = t;

    r.Time = "14:01:07"; // assigned anew
    ASSERT_TRUE(ContactMoment(r, &t));
    EXPECT_EQ(t, first + 5);

    r.Time[7] = QChar('9'); // changed in place
    ASSERT_TRUE(ContactMoment(r, &t));
    EXPECT_EQ(t, first + 7);

    r.Date.replace(0, 4, "2014"); // in place again, in the other field
    ASSERT_TRUE(ContactMoment(r, &t));
    EXPECT_EQ(t, first + 7 + 365 * 86400);

    ContactRecord copy = r; // a copy keeps what the record knew, and is then on its own
    copy.Date = "not a date";
    EXPECT_FALSE(ContactMoment(copy, &t));
    ASSERT_TRUE(ContactMoment(r, &t));
    EXPECT_EQ(t, first + 7 + 365 * 86400);
}

TEST(LogCaches, ACountyRowFollowsTheCountyAndTheTable) {
    auto table = [](std::initializer_list<const char*> names) {
        CountyTable = CountyTableData{};
        int i = 0;
        for (const char* n : names) CountyTable.Name[static_cast<size_t>(++i)] = QString::fromLatin1(n);
        CountyTable.Count = static_cast<float>(i);
    };
    table({"Alderbrook", "Ambervale", "ALDERBROOK"});
    ContactRecord r;
    const std::pair<const char*, int> cases[] = {
        {"Alderbrook", 1}, {"aLDERBROOk", 1}, // the first row of the name, whatever the case
        {"Ambervale", 2},  {"Ambervale ", 0}, {"Amber", 0}, {"Nowhere", 0}, {"", 0},
    };
    for (auto [county, row] : cases) {
        r.County = county;
        EXPECT_EQ(ContactCountyRow(r), row) << county;
    }

    r.County = "Ambervale";
    ASSERT_EQ(ContactCountyRow(r), 2);
    r.County[0] = QChar('X'); // changed in place
    EXPECT_EQ(ContactCountyRow(r), 0);
    r.County[0] = QChar('a');
    EXPECT_EQ(ContactCountyRow(r), 2);

    table({"Ambervale", "Alderbrook"}); // a table loaded again, in another order
    EXPECT_EQ(ContactCountyRow(r), 1);
    table({"Birchmere"});
    EXPECT_EQ(ContactCountyRow(r), 0);
    table({"Birchmere", "Ambervale"}); // the same first name, but a new table
    EXPECT_EQ(ContactCountyRow(r), 2);
}
