#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace tylog {

struct ContactLogData;

// Counters of a rescore: points and contacts per mode.
struct ScoreCounts {
    std::int64_t QsoPoints = 0;
    int PhoneContactCount = 0;
    int CWContactCount = 0;
    int DigitalContactCount = 0;
};

// Adds one contact: phone 1 point, any other mode 2; a call with "/M" anywhere is worth 3 when
// mobileQualifies (the out-of-state window: always; the in-state window: host-state contacts only).
void AddContactPoints(ScoreCounts& counts, const QString& mode, const QString& call, bool mobileQualifies);

// "###,##0": a whole number, rounded, thousands grouped by commas, at least one digit.
QString FormatGrouped(double value);

// Operating time "hh:mm:ss"; hours keep their last two digits.
QString OperatingTimeText(double seconds);

// Contacts of the last 60 and 20 minutes, scanned from the newest record back to the first that is an
// hour old (the log is taken to be in time order).
struct Rates {
    int last60 = 0;
    int last20 = 0;
};
// False when a record's date and time do not read as a moment (the meter then keeps its labels).
bool CountRates(const ContactLogData& log, const QDateTime& nowUtc, Rates* out);

// A record's date and time as the recent-contacts list shows them: "mm/dd hh:nn".
QString RecentDateTime(const QString& date, const QString& time);

// Record `record` of the log as a row of the recent-contacts list: number, call, serial received,
// county, serial sent, "mm/dd hh:nn", mode, band.
QStringList RecentContactRow(const ContactLogData& log, int record);

} // namespace tylog
