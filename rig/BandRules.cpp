#include "rig/BandRules.h"

namespace tylog {

namespace {
struct BandEdge {
    float low, high;
    const char* band;
};
// Bounds as 32-bit floats, as the radio's frequency is.
const BandEdge kBandEdges[] = {
    {1.7999f, 2.0001f, "160"},     {3.4999f, 4.0001f, "80"},      {6.9999f, 7.3001f, "40"},
    {13.9999f, 14.3501f, "20"},    {20.9999f, 21.4501f, "15"},    {27.9999f, 29.7001f, "10"},
    {49.9999f, 54.0001f, "6"},     {143.9999f, 148.0001f, "2"},   {218.9999f, 225.0001f, "1.25"},
    {419.9999f, 450.0001f, "70"},  {901.9999f, 928.0001f, "902"}, {1239.9999f, 1300.0001f, "1.24"},
    {2300.f, 2450.f, "2.3"},       {3300.f, 3500.f, "3.3"},       {5650.f, 5925.f, "5.6"},
    {10000.f, 10500.f, "10"},      {10.0999f, 10.1501f, "30"},    {18.0679f, 18.1681f, "17"},
    {24.8899f, 24.9901f, "12"},
};

// The spectrum map's rows: the HF bands, 6 m and 2 m, at their exact edges.
constexpr std::array<SpectrumBandRow, 11> kSpectrumBandRows{{
    {1.8f, 2.f},      {3.5f, 4.f},     {7.f, 7.3f},     {10.1f, 10.15f}, {14.f, 14.35f}, {18.068f, 18.168f},
    {21.f, 21.45f},   {24.89f, 24.99f}, {28.f, 29.7f},  {50.f, 54.f},    {144.f, 148.f},
}};
} // namespace

const std::array<SpectrumBandRow, 11>& SpectrumBandRows() { return kSpectrumBandRows; }

QString BandForFrequency(float mhz) {
    QString result;
    for (const BandEdge& e : kBandEdges)
        if (mhz > e.low && mhz < e.high) result = e.band;
    return result;
}

bool BandSwitchesWindow(const QString& band) {
    for (const char* b : {"160", "80", "40", "20", "15", "10", "6", "2"})
        if (band == QLatin1String(b)) return true;
    return false;
}

QString FrequencyText(float mhz) { return QString::number(static_cast<double>(mhz), 'f', 3); }

} // namespace tylog
