#pragma once
#include <QString>

namespace tylog {

// The country of a spotted call from PrefixTable: the longest prefix that begins the call wins (the
// first met on ties); a suffix after "/" of at least two characters and shorter than half the call
// stands for the call; a matched call beginning "KG4" and longer than five characters is "USA".
// Case counts. "" when nothing matches. Rows outside 1..PrefixTable.Count are never read.
QString LookupDXCountry(const QString& call);

} // namespace tylog
