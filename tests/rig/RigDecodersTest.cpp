// The reply decoders, reply by reply: what each reads from whole fields, and that a reply cut short,
// garbled or of another kind leaves the values it had (the start state below marks them).
#include "rig/RigDecoders.h"

#include <functional>
#include <gtest/gtest.h>

using namespace tylog;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

const RigDecoded kStart{3.5f, "XX", 10};

struct Case {
    const char* what;
    QByteArray reply;
    float mhz;           // expected frequency (kStart's when unchanged)
    const char* mode;    // expected mode
    int vfo = 10;
};

void check(const std::function<void(const QByteArray&, RigDecoded&)>& decoder, std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        RigDecoded d = kStart;
        decoder(c.reply, d);
        EXPECT_EQ(d.RigFrequencyMHz, c.mhz) << c.what;
        EXPECT_EQ(d.RigModeText, c.mode) << c.what;
        EXPECT_EQ(d.RigVfo, c.vfo) << c.what;
    }
}

const float kKeep = 3.5f;

TEST(RigDecoders, KenwoodFrequencyAndMode) {
    auto kenwood = [](const char* query) {
        return [query](const QByteArray& r, RigDecoded& d) {
            DecodeKenwoodFrequency(r, query, d);
            DecodeKenwoodMode(r, d);
        };
    };
    check(kenwood("FA;"), {
        {"answer", "FA00014025000;MD3;", 14.025f, "CW"},
        {"phone", "FA00007074500;MD2;", 7.0745f, "PH"},
        {"CW reverse", "MD7;", kKeep, "CW"},
        {"FSK", "MD6;", kKeep, "PH"},
        {"no closing character yet", "FA00014025000", kKeep, "XX"},
        {"mode key without its digit", "FA00014025000;MD", 14.025f, "XX"},
        {"mode that is no digit", "MDx;", kKeep, "XX"},
        {"frequency that is no number", "FA0001402500x;", kKeep, "XX"},
        {"a piece before the whole answer", "FA000140FA00014025000;", 14.025f, "XX"},
        {"rounded to 10 Hz, halves to even", "FA00014025005;", 14.025f, "XX"},
        {"rounded up", "FA00014025016;", 14.02502f, "XX"},
        {"another key", "FB00014025000;", kKeep, "XX"},
        {"garbage", QByteArray("\xff\x00\x13\x80MF;A9", 10), kKeep, "XX"},
    });
    // The key follows the query box; a query of two characters reads no frequency.
    check(kenwood("FB;"), {{"FB", "FB00021200000;", 21.2f, "XX"}});
    check(kenwood("FA"), {{"short query", "FA00014025000;", kKeep, "XX"}});
}

TEST(RigDecoders, KenwoodIFRecord) {
    const QByteArray record = "IF00014025000    +0000000000030000000;";
    QByteArray vfoB = record;
    vfoB[30] = '1';
    QByteArray ssb = record;
    ssb[29] = '7'; // only 3 is CW here
    check(DecodeKenwoodIF, {
        {"whole record", record, 14.025f, "CW", 0},
        {"after other bytes", "xx;" + record, 14.025f, "CW", 0},
        {"VFO B", vfoB, 14.025f, "CW", 1},
        {"mode 7", ssb, 14.025f, "PH", 0},
        {"cut after the frequency", record.left(20), 14.025f, "XX"},
        {"cut before the VFO", record.left(30), 14.025f, "CW"},
        {"cut in the frequency", record.left(10), kKeep, "XX"},
        {"no IF", "FA00014025000;", kKeep, "XX"},
    });
}

TEST(RigDecoders, CivFrequency) {
    const QByteArray echo = bytes({0xFE, 0xFE, 0x64, 0xE0, 0x03, 0xFD});
    const QByteArray answer = bytes({0xFE, 0xFE, 0xE0, 0x64, 0x03, 0x00, 0x50, 0x02, 0x14, 0x00, 0xFD});
    auto icom = [](const QByteArray& r, RigDecoded& d) { DecodeIcomFrequency(r, false, d); };
    check(icom, {
        {"echo, then answer", echo + answer, 14.025f, "XX"},
        {"2 m", bytes({0xFE, 0xFE, 0xE0, 0x64, 0x03, 0x00, 0x00, 0x20, 0x44, 0x01, 0xFD}), 144.2f, "XX"},
        {"160 m", bytes({0xFE, 0xFE, 0xE0, 0x64, 0x03, 0x00, 0x00, 0x84, 0x01, 0x00, 0xFD}), 1.84f, "XX"},
        {"the last of two answers",
         answer + bytes({0xFE, 0xFE, 0xE0, 0x64, 0x03, 0x00, 0x40, 0x07, 0x07, 0x00, 0xFD}), 7.074f, "XX"},
        {"echo only", echo, kKeep, "XX"},
        {"cut before FD", answer.left(9), kKeep, "XX"},
        {"not BCD", bytes({0xFE, 0xFE, 0xE0, 0x64, 0x03, 0x00, 0x5A, 0x02, 0x14, 0x00, 0xFD}), kKeep, "XX"},
        {"triple preamble misses the frame", bytes({0xFE}) + answer, kKeep, "XX"},
        {"a mode answer", bytes({0xFE, 0xFE, 0xE0, 0x64, 0x04, 0x03, 0x01, 0xFD}), kKeep, "XX"},
    });
    check([](const QByteArray& r, RigDecoded& d) { DecodeIcomFrequency(r, true, d); },
          {{"735: four bytes", bytes({0xFE, 0xFE, 0xE0, 0x04, 0x03, 0x00, 0x40, 0x07, 0x07, 0xFD}), 7.074f, "XX"}});
}

TEST(RigDecoders, CivMode) {
    check(DecodeIcomMode, {
        {"CW", bytes({0xFE, 0xFE, 0xE0, 0x64, 0x04, 0x03, 0x01, 0xFD}), kKeep, "CW"},
        {"CW reverse counts as phone", bytes({0xFE, 0xFE, 0xE0, 0x64, 0x04, 0x07, 0x01, 0xFD}), kKeep, "PH"},
        {"AM", bytes({0xFE, 0xFE, 0xE0, 0x64, 0x04, 0x02, 0x02, 0xFD}), kKeep, "PH"},
        {"echo, then answer",
         bytes({0xFE, 0xFE, 0x64, 0xE0, 0x04, 0xFD, 0xFE, 0xFE, 0xE0, 0x64, 0x04, 0x03, 0x01, 0xFD}), kKeep, "CW"},
        {"echo only", bytes({0xFE, 0xFE, 0x64, 0xE0, 0x04, 0xFD}), kKeep, "XX"},
        {"cut before FD", bytes({0xFE, 0xFE, 0xE0, 0x64, 0x04, 0x03}), kKeep, "XX"},
    });
}

TEST(RigDecoders, YaesuStatus) {
    check(DecodeYaesuStatus, {
        {"20 m CW", bytes({0x01, 0x40, 0x25, 0x00, 0x02}), 14.025f, "CW"},
        {"2 m USB", bytes({0x14, 0x42, 0x00, 0x00, 0x01}), 144.2f, "PH"},
        {"0.5 MHz", bytes({0x00, 0x05, 0x00, 0x00, 0x00}), 0.5f, "PH"},
        {"5 MHz", bytes({0x00, 0x50, 0x00, 0x00, 0x00}), 5.f, "PH"},
        {"CW narrow", bytes({0x01, 0x40, 0x25, 0x00, 0x82}), 14.025f, "CW"},
        {"mode 6 keeps the mode", bytes({0x01, 0x40, 0x25, 0x00, 0x06}), 14.025f, "XX"},
        {"mode 0A: nothing", bytes({0x01, 0x40, 0x25, 0x00, 0x0A}), kKeep, "XX"},
        {"frequency not BCD", bytes({0x01, 0x4B, 0x25, 0x00, 0x02}), kKeep, "XX"},
        {"four bytes", bytes({0x01, 0x40, 0x25, 0x00}), kKeep, "XX"},
    });
}

TEST(RigDecoders, Yaesu757) {
    auto record = [](int mode, int length = 75) {
        QByteArray r = bytes({0, 0, 0, 0, 0, 0x00, 0x25, 0x40, 0x01, mode});
        return (r + QByteArray(75, '\0')).left(length);
    };
    check(DecodeYaesu757, {
        {"CW", record(0x02), 14.025f, "CW"},
        {"USB", record(0x01), 14.025f, "PH"},
        {"AM", record(0x04), 14.025f, "AM"},
        {"FM", record(0x05), 14.025f, "FM"},
        {"mode 6 keeps the mode", record(0x06), 14.025f, "XX"},
        {"mode 0A reads 0", record(0x0A), 14.025f, "PH"},
        {"no mode byte yet", record(0x02, 9), 14.025f, "XX"},
        {"frequency cut short", record(0x02, 8), kKeep, "XX"},
        {"four bytes", record(0x02, 4), kKeep, "XX"},
    });
}

TEST(RigDecoders, YaesuStatusRecordsOfThe890To1000) {
    // 14.025 MHz is 1402500 tens of Hz, 15 66 84 in hex; the mode is the low half of byte 8.
    auto rec = [](std::initializer_list<int> head, int mode, int length = 16) {
        QByteArray r = bytes(head);
        r = (r + QByteArray(8, '\0')).left(7) + static_cast<char>(mode);
        return (r + QByteArray(16, '\0')).left(length);
    };
    check(DecodeYaesu890, {
        {"CW", rec({0, 0, 0x15, 0x66, 0x84}, 0x02), 14.025f, "CW"},
        {"USB", rec({0, 0, 0x15, 0x66, 0x84}, 0x41), 14.025f, "PH"},
        {"mode 9 keeps the mode", rec({0, 0, 0x15, 0x66, 0x84}, 0x09), 14.025f, "XX"},
        {"no mode byte yet", rec({0, 0, 0x15, 0x66, 0x84}, 0x02, 7), 14.025f, "XX"},
        {"four bytes", rec({0, 0, 0x15, 0x66}, 0x02, 4), kKeep, "XX"},
    });
    check(DecodeYaesu990, {{"990", rec({0, 0x15, 0x66, 0x84}, 0x02), 14.025f, "CW"}});
    check(DecodeYaesu1000, {{"1000", rec({0, 0x01, 0x56, 0x68, 0x40}, 0x0C), 14.025f, "XX"}});
    check(DecodeYaesu920, {
        {"CW", rec({0, 0x00, 0xD6, 0x01, 0x28}, 0x01), 14.025f, "CW"},
        {"any other mode is phone", rec({0, 0x00, 0xD6, 0x01, 0x28}, 0x0B), 14.025f, "PH"},
        {"six bytes: no mode yet", rec({0, 0x00, 0xD6, 0x01, 0x28}, 0x01, 6), 14.025f, "XX"},
    });
}

TEST(RigDecoders, Ftdx9000) {
    auto ftdx = [](const QByteArray& r, RigDecoded& d) { DecodeFtdx9000(r, "FA;", "MD0;", d); };
    check(ftdx, {
        {"frequency", "FA14025000;", 14.025f, "XX"},
        {"mode", "MD03;", kKeep, "CW"},
        {"mode A is phone", "MD0A;", kKeep, "PH"},
        {"both", "FA18100000;MD02;", 18.1f, "PH"},
        {"seven digits: not 1.81 MHz", "FA1810000", kKeep, "XX"},
        {"digits only", "FA1810000x;", kKeep, "XX"},
        {"mode key without its character", "MD0", kKeep, "XX"},
    });
}

TEST(RigDecoders, TenTecFrontPanel) {
    check(DecodeTenTecFrequency, {
        {"answer", bytes({0x41, 0x00, 0xD6, 0x01, 0x28, 0x0D}), 14.025f, "XX"},
        {"no CR yet", bytes({0x41, 0x00, 0xD6, 0x01, 0x28}), 14.025f, "XX"},
        {"four bytes: cut short", bytes({0x41, 0x00, 0xD6, 0x01}), kKeep, "XX"},
    });
    check(DecodeTenTecMode, {
        {"CW", bytes({0x4D, 0x03, 0x03, 0x0D}), kKeep, "CW"},
        {"USB", bytes({0x4D, 0x01, 0x01, 0x0D}), kKeep, "PH"},
        {"digits as text", "M33\r", kKeep, "CW"},
        {"FM", bytes({0x4D, 0x04, 0x04, 0x0D}), kKeep, "PH"},
        {"mode 5 keeps the mode", bytes({0x4D, 0x05, 0x05, 0x0D}), kKeep, "XX"},
        {"two bytes", bytes({0x4D, 0x03}), kKeep, "XX"},
    });
}

TEST(RigDecoders, Orion) {
    auto orion = [](const QByteArray& r, RigDecoded& d) {
        DecodeOrionFrequency(r, d);
        DecodeOrionMode(r, d);
    };
    check(orion, {
        {"both", "@AF14025000\r@RMM2\r", 14.025f, "CW"},
        {"text before the answer", "Version 3\r@AF7074000\r", 7.074f, "XX"},
        {"LSB CW", "@RMM3\r", kKeep, "CW"},
        {"USB", "@RMM0\r", kKeep, "PH"},
        {"FM", "@RMM5\r", kKeep, "PH"},
        {"no CR yet", "@AF14025000", kKeep, "XX"},
        {"not digits", "@AF14O25000\r", kKeep, "XX"},
        {"nothing between", "@AF\r", kKeep, "XX"},
        {"mode key without its digit", "@RMM", kKeep, "XX"},
        {"mode that is no digit", "@RMMx\r", kKeep, "XX"},
    });
}

TEST(RigDecoders, PegasusStatusFile) {
    check(DecodePegasusStatus, {
        {"CW", "14.025,\"CW\"\r\n", 14.025f, "CW"},
        {"USB is phone", "14.2,USB\r\n", 14.2f, "PH"},
        {"quoted", "\"7.074\",\"LSB\"", 7.074f, "PH"},
        {"empty mode", "3.55,\"\"\r\n", 3.55f, ""},
        {"no second value", "3.55", 3.55f, "XX"},
        {"not a number", "abc,CW", kKeep, "XX"},
        {"negative", "-14.025,CW", kKeep, "XX"},
        {"exponent", "1E1,CW", kKeep, "XX"},
        {"zero", "0,CW", kKeep, "XX"},
        {"empty file", "", kKeep, "XX"},
    });
}

TEST(RigDecoders, ModeFromFrequencySegments) {
    struct Mode { float mhz; const char* mode; };
    const Mode cases[] = {{3.6f, "XX"},   {7.125f, "XX"}, {14.15f, "XX"}, {29.7f, "XX"}, {54.f, "XX"},
                          {3.55f, "CW"},  {3.85f, "PH"},  {10.12f, "CW"}, {1.84f, "XX"}, {5.36f, "XX"},
                          {147.f, "PH"},  {222.1f, "XX"}, {432.1f, "XX"}, {14.2f, "PH"}, {50.05f, "CW"}};
    for (const Mode& c : cases) {
        RigDecoded d{c.mhz, "XX", 10};
        ModeFromFrequency(d);
        EXPECT_EQ(d.RigModeText, c.mode) << c.mhz;
    }
}

} // namespace
