// Spots fed to the out-of-state window as the spotting window feeds them (through Form1): the spot
// table, the spot list, the spot area and the band map, driven with the mouse where the operator
// would use it.
#include "logging/Dispatcher.h"
#include "core/ReferenceTables.h"
#include "spotting/SpotRules.h"
#include "spotting/DXSpotTable.h"
#include "tests/logging/OutfrmFixture.h"
#include "tests/logging/SpotFeed.h"
#include "tests/support/LinkDoubles.h"

#include <QHeaderView>
#include <QTreeWidget>

using namespace tylog;
using namespace tylog::testing;

namespace {

class OutfrmSpotsTest : public OutfrmFixture {
protected:
    void SetUp() override {
        OutfrmFixture::SetUp();
        Station.CurrentMode = "CW";
        Station.RigType = "None";
        AddSpotPrefixes();
    }

    // The wall clock, seconds after 09:01:02 local on the contest day.
    static void at(int seconds) { Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(9, 1, 2).addSecs(seconds)), 5); }

    // The spot area opened on the view the spotting window asks for.
    OutfrmWindow& openWith(bool list) {
        OutfrmWindow& w = open();
        spotting.transport = "Telnet";
        spotting.optList = list;
        Form1().PacketResize();
        Pump();
        return w;
    }

    static std::vector<int> shownSpotLabels(OutfrmWindow& w) {
        std::vector<int> shown;
        for (int i = 0; i < 50; ++i)
            if (w.lblDXSpot[i].Visible()) shown.push_back(i);
        return shown;
    }

    static double labelCentre(const vb::Label& l) { return l.Left() + l.Width() / 2; }

    ScriptedSpotting spotting;
    RecordingRadio radio;
};

TEST_F(OutfrmSpotsTest, SpotsAreStoredAndListedNewestFirst) {
    OutfrmWindow& w = open();
    feed(clusterSpot("14025.0", "Q1ABC", "CW up 2", "1401", "W3LPL", "Q1", "FN20"));
    at(30);
    feed(clusterSpot("7023.5", "W7XX", "599 strong signal", "1402", "VE7CC-1"));

    EXPECT_EQ(DXSpotTable.Call[49], "W7XX");
    EXPECT_FLOAT_EQ(DXSpotTable.Freq[49], 7.0235f);
    EXPECT_EQ(DXSpotTable.Time[49], QDateTime(QDate(2013, 9, 15), QTime(9, 1, 32)));
    EXPECT_EQ(DXSpotTable.Prefix[49], "W7");
    EXPECT_EQ(DXSpotTable.Call[48], "Q1ABC");
    EXPECT_FLOAT_EQ(DXSpotTable.Freq[48], 14.025f);
    EXPECT_EQ(DXSpotTable.Freq[47], 0);

    ASSERT_EQ(w.txtDX.ItemCount(), 2);
    const QStringList newest = {"W7XX", "7.0235", "Westland", "", "de VE7CC-1:  599 strong signal", "", "1402", ""};
    const QStringList older = {"Q1ABC", "14.025", "First Isles", "", "de W3LPL:  CW up 2", "Q1", "1401", "FN20"};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(w.txtDX.ItemText(0, c), newest[c]) << c;
        EXPECT_EQ(w.txtDX.ItemText(1, c), older[c]) << c;
    }
    EXPECT_EQ(w.txtDX.ColumnAlignment(1), 1); // frequencies to the right
    EXPECT_EQ(w.txtDX.ColumnAlignment(3), 2); // status centred
    EXPECT_EQ(w.txtDX.tree()->header()->sectionSize(3), 0); // and taking no room
    // The list fills whatever the spot area shows: here it is still closed.
    EXPECT_FALSE(w.txtDX.Visible());
}

TEST_F(OutfrmSpotsTest, ListTextOfTheFrequencyAndCutRecords) {
    OutfrmWindow& w = open();
    const std::pair<const char*, const char*> cases[] = {
        {"14025.0", "14.025"}, {"7023.5", "7.0235"}, {"14000", "14"}, {"1838.", "1.838"}, {"50313.123", "50.313123"}};
    for (auto [khz, text] : cases) {
        feed("Q1ABC", khz);
        EXPECT_EQ(w.txtDX.ItemText(0, 1), text) << khz;
    }
    // A carriage return ends the record; columns past its end are short or empty.
    feed("Q1ABC", "14025", "de W3LPL:     14025.0  Q1ABC\r       CW up 2                  1401Z FN20");
    EXPECT_EQ(w.txtDX.ItemText(0, 4), "de W3LPL:  ");
    EXPECT_EQ(w.txtDX.ItemText(0, 6), "");
    feed("Q1ABC", "14025", "de W3LPL:     14025.0  Q1ABC        CW up 2");
    EXPECT_EQ(w.txtDX.ItemText(0, 4), "de W3LPL:  CW up 2");
    EXPECT_EQ(w.txtDX.ItemText(0, 6), "");
}

TEST_F(OutfrmSpotsTest, TheTableKeepsFiftySpotsAndTheList200Rows) {
    OutfrmWindow& w = open();
    for (int i = 1; i <= 201; ++i) feed(QString("Q%1A").arg(i), QString::number(14000 + i));
    EXPECT_EQ(DXSpotTable.Call[49], "Q201A");
    EXPECT_EQ(DXSpotTable.Call[0], "Q152A");
    ASSERT_EQ(w.txtDX.ItemCount(), 200);
    EXPECT_EQ(w.txtDX.ItemText(0), "Q201A");
    EXPECT_EQ(w.txtDX.ItemText(199), "Q2A");
}

TEST_F(OutfrmSpotsTest, ARespotKeepsBothRowsButClearsTheEarlierSlot) {
    OutfrmWindow& w = open();
    feed("Q1ABC", "14025");
    feed("Q2XYZ", "14030");
    feed("q1abc", "21025");
    EXPECT_EQ(DXSpotTable.Freq[47], 0);
    EXPECT_FLOAT_EQ(DXSpotTable.Freq[48], 14.030f);
    EXPECT_EQ(w.txtDX.ItemCount(), 3);
    EXPECT_EQ(w.txtDX.ItemText(0), "q1abc");
    EXPECT_EQ(w.txtDX.ItemText(2), "Q1ABC");
}

TEST_F(OutfrmSpotsTest, SpotFieldsFromTheNetworkAreCheckedStrictly) {
    OutfrmWindow& w = openWith(false);
    const char* const badFrequencies[] = {"", "abc", "14,025", "1.2.3", "-14025", "+14025", "0", "0.000", ".",
                                          "1e4", "&H3AC9", " 14025", "14025 ", "14025\r\n"};
    for (const char* khz : badFrequencies) feed("Q1ABC", khz);
    feed("Q1ABC", QString("1") + QString(400, '0'));    // not a number a single can hold
    feed("Q1ABC", "0." + QString(60, '0') + "1");        // too small to be anything but 0
    for (const QString& call : {QString(), QString(" \t"), QString("\"\""), QString("\r\n")}) feed(call, "14025");
    EXPECT_EQ(w.txtDX.ItemCount(), 0);
    for (int i = 0; i < 52; ++i) EXPECT_TRUE(DXSpotTable.Call[i].isEmpty()) << i;

    // Control characters, blanks and double quotes never reach the table, the list or the entry line.
    feed(QString("Q1\x01" "A\"B C\x7f\t"), "14025.5");
    EXPECT_EQ(DXSpotTable.Call[49], "Q1ABC");
    EXPECT_EQ(w.txtDX.ItemText(0), "Q1ABC");
    EXPECT_EQ(w.lblDXSpot[49].ToolTipText().left(7), "Q1ABC  ");
    QTest::mouseClick(w.lblDXSpot[49].widget(), Qt::RightButton);
    EXPECT_EQ(w.txtCall.Text(), "Q1ABC");
}

TEST_F(OutfrmSpotsTest, PacketResizeOpensSwitchesAndClosesTheSpotArea) {
    OutfrmWindow& w = open();
    vb::Control* const boxes[] = {&w.txtCall, &w.ListView1, &w.lblDupe, &w.cmdLogOn, &w.lblDXSpot[7]};
    std::vector<std::pair<double, double>> before;
    for (vb::Control* c : boxes) before.emplace_back(c->Top(), c->Height());
    const double line3 = w.Line3.Y1(), left = w.txtCall.Left(), width = w.txtCall.Width();

    // Spotting off while the area is closed: nothing moves.
    Form1().PacketResize();
    EXPECT_EQ(w.txtCall.Top(), before[0].first);

    // The area will start below the lowest label, box, button or list (hidden ones too) once squeezed.
    const vb::Kind boxKinds[] = {vb::Kind::Label, vb::Kind::TextBox, vb::Kind::CommandButton, vb::Kind::ListBox,
                                 vb::Kind::ListView};
    double bottom = 0;
    for (vb::Control* c : w.Controls())
        if (std::find(std::begin(boxKinds), std::end(boxKinds), c->kind()) != std::end(boxKinds))
            bottom = std::max(bottom, c->Top() * 0.9 + c->Height() * 0.9);

    // Open on the list: the other controls make room, squeezed to 0.9 from the top.
    spotting.transport = "Telnet";
    Form1().PacketResize();
    for (size_t i = 0; i < std::size(boxes); ++i) {
        EXPECT_DOUBLE_EQ(boxes[i]->Top(), before[i].first * 0.9) << i;
        EXPECT_DOUBLE_EQ(boxes[i]->Height(), before[i].second * 0.9) << i;
    }
    EXPECT_DOUBLE_EQ(w.Line3.Y1(), line3 * 0.9);
    EXPECT_EQ(w.txtCall.Left(), left);
    EXPECT_EQ(w.txtCall.Width(), width);
    EXPECT_DOUBLE_EQ(w.List1.Top() + w.List1.Height(), w.Line3.Y1());
    EXPECT_DOUBLE_EQ(w.txtDX.Top(), bottom);
    EXPECT_DOUBLE_EQ(w.txtDX.Height(), w.ScaleHeight() - bottom);
    EXPECT_DOUBLE_EQ(w.txtDX.Left(), 0.01 * w.Width());
    EXPECT_DOUBLE_EQ(w.txtDX.Width(), 0.97 * w.Width());
    EXPECT_EQ(w.lblDX.Top(), w.txtDX.Top());
    EXPECT_EQ(w.lblDX.Height(), w.txtDX.Height());
    EXPECT_TRUE(w.txtDX.Visible());
    EXPECT_FALSE(w.lblDX.Visible());
    EXPECT_FALSE(Form1().lblDX.Visible());

    // The axis across the middle of the panel, the scale just below it, centred at the quarters.
    const double inset = w.lblDXSpot[0].Width() / 2;
    EXPECT_DOUBLE_EQ(w.LineDX.X1(), w.lblDX.Left() + inset);
    EXPECT_DOUBLE_EQ(w.LineDX.X2(), w.lblDX.Left() + w.lblDX.Width() - inset);
    EXPECT_DOUBLE_EQ(w.LineDX.Y1(), w.lblDX.Top() + w.lblDX.Height() / 2);
    EXPECT_EQ(w.LineDX.Y2(), w.LineDX.Y1());
    for (int i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(w.lblFreqSpot[i].Top(), w.LineDX.Y1() + 0.004 * w.Height());
        EXPECT_NEAR(labelCentre(w.lblFreqSpot[i]), w.LineDX.X1() + i * 0.25 * (w.LineDX.X2() - w.LineDX.X1()), 1e-6);
    }
    EXPECT_EQ(w.lblFreqSpot[0].Caption(), "14.000");
    EXPECT_EQ(w.lblFreqSpot[4].Caption(), "14.350");

    // Switch to the band map: only the spots due on it show, none of the labels never placed.
    feed("Q1ABC", "14025");
    feed("Q2XYZ", "7010");
    spotting.optList = false;
    Form1().PacketResize();
    EXPECT_FALSE(w.txtDX.Visible());
    EXPECT_TRUE(w.lblDX.Visible());
    EXPECT_TRUE(w.LineDX.Visible());
    EXPECT_TRUE(Form1().lblDX.Visible());
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(w.lblFreqSpot[i].Visible());
    EXPECT_EQ(shownSpotLabels(w), std::vector<int>{48});
    EXPECT_DOUBLE_EQ(w.txtCall.Top(), before[0].first * 0.9); // a switch moves nothing

    // And back to the list.
    spotting.optList = true;
    Form1().PacketResize();
    EXPECT_TRUE(w.txtDX.Visible());
    EXPECT_FALSE(w.lblDX.Visible());
    EXPECT_FALSE(Form1().lblDX.Visible());
    EXPECT_TRUE(shownSpotLabels(w).empty());

    // Close: stretched back by 1.1111111, which leaves 0.99999999 of each value; the area is parked.
    spotting.transport = "none";
    Form1().PacketResize();
    for (size_t i = 0; i + 1 < std::size(boxes); ++i) {
        EXPECT_DOUBLE_EQ(boxes[i]->Top(), before[i].first * 0.9 * 1.1111111) << i;
        EXPECT_NEAR(boxes[i]->Top(), before[i].first * 0.99999999, 1e-6) << i;
        EXPECT_DOUBLE_EQ(boxes[i]->Height(), before[i].second * 0.9 * 1.1111111) << i;
    }
    EXPECT_DOUBLE_EQ(w.Line3.Y1(), line3 * 0.9 * 1.1111111);
    for (vb::Control* c : std::initializer_list<vb::Control*>{&w.txtDX, &w.lblDX, &w.lblDXSpot[3], &w.lblFreqSpot[2]}) {
        EXPECT_FALSE(c->Visible()) << c->Name.toStdString();
        EXPECT_EQ(c->Top(), 1000) << c->Name.toStdString();
    }
    EXPECT_FALSE(w.LineDX.Visible());
    EXPECT_EQ(w.LineDX.Y1(), 1000);
    EXPECT_EQ(w.LineDX.Y2(), 1000);
}

TEST_F(OutfrmSpotsTest, OpeningOnTheBandMapLeavesTheDispatcherFlagAlone) {
    OutfrmWindow& w = openWith(false);
    EXPECT_TRUE(w.lblDX.Visible());
    EXPECT_FALSE(w.txtDX.Visible());
    EXPECT_TRUE(w.LineDX.Visible());
    EXPECT_FALSE(Form1().lblDX.Visible());
    EXPECT_TRUE(shownSpotLabels(w).empty()); // the labels come with the next spot
    feed("Q1ABC", "14025");
    EXPECT_EQ(shownSpotLabels(w), std::vector<int>{49});
}

TEST_F(OutfrmSpotsTest, TheScaleNarrowsToTheSpotsAndTheLabelsSitOnTheirFrequencies) {
    OutfrmWindow& w = openWith(false);
    feed("Q1ABC", "14025");
    // One spot keeps the whole band on the scale.
    EXPECT_EQ(w.lblFreqSpot[0].Caption(), "14.000");
    EXPECT_EQ(w.lblFreqSpot[4].Caption(), "14.350");
    feed("QA3/Q2XYZ", "14035");
    const QStringList captions = {"14.024", "14.027", "14.030", "14.033", "14.036"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(w.lblFreqSpot[i].Caption(), captions[i]) << i;

    const double x1 = w.LineDX.X1(), x2 = w.LineDX.X2(), tolerance = (x2 - x1) * 1e-4;
    EXPECT_NEAR(labelCentre(w.lblDXSpot[48]), x1 + (x2 - x1) / 12, tolerance);
    EXPECT_NEAR(labelCentre(w.lblDXSpot[49]), x2 - (x2 - x1) / 12, tolerance);
    for (int i : {48, 49}) {
        EXPECT_TRUE(w.lblDXSpot[i].Visible());
        EXPECT_DOUBLE_EQ(w.lblDXSpot[i].Top(), w.LineDX.Y1() - w.lblDXSpot[i].Height() - 0.004 * w.Height());
    }
    EXPECT_EQ(w.lblDXSpot[48].Caption(), "Q1");
    EXPECT_EQ(w.lblDXSpot[49].Caption(), "QA3");
    // The call, the frequency and the arrival time in UTC (local + 5 hours).
    EXPECT_EQ(w.lblDXSpot[48].ToolTipText(), "Q1ABC  14.025  14:01:02");

    // A spot on a band edge neither counts for the scale nor shows.
    feed("Q3EDGE", "14000");
    EXPECT_EQ(w.lblFreqSpot[0].Caption(), "14.024");
    EXPECT_EQ(shownSpotLabels(w), (std::vector<int>{47, 48}));
}

TEST_F(OutfrmSpotsTest, TheOldestSlotShowsButDoesNotShapeTheScale) {
    OutfrmWindow& w = openWith(false);
    feed("Q1ABC", "14100");
    for (int i = 0; i < 49; ++i) feed(QString("Q%1Z").arg(i), QString::number(7001 + i));
    ASSERT_EQ(DXSpotTable.Call[0], "Q1ABC");
    EXPECT_EQ(w.lblFreqSpot[0].Caption(), "14.000");
    EXPECT_EQ(w.lblFreqSpot[4].Caption(), "14.350");
    EXPECT_EQ(shownSpotLabels(w), std::vector<int>{0});
}

TEST_F(OutfrmSpotsTest, BandsWithoutSpotsOrWithoutEdges) {
    OutfrmWindow& w = openWith(false);
    feed("Q1ABC", "14025");
    feed("Q2ABC", "432100");
    const struct { const char* band; const char* low; const char* high; std::vector<int> shown; } cases[] = {
        {"40", "7.000", "7.300", {}},
        {"70", "420.000", "450.000", {49}},
        {"902", ".000", ".000", {}},
        {"20", "14.000", "14.350", {48}},
    };
    for (const auto& c : cases) {
        w.SelectBand(c.band); // a band change redraws the map
        EXPECT_EQ(w.lblFreqSpot[0].Caption(), c.low) << c.band;
        EXPECT_EQ(w.lblFreqSpot[4].Caption(), c.high) << c.band;
        EXPECT_EQ(shownSpotLabels(w), c.shown) << c.band;
    }
}

TEST_F(OutfrmSpotsTest, LabelsAreColouredByAgeAndAnHourOldSpotEndsTheRedraw) {
    OutfrmWindow& w = openWith(false);
    const struct { int arrived; long color; } spots[] = {
        {0, -1}, {1, -1}, {2, SpotOldColor}, {1801, SpotOldColor}, {1802, SpotMidColor},
        {3001, SpotMidColor}, {3002, SpotNewColor}, {3601, SpotNewColor},
    };
    int n = 0;
    for (const auto& s : spots) {
        at(s.arrived);
        feed(QString("Q%1ABC").arg(n), QString::number(14010 + 10 * n));
        ++n;
    }
    at(3601); // ages 3601, 3600, 3599, 1800, 1799, 600, 599, 0
    Form1().DisplayBandMapLabels();
    for (int k = 0; k < n; ++k) {
        const vb::Label& l = w.lblDXSpot[49 - (n - 1) + k];
        EXPECT_EQ(l.Visible(), spots[k].color >= 0) << k;
        if (spots[k].color >= 0) { EXPECT_EQ(l.ForeColor(), spots[k].color) << k; }
    }
}

TEST_F(OutfrmSpotsTest, HoverRightClickAndLeftClickOnASpotLabel) {
    OutfrmWindow& w = openWith(false);
    feed("Q1ABC", "14025");
    vb::Label& label = w.lblDXSpot[49];
    ASSERT_TRUE(label.Visible());

    // From another point first: a pointer already standing there (left by an earlier test) moves nowhere.
    QTest::mouseMove(label.widget(), QPoint(1, 1));
    QTest::mouseMove(label.widget(), QPoint(3, 3));
    EXPECT_EQ(w.lblDupe.Caption(), "Q1ABC  14.025  14:01:02");

    // Right: tune (no radio interface is asked about), copy the call, and Tab on from the call box.
    QTest::mouseClick(label.widget(), Qt::RightButton);
    ASSERT_EQ(radio.tuned.size(), 1u);
    EXPECT_FLOAT_EQ(radio.tuned[0], 14.025f);
    EXPECT_EQ(w.txtCall.Text(), "Q1ABC");
    EXPECT_TRUE(w.txtRSTR.HasFocus());
    EXPECT_TRUE(label.Visible());

    // Left: the spot leaves the map; the station's next spot shows again.
    QTest::mouseClick(label.widget(), Qt::LeftButton);
    EXPECT_EQ(DXSpotTable.Freq[49], 0);
    EXPECT_FALSE(label.Visible());
    feed("Q2XYZ", "14030");
    EXPECT_TRUE(shownSpotLabels(w) == std::vector<int>{49});
    feed("Q1ABC", "14040");
    EXPECT_EQ(shownSpotLabels(w), (std::vector<int>{48, 49}));
    EXPECT_EQ(radio.tuned.size(), 1u);
}

TEST_F(OutfrmSpotsTest, AClickOnTheListTunesWhenThereIsARadioAndFillsTheCall) {
    OutfrmWindow& w = openWith(true);
    feed("Q1ABC", "14025");
    feed("Q2XYZ", "7010.5");
    // Nothing selected: the focus goes to the call box and nothing else happens.
    w.txtDX_Click();
    EXPECT_TRUE(w.txtCall.HasFocus());
    EXPECT_EQ(w.txtCall.Text(), "");

    const struct { const char* rig; int row; const char* call; std::vector<float> tuned; } cases[] = {
        {"NONE", 1, "Q1ABC", {}},
        {"Icom", 0, "Q2XYZ", {7.0105f}},
    };
    for (const auto& c : cases) {
        Station.RigType = c.rig;
        radio.tuned.clear();
        QTreeWidget* tree = w.txtDX.tree();
        const QRect rect = tree->visualItemRect(tree->topLevelItem(c.row));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
        EXPECT_EQ(w.txtCall.Text(), c.call) << c.rig;
        EXPECT_TRUE(w.txtCall.HasFocus()) << c.rig;
        EXPECT_EQ(radio.tuned, c.tuned) << c.rig;
    }
}

TEST_F(OutfrmSpotsTest, TheSpectrumMapAndTheSpottingWindowAreAskedFor) {
    OutfrmWindow& w = openWith(true);
    feed("Q1ABC", "14025");
    EXPECT_EQ(spotting.spectrumMapRedraws, 0);
    spotting.spectrumMapVisible = true;
    feed("Q2XYZ", "14030");
    EXPECT_EQ(spotting.spectrumMapRedraws, 1);

    QTreeWidget* tree = w.txtDX.tree();
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(0)).center());
    EXPECT_EQ(spotting.spectrumMapShows, 1);

    spotting.optList = false;
    Form1().PacketResize();
    QTest::mouseClick(w.lblDX.widget(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(spotting.spottingWindowShows, 1);
    QTest::mouseDClick(w.lblDX.widget(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(spotting.spectrumMapShows, 2);
}

} // namespace
