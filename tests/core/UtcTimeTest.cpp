// Local wall time to UTC by the station's offset.
#include "core/UtcTime.h"

#include <gtest/gtest.h>

using namespace tylog;

namespace {

TEST(UtcTime, UtcFromLocalCrossesMidnight) {
    const QDateTime a = UtcFromLocal(QDateTime(QDate(2013, 3, 16), QTime(21, 30, 10)), 5);
    EXPECT_EQ(a.toString("yyyy/MM/dd hh:mm:ss"), "2013/03/17 02:30:10");
    const QDateTime b = UtcFromLocal(QDateTime(QDate(2013, 3, 16), QTime(1, 0, 0)), -2);
    EXPECT_EQ(b.toString("yyyy/MM/dd hh:mm:ss"), "2013/03/15 23:00:00");
    const QDateTime c = UtcFromLocal(QDateTime(QDate(2013, 3, 16), QTime(1, 0, 0)), 5.5f);
    EXPECT_EQ(c.toString("hh:mm"), "06:30");
}

} // namespace
