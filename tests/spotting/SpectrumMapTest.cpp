// The spectrum map window: its design, the load that stretches it over the work area, the ways the
// logging window opens it, the spots drawn on it as they arrive, and the clicks on them, driven with
// the mouse and keys where the operator would use them.
#include "logging/Dispatcher.h"
#include "spotting/DXSpotTable.h"
#include "spotting/SpectrumMap.h"
#include "spotting/SpotRules.h"
#include "spotting/SpottingWindowsLink.h"
#include "platform/vb/Design.h"
#include "tests/logging/OutfrmFixture.h"
#include "tests/logging/SpotFeed.h"
#include "tests/support/LinkDoubles.h"

#include <QTreeWidget>
#include <functional>
#include <tuple>

using namespace tylog;
using namespace tylog::testing;

namespace {

// The real spotting link, with the spotting window's choices (not built here) set by the test.
class SpottingWithChoices : public SpottingWindowsLink {
public:
    SpottingWithChoices() { Link<SpottingLink>::install(this); }
    ~SpottingWithChoices() override { Link<SpottingLink>::install(nullptr); }
    bool OptList() const override { return optList; }
    QString Transport() const override { return transport; }
    bool optList = true;
    QString transport = "None";
};

class SpectrumMapTest : public OutfrmFixture {
protected:
    void SetUp() override {
        OutfrmFixture::SetUp();
        Station.CurrentMode = "CW";
    }

    // Seconds after 09:01:02 local on the contest day.
    static void at(int seconds) { Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(9, 1, 2).addSecs(seconds)), 5); }

    // Opens the map with `open`, runs `act` inside its modal show, closes it by its close box unless
    // `act` closed it, and expects it unloaded once the show returns.
    static void inMap(const std::function<void()>& open, const std::function<void(SpectrumMapWindow&)>& act) {
        bool shown = false;
        platform().onModalShown = [&](vb::Form& f) {
            auto* map = dynamic_cast<SpectrumMapWindow*>(&f);
            ASSERT_NE(map, nullptr) << f.Name.toStdString();
            shown = true;
            EXPECT_TRUE(map->ShownModal());
            QApplication::setActiveWindow(map);
            Pump();
            act(*map);
            if (vb::IfLoaded<SpectrumMapWindow>() && map->isVisible()) map->close();
        };
        open();
        platform().onModalShown = nullptr;
        EXPECT_TRUE(shown);
        EXPECT_EQ(vb::IfLoaded<SpectrumMapWindow>(), nullptr) << "unloaded once its modal show returned";
    }

    // The slots whose spots show, and no label shown beyond them.
    static std::vector<int> shownSpots(SpectrumMapWindow& m) {
        std::vector<int> shown;
        for (int s = 0; s < 50; ++s)
            if (vb::Label* l = m.LabelOfSlot(s); l && l->Visible()) shown.push_back(s);
        int visible = 0;
        for (auto& [i, l] : m.lblDXSpot) visible += l->Visible() ? 1 : 0;
        EXPECT_EQ(visible, static_cast<int>(shown.size())) << "a label shown for no spot";
        return shown;
    }

    static vb::Label& labelOf(SpectrumMapWindow& m, int slot) {
        vb::Label* l = m.LabelOfSlot(slot);
        EXPECT_NE(l, nullptr) << "slot " << slot << " has no label";
        return l ? *l : m.lblDXSpot[0];
    }

    static QString scale(SpectrumMapWindow& m, int row) {
        QStringList c;
        for (int j = 0; j < 5; ++j) c << m.lblFreqSpot[5 * row + j].Caption();
        return c.join(' ');
    }

    static double centre(const vb::Label& l) { return l.Left() + l.Width() / 2; }

    // Where frequency `mhz` lies on row `row`'s axis, by the range its captions show.
    static double pointOf(SpectrumMapWindow& m, int row, double mhz) {
        const double lo = m.lblFreqSpot[5 * row].Caption().toDouble(), hi = m.lblFreqSpot[5 * row + 4].Caption().toDouble();
        const vb::Line& axis = m.lineHF[row];
        return axis.X1() + (mhz - lo) / (hi - lo) * (axis.X2() - axis.X1());
    }

    SpottingWithChoices spotting;
    RecordingRadio radio;
};

TEST_F(SpectrumMapTest, IsLaidOutAsDesigned) {
    SpectrumMapWindow m; // unloaded: the design before the load scales it
    const vb::ControlLook small{.FontName = "MS Serif", .FontSize = 6.75, .Visible = false, .ForeColor = 0xFFFFFF};
    std::vector<vb::ControlDesign> rows;
    for (int k = 0; k <= 10; ++k) {
        rows.push_back({m.lineHF[k], {}, 360, 360.0 + 600 * k, 9120, 360.0 + 600 * k});
        rows.push_back({m.lblHFSpots[k], "", 120, 120.0 + 600 * k, 9255, 495, {}, {.BackColor = 0x800000}});
    }
    for (int i = 0; i <= 54; ++i) rows.push_back({.control = m.lblFreqSpot[i], .Look = small});
    for (int i = 0; i <= 49; ++i) rows.push_back({m.lblDXSpot[i], "DXLBL", {}, {}, 600, 180, {}, small});
    EXPECT_EQ(vb::DesignDifferences(m, {.Caption = " HF Spectrum Map", .Width = 9600, .Height = 7200}, rows).join('\n').toStdString(),
              "");

    ASSERT_EQ(m.lineHF.Count(), 11);
    ASSERT_EQ(m.lblFreqSpot.Count(), 55);
    ASSERT_EQ(m.lblDXSpot.Count(), 50);
    QStringList wrong;
    for (auto& [k, l] : m.lineHF)
        if (l->BorderColor() != 0xFFFFFF) wrong << l->Name + QString::number(k);
    for (auto& [k, l] : m.lblHFSpots)
        if (l->BorderStyle() != 1) wrong << l->Name + QString::number(k);
    for (auto* labels : {&m.lblFreqSpot, &m.lblDXSpot})
        for (auto& [i, l] : *labels)
            if (l->Alignment() != 2 || l->BackStyle() != 0) wrong << l->Name + QString::number(i);
    EXPECT_EQ(wrong, QStringList()) << "white axes, framed bands, centred captions the band shows through";
}

TEST_F(SpectrumMapTest, TheLoadStretchesTheDesignOverTheWorkAreaAndShowsTheFullScales) {
    const struct {
        double screenW, screenH, workH, font;
    } screens[] = {
        {12000, 9000, 8550, 6.75 * 1.25}, // 800 x 600 less a taskbar: fonts follow the width
        {19200, 14400, 13680, 6.75 * 1.5}, // wider than 1.5 design widths: fonts stop growing
    };
    for (const auto& s : screens) {
        SCOPED_TRACE(s.screenW);
        Fakes().screen.width = s.screenW;
        Fakes().screen.height = s.screenH;
        Fakes().screen.workArea = QRectF(0, 0, s.screenW, s.workH);
        SpectrumMapWindow& m = SpectrumMap();
        EXPECT_FALSE(m.isVisible());

        EXPECT_DOUBLE_EQ(m.Left(), 0);
        EXPECT_DOUBLE_EQ(m.Top(), 0);
        EXPECT_DOUBLE_EQ(m.Width(), s.screenW);
        EXPECT_DOUBLE_EQ(m.Height(), s.workH);
        const double rx = s.screenW / 9600, ry = s.workH / 7200;
        for (int k = 0; k <= 10; ++k) {
            const vb::Line& axis = m.lineHF[k];
            EXPECT_NEAR(axis.X1(), 360 * rx, 1e-6);
            EXPECT_NEAR(axis.X2(), 9120 * rx, 1e-6);
            EXPECT_NEAR(axis.Y1(), (360 + 600 * k) * ry, 1e-6);
            EXPECT_NEAR(m.lblHFSpots[k].Top(), (120 + 600 * k) * ry, 1e-6);
            EXPECT_NEAR(m.lblHFSpots[k].Width(), 9255 * rx, 1e-6);
            for (int j = 0; j < 5; ++j) {
                const vb::Label& l = m.lblFreqSpot[5 * k + j];
                EXPECT_TRUE(l.Visible());
                EXPECT_NEAR(centre(l), axis.X1() + (axis.X2() - axis.X1()) * j / 4, 1e-6);
                EXPECT_NEAR(l.Top(), axis.Y1() + 0.004 * m.Height(), 1e-6) << "just under the line";
            }
        }
        EXPECT_EQ(scale(m, 3), "10.100 10.113 10.125 10.137 10.150");
        EXPECT_EQ(scale(m, 4), "14.000 14.088 14.175 14.263 14.350");
        EXPECT_DOUBLE_EQ(m.lblFreqSpot[0].FontSize(), s.font);
        EXPECT_DOUBLE_EQ(m.lblDXSpot[7].FontSize(), s.font);
        EXPECT_NEAR(m.lblDXSpot[7].Width(), 600 * rx, 1e-6);
        EXPECT_EQ(shownSpots(m), std::vector<int>());
        const QObjectList stack = m.lblDXSpot[49].widget()->parentWidget()->children();
        EXPECT_EQ(stack.last(), m.lblDXSpot[49].widget()) << "the newest spot in front of every control";
        vb::Unload(m);
    }
}

TEST_F(SpectrumMapTest, CtrlBTheMenuAndDoubleClicksShowItModallyWithTheSpotsStoredSoFar) {
    OutfrmWindow& w = open();
    feed("Q1ABC", "14025.0");
    spotting.transport = "Telnet";
    const struct {
        const char* how;
        bool list;
        std::function<void()> open;
    } openings[] = {
        {"Ctrl+B", false, [&] { QTest::keyClick(w.txtCall.widget(), Qt::Key_B, Qt::ControlModifier); }},
        {"the menu", false, [&] { w.mnuSpectrumMap.action()->trigger(); }},
        {"the band-map label", false, [&] { QTest::mouseDClick(w.lblDX.widget(), Qt::LeftButton, {}, QPoint(2, 2)); }},
        {"the spot list", true, [&] { QTest::mouseDClick(w.txtDX.tree()->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); }},
    };
    for (const auto& o : openings) {
        SCOPED_TRACE(o.how);
        spotting.optList = o.list;
        Form1().PacketResize();
        Pump();
        inMap(o.open, [](SpectrumMapWindow& m) {
            EXPECT_EQ(m.Caption(), " HF Spectrum Map");
            EXPECT_TRUE(Link<SpottingLink>::get().SpectrumMapVisible());
            EXPECT_EQ(shownSpots(m), std::vector<int>{49});
            EXPECT_EQ(labelOf(m, 49).Caption(), "Q1");
        });
        EXPECT_FALSE(Link<SpottingLink>::get().SpectrumMapVisible());
    }
    EXPECT_EQ(w.txtCall.Text(), "") << "the shortcut gives no character";
}

TEST_F(SpectrumMapTest, SpotsArrivingWhileItShowsAreDrawnZoomedAndAgedAndBadOnesNeverShow) {
    open();
    inMap([] { spottingLink().ShowSpectrumMap(); }, [this](SpectrumMapWindow& m) {
        at(-720);
        feed("Q1ABC", "14030.0");
        at(-120);
        feed("Q2DEF", "14025.0");
        at(0);
        // Spots on an edge, on no row, and one removed: stored, never shown.
        feed("Q3EDG", "14000");
        feed("Q4EDG", "7300");
        feed("Q5EDG", "18068");
        feed("Q6OFF", "5000");
        feed("Q7OFF", "432100");
        feed("Q2DEF", "3500"); // a band edge again, and it removes Q2DEF's 14.025 spot
        EXPECT_EQ(DXSpotTable.Freq[42], 14.030f);
        EXPECT_EQ(DXSpotTable.Freq[43], 0.f) << "removed";
        EXPECT_EQ(shownSpots(m), std::vector<int>{42});
        EXPECT_EQ(scale(m, 4), "14.000 14.088 14.175 14.263 14.350") << "one spot left on 20 m";

        feed("Q2DEF", "14025.0");
        EXPECT_EQ(shownSpots(m), (std::vector<int>{41, 49}));
        EXPECT_EQ(scale(m, 4), "14.024 14.026 14.027 14.029 14.031");
        const vb::Label& newest = labelOf(m, 49);
        const vb::Label& older = labelOf(m, 41);
        EXPECT_EQ(newest.ForeColor(), SpotNewColor);
        EXPECT_EQ(older.ForeColor(), SpotMidColor);
        EXPECT_NEAR(centre(newest), m.lineHF[4].X1() + (m.lineHF[4].X2() - m.lineHF[4].X1()) / 7, 1);
        EXPECT_NEAR(centre(older), pointOf(m, 4, 14.030f), 1e-6);
        EXPECT_DOUBLE_EQ(newest.Top() + newest.Height(), m.lineHF[4].Y1()) << "standing on its line";
        EXPECT_EQ(older.ToolTipText(), "Q1ABC  14.030  13:49:02");

        // An hour on, the old spot is hidden but still zooms its row.
        at(3600 - 720);
        feed("Q8NEW", "7010");
        EXPECT_EQ(shownSpots(m), (std::vector<int>{48, 49}));
        EXPECT_EQ(m.LabelOfSlot(40), nullptr) << "Q1ABC, an hour old";
        EXPECT_EQ(labelOf(m, 48).ForeColor(), SpotOldColor);
        EXPECT_EQ(scale(m, 4), "14.024 14.026 14.027 14.029 14.031");
        EXPECT_NEAR(centre(labelOf(m, 49)), pointOf(m, 2, 7.010f), 1e-6);
    });
}

// The map is redrawn after every spot: a spot that leaves the row's scale as it was changes one
// label, and the others stand as they were.
TEST_F(SpectrumMapTest, ANewSpotChangesOneLabelAndComesInFront) {
    open();
    feed("Q1LOW", "14010");
    feed("Q2HIGH", "14300");
    for (int i = 0; i < 20; ++i) feed(QString("Q%1MID").arg(i), QString::number(14100 + 5 * i));
    inMap([] { spottingLink().ShowSpectrumMap(); }, [](SpectrumMapWindow& m) {
        ASSERT_EQ(shownSpots(m).size(), 22u);
        const auto faces = [&m] {
            std::vector<std::tuple<bool, double, double, QString, long>> out;
            for (auto& [i, l] : m.lblDXSpot) out.emplace_back(l->Visible(), l->Left(), l->Top(), l->Caption(), l->ForeColor());
            return out;
        };
        const auto before = faces();
        feed("Q7NEW", "14222");
        const auto after = faces();
        int changed = 0;
        for (size_t i = 0; i < before.size(); ++i) changed += before[i] != after[i] ? 1 : 0;
        EXPECT_EQ(changed, 1);
        EXPECT_EQ(labelOf(m, 49).Caption(), "Q7");
        EXPECT_EQ(labelOf(m, 49).ToolTipText(), "Q7NEW  14.222  14:01:02");
        const QObjectList stack = labelOf(m, 49).widget()->parentWidget()->children();
        EXPECT_EQ(stack.last(), labelOf(m, 49).widget()) << "the newest spot in front";
    });
}

TEST_F(SpectrumMapTest, ARightClickTunesPutsTheCallInTheEntryLineAndClosesTheMap) {
    // The radio lets events run while it tunes: a spot that arrives then moves every slot on.
    struct SpotWhileTuning : RecordingRadio {
        void ChangeFrequency(float mhz) override {
            RecordingRadio::ChangeFrequency(mhz);
            feed("Q9LATE", "21020");
        }
    } tuning;
    OutfrmWindow& w = open();
    feed("Q1ABC", "14030.0");
    feed("Q2DEF", "14025.0");
    inMap([&] { QTest::keyClick(w.txtCall.widget(), Qt::Key_B, Qt::ControlModifier); }, [](SpectrumMapWindow& m) {
        QTest::mouseClick(labelOf(m, 48).widget(), Qt::RightButton);
        EXPECT_FALSE(m.isVisible()) << "hidden by the click";
    });
    EXPECT_EQ(tuning.tuned, std::vector<float>{14.030f});
    EXPECT_EQ(w.txtCall.Text(), "Q1ABC") << "the call clicked, not what the slot holds after tuning";
    EXPECT_EQ(w.ActiveControl(), &w.txtCall);
    EXPECT_EQ(DXSpotTable.Freq[47], 14.030f) << "the spot stays, one slot down after the late one";
}

TEST_F(SpectrumMapTest, AnyOtherClickRemovesTheSpotAndTheRowsScaleFollows) {
    OutfrmWindow& w = open();
    feed("Q1ABC", "14030.0");
    feed("Q2DEF", "14025.0");
    inMap([&] { w.mnuSpectrumMap.action()->trigger(); }, [this](SpectrumMapWindow& m) {
        ASSERT_EQ(scale(m, 4), "14.024 14.026 14.027 14.029 14.031");
        QTest::mouseClick(labelOf(m, 49).widget(), Qt::LeftButton);
        EXPECT_EQ(DXSpotTable.Freq[49], 0.f);
        EXPECT_EQ(shownSpots(m), std::vector<int>{48});
        EXPECT_EQ(scale(m, 4), "14.000 14.088 14.175 14.263 14.350");
        EXPECT_NEAR(centre(labelOf(m, 48)), pointOf(m, 4, 14.030f), 1e-6);
        EXPECT_TRUE(m.isVisible());
    });
    EXPECT_TRUE(radio.tuned.empty());
    EXPECT_EQ(w.txtCall.Text(), "");
}

} // namespace
