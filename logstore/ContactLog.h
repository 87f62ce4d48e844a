#pragma once
#include "core/Slots.h"
#include "platform/VbError.h"
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tylog {

// What is worked out once from a record's fields and kept with it (ContactMoment, ContactCountyRow).
// Each value holds the very string it came from: it stands while the record's field is still that
// string (a field assigned anew, or changed in place, is another), so no writer has to clear it.
struct ContactRecordCache {
    QString date, time; // the moment's sources
    std::int64_t moment = 0;
    bool momentKnown = false, momentValid = false;
    QString county, tableFirst; // the county's source, and the county table it was looked up in
    int tableCount = -1;
    int countyRow = 0;
};

// One contact: the 20 fields of a log.txt line, in file order. All text but Spare16.
struct ContactRecord {
    QString Call, RstSent, RstRcvd, Spc, County, State, SentCounty, Spare8, Spare9, Spare10;
    QString SerialSent, Date, Time, Mode, Band;
    double Spare16 = 0;
    QString Spare17, Spare18, SerialRcvd, Frequency;
    mutable ContactRecordCache Cache;
};

// The moment of a record's Date ("yyyy/MM/dd") and Time ("hh:mm:ss", "hh:mm" or "h:mm") in seconds
// since 1970-01-01 00:00 UTC; false when they do not read as one. Kept with the record.
bool ContactMoment(const ContactRecord& r, std::int64_t* secondsSinceEpoch);
// The row (1..Count) of CountyTable whose name is the record's county, compared without regard to
// case (the first such row); 0 when there is none. Kept with the record.
int ContactCountyRow(const ContactRecord& r);

// A new value for ContactLogData::Revision, never given before in this run.
std::uint64_t NextLogRevision();

// The log in memory: records 1..Count (record i is line i of log.txt); slot 0 and every slot above
// Count are empty.
struct ContactLogData {
    static constexpr int Capacity = 11000;
    Slots<ContactRecord, Capacity + 1> Rec; // made on first use, after the first window
    int Count = 0;
    // Set only by a LoadLog that succeeded; writers refuse to touch log.txt until then.
    bool Loaded = false;
    // Changes when records 1..Count may have changed other than by a record added at the end: a load
    // that read anything new, a rewrite (which follows every edit), a delete, a new log. Indexes over
    // the log rebuild on a new revision and take added records as they come.
    std::uint64_t Revision = NextLogRevision();
};

inline ContactLogData ContactLog;

// log.txt in the program folder.
// Rebuilds ContactLog from log.txt and resets the score state. Blank lines, trailing blanks and a ^Z
// end mark after the last record are no contacts. A last line cut short (a power cut while a contact
// was written, a copy broken off) is copied, with the whole file, into BACKUP, and the operator may set
// it aside and go on. Any other failure shows "Error opening file." with the file, the line and the
// reason, and ends the program. Returns false when it failed (under a test's fake end, the program
// goes on).
bool LoadLog();
// Appends record ContactLog.Count as one line, synced to disk before it returns. End marks after the
// file's last record (blank lines, trailing blanks, a ^Z) make way for it. Throws VbError.
void AppendLastContact();
// What the operator is told when AppendLastContact failed: its reason, that the contact was not logged
// and is still in the entry line, and on a full disk that freeing space and Enter again logs it.
QString ContactNotLoggedText(const VbError& e);
// Rewrites log.txt from records 1..Count (through a temporary file). Throws VbError.
void SaveLog();
// Removes record k (1..Count; others change nothing) and rewrites the file. Throws VbError.
void DeleteContact(int k);
// Asks for the typed "YES"; then backs up, empties the log and the operating time, saves, reloads.
void NewLog();
// Copies log.txt into the backup folder when the count changed since the baseline.
void BackupLog();
// One record as its log.txt line, CR LF included.
QByteArray LogLine(const ContactRecord& r);
// The working log's path: log.txt in the program folder, found without regard to case.
QString WorkingLogPath();
// Reads a file's bytes by the rules LoadLog reads log.txt with, leaving ContactLog alone, and returns
// the number of records; throws VbError where LoadLog would fail on them.
int CheckLogBytes(const QByteArray& bytes);

} // namespace tylog
