#pragma once
// File > "Archive Current &Log" and "&Restore from Archive or Backup", as both logging windows run
// them: whole-file copies between log.txt and a file the operator chooses, by default in BACKUP.
namespace tylog {

class LoggingWindow;

// Copies log.txt to a file chosen in the save dialog (proposed: the own call's stem and today's date).
// Cancel ends it silently; a failure is shown under "Error Archiving Log".
void ArchiveCurrentLog();

// Makes a chosen archive or backup the working log and has the window reload and rescore it. A file
// that does not read as a log (or holds more than 11000 records) is refused under "Error Restoring
// Log" with log.txt as it was; otherwise log.txt is first kept in BACKUP ("BeforeRestore" and the
// local time) and then replaced through a temporary file.
void RestoreArchivedLog(LoggingWindow& w);

} // namespace tylog
