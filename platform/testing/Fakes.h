#pragma once
// Fakes of the platform services, one each, for the tests. InstallFakePlatform() puts them in place;
// ResetFakePlatform() clears them between tests.
#include "platform/Platform.h"
#include "platform/Registry.h"

#include <QList>
#include <QMap>
#include <QStringList>
#include <deque>
#include <mutex>
#include <termios.h>
#include <variant>

namespace tylog::testing {

// Dialogs answered from a script. Every dialog shown is recorded; one the script did not expect
// (none queued, or the next answer is of another kind, which then stays queued) reports a fault (which
// fails the running test) and is answered as Cancel would be: OK for an OK-only box, No for Yes/No,
// Abort for Abort/Retry/Ignore, "" from an input box, nothing chosen in a file or colour dialog.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { MsgBox, InputBox, Open, Save, Color, Notice };
    struct Shown {
        Kind kind;
        QString prompt;
        QString title;
        int buttons = 0;
        QString defaultText;
        FileDialogOptions file;
    };

    // Answers, taken in order by the dialogs of their kind.
    void AnswerMsgBox(int answer) { queue_.push_back({Kind::MsgBox, answer, {}}); }
    // A standing answer for every message box of this title that the queue does not answer: for tests
    // to which a question is incidental.
    void AlwaysAnswerMsgBox(const QString& title, int answer) { standing_[title] = answer; }
    void AnswerInput(const QString& text) { queue_.push_back({Kind::InputBox, 0, text}); }
    void AnswerOpen(const QString& path) { queue_.push_back({Kind::Open, 0, path}); }
    void AnswerSave(const QString& path) { queue_.push_back({Kind::Save, 0, path}); }
    void AnswerColor(long color) { queue_.push_back({Kind::Color, static_cast<int>(color), {}}); }
    void CancelColor() { queue_.push_back({Kind::Color, -1, {}}); }

    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    // Recorded; a notice waits for nothing, so it takes no answer.
    void Notice(const QString& prompt, const QString& title) override {
        shown.push_back({Kind::Notice, prompt, title, 0, {}, {}});
    }
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString ShowOpen(const FileDialogOptions& options) override;
    QString ShowSave(const FileDialogOptions& options) override;
    bool ShowColor(long& color) override;
    void Beep() override { ++beeps; }

    bool Unanswered() const { return !queue_.empty(); }
    void Reset();

    QList<Shown> shown;
    int beeps = 0;

private:
    struct Answer { Kind kind; int number; QString text; };
    const Answer* take(Kind kind, const QString& what);
    std::deque<Answer> queue_;
    Answer current_{};
    QMap<QString, int> standing_;
};

// Clock with a settable wall time and a virtual tick. Advancing it fires window timers in order.
class FakeClock : public Clock {
public:
    FakeClock();
    QDateTime Now() override;
    QDateTime NowUtc() override;
    std::uint32_t TimeGetTime() override { return tick_; }
    void Sleep(std::uint32_t ms) override { Advance(ms); }
    // The virtual tick in microseconds, counted from the clock's creation and never wrapping.
    std::int64_t SteadyMicros() override;
    void SleepUntilMicros(std::int64_t deadline) override;
    bool IsVirtual() const override { return true; }

    // Local wall time, and the hours UTC is ahead of it.
    void Set(const QDateTime& local, double utcAheadHours = 0);
    void SetTick(std::uint32_t tick) { SteadyMicros(); tick_ = tick; steadyTick_ = tick; }
    void Advance(std::uint32_t ms);
    bool RunNextTimer() override;

private:
    QDateTime local0_;
    qint64 utcAheadMs_ = 0;
    std::uint32_t tick_ = 0;
    std::uint32_t tick0_ = 0;
    std::int64_t steadyMs_ = 0;     // milliseconds the tick has moved on since the clock was made
    std::uint32_t steadyTick_ = 0;  // the tick steadyMs_ was brought up to
};

class FakeScreen : public Screen {
public:
    double Width() override { return width; }
    double Height() override { return height; }
    QRectF WorkArea() override { return workArea.isNull() ? QRectF(0, 0, width, height) : workArea; }
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }
    double width = 15360, height = 11520; // 1024 x 768 pixels
    QRectF workArea;
};

class FakeClipboard : public Clipboard {
public:
    QString GetText() override { return text; }
    void SetText(const QString& t) override { text = t; }
    void Clear() override { text.clear(); }
    QString text;
};

// Counts the ends, and notes how many times the unkey steps had run when the last one came (End()
// runs them first, so a test compares with UnkeyRuns() before it).
class RecordingEnd : public ProgramEnd {
public:
    void End() override {
        ++ended;
        unkeyRunsAtEnd = UnkeyRuns();
    }
    int ended = 0;
    int unkeyRunsAtEnd = -1;
};

// Per-user settings kept in memory, keyed by "app/section/key".
class MemoryRegistry : public Registry {
public:
    QString GetSetting(const QString& app, const QString& section, const QString& key,
                       const QString& defaultValue) override {
        return values.value(app + '/' + section + '/' + key, defaultValue);
    }
    void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value) override {
        values.insert(app + '/' + section + '/' + key, value);
    }
    QMap<QString, QString> values;
};

// Players that make no sound: every start and stop is recorded here. Whether one still plays is the
// real rule (the file's length on the fake clock), so tests advance the clock to end a sound.
class FakeSound : public Sound {
public:
    std::unique_ptr<WavePlayer> NewPlayer() override;
    QStringList played; // full paths, in the order started
    int stops = 0;      // sounds cut before their end, or stopped after it
    int made = 0;       // players made (each the sound system's start on the machine)
    // The bytes of a silent WAV file (8 kHz, 8-bit mono) that lasts ms.
    static QByteArray Wave(std::uint32_t ms);
};

// The port map of the tests: a port points where a test put it (PseudoTerminal::MapAsSerial), else at
// a path that does not exist, so no test reaches the machine's own ports.
class FakePortMap : public PortMap {
public:
    QString SerialPath(int port) override;
    QString ParallelPath(int port) override;
    QMap<int, QString> serial, parallel;
};

// Key lines that switch nothing: every change is recorded with the clock's millisecond tick and its
// steady reading (microseconds), so a test reads the keying and its timing from `changes`. A serial line
// is named as its port names itself ("COM3", or the path it was opened by), a parallel port "LPT1".
// The keying thread records too: a test that runs one reads Snapshot(), which takes the lock.
class RecordingKeyLines : public KeyLines {
public:
    enum class Signal { RTS, DTR, ParallelData, ParallelControl };
    struct Change {
        std::uint32_t tick;
        QString device;
        Signal signal;
        int value; // 0 or 1 for a serial line, the byte for a parallel register
        std::int64_t micros = 0; // the keying clock's reading (SteadyMicros)
        bool operator==(const Change& o) const {
            return tick == o.tick && device == o.device && signal == o.signal && value == o.value;
        }
    };
    using KeyLines::SetLine;
    void SetLine(const KeyLineHandle& port, ModemLine line, bool on) override;
    void WriteParallel(int port, ParallelRegister reg, std::uint8_t value) override;
    // The changes of one signal of one device, in order.
    QList<Change> Of(const QString& device, Signal signal) const;
    QList<Change> Snapshot() const;
    void Clear();
    QList<Change> changes;

private:
    void record(Change c);
    mutable std::mutex mutex_;
};

// The device end of a serial port: a pseudo-terminal whose other end a SerialLine opens. Reads wait
// for the bytes, bounded, so a test never hangs on a device that stays silent.
class PseudoTerminal {
public:
    PseudoTerminal();  // fails the test when no pseudo-terminal can be had
    ~PseudoTerminal(); // closes the device end, which the port sees as a hang-up
    QString Path() const { return path_; }
    // Points serial port `port` of the fake port map here.
    void MapAsSerial(int port);
    void Write(const QByteArray& bytes);
    // Reads until `count` bytes came or timeoutMs passed without a byte.
    QByteArray Read(int count, int timeoutMs = 2000);
    // Everything waiting now.
    QByteArray ReadAvailable();
    // The port's terminal settings, as the SerialLine set them.
    termios Settings() const;
    // Custom baud rates (56000) are kept in the speed field that termios2 reads.
    int OutputBaud() const;
    void HangUp(); // closes the device end now

private:
    int fd_ = -1;
    QString path_;
};

struct FakePlatform {
    ScriptedDialogs dialogs;
    FakeClock clock;
    FakeScreen screen;
    FakeClipboard clipboard;
    RecordingEnd end;
    MemoryRegistry registry;
    FakeSound sound;
    FakePortMap ports;
    RecordingKeyLines keyLines;
};

FakePlatform& Fakes();
void InstallFakePlatform();
void ResetFakePlatform();

} // namespace tylog::testing
