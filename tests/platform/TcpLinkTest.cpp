// The TCP link against a server on the loopback address: connect, data both ways, the other end
// closing, a refused connection, and a write before the link is up.
#include "platform/TcpLink.h"
#include "platform/VbError.h"
#include "tests/support/DevicePeers.h"
#include "tests/support/EscapedErrors.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

using namespace tylog;

namespace {

void PumpEvents() {
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
}

// What the link's events reported, in order.
struct Events {
    explicit Events(TcpLink& link) {
        link.Connected = [this] { log << "connected"; };
        link.DataArrival = [this](qint64 n) { log << QStringLiteral("data %1").arg(n); };
        link.Closed = [this] { log << "closed"; };
        link.Error = [this](int number, const QString&) { log << QStringLiteral("error %1").arg(number); };
    }
    bool Has(const QString& what) const { return log.contains(what); }
    QStringList log;
};

TEST(TcpLink, ConnectsExchangesBytesAndHearsTheOtherEndClose) {
    QTcpServer cluster;
    ASSERT_TRUE(cluster.listen(QHostAddress::LocalHost));
    TcpLink link;
    Events events(link);
    link.Connect("127.0.0.1", cluster.serverPort());
    EXPECT_NE(link.State(), TcpLink::LinkState::Connected);
    ASSERT_TRUE(QTest::qWaitFor([&] { return events.Has("connected") && cluster.hasPendingConnections(); }, 5000));
    EXPECT_EQ(link.State(), TcpLink::LinkState::Connected);
    QTcpSocket* peer = cluster.nextPendingConnection();

    QByteArray frame(36, '\0');
    frame[4] = 'R';
    link.SendData("SH/DX\r\n" + frame); // text and a binary frame alike
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer->bytesAvailable() >= 43; }, 5000));
    EXPECT_EQ(peer->readAll(), "SH/DX\r\n" + frame);

    peer->write("DX de Q7BZW:     14025.0  K1ABC");
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.BytesAvailable() == 31; }, 5000));
    PumpEvents();
    EXPECT_EQ(events.log.last(), "data 31");
    EXPECT_EQ(link.GetData(), "DX de Q7BZW:     14025.0  K1ABC");

    // Taken a share at a time, before and after the other end closed.
    peer->write("73 de W1AW");
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.BytesAvailable() == 10; }, 5000));
    EXPECT_EQ(link.GetData(3), "73 ");
    peer->disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return events.Has("closed"); }, 5000));
    EXPECT_EQ(link.State(), TcpLink::LinkState::Closed);
    EXPECT_EQ(link.GetData(2), "de");
    EXPECT_EQ(link.GetData(), " W1AW"); // what came before the close stays readable
    EXPECT_FALSE(events.log.join(' ').contains("error"));
    try {
        link.SendData("BYE\r\n");
        ADD_FAILURE() << "sent on a closed link";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, TcpLink::NotConnected);
    }
}

TEST(TcpLink, ARefusedConnectionIsAnErrorWithItsSocketNumber) {
    quint16 port = 0;
    {
        QTcpServer gone;
        ASSERT_TRUE(gone.listen(QHostAddress::LocalHost));
        port = gone.serverPort();
    }
    TcpLink link;
    Events events(link);
    link.Connect("127.0.0.1", port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !events.log.isEmpty(); }, 5000));
    PumpEvents();
    EXPECT_EQ(events.log, QStringList{"error 10061"});
    EXPECT_EQ(link.State(), TcpLink::LinkState::Closed);
}

TEST(TcpLink, CloseDropsTheEventsOfTheConnectionItEnds) {
    QTcpServer cluster;
    ASSERT_TRUE(cluster.listen(QHostAddress::LocalHost));
    TcpLink link;
    Events events(link);
    link.Connect("127.0.0.1", cluster.serverPort());
    try {
        link.SendData("too early");
        ADD_FAILURE() << "sent before the link was up";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, TcpLink::NotConnected);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return cluster.hasPendingConnections(); }, 5000));
    link.Close(); // the connected event may be queued already
    QTcpSocket* peer = cluster.nextPendingConnection();
    peer->write("late");
    EXPECT_TRUE(QTest::qWaitFor([&] { return peer->state() != QAbstractSocket::ConnectedState; }, 5000));
    PumpEvents();
    EXPECT_EQ(events.log, QStringList());
    EXPECT_EQ(link.State(), TcpLink::LinkState::Closed);
    EXPECT_EQ(link.GetData(), QByteArray());
}

} // namespace

TEST(TcpLink, AHostThatNeverAnswersEndsAtTheConnectTimeout) {
    tylog::testing::SilentHost host;
    TcpLink link;
    Events events(link);
    link.Connect("127.0.0.1", host.Port());
    PumpEvents();
    EXPECT_EQ(link.State(), TcpLink::LinkState::Connecting);
    tylog::testing::Fakes().clock.Advance(TcpLink::DefaultConnectTimeoutMs - 1);
    PumpEvents();
    EXPECT_TRUE(events.log.isEmpty());
    tylog::testing::Fakes().clock.Advance(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !events.log.isEmpty(); }, 2000));
    EXPECT_EQ(events.log, QStringList{"error 10060"});
    EXPECT_EQ(link.State(), TcpLink::LinkState::Closed);
}

TEST(TcpLink, AHandlerThatFailsOnWhatThePeerSentStopsAtTheGuard) {
    tylog::testing::LineServer cluster;
    TcpLink link;
    link.DataArrival = [](qint64) { throw VbError(VbError::TypeMismatch, "Type mismatch"); };
    link.Connect("127.0.0.1", cluster.Port());
    ASSERT_TRUE(cluster.WaitForClient());
    tylog::testing::ExpectEscapedError expect("Type mismatch");
    cluster.Send("DX de \x01\x02\x03\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !expect.errors.isEmpty(); }, 2000));
    EXPECT_EQ(expect.errors[0].event, "DataArrival");
}

