#pragma once
#include <QString>
#include <vector>

namespace tylog {

// The host state's counties and independent cities: rows 1..Count, slot 0 empty, at most 1000.
struct CountyTableData {
    static constexpr int Capacity = 1000;
    CountyTableData() : Name(Capacity + 1), Abbrev(Capacity + 1) {}
    std::vector<QString> Name;
    std::vector<QString> Abbrev;
    float Count = 0;
};

inline CountyTableData CountyTable;

// Rebuilds CountyTable from TYCounty.txt; throws VbError (rows read so far stay).
void LoadCounties();
// Upper-cases abbrev and sets name to the first row's name with that abbreviation, else "".
void CountyNameFromAbbrev(QString& name, QString& abbrev);
// What the CW sender keys for a county ("^"): the abbreviation of the first row whose name equals
// `name` (letter case ignored, nothing trimmed) when it is not empty and shorter than the name, else
// the name itself.
QString CountyAbbrevForCW(const QString& name);

} // namespace tylog
