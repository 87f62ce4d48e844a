#pragma once
// The QSO-rate graph's computation, from the log to what the graph window shows: the axis texts, the
// slots with their rates and colours, the scale, and the drawing as a list the window replays on its
// picture box (Line for a curve piece, Line ... BF for a strip bar). A plain function over the log.
#include "logstore/ContactLog.h"
#include "platform/vb/PictureBox.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace tylog {

inline constexpr int RateGraphSlots = 1500;     // slots drawn: 1..1500
inline constexpr int RateGraphLastSlot = 1600;  // slots kept: 0..1600
inline constexpr int RateGraphMinContacts = 7;

// The message box of a log with fewer than RateGraphMinContacts contacts (OK button only).
inline const QString RateGraphTooFewTitle = QStringLiteral("Not Enough Contacts to Graph.");
inline const QString RateGraphTooFewText = QStringLiteral(
    "The graph will not display with less than 7 contacts.  The graph becomes more meaningful as several hours of "
    "contest logging are accumulated.");

inline constexpr long RateGraphCurveColor = 0xFF0000; // blue (BGR)
// The strip colour of a band: "160" white, "80" blue, "40" red, "20" green, "15" light cyan, "10"
// magenta, any other text (6 m, 2 m, ...) the "Other" yellow. Compared exactly. BGR.
long RateGraphBandColor(const QString& band);

// Where the plot lies on the drawing surface, in its units (twips): the X1 of the left and right plot
// lines, the Y1 of the top and bottom plot lines and of the two strip guides, and the size of the
// drawing area, which nothing drawn may leave. The defaults are the design values.
struct RateGraphFrame {
    double Left = 480, Right = 9240, Top = 120, Bottom = 5880;
    double StripTop = 5900, StripBottom = 6000;
    double Width = 9600, Height = 7200;
};

// How far a computation came. Everything but Drawn leaves the drawing empty; what was reached before
// the end (the time axis, the rate axis) is set.
enum class RateGraphEnd {
    Drawn,
    TooFewContacts, // fewer than 7 contacts: the message box; nothing else is set
    BadTime,        // Record's date or time does not read; record 1 or the last one: before the time axis
    ZeroSpan,       // first and last contact in the same second: after the time axis
    SlotOutOfRange, // Record falls on a slot outside 0..1600 (a log out of time order): after the time axis
    FlatRates,      // all smoothed rates equal: after the rate axis
    OffCanvas,      // a point of the drawing would lie outside the drawing area: after the rate axis
};

struct RateGraph {
    RateGraphEnd End = RateGraphEnd::Drawn;
    int Record = 0; // with BadTime and SlotOutOfRange: the record, 1..Count

    QDateTime First;          // record 1's date and time (UTC)
    std::int64_t SpanSeconds = 0; // whole seconds from record 1 to the last record
    // The axis texts once reached, else empty: lblTime and lblDate 0..14 ("hh:mm", "MM/DD"), lblY 0..16
    // ("###0.0", lowest at 0, highest at 16).
    QStringList TimeLabels, DateLabels, RateLabels;

    // Per slot, 0..1600: the rate (6 x the contacts of the ten minutes up to the slot's last contact,
    // gaps bridged), the smoothed rate that is drawn, and the strip colour.
    std::vector<float> Rate, Smoothed;
    std::vector<long> SlotColor;
    double SlotSeconds = 0; // the width of a slot
    float Lowest = 100000, Highest = -1; // of the smoothed rates of slots 1..1500
    double Step = 0;  // horizontal distance from one slot to the next
    double Scale = 0; // vertical units per rate unit

    // In drawing order: for each slot 1..1500 its curve line, then its strip bar when it has one.
    std::vector<vb::DrawItem> Drawing;
};

// A record's date and time, read in UTC; invalid when either does not read.
QDateTime ContactDateTime(const ContactRecord& r);

// The whole computation for records 1..Count of the log on the given background colour (BGR), which
// also stands for a slot without a contact.
RateGraph ComputeRateGraph(const ContactLogData& log, long backColor, const RateGraphFrame& frame = {});

} // namespace tylog
