// The frequency and mode commands as bytes: the fields' widths, rounding and byte order, the VFO and
// address taken from the radio, and the values that must send nothing.
#include "platform/VbError.h"
#include "rig/RigCommands.h"
#include "tests/support/QStringPrint.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace tylog;

namespace {

const char* const kIcomQuery = "FE FE 64 E0 03 FD";
const char* const kOmniQuery = "FE FE 04 E0 03 FD";

std::string hex(const QByteArray& b) { return b.toHex(' ').toUpper().toStdString(); }

} // namespace

TEST(RigCommands, FrequencyFieldsRoundToEvenKeepTheirWidthAndNeverChangeTheCallersValue) {
    struct Case {
        const char* type;
        float mhz;
        const char* query;
        int vfo;
        QByteArray bytes;
    } cases[] = {
        // The key is the query's, or the VFO the IF record named.
        {"Kenwood", 14.025f, "FB;", 10, "FB00014025000;"},
        {"Kenwood 2", 14.025f, "IF;", 1, "FB00014025000;"},
        {"Kenwood 2", 14.025f, "IF;", 0, "FA00014025000;"},
        {"Kenwood 2", 14.025f, "IF;", 10, "FA00014025000;"},
        {"Elecraft", 7.0125f, "XX;", 1, "FA00007012500;"},
        // A decimal field wider than its width keeps every digit.
        {"Yaesu FTdx9000", 144.2f, "FA;", 10, "FA144199997;"},
        {"Yaesu FTdx9000", 7.025f, "FA;", 10, "FA07025000;"},
        // Halves of a 10 Hz step go to the even step.
        {"Yaesu", 1.015625f, "", 10, QByteArray::fromHex("0010156201")},
        {"Yaesu", 1.046875f, "", 10, QByteArray::fromHex("0010468801")},
        {"Yaesu 1000", 1.015625f, "", 10, QByteArray::fromHex("621510000A")},
        // Single precision: 432.1 MHz is 432,100,006 Hz.
        {"Icom", 432.1f, kIcomQuery, 10, QByteArray::fromHex("FEFE64E0050600103204FD")},
        // The 735 takes four bytes, as it answers.
        {"Icom 735", 1.8f, "FE FE 0a E0 03 FD", 10, QByteArray::fromHex("FEFE0AE00500008001FD")},
        {"Ten Tec Omni VI", 7.04f, kOmniQuery, 10, QByteArray::fromHex("FEFE04E0050000040700FD")},
        {"Ten Tec Fnt Pnl", 4294.967f, "", 10, QByteArray::fromHex("2A41FFFFFE0D0D")},
        // In Hz, as the Orion answers.
        {"Ten Tec Orion", 14.02501f, "", 10, "*AF14025010\r"},
    };
    for (const Case& c : cases) {
        float value = c.mhz;
        EXPECT_EQ(hex(FrequencyCommand(c.type, value, c.query, c.vfo)), hex(c.bytes)) << c.type << " " << c.mhz;
        EXPECT_EQ(value, c.mhz);
    }
}

// Nothing goes out that the radio would read as another frequency or another command.
TEST(RigCommands, FrequenciesNoFieldCanCarryAndTypesWithoutACommandSendNothing) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* type;
        float mhz;
    } cases[] = {
        {"Kenwood", 0},          {"Kenwood", -14.025f},   {"Elecraft", nan},        {"Kenwood 2", inf},
        {"Yaesu FTdx9000", 0},   {"Ten Tec Orion", -1},   {"Ten Tec Orion", 0.0000001f},
        {"Yaesu", 1270},         {"Yaesu 757 GX II", 1270}, {"Yaesu 990", 1000},     {"Yaesu", -7},
        {"Icom", 10000.5f},      {"Icom", 0},             {"Icom 735", 100},             {"Ten Tec Fnt Pnl", 4295},  {"Ten Tec Fnt Pnl", -3},
        {"Other", 14.025f},      {"None", 14.025f},       {"Ten Tec Pegasus", 14.025f}, {"kenwood", 14.025f},
        {"", 14.025f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hex(FrequencyCommand(c.type, c.mhz, kIcomQuery, 10)), "") << c.type << " " << c.mhz;
    EXPECT_EQ(hex(FrequencyCommand("Yaesu", 999.99f, "", 10)), "99 99 89 99 01");
}

TEST(RigCommands, AnIcomAddressThatIsNotTwoHexadecimalDigitsIsRefused) {
    for (const char* query : {"FE FE 6", "FE FE G4 E0 03 FD", "FE FE  4 E0 03 FD", "FE FE +4 E0 03 FD", ""}) {
        for (const char* type : {"Icom", "Icom 735", "Ten Tec Omni VI"})
            EXPECT_THROW(FrequencyCommand(type, 14.025f, query, 10), VbError) << type << " " << query;
        EXPECT_THROW(ModeCommand("Icom", "CW", query, ""), VbError) << query;
        // A type without a mode command never looks at the address.
        EXPECT_EQ(hex(ModeCommand("Icom 735", "CW", query, "")), "") << query;
    }
    try {
        FrequencyCommand("Icom", 14.025f, "FE FE 6", 10);
    } catch (const VbError& e) {
        EXPECT_TRUE(e.Description.contains("FE FE 6")) << e.Description.toStdString();
    }
}

TEST(RigCommands, ModeCommandsByFamilyAndNoneForAModeWithoutACode) {
    struct Case {
        const char* type;
        const char* mode;
        QByteArray bytes;
    } cases[] = {
        {"Kenwood", "CW", "MD3;"},
        {"Elecraft", "LSB", "MD1;"},
        {"Kenwood 2", "FSK", "MD6;"},
        {"Kenwood", "RTTY", "MD6;"},
        {"Kenwood", "CW-R", ""},
        {"Icom", "USB", QByteArray::fromHex("FEFE64E00601FD")},
        {"Icom", "RTTY-R", QByteArray::fromHex("FEFE64E00608FD")},
        {"Ten Tec Omni VI", "FM", QByteArray::fromHex("FEFE04E00605FD")},
        {"Icom", "FSK", ""},
        {"Yaesu", "AM", QByteArray::fromHex("0400000007")},
        {"Yaesu", "DIG", QByteArray::fromHex("0A00000007")},
        {"Yaesu", "RTTY", QByteArray::fromHex("0A00000007")},
        {"Yaesu", "PKT", QByteArray::fromHex("0C00000007")},
        {"Yaesu", "CW-R", ""},
        {"Yaesu 990", "CW-R", QByteArray::fromHex("000000030C")},
        {"Yaesu 757 GX II", "FM", QByteArray::fromHex("000000060C")},
        {"Yaesu 1000 D", "DIG", ""},
        {"Yaesu FTdx9000", "RTTY", "MD6;"},
        {"Yaesu FTdx9000", "CW-R", "MD7;"},
        {"Yaesu FTdx9000", "PKT", ""},
        {"Icom 735", "CW", ""},
        {"Ten Tec Orion", "CW", ""},
        {"Ten Tec Fnt Pnl", "USB", ""},
        {"Ten Tec Pegasus", "USB", ""},
        {"Other", "USB", ""},
        {"Kenwood", "cw", ""},
        {"Kenwood", "", ""},
        {"Kenwood", "PH", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hex(ModeCommand(c.type, c.mode, c.type == QString("Ten Tec Omni VI") ? kOmniQuery : kIcomQuery, "MD0;")),
                  hex(c.bytes))
            << c.type << " " << c.mode;
    // The FTdx9000's key is the mode query's.
    EXPECT_EQ(hex(ModeCommand("Yaesu FTdx9000", "CW", "", "MX0;")), hex("MX3;"));
}

TEST(RigCommands, PegasusFileHoldsTheFrequencyAndTheLastDecodedMode) {
    EXPECT_EQ(PegasusInFile(28.475f, " CW "), "28.475\r\nCW\r\n");
    EXPECT_EQ(PegasusInFile(14.02501f, ""), "14.02501\r\n\r\n");
    EXPECT_EQ(PegasusInFile(0, "CW"), "");
    EXPECT_EQ(PegasusInFile(-3, "CW"), "");
}
