#include "logging/ScoreRules.h"
#include "logstore/ContactLog.h"

#include <gtest/gtest.h>

using namespace tylog;

TEST(ScoreRules, PointsByModeAndMobile) {
    struct Case { const char* mode; const char* call; bool mobileOk; float points; int ph, cw, dg; };
    const Case cases[] = {
        {"PH", "K1ABC", true, 1, 1, 0, 0},   {"ph", "K1ABC", true, 1, 1, 0, 0},
        {"CW", "K1ABC", true, 2, 0, 1, 0},   {"cw", "K1ABC", true, 2, 0, 1, 0},
        {"DG", "K1ABC", true, 2, 0, 0, 1},   {"AM", "K1ABC", true, 2, 0, 0, 1},
        {"", "K1ABC", true, 2, 0, 0, 1},     {"PH", "K1ABC/M", true, 3, 1, 0, 0},
        {"CW", "k1abc/m", true, 3, 0, 1, 0}, {"DG", "K1ABC/MM", true, 3, 0, 0, 1},
        {"PH", "K1ABC/M", false, 1, 1, 0, 0}, {"CW", "K1ABC/M", false, 2, 0, 1, 0},
    };
    for (const Case& c : cases) {
        ScoreCounts s;
        AddContactPoints(s, c.mode, c.call, c.mobileOk);
        EXPECT_EQ(s.QsoPoints, c.points) << c.mode << " " << c.call;
        EXPECT_EQ(s.PhoneContactCount, c.ph);
        EXPECT_EQ(s.CWContactCount, c.cw);
        EXPECT_EQ(s.DigitalContactCount, c.dg);
    }
}

TEST(ScoreRules, Formats) {
    EXPECT_EQ(FormatGrouped(0), "0");
    EXPECT_EQ(FormatGrouped(1234), "1,234");
    EXPECT_EQ(FormatGrouped(24000), "24,000");
    EXPECT_EQ(FormatGrouped(1234567890123.0), "1,234,567,890,123");
    EXPECT_EQ(OperatingTimeText(0), "00:00:00");
    EXPECT_EQ(OperatingTimeText(5400), "01:30:00");
    EXPECT_EQ(OperatingTimeText(100 * 3600 + 300), "00:05:00");
    EXPECT_EQ(OperatingTimeText(3725), "01:02:05");
}

TEST(ScoreRules, RatesCountBackToTheFirstHourOldContact) {
    ContactLogData log;
    const QDateTime now(QDate(2013, 9, 15), QTime(15, 0, 0), Qt::UTC);
    // Ages in seconds, oldest first; the 3600 one stops the scan, so the 10 before it is never seen.
    const int ages[] = {10, 3600, 3000, 1200, 1199, 600, -60};
    for (int age : ages) {
        ContactRecord& r = log.Rec[static_cast<size_t>(++log.Count)];
        const QDateTime t = now.addSecs(-age);
        r.Date = t.toString("yyyy/MM/dd");
        r.Time = t.toString("hh:mm:ss");
    }
    Rates r;
    ASSERT_TRUE(CountRates(log, now, &r));
    EXPECT_EQ(r.last60, 5);
    EXPECT_EQ(r.last20, 3);

    log.Rec[static_cast<size_t>(log.Count)].Date = "not a date";
    EXPECT_FALSE(CountRates(log, now, &r));
}

TEST(ScoreRules, RecentDateTimeShowsMonthDayHourMinute) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"2013/09/15", "14:01:02", "09/15 14:01"},
        {"2013/09/15", "14:01", "09/15 14:01"},   // entered after the contest
        {"2013/9/5", "9:05", "09/05 09:05"},      // typed into the file by hand
        {"garbage", "later", "garbage later"},
    };
    for (auto [date, time, shown] : cases) EXPECT_EQ(RecentDateTime(date, time), shown) << date << " " << time;
}

TEST(ScoreRules, RecentContactRowShowsARecordAsTheListDoes) {
    ContactLogData log;
    ContactRecord& r = log.Rec[static_cast<size_t>(++log.Count)];
    r.Call = "K1ABC";
    r.SerialRcvd = "12";
    r.County = "Larkmoor";
    r.SerialSent = "007";
    r.Date = "2013/09/15";
    r.Time = "14:01:02";
    r.Mode = "CW";
    r.Band = "40";
    EXPECT_EQ(RecentContactRow(log, 1),
              QStringList({"1", "K1ABC", "12", "Larkmoor", "007", "09/15 14:01", "CW", "40"}));
}
