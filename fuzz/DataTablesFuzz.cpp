// The shipped data tables read at start-up and by the export: call prefixes (arrlpre2.txt), state
// coordinates (states.txt), the host state's counties (TYCounty.txt) and the ADIF countries
// (ADIFCnt.txt). The first byte chooses the table, the rest is the file. A table takes a file or
// throws the reader's error; what it keeps stays within its capacity and is looked up as it reads.
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "fuzz/FuzzSupport.h"
#include "logstore/AdifExport.h"
#include "logstore/CountyTable.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "spotting/CountryLookup.h"

#include <algorithm>

using namespace tylog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    if (size == 0) return 0;
    const QByteArray file(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    switch (data[0] % 4) {
    case 0: {
        fuzz::WriteFile("arrlpre2.txt", file);
        try {
            LoadPrefixTable();
        } catch (const VbError&) {
        }
        FUZZ_CHECK(PrefixTable.Count >= 0 && PrefixTable.Count <= PrefixTableData::Capacity);
        for (int row = 1; row <= std::min(PrefixTable.Count, 64); ++row) {
            const QString& prefix = PrefixTable.Prefix[static_cast<size_t>(row)];
            const QString country = LookupDXCountry(prefix + "1AB");
            bool known = country.isEmpty() || country == QLatin1String("USA");
            for (int k = 1; k <= PrefixTable.Count && !known; ++k) known = PrefixTable.Country[static_cast<size_t>(k)] == country;
            FUZZ_CHECK(known);
        }
        break;
    }
    case 1:
        fuzz::WriteFile("states.txt", file);
        try {
            LoadStateCoords();
        } catch (const VbError&) {
        }
        break;
    case 2: {
        fuzz::WriteFile("TYCounty.txt", file);
        Station.HostState = "TY";
        try {
            LoadCounties();
        } catch (const VbError&) {
        }
        const int count = static_cast<int>(CountyTable.Count);
        FUZZ_CHECK(count >= 0 && count <= CountyTableData::Capacity);
        for (int i = 1; i <= std::min(count, 64); ++i) {
            QString name;
            QString abbrev = CountyTable.Abbrev[i];
            CountyNameFromAbbrev(name, abbrev);
            int first = 1;
            while (first <= count && CountyTable.Abbrev[first] != abbrev) ++first; // abbrev is now upper case
            if (first <= count) FUZZ_CHECK(name == CountyTable.Name[first]);
            else FUZZ_CHECK(name.isEmpty());
        }
        break;
    }
    default:
        fuzz::WriteFile("ADIFCnt.txt", file);
        try {
            FUZZ_CHECK(ReadAdifCountries(fuzz::Scratch() + "/ADIFCnt.txt").size() <= 1000);
        } catch (const VbError&) {
        }
        break;
    }
    return 0;
}
