#pragma once
// The player of the spoken navigation prompts. Each prompt cuts the one before, except a prompt that is
// to be heard out (HearOut): prompts asked for meanwhile wait for its end, and of those only the latest
// plays, as if it had cut the others. The hold is a step on an engine timer, bounded by the prompt's
// length and MaxHoldMs, so nothing waits on the user-interface thread.
#include "keying/MediaControl.h"
#include "platform/EngineTimer.h"

#include <QList>
#include <QString>
#include <cstdint>

namespace tylog {

class PromptPlayer {
public:
    // The longest a prompt holds the next: a prompt is a word or two.
    static constexpr std::uint32_t MaxHoldMs = 10000;

    PromptPlayer();

    // Plays the wave file at path now, cutting the prompt that plays, or, while one is heard out, once
    // it has ended. A file that cannot be played is silent, and nothing waits for it.
    void Play(const QString& path);
    // The prompt asked for last is heard to its end (or MaxHoldMs) before the next one starts; when
    // none plays or waits, there is nothing to hear out.
    void HearOut();
    // Stops what plays and forgets what waits.
    void Close();

    bool Playing() const { return media_.Mode() == MediaControl::ModePlaying; }
    // Prompts waiting for one to be heard out.
    int Waiting() const { return static_cast<int>(waiting_.size()); }

private:
    struct Prompt {
        QString path;
        bool hearOut = false;
    };
    void start(const QString& path);
    void hold();
    void holdEnded();

    MediaControl media_;
    EngineTimer hold_{"BlindFrm.prompt"};
    QList<Prompt> waiting_;
};

} // namespace tylog
