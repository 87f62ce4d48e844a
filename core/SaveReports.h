#pragma once
// Saves the program makes on its own account (the settings on a band or mode change, the operating
// time at Time Off and at the end, the form size, the menu options, a new log, the CW and voice
// windows' "Done") and what became of them. A failure is told once per file and cause (the error's
// number: a full disk, a read-only disk or folder, a folder gone, a device error), in a notice the
// program does not wait for, so logging goes on and a band change on a full disk opens no box every
// time. A save of that file that succeeds ends what was told of it: the next failure is told again.
#include "platform/VbError.h"

#include <QString>

namespace tylog {

enum class SaveTold {
    Notice, // not waited for: the run goes on
    Box,    // waited for: the run ends right after (the notice would vanish with it)
};

// path: the file that could not be written; what: what of the operator's is not saved, as the start
// of a sentence ("The station settings (band, mode, operating time, window options)").
void ReportSaveFailure(const QString& path, const VbError& error, const QString& what,
                       SaveTold how = SaveTold::Notice);
void ReportSaveSuccess(const QString& path);
// Forgets what was told (ResetProcessState).
void ResetSaveReports();

} // namespace tylog
