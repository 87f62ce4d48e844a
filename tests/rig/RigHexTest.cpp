// The hex conversions and BCD frequency texts the poll, the window and the decoders share.
#include "platform/VbError.h"
#include "rig/RigHex.h"

#include <gtest/gtest.h>

using namespace tylog;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

TEST(RigHex, BytesAndPairs) {
    EXPECT_EQ(NibbleToHex(0), "0");
    EXPECT_EQ(NibbleToHex(10), "A");
    EXPECT_EQ(NibbleToHex(15), "F");
    EXPECT_EQ(NibbleToHex(16), "");
    EXPECT_EQ(BytesToHex(bytes({0x0A, 0xFE, 0x00})), "0AFE00");
    EXPECT_EQ(BytesToHexSpaced({}), "");
    EXPECT_EQ(BytesToHexSpaced(bytes({13})), "0D ");
    EXPECT_EQ(BytesToHexSpaced(bytes({0xFE, 0xFE, 0x64, 0xE0, 0x03, 0xFD})), "FE FE 64 E0 03 FD ");

    struct Case { const char* text; QByteArray bytes; };
    const Case cases[] = {
        {"FE FE 64 E0 03 FD", bytes({0xFE, 0xFE, 0x64, 0xE0, 0x03, 0xFD})},
        {"3F 41 0D", bytes({0x3F, 0x41, 0x0D})},
        {"fe 0d", bytes({0xFE, 0x0D})},
        {"3F 4", bytes({0x3F, 0x04})}, // one digit at the very end
        {"", {}},
        {"FE ZZ FD", {}}, // a pair that is no hex: nothing at all
        {"FE F", bytes({0xFE, 0x0F})},
        {"F E", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(HexSpacedToBytes(c.text), c.bytes) << c.text;
}

TEST(RigHex, FixedPositionsOfAQuery) {
    EXPECT_EQ(HexBytesAt("FE FE 64 E0 03 FD", 6), bytes({0xFE, 0xFE, 0x64, 0xE0, 0x03, 0xFD}));
    EXPECT_EQ(HexBytesAt("00 00 00 02 10 99", 5), bytes({0, 0, 0, 2, 0x10}));
    // Whatever stands between the pairs is skipped; a pair that is no hex is an error, not a byte.
    EXPECT_EQ(HexBytesAt("3F-41-0D", 3), bytes({0x3F, 0x41, 0x0D}));
    EXPECT_THROW(HexBytesAt("FE FE 6X E0 03 FD", 6), VbError);
}

TEST(RigHex, BcdFrequencyTexts) {
    struct Case { const char* digits; const char* text; };
    const Case ten[] = {{"0014025000", "14.025000"}, {"0001840000", "1.840000"}, {"0144200000", "144.200000"},
                        {"1296100000", "1296.100000"}, {"14025000", "1402.5000"}, {"", "."}};
    for (const Case& c : ten) EXPECT_EQ(FormatBcdMHz10(c.digits), c.text) << c.digits;
    const Case eight[] = {{"01402500", "14.02500"}, {"14420000", "144.20000"}, {"00050000", ".50000"},
                          {"0140250099", "14.02500"}};
    for (const Case& c : eight) EXPECT_EQ(FormatBcdMHz8(c.digits), c.text) << c.digits;
}

} // namespace
