#include "spotting/SpectrumRules.h"
#include "core/UtcTime.h"
#include "rig/BandRules.h"
#include "spotting/SpotRules.h"

#include <cmath>

namespace tylog {

int SpectrumRowOf(float mhz) {
    const auto& rows = SpectrumBandRows();
    for (int k = 0; k < SpectrumRowCount; ++k)
        if (rows[static_cast<size_t>(k)].low < mhz && mhz < rows[static_cast<size_t>(k)].high) return k;
    return -1;
}

void ZoomBandToSpots(float& hi, float& lo, const DXSpotTableData& table) {
    float mn = hi, mx = lo;
    for (int s = 1; s <= DXSpotTableData::Newest; ++s) {
        const float f = table.Freq[static_cast<size_t>(s)];
        if (!(lo < f && f < hi)) continue;
        if (f < mn) mn = f;
        if (f > mx) mx = f;
    }
    if (mx > mn) {
        hi = static_cast<float>(static_cast<double>(mx) + 0.001);
        lo = static_cast<float>(static_cast<double>(mn) - 0.001);
    }
}

SpectrumScale SpectrumRowScale(int row, const DXSpotTableData& table) {
    SpectrumScale s;
    const SpectrumBandRow& edges = SpectrumBandRows().at(static_cast<size_t>(row));
    s.lo = edges.low;
    s.hi = edges.high;
    ZoomBandToSpots(s.hi, s.lo, table);
    s.captions = SpectrumScaleCaptions(s.lo, s.hi);
    return s;
}

std::array<QString, SpectrumScaleLabels> SpectrumScaleCaptions(float lo, float hi) {
    // In double from the singles: the uneven steps of the 30 m and 20 m captions come from there.
    const double low = lo, high = hi;
    std::array<QString, SpectrumScaleLabels> captions;
    for (int j = 0; j < SpectrumScaleLabels; ++j)
        captions[static_cast<size_t>(j)] = BandMapCaption(low + (high - low) * 0.25 * j);
    return captions;
}

double ScaleLabelLeft(double x1, double x2, int j, double labelWidth) {
    return x1 + (x2 - x1) * 0.25 * j - labelWidth / 2;
}

QString SpectrumSpotTip(const QString& call, float mhz, const QDateTime& receivedLocal, float utcOffsetHours) {
    return call + QStringLiteral("  ") + BandMapCaption(mhz) + QStringLiteral("  ") +
           UtcFromLocal(receivedLocal, utcOffsetHours).toString(QStringLiteral("HH:mm:ss"));
}

std::array<SpectrumLabel, DXSpotTableData::Newest + 1> PlanSpectrumLabels(
    const DXSpotTableData& table, const std::array<SpectrumAxis, SpectrumRowCount>& axes, double labelWidth,
    double labelHeight, const QDateTime& now) {
    std::array<SpectrumLabel, DXSpotTableData::Newest + 1> labels;
    for (int i = DXSpotTableData::Newest; i >= 0; --i) {
        const auto slot = static_cast<size_t>(i);
        SpectrumLabel& l = labels[slot];
        const float f = table.Freq[slot];
        bool placed = false;
        if (const int k = SpectrumRowOf(f); k >= 0) {
            const SpectrumAxis& a = axes[static_cast<size_t>(k)];
            // The range comes back from the captions; one that does not read as a positive span
            // would put the label anywhere, so the spot stays off the row.
            const double span = a.hi - a.lo;
            if (std::isfinite(span) && span > 0) {
                l.top = a.y - labelHeight;
                l.left = a.x1 + (f - a.lo) / span * (a.x2 - a.x1) - labelWidth / 2;
                placed = std::isfinite(l.left) && std::isfinite(l.top);
            }
        }
        // A slot never filled has no time: it ends the pass as a spot an hour old does.
        l.color = table.Time[slot].isValid() ? SpotAgeColor(SpotAgeSeconds(table.Time[slot], now)) : -1;
        if (l.color < 0) break;
        l.shown = placed;
    }
    return labels;
}

std::array<int, DXSpotTableData::Newest + 1> AssignSpotLabels(
    const std::array<SpotOnLabel, DXSpotTableData::Newest + 1>& onLabel, const DXSpotTableData& table,
    const std::array<SpectrumLabel, DXSpotTableData::Newest + 1>& plan) {
    constexpr int n = DXSpotTableData::Newest + 1;
    std::array<int, n> labelOf;
    labelOf.fill(-1);
    std::array<bool, n> taken{};
    // The spots still shown keep their labels.
    for (int s = n - 1; s >= 0; --s) {
        if (!plan[static_cast<size_t>(s)].shown) continue;
        const SpotOnLabel spot = SpotInSlot(table, s);
        for (int l = 0; l < n; ++l) {
            const auto li = static_cast<size_t>(l);
            if (taken[li] || onLabel[li].freq != spot.freq || !(onLabel[li] == spot)) continue;
            labelOf[static_cast<size_t>(s)] = l;
            taken[li] = true;
            break;
        }
    }
    // New ones take the labels left over.
    int free = 0;
    for (int s = n - 1; s >= 0; --s) {
        if (!plan[static_cast<size_t>(s)].shown || labelOf[static_cast<size_t>(s)] >= 0) continue;
        while (taken[static_cast<size_t>(free)]) ++free;
        labelOf[static_cast<size_t>(s)] = free;
        taken[static_cast<size_t>(free)] = true;
    }
    return labelOf;
}

} // namespace tylog
