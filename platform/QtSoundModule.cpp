// The sound module: the machine's sound output over Qt Multimedia (see SoundOutput.h).
#include "platform/SoundOutput.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace {

class QtSoundOutput : public tylog::SoundOutput {
public:
    QtSoundOutput() { player_.setAudioOutput(&output_); }
    void Start(const QString& path) override {
        player_.setSource(QUrl::fromLocalFile(path));
        player_.play();
    }
    void Stop() override { player_.stop(); }

private:
    QAudioOutput output_; // before the player, which uses it until it is destroyed
    QMediaPlayer player_;
};

} // namespace

extern "C" Q_DECL_EXPORT tylog::SoundOutput* tylog_new_sound_output() { return new QtSoundOutput; }
