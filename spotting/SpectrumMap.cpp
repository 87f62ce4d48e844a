#include "spotting/SpectrumMap.h"
#include "core/LoggingWindowLink.h"
#include "core/ProcessState.h"
#include "platform/Diagnostics.h"
#include "platform/Platform.h"
#include "platform/ValueFile.h"
#include "platform/vb/Color.h"
#include "platform/vb/Design.h"
#include "platform/VbError.h"
#include "platform/vb/Keys.h"
#include "platform/vb/FormScaling.h"
#include "rig/BandRules.h"
#include "rig/RadioLink.h"
#include "spotting/SpotRules.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <utility>

namespace tylog {

namespace {

constexpr double kDesignWidth = 9600, kDesignHeight = 7200;
constexpr double kRowPitch = 600;
// Gap between an axis and the scale captions under it, as a share of the window's height.
constexpr double kCaptionGap = 0.004;

bool usable(double v) { return std::isfinite(v) && v > 0; }

double readBack(const QString& caption) {
    double v = 0;
    return ParseNumber(caption, &v) ? v : 0;
}

} // namespace

SpectrumMapWindow::SpectrumMapWindow() : vb::Form("SpectrumMap") {
    // Made back to front: the row bands behind their axes, the spot labels in front of the scale.
    for (int k = 0; k < SpectrumRowCount; ++k) lblHFSpots.Add(*this, "lblHFSpots", k);
    for (int k = 0; k < SpectrumRowCount; ++k) lineHF.Add(*this, "lineHF", k);
    for (int i = 0; i < SpectrumRowCount * SpectrumScaleLabels; ++i) lblFreqSpot.Add(*this, "lblFreqSpot", i);
    for (int i = 0; i <= DXSpotTableData::Newest; ++i) lblDXSpot.Add(*this, "lblDXSpot", i);

    const vb::ControlLook small{.FontName = BandMapFontName, .FontSize = BandMapFontSize, .Visible = false,
                                .ForeColor = vb::vbWhite};
    std::vector<vb::ControlDesign> rows;
    for (int k = 0; k < SpectrumRowCount; ++k) {
        const double y = 360 + kRowPitch * k;
        rows.push_back({lblHFSpots[k], "", 120, 120 + kRowPitch * k, 9255, 495, {}, {.BackColor = BandMapBackColor}});
        rows.push_back({lineHF[k], {}, 360, y, 9120, y});
        // The scale where an empty table puts it; the load lays it out afresh.
        for (int j = 0; j < SpectrumScaleLabels; ++j)
            rows.push_back({lblFreqSpot[SpectrumScaleLabels * k + j], "", 60.0 + 2190 * j, y + 30, 600, 180, {}, small});
    }
    for (int i = 0; i <= DXSpotTableData::Newest; ++i)
        rows.push_back({lblDXSpot[i], "DXLBL", 120, 120, 600, 180, {}, small});
    vb::ApplyDesign(*this,
                    {.Caption = SpectrumMapCaption, .Width = kDesignWidth, .Height = kDesignHeight, .BorderStyle = 1,
                     .BackColor = vb::vbBlack},
                    rows);

    for (auto& [k, band] : lblHFSpots) band->setBorderStyle(1);
    for (auto& [k, line] : lineHF) line->setBorderColor(BandMapAxisColor);
    // Centred on their points, the row's band showing through, so close spots overlap visibly.
    for (auto* labels : {&lblFreqSpot, &lblDXSpot})
        for (auto& [i, l] : *labels) {
            l->setAlignment(2);
            l->setBackStyle(0);
        }
    for (auto& [index, label] : lblDXSpot) {
        const int i = index;
        label->MouseDown = [this, i](int b, int s, double x, double y) { lblDXSpot_MouseDown(i, b, s, x, y); };
    }
    slotOfLabel_.fill(-1);
    labelOfSlot_.fill(-1);
    const float none = std::numeric_limits<float>::quiet_NaN();
    rowRange_.fill({none, none});
    shownRange_.fill({0, 0});
}

void SpectrumMapWindow::Form_Load() {
    Screen& screen = *platform().screen;
    const double sw = screen.Width(), sh = screen.Height();
    // A screen without a usable size ends the load here; the window keeps its design.
    if (!usable(sw) || !usable(sh)) {
        qCDebug(lcSpotting) << "spectrum map: no usable screen size";
        return;
    }
    const double w = Width() / kDesignWidth * sw, h = Height() / kDesignHeight * sh;
    Move((sw - w) / 2, (sh - h) / 2, w, h);
    using vb::Kind;
    // Fonts follow the width, but grow at most to half as large again.
    ScaleControlsOfKinds(*this, {Kind::Label, Kind::Line}, {sw, kDesignWidth}, {sh, kDesignHeight},
                         {std::min(sw / kDesignWidth, 1.5)});

    lblDXSpot[DXSpotTableData::Newest].ZOrder(0);
    LayoutFrequencyScales();
    for (auto& [i, l] : lblFreqSpot) l->setVisible(true);
    FitToWorkArea();
}

void SpectrumMapWindow::FitToWorkArea() {
    const double oldW = Width(), oldH = Height();
    const QRectF area = platform().screen->WorkArea();
    if (!usable(oldW) || !usable(oldH) || !usable(area.width()) || !usable(area.height())) {
        qCDebug(lcSpotting) << "spectrum map: no usable work area, the window keeps its size";
        return;
    }
    Move(0, 0, area.width(), area.height());
    const ScaleFactor x{Width(), oldW}, y{Height(), oldH};
    for (vb::Control* c : Controls()) ScaleControlGeometry(*c, x, y);
}

void SpectrumMapWindow::LayoutFrequencyScales() {
    const double captionTop = kCaptionGap * Height();
    for (int k = 0; k < SpectrumRowCount; ++k) {
        const SpectrumBandRow& edges = SpectrumBandRows()[static_cast<size_t>(k)];
        float lo = edges.low, hi = edges.high;
        ZoomBandToSpots(hi, lo, DXSpotTable);
        // The captions follow from the range alone: a row whose range stays keeps them.
        const bool newRange = rowRange_[static_cast<size_t>(k)] != std::pair(lo, hi);
        std::array<QString, SpectrumScaleLabels> captions;
        if (newRange) {
            captions = SpectrumScaleCaptions(lo, hi);
            rowRange_[static_cast<size_t>(k)] = {lo, hi};
        }
        const vb::Line& axis = lineHF[k];
        for (int j = 0; j < SpectrumScaleLabels; ++j) {
            vb::Label& l = lblFreqSpot[SpectrumScaleLabels * k + j];
            if (newRange && l.Caption() != captions[static_cast<size_t>(j)]) l.setCaption(captions[static_cast<size_t>(j)]);
            const double top = axis.Y1() + captionTop;
            const double left = ScaleLabelLeft(axis.X1(), axis.X2(), j, l.Width());
            if (l.Top() != top || l.Left() != left) l.Move(left, top, l.Width(), l.Height());
        }
        // The spots are placed by the range as the captions show it, rounded to three decimals.
        if (newRange)
            shownRange_[static_cast<size_t>(k)] = {readBack(lblFreqSpot[SpectrumScaleLabels * k].Caption()),
                                                   readBack(lblFreqSpot[SpectrumScaleLabels * k + 4].Caption())};
    }
}

void SpectrumMapWindow::BandMapLabelDisplay() {
    try {
        LayoutFrequencyScales();
        std::array<SpectrumAxis, SpectrumRowCount> axes;
        for (int k = 0; k < SpectrumRowCount; ++k) {
            const vb::Line& axis = lineHF[k];
            const auto [lo, hi] = shownRange_[static_cast<size_t>(k)];
            axes[static_cast<size_t>(k)] = {axis.X1(), axis.X2(), axis.Y1(), lo, hi};
        }
        const vb::Label& size = lblDXSpot[0];
        const auto plan = PlanSpectrumLabels(DXSpotTable, axes, size.Width(), size.Height(), platform().clock->Now());
        if (tipsOffset_ != Station.UtcOffsetHours) {
            onLabel_.fill({}); // every tool tip is written again
            tipsOffset_ = Station.UtcOffsetHours;
        }
        const auto labelOf = AssignSpotLabels(onLabel_, DXSpotTable, plan);

        // A redraw runs after every spot while the map shows: each label changes only what differs,
        // since showing, hiding and moving widgets is what costs. A label moves before it shows.
        std::array<int, kSpots> slotOf;
        slotOf.fill(-1);
        for (int s = 0; s < kSpots; ++s) {
            const int li = labelOf[static_cast<size_t>(s)];
            if (li < 0) continue;
            slotOf[static_cast<size_t>(li)] = s;
            const SpectrumLabel& p = plan[static_cast<size_t>(s)];
            vb::Label& l = lblDXSpot[li];
            SpotOnLabel spot = SpotInSlot(DXSpotTable, s);
            if (onLabel_[static_cast<size_t>(li)] != spot) {
                l.setCaption(DXSpotTable.Prefix[static_cast<size_t>(s)]);
                l.setToolTipText(SpectrumSpotTip(spot.call, spot.freq, spot.time, tipsOffset_));
                onLabel_[static_cast<size_t>(li)] = std::move(spot);
            }
            if (l.ForeColor() != p.color) l.setForeColor(p.color);
            if (l.Left() != p.left || l.Top() != p.top) l.Move(p.left, p.top, l.Width(), l.Height());
        }
        for (int li = 0; li < kSpots; ++li) {
            vb::Label& l = lblDXSpot[li];
            const bool shown = slotOf[static_cast<size_t>(li)] >= 0;
            if (l.Visible() != shown) l.setVisible(shown);
        }
        slotOfLabel_ = slotOf;
        labelOfSlot_ = labelOf;
        // The newest spot in front of the others.
        const int front = labelOf[DXSpotTableData::Newest];
        if (front >= 0 && front != frontLabel_) {
            lblDXSpot[front].ZOrder(0);
            frontLabel_ = front;
        }
    } catch (const VbError& e) {
        // The labels not reached keep what the last redraw gave them.
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
    } catch (const std::exception& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.what();
    }
}

vb::Label* SpectrumMapWindow::LabelOfSlot(int slot) {
    if (slot < 0 || slot >= kSpots) return nullptr;
    const int li = labelOfSlot_[static_cast<size_t>(slot)];
    return li < 0 ? nullptr : &lblDXSpot[li];
}

void SpectrumMapWindow::Form_Activate() { BandMapLabelDisplay(); }

void SpectrumMapWindow::lblDXSpot_MouseDown(int Index, int Button, int Shift, double X, double Y) {
    (void)Shift;
    (void)X;
    (void)Y;
    if (Index < 0 || Index >= kSpots) return;
    const int shows = slotOfLabel_[static_cast<size_t>(Index)];
    if (shows < 0) return;
    const auto slot = static_cast<size_t>(shows);
    try {
        if (Button == vb::vbRightButton) {
            // Taken before tuning: a spot arriving while the radio is tuned moves the slots on.
            const QString call = DXSpotTable.Call[slot];
            const float mhz = DXSpotTable.Freq[slot];
            radioLink().ChangeFrequency(mhz);
            // Hiding ends the logging window's modal show, which then unloads the map.
            Hide();
            loggingWindow().PutCallInEntryLine(call, false);
        } else {
            DXSpotTable.Freq[slot] = 0;
            BandMapLabelDisplay();
        }
    } catch (const VbError& e) {
        // What was done before the failure stays.
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
    } catch (const std::exception& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.what();
    }
}

} // namespace tylog
