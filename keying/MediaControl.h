#pragma once
// The media control of the keyer windows: a wave player driven by command words, with the mode it
// reports (playing while the file's sound lasts on the platform clock).
#include "platform/WavePlayer.h"

#include <QString>
#include <memory>

namespace tylog {

class MediaControl {
public:
    // Makes its player at once, so that the first sound does not wait for the sound system's start.
    MediaControl();

    static constexpr int ModeNotOpen = 524;
    static constexpr int ModeStopped = 525;
    static constexpr int ModePlaying = 526;

    QString DeviceType;
    QString FileName;

    // "Open", "Play", "Stop" or "Close", letter case ignored. Open and Play throw VbError when the file
    // is no playable WAV; Play without Open and Stop or Close of nothing do nothing.
    void Command(const QString& command);
    int Mode() const;
    // What is left of the sound that plays, in ms.
    std::uint32_t RemainingMs() const;

private:
    std::unique_ptr<WavePlayer> player_;
    QString opened_;
};

} // namespace tylog
