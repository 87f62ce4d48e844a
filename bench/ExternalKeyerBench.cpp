// The external keyer and Morse practice on the machine's clock, against a keyer device on a
// pseudo-terminal served from a thread of its own (the tests' device model: 10 ms a character, a buffer
// of 64), which says it is busy with a full buffer for 50 ms out of every 100 ms. How late a 1 ms timer
// of the user-interface thread comes (goals: 99th percentile 5 ms, maximum 20 ms):
// - HandOverWhileTheDeviceIsBusyHalfTheTime: WKTransmit hands a 500-character message to the device;
// - PracticeSends100Groups: the practice window sends 100 groups of 5 through the external keyer
//   (arg 5), and 100 groups of 2 through the CW keyer on RTS at 99 WPM (arg 1).
#include "bench/EventLoopProbe.h"
#include "bench/WindowBench.h"
#include "keying/CodePractice.h"
#include "keying/CWKeyer.h"
#include "keying/ExternalKeyer.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "tests/support/KeyerDeviceModel.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <atomic>
#include <chrono>
#include <thread>

using namespace tylog;
using namespace tylog::bench;

namespace {

constexpr double kGoalP99Us = 5000, kGoalMaxUs = 20000;

// The device on serial port 5, answering from its own thread on the machine's clock.
class DeviceThread {
public:
    DeviceThread() {
        pty_.MapAsSerial(5);
        model_.charMs = 10;
        model_.capacity = 64;
        thread_ = std::thread([this] { run(); });
    }
    ~DeviceThread() {
        stop_ = true;
        thread_.join();
    }
    int Sent() const { return sent_; }

private:
    void run() {
        QElapsedTimer clock;
        clock.start();
        QByteArray pending;
        bool forced = false;
        while (!stop_) {
            const std::int64_t now = clock.elapsed();
            pending += pty_.ReadAvailable();
            QByteArray out;
            while (const auto reply = model_.Take(pending, now)) out += *reply;
            model_.forceFull = (now / 50) % 2 == 1;
            if (model_.forceFull != forced) {
                forced = model_.forceFull;
                if (model_.hostOpen) out += model_.StatusByte();
            }
            if (const auto status = model_.Advance(now)) out += *status;
            if (!out.isEmpty()) pty_.Write(out);
            sent_ = static_cast<int>(model_.sent.size());
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    testing::PseudoTerminal pty_;
    testing::KeyerDeviceModel model_;
    std::atomic<bool> stop_{false};
    std::atomic<int> sent_{0};
    std::thread thread_; // last: it runs over the members above
};

// Runs the event loop until done() or timeoutMs passed.
bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return done();
}

void OpenDevice() {
    KeyerSettings.WinKey.ComPort = 5;
    Keyer.CWKeyingType = 5;
    ResetExternalKeyer();
    ExternalKeyerEngine().OpenDevice();
    if (!RunUntil([] { return Keyer.WinKeyVersion != 0; }, 5000)) qFatal("the device did not open");
}

void HandOverWhileTheDeviceIsBusyHalfTheTime(benchmark::State& state) {
    DeviceThread device;
    OpenDevice();
    for (auto _ : state) {
        bool ended = false;
        QObject::connect(&ExternalKeyerEngine(), &ExternalKeyer::TransmitEnded, [&] { ended = true; });
        EventLoopProbe probe;
        QElapsedTimer took;
        probe.Start();
        took.start();
        Keyer.CWBuffer = QStringLiteral("CQ TEST DE Q7BZW ").repeated(30).left(500);
        ExternalKeyerEngine().WKTransmit();
        if (!RunUntil([&] { return ended; }, 120000)) state.SkipWithError("the hand-over did not end");
        probe.Stop();
        probe.Report(state, kGoalP99Us, kGoalMaxUs);
        state.counters["handover_s"] = static_cast<double>(took.elapsed()) / 1000;
    }
    ResetExternalKeyer();
    state.SetLabel("500 characters");
}
BENCHMARK(HandOverWhileTheDeviceIsBusyHalfTheTime)->Iterations(1)->Unit(benchmark::kSecond);

void PracticeSends100Groups(benchmark::State& state) {
    const bool external = state.range(0) == 5;
    DeviceThread device;
    testing::PseudoTerminal keyingPort;
    if (external) {
        OpenDevice();
    } else {
        keyingPort.MapAsSerial(3);
        KeyerSettings.CW.SerialPort = "3";
        KeyerSettings.CW.Speed = "99";
        KeyerSettings.CW.Timing = CWTiming::Timer;
        Keyer.CWKeyingType = 1;
        ResetCWEngine();
    }
    for (auto _ : state) {
        frmCodePracticeWindow& f = frmCodePractice();
        f.Show();
        f.Text3.setText("100");
        f.Text4.setText(external ? "5" : "2");
        f.Command2_Click();
        EventLoopProbe probe;
        QElapsedTimer took;
        probe.Start();
        took.start();
        f.Command3_Click();
        if (!RunUntil([&] { return !f.Sending(); }, 300000)) state.SkipWithError("practice did not end");
        probe.Stop();
        probe.Report(state, kGoalP99Us, kGoalMaxUs);
        state.counters["send_s"] = static_cast<double>(took.elapsed()) / 1000;
        vb::Unload(f);
    }
    ResetExternalKeyer();
    ResetCWEngine();
    state.SetLabel(external ? "groups of 5 through the external keyer" : "groups of 2 on RTS at 99 WPM");
}
BENCHMARK(PracticeSends100Groups)->Arg(5)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    static SystemClock machineClock;
    // The keyers run on the machine's clock; everything else of the platform stays the fakes'.
    return RunWindowBenchmarks(argc, argv, {}, [] { platform().clock = &machineClock; });
}
