#include "app/Startup.h"
#include "app/Engines.h"
#include "core/Version.h"
#include "logging/Infrm.h"
#include "logging/Outfrm.h"
#include "app/LogoWindow.h"
#include "core/ProcessState.h"
#include "core/SharedPrefs.h"
#include "app/StationSetupWindow.h"
#include "core/UserFolders.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"

#include <QDir>

namespace tylog {

namespace {

// A rewrite killed before its rename leaves its temporary in the folder of the file it replaces: the
// program's own are removed at start. The shared folder is left alone; other programs write there.
void removeStaleTemporaries() {
    RemoveStaleTemporaries(Folders.ProgramFolder, {"log.txt", "QSOpref.txt", "CW.txt", "wave2.txt", "RigCntrl.txt"});
    RemoveStaleTemporaries(FindNoCase(Folders.DataFolder, "BACKUP"), {"*.log"});
}

void loadSharedPreferences(const QString& path) {
    try {
        LoadSharedPrefs(path);
    } catch (const VbError& e) {
        // A file that is there but cannot be read is left alone for the whole run: writing our
        // keys over it would lose the keys of the other programs that share it.
        MsgBox(e.Description + "  " + path, vbOKOnly, "Unable to read shared preferences.");
        SharedPrefs.SharedPrefsText = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");
        SharedPrefs.SharedPrefsPath.clear();
    }
}

} // namespace

void RunStartup() {
    Folders.ProgramFolder = QDir::currentPath();
    Folders.ProgramDrive = Folders.ProgramFolder.left(1);

    frmQ7BZWLogo().Show(vb::vbModal);

    QString base;
    GetUserFolder(base, PathSep + "Q7BZW Software", PathSep + "Tessaly");
    GetUserFolder(base, PathSep + "Q7BZW Software", PathSep + "Shared");
    Folders.SharedFolder = base + PathSep + "Shared";
    Folders.DataFolder = base + PathSep + "Tessaly";
    Folders.BackupFolder = Folders.DataFolder + PathSep + "BACKUP";

    loadSharedPreferences(Folders.SharedFolder + PathSep + "SharedUserPreferences.xml");
    EnsureDirectory(Folders.BackupFolder, 0);
    removeStaleTemporaries();

    Run.ProgramVersion = ProgramVersionText;
    InstallEngines();
    // Showing the setup window loads it, and its load is the whole start-up loading.
    frmStationID().Show();
}

bool ShowLoggingWindow() {
    // The window's load unloads the setup window.
    if (Station.OutOfStateFlag != 0) Outfrm().Show();
    else Infrm().Show();
    return true;
}

} // namespace tylog
