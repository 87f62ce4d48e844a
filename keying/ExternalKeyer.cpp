#include "keying/ExternalKeyer.h"
#include "keying/CWKeyer.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "keying/KeyingPort.h"
#include "keying/WinKeySettings.h"
#include "platform/Diagnostics.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include <utility>

namespace tylog {

using namespace winkey;

namespace {
// Not destroyed at the program's exit: the unkey step has stopped the device by then, and its serial
// port must not outlive the application object.
ExternalKeyer*& instance() {
    static ExternalKeyer* keyer = nullptr;
    return keyer;
}

std::uint32_t now() { return platform().clock->TimeGetTime(); }

const QString kNoticeTitle = QStringLiteral("External keyer");
} // namespace

ExternalKeyer& ExternalKeyerEngine() {
    if (!instance()) instance() = new ExternalKeyer;
    return *instance();
}

ExternalKeyer* ExternalKeyerIfMade() { return instance(); }

void ResetExternalKeyer() { delete std::exchange(instance(), nullptr); }

ExternalKeyer::ExternalKeyer() {
    feed_.Tick = [this] { feedStep(); };
    device_.Lost = [this](const QString& why) { lost(why); };
    // Whatever ends the run, the device stops sending what it holds.
    unkey_ = RegisterUnkey([this] {
        feed_.Stop();
        device_.wk_close();
        Keyer.WinKeyVersion = 0;
    });
}

ExternalKeyer::~ExternalKeyer() {
    unkey_.Reset();
    feed_.Stop();
    device_.wk_close();
    Keyer.WinKeyVersion = 0;
    KeyingPortOwner().Give(KeyingPortUser::ExternalKeyer);
}

// ---- Open and close -----------------------------------------------------------------------------

void ExternalKeyer::OpenDevice() { openOperation(false); }

void ExternalKeyer::openOperation(bool forTransmit) {
    KeyingPortOwner().Take(KeyingPortUser::ExternalKeyer, [this] { letGo(); });
    if (device_.IsOpen()) {
        emit OpenFinished(AlreadyOpen);
        return;
    }
    if (forTransmit) openForTransmit_ = true;
    if (device_.Opening()) return; // its outcome answers this request too
    device_.wk_open(KeyerSettings.WinKey.ComPort, [this](int code, int version) { openDone(code, version); });
}

void ExternalKeyer::openDone(int code, int version) {
    const bool forTransmit = std::exchange(openForTransmit_, false);
    if (version > 0) Keyer.WinKeyVersion = version;
    else KeyingPortOwner().Give(KeyingPortUser::ExternalKeyer);
    ApplyWinKeySettings(); // whatever the outcome: a box without a number is repaired all the same
    emit OpenFinished(code);
    if (version > 0) {
        if (!forTransmit) return;
        if (device_.IsOpen()) WKTransmit();
        else emit TransmitEnded(); // the port failed as the settings went out: lost() told it
        return;
    }
    if (forTransmit) {
        Keyer.CWBuffer.clear();
        // A repeat would bring the box back every interval and hold the logging window.
        if (Keyer.CWRepeatArmed) {
            Keyer.CWRepeatArmed = false;
            if (CWKeyer* cw = CWEngineIfMade()) cw->DisableCWRepeat();
        }
        emit TransmitEnded();
    }
    MsgBox(WinKeyConnectionMessage(device_.Port()), vbOKOnly, WinKeyConnectionTitle());
}

void ExternalKeyer::CloseDevice() { closed(true); }

void ExternalKeyer::letGo() { closed(false); }

void ExternalKeyer::closed(bool givePort) {
    device_.wk_close();
    if (givePort) KeyingPortOwner().Give(KeyingPortUser::ExternalKeyer);
    Keyer.WinKeyVersion = 0;
    Keyer.WinKeyStatus = 0;
    const bool wasSending = feed_.Enabled() || openForTransmit_;
    feed_.Stop();
    openForTransmit_ = false;
    emit DeviceClosed();
    if (wasSending) emit TransmitEnded();
}

void ExternalKeyer::lost(const QString& why) {
    KeyingPortOwner().Give(KeyingPortUser::ExternalKeyer);
    Keyer.WinKeyVersion = 0;
    Keyer.WinKeyStatus = 0;
    Keyer.CWBuffer.clear();
    const bool wasSending = feed_.Enabled();
    feed_.Stop();
    emit DeviceClosed();
    if (wasSending) emit TransmitEnded();
    platform().dialogs->Notice(
        QStringLiteral("The external keyer on com port %1 went away (%2). The text still to send was dropped; the "
                       "next text sent opens the keyer again.")
            .arg(device_.Port())
            .arg(why),
        kNoticeTitle);
}

// ---- Sending ------------------------------------------------------------------------------------

void ExternalKeyer::WKTransmit() {
    if (!device_.IsOpen()) {
        openOperation(true);
        return;
    }
    if (feed_.Enabled()) return; // the hand-over under way takes what was added
    if (Keyer.CWBuffer.isEmpty()) {
        emit TransmitEnded();
        return;
    }
    lastProgress_ = now();
    feed_.Start(kFeedStepMs);
}

void ExternalKeyer::feedStep() {
    if (!device_.IsOpen() || Keyer.CWBuffer.isEmpty()) {
        endFeed();
        return;
    }
    Keyer.WinKeyStatus = device_.wk_getstatus();
    if (!device_.IsOpen()) return; // the port failed: lost() ended it
    if (Keyer.WinKeyStatus >= 5) {
        if (now() - lastProgress_ < kNoProgressMs) return;
        Keyer.CWBuffer.clear();
        endFeed();
        platform().dialogs->Notice(QStringLiteral("The external keyer took no character for 10 seconds, so the text "
                                                  "still to send was dropped."),
                                   kNoticeTitle);
        return;
    }
    const QChar c = Keyer.CWBuffer.front();
    device_.wk_char(c.unicode());
    if (!device_.IsOpen()) return;
    Keyer.CWBuffer.remove(0, 1);
    lastProgress_ = now();
    emit CharacterHandedOver(c);
}

void ExternalKeyer::endFeed() {
    if (!feed_.Enabled()) return;
    feed_.Stop();
    emit TransmitEnded();
}

// ---- Settings -----------------------------------------------------------------------------------

void ExternalKeyer::ApplyWinKeySettings() {
    LeftSpeedBox();
    LeftWeightBox();
    LeftLeadInBox();
    LeftRatioBox();
    device_.wk_pincfg(KeyerSettings.WinKey.PinConfig);
    device_.wk_setmode(KeyerSettings.WinKey.Mode);
}

namespace {
// Repairs the box's text when the rule says so; true when it did.
bool repair(QString& text, const std::optional<QString>& repaired) {
    if (!repaired || *repaired == text) return false;
    text = *repaired;
    return true;
}
} // namespace

void ExternalKeyer::LeftSpeedBox() {
    const WinKeyBoxOutcome o = WinKeySpeedBox(KeyerSettings.WinKey.Speed);
    if (o.send) device_.wk_wpm(*o.send);
    if (repair(KeyerSettings.WinKey.Speed, o.repair)) emit SettingsRepaired();
}

void ExternalKeyer::LeftWeightBox() {
    const WinKeyBoxOutcome o = WinKeyWeightBox(KeyerSettings.WinKey.Weight);
    if (o.send) device_.wk_weight(*o.send);
    if (repair(KeyerSettings.WinKey.Weight, o.repair)) emit SettingsRepaired();
}

void ExternalKeyer::LeftRatioBox() {
    const WinKeyBoxOutcome o = WinKeyRatioBox(KeyerSettings.WinKey.Ratio);
    if (o.send) device_.wk_ditdah_ratio(*o.send);
    if (repair(KeyerSettings.WinKey.Ratio, o.repair)) emit SettingsRepaired();
}

void ExternalKeyer::LeftLeadInBox() { leftLeadTail(true); }

void ExternalKeyer::LeftTailBox() { leftLeadTail(false); }

void ExternalKeyer::leftLeadTail(bool leadInLeft) {
    WinKeySettings& s = KeyerSettings.WinKey;
    const WinKeyLeadTailOutcome o = WinKeyLeadTailBoxes(s.LeadIn, s.Tail);
    if (o.send) device_.wk_ptt_leadtail(o.send->first, o.send->second);
    if (o.repairLeft && repair(leadInLeft ? s.LeadIn : s.Tail, QStringLiteral("0"))) emit SettingsRepaired();
}

} // namespace tylog
