#include "logging/ArchiveCommands.h"
#include "core/ProcessState.h"
#include "logging/LoggingWindow.h"
#include "logstore/ContactLog.h"
#include "logstore/LogArchive.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tylog {

namespace {

const char* const kLogFilter = "Log Files (*.log) | *.log";

// A copy of log.txt in the backup folder, under a name of its own that neither a later restore nor
// the backups made at closing (named by the minute) can overwrite. An empty or missing log.txt has
// nothing to keep: "" then.
QString keepWorkingLog() {
    const QString log = WorkingLogPath();
    const QFileInfo info(log);
    if (!info.isFile() || info.size() == 0) return {};
    const QString folder = ArchiveFolder();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        throw VbError(VbError::PathNotFound, "Path not found: " + QDir::toNativeSeparators(folder));
    const QString stem = "BeforeRestore" + platform().clock->Now().toString("yyyyMMddhhmmss");
    const QString target = UnusedFileName(folder, stem, ".log");
    CopyFileAtomic(log, target);
    return target;
}

} // namespace

void ArchiveCurrentLog() {
    MsgBox("This function is used to create a permanent copy of your currently open log file.  To open your log file "
           "at a later date, click File > Restore from Archive or Backup.",
           vbOKOnly, "Archive Information");
    try {
        FileDialogOptions o;
        o.InitDir = ArchiveFolder();
        o.FileName = JoinPath(o.InitDir, ArchiveFileName(Station.OwnCall, platform().clock->Now().date()));
        o.Filter = kLogFilter;
        const QString target = platform().dialogs->ShowSave(o);
        if (target.isEmpty()) return; // Cancel
        ArchiveLogTo(target);
    } catch (const VbError& e) {
        MsgBox(e.Description, vbOKOnly, "Error Archiving Log");
    }
}

void RestoreArchivedLog(LoggingWindow& w) {
    MsgBox("This action will open an archived log or backup file and creates a working file called log.txt.  If you "
           "make any changes to your archived data that you would like to permanently save, before you click File > "
           "New to start a new contest, be sure to click File > Archive to save your changes.",
           vbOKOnly, "Opening Archived Data Information");
    if (ContactLog.Count > 0 &&
        MsgBox("Are you sure that you want to open an archived log?  This action will clear and replace existing QSO "
               "data.",
               vbYesNo, "Are your sure?") != vbYes)
        return;
    try {
        FileDialogOptions o;
        o.InitDir = ArchiveFolder();
        o.Filter = kLogFilter;
        const QString source = platform().dialogs->ShowOpen(o);
        if (source.isEmpty()) return; // Cancel
        // The copy kept is dropped again when the restore refuses the file: log.txt is then unchanged.
        const QString kept = keepWorkingLog();
        try {
            RestoreLogFrom(source);
        } catch (const VbError&) {
            if (!kept.isEmpty()) QFile::remove(kept);
            throw;
        }
    } catch (const VbError& e) {
        MsgBox(e.Description, vbOKOnly, "Error Restoring Log");
        return; // log.txt is as it was: nothing to reload
    }
    w.ReloadAndRescore();
}

} // namespace tylog
