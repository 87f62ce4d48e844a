#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/VbError.h"

namespace tylog {

// Files of the program hold one byte per character (Windows-1252) and end lines with CR LF.
inline constexpr const char* CrLf = "\r\n";

// Every byte has its character and comes back as the same byte: the five codes Windows-1252 leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as U+0081 and so on.
QString FromAnsi(const QByteArray& bytes);
QByteArray ToAnsi(const QString& text); // other characters outside Windows-1252 become '?'

// Whole-file helpers. All throw VbError on failure and never report a failed write as success. A
// failed write says why in the operator's words (FileWriteError): a full disk, a read-only disk or
// folder, a folder that is gone, else the system's own words.
QByteArray ReadAllBytes(const QString& path);
// Writes to a temporary file in the same folder ("<name>.~tylog-" and six letters or digits, a form
// only this program gives a file), syncs it, then renames it over path (keeping the old file's
// permissions), so a failure leaves the old file whole and no temporary behind. A path that is a
// symbolic link writes the file it points to.
void WriteFileAtomic(const QString& path, const QByteArray& bytes);
// Appends bytes to path (created when missing) and syncs them before it returns. With expectedSize
// 0 or more the file must still be that long (as the caller read it), else nothing is written; with
// cutTo 0 up to expectedSize, what the file holds past cutTo is dropped before the bytes go on (end
// marks after its last record). Throws VbError exactly when the bytes are not in the file: a write or
// sync that failed is taken back; after any failure what the file holds decides, so bytes written and
// synced whose close failed count as written. A file left with part of the bytes is said to be so in
// the error.
void AppendSynced(const QString& path, const QByteArray& bytes, qint64 expectedSize = -1, qint64 cutTo = -1);
// AppendSynced of a line; when the file is not empty and does not end with CR LF, CR LF goes first so
// the line starts a line of its own.
void AppendLineSynced(const QString& path, const QByteArray& line);
// Byte copy; with a temporary file and rename, so the target is never half-written.
void CopyFileAtomic(const QString& from, const QString& to);
// The path in folder of stem + suffix, or where that file exists already, of stem-2 + suffix, stem-3
// and so on: the first name no file has, so a copy made there replaces nothing.
QString UnusedFileName(const QString& folder, const QString& stem, const QString& suffix);

// The error of a write to path that failed with errno err. inFolder: the call made or renamed an
// entry of path's folder (a permission refused is then the folder's, else the file's).
VbError FileWriteError(int err, const QString& path, bool inFolder);

// What WriteFileAtomic puts between a file's name and the six letters or digits of its temporary.
inline constexpr const char* TemporaryMarker = ".~tylog-";
// What the clean-up of killed rewrites did in one folder (file names).
struct StaleTemporaries {
    QStringList removed; // the program's own temporaries, deleted
    QStringList moved;   // names that may be an operator's, moved into the folder given
};
// A rewrite killed before its rename leaves its temporary beside its target. Removes from dir the
// temporaries ("<target>.~tylog-XXXXXX") of the targets names matches (wildcards allowed, letter case
// ignored). With moveTo, it also looks for the form earlier versions gave their temporaries:
// "<target>.XXXXXX", the target's name in exactly the letters it has in dir (or, with no such file,
// those of names). An operator may have named a copy so ("log.txt.backup"), so such a file is never
// deleted: it is moved into moveTo under a name no file there has. Anything else is left alone.
StaleTemporaries RemoveStaleTemporaries(const QString& dir, const QStringList& names, const QString& moveTo = {});

// Linux file names are case-sensitive, the program's files were not: finds an entry of dir whose
// name equals name without regard to case and returns its full path; dir/name when none exists.
QString FindNoCase(const QString& dir, const QString& name);
bool ExistsNoCase(const QString& dir, const QString& name);
QString JoinPath(const QString& dir, const QString& name);

} // namespace tylog
