// The voice keyer on the machine's clock and player: 200 plays of short wave files (95 to 405 ms, a short
// gap between them) with push-to-talk on the parallel port, read from the key lines' record. Three
// figures of the same plays: how long after the sound's length push-to-talk was released (goal: p99
// 45 ms, max 60 ms), how long before it (never: the goal is 0), how late the user-interface thread's
// event loop ran meanwhile (p99 under 5 ms), and, without a goal, how long push-to-talk was keyed before
// the sound started (what starting a sound costs the sound system). TYLOG_BENCH_PLAYS sets the number
// of plays.
#include "bench/EventLoopProbe.h"
#include "bench/WindowBench.h"
#include "keying/KeyerSettings.h"
#include "keying/VoiceKeyer.h"
#include "platform/Clock.h"

#include <QElapsedTimer>
#include <QEventLoop>

using namespace tylog;
using namespace tylog::bench;

namespace {

constexpr std::uint32_t kLengthsMs[] = {95, 170, 245, 330, 405};

int Plays() {
    const int n = qEnvironmentVariableIntValue("TYLOG_BENCH_PLAYS");
    return n > 0 ? n : 200;
}

struct Figures {
    std::vector<double> lateUs, earlyUs, loopDelayUs;
    std::vector<double> leadUs; // push-to-talk keyed ahead of the sound: the sound system's start
};

// The machine's players, noting on the keying clock when each sound started: the player starts its
// length's count right after (WavePlayer::Play).
class TimedSound : public Sound {
public:
    std::unique_ptr<WavePlayer> NewPlayer() override { return std::make_unique<Player>(*this); }
    std::int64_t startedMicros = 0;

private:
    class Player : public QtWavePlayer {
    public:
        explicit Player(TimedSound& sound) : sound_(sound) {}

    protected:
        void startSound(const QString& path) override {
            QtWavePlayer::startSound(path);
            sound_.startedMicros = platform().clock->SteadyMicros();
        }

    private:
        TimedSound& sound_;
    };
};

void runEventsWhile(const std::function<bool()>& busy) {
    while (busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

Figures PlayAll() {
    SystemClock clock;
    TimedSound sound;
    Clock* const fakeClock = platform().clock;
    Sound* const fakeSound = platform().sound;
    platform().clock = &clock;
    platform().sound = &sound;
    for (size_t i = 0; i < std::size(kLengthsMs); ++i) {
        const QString name = QStringLiteral("m%1.wav").arg(i + 1);
        QFile f(JoinPath(Folders.ProgramFolder, name));
        f.open(QIODevice::WriteOnly);
        f.write(testing::FakeSound::Wave(kLengthsMs[i]));
        KeyerSettings.Voice.WaveFiles[i] = f.fileName();
    }
    KeyerSettings.Voice.SerialPort = "0";
    KeyerSettings.Voice.KeyingLine = 2;
    KeyerSettings.Voice.RepeatSeconds = "0";
    EndVoiceKeyer();
    VoiceKeyer& keyer = VoiceKeying(); // its player made before the first play, as at start-up

    Figures out;
    auto& lines = testing::Fakes().keyLines;
    lines.Clear();
    EventLoopProbe probe;
    probe.Start();
    for (int play = 0; play < Plays(); ++play) {
        const size_t i = static_cast<size_t>(play) % std::size(kLengthsMs);
        const qsizetype before = lines.Snapshot().size();
        keyer.FKeyPhone(112 + static_cast<int>(i));
        const std::int64_t started = sound.startedMicros;
        runEventsWhile([&] { return keyer.Keyed(); });
        const auto changes = lines.Snapshot().mid(before);
        if (changes.size() != 2 || changes[0].value != 3 || changes[1].value != 2)
            qFatal("push-to-talk was not keyed and released once");
        const double late = static_cast<double>(changes[1].micros - started) - kLengthsMs[i] * 1000.0;
        out.lateUs.push_back(std::max(0.0, late));
        out.earlyUs.push_back(std::max(0.0, -late));
        out.leadUs.push_back(static_cast<double>(started - changes[0].micros));
        // A gap of 20 to 80 ms, so the plays do not start in step with anything.
        QElapsedTimer gap;
        gap.start();
        const qint64 gapMs = 20 + (play * 37) % 61;
        runEventsWhile([&] { return gap.elapsed() < gapMs; });
    }
    probe.Stop();
    out.loopDelayUs = probe.Delays();
    EndVoiceKeyer();
    platform().clock = fakeClock;
    platform().sound = fakeSound;
    return out;
}

const Figures& TheFigures() {
    static const Figures figures = PlayAll();
    return figures;
}

void VoicePushToTalk(benchmark::State& state) {
    const Figures& f = TheFigures();
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0:
            ReportLatency(state, f.lateUs, 45000, 60000);
            state.SetLabel("released after the sound's length");
            break;
        case 1:
            // Never early: a goal of 1 us stands for none (a goal of 0 is not judged).
            ReportLatency(state, f.earlyUs, 1, 1);
            state.SetLabel("released before the sound's length");
            break;
        case 2:
            ReportLatency(state, f.loopDelayUs, 5000);
            state.SetLabel("event-loop delay while playing");
            break;
        default:
            ReportLatency(state, f.leadUs);
            state.SetLabel("keyed ahead of the sound (its start)");
            break;
        }
    }
}
BENCHMARK(VoicePushToTalk)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv, {}); }
