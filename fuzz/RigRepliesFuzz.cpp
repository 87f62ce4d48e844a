// The radio's replies: every decoder over any bytes, with any query strings, without a crash or
// undefined behaviour; what they decode is a frequency of 0 or more and a mode the logging window
// knows, and the hex conversions of the queries and the display hold together. Input: the reply, the
// frequency query and the mode query, separated by 0x1F.
#include "fuzz/FuzzSupport.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "rig/RigDecoders.h"
#include "rig/RigHex.h"

#include <cmath>
#include <functional>

using namespace tylog;

namespace {
const RigDecoded kStart{3.5f, "XX", 10};

void check(const RigDecoded& d) {
    FUZZ_CHECK(std::isfinite(d.RigFrequencyMHz) && d.RigFrequencyMHz >= 0);
    const QString& m = d.RigModeText;
    FUZZ_CHECK(m == "XX" || m == "PH" || m == "CW" || m == "AM" || m == "FM");
    FUZZ_CHECK(d.RigVfo >= 0 && d.RigVfo <= 10);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    const QList<QByteArray> pieces = fuzz::Split(data, size, 3);
    const QByteArray& reply = pieces[0];
    const QString frequencyQuery = FromAnsi(pieces[1]);
    const QString modeQuery = FromAnsi(pieces[2]);

    const std::function<void(RigDecoded&)> decoders[] = {
        [&](RigDecoded& d) { DecodeKenwoodFrequency(reply, frequencyQuery, d); },
        [&](RigDecoded& d) { DecodeKenwoodMode(reply, d); },
        [&](RigDecoded& d) { DecodeKenwoodIF(reply, d); },
        [&](RigDecoded& d) { DecodeIcomFrequency(reply, false, d); },
        [&](RigDecoded& d) { DecodeIcomFrequency(reply, true, d); },
        [&](RigDecoded& d) { DecodeIcomMode(reply, d); },
        [&](RigDecoded& d) { DecodeYaesuStatus(reply, d); },
        [&](RigDecoded& d) { DecodeYaesu757(reply, d); },
        [&](RigDecoded& d) { DecodeYaesu890(reply, d); },
        [&](RigDecoded& d) { DecodeYaesu920(reply, d); },
        [&](RigDecoded& d) { DecodeYaesu990(reply, d); },
        [&](RigDecoded& d) { DecodeYaesu1000(reply, d); },
        [&](RigDecoded& d) { DecodeFtdx9000(reply, frequencyQuery, modeQuery, d); },
        [&](RigDecoded& d) { DecodeTenTecFrequency(reply, d); },
        [&](RigDecoded& d) { DecodeTenTecMode(reply, d); },
        [&](RigDecoded& d) { DecodeOrionFrequency(reply, d); },
        [&](RigDecoded& d) { DecodeOrionMode(reply, d); },
    };
    for (const auto& decode : decoders) {
        RigDecoded d = kStart;
        decode(d);
        check(d);
        RigDecoded again = d; // a decoder reads the same reply the same way twice
        decode(again);
        FUZZ_CHECK(again.RigFrequencyMHz == d.RigFrequencyMHz && again.RigModeText == d.RigModeText);
        ModeFromFrequency(d);
        check(d);
    }

    // The display's hex reads back as the bytes; a query's pairs convert or are refused as a whole.
    FUZZ_CHECK(HexSpacedToBytes(BytesToHexSpaced(reply)) == reply);
    FUZZ_CHECK(BytesToHex(reply).size() == 2 * reply.size());
    const QByteArray queryBytes = HexSpacedToBytes(frequencyQuery);
    FUZZ_CHECK(queryBytes.size() <= (frequencyQuery.size() + 2) / 3);
    const int count = static_cast<int>(frequencyQuery.size() / 3);
    try {
        FUZZ_CHECK(HexBytesAt(frequencyQuery, count).size() == count);
    } catch (const VbError&) {
    }
    (void)FormatBcdMHz10(frequencyQuery);
    (void)FormatBcdMHz8(frequencyQuery);
    return 0;
}
