// The radio's poll on the user-interface thread, with the out-of-state window (the full contest log)
// and the radio window shown, the radio a Kenwood at the other end of a pseudo-terminal on 20 m CW,
// where the window already is:
//  - the time of one read tick (read, decode, the radio window's labels, the hand-off with no band or
//    mode change) at the fastest rate: goal under 1 ms;
//  - how late the event loop runs (bench/EventLoopProbe.h) while the poll runs on the machine's clock
//    every 50 ms with a radio that answers, one that is silent, one that answers garbage, and a port
//    pulled in the middle of the poll: goals 99th percentile under 5 ms, longest under 20 ms; beside
//    them the same windows with no poll, the machine's own floor.
#include "bench/EventLoopProbe.h"
#include "bench/WindowBench.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "rig/RigControlfrm.h"
#include "rig/RigSettings.h"

#include <QEventLoop>
#include <QTimer>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

using namespace tylog;
using namespace tylog::bench;

namespace {

const QByteArray kQuery = "FA;MD;";
const QByteArray kReply = "FA00014025000;MD3;";

// A Kenwood on a pseudo-terminal. Answered from the event loop when `live` (a notifier on its end),
// else by the benchmark itself.
class BenchRadio {
public:
    enum Behaviour { Answering, Silent, Garbage };
    explicit BenchRadio(bool live, Behaviour b = Answering) : behaviour_(b) {
        fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        ::grantpt(fd_);
        ::unlockpt(fd_);
        termios t{};
        ::tcgetattr(fd_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(fd_, TCSANOW, &t);
        path_ = QString::fromLocal8Bit(::ptsname(fd_));
        if (live) {
            notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
            QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { answer(); });
        }
    }
    ~BenchRadio() { HangUp(); }
    QString Path() const { return path_; }
    void HangUp() {
        notifier_.reset();
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    // Takes the queries waiting and answers each.
    void answer() {
        char buffer[256];
        ssize_t n;
        while ((n = ::read(fd_, buffer, sizeof buffer)) > 0) pending_.append(buffer, n);
        for (qsizetype at = pending_.indexOf(kQuery); at >= 0; at = pending_.indexOf(kQuery)) {
            pending_.remove(0, at + kQuery.size());
            if (behaviour_ == Silent) continue;
            QByteArray out = kReply;
            if (behaviour_ == Garbage)
                for (char& c : out) c = static_cast<char>(QRandomGenerator::global()->bounded(256));
            ::write(fd_, out.constData(), static_cast<size_t>(out.size()));
        }
    }
    // Waits (bounded) for the port to have written a query, then answers it and waits until the port
    // end can read the reply.
    void AnswerNow() {
        pollfd p{fd_, POLLIN, 0};
        ::poll(&p, 1, 100);
        answer();
        const int port = ::open(path_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        int waiting = 0;
        for (int i = 0; i < 1000 && ::ioctl(port, FIONREAD, &waiting) == 0 && waiting < kReply.size(); ++i) ::usleep(50);
        ::close(port);
    }

private:
    Behaviour behaviour_;
    int fd_ = -1;
    QString path_;
    QByteArray pending_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

// The radio window polling a Kenwood on port 2 at the fastest rate, the logging window shown (with
// poll false, the windows alone).
RadioEngine& StartPolling(const QString& path, bool poll = true) {
    testing::Fakes().ports.serial[2] = path;
    Station.RigType = "Kenwood";
    RigControlfrmWindow& w = RigControlfrm(); // its load reads the settings: they are set after it
    RigSettings = {};
    RigSettings.RigPort = 2;
    RigSettings.RigBaud = "4800 ";
    RigSettings.RigStopBits = "2";
    RigSettings.RigFrequencyQuery = "FA;";
    RigSettings.RigModeQuery = "MD;";
    RigSettings.RigPollRate = "F";
    Outfrm().Show();
    w.Show();
    LetTheWindowRepaint();
    if (poll) w.Engine().Test();
    return w.Engine();
}

void StopPolling() {
    RigControlfrm().Engine().EndTest();
    vb::Unload(RigControlfrm());
    LetTheWindowRepaint();
}

void RadioReadTick(benchmark::State& state) {
    BenchRadio radio(false);
    RadioEngine& engine = StartPolling(radio.Path());
    engine.PollTimer().Stop(); // the ticks are the benchmark's
    std::vector<double> ticks;
    for (auto _ : state) {
        for (int i = 0; i < 2000; ++i) {
            if (engine.RigPollPhase == 0) engine.Tick(); // the query
            radio.AnswerNow();
            const auto t0 = std::chrono::steady_clock::now();
            engine.Tick();
            ticks.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
            QCoreApplication::processEvents(); // the labels' repaint, outside the tick
        }
    }
    if (Station.CurrentBand != "20" || Run.RigFrequencyText != "14.025") state.SkipWithError("the radio was not read");
    ReportLatency(state, ticks, 1000);
    StopPolling();
}
BENCHMARK(RadioReadTick)->Iterations(1)->Unit(benchmark::kMillisecond);

void RadioEventLoopDelay(benchmark::State& state) {
    static SystemClock machineClock; // the engine's timer runs on the machine's clock here
    Clock* fake = platform().clock;
    platform().clock = &machineClock;
    const int how = static_cast<int>(state.range(0));
    const BenchRadio::Behaviour behaviour =
        how == 1 ? BenchRadio::Silent : how == 2 ? BenchRadio::Garbage : BenchRadio::Answering;
    BenchRadio radio(true, behaviour);
    const bool floor = how == 4;
    RadioEngine& engine = StartPolling(radio.Path(), !floor);
    if (!floor && !engine.Polling()) state.SkipWithError("not polling");
    EventLoopProbe probe;
    for (auto _ : state) {
        probe.Start();
        QEventLoop loop;
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        if (how == 3) QTimer::singleShot(1000, &loop, [&radio] { radio.HangUp(); }); // pulled mid-poll
        loop.exec();
        probe.Stop();
    }
    if (!floor && (how == 3 ? engine.Polling() : !engine.Polling() || (how == 0 && Run.RigFrequencyText != "14.025")))
        state.SkipWithError("the poll did not run as it should");
    if (floor) probe.Report(state); // what the machine gives without the poll, not judged
    else probe.Report(state, 5000, 20000);
    const char* labels[] = {"a radio that answers", "a silent radio", "a garbage radio", "the port pulled mid-poll",
                            "no poll (the floor)"};
    state.SetLabel(labels[how]);
    StopPolling();
    platform().clock = fake;
}
BENCHMARK(RadioEventLoopDelay)->Arg(4)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, {"TYCounty.txt"}, [] { WriteContestLog(ContactLogData::Capacity); });
}
