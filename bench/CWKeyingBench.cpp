// The CW keyer on the machine's clock, keying RTS of a pseudo-terminal into the key lines' record:
// - CWElementTiming: "PARIS " at 40 WPM "Timer" (30 ms unit) over at least TYLOG_BENCH_ELEMENTS
//   elements (2,000 by default), idle and while the out-of-state window reloads the 11,000-contact
//   log in a loop on the user-interface thread; every edge's error against the ideal schedule from
//   the first key-down, so a late wake and a character handed on late both count (goals: 99th
//   percentile 0.5 ms, maximum 2 ms). Its floor is bench/KeyingClockBench.cpp.
// - KeystrokeWhileSending: one key in the call box (with its repaint) while a message is sent, against
//   the keystroke's goal of 0.2 ms; EventLoopWhileSending: how late a 1 ms timer comes meanwhile,
//   beside the same window with nothing sent.
#include "bench/EventLoopProbe.h"
#include "bench/WindowBench.h"
#include "keying/CWKeyer.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "keying/Morse.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "platform/Clock.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <cmath>

using namespace tylog;
using namespace tylog::bench;
using Signal = testing::RecordingKeyLines::Signal;

namespace {

constexpr double kUnitMicros = 30000; // 40 WPM

int Elements() {
    const int n = qEnvironmentVariableIntValue("TYLOG_BENCH_ELEMENTS");
    return n > 0 ? n : 2000;
}

// The keyer on the machine's clock (its keying thread is made with it) and COM3 a pseudo-terminal.
struct RealClockKeyer {
    RealClockKeyer() {
        pty.MapAsSerial(3);
        KeyerSettings.CW.SerialPort = "3";
        KeyerSettings.CW.Speed = "40";
        KeyerSettings.CW.Timing = CWTiming::Timer;
        Keyer.CWKeyingType = 1;
        ResetCWEngine();
        CWEngine();
    }
    ~RealClockKeyer() { ResetCWEngine(); }
    testing::PseudoTerminal pty;
};

// Words of "PARIS " (50 units each) for at least `elements` elements.
QString Words(int elements) {
    QString text;
    for (int units = 0; units < elements; units += 50) text += QStringLiteral("PARIS ");
    return text;
}

// The ideal edges of `text` keyed from `start`, characters end to start.
std::vector<std::int64_t> IdealEdges(const QString& text, std::int64_t start) {
    std::vector<std::int64_t> edges;
    for (QChar c : text) {
        const MorseSchedule s = ScheduleElements(MorseElements(c), kUnitMicros);
        for (const auto& step : s.steps) edges.push_back(start + step.atMicros);
        start += s.lengthMicros;
    }
    return edges;
}

OutfrmWindow& ShownWindowOnTheFullLog() {
    WriteContestLog(ContactLogData::Capacity);
    OutfrmWindow& w = Outfrm();
    if (!w.isVisible()) w.Show();
    w.ReloadAndRescore();
    LetTheWindowRepaint();
    return w;
}

void CWElementTiming(benchmark::State& state) {
    const bool loaded = state.range(0) != 0;
    RealClockKeyer keyer;
    QByteArray logs[2];
    std::function<void()> busy = [] {
        // Idle: the event loop waits for the keyer's reports.
        QEventLoop wait;
        QTimer::singleShot(50, &wait, &QEventLoop::quit);
        wait.exec();
    };
    if (loaded) {
        // Two logs that differ, so every reload reads and parses the whole file.
        logs[0] = ContestLogBytes(ContactLogData::Capacity, NowUtc(), ShippedCountyNames());
        logs[1] = ContestLogBytes(ContactLogData::Capacity - 1, NowUtc(), ShippedCountyNames());
        WriteFileAtomic(LogPath(), logs[0]);
        OutfrmWindow& w = Outfrm();
        if (!w.isVisible()) w.Show();
        busy = [&w, &logs, n = 0]() mutable {
            WriteFileAtomic(LogPath(), logs[++n % 2]);
            w.ReloadAndRescore();
            LetTheWindowRepaint();
        };
    }
    const QString text = Words(Elements());
    // One character first: the keying thread's first key pays for what runs for the first time.
    Keyer.CWBuffer = QStringLiteral("E");
    CWEngine().LoopThroughCWBuffer();
    while (Keyer.CWSending) busy();
    for (auto _ : state) {
        testing::Fakes().keyLines.Clear();
        Keyer.CWBuffer = text;
        CWEngine().LoopThroughCWBuffer();
        while (Keyer.CWSending) busy();
        // The line's edges as keyed, each where it changed (the port's open sets it up first).
        std::vector<std::int64_t> keyed;
        bool down = false;
        for (const auto& c : testing::Fakes().keyLines.Of("COM3", Signal::RTS)) {
            if ((c.value != 0) != down) keyed.push_back(c.micros);
            down = c.value != 0;
        }
        if (keyed.empty()) {
            state.SkipWithError("nothing was keyed");
            return;
        }
        const std::vector<std::int64_t> ideal = IdealEdges(text, keyed.front());
        if (ideal.size() != keyed.size()) {
            state.SkipWithError("the edges keyed are not the text's");
            return;
        }
        std::vector<double> errors;
        for (size_t i = 0; i < keyed.size(); ++i) errors.push_back(std::abs(static_cast<double>(keyed[i] - ideal[i])));
        ReportLatency(state, errors, 500, 2000);
        state.counters["edges"] = static_cast<double>(errors.size());
    }
    state.SetLabel(loaded ? "while the window reloads the log" : "idle");
}
BENCHMARK(CWElementTiming)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

// Keeps a long message going: started again whenever it ends.
void KeepSending() {
    if (!Keyer.CWSending) {
        Keyer.CWBuffer = Words(20000);
        CWEngine().LoopThroughCWBuffer();
    }
}

void KeystrokeWhileSending(benchmark::State& state) {
    RealClockKeyer keyer;
    OutfrmWindow& w = ShownWindowOnTheFullLog();
    Run.TimeOnRunning = true;
    QWidget* box = w.txtCall.widget();
    w.txtCall.SetFocus();
    auto type = [box](int k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, QString(QChar(k)));
        QCoreApplication::sendEvent(box, &press);
    };
    RunAgainstGoal(state, {[&] {
                               KeepSending();
                               w.txtCall.setText(QStringLiteral("K"));
                               w.txtCall.setSelStart(1);
                               type('Z');
                               LetTheWindowRepaint();
                           },
                           [&] {
                               type('9');
                               LetTheWindowRepaint();
                           }},
                   200);
    Keyer.CWBuffer.clear();
    CWEngine().CWBufferCut();
    state.SetLabel("no match, while CW is sent");
}
BENCHMARK(KeystrokeWhileSending)->UseManualTime()->Iterations(Pairs(2000))->Unit(benchmark::kMicrosecond);

// Its floor is the same window with nothing sent (arg 0): what the machine's scheduling costs alone.
void EventLoopWhileSending(benchmark::State& state) {
    const bool sending = state.range(0) != 0;
    RealClockKeyer keyer;
    ShownWindowOnTheFullLog();
    for (auto _ : state) {
        EventLoopProbe probe;
        if (sending) KeepSending();
        probe.Start();
        QEventLoop loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        probe.Stop();
        probe.Report(state);
    }
    Keyer.CWBuffer.clear();
    CWEngine().CWBufferCut();
    state.SetLabel(sending ? "10 s of CW at 40 WPM with the echo" : "10 s idle (floor)");
}
BENCHMARK(EventLoopWhileSending)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    static SystemClock machineClock;
    // The keyer times on the machine's clock; everything else of the platform stays the fakes'.
    return RunWindowBenchmarks(argc, argv, {"TYCounty.txt"}, [] { platform().clock = &machineClock; });
}
