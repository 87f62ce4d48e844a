// The rules every spot transport shares: lines out of received text, the spot line's columns, the
// repeat filter, the terminal's limit; the packet engine's frames; PackSpot.txt.
#include "spotting/PacketFrame.h"
#include "spotting/SpotFraming.h"
#include "spotting/SpotSettings.h"
#include "platform/TextFile.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tylog;

namespace {

// Everything TakeLine gives for the buffer, and what stays.
QStringList Lines(QString& buffer) {
    QStringList lines;
    while (const std::optional<QString> line = TakeLine(buffer)) lines << *line;
    return lines;
}

TEST(SpotFraming, LinesEndAtTheirLineFeedAndPartialTextWaits) {
    struct Case {
        const char* received;
        QStringList lines;
        const char* left;
    };
    const Case cases[] = {
        // The first text after loading is a line of its own; a CR stays in its line.
        {"login: Q7BZW\r\nDX de K1ABC:", {"login: Q7BZW\r\n"}, "\nDX de K1ABC:"},
        {"no line end yet", {}, "\nno line end yet"},
        {"one\r\ntwo\r\nthree", {"one\r\n", "two\r\n"}, "\nthree"},
        {"\r\n\n", {"\r\n", "\n"}, "\n"},
        // A CR alone ends a line as CR LF would; at the end of what came, it waits for a possible LF.
        {"cr only\rnext line\r", {"cr only\r\n"}, "\nnext line\r"},
        {"a\r\rb\n", {"a\r\n", "\r\n", "b\n"}, "\n"},
    };
    for (const Case& c : cases) {
        QString buffer = FreshReceiveBuffer + c.received;
        EXPECT_EQ(Lines(buffer), c.lines) << c.received;
        EXPECT_EQ(buffer, c.left) << c.received;
    }
}

TEST(SpotFraming, TextWithoutALineFeedIsCutAtTheLimit) {
    QString buffer = FreshReceiveBuffer + QString(MaxLineLength - 1, 'A');
    EXPECT_EQ(Lines(buffer), QStringList());
    buffer += "BC\n";
    const QStringList lines = Lines(buffer);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QString(MaxLineLength - 1, 'A') + 'B');
    EXPECT_EQ(lines[1], "C\n");
    // A line whose LF comes past the limit is cut too, and so is a buffer that lost its leading LF.
    buffer = FreshReceiveBuffer + QString(MaxLineLength + 10, 'x') + '\n';
    EXPECT_EQ(Lines(buffer).first().size(), MaxLineLength);
    buffer = QString(MaxLineLength, 'y');
    EXPECT_EQ(Lines(buffer), QStringList{QString(MaxLineLength, 'y')});
}

TEST(SpotFraming, APromptIsALineButTheStartOfASpotWaits) {
    struct Case {
        const char* partial;
        bool prompt;
    };
    const Case cases[] = {{"login: ", true}, {"Please enter your call: ", true}, {"D", false},
                          {"dx", false},     {"DX de K1AB", false},              {"", false}};
    for (const Case& c : cases) {
        QString buffer = FreshReceiveBuffer + c.partial;
        const std::optional<QString> prompt = TakePrompt(buffer);
        EXPECT_EQ(prompt.has_value(), c.prompt) << c.partial;
        EXPECT_EQ(buffer, c.prompt ? FreshReceiveBuffer : FreshReceiveBuffer + c.partial) << c.partial;
    }
    QString complete = "\nwhole line\n";
    EXPECT_FALSE(TakePrompt(complete).has_value()); // lines are TakeLine's
}

TEST(SpotFraming, ASpotLineGivesItsColumns) {
    struct Case {
        QString line;
        qsizetype dxAt;
        SpotFields fields;
    };
    const QString spot = "DX de W3LPL:     14025.0  DL1ABC       CW up 2                        1402Z FN20\r\n";
    const Case cases[] = {
        {spot, 0, {"14025.0", "DL1ABC", "de W3LPL:     14025.0  DL1ABC       CW up 2                        1402Z FN20\r\n"}},
        // "DX" at the second character: the columns count from it.
        {' ' + spot, 1, {"14025.0", "DL1ABC", "de W3LPL:     14025.0  DL1ABC       CW up 2                        1402Z FN20\r\n"}},
        {"dx de K1ABC:      7002.1  JA1XYZ\r\n", 0, {"7002.1", "JA1XYZ\r\n", "de K1ABC:      7002.1  JA1XYZ\r\n"}},
        {"DX", 0, {"", "", ""}},
        {"DX de X:  ", 0, {"", "", "de X:"}},
    };
    for (const Case& c : cases) {
        const SpotFields f = SpotLineFields(c.line, c.dxAt);
        EXPECT_EQ(f.frequency, c.fields.frequency) << c.line.toStdString();
        EXPECT_EQ(f.call, c.fields.call) << c.line.toStdString();
        EXPECT_EQ(f.record, c.fields.record) << c.line.toStdString();
    }
    EXPECT_TRUE(BeginsWithDX("dX de"));
    EXPECT_FALSE(BeginsWithDX(" DX de"));
}

TEST(SpotFraming, ALineRepeatsWhenTheLast800CharactersHoldIt) {
    const QString line = "DX de K1ABC:     14025.0  DL1ABC\r\n";
    QString terminal = "** Attempting to Open Port **\r\n\r\n" + line;
    EXPECT_TRUE(RepeatsRecentText(terminal, line.toLower()));
    terminal += QString(800 - line.size(), '-');
    EXPECT_TRUE(RepeatsRecentText(terminal, line)); // its first character is the 800th from the end
    terminal += '-';
    EXPECT_FALSE(RepeatsRecentText(terminal, line));
}

TEST(SpotFraming, TheTerminalKeepsItsLast9000CharactersPast10000) {
    QString t(10000, 'a');
    TrimTerminal(t);
    EXPECT_EQ(t.size(), 10000);
    t += 'b';
    TrimTerminal(t);
    EXPECT_EQ(t.size(), 9000);
    EXPECT_TRUE(t.endsWith("ab"));
}

TEST(SpotFraming, SocketErrorsAndHelpTexts) {
    EXPECT_EQ(SocketErrorText(10061), "ERROR: Connection is forcefully rejected.");
    EXPECT_EQ(SocketErrorText(10060), SocketErrorText(10058));
    EXPECT_EQ(SocketErrorText(10039), "Error number 10039");

    const QString credit = "This code was developed";
    const QString telnet = "If you have an Internet connection";
    const QString general = "Use this form to configure";
    const QString tnc = "To use a Packet TNC";
    const QString engine = "This program will also interface";
    EXPECT_TRUE(SpotHelpText("none").startsWith(general));
    for (const QString& p : {telnet, tnc, engine, credit}) EXPECT_TRUE(SpotHelpText("None").contains(p));
    EXPECT_TRUE(SpotHelpText("Telnet").startsWith(telnet));
    EXPECT_FALSE(SpotHelpText("Telnet").contains(credit));
    EXPECT_TRUE(SpotHelpText("TNC").startsWith(tnc));
    EXPECT_TRUE(SpotHelpText("AGW Packet Engine").contains(":C Q7BZW     or to disconnect :D\r\n\r\n"));
    EXPECT_TRUE(SpotHelpText("AGW Packet Engine").endsWith("experiences with different hardware.\r\n\r\n"));
    EXPECT_EQ(SpotHelpText("Radio"), "");
}

// ---- The packet engine's frames -----------------------------------------------------------------

TEST(PacketFrames, AFrameIsA36ByteHeaderAndItsData) {
    PacketFrame f;
    f.port = 1;
    f.kind = 'D';
    f.pid = 0xF0;
    f.callFrom = "Q7BZW";
    f.callTo = "W3LPL-1";
    f.data = "SH/DX\r";
    f.user = 0x01020304;
    const QByteArray bytes = EncodePacketFrame(f);
    ASSERT_EQ(bytes.size(), 42);
    EXPECT_EQ(bytes.left(8), QByteArray("\x01\0\0\0D\0\xF0\0", 8));
    EXPECT_EQ(bytes.mid(8, 10), QByteArray("Q7BZW\0\0\0\0\0", 10));
    EXPECT_EQ(bytes.mid(18, 10), QByteArray("W3LPL-1\0\0\0", 10));
    EXPECT_EQ(bytes.mid(28, 8), QByteArray("\x06\0\0\0\x04\x03\x02\x01", 8));

    QByteArray stream = bytes + bytes.left(20);
    PacketFrame back;
    ASSERT_EQ(TakePacketFrame(stream, &back), FrameTake::Frame);
    EXPECT_EQ(back.kind, 'D');
    EXPECT_EQ(back.callFrom, "Q7BZW");
    EXPECT_EQ(back.callTo, "W3LPL-1");
    EXPECT_EQ(back.data, "SH/DX\r");
    EXPECT_EQ(back.user, 0x01020304u);
    EXPECT_EQ(TakePacketFrame(stream, &back), FrameTake::NeedMore);
    EXPECT_EQ(stream.size(), 20);
}

TEST(PacketFrames, LengthsAndCallsFromTheEngineAreNotTrusted) {
    auto header = [](std::uint32_t length, const QByteArray& from) {
        QByteArray h(36, '\0');
        h[4] = 'U';
        h.replace(8, from.size(), from);
        for (int i = 0; i < 4; ++i) h[28 + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
        return h;
    };
    PacketFrame f;
    // Data past 4000 bytes is skipped with its frame; the next frame still reads.
    QByteArray stream = header(5000, "K1ABC") + QByteArray(5000, 'x') + header(2, "W1AW") + "ok";
    ASSERT_EQ(TakePacketFrame(stream, &f), FrameTake::Frame);
    EXPECT_EQ(f.data.size(), PacketDataLimit);
    ASSERT_EQ(TakePacketFrame(stream, &f), FrameTake::Frame);
    EXPECT_EQ(f.data, "ok");
    EXPECT_TRUE(stream.isEmpty());
    // A call field without a zero byte is its 10 bytes; with one, up to it.
    stream = header(0, "ABCDEFGHIJ") + header(0, QByteArray("AB\0CD", 5));
    TakePacketFrame(stream, &f);
    EXPECT_EQ(f.callFrom, "ABCDEFGHIJ");
    TakePacketFrame(stream, &f);
    EXPECT_EQ(f.callFrom, "AB");
    // A length no engine sends: out of step, the stream left for the caller to drop.
    for (std::uint32_t hostile : {PacketWireLimit + 1, 0x80000000u, 0xFFFFFFFFu}) {
        stream = header(hostile, "K1ABC") + "tail";
        EXPECT_EQ(TakePacketFrame(stream, &f), FrameTake::OutOfStep) << hostile;
        EXPECT_EQ(stream.size(), 40);
    }
    stream = header(0, "K1ABC").left(35);
    EXPECT_EQ(TakePacketFrame(stream, &f), FrameTake::NeedMore);
}

TEST(PacketFrames, TheWindowSeesMonitoredSpotsWithoutTheirHeader) {
    struct Case {
        int kind;
        const char* data;
        bool connected;
        const char* shown;
        const char* monitorLine;
    };
    const Case cases[] = {
        {'U', " 1:Fm W3LPL To DX <UI pid=F0 Len=40 >[14:02:11]\rDX de W3LPL:     14025.0  DL1ABC\r", false,
         "DX de W3LPL:     14025.0  DL1ABC\r\n",
         "UW3LPL  1:Fm W3LPL To DX <UI pid=F0 Len=40 >[14:02:11]\r\nDX de W3LPL:     14025.0  DL1ABC\r\n"},
        {'U', "no header line  ", false, "no header line", "UW3LPL no header line  "},
        {'D', "\r", true, "", "DW3LPL \r\n"},
        {'D', "text\r\r", true, "text\r\n", "DW3LPL text\r\n\r\n"},
        {'D', "two\r\n", true, "two\r\n", "DW3LPL two\r\n\r\n"},
    };
    for (const Case& c : cases) {
        const PacketView v = ViewPacketFrame(c.kind, "W3LPL", c.data, c.connected);
        EXPECT_EQ(v.data, c.shown) << c.data;
        EXPECT_EQ(v.monitorLine, c.monitorLine) << c.data;
    }
    EXPECT_EQ(PacketSpotStart("DX de"), 0);
    EXPECT_EQ(PacketSpotStart(" dx de"), 1);
    EXPECT_EQ(PacketSpotStart("  DX de"), -1);
}

// ---- PackSpot.txt -------------------------------------------------------------------------------

const QByteArray kStored = "\"19200\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n3\r\n\"R\"\r\n\"TNC\"\r\n0\r\n3\r\n1\r\n#TRUE#\r\n"
                           "\"03\"\r\n\"7300\"\r\n\"dxc.example.net\"\r\n";

TEST(SpotSettingsFile, ReadsAndWritesItsFourteenValuesByteForByte) {
    QTemporaryDir dir;
    const QString path = dir.filePath("PackSpot.txt");
    WriteFileAtomic(path, kStored);
    const SpotSettingsFile file = ReadSpotSettings(path);
    ASSERT_TRUE(file.whole());
    const SpotSettings& s = file.settings;
    EXPECT_EQ(TncSettingsText(s), "19200,N,8,1");
    EXPECT_EQ(s.TncCommPort, 3);
    EXPECT_EQ(s.TncPowerLine, "R");
    EXPECT_EQ(s.Transport, "TNC");
    EXPECT_EQ(s.TncHandshake, 3);
    EXPECT_EQ(s.ListDXOnly, 1);
    EXPECT_TRUE(s.OptList);
    EXPECT_EQ(s.TelnetHost, "dxc.example.net");
    WriteSpotSettings(path, s);
    EXPECT_EQ(ReadAllBytes(path), kStored);

    // Windows-1252 text comes back as the same bytes.
    SpotSettings odd = s;
    odd.TelnetHost = FromAnsi("h\xE9\x81st");
    WriteSpotSettings(path, odd);
    EXPECT_EQ(ReadSpotSettings(path).settings.TelnetHost, odd.TelnetHost);
    EXPECT_TRUE(ReadAllBytes(path).endsWith("\"h\xE9\x81st\"\r\n"));
    // A first run's file: empty texts, zeros.
    EXPECT_EQ(SpotSettingsBytes(SpotSettings{}),
              "\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n0\r\n\"\"\r\n\"\"\r\n0\r\n0\r\n0\r\n#FALSE#\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
}

TEST(SpotSettingsFile, ReadingStopsAtTheFirstValueThatDoesNotConvert) {
    QTemporaryDir dir;
    const QString path = dir.filePath("PackSpot.txt");
    struct Case {
        QByteArray bytes;
        int read;
    };
    const QList<QByteArray> lines = kStored.split('\n');
    auto with = [&](int line, const QByteArray& value) {
        QList<QByteArray> l = lines;
        l[line - 1] = value + "\r";
        return l.join('\n');
    };
    const Case cases[] = {
        {kStored.left(kStored.indexOf("\"TNC\"")), 6},
        {with(5, "x"), 4},
        {with(5, "300"), 4},       // not a byte
        {with(8, "3"), 7},         // a check box holds 0, 1 or 2
        {with(11, "#MAYBE#"), 10},
        {with(11, "-1"), 14},      // a number is a truth value too
        {"", 0},
    };
    for (const Case& c : cases) {
        WriteFileAtomic(path, c.bytes);
        const SpotSettingsFile file = ReadSpotSettings(path);
        EXPECT_TRUE(file.opened);
        EXPECT_EQ(file.read, c.read) << c.bytes.toStdString();
    }
    EXPECT_FALSE(ReadSpotSettings(dir.filePath("none.txt")).opened);
}

} // namespace
