#include "logging/SpotArea.h"
#include "core/ProcessState.h"
#include "core/UtcTime.h"
#include "logging/Dispatcher.h"
#include "logging/LoggingWindow.h"
#include "platform/Platform.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"
#include "platform/vb/Keys.h"
#include "rig/RadioLink.h"
#include "spotting/DXSpotTable.h"
#include "spotting/SpotRules.h"
#include "spotting/SpottingLink.h"
#include "platform/Diagnostics.h"

#include <algorithm>
#include <array>
#include <initializer_list>

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

// Every label, box, button and list top and height (and every line's ends) times `factor`; the
// largest bottom after it.
double scaleVertically(LoggingWindow& w, double factor) {
    double bottom = 0;
    for (vb::Control* c : w.Controls()) {
        if (movesWithSpotArea(c->kind())) {
            c->Move(c->Left(), c->Top() * factor, c->Width(), c->Height() * factor);
            bottom = std::max(bottom, c->Top() + c->Height());
        } else if (c->kind() == vb::Kind::Line) {
            auto* l = static_cast<vb::Line*>(c);
            l->SetPoints(l->X1(), l->Y1() * factor, l->X2(), l->Y2() * factor);
        }
    }
    return bottom;
}

void addSpotRow(vb::ListView& list, const QStringList& row) {
    // The load makes the columns; they take their alignment with the first row.
    if (list.ColumnCount() > 3 && list.ColumnAlignment(1) != 1) {
        list.setColumnAlignment(1, 1); // the frequency to the right
        list.setColumnAlignment(3, 2); // the status centred
    }
    while (list.ItemCount() >= kMaxSpotRows) list.RemoveItem(list.ItemCount() - 1);
    list.InsertItem(0, row);
}

void showBandMap(LoggingWindow& w, bool show) {
    w.lblDX.setVisible(show);
    w.LineDX.setVisible(show);
    for (auto& [i, l] : w.lblFreqSpot) l->setVisible(show);
}

void openSpotArea(LoggingWindow& w, bool showList) {
    const double bottom = scaleVertically(w, kOpenFactor);
    w.SetListHeights();

    const double height = std::max(0.0, w.ScaleHeight() - bottom);
    w.txtDX.Move(0.01 * w.Width(), bottom, 0.97 * w.Width(), height);
    w.lblDX.Move(w.txtDX.Left(), w.txtDX.Top(), w.txtDX.Width(), w.txtDX.Height());
    const double inset = w.lblDXSpot[0].Width() / 2;
    const double axisY = w.lblDX.Top() + w.lblDX.Height() / 2;
    w.LineDX.SetPoints(w.lblDX.Left() + inset, axisY, w.lblDX.Left() + w.lblDX.Width() - inset, axisY);
    for (auto& [i, l] : w.lblFreqSpot) l->setTop(w.LineDX.Y1() + kAxisGap * w.Height());
    ScaleBandMap(w);
    const double x1 = w.LineDX.X1(), x2 = w.LineDX.X2();
    for (auto& [i, l] : w.lblFreqSpot) l->setLeft(x1 + i * 0.25 * (x2 - x1) - l->Width() / 2);

    w.txtDX.setVisible(showList);
    showBandMap(w, !showList);
    // The spot labels come with the next redraw of the map.
    for (auto& [i, l] : w.lblDXSpot) l->setVisible(false);
}

void closeSpotArea(LoggingWindow& w) {
    scaleVertically(w, kCloseFactor);
    w.SetListHeights();
    // Hidden and parked out of the way until the area opens again.
    for (vb::Control* c : std::initializer_list<vb::Control*>{&w.txtDX, &w.lblDX}) {
        c->setVisible(false);
        c->setTop(kParkedTop);
    }
    w.LineDX.setY1(kParkedTop);
    w.LineDX.setY2(kParkedTop);
    w.LineDX.setVisible(false);
    for (auto* labels : {&w.lblDXSpot, &w.lblFreqSpot}) {
        for (auto& [i, l] : *labels) {
            l->setVisible(false);
            l->setTop(kParkedTop);
        }
    }
}

} // namespace

// ---- Spot intake --------------------------------------------------------------------------------

void TakeSpot(LoggingWindow& w, const QVariant& call, const QVariant& khz, const QVariant& record) {
    try {
        double mhz = 0;
        if (!ParseSpotFrequency(khz.toString(), &mhz)) return;
        const QString cleanCall = CleanSpotCall(call.toString());
        if (cleanCall.isEmpty()) return;
        QString line = record.toString();
        const qsizetype cr = line.indexOf('\r');
        if (cr >= 0) line.truncate(cr);

        StoreSpot(DXSpotTable, cleanCall, static_cast<float>(mhz), platform().clock->Now());
        if (w.lblDX.Visible()) w.DisplayBandMapLabels();
        if (spottingLink().SpectrumMapVisible()) spottingLink().SpectrumMapRedraw();
        addSpotRow(w.txtDX, SpotListRow(cleanCall, mhz, line));
    } catch (const VbError& e) {
        // What was stored stays stored; the spotting window goes on with the next spot.
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
}

// ---- Opening, switching and closing the spot area -----------------------------------------------

void ResizeSpotArea(LoggingWindow& w) {
    try {
        const SpottingLink& spotting = spottingLink();
        const bool wantList = spotting.OptList();
        if (w.txtDX.Visible() && !wantList) {
            w.txtDX.setVisible(false);
            showBandMap(w, true);
            Form1().lblDX.setVisible(true);
            // Only the spots due on the map may show: labels never placed would sit at their design
            // places over the rest of the window.
            w.DisplayBandMapLabels();
        } else if (wantList && w.lblDX.Visible()) {
            w.txtDX.setVisible(true);
            Form1().lblDX.setVisible(false);
            showBandMap(w, false);
            for (auto& [i, l] : w.lblDXSpot) l->setVisible(false);
        }
        const bool spottingOff = spotting.Transport().compare("None", Qt::CaseInsensitive) == 0;
        if (!w.txtDX.Visible() && !w.lblDX.Visible() && !spottingOff) openSpotArea(w, wantList);
        if (spottingOff && (w.txtDX.Visible() || w.lblDX.Visible())) closeSpotArea(w);
    } catch (const VbError& e) {
        // The controls keep the sizes and visibility reached so far.
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
}

// ---- The band map -------------------------------------------------------------------------------

void ScaleBandMap(LoggingWindow& w) {
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
    for (auto& [i, l] : w.lblFreqSpot) l->setCaption(BandMapCaption(lower + i * 0.25 * (upper - lower)));
}

void DrawBandMap(LoggingWindow& w) {
    if (!w.lblDX.Visible()) return;
    try {
        ScaleBandMap(w);
        // The ends as the scale shows them, rounded to three decimals.
        double low = 0, high = 0;
        ParseNumber(w.lblFreqSpot[0].Caption(), &low);
        ParseNumber(w.lblFreqSpot[4].Caption(), &high);
        const float lowSingle = static_cast<float>(low), highSingle = static_cast<float>(high);
        const QDateTime now = platform().clock->Now();
        const double x1 = w.LineDX.X1(), x2 = w.LineDX.X2();
        // Every label is hidden unless drawn below. A redraw runs after every spot, so a label only
        // changes what differs from the last one: showing and hiding widgets is what costs.
        std::array<bool, DXSpotTableData::Newest + 1> shown{};
        for (int i = DXSpotTableData::Newest; i >= 0; --i) {
            const float f = DXSpotTable.Freq[i];
            if (!(lowSingle < f && f < highSingle)) continue;
            // Newest first: the first spot an hour old ends the redraw, older ones stay hidden.
            const long color = SpotAgeColor(SpotAgeSeconds(DXSpotTable.Time[i], now));
            if (color < 0) break;
            vb::Label& l = w.lblDXSpot[i];
            const QString tip = DXSpotTable.Call[i] + "  " + BandMapCaption(f) + "  " +
                                UtcFromLocal(DXSpotTable.Time[i], Station.UtcOffsetHours).toString("hh:mm:ss");
            if (l.ToolTipText() != tip) l.setToolTipText(tip);
            l.setCaption(DXSpotTable.Prefix[i]);
            const double top = w.LineDX.Y1() - l.Height() - kAxisGap * w.Height();
            const double left = x1 + (f - low) / (high - low) * (x2 - x1) - l.Width() / 2;
            if (l.Top() != top || l.Left() != left) l.Move(left, top, l.Width(), l.Height());
            if (l.ForeColor() != color) l.setForeColor(color);
            shown[static_cast<size_t>(i)] = true;
        }
        for (auto& [i, l] : w.lblDXSpot)
            if (i >= 0 && i < static_cast<int>(shown.size()) && l->Visible() != shown[static_cast<size_t>(i)])
                l->setVisible(shown[static_cast<size_t>(i)]);
    } catch (const VbError& e) {
        // The labels drawn so far stay as they are.
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
}

// ---- Mouse actions ------------------------------------------------------------------------------

void ShowSpotLabelTip(LoggingWindow& w, int index) {
    if (!w.lblDXSpot.Exists(index)) return;
    w.lblDupe.setCaption(w.lblDXSpot[index].ToolTipText());
}

void PressSpotLabel(LoggingWindow& w, int index, int button) {
    if (index < 0 || index > DXSpotTableData::Newest) return;
    if (button == vb::vbRightButton) {
        // Taken before tuning: a spot arriving meanwhile moves the slots on.
        float mhz = DXSpotTable.Freq[index];
        const QString call = DXSpotTable.Call[index];
        radioLink().ChangeFrequency(mhz);
        w.txtCall.SetFocus();
        w.txtCall.setText(call);
        w.SendTab();
    } else {
        DXSpotTable.Freq[index] = 0;
        w.DisplayBandMapLabels();
    }
}

void TuneToListedSpot(LoggingWindow& w) {
    try {
        w.txtCall.SetFocus();
        if (w.txtDX.ItemCount() == 0) return;
        const int row = w.txtDX.SelectedRow();
        if (row < 0) return;
        // Taken before tuning: a spot arriving meanwhile moves the rows on.
        const QString call = w.txtDX.ItemText(row, 0);
        double mhz = 0;
        if (!ParseNumber(w.txtDX.ItemText(row, 1), &mhz)) return;
        if (Station.RigType.compare("None", Qt::CaseInsensitive) != 0) radioLink().ChangeFrequency(static_cast<float>(mhz));
        w.txtCall.SetFocus();
        w.txtCall.setText(call);
    } catch (const VbError& e) {
        // A click that cannot tune or fill leaves the focus in the call box.
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
}

} // namespace tylog
