#pragma once
// Rules of the spot list and the band map: what a spot from the network must look like, the list
// row it gives, and the band map's scale, captions and age colours.
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tylog {

// The frequency of a spot in kHz, accepted only as ASCII digits with at most one decimal point whose
// value, in MHz as a single, is above 0 and finite. True with *mhz = kHz / 1000 (double).
bool ParseSpotFrequency(const QString& khz, double* mhz);
// The call as it is stored, listed and copied into the entry line: control characters, blanks and
// double quotes removed. An empty result means the spot is dropped.
QString CleanSpotCall(const QString& call);

// The eight columns of a spot-list row: call, MHz, country, status (empty), spotter and comment,
// prefix, time, origin. The record is the cluster line less its first three characters, cut at its
// first carriage return by the caller.
QStringList SpotListRow(const QString& call, double mhz, const QString& record);
// MHz as the list shows it: plain decimals, at most 15 significant digits, no trailing zeros.
QString SpotListFrequencyText(double mhz);

// Lower and upper edge of a band in MHz; both 0 for a band without edges.
void BandMapEdges(const QString& band, double* lower, double* upper);
// "#.000": three decimals (a half to the even neighbour), no digit before the point below 1.
QString BandMapCaption(double mhz);
// Whole seconds from `from` to `to`, on the wall clock (no time-zone shifts).
qint64 SpotAgeSeconds(const QDateTime& from, const QDateTime& to);
// Text colour of a spot label by its age in seconds; -1 when the spot is too old to be shown.
long SpotAgeColor(qint64 ageSeconds);

inline constexpr long BandMapBackColor = 0x800000;
inline constexpr long BandMapAxisColor = 0xFFFFFF;
inline constexpr long SpotNewColor = 0x80FFFF;  // below 10 minutes
inline constexpr long SpotMidColor = 0xFFFFFF;  // below 30 minutes
inline constexpr long SpotOldColor = 0xC0C0C0;  // below an hour
// The face and size of the spot labels and scale captions.
inline constexpr const char* BandMapFontName = "MS Serif";
inline constexpr double BandMapFontSize = 6.75;

} // namespace tylog
