// Morse as data: the element strings, the word space, element lengths, the key line's schedule, the
// loop calibration and the message macros.
#include "keying/KeyerBoxes.h"
#include "keying/Morse.h"

#include <gtest/gtest.h>

using namespace tylog;

TEST(Morse, ElementStringsFollowOneRule) {
    const std::pair<QChar, const char*> rows[] = {
        {u'A', "10111000"},         {u'a', "10111000"},
        {u'E', "1000"},             {u'T', "111000"},
        {u'Q', "1110111010111000"}, {u'0', "1110111011101110111000"},
        {u'5', "101010101000"},     {u',', "1110111010101110111000"},
        {u'-', "1110101010111000"}, {u'=', "1110101010111000"}, // both BT
        {u'[', "1011101011101000"}, {u'\\', "111010111010101110101000"},
        {u' ', "00000000"},         {u'!', ""},
        {u'%', ""},                 {u'$', ""},
    };
    for (const auto& [c, elements] : rows) EXPECT_EQ(MorseElements(c), elements) << QString(c).toStdString();
}

TEST(Morse, WordSpaceIsAdjustedWithinItsBounds) {
    const std::pair<double, int> rows[] = {
        {0, 8}, {2, 10}, {1.5, 9}, {-8, 0}, {-2.5, 6}, {-3.5, 4}, {-12, 0}, {50, 58}, {400, 58},
    };
    for (const auto& [units, length] : rows) {
        const QString space = WordSpaceElements(units);
        EXPECT_EQ(space, QString(length, u'0')) << units;
    }
    EXPECT_EQ(HeldWordSpace("60"), "50");
    EXPECT_EQ(HeldWordSpace("-12"), "-8");
    EXPECT_EQ(HeldWordSpace("49.5"), "49.5");
}

TEST(Morse, ElementLengthByTimingMethod) {
    EXPECT_NEAR(ElementMicros(CWTiming::Timer, 13, 0, 0), 92307.69, 0.01);
    EXPECT_EQ(ElementMicros(CWTiming::Timer, 40, 0, 0), 30000);
    EXPECT_EQ(ElementMicros(CWTiming::Sleep, 13, 0, 0), 92000);
    EXPECT_EQ(ElementMicros(CWTiming::Sleep, 16, 0, 0), 75000);
    // 1,200,000 steps in 60 ms: the unit; 10 % fewer steps, 10 % shorter.
    EXPECT_DOUBLE_EQ(ElementMicros(CWTiming::Loop, 20, 1200000, 20000), 60000);
    EXPECT_DOUBLE_EQ(ElementMicros(CWTiming::Loop, 20, 1080000, 20000), 54000);
    EXPECT_EQ(ElementMicros(CWTiming::Loop, 20, 0, 20000), 0);

    double wpm = 0;
    EXPECT_TRUE(CWSpeed(" 20 ", &wpm));
    EXPECT_EQ(wpm, 20);
    for (const char* bad : {"0", "0.5", "-1", "", "fast"}) EXPECT_FALSE(CWSpeed(bad, &wpm)) << bad;
}

TEST(Morse, ScheduleKeysOnlyWhereTheLineChanges) {
    const MorseSchedule a = ScheduleElements(MorseElements(u'A'), 60000);
    ASSERT_EQ(a.steps.size(), 4u);
    const std::int64_t at[] = {0, 60000, 120000, 300000};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(a.steps[i].atMicros, at[i]);
        EXPECT_EQ(a.steps[i].down, i % 2 == 0);
    }
    EXPECT_EQ(a.lengthMicros, 480000);
    // Offsets from the character's start, so rounding never adds up.
    const MorseSchedule h = ScheduleElements(MorseElements(u'H'), 92307.69);
    EXPECT_EQ(h.steps.back().atMicros, 646154);
    EXPECT_EQ(h.lengthMicros, 923077);
    EXPECT_TRUE(ScheduleElements(MorseElements(u' '), 60000).steps.empty());
}

TEST(Morse, LoopCalibrationNeverGivesZeroOrInfinity) {
    EXPECT_EQ(LoopsPer60msFrom(CalibrationSteps, 250), 1200000);
    EXPECT_EQ(LoopsPer60msFrom(CalibrationSteps, 0), 300000000);
    EXPECT_EQ(LoopsPer60msFrom(CalibrationSteps, 0.4), 300000000);
}

TEST(Morse, MacrosFillInFourPasses) {
    struct Row {
        const char* message;
        const char* call;
        const char* serial;
        const char* rst;
        const char* county;
        const char* sent;
        const char* rstAfter;
    };
    const Row rows[] = {
        {"$ DE K1ABC", " W1AW ", "", "599", "", "W1AW DE K1ABC", "599"}, // no "*": the report stays
        {"TU # *", "", " 12 ", "599", "", "TU 12 5NN", "5NN"},
        {"*", "", "", "579", "", "579", "579"},
        {"* *", "", "", "", "", "5NN 5NN", "5NN"},
        {"$$ TU", "", "", "", "", " TU", ""},
        {"$?", "A$B", "", "", "", "A$B?", ""},       // inserted once, not expanded again
        {"$", "#1", "9", "", "", "91", ""},          // a later pass sees what an earlier one put in
        {"TU ^ ^", "", "", "", " KNT ", "TU KNT KNT", ""},
    };
    for (const Row& r : rows) {
        QString rst = r.rst;
        const QString sent = ExpandCWMacros(r.message, r.call, r.serial, rst, [&] { return QString(r.county); });
        EXPECT_EQ(sent, r.sent) << r.message;
        EXPECT_EQ(rst, r.rstAfter) << r.message;
    }
}

TEST(Morse, FunctionKeyCodesChooseMessages) {
    const std::pair<int, int> rows[] = {{112, 0}, {120, 8}, {124, 9}, {122, 10}, {121, -1}, {123, -1}, {65, -1}};
    for (const auto& [code, index] : rows) EXPECT_EQ(CWMessageIndex(code), index) << code;
}

TEST(Morse, ParallelBaseAddresses) {
    const std::pair<const char*, int> good[] = {{"&H378", 888}, {"&h3bc", 956}, {" &H278 ", 632}, {"378", 378}};
    for (const auto& [text, address] : good) {
        int a = -1;
        EXPECT_TRUE(ParallelBaseAddress(text, &a)) << text;
        EXPECT_EQ(a, address) << text;
    }
    for (const char* bad : {"&HZZ", "&H", "70000", "-1", "LPT1", ""}) {
        int a = -1;
        EXPECT_FALSE(ParallelBaseAddress(bad, &a)) << bad;
    }
}
