#pragma once
#include <QString>

namespace tylog {

// QSOpref.txt in the program folder <-> Station (core/ProcessState.h).
// Throws VbError when the file is missing, short or holds a value of the wrong type; the values read
// before the failure stay.
void LoadStationSettings();
// Rewrites the whole file, under the name it was found by; false when it could not be written (the old
// file then stays whole), with the reason in *error when asked for.
bool SaveStationSettings(QString* error = nullptr);
// Compares the stored UTC offset with the computer's clock and offers the recommended one.
void CheckUtcOffset();

} // namespace tylog
