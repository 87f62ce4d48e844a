// The band privileges chart: its design, the ways the logging window opens it, the chart of each
// class drawn from BandPlan.txt, the files it cannot draw from, and its layout rules.
#include "platform/vb/Color.h"
#include "platform/vb/Design.h"
#include "rig/BandPlanChart.h"
#include "rig/BandPlanChartRules.h"
#include "tests/logging/OutfrmFixture.h"

#include <functional>

using namespace tylog;
using namespace tylog::testing;

namespace {

class BandPlanChartTest : public OutfrmFixture {
protected:
    void SetUp() override {
        OutfrmFixture::SetUp();
        folder.copyShipped("BandPlan.txt");
    }

    // Runs `act` inside the chart's modal show (opened by `open`), closes it with Done unless `act`
    // closed it, and expects it unloaded once the show returns.
    static void inChart(const std::function<void()>& open, const std::function<void(frmBandPlanWindow&)>& act) {
        bool shown = false;
        platform().onModalShown = [&](vb::Form& f) {
            auto* chart = dynamic_cast<frmBandPlanWindow*>(&f);
            ASSERT_NE(chart, nullptr) << f.Name.toStdString();
            shown = true;
            act(*chart);
            if (vb::IfLoaded<frmBandPlanWindow>() && chart->isVisible())
                QTest::mouseClick(chart->Command7.widget(), Qt::LeftButton);
        };
        open();
        platform().onModalShown = nullptr;
        EXPECT_TRUE(shown);
        EXPECT_EQ(vb::IfLoaded<frmBandPlanWindow>(), nullptr) << "unloaded once its modal show returned";
    }

    static QStringList captions(vb::ControlArray<vb::Label>& labels) {
        QStringList c;
        int expected = 1;
        for (auto& [i, l] : labels) {
            EXPECT_EQ(i, expected++) << "numbered from 1 in each drawing";
            c << l->Caption();
        }
        return c;
    }

    static vb::Label* segment(frmBandPlanWindow& w, const QString& caption) {
        for (auto& [i, l] : w.priv)
            if (l->Caption() == caption) return l.get();
        return nullptr;
    }
};

} // namespace

TEST_F(BandPlanChartTest, IsLaidOutAsDesigned) {
    frmBandPlanWindow w; // unloaded: the design before the load fits it to the work area
    const vb::ControlLook banner{.FontName = "Arial", .ForeColor = vb::vbWhite, .BackColor = vb::RGB(0, 0, 128)};
    EXPECT_EQ(vb::DesignDifferences(w, {.Caption = "Frequency Privileges", .ClientWidth = 9480, .ClientHeight = 6690},
                                    {
                                        {w.Command1, "Novice", 120, 80, 1035, 300},
                                        {w.Command2, "Technician", 1200, 80, 1035, 300},
                                        {w.Command3, "Tech +", 2280, 80, 1035, 300},
                                        {w.Command4, "General", 3360, 80, 1035, 300},
                                        {w.Command5, "Advanced", 4440, 80, 1035, 300},
                                        {w.Command6, "Extra", 5520, 80, 1035, 300},
                                        {w.Label2, "Privelages", 6600, 120, 2775, 255, {}, {.FontName = "Arial Narrow", .ForeColor = vb::vbWhite, .BackColor = vb::RGB(0, 0, 128)}},
                                        {w.Label1, "Frequencies Effective", 120, 400, 6375, 300, {}, banner},
                                        {w.Label3, "CW", 6600, 420, 1335, 255, {}, {.ForeColor = vb::vbWhite}},
                                        {w.Label4, "Phone", 8040, 420, 1335, 255},
                                        {w.Line1, {}, 120, 720, 9360, 720},
                                        {w.Command7, "Done", 4080, 6360, 1215, 300},
                                    })
                  .join('\n')
                  .toStdString(),
              "");
}

TEST_F(BandPlanChartTest, CtrlFAndThePrivilegesMenuShowTheExtraChartOverTheWorkArea) {
    Fakes().screen.workArea = QRectF(0, 0, 15360, 10920);
    OutfrmWindow& w = open();
    for (const std::function<void()>& how : std::vector<std::function<void()>>{
             [] { key(Qt::Key_F, Qt::ControlModifier); }, [&] { w.mnuPrivileges.RaiseClick(); }}) {
        inChart(how, [](frmBandPlanWindow& c) {
            EXPECT_EQ(c.Left(), 0);
            EXPECT_EQ(c.Top(), 0);
            EXPECT_EQ(c.Width(), 15360);
            EXPECT_EQ(c.Height(), 10920);
            EXPECT_EQ(c.Label2.Caption(), "Extra Frequency Privileges");
            EXPECT_EQ(c.Label1.Caption(), "Frequencies Effective: October 13, 2017");
            EXPECT_EQ(c.Label3.BackColor(), vb::vbBlue);
            EXPECT_EQ(c.Label4.BackColor(), vb::vbGreen);
            EXPECT_EQ(captions(c.blbl), QString("2200 630 160 80 60 40 30 20 17 15 12 10 6 2 1.25 70 33 23").split(' '));
            EXPECT_EQ(captions(c.bnlb), captions(c.blbl));
            EXPECT_EQ(c.priv.Count(), 31);
        });
    }
    // The key gave no character and typing goes on in the call box.
    EXPECT_EQ(w.txtCall.Text(), "");
    QApplication::setActiveWindow(&w);
    w.txtCall.SetFocus();
    keys("k");
    EXPECT_EQ(w.txtCall.Text(), "K");
}

TEST_F(BandPlanChartTest, AClassButtonRedrawsTheChartForItsClassAlone) {
    inChart(ShowBandPrivileges, [](frmBandPlanWindow& c) {
        QTest::mouseClick(c.Command1.widget(), Qt::LeftButton);
        EXPECT_EQ(c.Label2.Caption(), "Novice Frequency Privileges");
        EXPECT_EQ(captions(c.blbl), QString("80 40 15 10 1.25 23").split(' '));
        EXPECT_EQ(captions(c.bnlb), captions(c.blbl));
        EXPECT_EQ(captions(c.priv), QStringList({"3.525 - 3.600", "7.025 - 7.125", "21.025 - 21.200", "28.000 - 28.300",
                                                 "28.300 - 28.500", "222.000 - 225.000", "1,270.000 - 1,295.000"}));
        for (auto* labels : {&c.blbl, &c.bnlb, &c.priv})
            for (auto& [i, l] : *labels) EXPECT_GT(l->Width(), 0) << l->Name.toStdString() << i;

        // The bars share the chart area below the line, one under the other, each tagged at its left.
        const double dy = 0.8 * (c.Height() - c.Line1.Y1()) / 6;
        for (int n = 1; n <= 6; ++n) {
            EXPECT_DOUBLE_EQ(c.blbl[n].Top(), c.Line1.Y1() + n * dy);
            EXPECT_EQ(c.bnlb[n].Top(), c.blbl[n].Top());
            EXPECT_EQ(c.bnlb[n].BackColor(), vb::vbYellow);
            EXPECT_EQ(c.blbl[n].BackColor(), vb::vbBlack);
            EXPECT_EQ(c.blbl[n].ForeColor(), vb::vbBlack);
        }
        // 10 m: CW from the band's lower edge, phone after it, both in their bar.
        vb::Label& bar = c.blbl[4];
        vb::Label* cw = segment(c, "28.000 - 28.300");
        vb::Label* ph = segment(c, "28.300 - 28.500");
        ASSERT_TRUE(cw && ph);
        EXPECT_DOUBLE_EQ(cw->Left(), bar.Left());
        EXPECT_NEAR(ph->Left(), cw->Left() + cw->Width(), 1e-6 * bar.Width());
        EXPECT_NEAR(cw->Width(), bar.Width() * 0.3 / 1.7, 1e-4 * bar.Width());
        EXPECT_EQ(cw->Top(), bar.Top());
        EXPECT_EQ(cw->BackColor(), vb::vbBlue);
        EXPECT_EQ(cw->ForeColor(), vb::vbWhite);
        EXPECT_EQ(cw->ToolTipText(), "CW  28.000 - 28.300");
        EXPECT_EQ(ph->BackColor(), vb::vbGreen);
        EXPECT_EQ(ph->ForeColor(), vb::vbBlack);
        EXPECT_EQ(ph->ToolTipText(), "PH  28.300 - 28.500");
        EXPECT_EQ(bar.ToolTipText(), "10  28.000 - 29.700");

        QTest::mouseClick(c.Command6.widget(), Qt::LeftButton);
        EXPECT_EQ(c.blbl.Count(), 18);
        vb::Label* phone20 = segment(c, "14.150 - 14.350");
        ASSERT_TRUE(phone20);
        EXPECT_EQ(phone20->ToolTipText(), "PH  14.150 - 14.350");
        // A segment over the whole band covers its bar exactly.
        vb::Label* top = segment(c, "1.800 - 2.000");
        ASSERT_TRUE(top);
        EXPECT_DOUBLE_EQ(top->Left(), c.blbl[3].Left());
        EXPECT_DOUBLE_EQ(top->Width(), c.blbl[3].Width());
    });
}

TEST_F(BandPlanChartTest, AFileItCannotReadIsSaidOnceAndDrawsWhatWasRead) {
    struct Case {
        const char* what;
        QByteArray bytes; // empty: no file
        const char* date;
        int extraBars;   // after the Extra button
    } cases[] = {
        {"no file", {}, "Frequencies Effective", 0},
        {"a row cut short", "\"2012\"\r\n\"20\",\"O\",\"PH\",14,14.35\r\n\"20\",\"E\",\"CW\",14,14.15\r\n\"15\",\"O\"", "Frequencies Effective: 2012", 1},
    };
    for (const Case& c : cases) {
        folder.write("BandPlan.txt", c.bytes);
        if (c.bytes.isEmpty()) QFile::remove(folder.file("BandPlan.txt"));
        Fakes().dialogs.AnswerMsgBox(vbOK);
        inChart(ShowBandPrivileges, [&](frmBandPlanWindow& chart) {
            EXPECT_EQ(chart.Label2.Caption(), "Privelages") << c.what;
            EXPECT_EQ(chart.Label1.Caption(), c.date) << c.what;
            EXPECT_EQ(chart.blbl.Count(), 0) << c.what;
            QTest::mouseClick(chart.Command6.widget(), Qt::LeftButton);
            EXPECT_EQ(chart.blbl.Count(), c.extraBars) << c.what;
        });
        ASSERT_FALSE(Fakes().dialogs.shown.isEmpty());
        EXPECT_EQ(Fakes().dialogs.shown.back().prompt, "Band data not available.");
        EXPECT_EQ(Fakes().dialogs.shown.back().title, "Band Data Not Available.");
        Fakes().dialogs.shown.clear();
    }

    // Above 200 rows no class is drawn at all.
    QByteArray many = "\"2012\"\r\n\"20\",\"O\",\"PH\",14,14.35\r\n";
    for (int i = 0; i < 200; ++i) many += "\"20\",\"E\",\"CW\",14,14.15\r\n";
    folder.write("BandPlan.txt", many);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    inChart(ShowBandPrivileges, [](frmBandPlanWindow& chart) {
        QTest::mouseClick(chart.Command6.widget(), Qt::LeftButton);
        EXPECT_EQ(chart.blbl.Count() + chart.priv.Count(), 0);
    });
    EXPECT_EQ(Fakes().dialogs.shown.size(), 1);

    // Blank lines and trailing blanks are no rows: the chart draws.
    folder.write("BandPlan.txt", "\"2012\"\r\n\r\n\"20\",\"O\",\"PH\",14,14.35  \r\n\"20\",\"E\",\"CW\",14,14.15\r\n\r\n  \r\n");
    inChart(ShowBandPrivileges, [](frmBandPlanWindow& chart) {
        EXPECT_EQ(captions(chart.priv), QStringList{"14.000 - 14.150"});
    });
    EXPECT_EQ(Fakes().dialogs.shown.size(), 1);
}

TEST(BandPlanChartRules, BandsWithoutTheClassNextToTheirEdgesAndSegmentsThatCannotBeDrawnAreLeftOut) {
    BandPlanFile plan;
    plan.Complete = true;
    auto row = [&](const char* band, const char* cls, const char* mode, float lo, float hi) {
        plan.Rows.push_back({band, cls, mode, lo, hi});
    };
    row("40", "O", "PH", 7, 7.3);
    row("15", "E", "CW", 21, 21.2);    // another band's row between 40's edges and its own
    row("40", "E", "PH", 7.125, 7.3);
    row("20", "O", "PH", 14, 14.35);
    row("20", "E", "PH", 14.35, 14.15); // edges the wrong way round
    row("20", "E", "CW", 14, 14.15);
    row("6", "O", "PH", 50, 50);        // a band without width
    row("6", "E", "PH", 50.1, 54);
    row("20 ", "O", "PH", 14, 14.35);   // another band: the blank counts
    row("20 ", "G", "PH", 14, 14.35);
    const PrivilegeChart chart = LayOutPrivilegeChart(plan, "E", 9000, 6000, 700);
    ASSERT_EQ(chart.Bars.size(), 2u);
    EXPECT_EQ(chart.Bars[0].Caption, "20");
    EXPECT_EQ(chart.Bars[1].Caption, "6");
    ASSERT_EQ(chart.Segments.size(), 1u);
    EXPECT_EQ(chart.Segments[0].Caption, "14.000 - 14.150");
    EXPECT_TRUE(chart.Segments[0].CW);
    EXPECT_DOUBLE_EQ(chart.Segments[0].Left, chart.Bars[0].Left);

    // Past twenty bars the bars stay where they were first put, without tags or segments.
    BandPlanFile many;
    for (int b = 1; b <= 21; ++b) {
        many.Rows.push_back({QString::number(b), "O", "PH", 1, 2});
        many.Rows.push_back({QString::number(b), "E", "CW", 1, 2});
    }
    const PrivilegeChart crowded = LayOutPrivilegeChart(many, "E", 9000, 6000, 700);
    ASSERT_EQ(crowded.Bars.size(), 21u);
    EXPECT_DOUBLE_EQ(crowded.Bars[20].Top, 21 * 0.05 * 6000);
    EXPECT_TRUE(crowded.Tags.empty());
    EXPECT_TRUE(crowded.Segments.empty());
    many.Rows.pop_back();
    many.Rows.pop_back();
    EXPECT_EQ(LayOutPrivilegeChart(many, "E", 9000, 6000, 700).Segments.size(), 20u);
}

TEST(BandPlanChartRules, EdgesShowThreeDecimalsGroupedWithoutALeadingZero) {
    const std::pair<float, const char*> cases[] = {
        {7.125f, "7.125"}, {14.35f, "14.350"}, {1240, "1,240.000"}, {0.1357f, ".136"}, {0, ".000"},
        {123456.5f, "123,456.500"}, {-1.5f, "-1.500"},
    };
    for (const auto& [mhz, text] : cases) EXPECT_EQ(PrivilegeEdgeText(mhz), text) << mhz;
}
