#pragma once
// The machine's sound output, in a module of its own (libtylog_qtsound.so) that the first player loads:
// linked into the program, the sound system's libraries would load, and relocate, before the first
// window.
#include <QString>

namespace tylog {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void Start(const QString& path) = 0; // plays the file, cutting what plays
    virtual void Stop() = 0;
};

} // namespace tylog

// The module's one entry: a new output on the machine's sound system.
extern "C" tylog::SoundOutput* tylog_new_sound_output();
