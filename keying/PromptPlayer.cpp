#include "keying/PromptPlayer.h"
#include "platform/Diagnostics.h"
#include "platform/VbError.h"

#include <algorithm>

namespace tylog {

PromptPlayer::PromptPlayer() {
    hold_.setSingleShot(true);
    hold_.Tick = [this] { holdEnded(); };
}

void PromptPlayer::start(const QString& path) {
    try {
        media_.DeviceType = "WaveAudio";
        media_.Command("Close");
        media_.FileName = path;
        if (!media_.FileName.trimmed().isEmpty()) {
            media_.Command("Open");
            media_.Command("Play");
        }
    } catch (const VbError& e) {
        // A missing prompt or a silent machine: navigation goes on without sound.
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
    }
}

void PromptPlayer::Play(const QString& path) {
    if (!hold_.Enabled()) {
        start(path);
        return;
    }
    // Only prompts to be heard out keep their place; the newest of the others stands for them all.
    waiting_.removeIf([](const Prompt& p) { return !p.hearOut; });
    waiting_.append({path, false});
}

void PromptPlayer::HearOut() {
    if (!waiting_.isEmpty()) waiting_.last().hearOut = true;
    else if (!hold_.Enabled()) hold();
}

void PromptPlayer::hold() {
    if (!Playing()) return;
    hold_.Start(static_cast<int>(std::min(media_.RemainingMs(), MaxHoldMs)));
}

void PromptPlayer::holdEnded() {
    while (!waiting_.isEmpty() && !hold_.Enabled()) {
        const Prompt next = waiting_.takeFirst();
        start(next.path);
        if (next.hearOut) hold();
    }
}

void PromptPlayer::Close() {
    hold_.Stop();
    waiting_.clear();
    try {
        media_.Command("Close");
    } catch (const VbError& e) {
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
    }
}

} // namespace tylog
