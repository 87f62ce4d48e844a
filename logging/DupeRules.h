#pragma once
// The rules of the entry line that decide over the log: duplicates, the earlier contacts of a call, the
// partial-duplicate list, and the digit that moves from the call box to the serial box. Calls, bands,
// modes and counties compare without regard to case. The log scans go through an index of the calls
// (by call, and by band and mode) that follows the log's revision and takes added records as they come.
#include <QString>
#include <vector>

namespace tylog {

struct ContactLogData;

// Equality without regard to case, as these rules compare calls, bands, modes and counties.
bool SameNoCase(QStringView a, QStringView b);

// The record numbers (ascending) whose call is `call`.
std::vector<int> ContactsOfCall(const ContactLogData& log, const QString& call);

// The duplicate check of a contact about to be logged. The county compared is the one typed or, when
// none was typed, the county of the first earlier contact of the call that has one; a duplicate is an
// earlier contact of the call on the band and mode in that county.
struct DupeCheck {
    QString county;    // the county compared (the typed one, or the one an earlier contact brings)
    int duplicate = 0; // the first record that makes the contact a duplicate; 0 when none
};
DupeCheck CheckDuplicate(const ContactLogData& log, const QString& call, const QString& band, const QString& mode,
                         const QString& typedCounty);

// The in-state window's check: the own county sent is part of the key (a station worked again from
// another own county is a new contact), and an empty St / Prv / Country is filled like the county,
// from the first earlier contact of the call that has one.
struct InStateDupeCheck {
    QString county;    // the county compared
    QString spc;       // the St / Prv / Country the entry ends with
    int duplicate = 0; // the first record that makes the contact a duplicate; 0 when none
};
InStateDupeCheck CheckDuplicateInState(const ContactLogData& log, const QString& call, const QString& band,
                                       const QString& mode, const QString& typedCounty, const QString& typedSpc,
                                       const QString& ownCounty);

// The partial-duplicate line: the calls logged on this band and mode that begin with `typed`, from the
// oldest record on, each newer one put in front and followed by a blank, until the line is longer than
// 100 characters. With sentCounty, only the contacts logged from that own county count.
QString PartialDupes(const ContactLogData& log, const QString& band, const QString& mode, const QString& typed,
                     const QString* sentCounty = nullptr);

// The province abbreviation a Canadian call's first three characters stand for ("VE3" gives "ON");
// "" for any other call.
QString CanadianProvinceOfCall(const QString& call);

// Whether a key typed in the call box starts the serial instead: a digit typed at the end (caret) of a
// call longer than two characters that has, from its second character on, a digit that is not its last
// character and nothing below "0" (no "/", "-", "." or blank).
bool DigitStartsSerial(const QString& call, int keyAscii, int caret);

} // namespace tylog
