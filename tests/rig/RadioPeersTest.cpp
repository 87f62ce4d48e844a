// The fake radios checked once from a real client: Debian's rigctl (libhamlib-utils) reads frequency
// and mode from each of them over the pseudo-terminal, so they speak the radios' protocols and not only
// our reading of them.
#include "tests/support/QStringPrint.h"
#include "tests/support/RadioPeers.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace tylog;
using namespace tylog::testing;

namespace {

// rigctl against the peer: its output, the peer answering while it runs (bounded).
QString RunRigctl(PtyPeer& peer, const QStringList& args) {
    const QString rigctl = QStandardPaths::findExecutable("rigctl");
    if (rigctl.isEmpty()) {
        ADD_FAILURE() << "rigctl is missing: install libhamlib-utils (tools/deps.sh)";
        return {};
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    // ptt_type None: a pseudo-terminal has no modem lines for the backends that key by default.
    p.start(rigctl, QStringList{"-r", peer.Path(), "-C", "ptt_type=None"} + args + QStringList{"f", "m"});
    if (!p.waitForStarted(5000)) return "not started";
    QElapsedTimer t;
    t.start();
    while (p.state() != QProcess::NotRunning && t.elapsed() < 30000) {
        peer.Serve(5);
        p.waitForFinished(5);
    }
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(2000);
        return "timed out";
    }
    return QString::fromLocal8Bit(p.readAll());
}

TEST(RadioPeers, RigctlReadsEachFakeRadio) {
    struct Case {
        const char* what;
        QStringList args;
        std::function<void(PtyPeer&, std::shared_ptr<RadioState>)> fake;
    };
    auto yaesu = [](YaesuModel m) { return [m](PtyPeer& p, std::shared_ptr<RadioState> s) { YaesuRadio(p, s, m); }; };
    auto icom = [](int address, int bytes) {
        return [=](PtyPeer& p, std::shared_ptr<RadioState> s) { IcomRadio(p, s, address, bytes); };
    };
    const Case cases[] = {
        {"Kenwood TS-2000 (Kenwood, Elecraft, Kenwood 2)", {"-m", "2014", "-s", "4800"}, KenwoodRadio},
        {"CI-V at 64 (Icom)", {"-m", "3011", "-s", "1200", "--civaddr=0x64"}, icom(0x64, 5)},
        {"IC-735 (Icom 735)", {"-m", "3019", "-s", "1200"}, icom(0x04, 4)},
        {"Omni VI (Ten Tec Omni VI)", {"-m", "3051", "-s", "1200"}, icom(0x04, 5)},
        {"FT-817 status (Yaesu)", {"-m", "1020", "-s", "4800"}, yaesu(YaesuModel::Status817)},
        {"FT-757GXII", {"-m", "1007", "-s", "4800"}, yaesu(YaesuModel::FT757GXII)},
        {"FT-890", {"-m", "1015", "-s", "4800"}, yaesu(YaesuModel::FT890)},
        {"FTDX-9000", {"-m", "1030", "-s", "4800"}, Ftdx9000Radio},
        {"Jupiter front panel (Ten Tec Fnt Pnl)", {"-m", "16002", "-s", "57600"}, TenTecFrontPanel},
        {"Orion", {"-m", "16008", "-s", "57600"}, OrionRadio},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PtyPeer peer;
        peer.awaitPort = false;
        auto radio = std::make_shared<RadioState>();
        c.fake(peer, radio);
        const QStringList lines = RunRigctl(peer, c.args).split('\n');
        ASSERT_GE(lines.size(), 2) << lines.join('\n').toStdString();
        EXPECT_EQ(lines[0], "14025000") << lines.join('\n').toStdString();
        EXPECT_EQ(lines[1], "CW");
    }
}

} // namespace
