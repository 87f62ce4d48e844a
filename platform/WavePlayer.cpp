#include "platform/WavePlayer.h"
#include "platform/Diagnostics.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"

#include <QBuffer>
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

namespace {

// What a RIFF WAVE file's chunks say of its sound: its "fmt " chunk's fields and where its "data"
// chunk's bytes lie (as many as the file holds of what the chunk claims).
struct WaveLayout {
    int tag = 0, channels = 0, bits = 0; // tag: an extensible format's sub-format already read
    std::uint32_t rate = 0, byteRate = 0;
    qint64 dataAt = 0, dataHeld = 0;
};

// Walks the chunks, which follow one another each padded to an even size. The data chunk may come
// last and be the bulk of the file, so it is found, not read. False for anything but a RIFF WAVE file
// with a format chunk before its data chunk.
bool findWaveChunks(QIODevice& d, WaveLayout* w) {
    char head[12];
    if (d.read(head, 12) != 12 || memcmp(head, "RIFF", 4) != 0 || memcmp(head + 8, "WAVE", 4) != 0) return false;
    bool format = false;
    for (;;) {
        char chunk[8];
        if (d.read(chunk, 8) != 8) return false;
        const std::uint32_t size = le32(chunk + 4);
        const qint64 body = d.pos();
        if (memcmp(chunk, "data", 4) == 0) {
            if (!format) return false;
            w->dataAt = body;
            // A header written before the recording ended may claim more than the file holds.
            w->dataHeld = std::min<qint64>(size, d.size() - body);
            return true;
        }
        if (memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16) return false;
            char fmt[26];
            const qint64 got = d.read(fmt, std::min<qint64>(size, sizeof fmt));
            if (got < 16) return false;
            w->tag = le16(fmt);
            w->channels = le16(fmt + 2);
            w->rate = le32(fmt + 4);
            w->byteRate = le32(fmt + 8);
            w->bits = le16(fmt + 14);
            // An extensible format names its encoding in the first two bytes of its sub-format.
            if (w->tag == 0xFFFE && got >= 26) w->tag = le16(fmt + 24);
            format = true;
        }
        const qint64 next = body + size + (size & 1);
        if (next > d.size() || !d.seek(next)) return false;
    }
}

} // namespace

bool WaveLengthMs(const QString& path, std::uint32_t* ms) {
    QFile f(path);
    WaveLayout w;
    if (!f.open(QIODevice::ReadOnly) || !findWaveChunks(f, &w) || w.byteRate == 0) return false;
    *ms = static_cast<std::uint32_t>((w.dataHeld * 1000 + w.byteRate - 1) / w.byteRate);
    return true;
}

bool ReadWaveSamples(const QByteArray& file, WaveSamples* out, QString* why) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") {
        *why = QStringLiteral("it is no WAV file");
        return false;
    }
    QBuffer device;
    device.setData(file);
    WaveLayout w;
    if (!device.open(QIODevice::ReadOnly) || !findWaveChunks(device, &w)) {
        *why = QStringLiteral("it has no format and sound chunks");
        return false;
    }
    if (w.tag != 1 && w.tag != 3) {
        *why = QStringLiteral("its sound is compressed (encoding %1); save it as plain (PCM) samples").arg(w.tag);
        return false;
    }
    const bool floating = w.tag == 3;
    const int bits = w.bits, channels = w.channels;
    if (floating ? bits != 32 : bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        *why = QStringLiteral("its samples of %1 bits are not ones it can play").arg(bits);
        return false;
    }
    if (channels < 1 || channels > 32 || w.rate < 1 || w.rate > 768000) {
        *why = QStringLiteral("its format (%1 channels at %2 a second) is not one it can play").arg(channels).arg(w.rate);
        return false;
    }
    const qint64 frame = qint64(channels) * (bits / 8);
    const qint64 frames = w.dataHeld / frame;
    const char* const from = file.constData() + w.dataAt;
    out->rate = static_cast<int>(w.rate);
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
