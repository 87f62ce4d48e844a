#pragma once
// The two lookup tables the start-up loader reads from the shipped data files and the logging
// windows and the spot list read for the rest of the run.
#include "core/Slots.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace tylog {

// Call prefixes and countries from arrlpre2.txt: rows 1..Count in file order, slot 0 unused.
struct PrefixTableData {
    static constexpr int Capacity = 10000;
    Slots<QString, Capacity + 1> Prefix;
    Slots<QString, Capacity + 1> Country;
    Slots<QString, Capacity + 1> Continent;
    Slots<float, Capacity + 1> Longitude;
    Slots<float, Capacity + 1> Latitude;
    std::int32_t Count = 0;
};

// Coordinates of the US states and Canadian provinces from states.txt: rows 1..50, room for 55.
struct StateCoordTableData {
    static constexpr int Rows = 50;
    static constexpr int Capacity = 55;
    StateCoordTableData() : Abbrev(Capacity + 1), Latitude(Capacity + 1), Longitude(Capacity + 1) {}
    std::vector<QString> Abbrev;
    std::vector<float> Latitude;
    std::vector<float> Longitude;
};

inline PrefixTableData PrefixTable;
inline StateCoordTableData StateCoordTable;

// The first of SharedFolder, DataFolder and ProgramFolder that holds arrlpre2.txt; "" when none does.
QString FindPrefixFile();
// Fills PrefixTable from arrlpre2.txt (eight values a row, the last three dropped). No file: the
// table stays empty. Throws VbError on a row cut short, a value of the wrong type or a 10001st row;
// the complete rows read before stay.
void LoadPrefixTable();
// Fills rows 1..50 of StateCoordTable from states.txt in the program folder. Throws VbError when the
// file is missing, short or malformed; what was read before stays.
void LoadStateCoords();

} // namespace tylog
