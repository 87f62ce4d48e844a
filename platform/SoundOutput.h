#pragma once
// The machine's sound output, in a module of its own (libtylog_qtsound.so) that the first player loads:
// linked into the program, the sound system's libraries would load, and relocate, before the first
// window.
#include <QByteArray>

namespace tylog {

// A sound as the output takes it: interleaved samples, each channel's sample of a frame in turn.
struct WaveSamples {
    enum Kind { Unsigned8, Signed16, Signed32, Float32 };
    Kind kind = Signed16;
    int rate = 0;     // frames a second
    int channels = 0;
    QByteArray data;  // whole frames only
};

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void Start(const WaveSamples& sound) = 0; // plays the samples, cutting what plays
    virtual void Stop() = 0;
};

} // namespace tylog

// The module's one entry: a new output on the machine's sound system.
extern "C" tylog::SoundOutput* tylog_new_sound_output();
