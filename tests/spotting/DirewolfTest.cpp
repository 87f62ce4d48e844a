// The packet engine end to end: Debian's direwolf, without a sound card, serving the host interface
// on a free loopback port. Our registration is taken, and a connect we send comes back as the engine's
// own monitored frame, so the header layout holds both ways.
#include "spotting/ClusterEngine.h"
#include "core/ProcessState.h"
#include "spotting/PacketEngineClient.h"
#include "spotting/SpotSettings.h"
#include "tests/support/DevicePeers.h"
#include "tests/support/LinkDoubles.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

using namespace tylog;
using namespace tylog::testing;

namespace {

// direwolf on a free port of 127.0.0.1, reading "audio" from a pipe that never speaks; stopped by its
// process id.
class Direwolf {
public:
    Direwolf() {
        const QString program = QStandardPaths::findExecutable("direwolf");
        if (program.isEmpty()) {
            ADD_FAILURE() << "direwolf is missing: bash tools/deps.sh";
            return;
        }
        {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost, 0);
            port_ = probe.serverPort();
        }
        QFile conf(dir_.filePath("direwolf.conf"));
        conf.open(QIODevice::WriteOnly);
        conf.write(QStringLiteral("ADEVICE stdin null\nAGWPORT %1\nKISSPORT 0\n").arg(port_).toLatin1());
        conf.close();
        process_.setWorkingDirectory(dir_.path());
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(program, {"-c", conf.fileName(), "-t", "0", "-q", "hd"});
        if (!process_.waitForStarted(5000)) {
            ADD_FAILURE() << "direwolf did not start";
            return;
        }
        // Ready once it takes a connection.
        const bool listening = PumpUntil(
            [&] {
                QTcpSocket s;
                s.connectToHost(QHostAddress::LocalHost, port_);
                return s.waitForConnected(100);
            },
            10000);
        if (!listening) ADD_FAILURE() << "direwolf is not listening: " << process_.readAll().toStdString();
    }
    ~Direwolf() {
        const qint64 pid = process_.processId();
        if (pid > 0) {
            ::kill(static_cast<pid_t>(pid), SIGTERM);
            if (!process_.waitForFinished(5000)) ::kill(static_cast<pid_t>(pid), SIGKILL);
            process_.waitForFinished(2000);
        }
    }
    quint16 Port() const { return port_; }
    QByteArray Log() { return process_.readAll(); }

private:
    QTemporaryDir dir_;
    QProcess process_;
    quint16 port_ = 0;
};

TEST(Direwolf, TakesOurRegistrationAndAnswersInFramesWeRead) {
    Direwolf engine;
    ASSERT_NE(engine.Port(), 0);
    RecordingLoggingWindow window;
    SpottingSettings = SpotSettings{};
    SpottingSettings.Transport = "AGW Packet Engine";
    Station.OwnCall = "Q7BZW";
    ClusterEngine cluster;
    cluster.PacketEngine().setAddress("127.0.0.1", engine.Port());

    cluster.OpenPort();
    ASSERT_TRUE(PumpUntil([&] { return cluster.ReceiveTimerEnabled(); }, 5000)) << cluster.Terminal().toStdString();
    EXPECT_TRUE(cluster.Terminal().contains("** Successfully connected to AGW Packet Engine **"));

    // The connect goes on the air; monitoring shows the engine's own frame for it, with our calls in
    // the places the header gives them.
    cluster.SendAgwText(":C W3LPL");
    const bool shown = PumpUntil(
        [&] {
            Fakes().clock.Advance(ClusterEngine::ReceiveIntervalMs);
            return cluster.Terminal().contains("TQ7BZW  1:Fm Q7BZW To W3LPL <SABME");
        },
        5000);
    EXPECT_TRUE(shown) << cluster.Terminal().toStdString();
    EXPECT_TRUE(cluster.AgwConnectedCall().isEmpty()); // nobody answers on a silent channel

    cluster.ClosePort();
    EXPECT_TRUE(cluster.Terminal().endsWith("** Port Closed **"));
    EXPECT_FALSE(cluster.PacketEngine().Registered());
}

} // namespace
