// The log loader: it reads what the plain value reader reads (up to the end marks after the last
// record), it and the restore check take the same files, a failed load leaves the file alone (a cut
// last line is not set aside unless the operator says so), and a loaded log saved and loaded again is
// the same log.
#include "fuzz/FuzzSupport.h"
#include "fuzz/LogFuzz.h"
#include "core/ProcessState.h"
#include "logstore/ContactLog.h"
#include "platform/VbError.h"
#include "platform/testing/Fakes.h"

#include <QDir>

using namespace tylog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzz::WriteFile("log.txt", bytes);
    // A cut last line is copied into BACKUP before the operator (here: No) is asked.
    QDir(Folders.BackupFolder).removeRecursively();
    QDir().mkpath(Folders.BackupFolder);

    // Half the inputs load into slots no load has filled, as at start; the rest over what the last left.
    if (size % 2 == 0) ContactLog = ContactLogData();
    const bool loaded = LoadLog();
    int checked = -1;
    try {
        checked = CheckLogBytes(bytes);
    } catch (const VbError&) {
    }
    FUZZ_CHECK(loaded == (checked >= 0));
    FUZZ_CHECK(loaded == ContactLog.Loaded);
    if (ContactLog.Count < ContactLogData::Capacity) FUZZ_CHECK(fuzz::EmptyRecord(ContactLog.Rec[ContactLog.Count + 1]));
    if (!loaded) {
        FUZZ_CHECK(testing::Fakes().end.ended == 1);
        FUZZ_CHECK(fuzz::ReadFile("log.txt") == bytes);
        return 0;
    }
    FUZZ_CHECK(ContactLog.Count == checked);
    const std::vector<ContactRecord> reference = fuzz::ReferenceRecords(bytes);
    FUZZ_CHECK(static_cast<int>(reference.size()) == ContactLog.Count);
    for (int i = 1; i <= ContactLog.Count; ++i) FUZZ_CHECK(fuzz::SameRecord(ContactLog.Rec[i], reference[i - 1]));

    std::vector<QByteArray> lines;
    for (int i = 1; i <= ContactLog.Count; ++i) lines.push_back(LogLine(ContactLog.Rec[i]));
    SaveLog();
    const QByteArray saved = fuzz::ReadFile("log.txt");
    FUZZ_CHECK(LoadLog());
    FUZZ_CHECK(ContactLog.Count == static_cast<int>(lines.size()));
    for (int i = 1; i <= ContactLog.Count; ++i) FUZZ_CHECK(LogLine(ContactLog.Rec[i]) == lines[i - 1]);
    SaveLog();
    FUZZ_CHECK(fuzz::ReadFile("log.txt") == saved);
    return 0;
}
