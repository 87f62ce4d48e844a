// The spot table: label texts of calls, and how spots move through the 50 slots.
#include "spotting/DXSpotTable.h"

#include <gtest/gtest.h>

using namespace tylog;

namespace {

TEST(SpotLabelPrefix, ShortLabelOfACall) {
    const std::pair<const char*, const char*> cases[] = {
        {"Q1ABC", "Q1"},      {"QA3XYZ", "QA3"},  {"QA3/Q1ABC", "QA3"}, {"Q1ABC/4", "Q4"},
        {"Q1ABC/P", "P"},     {"Q1ABC/QRP", "QR"}, {"QX", ""},          {"QXZ", "QXZ"},
        {"Q12ABC", "Q12"},    {"Q1ABC/", ""},     {"QA/Q1AB", "QA"}, // slash in the first half
    };
    for (auto [call, label] : cases) EXPECT_EQ(SpotLabelPrefix(call), label) << call;
}

class StoreSpotTest : public ::testing::Test {
protected:
    void store(const QString& call, float mhz) { StoreSpot(table, call, mhz, t0.addSecs(++n)); }
    DXSpotTableData table;
    QDateTime t0{QDate(2013, 9, 15), QTime(9, 0, 0)};
    int n = 0;
};

TEST_F(StoreSpotTest, NewestInSlot49AndTheOldestDropsOut) {
    store("Q1AAA", 14.025f);
    EXPECT_EQ(table.Call[49], "Q1AAA");
    EXPECT_FLOAT_EQ(table.Freq[49], 14.025f);
    EXPECT_EQ(table.Time[49], t0.addSecs(1));
    EXPECT_EQ(table.Prefix[49], "Q1");
    for (int i = 0; i < 49; ++i) EXPECT_EQ(table.Freq[i], 0) << i;

    for (int i = 2; i <= 51; ++i) store(QString("Q%1X").arg(i), 7.0f + i / 1000.0f);
    // 51 spots: the first has dropped out, the second is the oldest.
    EXPECT_EQ(table.Call[0], "Q2X");
    EXPECT_EQ(table.Call[49], "Q51X");
    for (int i = 0; i < 50; ++i) EXPECT_NE(table.Call[i], "Q1AAA");
    EXPECT_TRUE(table.Call[50].isEmpty());
    EXPECT_TRUE(table.Call[51].isEmpty());
}

TEST_F(StoreSpotTest, ARespotRemovesOnlyTheStationsNewestEarlierSpot) {
    store("Q1ABC", 14.025f);
    store("Q2XYZ", 7.010f);
    store("Q1ABC", 21.020f); // another band: still the same station
    store("q1abc", 14.030f); // any letter case
    EXPECT_FLOAT_EQ(table.Freq[49], 14.030f);
    EXPECT_EQ(table.Freq[48], 0);         // the 21 MHz spot, cleared by the last one
    EXPECT_FLOAT_EQ(table.Freq[47], 7.010f);
    EXPECT_EQ(table.Freq[46], 0);         // cleared by the 21 MHz spot
}

TEST_F(StoreSpotTest, ASpotThatReachedSlot0KeepsItsFrequency) {
    store("Q1ABC", 14.025f);
    for (int i = 0; i < 48; ++i) store(QString("Q%1Z").arg(i), 7.0f);
    ASSERT_EQ(table.Call[1], "Q1ABC");
    store("Q1ABC", 14.030f); // the earlier spot moves into slot 0, which is not searched
    EXPECT_EQ(table.Call[0], "Q1ABC");
    EXPECT_FLOAT_EQ(table.Freq[0], 14.025f);
}

} // namespace
