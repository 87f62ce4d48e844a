// The QSO-rate graph window: opened from either logging window's "&Graph" item, fitted to the work area,
// drawing what the computation gives on its picture box, switching its background, the message of a
// log too small to graph, and the logs that end the drawing early without harm.
#include "logtools/GraphQSO.h"
#include "platform/vb/Color.h"
#include "platform/vb/Design.h"
#include "tests/logging/InfrmFixture.h"
#include "tests/logging/LogWindowFixture.h"

using namespace tylog;
using namespace tylog::testing;

namespace {

// Picks "&Graph" in either logging window and runs `act` inside the modal window, then closes it by
// its close box.
void OpenGraph(LoggingWindow& w, const std::function<void(GraphQSOWindow&)>& act) {
    bool shown = false;
    platform().onModalShown = [&](vb::Form& f) {
        auto* g = dynamic_cast<GraphQSOWindow*>(&f);
        ASSERT_NE(g, nullptr) << f.Name.toStdString();
        shown = true;
        EXPECT_TRUE(g->ShownModal());
        act(*g);
        g->close();
    };
    w.mnuGraph.action()->trigger();
    platform().onModalShown = nullptr;
    EXPECT_TRUE(shown);
    EXPECT_EQ(vb::IfLoaded<GraphQSOWindow>(), nullptr) << "unloaded once closed";
}

class GraphQSOTest : public LogWindowTest {
protected:
    // Contacts one minute apart from 14:00:00, on the bands given in turn.
    static QByteArray MinuteLog(int n, const QStringList& bands = {"20"}) {
        QByteArray out;
        for (int i = 0; i < n; ++i)
            out += Contact(QString("K%1A").arg(i + 1), "Larkmoor", bands[i % bands.size()], "PH",
                           QTime(14, 0).addSecs(60 * i).toString("hh:mm:ss"));
        return out;
    }

    static std::vector<vb::Label*> axisLabels(GraphQSOWindow& g) {
        std::vector<vb::Label*> out{&g.Label1};
        for (vb::ControlArray<vb::Label>* a : {&g.lblY, &g.lblTime, &g.lblDate})
            for (auto& [k, l] : *a) out.push_back(l.get());
        return out;
    }
    static std::vector<vb::Line*> lines(GraphQSOWindow& g) {
        std::vector<vb::Line*> out{&g.Line1, &g.Line2, &g.Line3, &g.Line4, &g.Line8, &g.Line9};
        for (auto& [k, l] : g.LineGrid) out.push_back(l.get());
        return out;
    }
};

} // namespace

TEST_F(GraphQSOTest, GraphItemDrawsTheLogFittedToTheWorkAreaAndSwitchesItsBackground) {
    Fakes().screen.workArea = QRectF(0, 0, 15360, 10800); // 1024 x 768 less a taskbar of 48 pixels
    OutfrmWindow& w = open(MinuteLog(20, {"20", "40", "160", "6"}));
    Fakes().dialogs.shown.clear();
    OpenGraph(w, [](GraphQSOWindow& g) {
        EXPECT_EQ(g.Caption(), GraphQSOCaption);
        // A window designed full size fills the work area; the plot and the fonts grow with it.
        EXPECT_DOUBLE_EQ(g.Left(), 0);
        EXPECT_DOUBLE_EQ(g.Top(), 0);
        EXPECT_DOUBLE_EQ(g.Width(), 15360);
        EXPECT_DOUBLE_EQ(g.Height(), 10800);
        EXPECT_DOUBLE_EQ(g.Line3.X1(), 9240 * 1.6);
        EXPECT_DOUBLE_EQ(g.Line2.Y1(), 5880 * 1.5);
        EXPECT_DOUBLE_EQ(g.lblY[0].FontSize(), 8.25 * 1.5) << "the control font factor stops at 1.5";

        ASSERT_EQ(g.Graph.End, RateGraphEnd::Drawn);
        EXPECT_EQ(g.lblTime[0].Caption(), "14:00");
        EXPECT_EQ(g.lblTime[14].Caption(), "14:19");
        EXPECT_EQ(g.lblDate[7].Caption(), "09/15");
        EXPECT_EQ(g.lblY[0].Caption(), g.Graph.RateLabels[0]);
        EXPECT_EQ(g.lblY[16].Caption(), g.Graph.RateLabels[16]);
        EXPECT_EQ(g.lblY[16].Caption(), "60.0") << "ten contacts in ten minutes";

        // The drawing is replayed as computed, on the plot of the scaled lines.
        EXPECT_FALSE(g.picGraph.Drawn().empty());
        EXPECT_EQ(g.picGraph.Drawn(), g.Graph.Drawing);
        for (const vb::DrawItem& d : g.picGraph.Drawn()) {
            EXPECT_LE(std::max(d.x1, d.x2), g.Line3.X1());
            EXPECT_GE(std::min(d.x1, d.x2), g.Line4.X1() - 2 * g.Graph.Step);
            if (d.kind == vb::DrawItem::Kind::FilledBox) {
                EXPECT_DOUBLE_EQ(d.y1, g.Line8.Y1());
                EXPECT_DOUBLE_EQ(d.y2, g.Line9.Y1());
            }
        }

        const std::vector<vb::DrawItem> onBlack = g.picGraph.Drawn();
        QTest::mouseClick(g.Command1.widget(), Qt::LeftButton);
        EXPECT_EQ(g.Command1.Caption(), WhiteBackgroundCaption);
        EXPECT_EQ(g.picGraph.BackColor(), vb::vbWhite);
        EXPECT_EQ(g.picGraph.Point(10, 10), vb::vbWhite);
        for (vb::Label* l : axisLabels(g)) EXPECT_EQ(l->ForeColor(), vb::vbBlack) << l->Name.toStdString();
        for (vb::Line* l : lines(g)) EXPECT_EQ(l->BorderColor(), vb::vbBlack) << l->Name.toStdString();
        EXPECT_EQ(g.lblBnd[2].ForeColor(), vb::RGB(255, 0, 0)) << "the legend keeps its colours";
        EXPECT_FALSE(g.picGraph.Drawn().empty());
        EXPECT_EQ(g.picGraph.Drawn(), g.Graph.Drawing) << "drawn once again, on the new background";

        QTest::mouseClick(g.Command1.widget(), Qt::LeftButton);
        EXPECT_EQ(g.Command1.Caption(), BlackBackgroundCaption);
        EXPECT_EQ(g.picGraph.BackColor(), vb::vbBlack);
        for (vb::Label* l : axisLabels(g)) EXPECT_EQ(l->ForeColor(), vb::vbWhite) << l->Name.toStdString();
        for (vb::Line* l : lines(g)) EXPECT_EQ(l->BorderColor(), vb::vbWhite) << "the grid is no longer grey";
        EXPECT_EQ(g.picGraph.Drawn(), onBlack);
    });
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

TEST_F(GraphQSOTest, BelowSevenContactsTheMessageShowsAndThePlotStaysEmpty) {
    for (const int n : {6, 7}) {
        SCOPED_TRACE(n);
        OutfrmWindow& w = open(MinuteLog(n));
        Fakes().dialogs.shown.clear();
        if (n < 7) Fakes().dialogs.AnswerMsgBox(vbOK);
        OpenGraph(w, [n](GraphQSOWindow& g) {
            EXPECT_EQ(g.picGraph.Drawn().empty(), n < 7);
            EXPECT_EQ(g.lblTime[0].Caption(), n < 7 ? "00:00" : "14:00");
            EXPECT_EQ(g.lblDate[0].Caption(), n < 7 ? "MM/DD" : "09/15");
        });
        if (n < 7) {
            ASSERT_EQ(Fakes().dialogs.shown.size(), 1);
            const auto& box = Fakes().dialogs.shown[0];
            EXPECT_EQ(box.title, "Not Enough Contacts to Graph.");
            EXPECT_EQ(box.prompt, "The graph will not display with less than 7 contacts.  The graph becomes more "
                                  "meaningful as several hours of contest logging are accumulated.");
            EXPECT_EQ(box.buttons, vbOKOnly);
        } else {
            EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
        }
        vb::DiscardAllForms();
    }
}

// Logs the computation cannot draw end the drawing silently, in the window as well, keeping the axes
// they reached; a background switch on them is just as quiet.
TEST_F(GraphQSOTest, LogsThatCannotBeDrawnLeaveAnEmptyPlotWithoutAWord) {
    auto at = [](const std::vector<int>& seconds) {
        QByteArray out;
        for (int s : seconds) out += Contact("K1A", "Larkmoor", "20", "PH", QTime(0, 0).addSecs(s).toString("hh:mm:ss"));
        return out;
    };
    std::vector<int> tenMinutes; // 100 silences of ten minutes, each bridged
    for (int k = 0; k <= 100; ++k) tenMinutes.push_back(600 * k);
    QByteArray badTime = at({0, 10, 20, 30, 40, 50, 60});
    badTime.replace("00:00:30", "25:99:00");
    const struct {
        const char* what;
        QByteArray log;
        QString firstTime, lowestRate;
    } cases[] = {
        {"all in one second", at({5, 5, 5, 5, 5, 5, 5}), "00:00", ""},
        {"every contact ten minutes apart: a flat curve", at(tenMinutes), "00:00", "6.0"},
        {"a contact before the first: out of time order", at({600, 700, 0, 800, 900, 1000, 1200}), "00:10", ""},
        {"a time that does not read", badTime, "00:00", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder.write("log.txt", c.log);
        LoadLog();
        GraphQSOWindow& g = GraphQSO();
        EXPECT_NE(g.Graph.End, RateGraphEnd::Drawn);
        EXPECT_TRUE(g.picGraph.Drawn().empty());
        EXPECT_EQ(g.lblTime[0].Caption(), c.firstTime);
        EXPECT_EQ(g.lblY[0].Caption(), c.lowestRate);
        g.Command1.RaiseClick();
        EXPECT_EQ(g.Command1.Caption(), WhiteBackgroundCaption);
        EXPECT_TRUE(g.picGraph.Drawn().empty());
        vb::Unload(g);
    }
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

TEST_F(GraphQSOTest, IsLaidOutAsDesigned) {
    GraphQSOWindow g; // not loaded: the design values
    const vb::ControlLook white{.ForeColor = vb::vbWhite};
    std::vector<vb::ControlDesign> rows{
        {g.Line1, {}, 480, 120, 9240, 120},
        {g.Line2, {}, 480, 5880, 9240, 5880},
        {g.Line3, {}, 9240, 120, 9240, 5880},
        {g.Line4, {}, 480, 120, 480, 5880},
        {g.Line8, {}, {}, 5900, {}, 5900, {}, {.Visible = false}},
        {g.Line9, {}, {}, 6000, {}, 6000, {}, {.Visible = false}},
        {g.Label1, "Band ", 0, {}, {}, {}, {}, white},
        {g.Command1, "Black Background", 8160},
        {g.picGraph, {}, 0, 0, g.ScaleWidth(), g.ScaleHeight(), {}, {.BackColor = vb::vbBlack}},
    };
    for (int k = 0; k <= 14; ++k) rows.push_back({g.LineGrid[k], {}, 500, 480.0 + 360 * k, {}, 480.0 + 360 * k});
    for (int k = 0; k <= 16; ++k) rows.push_back({g.lblY[k], {}, 0, {}, {}, {}, {}, white});
    for (int k = 0; k <= 14; ++k) {
        rows.push_back({g.lblTime[k], "00:00", {}, {}, {}, {}, {}, white});
        rows.push_back({g.lblDate[k], "MM/DD", {}, {}, {}, {}, {}, white});
    }
    const std::pair<const char*, long> legend[] = {{"160", vb::RGB(255, 255, 255)}, {"80", vb::RGB(0, 0, 255)},
                                                   {"40", vb::RGB(255, 0, 0)},      {"20", vb::RGB(0, 255, 0)},
                                                   {"15", vb::RGB(128, 255, 255)},  {"10", vb::RGB(255, 0, 255)},
                                                   {"Other", vb::RGB(255, 255, 0)}};
    for (int i = 0; i <= 6; ++i)
        rows.push_back({g.lblBnd[i], legend[i].first, {}, {}, {}, {}, {}, {.FontBold = true, .ForeColor = legend[i].second}});
    EXPECT_EQ(vb::DesignDifferences(g, {.Caption = " Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)",
                                        .Width = 9600, .Height = 7200, .BackColor = vb::vbBlack},
                                    rows)
                  .join('\n')
                  .toStdString(),
              "");
    for (auto& [k, l] : g.LineGrid) {
        EXPECT_EQ(l->BorderColor(), vb::RGB(128, 128, 128));
        EXPECT_EQ(l->BorderStyle, 3) << "dotted";
    }
    // The axis texts sit under the strip, the times above the dates, centred on k / 14 of the time axis.
    for (int k = 0; k <= 14; ++k) {
        EXPECT_GT(g.lblTime[k].Top(), 6000);
        EXPECT_GT(g.lblDate[k].Top(), g.lblTime[k].Top());
        EXPECT_NEAR(g.lblTime[k].Left() + g.lblTime[k].Width() / 2, 480 + k * 8760.0 / 14, 10);
    }
    // Every control lies inside the window.
    for (vb::Control* c : g.Controls())
        if (c->kind() != vb::Kind::Line) {
            EXPECT_LE(c->Left() + c->Width(), g.ScaleWidth()) << c->Name.toStdString();
            EXPECT_LE(c->Top() + c->Height(), g.ScaleHeight()) << c->Name.toStdString();
        }
}

namespace {

class GraphQSOInstateTest : public InfrmFixture {};

} // namespace

// The in-state window's "&Graph" opens the same window on the log it keeps.
TEST_F(GraphQSOInstateTest, GraphItemOfTheInStateWindowDrawsItsLog) {
    QByteArray log;
    for (int i = 0; i < 20; ++i)
        log += Contact({.call = QString("K%1A").arg(i + 1), .band = i % 2 ? "40" : "20",
                        .time = QTime(14, 0).addSecs(60 * i).toString("hh:mm:ss")});
    InfrmWindow& w = open(log);
    Fakes().dialogs.shown.clear();
    OpenGraph(w, [](GraphQSOWindow& g) {
        EXPECT_EQ(g.Caption(), GraphQSOCaption);
        ASSERT_EQ(g.Graph.End, RateGraphEnd::Drawn);
        EXPECT_EQ(g.lblTime[0].Caption(), "14:00");
        EXPECT_EQ(g.lblTime[14].Caption(), "14:19");
        EXPECT_EQ(g.lblY[16].Caption(), "60.0") << "ten contacts in ten minutes";
        EXPECT_FALSE(g.picGraph.Drawn().empty());
        EXPECT_EQ(g.picGraph.Drawn(), g.Graph.Drawing);
    });
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
    EXPECT_TRUE(w.isVisible());
}
