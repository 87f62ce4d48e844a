#pragma once
// The voice keyer: F1 to F9 play their WAV messages while push-to-talk is keyed (the RTS or DTR line of
// its serial port, the parallel port, or both), and the F1 message can repeat after a pause. It reads
// KeyerSettings.Voice afresh at every use and nothing else; the voice window (PhoneFrm) is a view of
// those settings. Everything runs on the user-interface thread: "play" returns at once, and the end of
// the sound is found by a check on an engine timer, every 40 ms and at the sound's end.
#include "keying/KeyingPort.h"
#include "keying/MediaControl.h"
#include "platform/EngineTimer.h"
#include "platform/SerialLine.h"
#include "platform/Session.h"

#include "core/Link.h"

namespace tylog {

// What the voice keyer asks of its window: to be shown modally, when it is hidden, so that the operator
// can correct a push-to-talk port that cannot be opened. Start-up installs InstalledVoiceWindow()
// (PhoneFrm.h), which loads the window when asked.
class VoiceWindowLink {
public:
    virtual ~VoiceWindowLink() = default;
    virtual void ShowToCorrectPort() {}
};

class VoiceKeyer {
public:
    static constexpr int EndCheckMs = 40;

    VoiceKeyer();
    ~VoiceKeyer();
    VoiceKeyer(const VoiceKeyer&) = delete;
    VoiceKeyer& operator=(const VoiceKeyer&) = delete;

    // Plays the message of F1 (112) to F9 (120) with push-to-talk, cutting a message that plays (whose
    // push-to-talk stays keyed); other codes do nothing. No error reaches the caller, and a failure
    // after keying leaves nothing keyed.
    void FKeyPhone(int KeyCode);
    bool Playing() const;  // the player's mode is "playing"
    void Stop();           // stops the message; the next end check releases push-to-talk
    void DisableRepeat();  // a repeat pause that runs ends without playing
    // (Re)opens the push-to-talk port of the settings, with both lines low, taking the keying port from
    // the CW keyer or the external keyer; a port that cannot be opened is told ("Invalid port.").
    void OpenPhonePort();
    // The push-to-talk line, port or parallel address was changed: what is keyed is released now.
    void KeyingChanged();
    // The voice window unloads: push-to-talk released, the port and the player closed, the timers
    // stopped. The next F-key starts again.
    void Unload();

    bool PortOpen() const { return CommPhone.PortOpen(); }
    bool Keyed() const { return keyed_.Any(); }
    bool RepeatPending() const { return tmrRepeat.Enabled(); }

private:
    void keyPushToTalk();
    void scheduleEndCheck();
    void Timer1_Timer();
    void tmrRepeat_Timer();
    void closePort();
    void portLost(const VbError& e);

    MediaControl MMControl1;
    SerialLine CommPhone;
    EngineTimer Timer1{"VoiceKeyer.Timer1"};       // the end of the message: every 40 ms, and at its end
    EngineTimer tmrRepeat{"VoiceKeyer.tmrRepeat"}; // the pause before F1 plays again
    KeyedLines keyed_;                             // exactly what push-to-talk keyed
    UnkeyRegistration unkey_;
};

// The process's voice keyer, made on first use with its player.
VoiceKeyer& VoiceKeying();
// The voice keyer if it has been made, else null: what only reads or changes settings makes none (its
// player starts the sound system, which the first window should not wait for).
VoiceKeyer* IfVoiceKeyer();
// The logging window's load: makes the voice keyer now, so that its player is ready before the first
// F-key.
void StartVoiceKeyer();
// Drops the voice keyer (releasing what it keyed); the next use makes a new one. Never from inside one
// of its own calls.
void EndVoiceKeyer();

} // namespace tylog
