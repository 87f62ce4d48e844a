#pragma once
#include "core/SaveReports.h"

#include <QString>

namespace tylog {

struct StationSettings;

// QSOpref.txt in the program folder <-> Station (core/ProcessState.h).
// All or nothing: Station takes the file's values only when the whole file reads; when it is missing,
// short or holds a value of the wrong type, Station gets the defaults and VbError says which value
// failed and why. A band or mode that is no band or mode code reads as the default's.
void LoadStationSettings();
// The values a station starts from without a readable file: empty texts and zeros, band "20", mode "CW".
StationSettings DefaultStationSettings();
// The ten band codes of the band menus, and the three mode codes (letter case ignored).
bool IsBandCode(const QString& band);
bool IsModeCode(const QString& mode);
// The path QSOpref.txt is read from and written to (found without regard to case).
QString StationSettingsPath();
// Rewrites the whole file, under the name it was found by; false when it could not be written (the old
// file then stays whole). With error, the reason goes there and the caller tells the operator; without,
// the save reporter (core/SaveReports.h) tells him, once per cause, in the way how says.
bool SaveStationSettings(QString* error = nullptr, SaveTold how = SaveTold::Notice);
// Compares the stored UTC offset with the computer's clock and offers the recommended one.
void CheckUtcOffset();

} // namespace tylog
