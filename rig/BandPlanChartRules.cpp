#include "rig/BandPlanChartRules.h"

#include <cmath>

namespace tylog {

QString PrivilegeEdgeText(float mhz) {
    const double v = static_cast<double>(mhz);
    const QString digits = QString::number(std::fabs(v), 'f', 3);
    const qsizetype point = digits.indexOf('.');
    QString whole = digits.left(point);
    if (whole == QLatin1String("0")) whole.clear();
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, ',');
    const QString text = whole + digits.mid(point);
    return v < 0 && text != QLatin1String(".000") ? '-' + text : text;
}

namespace {
QString edges(const BandPlanRow& r) { return PrivilegeEdgeText(r.LowMHz) + " - " + PrivilegeEdgeText(r.HighMHz); }
} // namespace

PrivilegeChart LayOutPrivilegeChart(const BandPlanFile& plan, const QString& cls, double w, double h, double y1) {
    PrivilegeChart chart;
    if (plan.TooManyRows) return chart;
    const std::vector<BandPlanRow>& rows = plan.Rows;

    // The bars, at first one under the other from the top; the rows that give their scales.
    std::vector<const BandPlanRow*> scales;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Class != QLatin1String("O")) continue;
        bool privileged = false;
        for (size_t j = i + 1; j < rows.size() && rows[j].Band == rows[i].Band; ++j)
            if (rows[j].Class == cls) privileged = true;
        if (!privileged) continue;
        ChartLabel bar;
        bar.Caption = rows[i].Band;
        bar.ToolTip = rows[i].Band + "  " + edges(rows[i]);
        bar.Left = 0.1 * w;
        bar.Top = static_cast<double>(chart.Bars.size() + 1) * 0.05 * h;
        bar.Width = 0.85 * w;
        bar.Height = 0.04 * h;
        chart.Bars.push_back(bar);
        for (const BandPlanRow& r : rows) {
            if (r.Band == bar.Caption) {
                scales.push_back(&r);
                break;
            }
        }
    }
    const size_t k = chart.Bars.size();
    if (k == 0 || k > ChartMaxBars) return chart;

    const double dy = 0.8 * (h - y1) / static_cast<double>(k);
    for (size_t n = 0; n < k; ++n) {
        ChartLabel& bar = chart.Bars[n];
        bar.Top = y1 + static_cast<double>(n + 1) * dy;
        ChartLabel tag = bar;
        tag.Left = 0.04 * w;
        tag.Width = 0.05 * w;
        chart.Tags.push_back(tag);
    }

    for (const BandPlanRow& r : rows) {
        if (r.Class != cls) continue;
        for (size_t j = 0; j < k; ++j) {
            const ChartLabel& bar = chart.Bars[j];
            if (bar.Caption != r.Band) continue;
            const double low = scales[j]->LowMHz, high = scales[j]->HighMHz;
            const double span = high - low;
            if (!(span > 0) || !(r.HighMHz >= r.LowMHz)) continue;
            ChartLabel seg;
            seg.Caption = edges(r);
            seg.CW = r.Mode == QLatin1String("CW");
            seg.ToolTip = (seg.CW ? "CW  " : "PH  ") + seg.Caption;
            seg.Left = bar.Left + bar.Width * (r.LowMHz - low) / span;
            seg.Width = bar.Width * (r.HighMHz - r.LowMHz) / span;
            seg.Top = bar.Top;
            seg.Height = bar.Height;
            if (!std::isfinite(seg.Left) || !std::isfinite(seg.Width)) continue;
            chart.Segments.push_back(seg);
        }
    }
    return chart;
}

} // namespace tylog
