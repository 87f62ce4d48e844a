#include "app/Startup.h"
#include "app/Engines.h"
#include "core/Version.h"
#include "logging/Infrm.h"
#include "logging/Outfrm.h"
#include "app/LogoWindow.h"
#include "core/ProcessState.h"
#include "core/SharedPrefs.h"
#include "app/StationSetupWindow.h"
#include "app/StartupLoader.h"
#include "core/UserFolders.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"

#include <QDir>

namespace tylog {

namespace {

enum class Folder { Program, Data, Backup, Shared };

// Every file the program rewrites, and its folder. A rewrite goes through a temporary beside the file
// (WriteFileAtomic), which a rewrite killed before its rename leaves behind; start-up removes those of
// the files named here. A file the program comes to rewrite is one more row.
struct RewrittenFile {
    Folder folder;
    const char* name; // letter case ignored; wildcards allowed
};
constexpr RewrittenFile kRewrittenFiles[] = {
    {Folder::Program, "log.txt"},
    {Folder::Program, "QSOpref.txt"},
    {Folder::Program, "CW.txt"},
    {Folder::Program, "wave2.txt"},
    {Folder::Program, "RigCntrl.txt"},
    {Folder::Program, "PackSpot.txt"},
    {Folder::Data, "WK.txt"},
    {Folder::Backup, "*.log"}, // backups, archives and restores
    {Folder::Shared, "SharedUserPreferences.xml"},
};

// Only the program's own temporaries are deleted: their form holds a marker nobody types. The form
// earlier versions used ("log.txt.a1B2c3") is an operator's name too ("log.txt.backup"): in the
// program folder such a file is moved into BACKUP, and the operator told where it went.
void removeStaleTemporaries() {
    const QString backup = FindNoCase(Folders.DataFolder, "BACKUP");
    const std::pair<Folder, QString> folders[] = {
        {Folder::Program, Folders.ProgramFolder},
        {Folder::Data, Folders.DataFolder},
        {Folder::Backup, backup},
        {Folder::Shared, Folders.SharedFolder}};
    QStringList moved;
    for (const auto& [folder, path] : folders) {
        QStringList names;
        for (const RewrittenFile& f : kRewrittenFiles)
            if (f.folder == folder) names << QString::fromLatin1(f.name);
        const StaleTemporaries done =
            RemoveStaleTemporaries(path, names, folder == Folder::Program ? backup : QString());
        moved += done.moved;
    }
    if (!moved.isEmpty())
        MsgBox("These files in the program folder have the form of a temporary file left by a save that was cut "
               "short, so they were moved into " + QDir::toNativeSeparators(backup) + ":" + CrLf + CrLf +
                   moved.join(CrLf),
               vbOKOnly | vbInformation, "Files moved into BACKUP");
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
    ReadPrefixTableAhead();

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
