// The county map's hot-spot table, TYCountyMap.txt in the program folder: any bytes read without a
// crash or undefined behaviour, or refused with an error.
#include "fuzz/FuzzSupport.h"
#include "logtools/CountyMapData.h"
#include "platform/VbError.h"

using namespace tylog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    try {
        const std::vector<CountyHotSpot> spots =
            ReadCountyHotSpots(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
        FUZZ_CHECK(spots.size() <= size);
    } catch (const VbError&) {
    }
    return 0;
}
