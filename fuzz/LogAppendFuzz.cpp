// The append and reload round trip: whatever a log that loads ends with, a contact appended to it
// loads as one record more, the records before it unchanged; and so does the next one.
// Input: the log's bytes, then the 20 fields of the contact, separated by 0x1F.
#include "fuzz/FuzzSupport.h"
#include "fuzz/LogFuzz.h"
#include "logstore/ContactLog.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

using namespace tylog;

namespace {
void appendChecked(const ContactRecord& r) {
    ContactLog.Rec[ContactLog.Count + 1] = r;
    ContactLog.Count += 1;
    try {
        AppendLastContact();
    } catch (const VbError& e) {
        fuzz::Fail(qPrintable("the append refused a log that loads: " + e.Description), __FILE__, __LINE__);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    const QList<QByteArray> pieces = fuzz::Split(data, size, 21);
    fuzz::WriteFile("log.txt", pieces[0]);
    if (!LoadLog() || ContactLog.Count > ContactLogData::Capacity - 2) return 0;

    ContactRecord r;
    QString* texts[] = {&r.Call, &r.RstSent, &r.RstRcvd, &r.Spc, &r.County, &r.State, &r.SentCounty,
                        &r.Spare8, &r.Spare9, &r.Spare10, &r.SerialSent, &r.Date, &r.Time, &r.Mode,
                        &r.Band, nullptr, &r.Spare17, &r.Spare18, &r.SerialRcvd, &r.Frequency};
    for (int i = 0; i < 20; ++i) {
        if (texts[i]) *texts[i] = FromAnsi(pieces[i + 1]);
        else if (!ParseNumber(FromAnsi(pieces[i + 1]), &r.Spare16)) r.Spare16 = 0;
    }

    const int before = ContactLog.Count;
    std::vector<ContactRecord> loaded;
    for (int i = 1; i <= before; ++i) loaded.push_back(ContactLog.Rec[static_cast<size_t>(i)]);
    for (int added = 1; added <= 2; ++added) {
        appendChecked(r);
        FUZZ_CHECK(LoadLog());
        FUZZ_CHECK(ContactLog.Count == before + added);
        for (int i = 1; i <= before; ++i) FUZZ_CHECK(fuzz::SameRecord(ContactLog.Rec[i], loaded[i - 1]));
        for (int i = before + 1; i <= before + added; ++i) FUZZ_CHECK(LogLine(ContactLog.Rec[i]) == LogLine(r));
    }
    FUZZ_CHECK(fuzz::ReadFile("log.txt").startsWith(fuzz::LogContent(pieces[0])));
    return 0;
}
