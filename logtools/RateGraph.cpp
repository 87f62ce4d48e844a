#include "logtools/RateGraph.h"
#include "logstore/DateText.h"
#include "platform/vb/Color.h"

#include <algorithm>
#include <cmath>

namespace tylog {

namespace {

constexpr int kMeanSlots = 7;    // the trailing mean's width
constexpr int kBridgeSlots = 15; // the longest silence bridged
constexpr std::int64_t kRateWindowSeconds = 600;

// "###0.0": one decimal, halves away from zero.
QString oneDecimal(double v) { return QString::number(std::round(v * 10.0) / 10.0, 'f', 1); }

bool onCanvas(const RateGraphFrame& f, double x, double y) { return x >= 0 && x <= f.Width && y >= 0 && y <= f.Height; }

} // namespace

long RateGraphBandColor(const QString& band) {
    if (band == QLatin1String("160")) return vb::RGB(255, 255, 255);
    if (band == QLatin1String("80")) return vb::RGB(0, 0, 255);
    if (band == QLatin1String("40")) return vb::RGB(255, 0, 0);
    if (band == QLatin1String("20")) return vb::RGB(0, 255, 0);
    if (band == QLatin1String("15")) return vb::RGB(128, 255, 255);
    if (band == QLatin1String("10")) return vb::RGB(255, 0, 255);
    return vb::RGB(255, 255, 0);
}

QDateTime ContactDateTime(const ContactRecord& r) {
    const QDate d = DateFromText(r.Date);
    const QTime t = TimeFromText(r.Time);
    if (!d.isValid() || !t.isValid()) return {};
    return QDateTime(d, t, Qt::UTC);
}

RateGraph ComputeRateGraph(const ContactLogData& log, long backColor, const RateGraphFrame& frame) {
    RateGraph g;
    const int count = log.Count;
    if (count < RateGraphMinContacts) {
        g.End = RateGraphEnd::TooFewContacts;
        return g;
    }
    const auto slotCount = static_cast<size_t>(RateGraphLastSlot + 1);
    g.Rate.assign(slotCount, 0.0f);
    g.Smoothed.assign(slotCount, 0.0f);
    g.SlotColor.assign(slotCount, backColor);
    auto& r = g.Rate;
    auto& s = g.Smoothed;
    auto& color = g.SlotColor;

    // Seconds of every record from the epoch, read in log order as the rates need them.
    std::vector<std::int64_t> secs(static_cast<size_t>(count) + 1, 0);
    const auto readTime = [&](int i) {
        const QDateTime t = ContactDateTime(log.Rec[static_cast<size_t>(i)]);
        if (!t.isValid()) {
            g.End = RateGraphEnd::BadTime;
            g.Record = i;
            return false;
        }
        secs[static_cast<size_t>(i)] = t.toSecsSinceEpoch();
        return true;
    };
    if (!readTime(1) || !readTime(count)) return g;
    g.First = ContactDateTime(log.Rec[1]);
    g.SpanSeconds = secs[static_cast<size_t>(count)] - secs[1];

    for (int k = 0; k <= 14; ++k) {
        const double offset = std::nearbyint(k * static_cast<double>(g.SpanSeconds) / 14.0);
        const QDateTime t = g.First.addSecs(static_cast<qint64>(offset));
        g.TimeLabels << t.toString(QStringLiteral("hh:mm"));
        g.DateLabels << t.toString(QStringLiteral("MM/dd"));
    }
    if (g.SpanSeconds == 0) {
        // Every contact in one second: there is no time to cut into slots.
        g.End = RateGraphEnd::ZeroSpan;
        return g;
    }

    g.SlotSeconds = static_cast<double>(g.SpanSeconds) / RateGraphSlots;
    r[1] = 6;
    s[1] = 6;
    for (int i = 1; i <= count; ++i) {
        if (i != 1 && i != count && !readTime(i)) return g;
        const std::int64_t ti = secs[static_cast<size_t>(i)];
        // Back from i only until the first contact ten minutes or more older.
        int inWindow = 0;
        for (int j = i; j >= 1 && ti - secs[static_cast<size_t>(j)] < kRateWindowSeconds; --j) ++inWindow;
        int slot = 1;
        if (i != 1) {
            const double at = std::nearbyint(static_cast<double>(ti - secs[1]) / g.SlotSeconds);
            if (!(at >= 0 && at <= RateGraphLastSlot)) {
                g.End = RateGraphEnd::SlotOutOfRange;
                g.Record = i;
                return g;
            }
            slot = static_cast<int>(at);
        }
        r[static_cast<size_t>(slot)] = static_cast<float>(6 * inWindow);
        color[static_cast<size_t>(slot)] = RateGraphBandColor(log.Rec[static_cast<size_t>(i)].Band);
    }

    // Silences of up to 15 slots are bridged by a straight ramp toward the next slot with a rate.
    for (int i = 2; i <= RateGraphSlots; ++i) {
        const auto ui = static_cast<size_t>(i);
        if (r[ui] != 0) {
            s[ui] = r[ui];
            continue;
        }
        for (int n = i + 1; n <= i + kBridgeSlots; ++n) {
            const auto un = static_cast<size_t>(n);
            if (r[un] > 0) {
                const double from = r[ui - 1];
                const double slope = (r[un] - from) / (n - i);
                for (int m = i; m < n; ++m) {
                    const auto um = static_cast<size_t>(m);
                    r[um] = s[um] = static_cast<float>(from + (m - i) * slope);
                }
                break;
            }
        }
    }
    // Trailing mean of the rates above 0 over seven slots.
    for (int i = kMeanSlots; i <= RateGraphSlots; ++i) {
        double sum = 0;
        int taken = 0;
        for (int k = i - kMeanSlots + 1; k <= i; ++k) {
            if (r[static_cast<size_t>(k)] > 0) {
                sum += r[static_cast<size_t>(k)];
                ++taken;
            }
        }
        if (taken > 0) s[static_cast<size_t>(i)] = static_cast<float>(sum / taken);
    }

    for (int i = 1; i <= RateGraphSlots; ++i) {
        g.Lowest = std::min(g.Lowest, s[static_cast<size_t>(i)]);
        g.Highest = std::max(g.Highest, s[static_cast<size_t>(i)]);
    }
    const double range = static_cast<double>(g.Highest) - g.Lowest;
    for (int k = 0; k <= 16; ++k) g.RateLabels << oneDecimal(g.Lowest + k * range / 16);
    if (g.Highest == g.Lowest) {
        // A flat curve has no height to scale to.
        g.End = RateGraphEnd::FlatRates;
        return g;
    }

    g.Step = (frame.Right - frame.Left) / RateGraphSlots;
    const double height = frame.Bottom - frame.Top;
    g.Scale = 0.995 * height / range;
    const auto x = [&](int i) { return frame.Left + 10 + (i - 2) * g.Step; };
    const auto y = [&](double v) { return frame.Bottom - g.Scale * (v - g.Lowest) - 0.0025 * height; };

    // The band of the last contact colours the bridged and averaged slots after it, until the curve
    // drops to 0.
    long running = vb::vbBlack;
    for (int i = 1; i <= RateGraphSlots; ++i) {
        const auto ui = static_cast<size_t>(i);
        if (s[ui] > 0) {
            if (color[ui] == backColor) color[ui] = running;
            else running = color[ui];
        } else {
            running = backColor;
        }
    }

    for (int i = 1; i <= RateGraphSlots; ++i) {
        const auto ui = static_cast<size_t>(i);
        const double before = i == 1 ? 0.0 : s[ui - 1]; // slot 0 counts as 0
        vb::DrawItem line;
        line.kind = vb::DrawItem::Kind::Line;
        line.x1 = x(i);
        line.y1 = y(s[ui]);
        line.x2 = x(i - 1);
        line.y2 = y(before);
        line.color = RateGraphCurveColor;
        g.Drawing.push_back(line);
        if (s[ui] > 0 || before > 0) {
            vb::DrawItem bar;
            bar.kind = vb::DrawItem::Kind::FilledBox;
            bar.x1 = x(i);
            bar.y1 = frame.StripTop;
            bar.x2 = x(i - 1);
            bar.y2 = frame.StripBottom;
            bar.color = color[ui];
            g.Drawing.push_back(bar);
        }
    }
    for (const vb::DrawItem& d : g.Drawing) {
        if (!onCanvas(frame, d.x1, d.y1) || !onCanvas(frame, d.x2, d.y2)) {
            // A nearly flat curve that does not reach 0 puts slot 0 far below the plot.
            g.Drawing.clear();
            g.End = RateGraphEnd::OffCanvas;
            return g;
        }
    }
    return g;
}

} // namespace tylog
