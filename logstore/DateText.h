#pragma once
// Dates and times as operators type them and as the log stores them.
#include <QDate>
#include <QString>
#include <QTime>

namespace tylog {

// A date in one of the forms people type: "2013/09/15", "2013-9-15", "9/15/2013", "15 Sep 2013",
// "Sep 15, 2013" (blanks around it allowed); invalid when the text is no real calendar date.
QDate DateFromText(const QString& text);
// A 24-hour time "14:01", "14:01:02", or with AM/PM "2:01 PM"; invalid otherwise.
QTime TimeFromText(const QString& text);
// Whether the text reads as a date or as a time; an empty text or a bare number does not.
bool IsDateOrTime(const QString& text);

} // namespace tylog
