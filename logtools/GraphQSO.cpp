#include "logtools/GraphQSO.h"
#include "logstore/ContactLog.h"
#include "platform/Diagnostics.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/vb/Color.h"
#include "platform/vb/Design.h"
#include "platform/vb/FormScaling.h"

#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <exception>

namespace tylog {

namespace {

// The design: a window the size of the design screen, which the load fits to the work area.
constexpr double kDesignWidth = 9600, kDesignHeight = 7200;
constexpr double kInnerWidth = 9480, kInnerHeight = 6750; // less the fixed single border and caption

struct BandLegend {
    const char* caption;
    const char* band;
};
constexpr BandLegend kLegend[] = {{"160", "160"}, {"80", "80"}, {"40", "40"}, {"20", "20"},
                                  {"15", "15"},   {"10", "10"}, {"Other", ""}};

// The hourglass while the graph is drawn again, the arrow back whatever happens.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

bool usable(double v) { return std::isfinite(v) && v > 0; }

} // namespace

GraphQSOWindow::GraphQSOWindow() : vb::Form("GraphQSO") {
    for (int k = 0; k <= 14; ++k) LineGrid.Add(*this, "LineGrid", k, &picGraph);
    for (int k = 0; k <= 16; ++k) lblY.Add(*this, "lblY", k, &picGraph);
    for (int k = 0; k <= 14; ++k) lblTime.Add(*this, "lblTime", k, &picGraph);
    for (int k = 0; k <= 14; ++k) lblDate.Add(*this, "lblDate", k, &picGraph);
    for (int i = 0; i <= 6; ++i) lblBnd.Add(*this, "lblBnd", i, &picGraph);
    Command1.ZOrder(0); // made before the arrays: in front of them

    const vb::ControlLook axis{.ForeColor = vb::vbWhite};
    std::vector<vb::ControlDesign> rows{
        // control  caption  left  top   width height tab  {look}
        {picGraph, {}, 0, 0, kInnerWidth, kInnerHeight, {}, {.BackColor = vb::vbBlack}},
        {Line1, {}, 480, 120, 9240, 120},
        {Line2, {}, 480, 5880, 9240, 5880},
        {Line3, {}, 9240, 120, 9240, 5880},
        {Line4, {}, 480, 120, 480, 5880},
        {Line8, {}, 480, 5900, 9240, 5900, {}, {.Visible = false}},
        {Line9, {}, 480, 6000, 9240, 6000, {}, {.Visible = false}},
        {Label1, "Band ", 0, 6450, 450, 195, {}, axis},
        {Command1, BlackBackgroundCaption, 8160, 6405, 1290, 330, 0},
    };
    for (int k = 0; k <= 14; ++k) {
        const double y = 480 + 360 * k;
        rows.push_back({LineGrid[k], {}, 500, y, 9240, y});
    }
    for (int k = 0; k <= 16; ++k) rows.push_back({lblY[k], "", 0, 5790.0 - 360 * k, 450, 180, {}, axis});
    for (int k = 0; k <= 14; ++k) {
        const double left = 230 + 625 * k; // centred on k / 14 of the time axis
        rows.push_back({lblTime[k], "00:00", left, 6015, 500, 180, {}, axis});
        rows.push_back({lblDate[k], "MM/DD", left, 6195, 500, 180, {}, axis});
    }
    for (int i = 0; i <= 6; ++i)
        rows.push_back({lblBnd[i], kLegend[i].caption, 480.0 + 600 * i, 6450, 555, 195, {},
                        {.FontBold = true, .ForeColor = RateGraphBandColor(kLegend[i].band)}});
    vb::ApplyDesign(*this,
                    {.Caption = GraphQSOCaption, .Width = kDesignWidth, .Height = kDesignHeight, .BorderStyle = 1,
                     .FontName = "Arial", .FontSize = 8.25, .BackColor = vb::vbBlack},
                    rows);

    picGraph.setBorderStyle(0);
    for (vb::Line* l : {&Line1, &Line2, &Line3, &Line4, &Line8, &Line9}) l->setBorderColor(vb::vbWhite);
    for (auto& [k, l] : LineGrid) {
        l->setBorderColor(GraphGridColor);
        l->BorderStyle = 3; // dotted
    }
    Label1.setAlignment(1);
    Label1.setBackStyle(0);
    for (vb::ControlArray<vb::Label>* a : {&lblY, &lblTime, &lblDate, &lblBnd})
        for (auto& [k, l] : *a) {
            l->setBackStyle(0);
            l->setAlignment(a == &lblY ? 1 : 2);
        }

    Command1.Click = [this] { Command1_Click(); };
}

void GraphQSOWindow::Form_Load() {
    Screen& screen = *platform().screen;
    const double designWidth = Width(), designHeight = Height();
    // Fitted to the work area: a window designed full size fills it. A step that fails is skipped.
    const QRectF area = screen.WorkArea();
    const double w = area.width() * (designWidth / kDesignWidth), h = area.height() * (designHeight / kDesignHeight);
    if (usable(w) && usable(h)) Move(area.left() + (area.width() - w) / 2, area.top() + (area.height() - h) / 2, w, h);
    else qCDebug(lcLogTools) << "rate graph: no usable work area, the window keeps its design size";

    const double fontFactor = std::min(screen.Width() / kDesignWidth, 1.5);
    if (usable(Width() / kDesignWidth)) setFontSize(FontSize() * (Width() / kDesignWidth));
    if (usable(fontFactor)) {
        using vb::Kind;
        ScaleControlsOfKinds(*this, {Kind::PictureBox, Kind::Line, Kind::Label, Kind::CommandButton},
                             {Width(), designWidth}, {Height(), designHeight}, {fontFactor});
    } else {
        qCDebug(lcLogTools) << "rate graph: no usable screen width, the controls keep their design";
    }

    DrawRateGraph();
}

void GraphQSOWindow::DrawRateGraph() {
    try {
        const RateGraphFrame frame{.Left = Line4.X1(),
                                   .Right = Line3.X1(),
                                   .Top = Line1.Y1(),
                                   .Bottom = Line2.Y1(),
                                   .StripTop = Line8.Y1(),
                                   .StripBottom = Line9.Y1(),
                                   .Width = picGraph.ScaleWidth(),
                                   .Height = picGraph.ScaleHeight()};
        Graph = ComputeRateGraph(ContactLog, picGraph.BackColor(), frame);
        if (Graph.End == RateGraphEnd::TooFewContacts) {
            MsgBox(RateGraphTooFewText, vbOKOnly, RateGraphTooFewTitle);
            return;
        }
        // What the computation reached before it ended is shown; the drawing only when it came through.
        for (int k = 0; k < Graph.TimeLabels.size() && k <= 14; ++k) {
            lblTime[k].setCaption(Graph.TimeLabels[k]);
            lblDate[k].setCaption(Graph.DateLabels[k]);
        }
        for (int k = 0; k < Graph.RateLabels.size() && k <= 16; ++k) lblY[k].setCaption(Graph.RateLabels[k]);
        if (Graph.End != RateGraphEnd::Drawn) {
            qCDebug(lcLogTools) << "rate graph: drawing ended early," << static_cast<int>(Graph.End) << "at record"
                                << Graph.Record;
            return;
        }
        for (const vb::DrawItem& d : Graph.Drawing)
            picGraph.Line(d.x1, d.y1, d.x2, d.y2, d.color,
                          d.kind == vb::DrawItem::Kind::FilledBox ? vb::LineShape::BF : vb::LineShape::Line);
    } catch (const std::exception& e) {
        // The graph ends without a word, keeping what it had drawn.
        qCDebug(lcLogTools) << "rate graph: drawing failed:" << e.what();
    }
}

void GraphQSOWindow::Command1_Click() {
    WaitCursor wait;
    const bool toWhite = Command1.Caption() == QLatin1String(BlackBackgroundCaption);
    const long back = toWhite ? vb::vbWhite : vb::vbBlack, fore = toWhite ? vb::vbBlack : vb::vbWhite;
    Command1.setCaption(toWhite ? WhiteBackgroundCaption : BlackBackgroundCaption);
    // The caption names the background shown; the legend keeps its colours, the grid joins the lines.
    setBackColor(back);
    picGraph.setBackColor(back); // clears the drawing
    Label1.setForeColor(fore);
    for (vb::ControlArray<vb::Label>* a : {&lblY, &lblTime, &lblDate})
        for (auto& [k, l] : *a) l->setForeColor(fore);
    for (vb::Line* l : {&Line1, &Line2, &Line3, &Line4, &Line8, &Line9}) l->setBorderColor(fore);
    for (auto& [k, l] : LineGrid) l->setBorderColor(fore);
    DrawRateGraph();
}

} // namespace tylog
