#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tylog {

// Files of the program hold one byte per character (Windows-1252) and end lines with CR LF.
inline constexpr const char* CrLf = "\r\n";

// Every byte has its character and comes back as the same byte: the five codes Windows-1252 leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as U+0081 and so on.
QString FromAnsi(const QByteArray& bytes);
QByteArray ToAnsi(const QString& text); // other characters outside Windows-1252 become '?'

// Whole-file helpers. All throw VbError on failure and never report a failed write as success.
QByteArray ReadAllBytes(const QString& path);
// Writes to a temporary file in the same folder, flushes and syncs it, then renames it over path,
// so a failure leaves the old file whole.
void WriteFileAtomic(const QString& path, const QByteArray& bytes);
// Appends bytes to path (created when missing) and syncs them before it returns. With expectedSize
// 0 or more the file must still be that long (as the caller read it), else nothing is written. Throws
// VbError exactly when the bytes are not in the file: a write or sync that failed is taken back; after
// any failure what the file holds decides, so bytes written and synced whose close failed count as
// written. A file left with part of the bytes is said to be so in the error.
void AppendSynced(const QString& path, const QByteArray& bytes, qint64 expectedSize = -1);
// AppendSynced of a line; when the file is not empty and does not end with CR LF, CR LF goes first so
// the line starts a line of its own.
void AppendLineSynced(const QString& path, const QByteArray& line);
// Byte copy; with a temporary file and rename, so the target is never half-written.
void CopyFileAtomic(const QString& from, const QString& to);
// The path in folder of stem + suffix, or where that file exists already, of stem-2 + suffix, stem-3
// and so on: the first name no file has, so a copy made there replaces nothing.
QString UnusedFileName(const QString& folder, const QString& stem, const QString& suffix);
// A rewrite killed before its rename can leave its temporary beside the target: the target's name,
// a dot and six letters or digits ("log.txt.a1B2c3"). Removes from dir those whose target name matches
// one of names (wildcards allowed, letter case ignored); returns the names removed.
QStringList RemoveStaleTemporaries(const QString& dir, const QStringList& names);

// Linux file names are case-sensitive, the program's files were not: finds an entry of dir whose
// name equals name without regard to case and returns its full path; dir/name when none exists.
QString FindNoCase(const QString& dir, const QString& name);
bool ExistsNoCase(const QString& dir, const QString& name);
QString JoinPath(const QString& dir, const QString& name);

} // namespace tylog
