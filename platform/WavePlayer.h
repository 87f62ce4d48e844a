#pragma once
// Playing WAV files. Whether a sound still plays is worked out from the file's own length (its header)
// and the platform clock: the sound system's reports arrive through the event loop, late or never
// (without a sound device some backends report "playing" forever), and the program waits for prompts
// without serving window events.
#include "platform/SoundOutput.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace tylog {

// The length in ms of a WAV file's sound, from its header: the byte rate of its "fmt " chunk and the
// size of its "data" chunk, rounded up to the whole ms, so that a sound taken as ended has ended.
// False when the file cannot be read or is no RIFF WAVE with both chunks.
bool WaveLengthMs(const QString& path, std::uint32_t* ms);

// The samples of a WAV file's sound, as the sound output takes them: plain samples (8-bit unsigned,
// 16-, 24- or 32-bit signed, 32-bit floating; 24-bit ones widened to 32) of any channel count, the
// data chunk cut to what the file holds and to whole frames. False, with why in the operator's words,
// for anything else (a compressed encoding among them).
bool ReadWaveSamples(const QByteArray& file, WaveSamples* out, QString* why);

// One player: one sound at a time, a new one cuts the old.
class WavePlayer {
public:
    virtual ~WavePlayer() = default;
    // Stops what plays, then starts path. False, and nothing plays, when the file is no playable WAV.
    bool Play(const QString& path);
    void Stop();
    bool Playing() const;
    // Milliseconds left of the sound that plays; 0 when none plays.
    std::uint32_t RemainingMs() const;

protected:
    virtual void startSound(const QString& path) = 0;
    virtual void stopSound() = 0;

private:
    bool started_ = false;
    std::int64_t t0_ = 0;        // the keying clock's reading (us) at the start
    std::int64_t lengthUs_ = 0;
};

// The player on the machine's sound output. Without the sound module (SoundOutput.h) it plays nothing
// and still times each sound by its length.
class QtWavePlayer : public WavePlayer {
public:
    QtWavePlayer();
    ~QtWavePlayer() override;

protected:
    void startSound(const QString& path) override;
    void stopSound() override;

private:
    // Made with the player: constructing it costs the sound system's start, which the first sound
    // should not wait for.
    std::unique_ptr<SoundOutput> output_;
};

// Makes the players of the windows that play sounds.
class Sound {
public:
    virtual ~Sound() = default;
    virtual std::unique_ptr<WavePlayer> NewPlayer() = 0;
};

class QtSound : public Sound {
public:
    std::unique_ptr<WavePlayer> NewPlayer() override { return std::make_unique<QtWavePlayer>(); }
};

} // namespace tylog
