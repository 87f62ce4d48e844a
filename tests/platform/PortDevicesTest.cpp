// The ports module's absence: the lines' devices then open nothing, each failing the way the lines'
// callers already handle a port or host that is not there, and the operator is told why.
#include "platform/PortDevices.h"
#include "platform/testing/Fakes.h"
#include "tests/support/TestSupport.h"

#include <QAbstractSocket>
#include <QSerialPort>
#include <QTest>
#include <gtest/gtest.h>

using namespace tylog;
using namespace tylog::testing;

TEST(PortDevices, WithoutTheModuleNothingOpensAndTheOperatorIsTold) {
    ScratchFolder empty;
    const PortsModule module = LoadPortsModule({empty.path()});
    EXPECT_EQ(module.newSerial, nullptr);
    EXPECT_EQ(module.newTcp, nullptr);
    ASSERT_EQ(Fakes().dialogs.shown.size(), 1);
    EXPECT_EQ(Fakes().dialogs.shown[0].kind, ScriptedDialogs::Kind::Notice);
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "No Ports");
    EXPECT_TRUE(Fakes().dialogs.shown[0].prompt.contains("libtylog_qtports.so")) << Fakes().dialogs.shown[0].prompt.toStdString();

    // A serial port fails to open as a device not found (SerialLine's "no such port").
    const std::unique_ptr<SerialDevice> serial = NewSerialDevice(module);
    EXPECT_FALSE(serial->io().open(QIODevice::ReadWrite));
    EXPECT_FALSE(serial->io().isOpen());
    EXPECT_EQ(serial->error(), QSerialPort::DeviceNotFoundError);
    EXPECT_TRUE(serial->io().errorString().contains("ports module"));

    // A connection fails from the event loop, as a socket's does.
    const std::unique_ptr<TcpDevice> tcp = NewTcpDevice(module);
    int error = -1;
    tcp->ErrorOccurred = [&](int e) { error = e; };
    tcp->connectToHost(QStringLiteral("127.0.0.1"), 7300);
    EXPECT_EQ(error, -1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return error != -1; }, 1000));
    EXPECT_EQ(error, QAbstractSocket::UnsupportedSocketOperationError);
    EXPECT_EQ(Fakes().dialogs.shown.size(), 1);
}
