#pragma once
// Our driver of the external keyer device: its serial port and host mode, with the wk_* operations the
// keyer's callers rely on. It never waits on the line: the open's answers are steps on an engine timer
// with a bound (no echo in time -1, no answer to the open in time -3), and status bytes the device
// pushes are taken as they arrive (the port's ReadyRead) and whenever the status is asked for.
#include "keying/WinKeyProtocol.h"
#include "platform/EngineTimer.h"
#include "platform/SerialLine.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace tylog {

class WinKeyDevice {
public:
    // How long each answer of the open may take.
    static constexpr int kAnswerTimeoutMs = 1000;
    // The longest a close waits for its last bytes to leave (three bytes take 28 ms at 1200 baud).
    static constexpr int kCloseDrainMs = 100;

    WinKeyDevice();
    ~WinKeyDevice(); // closes the device
    WinKeyDevice(const WinKeyDevice&) = delete;
    WinKeyDevice& operator=(const WinKeyDevice&) = delete;

    // Opens the device on serial port `port`: the echo test, then host mode, whose answer is the
    // device's version byte. `done(code, version)` runs later, from an engine timer step or the port's
    // event, never inside this call: 0 and the version, or a negative code of winkey::Result and
    // version 0 (the port is closed again). An open device answers -8 with its version.
    void wk_open(int port, std::function<void(int code, int version)> done);
    // Empties the device's buffer, ends host mode and closes the port; an open in progress is dropped
    // (its done never runs).
    void wk_close();

    // The operations of the open device; on a closed one they send nothing and give -9.
    int wk_wpm(int wpm);
    int wk_weight(int weight);
    int wk_ptt_leadtail(int lead, int tail);
    int wk_ditdah_ratio(int ratio);
    int wk_pincfg(int config);
    int wk_setmode(int mode);
    // A character to send: a code the device has no Morse for (below 0x20, which it would take as a
    // command, or above 0x7E) is not put on the line.
    int wk_char(int code);
    // The device's status after what it has sent so far (winkey::ReplyReader): below 5 it takes
    // another character, 0 it holds nothing unsent. A character just handed over counts as busy until
    // the device says otherwise. A status of 5 or more that the device has not repeated for
    // kStatusAskMs is asked for (the answer comes later), so a status byte lost on the line holds
    // nothing up. -9 when closed.
    int wk_getstatus();
    static constexpr int kStatusAskMs = 500;
    int wk_clearbuf();
    int wk_backspace();

    bool IsOpen() const { return phase_ == Phase::Open; }
    bool Opening() const { return phase_ == Phase::Opening || phase_ == Phase::Echo || phase_ == Phase::HostOpen; }
    int Port() const { return portNumber_; }

    // The open device's port failed (the other end went away): the device is closed by then.
    std::function<void(const QString& why)> Lost;

private:
    enum class Phase { Closed, Opening, Echo, HostOpen, Open };

    void step();
    void pump();
    void ask(const QByteArray& request, Phase next);
    void finishOpen(int code, int version = 0);
    void closePort(const QByteArray& lastWords);
    void lost(const QString& why);
    int send(const QByteArray& bytes);
    std::uint32_t now() const;

    SerialLine port_;
    winkey::ReplyReader reader_;
    EngineTimer step_{QStringLiteral("WinKeyDevice.step")};
    Phase phase_ = Phase::Closed;
    std::function<void(int, int)> done_;
    int pendingCode_ = 0;    // the result of an open that failed before its first step
    std::uint32_t asked_ = 0; // when the awaited answer was asked for
    int version_ = 0;
    int portNumber_ = 0;
    bool charBusy_ = false;  // a character went out since the device last told its status
    std::uint32_t statusHeard_ = 0; // when the device last told its status, or was asked for it
};

} // namespace tylog
