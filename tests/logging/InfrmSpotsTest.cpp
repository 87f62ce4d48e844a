// Spots fed to the in-state window as the spotting window feeds them (through Form1, the run in
// state): the DX list, the spot area squeezing this window's own controls, the band map, and the
// mouse on the list and the spot labels.
#include "logging/Outfrm.h"
#include "spotting/DXSpotTable.h"
#include "spotting/SpotRules.h"
#include "tests/logging/InfrmFixture.h"
#include "tests/logging/SpotFeed.h"
#include "tests/support/LinkDoubles.h"

#include <QTreeWidget>

using namespace tylog;
using namespace tylog::testing;

namespace {

class InfrmSpotsTest : public InfrmFixture {
protected:
    void SetUp() override {
        InfrmFixture::SetUp();
        Station.RigType = "None";
        AddSpotPrefixes();
    }

    // The wall clock, seconds after 09:01:02 local on the contest day.
    static void at(int seconds) { Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(9, 1, 2).addSecs(seconds)), 5); }

    // The spotting window's "Done" with a transport and the view chosen.
    void done(const QString& transport, bool list) {
        spotting.transport = transport;
        spotting.optList = list;
        Form1().PacketResize();
        Pump();
    }

    InfrmWindow& openWith(bool list) {
        InfrmWindow& w = open();
        done("Telnet", list);
        return w;
    }

    static std::vector<int> shownSpotLabels(InfrmWindow& w) {
        std::vector<int> shown;
        for (int i = 0; i < 50; ++i)
            if (w.lblDXSpot[i].Visible()) shown.push_back(i);
        return shown;
    }

    static double labelCentre(const vb::Label& l) { return l.Left() + l.Width() / 2; }

    static void clickRow(InfrmWindow& w, int row, bool twice = false) {
        QTreeWidget* tree = w.txtDX.tree();
        const QPoint at = tree->visualItemRect(tree->topLevelItem(row)).center();
        if (twice) QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        else QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    }

    // The window as the operator sees it, in pixels.
    static QImage shot(InfrmWindow& w) { return w.client()->grab().toImage(); }

    // Bright ink (the labels' text) on the navy panel.
    static bool ink(const QImage& img, QPoint p) { return QColor(img.pixel(p)).green() > 128; }

    // The middle of the ink inside a label's box on the panel, in pixels of the window; -1 when it
    // has none. (The end captions' boxes reach a pixel past the panel.)
    static double inkCentre(InfrmWindow& w, const QImage& img, const vb::Label& l) {
        const QRect box = l.widget()->geometry() & w.lblDX.widget()->geometry();
        int first = -1, last = -1;
        for (int x = box.left(); x <= box.right(); ++x)
            for (int y = box.top(); y <= box.bottom(); ++y)
                if (ink(img, {x, y})) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
        return first < 0 ? -1 : (first + last + 1) / 2.0;
    }

    // The pixel column of a point along the axis, on the scale the captions show.
    static double axisPixel(InfrmWindow& w, double mhz) {
        const double low = w.lblFreqSpot[0].Caption().toDouble(), high = w.lblFreqSpot[4].Caption().toDouble();
        const double x1 = w.LineDX.X1(), x2 = w.LineDX.X2();
        return (x1 + (mhz - low) / (high - low) * (x2 - x1)) / 15;
    }

    ScriptedSpotting spotting;
    RecordingRadio radio;
};

// Both windows share the band map's labels: a small serif face, centred captions, no background.
TEST_F(InfrmSpotsTest, SpotLabelsAndScaleCaptionsAreCentredSerifTextWithoutABackground) {
    InfrmWindow in; // unloaded: the design before the load scales it
    OutfrmWindow out;
    for (LoggingWindow* w : std::initializer_list<LoggingWindow*>{&in, &out}) {
        std::vector<vb::ControlDesign> rows;
        for (int i = 0; i < 50; ++i)
            rows.push_back({w->lblDXSpot[i], "DXLBL", {}, {}, 600, 255, {},
                            {.FontName = "MS Serif", .FontSize = 6.75, .Visible = false}});
        for (int i = 0; i < 5; ++i)
            rows.push_back({w->lblFreqSpot[i], "lblFreqSpot", {}, {}, 615, 255, {},
                            {.FontName = "MS Serif", .FontSize = 6.75, .Visible = false, .ForeColor = 0xFFFFFF}});
        EXPECT_EQ(vb::DesignDifferences(*w, {}, rows), QStringList()) << w->Name.toStdString();
        QStringList notCentredOrOpaque;
        for (const vb::ControlDesign& r : rows) {
            const auto& l = static_cast<const vb::Label&>(r.control);
            if (l.Alignment() != 2 || l.BackStyle() != 0) notCentredOrOpaque << l.Name;
        }
        EXPECT_EQ(notCentredOrOpaque, QStringList()) << w->Name.toStdString();
    }
}

// Each caption's text stands over its own point of the axis, and labels of close frequencies show
// through each other on the panel.
TEST_F(InfrmSpotsTest, LabelTextSitsOverItsFrequencyAndOverlappingLabelsStayReadable) {
    InfrmWindow& w = openWith(false);
    feed("Q1ABC", "14025");
    feed("Q2XYZ", "14025.1"); // a few pixels to the right, its box over most of Q1's
    feed("Q3CC", "14035");
    ASSERT_EQ(shownSpotLabels(w), (std::vector<int>{47, 48, 49}));
    const QImage all = shot(w);

    EXPECT_NEAR(inkCentre(w, all, w.lblDXSpot[49]), axisPixel(w, 14.035), 1.5);
    for (int j : {0, 2, 4})
        EXPECT_NEAR(inkCentre(w, all, w.lblFreqSpot[j]), axisPixel(w, w.lblFreqSpot[j].Caption().toDouble()), 1.5) << j;

    // Every pixel of Q1's text is still there under Q2's label.
    w.lblDXSpot[48].setVisible(false);
    const QImage alone = shot(w);
    const QRect box = w.lblDXSpot[47].widget()->geometry();
    int inked = 0, hidden = 0;
    for (int x = box.left(); x <= box.right(); ++x)
        for (int y = box.top(); y <= box.bottom(); ++y)
            if (ink(alone, {x, y})) {
                ++inked;
                if (!ink(all, {x, y})) ++hidden;
            }
    EXPECT_GT(inked, 10);
    EXPECT_EQ(hidden, 0);
}

TEST_F(InfrmSpotsTest, SpotsReachThisWindowAndAreListedNewestFirst) {
    InfrmWindow& w = open();
    feed(clusterSpot("14025.0", "Q1ABC", "CW up 2", "1401", "W3LPL", "Q1", "FN20"));
    at(30);
    feed(clusterSpot("7023.5", "W7XX", "599 strong signal", "1402", "VE7CC-1"));
    EXPECT_EQ(vb::IfLoaded<OutfrmWindow>(), nullptr);

    EXPECT_EQ(DXSpotTable.Call[49], "W7XX");
    EXPECT_FLOAT_EQ(DXSpotTable.Freq[49], 7.0235f);
    EXPECT_EQ(DXSpotTable.Time[49], QDateTime(QDate(2013, 9, 15), QTime(9, 1, 32)));
    EXPECT_EQ(DXSpotTable.Prefix[49], "W7");
    EXPECT_EQ(DXSpotTable.Call[48], "Q1ABC");

    ASSERT_EQ(w.txtDX.ColumnCount(), 8);
    ASSERT_EQ(w.txtDX.ItemCount(), 2);
    const QStringList newest = {"W7XX", "7.0235", "Westland", "", "de VE7CC-1:  599 strong signal", "", "1402", ""};
    const QStringList older = {"Q1ABC", "14.025", "First Isles", "", "de W3LPL:  CW up 2", "Q1", "1401", "FN20"};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(w.txtDX.ItemText(0, c), newest[c]) << c;
        EXPECT_EQ(w.txtDX.ItemText(1, c), older[c]) << c;
    }
    EXPECT_EQ(w.txtDX.ColumnAlignment(1), 1);
    EXPECT_FALSE(w.txtDX.Visible()) << "listed while the spot area is closed";

    // A frequency that is no number changes nothing; the list keeps 200 rows, the table 50 spots.
    feed("Q9BAD", "14,025");
    EXPECT_EQ(w.txtDX.ItemCount(), 2);
    for (int i = 1; i <= 199; ++i) feed(QString("Q%1A").arg(i), QString::number(14000 + i));
    ASSERT_EQ(w.txtDX.ItemCount(), 200);
    EXPECT_EQ(w.txtDX.ItemText(0), "Q199A");
    EXPECT_EQ(w.txtDX.ItemText(199), "W7XX") << "the first spot's row is the one dropped";
    EXPECT_EQ(DXSpotTable.Call[0], "Q150A");
}

TEST_F(InfrmSpotsTest, PacketResizeMakesRoomBelowTheGridAndTheLists) {
    InfrmWindow& w = open();
    vb::Control* const moved[] = {&w.txtCall, &w.Label10[1], &w.Label10[63], &w.List3, &w.lblSecCA, &w.cmdLogOn};
    std::vector<std::pair<double, double>> before;
    for (vb::Control* c : moved) before.emplace_back(c->Top(), c->Height());
    const double line2 = w.Line2.Y1(), left = w.Label10[1].Left();

    done("None", true);
    EXPECT_EQ(w.txtCall.Top(), before[0].first) << "spotting off while closed changes nothing";

    const vb::Kind kinds[] = {vb::Kind::Label, vb::Kind::TextBox, vb::Kind::CommandButton, vb::Kind::ListBox,
                              vb::Kind::ListView};
    double bottom = 0;
    for (vb::Control* c : w.Controls())
        if (std::find(std::begin(kinds), std::end(kinds), c->kind()) != std::end(kinds))
            bottom = std::max(bottom, (c->Top() + c->Height()) * 0.9);

    done("Telnet", false);
    for (size_t i = 0; i < std::size(moved); ++i) {
        EXPECT_DOUBLE_EQ(moved[i]->Top(), before[i].first * 0.9) << moved[i]->Name.toStdString();
        if (moved[i] != &w.List3) {
            EXPECT_DOUBLE_EQ(moved[i]->Height(), before[i].second * 0.9) << moved[i]->Name.toStdString();
        }
    }
    EXPECT_DOUBLE_EQ(w.Line2.Y1(), line2 * 0.9);
    EXPECT_EQ(w.Label10[1].Left(), left);
    for (const vb::ListBox* l : {&w.List1, &w.List2, &w.List3}) EXPECT_DOUBLE_EQ(l->Top() + l->Height(), w.Line3.Y1());
    EXPECT_DOUBLE_EQ(w.lblDX.Top(), bottom);
    EXPECT_DOUBLE_EQ(w.lblDX.Height(), w.ScaleHeight() - bottom);
    EXPECT_DOUBLE_EQ(w.lblDX.Width(), 0.97 * w.Width());
    EXPECT_EQ(w.txtDX.Top(), w.lblDX.Top());
    EXPECT_TRUE(w.lblDX.Visible());
    EXPECT_TRUE(w.LineDX.Visible());
    EXPECT_FALSE(w.txtDX.Visible());
    EXPECT_FALSE(Form1().lblDX.Visible()) << "only a switch of views sets the dispatcher's flag";
    const QStringList band20 = {"14.000", "14.088", "14.175", "14.262", "14.350"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(w.lblFreqSpot[i].Visible());
        EXPECT_EQ(w.lblFreqSpot[i].Caption(), band20[i]);
    }
    EXPECT_TRUE(shownSpotLabels(w).empty());

    // "Done" again with a transport only switches: nothing is squeezed twice.
    done("Telnet", true);
    EXPECT_TRUE(w.txtDX.Visible());
    EXPECT_FALSE(w.lblDX.Visible());
    EXPECT_DOUBLE_EQ(w.txtCall.Top(), before[0].first * 0.9);
    done("Telnet", false);
    EXPECT_TRUE(Form1().lblDX.Visible());

    // The list and "None" together while the band map shows: switch to the list, then close.
    spotting.optList = true;
    spotting.transport = "NONE";
    Form1().PacketResize();
    EXPECT_FALSE(Form1().lblDX.Visible());
    EXPECT_FALSE(w.txtDX.Visible());
    EXPECT_FALSE(w.lblDX.Visible());
    for (size_t i = 0; i < std::size(moved); ++i)
        EXPECT_NEAR(moved[i]->Top(), before[i].first * 0.99999999, 1e-6) << moved[i]->Name.toStdString();
    for (const vb::ListBox* l : {&w.List1, &w.List2, &w.List3}) EXPECT_DOUBLE_EQ(l->Top() + l->Height(), w.Line3.Y1());
    EXPECT_EQ(w.txtDX.Top(), 1000);
    EXPECT_EQ(w.LineDX.Y1(), 1000);
    EXPECT_EQ(w.lblFreqSpot[4].Top(), 1000);
}

TEST_F(InfrmSpotsTest, TheBandMapDrawsTheCurrentBandsSpotsByAge) {
    InfrmWindow& w = openWith(false);
    feed("Q1ABC", "14025");
    EXPECT_EQ(w.lblFreqSpot[0].Caption(), "14.000") << "one spot keeps the whole band";
    feed("Q2XYZ", "7010");
    feed("QB3/QA1ABC", "14030");
    const QStringList narrowed = {"14.024", "14.026", "14.027", "14.029", "14.031"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(w.lblFreqSpot[i].Caption(), narrowed[i]) << i;
    EXPECT_EQ(shownSpotLabels(w), (std::vector<int>{47, 49})) << "the 40 m spot is not drawn";
    EXPECT_EQ(w.lblDXSpot[49].Caption(), "QB3");
    EXPECT_EQ(w.lblDXSpot[47].ToolTipText(), "Q1ABC  14.025  14:01:02");
    const double x1 = w.LineDX.X1(), x2 = w.LineDX.X2();
    EXPECT_NEAR(labelCentre(w.lblDXSpot[47]), x1 + (x2 - x1) / 7, (x2 - x1) * 1e-4);
    EXPECT_DOUBLE_EQ(w.lblDXSpot[47].Top(), w.LineDX.Y1() - w.lblDXSpot[47].Height() - 0.004 * w.Height());

    // Ages 3600, 3599, 1799, 599 s: the hour-old spot and every older one stay hidden.
    at(1);
    feed("Q4AA", "14026");
    at(1801);
    feed("Q5BB", "14027");
    at(3001);
    feed("Q6CC", "14028");
    at(3600);
    Form1().DisplayBandMapLabels();
    EXPECT_EQ(shownSpotLabels(w), (std::vector<int>{47, 48, 49}));
    EXPECT_EQ(w.lblDXSpot[47].ForeColor(), SpotOldColor);
    EXPECT_EQ(w.lblDXSpot[48].ForeColor(), SpotMidColor);
    EXPECT_EQ(w.lblDXSpot[49].ForeColor(), SpotNewColor);

    // A band change redraws the map for the new band (the hour-old 40 m spot stays hidden).
    feed("Q7DD", "7020");
    EXPECT_EQ(shownSpotLabels(w), (std::vector<int>{46, 47, 48})) << "the 40 m spot is not drawn";
    w.SelectBand("40");
    EXPECT_EQ(w.lblFreqSpot[0].Caption(), "7.009");
    EXPECT_EQ(w.lblFreqSpot[4].Caption(), "7.021");
    EXPECT_EQ(shownSpotLabels(w), std::vector<int>{49});
}

// Labels keep their colours between redraws; the window coming back to the front is one.
TEST_F(InfrmSpotsTest, TheBandMapIsRedrawnEachTimeTheWindowBecomesActive) {
    InfrmWindow& w = openWith(false);
    feed("Q1ABC", "14025");
    at(1200);
    feed("Q2XYZ", "14030");
    QWidget other;
    const auto activateOtherThenThis = [&] {
        other.show();
        QApplication::setActiveWindow(&other);
        Pump();
        ASSERT_FALSE(w.isActiveWindow());
        ShowActive(w);
        ASSERT_TRUE(w.isActiveWindow());
    };

    at(1800); // Q1 is now 30 minutes old, Q2 10
    EXPECT_EQ(w.lblDXSpot[48].ForeColor(), SpotMidColor);
    EXPECT_EQ(w.lblDXSpot[49].ForeColor(), SpotNewColor);
    activateOtherThenThis();
    EXPECT_EQ(w.lblDXSpot[48].ForeColor(), SpotOldColor);
    EXPECT_EQ(w.lblDXSpot[49].ForeColor(), SpotMidColor);

    DXSpotTable.Freq[49] = 0; // taken off the map elsewhere (the spectrum map)
    at(3600);                 // Q1 an hour old
    activateOtherThenThis();
    EXPECT_TRUE(shownSpotLabels(w).empty());
}

TEST_F(InfrmSpotsTest, TheMouseOnASpotLabelTunesFillsOrRemoves) {
    InfrmWindow& w = openWith(false);
    feed("Q1ABC", "14025");
    vb::Label& label = w.lblDXSpot[49];
    ASSERT_TRUE(label.Visible());

    // From another point first: a pointer already standing there (left by an earlier test) moves nowhere.
    QTest::mouseMove(label.widget(), QPoint(1, 1));
    QTest::mouseMove(label.widget(), QPoint(3, 3));
    EXPECT_EQ(w.lblDupe.Caption(), "Q1ABC  14.025  14:01:02");

    QTest::mouseClick(label.widget(), Qt::RightButton);
    EXPECT_EQ(radio.tuned, std::vector<float>{14.025f}) << "without asking whether there is a radio";
    EXPECT_EQ(w.txtCall.Text(), "Q1ABC");
    EXPECT_TRUE(w.txtRSTR.HasFocus()) << "a Tab on from the call box";

    for (Qt::MouseButton b : {Qt::LeftButton, Qt::MiddleButton}) {
        feed("Q2XYZ", "14030");
        ASSERT_TRUE(label.Visible());
        QTest::mouseClick(label.widget(), b);
        EXPECT_EQ(DXSpotTable.Freq[49], 0) << b;
        EXPECT_FALSE(label.Visible()) << b;
        EXPECT_EQ(w.txtDX.ItemCount(), b == Qt::LeftButton ? 2 : 3) << "its list row stays";
    }
    EXPECT_EQ(radio.tuned.size(), 1u);

    QTest::mouseClick(w.lblDX.widget(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(spotting.spottingWindowShows, 1);
    QTest::mouseDClick(w.lblDX.widget(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(spotting.spectrumMapShows, 1);
}

TEST_F(InfrmSpotsTest, AClickOnTheListTunesAndFillsTheEntryLine) {
    InfrmWindow& w = openWith(true);
    feed("Q1ABC", "14025");
    feed("Q2XYZ", "7010.5");
    spotting.spectrumMapVisible = true;
    feed("Q3AA", "21010");
    EXPECT_EQ(spotting.spectrumMapRedraws, 1);

    w.txtRSTR.SetFocus();
    w.txtDX_Click(); // no row selected: only the focus moves
    EXPECT_TRUE(w.txtCall.HasFocus());
    EXPECT_EQ(w.txtCall.Text(), "");

    const struct { const char* rig; int row; const char* call; std::vector<float> tuned; } cases[] = {
        {"none", 2, "Q1ABC", {}},
        {"Kenwood", 1, "Q2XYZ", {7.0105f}},
    };
    for (const auto& c : cases) {
        Station.RigType = c.rig;
        radio.tuned.clear();
        clickRow(w, c.row);
        EXPECT_EQ(w.txtCall.Text(), c.call) << c.rig;
        EXPECT_TRUE(w.txtCall.HasFocus()) << c.rig;
        EXPECT_EQ(radio.tuned, c.tuned) << c.rig;
    }
    clickRow(w, 0, true);
    EXPECT_EQ(spotting.spectrumMapShows, 1);
}

} // namespace
