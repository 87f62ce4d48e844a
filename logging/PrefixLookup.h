#pragma once
// The in-state window's call-prefix lookup, the bearing and distance it shows, and the country-name
// completion of its St/Prv/Country box, as plain functions over PrefixTable. The window writes what
// they return into its box and labels.
#include "core/ReferenceTables.h"

#include <QString>
#include <optional>

namespace tylog {

// The texts of the bearing label (Label22, "###" whole degrees) and the distance label (Label23,
// "##,###" whole miles), each followed by one blank.
struct BearingDistance {
    QString Bearing;
    QString Distance;
};

// Great-circle bearing and distance from the own station to a point, in degrees, longitudes positive
// towards the west. Both texts are empty where no bearing exists: the point is the own station's or
// the one opposite it, or the own station stands on a pole.
BearingDistance ShowBearingDistance(float ownLatitude, float ownLongitude, float latitude, float longitude);

// What one lookup changes, to be applied in this order: the St/Prv/Country box (txtCntry; setting it
// runs its change handler), then the continent (Label19), bearing (Label22) and distance (Label23)
// labels, then, when SelectCountryText, the selection of the box's whole text. A field without a
// value leaves its control as it is.
struct PrefixLookupResult {
    std::optional<QString> Country;
    std::optional<QString> Continent;
    std::optional<QString> Bearing;
    std::optional<QString> Distance;
    bool SelectCountryText = false;
    // The PrefixTable row the lookup settled on (for a KG4 call other than 5 characters, the first
    // "USA" row); 0 when no prefix matched.
    int Row = 0;
};

// Looks the call box's text up in the prefix table: a suffix after "/" of at least two characters and
// no longer than the part before it stands for the call; the longest prefix wins (the first met on
// ties). USA and Canada leave the box to the operator and show "NA"; Alaska and Hawaii give "AK" and
// "HI"; a KG4 call of 4 or more than 5 characters is a US station. countryText is the box's present
// text. Rows outside 1..Count read as empty, so a start row estimated past the table finds nothing.
PrefixLookupResult LookupPrefixCountry(const QString& call, const QString& countryText, float ownLatitude,
                                       float ownLongitude, const PrefixTableData& table = PrefixTable);

// The country completion of the St/Prv/Country box: the last row 1..Count whose Country begins with
// `typed` (letter case ignored); 0 when none does.
int FindCountryCompletion(const QString& typed, const PrefixTableData& table = PrefixTable);

} // namespace tylog
