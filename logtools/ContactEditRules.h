#pragma once
// The rules of the two contact editors, over values: what the date, time, band, mode and St / Prv /
// Country boxes accept, and which other records of the log the edited contact duplicates.
#include <QString>

namespace tylog {

struct ContactLogData;
struct ContactRecord;
struct SectionTableData;

// A real calendar date typed year first ("2013/9/5", blanks around it allowed) in the form the log
// stores: "2013/09/05". Empty when the text is no such date. The Cabrillo file and the rate graph read
// the stored form, so nothing else may reach the record.
QString EditorDateText(const QString& text);
// A real 24-hour time "h:mm" or "h:mm:ss" (blanks around it allowed) with two-digit hours: "09:05",
// "14:01:02". Empty when the text is no such time.
QString EditorTimeText(const QString& text);

// The bands the editors accept: "160", "80", "40", "20", "15", "10" and "6" (letter case ignored).
bool IsEditorBand(const QString& band);
// "CW", "PH" or "DG", letter case ignored.
bool IsEditorMode(const QString& mode);
// The in-state editor's St / Prv / Country: a text of 4 or more characters (a country name, taken as
// it is) or a section abbreviation of the table, letter case ignored, nothing trimmed.
bool IsEditorSpc(const QString& spc, const SectionTableData& sections);

// What makes two contacts the same for an editor: call, band, mode and county; the in-state editor
// adds the county sent. Letter case ignored, nothing trimmed.
enum class EditDupeKey { CallBandModeCounty, CallBandModeCountySent };
bool IsEditDuplicate(const ContactRecord& a, const ContactRecord& b, EditDupeKey key);
// How many records of the log other than record `edited` the contact duplicates.
int CountEditDuplicates(const ContactLogData& log, int edited, const ContactRecord& contact, EditDupeKey key);

} // namespace tylog
