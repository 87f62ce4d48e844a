#include "keying/MediaControl.h"
#include "platform/Platform.h"
#include "platform/VbError.h"

namespace tylog {

namespace {
bool is(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }
} // namespace

MediaControl::MediaControl() : player_(platform().sound->NewPlayer()) {}

void MediaControl::Command(const QString& command) {
    if (is(command, "Open")) {
        std::uint32_t ms = 0;
        if (!WaveLengthMs(FileName, &ms)) throw VbError(VbError::FileNotFound, "Cannot open " + FileName);
        opened_ = FileName;
    } else if (is(command, "Play")) {
        if (opened_.isEmpty()) return;
        if (!player_->Play(opened_)) throw VbError(VbError::DeviceIO, "Cannot play " + opened_);
    } else if (is(command, "Stop")) {
        player_->Stop();
    } else if (is(command, "Close")) {
        player_->Stop();
        opened_.clear();
    }
}

int MediaControl::Mode() const {
    if (opened_.isEmpty()) return ModeNotOpen;
    return player_->Playing() ? ModePlaying : ModeStopped;
}

std::uint32_t MediaControl::RemainingMs() const { return player_->RemainingMs(); }

} // namespace tylog
