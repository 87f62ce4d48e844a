#include "logstore/CountyTable.h"
#include "core/ProcessState.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

namespace tylog {

void LoadCounties() {
    CountyTable = CountyTableData{};
    ValueReader r = ValueReader::FromBytes(ReadAllBytes(FindNoCase(Folders.ProgramFolder, "TYCounty.txt")));
    int count = 0;
    while (!r.AtEnd()) {
        const QString first = r.ReadText();
        const QString abbrev = r.ReadText();
        // The state code is compared exactly: "ty" rows belong to nobody.
        if (first.left(2) != Station.HostState) continue;
        if (count >= CountyTableData::Capacity) throw VbError(VbError::SubscriptOutOfRange, "Subscript out of range");
        ++count;
        CountyTable.Name[count] = first.mid(2);
        CountyTable.Abbrev[count] = abbrev;
        CountyTable.Count = static_cast<float>(count);
    }
}

void CountyNameFromAbbrev(QString& name, QString& abbrev) {
    abbrev = abbrev.toUpper();
    name.clear();
    const int count = static_cast<int>(CountyTable.Count);
    for (int i = 1; i <= count; ++i) {
        if (CountyTable.Abbrev[i] == abbrev) {
            name = CountyTable.Name[i];
            return;
        }
    }
}

QString CountyAbbrevForCW(const QString& name) {
    if (name.isEmpty()) return name;
    const int count = static_cast<int>(CountyTable.Count);
    for (int i = 1; i <= count; ++i) {
        if (CountyTable.Name[i].compare(name, Qt::CaseInsensitive) != 0) continue;
        const QString& abbrev = CountyTable.Abbrev[i];
        return !abbrev.isEmpty() && abbrev.size() < name.size() ? abbrev : name;
    }
    return name;
}

} // namespace tylog
