#include "core/ReferenceTables.h"
#include "core/ProcessState.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

namespace tylog {

QString FindPrefixFile() {
    const QString name = QStringLiteral("arrlpre2.txt");
    for (const QString& dir : {Folders.SharedFolder, Folders.DataFolder, Folders.ProgramFolder}) {
        if (!dir.isEmpty() && ExistsNoCase(dir, name)) return FindNoCase(dir, name);
    }
    return {};
}

void LoadPrefixTable() {
    PrefixTable.Count = 0;
    const QString path = FindPrefixFile();
    if (path.isEmpty()) return;
    ValueReader in = ValueReader::FromBytes(ReadAllBytes(path));
    while (!in.AtEnd()) {
        if (PrefixTable.Count >= PrefixTableData::Capacity)
            throw VbError(VbError::SubscriptOutOfRange, "Subscript out of range");
        // A row counts only once all eight values are in, so a row cut short is never looked up.
        const QString prefix = in.ReadText();
        const QString country = in.ReadText();
        const QString continent = in.ReadText();
        const float longitude = in.ReadSingle();
        const float latitude = in.ReadSingle();
        for (int i = 0; i < 3; ++i) in.ReadUntyped();
        const int row = PrefixTable.Count + 1;
        PrefixTable.Prefix[row] = prefix;
        PrefixTable.Country[row] = country;
        PrefixTable.Continent[row] = continent;
        PrefixTable.Longitude[row] = longitude;
        PrefixTable.Latitude[row] = latitude;
        PrefixTable.Count = row;
    }
}

void LoadStateCoords() {
    ValueReader in = ValueReader::FromBytes(ReadAllBytes(FindNoCase(Folders.ProgramFolder, "states.txt")));
    for (int row = 1; row <= StateCoordTableData::Rows; ++row) {
        StateCoordTable.Abbrev[row] = in.ReadText();
        StateCoordTable.Latitude[row] = in.ReadSingle();
        StateCoordTable.Longitude[row] = in.ReadSingle();
    }
}

} // namespace tylog
