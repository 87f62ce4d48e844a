#include "logstore/LogArchive.h"
#include "core/ProcessState.h"
#include "core/UserFolders.h"
#include "logstore/ContactLog.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFileInfo>

namespace tylog {

QString ArchiveFolder() {
    if (Folders.DataFolder.isEmpty()) return Folders.BackupFolder;
    return FindNoCase(Folders.DataFolder, "BACKUP");
}

QString ArchiveFileName(const QString& ownCall, const QDate& localDate) {
    return CallToFileStem(ownCall) + localDate.toString("yyyy-MM-dd") + ".log";
}

bool IsWorkingLog(const QString& path) {
    const QFileInfo file(path);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    const QString programFolder = QFileInfo(Folders.ProgramFolder).canonicalFilePath();
    if (!folder.isEmpty() && folder == programFolder &&
        file.fileName().compare(QLatin1String("log.txt"), Qt::CaseInsensitive) == 0)
        return true;
    // Another name for the same file (a link) is the working log too.
    const QString working = QFileInfo(WorkingLogPath()).canonicalFilePath();
    return !working.isEmpty() && file.canonicalFilePath() == working;
}

void ArchiveLogTo(const QString& target) {
    if (IsWorkingLog(target))
        throw VbError(VbError::BadFileName, "The working log cannot be its own archive: choose another file name.");
    CopyFileAtomic(WorkingLogPath(), target);
}

void RestoreLogFrom(const QString& source) {
    if (IsWorkingLog(source))
        throw VbError(VbError::BadFileName, "log.txt is the working log itself: choose an archive or a backup.");
    const QByteArray bytes = ReadAllBytes(source);
    try {
        CheckLogBytes(bytes);
    } catch (const VbError& e) {
        throw VbError(e.Number, QDir::toNativeSeparators(source) + " cannot be read as a contact log (" + e.Description +
                                    "). The working log was left as it was.");
    }
    // The bytes checked are the bytes written, through a temporary file renamed over log.txt.
    WriteFileAtomic(JoinPath(Folders.ProgramFolder, QFileInfo(WorkingLogPath()).fileName()), bytes);
}

} // namespace tylog
