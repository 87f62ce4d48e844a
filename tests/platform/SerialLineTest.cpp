// The serial line against a pseudo-terminal: bytes both ways exactly, the settings on the device, the
// lines through the key lines, and the ways an open or a port fails.
#include "platform/SerialLine.h"
#include "platform/testing/Fakes.h"
#include "tests/support/EscapedErrors.h"

#include <QCoreApplication>
#include <QTest>
#include <poll.h>
#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::Fakes;
using tylog::testing::PseudoTerminal;
using Signal = tylog::testing::RecordingKeyLines::Signal;

namespace {

QByteArray AllByteValues() {
    QByteArray b;
    for (int i = 0; i < 256; ++i) b += static_cast<char>(i);
    return b;
}

// Waits, bounded, until the port's device has bytes to read.
void WaitReadable(const SerialLine& line) {
    pollfd p{line.NativeHandle(), POLLIN, 0};
    ::poll(&p, 1, 2000);
}

void PumpEvents() {
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
}

int ErrorNumberOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const VbError& e) {
        return e.Number;
    }
    return 0;
}

TEST(SerialLine, EveryByteValueCrossesBothWaysAndPollingSeesItWithoutTheEventLoop) {
    PseudoTerminal radio;
    radio.MapAsSerial(2);
    SerialLine line;
    line.setCommPort(2);
    line.setSettings("4800,N,8,2");
    line.Open();
    ASSERT_TRUE(line.PortOpen());

    const QByteArray all = AllByteValues() + AllByteValues(); // 0x00, XON and XOFF among them, twice
    line.Output(all);
    EXPECT_EQ(radio.Read(all.size()), all);
    EXPECT_EQ(line.OutBufferCount(), 0);

    radio.Write(all);
    // The engines poll from a timer; the bytes must be there without serving window events.
    QByteArray got;
    for (int i = 0; i < 200 && got.size() < all.size(); ++i) {
        got += line.Input();
        if (got.size() < all.size()) WaitReadable(line);
    }
    EXPECT_EQ(got, all);
    EXPECT_EQ(line.InBufferCount(), 0);
    EXPECT_EQ(line.Input(), QByteArray());
}

TEST(SerialLine, SettingsStringsTakenApart) {
    struct Case {
        const char* text;
        bool ok;
        SerialSettings s;
    };
    const Case cases[] = {
        {"9600,N,8,2", true, {9600, 'N', 8, 20}},
        {"4800,e,7,1", true, {4800, 'E', 7, 10}},
        {"56000,O,8,1.5", true, {56000, 'O', 8, 15}},
        {"300,M,5,1", true, {300, 'M', 5, 10}},
        {"9600,N,8", false, {}},
        {"9600,X,8,1", false, {}},
        {"9600,N,9,1", false, {}},
        {"9600,N,8,3", false, {}},
        {"0,N,8,1", false, {}},
        {"fast,N,8,1", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SerialSettings s;
        ASSERT_EQ(ParseSerialSettings(c.text, &s), c.ok);
        if (!c.ok) continue;
        EXPECT_EQ(s.baud, c.s.baud);
        EXPECT_EQ(s.parity, c.s.parity);
        EXPECT_EQ(s.dataBits, c.s.dataBits);
        EXPECT_EQ(s.stopBitsTenths, c.s.stopBitsTenths);
    }
}

TEST(SerialLine, SettingsAndHandshakingReachTheDevice) {
    // A pseudo-terminal keeps the speed, stop bits and flow control; it forces 8 bits without parity,
    // so those two are left to the strings' table above.
    struct Case {
        const char* settings;
        int handshaking;
        speed_t speed;
        bool twoStop, rtsCts, xonXoff;
    };
    const Case cases[] = {
        {"9600,N,8,2", SerialLine::NoHandshaking, B9600, true, false, false},
        {"4800,E,7,1", SerialLine::XOnXOff, B4800, false, false, true},
        {"1200,O,8,1", SerialLine::RTSHandshaking, B1200, false, true, false},
        {"19200,N,8,2", SerialLine::RTSXOnXOff, B19200, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        PseudoTerminal tnc;
        SerialLine line;
        line.setPortPath(tnc.Path());
        line.setSettings(c.settings);
        line.setHandshaking(c.handshaking);
        line.Open();
        const termios t = tnc.Settings();
        EXPECT_EQ(cfgetospeed(&t), c.speed);
        EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.twoStop);
        EXPECT_EQ((t.c_cflag & CRTSCTS) != 0, c.rtsCts);
        EXPECT_EQ((t.c_iflag & IXON) != 0, c.xonXoff);
        EXPECT_EQ((t.c_iflag & IXOFF) != 0, c.xonXoff);
    }
}

TEST(SerialLine, RatesWithoutAStandardCodeAndChangesWhileOpen) {
    PseudoTerminal radio;
    SerialLine line;
    line.setPortPath(radio.Path());
    line.setSettings("56000,N,8,1"); // the radio window's first-run rate
    line.Open();
    EXPECT_EQ(radio.OutputBaud(), 56000);
    line.setSettings("4800,N,8,2");
    EXPECT_EQ(cfgetospeed(&static_cast<const termios&>(radio.Settings())), B4800);
    EXPECT_EQ(line.Settings(), "4800,N,8,2");
}

TEST(SerialLine, BadValuesAndFailedOpensAreVbErrorsAndLeaveThePortClosed) {
    PseudoTerminal radio;
    radio.MapAsSerial(3);
    SerialLine held;
    held.setCommPort(3);
    held.Open();

    SerialLine line;
    EXPECT_EQ(ErrorNumberOf([&] { line.setSettings("9600,X,8,1"); }), SerialLine::InvalidSetting);
    EXPECT_EQ(ErrorNumberOf([&] { line.setHandshaking(4); }), SerialLine::InvalidSetting);
    EXPECT_EQ(line.Settings(), "9600,N,8,1");
    EXPECT_EQ(ErrorNumberOf([&] { line.setCommPort(11); }), SerialLine::InvalidPort);
    EXPECT_EQ(ErrorNumberOf([&] { line.setCommPort(0); }), SerialLine::InvalidPort);

    line.setCommPort(4); // nothing there
    EXPECT_EQ(ErrorNumberOf([&] { line.Open(); }), SerialLine::InvalidPort);
    EXPECT_FALSE(line.PortOpen());
    line.setCommPort(3); // held by the other line
    try {
        line.Open();
        ADD_FAILURE() << "opened a port in use";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, SerialLine::PortInUse);
        EXPECT_TRUE(e.Description.startsWith("COM3 (" + radio.Path() + ")")) << e.Description.toStdString();
    }
    EXPECT_FALSE(line.PortOpen());
    EXPECT_EQ(ErrorNumberOf([&] { line.Output("FA;"); }), SerialLine::PortNotOpen);
    EXPECT_EQ(ErrorNumberOf([&] { line.Input(); }), SerialLine::PortNotOpen);
    EXPECT_EQ(ErrorNumberOf([&] { line.OutBufferCount(); }), SerialLine::PortNotOpen);
    EXPECT_EQ(ErrorNumberOf([&] { held.setCommPort(2); }), SerialLine::PortInUse);
}

TEST(SerialLine, LinesFollowThePropertiesAtOpenWhileOpenAndDropAtClose) {
    PseudoTerminal radio;
    radio.MapAsSerial(2);
    Fakes().clock.SetTick(1000);
    SerialLine line;
    line.setCommPort(2);
    line.setRTSEnable(true); // kept until the port opens
    EXPECT_TRUE(Fakes().keyLines.changes.isEmpty());
    line.Open();
    Fakes().clock.Advance(40);
    line.setDTREnable(true);
    Fakes().clock.Advance(10);
    line.Close();
    using C = tylog::testing::RecordingKeyLines::Change;
    const QList<C> expected{{1000, "COM2", Signal::DTR, 0}, {1000, "COM2", Signal::RTS, 1}, {1040, "COM2", Signal::DTR, 1},
                            {1050, "COM2", Signal::DTR, 0}, {1050, "COM2", Signal::RTS, 0}};
    EXPECT_EQ(Fakes().keyLines.changes, expected);
    EXPECT_TRUE(line.RTSEnable()); // the property stays for the next open
    EXPECT_TRUE(line.DTREnable());
}

TEST(SerialLine, ArrivalIsAnnouncedFromTheEventLoop) {
    PseudoTerminal tnc;
    SerialLine line;
    line.setPortPath(tnc.Path());
    int announced = 0;
    line.ReadyRead = [&] { ++announced; };
    line.Open();
    tnc.Write("DX de Q7BZW");
    ASSERT_TRUE(QTest::qWaitFor([&] { return announced > 0; }, 2000));
    EXPECT_EQ(line.Input(), "DX de Q7BZW");
}

TEST(SerialLine, AHangUpClosesThePortAndIsReportedOnce) {
    // From the event loop: the port closes (QSerialPort would repeat its read error while open), the
    // bytes that came before stay readable, and Error runs once.
    {
        PseudoTerminal tnc;
        SerialLine line;
        line.setPortPath(tnc.Path());
        QList<VbError> errors;
        bool arrived = false;
        line.ReadyRead = [&] { arrived = true; };
        line.Error = [&](const VbError& e) { errors << e; };
        line.Open();
        tnc.Write("last words");
        ASSERT_TRUE(QTest::qWaitFor([&] { return arrived; }, 2000));
        tnc.HangUp();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !errors.isEmpty(); }, 2000));
        PumpEvents();
        EXPECT_EQ(errors.size(), 1);
        EXPECT_EQ(errors[0].Number, VbError::DeviceIO);
        EXPECT_FALSE(line.PortOpen());
        EXPECT_EQ(line.Input(), "last words");
        EXPECT_EQ(ErrorNumberOf([&] { line.Input(); }), SerialLine::PortNotOpen);
    }
    // Found by a poll: the poll returns what came, the next call throws, Error stays quiet.
    {
        PseudoTerminal radio;
        SerialLine line;
        line.setPortPath(radio.Path());
        int errorEvents = 0;
        line.Error = [&](const VbError&) { ++errorEvents; };
        line.Open();
        radio.Write("FA00014025000;");
        ASSERT_TRUE(QTest::qWaitFor([&] { return line.InBufferCount() == 14; }, 2000));
        radio.HangUp();
        EXPECT_EQ(line.Input(), "FA00014025000;");
        EXPECT_FALSE(line.PortOpen());
        EXPECT_EQ(ErrorNumberOf([&] { line.Output("FA;"); }), VbError::DeviceIO);
        PumpEvents();
        EXPECT_EQ(errorEvents, 0);
    }
}

} // namespace

TEST(SerialLine, AHandlerThatFailsOnWhatTheDeviceSentStopsAtTheGuard) {
    // A decoder throwing on garbage, a handler throwing on a hang-up: the program goes on.
    PseudoTerminal radio;
    SerialLine line;
    line.setPortPath(radio.Path());
    line.ReadyRead = [] { throw VbError(VbError::TypeMismatch, "Type mismatch"); };
    line.Error = [](const VbError&) { throw VbError(VbError::DeviceIO, "no port"); };
    line.Open();
    {
        tylog::testing::ExpectEscapedError expect("Type mismatch");
        radio.Write("\xff\xfe garbage");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !expect.errors.isEmpty(); }, 2000));
        EXPECT_EQ(expect.errors[0].event, "ReadyRead");
        EXPECT_TRUE(expect.errors[0].source.contains(radio.Path()));
    }
    {
        tylog::testing::ExpectEscapedError expect("no port");
        radio.HangUp();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !expect.errors.isEmpty(); }, 2000));
        EXPECT_EQ(expect.errors[0].event, "Error");
    }
}

TEST(SerialLine, TheKernelDropsTheLinesWhenTheDescriptorCloses) {
    // HUPCL: however the run ends, the last close of the port lowers RTS and DTR.
    PseudoTerminal keyer;
    SerialLine line;
    line.setPortPath(keyer.Path());
    line.Open();
    EXPECT_TRUE(keyer.Settings().c_cflag & HUPCL);
}


TEST(SerialLine, TheLastBytesBeforeACloseWhenSentReachTheDevice) {
    // A keyer told to stop must get the words: the close waits for them and takes none back, even
    // the ones its peer has not read yet.
    for (int i = 0; i < 20; ++i) {
        PseudoTerminal pty;
        SerialLine line;
        line.setPortPath(pty.Path());
        line.Open();
        line.Output(QByteArray("\x0A\x00\x03", 3));
        line.CloseWhenSent(100);
        EXPECT_FALSE(line.PortOpen());
        EXPECT_EQ(pty.Read(3, 500), QByteArray("\x0A\x00\x03", 3)) << "round " << i;
    }
}
