// Spot intake, spot list and band map of the out-of-state window.
#include "logging/Outfrm.h"
#include "logging/Dispatcher.h"
#include "core/ProcessState.h"
#include "logging/ScoreRules.h"
#include "spotting/SpotRules.h"
#include "platform/Platform.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"
#include "platform/vb/Keys.h"
#include "rig/RadioLink.h"
#include "spotting/DXSpotTable.h"
#include "spotting/SpottingLink.h"

#include <algorithm>
#include <array>

namespace tylog {

namespace {

constexpr int kMaxSpotRows = 200;
// Opening the spot area squeezes the window's controls upwards to make room; closing stretches them
// back by 1.1111111, not quite 1/0.9: an open and a close leave each value at 0.99999999 of itself.
constexpr double kOpenFactor = 0.9;
constexpr double kCloseFactor = 1.1111111;
constexpr double kParkedTop = 1000;
// Gap between the axis and the labels above and below it, as a share of the window's height.
constexpr double kAxisGap = 0.004;

bool movesWithSpotArea(vb::Kind k) {
    return k == vb::Kind::Label || k == vb::Kind::TextBox || k == vb::Kind::CommandButton ||
           k == vb::Kind::ListBox || k == vb::Kind::ListView;
}

} // namespace

void OutfrmWindow::wireSpots() {
    txtDX.Click = [this] { txtDX_Click(); };
    txtDX.DblClick = [this] { txtDX_DblClick(); };
    lblDX.Click = [this] { lblDX_Click(); };
    lblDX.DblClick = [this] { lblDX_DblClick(); };
    for (auto& [index, label] : lblDXSpot) {
        const int i = index;
        label->MouseDown = [this, i](int b, int s, double x, double y) { lblDXSpot_MouseDown(i, b, s, x, y); };
        label->MouseMove = [this, i](int b, int s, double x, double y) { lblDXSpot_MouseMove(i, b, s, x, y); };
    }
}

// ---- Spot intake --------------------------------------------------------------------------------

void OutfrmWindow::BandMapSpots(const QVariant& qDXSpotCall, const QVariant& qDXSpotFreq, const QVariant& qDXSpotRecord) {
    try {
        double mhz = 0;
        if (!ParseSpotFrequency(qDXSpotFreq.toString(), &mhz)) return;
        const QString call = CleanSpotCall(qDXSpotCall.toString());
        if (call.isEmpty()) return;
        QString record = qDXSpotRecord.toString();
        const qsizetype cr = record.indexOf('\r');
        if (cr >= 0) record.truncate(cr);

        StoreSpot(DXSpotTable, call, static_cast<float>(mhz), platform().clock->Now());
        if (lblDX.Visible()) DisplayBandMapLabels();
        if (spottingLink().SpectrumMapVisible()) spottingLink().SpectrumMapRedraw();
        addSpotRow(SpotListRow(call, mhz, record));
    } catch (const VbError&) {
    }
}

void OutfrmWindow::addSpotRow(const QStringList& row) {
    // The load makes the columns; they take their alignment with the first row.
    if (txtDX.ColumnCount() > 3 && txtDX.ColumnAlignment(1) != 1) {
        txtDX.setColumnAlignment(1, 1); // the frequency to the right
        txtDX.setColumnAlignment(3, 2); // the status centred
    }
    while (txtDX.ItemCount() >= kMaxSpotRows) txtDX.RemoveItem(txtDX.ItemCount() - 1);
    txtDX.InsertItem(0, row);
}

// ---- Opening, switching and closing the spot area -----------------------------------------------

void OutfrmWindow::PacketResize() {
    try {
        const SpottingLink& spotting = spottingLink();
        const bool wantList = spotting.OptList();
        if (txtDX.Visible() && !wantList) {
            txtDX.setVisible(false);
            lblDX.setVisible(true);
            Form1().lblDX.setVisible(true);
            LineDX.setVisible(true);
            for (auto& [i, l] : lblFreqSpot) l->setVisible(true);
            // Only the spots due on the map may show: labels never placed would sit at their design
            // places over the rest of the window.
            DisplayBandMapLabels();
        } else if (wantList && lblDX.Visible()) {
            txtDX.setVisible(true);
            Form1().lblDX.setVisible(false);
            lblDX.setVisible(false);
            LineDX.setVisible(false);
            for (auto& [i, l] : lblDXSpot) l->setVisible(false);
            for (auto& [i, l] : lblFreqSpot) l->setVisible(false);
        }
        const bool spottingOff = spotting.Transport().compare("None", Qt::CaseInsensitive) == 0;
        if (!txtDX.Visible() && !lblDX.Visible() && !spottingOff) openSpotArea(wantList);
        if (spottingOff && (txtDX.Visible() || lblDX.Visible())) closeSpotArea();
    } catch (const VbError&) {
    }
}

void OutfrmWindow::openSpotArea(bool showList) {
    double bottom = 0;
    for (vb::Control* c : Controls()) {
        if (movesWithSpotArea(c->kind())) {
            c->Move(c->Left(), c->Top() * kOpenFactor, c->Width(), c->Height() * kOpenFactor);
            bottom = std::max(bottom, c->Top() + c->Height());
        } else if (c->kind() == vb::Kind::Line) {
            auto* l = static_cast<vb::Line*>(c);
            l->SetPoints(l->X1(), l->Y1() * kOpenFactor, l->X2(), l->Y2() * kOpenFactor);
        }
    }
    SetListHeights();

    const double height = std::max(0.0, ScaleHeight() - bottom);
    txtDX.Move(0.01 * Width(), bottom, 0.97 * Width(), height);
    lblDX.Move(txtDX.Left(), txtDX.Top(), txtDX.Width(), txtDX.Height());
    const double inset = lblDXSpot[0].Width() / 2;
    const double axisY = lblDX.Top() + lblDX.Height() / 2;
    LineDX.SetPoints(lblDX.Left() + inset, axisY, lblDX.Left() + lblDX.Width() - inset, axisY);
    for (auto& [i, l] : lblFreqSpot) l->setTop(LineDX.Y1() + kAxisGap * Height());
    BandMapScale();
    const double x1 = LineDX.X1(), x2 = LineDX.X2();
    for (auto& [i, l] : lblFreqSpot) l->setLeft(x1 + i * 0.25 * (x2 - x1) - l->Width() / 2);

    txtDX.setVisible(showList);
    lblDX.setVisible(!showList);
    LineDX.setVisible(!showList);
    for (auto& [i, l] : lblFreqSpot) l->setVisible(!showList);
    // The spot labels come with the next redraw of the map.
    for (auto& [i, l] : lblDXSpot) l->setVisible(false);
}

void OutfrmWindow::closeSpotArea() {
    for (vb::Control* c : Controls()) {
        if (movesWithSpotArea(c->kind())) {
            c->Move(c->Left(), c->Top() * kCloseFactor, c->Width(), c->Height() * kCloseFactor);
        } else if (c->kind() == vb::Kind::Line) {
            auto* l = static_cast<vb::Line*>(c);
            l->SetPoints(l->X1(), l->Y1() * kCloseFactor, l->X2(), l->Y2() * kCloseFactor);
        }
    }
    SetListHeights();
    // Hidden and parked out of the way until the area opens again.
    for (vb::Control* c : std::initializer_list<vb::Control*>{&txtDX, &lblDX}) {
        c->setVisible(false);
        c->setTop(kParkedTop);
    }
    LineDX.setY1(kParkedTop);
    LineDX.setY2(kParkedTop);
    LineDX.setVisible(false);
    for (auto& [i, l] : lblDXSpot) {
        l->setVisible(false);
        l->setTop(kParkedTop);
    }
    for (auto& [i, l] : lblFreqSpot) {
        l->setVisible(false);
        l->setTop(kParkedTop);
    }
}

// ---- The band map -------------------------------------------------------------------------------

void OutfrmWindow::BandMapScale() {
    double lower = 0, upper = 0;
    BandMapEdges(Station.CurrentBand, &lower, &upper);
    // Narrow the scale to the spread of the spots on the band; the oldest slot does not count.
    double low = upper, high = lower;
    for (int i = 1; i <= DXSpotTableData::Newest; ++i) {
        const double f = DXSpotTable.Freq[i];
        if (lower < f && f < upper) {
            low = std::min(low, f);
            high = std::max(high, f);
        }
    }
    if (high > low) {
        upper = high + 0.001;
        lower = low - 0.001;
    }
    for (auto& [i, l] : lblFreqSpot) l->setCaption(BandMapCaption(lower + i * 0.25 * (upper - lower)));
}

void OutfrmWindow::DisplayBandMapLabels() {
    if (!lblDX.Visible()) return;
    BandMapScale();
    // The ends as the scale shows them, rounded to three decimals.
    double low = 0, high = 0;
    ParseNumber(lblFreqSpot[0].Caption(), &low);
    ParseNumber(lblFreqSpot[4].Caption(), &high);
    const float lowSingle = static_cast<float>(low), highSingle = static_cast<float>(high);
    const QDateTime now = platform().clock->Now();
    const double x1 = LineDX.X1(), x2 = LineDX.X2();
    // Every label is hidden unless drawn below. A redraw runs after every spot, so a label only
    // changes what differs from the last one: showing and hiding widgets is what costs.
    std::array<bool, DXSpotTableData::Newest + 1> shown{};
    for (int i = DXSpotTableData::Newest; i >= 0; --i) {
        const float f = DXSpotTable.Freq[i];
        if (!(lowSingle < f && f < highSingle)) continue;
        // Newest first: the first spot an hour old ends the redraw, older ones stay hidden.
        const long color = SpotAgeColor(SpotAgeSeconds(DXSpotTable.Time[i], now));
        if (color < 0) break;
        vb::Label& l = lblDXSpot[i];
        const QString tip = DXSpotTable.Call[i] + "  " + BandMapCaption(f) + "  " +
                            UtcFromLocal(DXSpotTable.Time[i], Station.UtcOffsetHours).toString("hh:mm:ss");
        if (l.ToolTipText() != tip) l.setToolTipText(tip);
        l.setCaption(DXSpotTable.Prefix[i]);
        const double top = LineDX.Y1() - l.Height() - kAxisGap * Height();
        const double left = x1 + (f - low) / (high - low) * (x2 - x1) - l.Width() / 2;
        if (l.Top() != top || l.Left() != left) l.Move(left, top, l.Width(), l.Height());
        if (l.ForeColor() != color) l.setForeColor(color);
        shown[static_cast<size_t>(i)] = true;
    }
    for (auto& [i, l] : lblDXSpot)
        if (i >= 0 && i < static_cast<int>(shown.size()) && l->Visible() != shown[static_cast<size_t>(i)])
            l->setVisible(shown[static_cast<size_t>(i)]);
}

void OutfrmWindow::lblDXSpot_MouseMove(int Index, int Button, int Shift, double X, double Y) {
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
    if (!lblDXSpot.Exists(Index)) return;
    lblDupe.setCaption(lblDXSpot[Index].ToolTipText());
}

void OutfrmWindow::lblDXSpot_MouseDown(int Index, int Button, int Shift, double X, double Y) {
    (void)Shift;
    (void)X;
    (void)Y;
    if (Index < 0 || Index > DXSpotTableData::Newest) return;
    if (Button == vb::vbRightButton) {
        // Taken before tuning: a spot arriving meanwhile moves the slots on.
        float mhz = DXSpotTable.Freq[Index];
        const QString call = DXSpotTable.Call[Index];
        radioLink().ChangeFrequency(mhz);
        txtCall.SetFocus();
        txtCall.setText(call);
        SendTab();
    } else {
        DXSpotTable.Freq[Index] = 0;
        DisplayBandMapLabels();
    }
}

// ---- The spot list and the map's background -----------------------------------------------------

void OutfrmWindow::txtDX_Click() {
    try {
        txtCall.SetFocus();
        if (txtDX.ItemCount() == 0) return;
        const int row = txtDX.SelectedRow();
        if (row < 0) return;
        // Taken before tuning: a spot arriving meanwhile moves the rows on.
        const QString call = txtDX.ItemText(row, 0);
        double mhz = 0;
        if (!ParseNumber(txtDX.ItemText(row, 1), &mhz)) return;
        if (Station.RigType.compare("None", Qt::CaseInsensitive) != 0) {
            float single = static_cast<float>(mhz);
            radioLink().ChangeFrequency(single);
        }
        txtCall.SetFocus();
        txtCall.setText(call);
    } catch (const VbError&) {
    }
}

void OutfrmWindow::txtDX_DblClick() { spottingLink().ShowSpectrumMap(); }
void OutfrmWindow::lblDX_DblClick() { spottingLink().ShowSpectrumMap(); }
void OutfrmWindow::lblDX_Click() { spottingLink().ShowSpottingWindow(); }

} // namespace tylog
