// The Ten Tec Pegasus status file, written by a program outside and read on every read tick: any
// bytes without a crash or undefined behaviour; it gives a positive frequency or none, and a mode of
// "PH", "CW" or empty.
#include "fuzz/FuzzSupport.h"
#include "rig/RigDecoders.h"

#include <cmath>

using namespace tylog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    RigDecoded d{3.5f, "XX", 10};
    DecodePegasusStatus(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), d);
    FUZZ_CHECK(std::isfinite(d.RigFrequencyMHz) && d.RigFrequencyMHz > 0);
    FUZZ_CHECK(d.RigModeText == "XX" || d.RigModeText == "PH" || d.RigModeText == "CW" || d.RigModeText.isEmpty());
    FUZZ_CHECK(d.RigVfo == 10);
    return 0;
}
