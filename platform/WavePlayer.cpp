#include "platform/WavePlayer.h"
#include "platform/Diagnostics.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibrary>
#include <QSet>

#include <algorithm>
#include <cstring>

namespace tylog {

namespace {
std::uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] | (u[1] << 8) | (u[2] << 16) | (static_cast<std::uint32_t>(u[3]) << 24);
}
std::uint16_t le16(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(u[0] | (u[1] << 8));
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

bool ReadWaveSamples(const QByteArray& file, WaveSamples* out, QString* why) {
    const char* const b = file.constData();
    const qint64 n = file.size();
    if (n < 12 || memcmp(b, "RIFF", 4) != 0 || memcmp(b + 8, "WAVE", 4) != 0) {
        *why = QStringLiteral("it is no WAV file");
        return false;
    }
    int tag = -1, channels = 0, bits = 0;
    std::uint32_t rate = 0;
    for (qint64 at = 12; at + 8 <= n;) {
        const std::uint32_t size = le32(b + at + 4);
        const qint64 body = at + 8;
        const qint64 held = std::min<qint64>(size, n - body);
        if (memcmp(b + at, "fmt ", 4) == 0 && held >= 16) {
            tag = le16(b + body);
            channels = le16(b + body + 2);
            rate = le32(b + body + 4);
            bits = le16(b + body + 14);
            // An extensible format names its encoding in the first two bytes of its sub-format.
            if (tag == 0xFFFE && held >= 26) tag = le16(b + body + 24);
        } else if (memcmp(b + at, "data", 4) == 0) {
            if (tag < 0) break;
            if (tag != 1 && tag != 3) {
                *why = QStringLiteral("its sound is compressed (encoding %1); save it as plain (PCM) samples").arg(tag);
                return false;
            }
            const bool floating = tag == 3;
            if (floating ? bits != 32 : bits != 8 && bits != 16 && bits != 24 && bits != 32) {
                *why = QStringLiteral("its samples of %1 bits are not ones it can play").arg(bits);
                return false;
            }
            if (channels < 1 || channels > 32 || rate < 1 || rate > 768000) {
                *why = QStringLiteral("its format (%1 channels at %2 a second) is not one it can play").arg(channels).arg(rate);
                return false;
            }
            const qint64 frame = qint64(channels) * (bits / 8);
            const qint64 frames = held / frame;
            const char* const from = b + body;
            out->rate = static_cast<int>(rate);
            out->channels = channels;
            if (bits == 24) {
                out->kind = WaveSamples::Signed32;
                out->data.resize(frames * channels * 4);
                char* to = out->data.data();
                for (qint64 i = 0; i < frames * channels; ++i, to += 4) {
                    to[0] = 0;
                    memcpy(to + 1, from + i * 3, 3);
                }
            } else {
                out->kind = floating     ? WaveSamples::Float32
                            : bits == 8  ? WaveSamples::Unsigned8
                            : bits == 16 ? WaveSamples::Signed16
                                         : WaveSamples::Signed32;
                out->data = QByteArray(from, frames * frame);
            }
            return true;
        }
        at = body + size + (size & 1);
    }
    *why = QStringLiteral("it has no format and sound chunks");
    return false;
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
    if (!output_) return;
    WaveSamples sound;
    QString why;
    try {
        if (ReadWaveSamples(ReadAllBytes(path), &sound, &why)) {
            output_->Start(sound);
            return;
        }
    } catch (const VbError& e) {
        why = e.what();
    }
    // Timed by its length all the same (push-to-talk keys dead air): said once a file and reason.
    static QSet<QString> told;
    if (told.size() < 64 && !told.contains(path + why)) {
        told.insert(path + why);
        qCWarning(lcPlatform).noquote() << "cannot play" << path << why;
        platform().dialogs->Notice("The sound " + path + " cannot be heard: " + why + ".", "No Sound");
    }
}

void QtWavePlayer::stopSound() {
    if (output_) output_->Stop();
}

} // namespace tylog
