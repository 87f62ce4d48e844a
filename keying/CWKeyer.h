#pragma once
// The CW keyer: sends Keyer.CWBuffer as Morse on the RTS or DTR line of its serial port (`Comm`) or on
// the parallel port, or hands it to the external keyer device, and sends the function-key messages.
// It reads only KeyerSettings.CW and the sending state of Keyer (KeyerState.h), owns its serial port,
// the keying thread and the F1 repeat timer, and reaches the logging window only through its link.
//
// A run (Keyer.CWSending) takes CWBuffer one character at a time on the user-interface thread: each
// character becomes a job of the keying thread (its schedule worked out from the settings at that
// moment), which holds the character it keys plus one handed ahead, so characters follow each other
// without a gap. The character handed ahead stays the first of CWBuffer until it starts, so the echo
// and Backspace see it as unsent; emptying or cutting the buffer takes it back (CWBufferCut). "!" and
// characters that key nothing wait until the line is free, then pass at once: "!" logs the contact
// there, in its place in the text.
#include "keying/KeyingPort.h"
#include "platform/EngineTimer.h"
#include "platform/KeyingThread.h"
#include "platform/SerialLine.h"
#include "platform/Session.h"

#include <QChar>
#include <QObject>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace tylog {

class CWKeyer : public QObject {
    Q_OBJECT
public:
    CWKeyer();
    ~CWKeyer() override; // stops the keying thread, releases what it keyed and closes the port

    // Empties CWBuffer and, unless the keying type is none, puts the message of a function key's code
    // there with its macros filled and sends it (a run in progress goes on with it). F1 (112) arms
    // its repeat when the repeat seconds are above 0.
    void FKeyCW(int KeyCode);
    // Sends CWBuffer: with the external keyer all of it at once, else in a run (nothing happens
    // when one is in progress: it takes what is added).
    void LoopThroughCWBuffer();
    // The buffer was emptied or cut from outside: the character handed ahead is taken back unless
    // it is still the buffer's first.
    void CWBufferCut();
    // Stops the F1 repeat (a key in the logging window); the buffer was emptied with it.
    void DisableCWRepeat();

    // Opens the serial port of the settings with both lines off, closing the one open first (and
    // taking the port from the voice keyer); port "0" leaves it closed. False, with PortRefused
    // called, when the port cannot be opened; a run then ends.
    bool CWSetup();
    // Closes the serial port, releasing what was keyed (the CW window's unload).
    void ClosePort();
    bool PortOpen() const { return comm_.PortOpen(); }

    // The keying option or the parallel address changed: a character being keyed ends now, its line
    // released, and the run goes on under the new choice.
    void KeyingChanged();
    // Speed, word space or timing changed: the character handed ahead is worked out again.
    void TimingChanged();

    // Counts CalibrationSteps of the counting loop on this thread and sets
    // KeyerSettings.CW.LoopsPer60ms from the time taken; returns it.
    double CalibrateCWLoop();

    // When the port of the settings cannot be opened (after the keyer is back in a steady state).
    std::function<void()> PortRefused;

    const EngineTimer& RepeatTimer() const { return repeat_; }

signals:
    // On the user-interface thread: a character of a run has been keyed (or passed: "!", one that
    // keys nothing), in the order of the text.
    void CharacterDone(QChar c);
    // A run ended (CWSending back to 0).
    void RunEnded();

private:
    struct Failure; // why a job's key failed, written on the keying thread
    struct Held {
        int tag;
        QChar c;
    };
    enum class Next { Job, Pass, Stop };

    void feed();
    Next prepare(QChar c, KeyingJob* job);
    std::function<void(bool)> keyFor(int type);
    void onJobDone(int tag, bool ok);
    void takeBackAhead();
    void abortKeying();
    void abandonRun();
    void failRun(const QString& why);
    void endRun();
    void echo(const QString& text);
    void logEnteredContact();
    bool openPort();
    void closePort();
    void letGo();
    double stepsPerMs();
    int repeatIntervalMs() const;
    void repeatTick();

    SerialLine comm_;
    KeyedLines keyed_;
    std::unique_ptr<KeyingThread> thread_;
    EngineTimer repeat_{QStringLiteral("CWKeyer.tmrRepeat")};
    UnkeyRegistration unkey_;
    std::shared_ptr<Failure> failure_;
    std::deque<Held> held_;       // with the keying thread, the one keyed first
    bool aheadInBuffer_ = false;  // held_[1] is still CWBuffer's first character
    bool running_ = false;
    bool closing_ = false;        // the port closes on our own account
    int nextTag_ = 0;
    double stepsPerMs_ = 0;       // the counting loop's speed on this PC, once measured
};

// The process's CW keyer, made on first use; with the keyers' operations (EngineKeyersCW.cpp), which
// show its port refusal. CWEngineIfMade does not make it. ResetCWEngine drops it (a new run).
CWKeyer& CWEngine();
CWKeyer* CWEngineIfMade();
void ResetCWEngine();

} // namespace tylog
