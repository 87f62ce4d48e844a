// Archive and restore of the working log, from the out-of-state window's File menu.
#include "core/ProcessState.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "logstore/LogArchive.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"

namespace tylog {

namespace {
const char* const kLogFilter = "Log Files (*.log) | *.log";
}

void OutfrmWindow::wireArchive() {
    mnuArchive.Click = [this] { mnuArchive_Click(); };
    mnuRestore.Click = [this] { mnuRestore_Click(); };
}

void OutfrmWindow::mnuArchive_Click() {
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

void OutfrmWindow::mnuRestore_Click() {
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
        RestoreLogFrom(source);
    } catch (const VbError& e) {
        MsgBox(e.Description, vbOKOnly, "Error Restoring Log");
        return; // log.txt is as it was: nothing to reload
    }
    ReloadAndRescore();
}

} // namespace tylog
