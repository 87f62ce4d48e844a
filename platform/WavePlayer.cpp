#include "platform/WavePlayer.h"
#include "platform/Diagnostics.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/SoundOutput.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibrary>

#include <algorithm>
#include <cstring>

namespace tylog {

namespace {
std::uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] | (u[1] << 8) | (u[2] << 16) | (static_cast<std::uint32_t>(u[3]) << 24);
}
// The keying clock: steady, and finer than the millisecond tick, whose steps would end a sound up to
// a millisecond early.
std::int64_t nowUs() { return platform().clock->SteadyMicros(); }
} // namespace

bool WaveLengthMs(const QString& path, std::uint32_t* ms) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    char head[12];
    if (f.read(head, 12) != 12 || memcmp(head, "RIFF", 4) != 0 || memcmp(head + 8, "WAVE", 4) != 0) return false;
    std::uint32_t byteRate = 0;
    // Chunks follow one another, each padded to an even size; the data chunk may come last and be
    // the bulk of the file, so it is measured, not read.
    for (;;) {
        char chunk[8];
        if (f.read(chunk, 8) != 8) return false;
        const std::uint32_t size = le32(chunk + 4);
        if (memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16) return false;
            char fmt[16];
            if (f.read(fmt, 16) != 16) return false;
            byteRate = le32(fmt + 8);
            if (!f.seek(f.pos() + (size - 16) + (size & 1))) return false;
        } else if (memcmp(chunk, "data", 4) == 0) {
            if (byteRate == 0) return false;
            // A header written before the recording ended may claim more than the file holds.
            const qint64 present = std::min<qint64>(size, f.size() - f.pos());
            *ms = static_cast<std::uint32_t>((present * 1000 + byteRate - 1) / byteRate);
            return true;
        } else if (!f.seek(f.pos() + size + (size & 1))) {
            return false;
        }
    }
}

bool WavePlayer::Play(const QString& path) {
    Stop();
    std::uint32_t ms = 0;
    if (!WaveLengthMs(path, &ms)) return false;
    startSound(path);
    started_ = true;
    t0_ = nowUs();
    lengthUs_ = static_cast<std::int64_t>(ms) * 1000;
    return true;
}

void WavePlayer::Stop() {
    if (!started_) return;
    started_ = false;
    stopSound();
}

std::uint32_t WavePlayer::RemainingMs() const {
    if (!started_) return 0;
    const std::int64_t left = t0_ + lengthUs_ - nowUs();
    return left > 0 ? static_cast<std::uint32_t>((left + 999) / 1000) : 0;
}

bool WavePlayer::Playing() const { return RemainingMs() > 0; }

namespace {

using NewSoundOutput = SoundOutput* (*)();

// The sound module, loaded once, with the first player: beside the program, else where the build put
// it. Without it every player is silent, which is said once.
NewSoundOutput soundModule() {
    static const NewSoundOutput entry = [] {
        const QString dirs[] = {QCoreApplication::applicationDirPath(), QStringLiteral(TYLOG_SOUND_MODULE_DIR)};
        QString why;
        for (const QString& dir : dirs) {
            QLibrary module(dir + QStringLiteral("/tylog_qtsound"));
            if (auto f = reinterpret_cast<NewSoundOutput>(module.resolve("tylog_new_sound_output"))) return f;
            why = module.errorString();
        }
        qCWarning(lcPlatform).noquote() << "no sound: the sound module could not be loaded:" << why;
        // Push-to-talk would key dead air: the operator hears of it, once, without being held up.
        platform().dialogs->Notice("Voice messages and spoken prompts cannot be heard: the sound module "
                                   "libtylog_qtsound.so was not found beside tylog (" + why + ").",
                                   "No Sound");
        return NewSoundOutput{};
    }();
    return entry;
}

} // namespace

QtWavePlayer::QtWavePlayer() {
    if (const NewSoundOutput make = soundModule()) output_.reset(make());
}

QtWavePlayer::~QtWavePlayer() = default;

void QtWavePlayer::startSound(const QString& path) {
    if (output_) output_->Start(path);
}

void QtWavePlayer::stopSound() {
    if (output_) output_->Stop();
}

} // namespace tylog
