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
#include "spotting/PacketFrame.h"
#include "spotting/SpotSettings.h"
#include "tests/support/FakePacketEngine.h"

#include <QElapsedTimer>
#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <memory>

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

// The peer on a thread of its own, as a cluster or engine is another program: what it does to send is
// not on the engine's event loop.
class PeerThread {
public:
    PeerThread() {
        thread_.start();
        context_.moveToThread(&thread_);
    }
    ~PeerThread() {
        thread_.quit();
        thread_.wait();
    }
    // Runs f on the peer's thread and waits for it.
    void Run(const std::function<void()>& f) { QMetaObject::invokeMethod(&context_, f, Qt::BlockingQueuedConnection); }
    // Hands f to the peer's thread without waiting: while the engine runs, only the peer waits on it.
    void Post(const std::function<void()>& f) { QMetaObject::invokeMethod(&context_, f, Qt::QueuedConnection); }

private:
    QThread thread_;
    QObject context_;
};

enum class Transport { Telnet, PacketEngine };

void SpotsThroughTheEngine(benchmark::State& state) {
    const Transport transport = state.range(0) == 0 ? Transport::Telnet : Transport::PacketEngine;
    ShowWithSpotArea([]() -> LoggingWindow& { return Outfrm(); }, true);
    static SystemClock machineClock; // the engine's timers on real time
    platform().clock = &machineClock;
    const QList<QByteArray> lines = SpotLines();
    // What the peer sends, made before the clock starts: the peer's own work is not the engine's.
    const QByteArray telnetBytes = lines.join("\r\n") + "\r\n";
    QByteArray engineBytes;
    for (const QByteArray& line : lines) {
        PacketFrame f;
        f.kind = 'U';
        f.pid = 0xF0;
        f.callFrom = "W3LPL";
        f.callTo = "DX";
        f.data = " 1:Fm W3LPL To DX <UI pid=F0 Len=" + QByteArray::number(line.size() + 1) + " >[14:02:11]\r" + line + "\r";
        engineBytes += EncodePacketFrame(f);
    }
    Station.OwnCall = "Q7BZW";
    // The window has drawn spots before, as in a running contest: its first spot's one-time costs
    // are not the engine's.
    Form1().BandMapSpots("Q7WARM", "14001.0", "de W3LPL:     14001.0  Q7WARM");
    LetTheWindowRepaint();
    double seconds = 0;
    int missing = 0, twice = 0;
    EventLoopProbe probe;
    for (auto _ : state) {
        LoggingWindowLink& windowLink = loggingWindow();
        CountingWindow counting(windowLink);
        Link<LoggingWindowLink>::install(&counting);
        SpottingSettings = SpotSettings{};
        ClusterEngine engine;
        PeerThread peer;
        std::unique_ptr<QTcpServer> cluster;
        std::unique_ptr<testing::FakePacketEngine> agw;
        if (transport == Transport::Telnet) {
            quint16 port = 0;
            peer.Run([&] {
                cluster = std::make_unique<QTcpServer>();
                cluster->listen(QHostAddress::LocalHost, 0);
                port = cluster->serverPort();
                QTcpServer* server = cluster.get();
                QObject::connect(server, &QTcpServer::newConnection, server,
                                 [server, &telnetBytes] { server->nextPendingConnection()->write(telnetBytes); });
            });
            SpottingSettings.Transport = "Telnet";
            SpottingSettings.TelnetHost = "127.0.0.1";
            SpottingSettings.TelnetPort = QString::number(port);
        } else {
            peer.Run([&] { agw = std::make_unique<testing::FakePacketEngine>(); });
            SpottingSettings.Transport = "AGW Packet Engine";
            engine.PacketEngine().setAddress("127.0.0.1", agw->Port());
        }
        QElapsedTimer clock;
        probe.Start();
        clock.start();
        engine.OpenPort();
        if (transport == Transport::PacketEngine) {
            testing::FakePacketEngine::WaitFor([&] { return engine.ReceiveTimerEnabled(); }, 5000);
            peer.Post([&] { agw->SendRaw(engineBytes); });
        }
        QElapsedTimer limit;
        limit.start();
        while (counting.total < kLines && limit.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        seconds += clock.elapsed() / 1000.0;
        probe.Stop();
        peer.Run([&] {
            cluster.reset();
            agw.reset();
        });
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
