// The sound module: the machine's sound output over Qt Multimedia's audio sink (see SoundOutput.h).
// Samples are handed to the sink as they are; no media pipeline decodes the file: Qt's media player
// could hang the program for good when a message replaced one just started (its pipeline's threads
// and the caller deadlocked on each other's locks).
#include "platform/SoundOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <memory>

namespace {

QAudioFormat::SampleFormat formatOf(tylog::WaveSamples::Kind kind) {
    switch (kind) {
    case tylog::WaveSamples::Unsigned8: return QAudioFormat::UInt8;
    case tylog::WaveSamples::Signed16: return QAudioFormat::Int16;
    case tylog::WaveSamples::Signed32: return QAudioFormat::Int32;
    case tylog::WaveSamples::Float32: return QAudioFormat::Float;
    }
    return QAudioFormat::Unknown;
}

class QtSoundOutput : public tylog::SoundOutput {
public:
    // The first look at the devices starts the sound system's connection: done here, with the player,
    // so that the first message does not wait for it.
    QtSoundOutput() { (void)QMediaDevices::defaultAudioOutput(); }
    ~QtSoundOutput() override { Stop(); }

    void Start(const tylog::WaveSamples& sound) override {
        Stop();
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return; // nothing to hear it on; the player still times the sound
        QAudioFormat format;
        format.setSampleRate(sound.rate);
        format.setChannelCount(sound.channels);
        format.setSampleFormat(formatOf(sound.kind));
        samples_.setData(sound.data);
        samples_.open(QIODevice::ReadOnly);
        sink_ = std::make_unique<QAudioSink>(device, format);
        sink_->start(&samples_);
    }

    void Stop() override {
        if (sink_) sink_->stop();
        sink_.reset();
        samples_.close();
    }

private:
    QBuffer samples_; // before the sink, which reads it until it is destroyed
    std::unique_ptr<QAudioSink> sink_;
};

} // namespace

extern "C" Q_DECL_EXPORT tylog::SoundOutput* tylog_new_sound_output() { return new QtSoundOutput; }
