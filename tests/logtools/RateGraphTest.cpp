// The QSO-rate graph's computation: the slots, axis texts, colours and drawing of a small known log on
// both backgrounds, and the logs that end the drawing early (too few contacts, no time span, a flat
// curve, a slot outside the arrays, an unreadable time, a point outside the drawing area).
#include "logtools/RateGraph.h"
#include "platform/vb/Color.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace tylog;
using Kind = vb::DrawItem::Kind;

namespace {

const QDateTime kStart(QDate(2013, 9, 15), QTime(23, 50, 0), Qt::UTC);

// Contacts at the given seconds after kStart, on the given bands.
ContactLogData logAt(const std::vector<std::pair<int, const char*>>& contacts) {
    ContactLogData log;
    for (const auto& [seconds, band] : contacts) {
        ContactRecord& r = log.Rec[static_cast<size_t>(++log.Count)];
        const QDateTime t = kStart.addSecs(seconds);
        r.Date = t.toString("yyyy/MM/dd");
        r.Time = t.toString("hh:mm:ss");
        r.Band = band;
    }
    return log;
}

ContactLogData logAt(const std::vector<int>& seconds) {
    std::vector<std::pair<int, const char*>> c;
    for (int s : seconds) c.emplace_back(s, "20");
    return logAt(c);
}

// A span of 1500 s, so one slot is one second: slots 1, 10, 11 (twice), 40, 640, 1239 and 1500.
ContactLogData knownLog() {
    return logAt({{0, "20"}, {10, "20"}, {11, "40"}, {11, "160"}, {40, "80"}, {640, "6"}, {1239, "2"}, {1500, "10"}});
}

const long kGreen = vb::RGB(0, 255, 0), kBlue = vb::RGB(0, 0, 255), kWhite = vb::RGB(255, 255, 255);
const long kYellow = vb::RGB(255, 255, 0), kMagenta = vb::RGB(255, 0, 255), kBlack = 0;

const vb::DrawItem* itemAt(const RateGraph& g, Kind kind, double x1) {
    for (const vb::DrawItem& d : g.Drawing)
        if (d.kind == kind && std::abs(d.x1 - x1) < 1e-6) return &d;
    return nullptr;
}

void expectItem(const vb::DrawItem* d, Kind kind, double x1, double y1, double x2, double y2, long color) {
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->kind, kind);
    EXPECT_NEAR(d->x1, x1, 1e-6);
    EXPECT_NEAR(d->y1, y1, 1e-6);
    EXPECT_NEAR(d->x2, x2, 1e-6);
    EXPECT_NEAR(d->y2, y2, 1e-6);
    EXPECT_EQ(d->color, color);
}

} // namespace

TEST(RateGraph, KnownLogGivesItsSlotsAxesAndDrawing) {
    const RateGraph g = ComputeRateGraph(knownLog(), kBlack);
    ASSERT_EQ(g.End, RateGraphEnd::Drawn);
    EXPECT_EQ(g.SpanSeconds, 1500);
    EXPECT_DOUBLE_EQ(g.SlotSeconds, 1.0);

    // Six times the contacts of the ten minutes up to each one; the later contact of slot 11 wins; a
    // contact 600 s after the one before counts 1, one 599 s after that counts 2.
    const std::pair<int, float> rates[] = {{1, 6}, {10, 12}, {11, 24}, {40, 30}, {640, 6}, {1239, 12}, {1500, 12}};
    for (const auto& [slot, rate] : rates) EXPECT_FLOAT_EQ(g.Rate[slot], rate) << "slot " << slot;
    // Silences of up to 15 slots are bridged by a ramp from the slot before; longer ones stay 0.
    const std::pair<int, float> bridged[] = {{2, 6}, {9, 11.25f}, {12, 0}, {24, 0}, {25, 0}, {26, 2},
                                             {39, 28}, {626, 0.4f}, {1484, 0}, {1499, 11.2f}};
    for (const auto& [slot, rate] : bridged) EXPECT_FLOAT_EQ(g.Rate[slot], rate) << "slot " << slot;
    // The trailing mean of the rates above 0 over seven slots, from slot 7; slot 1 stays 6.
    const std::pair<int, float> smoothed[] = {{1, 6}, {2, 6}, {6, 9}, {7, 53.25f / 7}, {11, 84.75f / 7}, {12, 12.75f},
                                              {17, 24}, {18, 0}, {40, 24}, {46, 30}, {47, 0}, {1500, 9.6f}};
    for (const auto& [slot, rate] : smoothed) EXPECT_FLOAT_EQ(g.Smoothed[slot], rate) << "slot " << slot;
    EXPECT_EQ(g.Lowest, 0);
    EXPECT_EQ(g.Highest, 30);

    EXPECT_EQ(g.TimeLabels, QStringList({"23:50", "23:51", "23:53", "23:55", "23:57", "23:58", "00:00", "00:02",
                                         "00:04", "00:06", "00:07", "00:09", "00:11", "00:13", "00:15"}));
    EXPECT_EQ(g.DateLabels, QStringList({"09/15", "09/15", "09/15", "09/15", "09/15", "09/15", "09/16", "09/16",
                                         "09/16", "09/16", "09/16", "09/16", "09/16", "09/16", "09/16"}));
    // Steps of 1.875; the halves (11.25, 18.75, 26.25) round up.
    EXPECT_EQ(g.RateLabels, QStringList({"0.0", "1.9", "3.8", "5.6", "7.5", "9.4", "11.3", "13.1", "15.0", "16.9",
                                         "18.8", "20.6", "22.5", "24.4", "26.3", "28.1", "30.0"}));

    // The design frame: a step of 5.84 per slot, slot i at 490 + (i - 2) * 5.84; a rate v at
    // 5865.6 - 191.04 * v, so 30 lies 0.25 % of the plot height under the top line.
    const long curve = RateGraphCurveColor;
    ASSERT_GE(g.Drawing.size(), 2u);
    expectItem(&g.Drawing[0], Kind::Line, 484.16, 4719.36, 478.32, 5865.6, curve); // slot 0 counts as 0
    expectItem(&g.Drawing[1], Kind::FilledBox, 484.16, 5900, 478.32, 6000, kGreen);
    expectItem(itemAt(g, Kind::Line, 746.96), Kind::Line, 746.96, 134.4, 741.12, 325.44, curve); // slot 46
    expectItem(itemAt(g, Kind::FilledBox, 746.96), Kind::FilledBox, 746.96, 5900, 741.12, 6000, kBlue);
    expectItem(&g.Drawing.back(), Kind::FilledBox, 9238.32, 5900, 9232.48, 6000, kMagenta); // slot 1500
    // Slot 18 drops to 0 from 17 and keeps a bar; slot 19 follows a 0 and has none, only its line.
    EXPECT_NE(itemAt(g, Kind::FilledBox, 490 + 16 * 5.84), nullptr);
    EXPECT_EQ(itemAt(g, Kind::FilledBox, 490 + 17 * 5.84), nullptr);
    EXPECT_NE(itemAt(g, Kind::Line, 490 + 17 * 5.84), nullptr);
    EXPECT_EQ(std::count_if(g.Drawing.begin(), g.Drawing.end(), [](const auto& d) { return d.kind == Kind::Line; }),
              1500);
}

TEST(RateGraph, StripColoursCarryTheLastBandUntilTheCurveDrops) {
    // Slot 11's last contact is on 160 m: white, which on the white background takes the running colour.
    const struct {
        long back;
        std::vector<std::pair<int, long>> colors;
    } cases[] = {
        {kBlack, {{1, kGreen}, {5, kGreen}, {10, kGreen}, {11, kWhite}, {17, kWhite}, {18, kBlack}, {26, kBlack},
                  {40, kBlue}, {46, kBlue}, {640, kYellow}, {646, kYellow}, {1239, kYellow}, {1500, kMagenta}}},
        {kWhite, {{1, kGreen}, {11, kGreen}, {17, kGreen}, {18, kWhite}, {26, kWhite}, {40, kBlue}, {1500, kMagenta}}},
    };
    for (const auto& c : cases) {
        const RateGraph g = ComputeRateGraph(knownLog(), c.back);
        ASSERT_EQ(g.End, RateGraphEnd::Drawn);
        for (const auto& [slot, color] : c.colors)
            EXPECT_EQ(g.SlotColor[slot], color) << "slot " << slot << " on background " << c.back;
    }

    const std::pair<const char*, long> bands[] = {{"160", kWhite}, {"80", kBlue}, {"40", vb::RGB(255, 0, 0)},
                                                  {"20", kGreen}, {"15", vb::RGB(128, 255, 255)}, {"10", kMagenta},
                                                  {"6", kYellow}, {"2", kYellow}, {"20 ", kYellow}, {"", kYellow}};
    for (const auto& [band, color] : bands) EXPECT_EQ(RateGraphBandColor(band), color) << '"' << band << '"';
}

TEST(RateGraph, DegenerateLogsEndTheDrawingWithoutDividingByZeroOrLeavingTheCanvas) {
    std::vector<int> tenMinutes, nearlyFlat;
    for (int k = 0; k <= 100; ++k) {
        tenMinutes.push_back(600 * k);
        nearlyFlat.push_back(600 * k - (k > 50 ? 1 : 0)); // one contact 599 s after the one before
    }
    const struct {
        const char* what;
        ContactLogData log;
        RateGraphEnd end;
        int record;
        bool timeAxis, rateAxis;
    } cases[] = {
        {"six contacts", logAt({0, 10, 20, 30, 40, 50}), RateGraphEnd::TooFewContacts, 0, false, false},
        {"seven contacts", logAt({0, 10, 20, 30, 40, 50, 60}), RateGraphEnd::Drawn, 0, true, true},
        {"all in one second", logAt({5, 5, 5, 5, 5, 5, 5}), RateGraphEnd::ZeroSpan, 0, true, false},
        {"every contact ten minutes apart: all rates 6", logAt(tenMinutes), RateGraphEnd::FlatRates, 0, true, true},
        {"nearly flat and never 0: slot 0 far below", logAt(nearlyFlat), RateGraphEnd::OffCanvas, 0, true, true},
        {"a contact an hour before the first", logAt({0, 100, -3600, 300, 400, 500, 1500}),
         RateGraphEnd::SlotOutOfRange, 3, true, false},
        {"a contact on slot 1601", logAt({0, 100, 200, 1601, 400, 500, 1500}), RateGraphEnd::SlotOutOfRange, 4, true,
         false},
        {"a contact on slot 1600 is kept", logAt({0, 100, 200, 1600, 400, 500, 1500}), RateGraphEnd::Drawn, 0, true,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RateGraph g = ComputeRateGraph(c.log, kBlack);
        EXPECT_EQ(g.End, c.end);
        EXPECT_EQ(g.Record, c.record);
        EXPECT_EQ(g.TimeLabels.size(), c.timeAxis ? 15 : 0);
        EXPECT_EQ(g.DateLabels.size(), c.timeAxis ? 15 : 0);
        EXPECT_EQ(g.RateLabels.size(), c.rateAxis ? 17 : 0);
        EXPECT_EQ(g.Drawing.empty(), c.end != RateGraphEnd::Drawn);
        for (const vb::DrawItem& d : g.Drawing)
            for (const auto& [x, y] : {std::pair{d.x1, d.y1}, std::pair{d.x2, d.y2}}) {
                ASSERT_TRUE(x >= 0 && x <= 9600 && y >= 0 && y <= 7200) << x << "," << y;
            }
    }
    EXPECT_EQ(ComputeRateGraph(logAt({5, 5, 5, 5, 5, 5, 5}), kBlack).TimeLabels, QStringList(15, "23:50"));
    EXPECT_EQ(ComputeRateGraph(logAt(tenMinutes), kBlack).RateLabels, QStringList(17, "6.0"));
}

TEST(RateGraph, UnreadableTimeEndsTheDrawing) {
    const struct {
        int record;
        bool timeAxis;
    } cases[] = {{1, false}, {4, true}, {7, false}};
    for (const auto& c : cases) {
        ContactLogData log = logAt({0, 10, 20, 30, 40, 50, 60});
        log.Rec[static_cast<size_t>(c.record)].Time = "25:99";
        const RateGraph g = ComputeRateGraph(log, kBlack);
        EXPECT_EQ(g.End, RateGraphEnd::BadTime) << c.record;
        EXPECT_EQ(g.Record, c.record);
        EXPECT_EQ(g.TimeLabels.size(), c.timeAxis ? 15 : 0) << c.record;
        EXPECT_TRUE(g.RateLabels.isEmpty());
        EXPECT_TRUE(g.Drawing.empty());
    }
}
