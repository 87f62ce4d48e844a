#pragma once
// Archives of the working log and the restore of an archive or backup as the working log: whole-file
// copies between log.txt and the backup folder.
#include <QDate>
#include <QString>

namespace tylog {

// Where archives go and the restore looks first: the BACKUP folder of the data folder.
QString ArchiveFolder();
// The proposed archive name: the own call's file stem, the local date as yyyy-mm-dd and ".log"
// ("W9XYZ2013-09-15.log"; "YourCall2013-09-15.log" without a call).
QString ArchiveFileName(const QString& ownCall, const QDate& localDate);
// Whether path names the working log (log.txt in the program folder, any letter case).
bool IsWorkingLog(const QString& path);
// Copies the working log to target, never half-written. Throws VbError; the working log itself is
// refused as the target.
void ArchiveLogTo(const QString& target);
// Makes a copy of source the working log. The source must read as a log (the rules of LoadLog) and
// must not be the working log itself; otherwise, or when the copy fails, log.txt stays as it was.
// Throws VbError.
void RestoreLogFrom(const QString& source);

} // namespace tylog
