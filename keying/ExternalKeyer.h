#pragma once
// The external keyer: CW sent through the keyer device (keying type 5). It owns the device's driver
// (WinKeyDevice), takes the keying serial port through its owner (so the CW and push-to-talk ports
// close first, and either of them taking the port closes the device), reads only its settings value
// (KeyerSettings.WinKey) and the sending state of Keyer, and tells what happened through its signals;
// the settings window shows it.
//
// Sending (WKTransmit) hands Keyer.CWBuffer to the device one character at a time, each as a step on an
// engine timer 10 ms after the last, while the device's status is below 5; the device keys them itself.
// The hand-over ends when the buffer is empty or the device closes, and gives the text up when the
// device takes nothing for 10 s. Stop, Esc, Close, the port taken, the engine's end and the end of the
// run all empty the device's buffer and end its host mode.
#include "keying/WinKeyDevice.h"
#include "platform/EngineTimer.h"
#include "platform/Session.h"

#include <QChar>
#include <QObject>

namespace tylog {

class ExternalKeyer : public QObject {
    Q_OBJECT
public:
    static constexpr int kFeedStepMs = 10;
    static constexpr int kNoProgressMs = 10000;

    ExternalKeyer();
    ~ExternalKeyer() override; // closes the device and gives the port back

    // The "Open" button: the keying port is taken (the CW and push-to-talk ports close), and the device
    // opened on KeyerSettings.WinKey.ComPort. Unless it was open already (-8: nothing else changes),
    // the settings are then sent whatever came of the open, Keyer.WinKeyVersion takes the version,
    // and a device that did not answer is told in the connection box. OpenFinished tells the outcome.
    void OpenDevice();
    // The "Close" button: the device empties its buffer and leaves host mode, the port closes and is
    // given back, Keyer.WinKeyVersion is 0. Keyer.CWBuffer stays as it is.
    void CloseDevice();
    // Sends Keyer.CWBuffer through the device, opening it first when it is closed; one that does not
    // open drops the text (and ends an armed F1 repeat, which would only bring the box back). Text added
    // meanwhile goes out in the same hand-over.
    void WKTransmit();
    // Sends every setting as the settings window's boxes would on leaving them (a box without a number
    // is repaired in the settings value: SettingsRepaired), then the pin configuration and the mode.
    void ApplyWinKeySettings();
    // The boxes' leave rules over KeyerSettings.WinKey, sending to an open device.
    void LeftSpeedBox();
    void LeftWeightBox();
    void LeftLeadInBox();
    void LeftTailBox();
    void LeftRatioBox();

    WinKeyDevice& Device() { return device_; }

signals:
    // The open operation's outcome (a winkey::Result); Keyer.WinKeyVersion tells the version.
    void OpenFinished(int code);
    // The device closed: by Close, another keyer taking the port, or its port failing.
    void DeviceClosed();
    // A character of CWBuffer went to the device (or was passed over: none the device keys).
    void CharacterHandedOver(QChar c);
    // A hand-over ended: the buffer is empty, emptied, given up, or the device closed or did not open.
    void TransmitEnded();
    // ApplyWinKeySettings or a leave rule repaired a box's text in the settings value.
    void SettingsRepaired();

private:
    void openOperation(bool forTransmit);
    void openDone(int code, int version);
    void feedStep();
    void endFeed();
    void closed(bool givePort);
    void lost(const QString& why);
    void letGo();
    void leftLeadTail(bool leadInLeft);

    WinKeyDevice device_;
    EngineTimer feed_{QStringLiteral("ExternalKeyer.feed")};
    UnkeyRegistration unkey_;
    bool openForTransmit_ = false; // a WKTransmit waits for the open under way
    std::uint32_t lastProgress_ = 0;
};

// The process's external keyer, made on first use (with the keyers' operations of EngineKeyers, which
// the keyboard map reaches). ExternalKeyerIfMade does not make it; ResetExternalKeyer drops it.
ExternalKeyer& ExternalKeyerEngine();
ExternalKeyer* ExternalKeyerIfMade();
void ResetExternalKeyer();

} // namespace tylog
