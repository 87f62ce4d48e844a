#include "keying/VoiceKeyer.h"
#include "core/LoggingWindowLink.h"
#include "keying/EngineKeyers.h"
#include "keying/KeyerBoxes.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "platform/Diagnostics.h"
#include "platform/Dialogs.h"
#include "platform/KeyLines.h"
#include "platform/VbError.h"

#include <cmath>

namespace tylog {

namespace {

constexpr int F1 = 112;

// The number in a box, each time it is used; a text that is no number is an error of the operation.
double boxNumber(const QString& text) {
    double v = 0;
    if (!BoxNumber(text, &v)) throw VbError(VbError::TypeMismatch, "Type mismatch: \"" + text + '"');
    return v;
}

// A number as a 16-bit integer (nearest, halves to even), as ports and I/O addresses are passed.
int integer16(double v) {
    const double r = std::nearbyint(v);
    if (r < -32768 || r > 32767) throw VbError(VbError::Overflow, "Overflow");
    return static_cast<int>(r);
}

} // namespace

VoiceKeyer::VoiceKeyer() {
    Timer1.Tick = [this] { Timer1_Timer(); };
    tmrRepeat.setSingleShot(true);
    tmrRepeat.Tick = [this] { tmrRepeat_Timer(); };
    CommPhone.Error = [this](const VbError& e) { portLost(e); };
    unkey_ = RegisterUnkey([this] { keyed_.ReleaseAll(); });
}

VoiceKeyer::~VoiceKeyer() { Unload(); }

void VoiceKeyer::FKeyPhone(int KeyCode) {
    if (KeyCode <= 111 || KeyCode >= 121) return;
    const VoiceSettings& s = KeyerSettings.Voice; // read where used: the window may change it meanwhile
    bool keying = false;
    try {
        MMControl1.DeviceType = "WaveAudio";
        MMControl1.Command("Close"); // cuts a message that plays; its push-to-talk stays keyed
        const int box = KeyCode - 111;
        if (KeyCode == F1 && boxNumber(s.RepeatSeconds) > 0) Keyer.PhoneRepeatArmed = true;
        MMControl1.FileName = s.WaveFiles[static_cast<size_t>(box - 1)];
        if (MMControl1.FileName.trimmed().isEmpty()) return;
        keying = true;
        keyPushToTalk();
        try {
            MMControl1.Command("Open");
            MMControl1.Command("Play");
        } catch (const VbError& e) {
            // A file that cannot be played never plays: the first end check releases push-to-talk.
            qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
        }
        scheduleEndCheck();
    } catch (const VbError& e) {
        // Nothing is told; what this message keyed does not stay keyed.
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
        if (keying) keyed_.ReleaseAll();
    }
}

void VoiceKeyer::keyPushToTalk() {
    const VoiceSettings& s = KeyerSettings.Voice;
    if (boxNumber(s.SerialPort) > 0) {
        if (!CommPhone.PortOpen()) OpenPhonePort();
        // A port that could not be opened keys nothing; the message still plays.
        if (CommPhone.PortOpen()) {
            const ModemLine line = s.KeyingLine == 1 ? ModemLine::DTR : ModemLine::RTS;
            keyed_.Keyed(CommPhone, line);
            if (line == ModemLine::DTR) CommPhone.setDTREnable(true);
            else CommPhone.setRTSEnable(true);
        }
    }
    if (s.KeyingLine == 2) {
        const int control = integer16(boxNumber(s.ParallelPort) + 2);
        keyed_.KeyedParallel(control, 2);
        Out32(control, 3);
    }
}

// Every 40 ms, or at the sound's end when that comes first: push-to-talk is released as the sound ends,
// not up to a check's interval later.
void VoiceKeyer::scheduleEndCheck() {
    const int left = static_cast<int>(MMControl1.RemainingMs());
    Timer1.Start(left > 0 && left < EndCheckMs ? left : EndCheckMs);
}

void VoiceKeyer::Timer1_Timer() {
    if (MMControl1.Mode() == MediaControl::ModePlaying) {
        if (MMControl1.RemainingMs() < static_cast<std::uint32_t>(EndCheckMs)) scheduleEndCheck();
        return;
    }
    Timer1.setEnabled(false);
    // What was keyed, whatever the settings say now.
    keyed_.ReleaseAll();
    if (Keyer.PhoneRepeatArmed) {
        int ms = 0;
        RepeatIntervalMs(KeyerSettings.Voice.RepeatSeconds, &ms);
        tmrRepeat.Start(ms); // 0 never fires
    }
}

void VoiceKeyer::tmrRepeat_Timer() { FKeyPhone(F1); }

bool VoiceKeyer::Playing() const { return MMControl1.Mode() == MediaControl::ModePlaying; }

void VoiceKeyer::Stop() {
    try {
        MMControl1.Command("Stop");
    } catch (const VbError& e) {
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
    }
}

void VoiceKeyer::DisableRepeat() { tmrRepeat.Stop(); }

void VoiceKeyer::OpenPhonePort() {
    try {
        const double port = boxNumber(KeyerSettings.Voice.SerialPort);
        if (port <= 0) return; // a port that is open stays open
        // The CW port and the external keyer let go first (KeyingPort.h).
        KeyingPortOwner().Take(KeyingPortUser::Voice, [this] { closePort(); });
        if (CommPhone.PortOpen()) closePort();
        CommPhone.setCommPort(integer16(port));
        CommPhone.setDTREnable(false);
        CommPhone.setRTSEnable(false);
        CommPhone.Open();
    } catch (const VbError& e) {
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
        if (!CommPhone.PortOpen()) KeyingPortOwner().Give(KeyingPortUser::Voice);
        Beep();
        MsgBox("The port you have selected for Phone keying is invalid.  Please select another or enter 0 for none.",
               vbOKOnly, "Invalid port.");
        Link<VoiceWindowLink>::get().ShowToCorrectPort();
    }
}

void VoiceKeyer::KeyingChanged() { keyed_.ReleaseAll(); }

void VoiceKeyer::closePort() {
    keyed_.ReleaseAll();
    CommPhone.Close();
}

void VoiceKeyer::portLost(const VbError& e) {
    // The port closed itself. Said once, here: the next F-key finds the port closed and tries to open it.
    keyed_.ReleaseAll();
    KeyingPortOwner().Give(KeyingPortUser::Voice);
    qCWarning(lcKeying).noquote() << "the push-to-talk port was lost:" << e.Description;
    loggingWindow().SetDialogCaption("Phone keying port " + CommPhone.PortName() + " lost: push-to-talk released.");
}

void VoiceKeyer::Unload() {
    Timer1.Stop();
    tmrRepeat.Stop();
    try {
        MMControl1.Command("Close");
    } catch (const VbError& e) {
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
    }
    closePort();
    KeyingPortOwner().Give(KeyingPortUser::Voice);
}

// ---- The process's voice keyer ---------------------------------------------------------------------

namespace {
// Never destroyed at exit: the run ends without destructors, and the unkey step releases the lines.
VoiceKeyer* voiceKeyer = nullptr;
} // namespace

VoiceKeyer& VoiceKeying() {
    if (!voiceKeyer) voiceKeyer = new VoiceKeyer;
    return *voiceKeyer;
}

VoiceKeyer* IfVoiceKeyer() { return voiceKeyer; }

void StartVoiceKeyer() { VoiceKeying(); }

void EndVoiceKeyer() { delete std::exchange(voiceKeyer, nullptr); }

// ---- The voice keyer's part of the installed keyer operations ----------------------------------------

void EngineKeyers::FKeyPhone(int KeyCode) { VoiceKeying().FKeyPhone(KeyCode); }
bool EngineKeyers::PhonePlaying() { return VoiceKeying().Playing(); }
void EngineKeyers::StopPhone() { VoiceKeying().Stop(); }
void EngineKeyers::DisablePhoneRepeat() { VoiceKeying().DisableRepeat(); }

} // namespace tylog
