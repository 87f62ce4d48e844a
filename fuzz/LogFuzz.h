#pragma once
// What the log targets share: records compared field by field, and the reference reading of a log.
#include "logstore/ContactLog.h"
#include "platform/ValueFile.h"

#include <vector>

namespace tylog::fuzz {

inline bool SameRecord(const ContactRecord& a, const ContactRecord& b) {
    return a.Call == b.Call && a.RstSent == b.RstSent && a.RstRcvd == b.RstRcvd && a.Spc == b.Spc &&
           a.County == b.County && a.State == b.State && a.SentCounty == b.SentCounty && a.Spare8 == b.Spare8 &&
           a.Spare9 == b.Spare9 && a.Spare10 == b.Spare10 && a.SerialSent == b.SerialSent && a.Date == b.Date &&
           a.Time == b.Time && a.Mode == b.Mode && a.Band == b.Band && a.Spare16 == b.Spare16 &&
           a.Spare17 == b.Spare17 && a.Spare18 == b.Spare18 && a.SerialRcvd == b.SerialRcvd &&
           a.Frequency == b.Frequency;
}

inline bool EmptyRecord(const ContactRecord& r) { return SameRecord(r, ContactRecord{}); }

// A log's bytes less the end marks after its last record (blank lines, trailing blanks, ^Z).
inline QByteArray LogContent(QByteArray bytes) {
    while (!bytes.isEmpty() && QByteArray(" \t\r\n\x1A").contains(bytes.back())) bytes.chop(1);
    return bytes;
}

// The records of a log by the plain value reader, as many as it holds whole before its end marks.
inline std::vector<ContactRecord> ReferenceRecords(const QByteArray& bytes) {
    std::vector<ContactRecord> out;
    const qsizetype contentEnd = LogContent(bytes).size();
    ValueReader r = ValueReader::FromBytes(bytes);
    while (r.Position() < contentEnd) {
        ContactRecord c;
        try {
            for (QString* f : {&c.Call, &c.RstSent, &c.RstRcvd, &c.Spc, &c.County, &c.State, &c.SentCounty, &c.Spare8,
                               &c.Spare9, &c.Spare10, &c.SerialSent, &c.Date, &c.Time, &c.Mode, &c.Band})
                *f = r.ReadText();
            c.Spare16 = r.ReadDoubleOrZero();
            for (QString* f : {&c.Spare17, &c.Spare18, &c.SerialRcvd, &c.Frequency}) *f = r.ReadText();
        } catch (...) {
            break;
        }
        out.push_back(c);
    }
    return out;
}

} // namespace tylog::fuzz
