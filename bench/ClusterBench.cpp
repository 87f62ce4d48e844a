// 10,000 distinct spot lines into the out-of-state window's band map through the cluster engine, as
// fast as the peer can send them: over loopback Telnet (every line in one write) and through the fake
// packet engine (every line its own monitored frame). Every spot must be handed on exactly once; the
// event-loop delay probe beside it says how long any pass held the loop (goal: none over 20 ms).
#include "bench/EventLoopProbe.h"
#include "bench/SpotBurst.h"
#include "core/LoggingWindowLink.h"
#include "logging/Outfrm.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "spotting/ClusterEngine.h"
#include "spotting/PacketEngineClient.h"
#include "spotting/SpotSettings.h"
#include "tests/support/FakePacketEngine.h"

#include <QElapsedTimer>
#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>

using namespace tylog;
using namespace tylog::bench;

namespace {

constexpr int kLines = 10000;

// Distinct spots over the whole 20 m band, in cluster columns.
QList<QByteArray> SpotLines() {
    static const char* const heads[] = {"DL", "JA", "VK", "ZS", "PY", "K", "W", "G", "EA", "UA", "LU", "VE"};
    QList<QByteArray> lines;
    for (int i = 0; i < kLines; ++i) {
        const QString call = QString("%1%2%3%4").arg(heads[i % 12]).arg(i % 10).arg(QChar('A' + i / 10 % 26)).arg(i / 260);
        const QString khz = QString::number(14000 + 1 + (i * 37) % 340) + "." + QString::number(i % 10);
        QString line = QString("DX de W3LPL:     %1  %2").arg(khz, 7).arg(call, -13) + "CW up 2";
        lines << (line.leftJustified(70) + QString("%1Z FN20").arg(1400 + i % 60)).toLatin1();
    }
    return lines;
}

// Passes every spot on to the logging window, counting each call.
class CountingWindow : public LoggingWindowLink {
public:
    explicit CountingWindow(LoggingWindowLink& next) : next_(next) {}
    void BandMapSpots(const QString& call, const QString& khz, const QString& record) override {
        ++handed[call];
        ++total;
        next_.BandMapSpots(call, khz, record);
    }
    void DisplayBandMapLabels() override { next_.DisplayBandMapLabels(); }
    bool BandMapShown() const override { return next_.BandMapShown(); }
    QHash<QString, int> handed;
    int total = 0;

private:
    LoggingWindowLink& next_;
};

enum class Transport { Telnet, PacketEngine };

void SpotsThroughTheEngine(benchmark::State& state) {
    const Transport transport = state.range(0) == 0 ? Transport::Telnet : Transport::PacketEngine;
    ShowWithSpotArea([]() -> LoggingWindow& { return Outfrm(); }, true);
    static SystemClock machineClock; // the engine's timers on real time
    platform().clock = &machineClock;
    const QList<QByteArray> lines = SpotLines();
    Station.OwnCall = "Q7BZW";
    double seconds = 0;
    int missing = 0, twice = 0;
    EventLoopProbe probe;
    for (auto _ : state) {
        LoggingWindowLink& windowLink = loggingWindow();
        CountingWindow counting(windowLink);
        Link<LoggingWindowLink>::install(&counting);
        SpottingSettings = SpotSettings{};
        ClusterEngine engine;
        QTcpServer cluster;
        testing::FakePacketEngine agw;
        if (transport == Transport::Telnet) {
            cluster.listen(QHostAddress::LocalHost, 0);
            QObject::connect(&cluster, &QTcpServer::newConnection, &cluster, [&] {
                QTcpSocket* s = cluster.nextPendingConnection();
                s->write(lines.join("\r\n") + "\r\n");
            });
            SpottingSettings.Transport = "Telnet";
            SpottingSettings.TelnetHost = "127.0.0.1";
            SpottingSettings.TelnetPort = QString::number(cluster.serverPort());
        } else {
            SpottingSettings.Transport = "AGW Packet Engine";
            engine.PacketEngine().setAddress("127.0.0.1", agw.Port());
        }
        QElapsedTimer clock;
        probe.Start();
        clock.start();
        engine.OpenPort();
        if (transport == Transport::PacketEngine) {
            testing::FakePacketEngine::WaitFor([&] { return engine.ReceiveTimerEnabled(); }, 5000);
            for (const QByteArray& line : lines) agw.Monitor("W3LPL", "DX", line + "\r");
        }
        QElapsedTimer limit;
        limit.start();
        while (counting.total < kLines && limit.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        seconds += clock.elapsed() / 1000.0;
        probe.Stop();
        for (const QByteArray& line : lines) {
            const int n = counting.handed.value(QString::fromLatin1(line.mid(26, 13)).trimmed());
            missing += n == 0;
            twice += n > 1;
        }
        Link<LoggingWindowLink>::install(&windowLink);
    }
    state.counters["spots"] = kLines;
    state.counters["missing"] = missing;
    state.counters["twice"] = twice;
    state.counters["spots_per_s"] = kLines * static_cast<double>(state.iterations()) / seconds;
    probe.Report(state, 0, 20000);
    state.SetLabel(transport == Transport::Telnet ? "loopback Telnet" : "fake packet engine");
}
BENCHMARK(SpotsThroughTheEngine)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) { return RunSpotBenchmarks(argc, argv); }
