// The spectrum map's rules: the row of a frequency, the zoom of a row to its spots and the captions it
// gives, and the labels a redraw shows (placement, age colours, where the pass ends).
#include "spotting/SpectrumRules.h"
#include "spotting/SpotRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace tylog;

namespace {

struct Slot {
    int slot;
    float mhz;
};

DXSpotTableData tableWith(const std::vector<Slot>& spots, const QDateTime& at = QDateTime(QDate(2013, 9, 15), QTime(12, 0))) {
    DXSpotTableData t;
    for (const Slot& s : spots) {
        t.Call[static_cast<size_t>(s.slot)] = QString("Q%1AB").arg(s.slot);
        t.Prefix[static_cast<size_t>(s.slot)] = QString("Q%1").arg(s.slot);
        t.Freq[static_cast<size_t>(s.slot)] = s.mhz;
        t.Time[static_cast<size_t>(s.slot)] = at;
    }
    return t;
}

QString captions(int row, const DXSpotTableData& t) {
    const SpectrumScale s = SpectrumRowScale(row, t);
    return QStringList(s.captions.begin(), s.captions.end()).join(' ');
}

TEST(SpectrumRules, AFrequencyLiesOnARowOnlyStrictlyInsideItsEdges) {
    const std::pair<float, int> cases[] = {
        {1.85f, 0},  {3.7f, 1},           {7.15f, 2},   {10.12f, 3},  {14.025f, 4}, {18.1f, 5},  {21.2f, 6},
        {24.9f, 7},  {28.5f, 8},          {50.1f, 9},   {146.f, 10},  {1.8f, -1},   {14.f, -1},  {14.35f, -1},
        {7.3f, -1},  {float(18068 / 1000.0), -1},       {5.f, -1},    {222.f, -1},  {440.f, -1}, {0.f, -1},
    };
    for (auto [mhz, row] : cases) EXPECT_EQ(SpectrumRowOf(mhz), row) << mhz;
}

TEST(SpectrumRules, RowsZoomToTheSpreadOfTheirSpotsInSlotsOneToFortyNine) {
    const struct {
        const char* what;
        std::vector<Slot> spots;
        int row;
        const char* captions;
    } cases[] = {
        {"empty, 160 m", {}, 0, "1.800 1.850 1.900 1.950 2.000"},
        {"empty, 30 m: single-precision edges", {}, 3, "10.100 10.113 10.125 10.137 10.150"},
        {"empty, 20 m", {}, 4, "14.000 14.088 14.175 14.263 14.350"},
        {"empty, 6 m", {}, 9, "50.000 51.000 52.000 53.000 54.000"},
        {"empty, 2 m", {}, 10, "144.000 145.000 146.000 147.000 148.000"},
        {"two spots", {{48, 14.025f}, {49, 14.030f}}, 4, "14.024 14.026 14.027 14.029 14.031"},
        {"one spot", {{49, 14.025f}}, 4, "14.000 14.088 14.175 14.263 14.350"},
        {"three on one frequency", {{20, 14.025f}, {30, 14.025f}, {49, 14.025f}}, 4, "14.000 14.088 14.175 14.263 14.350"},
        {"one of the two in slot 0", {{0, 14.025f}, {49, 14.030f}}, 4, "14.000 14.088 14.175 14.263 14.350"},
        {"a spot on the low edge", {{48, 14.000f}, {49, 14.030f}}, 4, "14.000 14.088 14.175 14.263 14.350"},
        {"a spot on the high edge", {{48, 14.350f}, {49, 14.030f}}, 4, "14.000 14.088 14.175 14.263 14.350"},
        {"18068 kHz is the 17 m edge", {{48, float(18068 / 1000.0)}, {49, 18.1f}}, 5, "18.068 18.093 18.118 18.143 18.168"},
        {"spots of other rows", {{48, 7.01f}, {49, 14.030f}}, 4, "14.000 14.088 14.175 14.263 14.350"},
        {"removed spots", {{47, 0.f}, {48, 0.f}, {49, 14.030f}}, 4, "14.000 14.088 14.175 14.263 14.350"},
    };
    for (const auto& c : cases) EXPECT_EQ(captions(c.row, tableWith(c.spots)), c.captions) << c.what;

    // The zoomed edges are held as singles: 0.001 beyond the outermost spots.
    float hi = 14.35f, lo = 14.f;
    ZoomBandToSpots(hi, lo, tableWith({{10, 14.030f}, {40, 14.025f}, {45, 14.027f}}));
    EXPECT_EQ(hi, static_cast<float>(double(14.030f) + 0.001));
    EXPECT_EQ(lo, static_cast<float>(double(14.025f) - 0.001));
}

// Rows 4 (20 m) and 2 (40 m) of a window 8760 twips wide per axis, their ranges read back from
// captions as the window reads them.
std::array<SpectrumAxis, SpectrumRowCount> axesFor(const DXSpotTableData& t) {
    std::array<SpectrumAxis, SpectrumRowCount> axes;
    for (int k = 0; k < SpectrumRowCount; ++k) {
        const SpectrumScale s = SpectrumRowScale(k, t);
        axes[static_cast<size_t>(k)] = {360, 9120, 360.0 + 600 * k, s.captions[0].toDouble(), s.captions[4].toDouble()};
    }
    return axes;
}

const QDateTime kNow(QDate(2013, 9, 15), QTime(12, 0));

TEST(SpectrumRules, LabelsStandOnTheirRowAtTheirFrequencyColouredByAge) {
    DXSpotTableData t = tableWith({{48, 14.030f}, {49, 14.025f}});
    t.Time[49] = kNow.addSecs(-120);
    t.Time[48] = kNow.addSecs(-720);
    const auto labels = PlanSpectrumLabels(t, axesFor(t), 600, 180, kNow);

    EXPECT_TRUE(labels[49].shown);
    EXPECT_TRUE(labels[48].shown);
    EXPECT_EQ(labels[49].color, SpotNewColor);
    EXPECT_EQ(labels[48].color, SpotMidColor);
    EXPECT_DOUBLE_EQ(labels[49].top, 360 + 600 * 4 - 180);
    // 14.025 on 14.024 .. 14.031: a seventh of the way along the axis, the label centred there.
    EXPECT_NEAR(labels[49].left + 300, 360 + 8760.0 / 7, 0.5);
    EXPECT_NEAR(labels[48].left + 300, 360 + 8760.0 * 6 / 7, 0.5);
    for (int i = 0; i < 48; ++i) EXPECT_FALSE(labels[static_cast<size_t>(i)].shown) << i;
}

TEST(SpectrumRules, TheFirstSlotAnHourOldEndsThePassWhateverTheOlderSlotsHold) {
    const struct {
        const char* what;
        int ageOf47;
        float mhzOf47;
        bool shown47;
    } cases[] = {
        {"59:59 is silver and shown", 3599, 14.02f, true},
        {"60:00 ends the pass", 3600, 14.02f, false},
        {"a removed spot an hour old ends it too", 3600, 0.f, false},
        {"a spot on no row is hidden but does not end it", 60, 0.f, false},
    };
    for (const auto& c : cases) {
        DXSpotTableData t = tableWith({{46, 7.01f}, {47, c.mhzOf47}, {48, 14.03f}, {49, 14.025f}}, kNow);
        t.Time[47] = kNow.addSecs(-c.ageOf47);
        t.Time[46] = kNow; // newer than its slot says, after the clock was put back
        const auto labels = PlanSpectrumLabels(t, axesFor(t), 600, 180, kNow);
        EXPECT_EQ(labels[47].shown, c.shown47) << c.what;
        if (c.shown47) {
            EXPECT_EQ(labels[47].color, SpotOldColor) << c.what;
        }
        const bool passGoesOn = c.ageOf47 < 3600;
        EXPECT_EQ(labels[46].shown, passGoesOn) << c.what;
        EXPECT_TRUE(labels[48].shown && labels[49].shown) << c.what;
    }
}

TEST(SpectrumRules, ASlotZeroSpotIsPlacedBeyondTheZoomedAxisAndARowWithoutARangePlacesNothing) {
    // Slots 1 to 47 hold removed spots, so the pass reaches slot 0.
    std::vector<Slot> spots{{0, 14.100f}, {48, 14.030f}, {49, 14.025f}};
    for (int i = 1; i <= 47; ++i) spots.push_back({i, 0.f});
    DXSpotTableData t = tableWith(spots, kNow);
    auto axes = axesFor(t);
    auto labels = PlanSpectrumLabels(t, axes, 600, 180, kNow);
    EXPECT_TRUE(labels[0].shown);
    EXPECT_GT(labels[0].left, 9120) << "right of the line's end";

    // Captions that do not read back as a positive range (never written, or equal) would divide by
    // nothing: that row shows none of its spots, the others go on.
    t.Freq[0] = 7.05f;
    for (const auto& [lo, hi] : std::vector<std::pair<double, double>>{{0, 0}, {14.03, 14.03}, {14.05, 14.02}}) {
        axes = axesFor(t);
        axes[4].lo = lo;
        axes[4].hi = hi;
        labels = PlanSpectrumLabels(t, axes, 600, 180, kNow);
        EXPECT_FALSE(labels[49].shown) << lo << " " << hi;
        EXPECT_FALSE(labels[48].shown) << lo << " " << hi;
        EXPECT_TRUE(labels[0].shown) << "40 m still shows its spot";
    }
}

TEST(SpectrumRules, LabelsKeepTheirSpotsAsTheSpotsMoveDownTheTable) {
    // A full table of young spots, each label showing its own slot.
    DXSpotTableData t;
    for (int s = 0; s <= 49; ++s) StoreSpot(t, QString("Q%1AA").arg(s), 14.001f + 0.006f * s, kNow);
    std::array<SpotOnLabel, 50> onLabel;
    for (int s = 0; s <= 49; ++s) onLabel[static_cast<size_t>(s)] = SpotInSlot(t, s);

    // One more spot, and the spot of slot 20 is removed: the oldest drops out.
    StoreSpot(t, "Q99ZZ", 14.3f, kNow);
    t.Freq[20] = 0;
    const auto labelOf = AssignSpotLabels(onLabel, t, PlanSpectrumLabels(t, axesFor(t), 600, 180, kNow));
    for (int s = 0; s <= 48; ++s) {
        if (s == 20) {
            EXPECT_EQ(labelOf[20], -1) << "a removed spot has no label";
        } else {
            EXPECT_EQ(labelOf[static_cast<size_t>(s)], s + 1) << "slot " << s << " keeps the label it had as slot " << s + 1;
        }
    }
    EXPECT_TRUE(labelOf[49] == 0 || labelOf[49] == 21) << "the new spot takes a label left over: " << labelOf[49];

    // Labels shown by nobody yet are handed out one each.
    const auto first = AssignSpotLabels({}, t, PlanSpectrumLabels(t, axesFor(t), 600, 180, kNow));
    std::vector<int> used;
    for (int li : first)
        if (li >= 0) used.push_back(li);
    std::sort(used.begin(), used.end());
    EXPECT_EQ(used.size(), 49u);
    EXPECT_EQ(std::adjacent_find(used.begin(), used.end()), used.end()) << "no label twice";
}

TEST(SpectrumRules, TipsGiveTheUtcTimeOfReceipt) {
    const QDateTime local(QDate(2013, 9, 15), QTime(13, 5, 10));
    EXPECT_EQ(SpectrumSpotTip("Q1ABC", 14.025f, local, 5), "Q1ABC  14.025  18:05:10");
    EXPECT_EQ(SpectrumSpotTip("Q1ABC", 7.0f, QDateTime(QDate(2013, 9, 15), QTime(23, 30)), 1), "Q1ABC  7.000  00:30:00");
    EXPECT_EQ(SpectrumSpotTip("Q1ABC", 3.5f, QDateTime(QDate(2013, 9, 15), QTime(1, 0)), -5), "Q1ABC  3.500  20:00:00");
}

} // namespace
