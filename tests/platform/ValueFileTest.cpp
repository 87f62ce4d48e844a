#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tylog;

TEST(ValueReader, ReadsQuotedBareAndEmptyValues) {
    ValueReader r(QString::fromLatin1("\"a, b\",  7 ,\"\"\r\n\r\nbare text  ,\"x\"junk,9\r\n"));
    EXPECT_EQ(r.ReadText(), "a, b");
    EXPECT_EQ(r.ReadText(), "7");
    EXPECT_EQ(r.ReadText(), "");
    EXPECT_EQ(r.ReadText(), ""); // the empty line is one empty value
    EXPECT_EQ(r.ReadText(), "bare text");
    EXPECT_EQ(r.ReadText(), "x");
    EXPECT_EQ(r.ReadDouble(), 9.0);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_THROW(r.ReadText(), VbError);
}

TEST(ValueReader, NumbersAreStrictUnlessAskedOtherwise) {
    ValueReader r(QString::fromLatin1("300,abc,abc,.25,-4\r\n"));
    EXPECT_THROW(r.ReadByte(), VbError);
    EXPECT_THROW(r.ReadDouble(), VbError);
    EXPECT_EQ(r.ReadDoubleOrZero(), 0.0);
    EXPECT_FLOAT_EQ(r.ReadSingle(), 0.25f);
    EXPECT_EQ(r.ReadLong(), -4);
}

TEST(ValueWriter, WritesTheFileForm) {
    ValueWriter w;
    w.Text("N0CALL").Text("").Text("a\"b\r\nc").Double(0).Single(5.5f).EndLine();
    w.Single(-0.5f).EndLine().Single(0.25f).EndLine().Integer(16777215).EndLine();
    EXPECT_EQ(w.Bytes(), QByteArray("\"N0CALL\",\"\",\"abc\",0,5.5\r\n-.5\r\n.25\r\n16777215\r\n"));
}

TEST(FormatSingle, PlainDecimals) {
    const std::pair<float, const char*> cases[] = {{5.5f, "5.5"}, {-4.f, "-4"}, {0.25f, ".25"}, {-0.5f, "-.5"},
                                                   {3.5f, "3.5"}, {-5.75f, "-5.75"}, {0.f, "0"}, {14.25f, "14.25"},
                                                   {1234567.f, "1234567"}, {0.1f, ".1"}};
    for (auto [v, s] : cases) EXPECT_EQ(FormatSingle(v), s) << s;
}

TEST(Ansi, RoundTripsWindows1252) {
    const QByteArray bytes("\x80\x93\xE9z", 4);
    const QString text = FromAnsi(bytes);
    EXPECT_EQ(text, QString::fromUtf8("€“éz"));
    EXPECT_EQ(ToAnsi(text), bytes);
    EXPECT_EQ(ToAnsi(QString::fromUtf8("ж")), QByteArray("?"));
}

TEST(Ansi, EveryByteComesBackAsItWasRead) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(ToAnsi(FromAnsi(all)), all);
    // UTF-8 of another program (Á, č, Н) is bytes like any other.
    const QByteArray utf8 = QString::fromUtf8("Áč Н").toUtf8();
    EXPECT_EQ(ToAnsi(FromAnsi(utf8)), utf8);
}

TEST(FormatDouble, EveryFiniteValueReadsBack) {
    const double max = std::numeric_limits<double>::max();
    const double cases[] = {max, -max, std::nextafter(max, 0.0), 1.7976931348623150e308, 1e308, 2.5, -0.5,
                            std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min()};
    for (double v : cases) {
        const QString text = FormatDouble(v);
        double back = 0;
        ASSERT_TRUE(ParseNumber(text, &back)) << text.toStdString();
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << text.toStdString();
    }
    EXPECT_EQ(FormatDouble(2.5), "2.5");
    EXPECT_EQ(FormatDouble(1e308), "1E+308");
}

// The forms of a number the files hold, read exactly; anything else, or a number past the largest
// double, is no number.
TEST(ParseNumber, ReadsTheFilesFormsExactly) {
    const std::pair<const char*, double> numbers[] = {
        {"5", 5},   {"-4", -4},       {".25", 0.25},         {"-.5", -0.5},   {"5.", 5},
        {"+3", 3},  {" 7 ", 7},       {"1.5E+07", 1.5e7},    {"2e-3", 0.002}, {"14.070", 14.07},
        {"0", 0},   {"-122.3344", -122.3344}, {"1.7976931348623157E+308", 1.7976931348623157e308},
    };
    for (auto [text, expected] : numbers) {
        double v = -1;
        EXPECT_TRUE(ParseNumber(text, &v)) << text;
        EXPECT_EQ(v, expected) << text;
    }
    for (const char* text : {"", " ", "abc", "1.2.3", "1e", "--1", "+-1", "1,5", "1e400", "0x10", "inf", "nan", "5 5"}) {
        double v = -1;
        EXPECT_FALSE(ParseNumber(text, &v)) << text;
    }
}
