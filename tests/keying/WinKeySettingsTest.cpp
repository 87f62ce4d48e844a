// WK.txt, byte for byte, and the rules of the external keyer window's boxes.
#include "keying/WinKeySettings.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::CrLfLines;
using tylog::testing::ScratchFolder;

TEST(WinKeySettingsFile, EightValuesRoundTripByteForByte) {
    ScratchFolder dir;
    const QByteArray file = CrLfLines({"5", "\"18\"", "\"50\"", "\"0\"", "\"0\"", "\"50\"", "6", "0"});
    dir.write("WK.txt", file);
    const auto read = ReadWinKeySettings(dir.file("WK.txt"));
    ASSERT_TRUE(read.whole);
    EXPECT_EQ(read.settings.ComPort, 5);
    EXPECT_EQ(read.settings.Speed, "18");
    EXPECT_EQ(read.settings.PinConfig, 6);
    EXPECT_EQ(read.settings.Mode, 0);

    WinKeySettings s = read.settings;
    WriteWinKeySettings(dir.file("WK.txt"), s);
    EXPECT_EQ(dir.read("WK.txt"), file);

    // Texts as typed, and codes no option has, go back as they came.
    s.Speed = "150";
    s.Ratio = "";
    s.PinConfig = 7;
    WriteWinKeySettings(dir.file("WK.txt"), s);
    EXPECT_EQ(dir.read("WK.txt"), CrLfLines({"5", "\"150\"", "\"50\"", "\"0\"", "\"0\"", "\"\"", "7", "0"}));
    const auto again = ReadWinKeySettings(dir.file("WK.txt"));
    EXPECT_EQ(again.settings.Speed, "150");
    EXPECT_EQ(again.settings.Ratio, "");
    EXPECT_EQ(again.settings.PinConfig, 7);
}

TEST(WinKeySettingsFile, ShortOrDamagedFilesKeepWhatWasRead) {
    struct Case {
        const char* name;
        QByteArray bytes;
        bool whole;
        int port, pin, mode;
        QString ratio;
    };
    const Case cases[] = {
        {"six values: pin and mode keep their defaults", CrLfLines({"3", "\"20\"", "\"50\"", "\"1\"", "\"2\"", "\"45\""}),
         true, 3, 6, 0, "45"},
        {"seven values", CrLfLines({"3", "\"20\"", "\"50\"", "\"1\"", "\"2\"", "\"45\"", "5"}), true, 3, 5, 0, "45"},
        {"a port that fits no byte stops at once", CrLfLines({"300", "\"20\""}), false, 0, 6, 0, "50"},
        {"five values", CrLfLines({"3", "\"20\"", "\"50\"", "\"1\"", "\"2\""}), false, 3, 6, 0, "50"},
        {"a mode that is no number", CrLfLines({"3", "\"20\"", "\"50\"", "\"1\"", "\"2\"", "\"45\"", "8", "x"}), false,
         3, 8, 0, "45"},
    };
    for (const Case& c : cases) {
        ScratchFolder dir;
        dir.write("WK.txt", c.bytes);
        const auto read = ReadWinKeySettings(dir.file("WK.txt"));
        EXPECT_TRUE(read.opened) << c.name;
        EXPECT_EQ(read.whole, c.whole) << c.name;
        EXPECT_EQ(read.settings.ComPort, c.port) << c.name;
        EXPECT_EQ(read.settings.PinConfig, c.pin) << c.name;
        EXPECT_EQ(read.settings.Mode, c.mode) << c.name;
        EXPECT_EQ(read.settings.Ratio, c.ratio) << c.name;
    }
    ScratchFolder empty;
    EXPECT_FALSE(ReadWinKeySettings(empty.file("WK.txt")).opened);
}

TEST(WinKeyBoxes, WhatLeavingEachBoxSendsAndRepairs) {
    struct Case {
        const char* text;
        std::optional<int> speed, weight, ratio;
        std::optional<QString> repairSpeed;
    };
    const Case cases[] = {
        {"0", 0, 0, std::nullopt, std::nullopt},
        {"18", 18, 18, std::nullopt, std::nullopt},
        {"31", 31, 31, std::nullopt, std::nullopt},
        {"32", 32, 32, 32, std::nullopt},
        {"67", 67, 67, 67, std::nullopt},
        {"68", 68, 68, std::nullopt, std::nullopt},
        {"99", 99, 99, std::nullopt, std::nullopt},
        {"150", std::nullopt, std::nullopt, std::nullopt, std::nullopt}, // in a byte, out of range: stays
        {"300", std::nullopt, std::nullopt, std::nullopt, QString("18")}, // fits no byte: repaired
        {"", std::nullopt, std::nullopt, std::nullopt, QString("18")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WinKeySpeedBox(c.text).send, c.speed) << c.text;
        EXPECT_EQ(WinKeySpeedBox(c.text).repair, c.repairSpeed) << c.text;
        EXPECT_EQ(WinKeyWeightBox(c.text).send, c.weight) << c.text;
        EXPECT_EQ(WinKeyRatioBox(c.text).send, c.ratio) << c.text;
    }
    EXPECT_EQ(WinKeyWeightBox("").repair, QString("50"));
    EXPECT_EQ(WinKeyRatioBox("x").repair, QString("50"));

    EXPECT_EQ(WinKeyLeadTailBoxes("3", "4").send, (std::pair{3, 4}));
    EXPECT_TRUE(WinKeyLeadTailBoxes("3", "").repairLeft) << "an empty tail: the box left becomes 0";
    EXPECT_FALSE(WinKeyLeadTailBoxes("3", "").send);
    EXPECT_TRUE(WinKeyLeadTailBoxes("256", "0").repairLeft);

    EXPECT_EQ(WinKeyPortBox("5").port, 5);
    EXPECT_FALSE(WinKeyPortBox("5").repair);
    // A port no byte holds uses 0, and the box shows it.
    EXPECT_EQ(WinKeyPortBox("300").port, 0);
    EXPECT_EQ(WinKeyPortBox("300").repair, QString("0"));
    EXPECT_EQ(WinKeyPortBox("").repair, QString("0"));
}
