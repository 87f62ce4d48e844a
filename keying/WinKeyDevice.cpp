#include "keying/WinKeyDevice.h"
#include "platform/Diagnostics.h"
#include "platform/Platform.h"
#include "platform/VbError.h"

#include <utility>

namespace tylog {

using namespace winkey;

namespace {
constexpr int kStepMs = 10;
} // namespace

WinKeyDevice::WinKeyDevice() {
    step_.Tick = [this] { step(); };
    port_.ReadyRead = [this] { pump(); };
    port_.Error = [this](const VbError& e) { lost(e.Description); };
}

WinKeyDevice::~WinKeyDevice() { wk_close(); }

std::uint32_t WinKeyDevice::now() const { return platform().clock->TimeGetTime(); }

void WinKeyDevice::wk_open(int port, std::function<void(int code, int version)> done) {
    if (phase_ != Phase::Closed) return; // open, or an open under way: its own done answers
    portNumber_ = port;
    done_ = std::move(done);
    reader_.Reset();
    charBusy_ = false;
    version_ = 0;
    try {
        port_.setCommPort(port);
        port_.setSettings(QString::fromLatin1(kLineSettings));
        port_.setHandshaking(SerialLine::NoHandshaking);
        port_.Open();
        port_.Input(); // what a device said before we asked is no answer
    } catch (const VbError& e) {
        qCDebug(lcKeying) << "external keyer: the port does not open:" << e.Description;
        port_.Close();
        switch (e.Number) {
        case SerialLine::InvalidPort:
        case SerialLine::PortInUse: pendingCode_ = ComOpenFailed; break;
        case SerialLine::InvalidSetting: pendingCode_ = SetComStateFailed; break;
        default: pendingCode_ = GetComStateFailed; break;
        }
        // Told from the first step, like every other outcome.
        phase_ = Phase::Opening;
        step_.Start(kStepMs);
        return;
    }
    step_.Start(kStepMs);
    ask(EchoTest(kEchoTestByte), Phase::Echo);
}

void WinKeyDevice::ask(const QByteArray& request, Phase next) {
    reader_.DropAnswers();
    phase_ = next;
    asked_ = now();
    try {
        port_.Output(request);
    } catch (const VbError& e) {
        // Told from the next step: this may be inside wk_open.
        qCDebug(lcKeying) << "external keyer: the port failed:" << e.Description;
        port_.Close();
        pendingCode_ = LineLost;
        phase_ = Phase::Opening;
    }
}

void WinKeyDevice::step() {
    if (phase_ == Phase::Opening) {
        finishOpen(pendingCode_);
        return;
    }
    pump();
    if ((phase_ == Phase::Echo || phase_ == Phase::HostOpen) && now() - asked_ >= kAnswerTimeoutMs)
        finishOpen(phase_ == Phase::Echo ? NoEchoResponse : NoOpenResponse);
}

void WinKeyDevice::pump() {
    if (!port_.PortOpen()) return;
    QByteArray in;
    try {
        in = port_.Input();
    } catch (const VbError& e) {
        lost(e.Description);
        return;
    }
    const int statusBytes = reader_.StatusBytes();
    reader_.Take(in);
    if (reader_.StatusBytes() != statusBytes) {
        charBusy_ = false;
        statusHeard_ = now();
    }

    if (phase_ == Phase::Echo) {
        if (const auto answer = reader_.TakeAnswer()) {
            if (*answer == kEchoTestByte) ask(HostOpen(), Phase::HostOpen);
            else finishOpen(EchoMismatch);
        }
    } else if (phase_ == Phase::HostOpen) {
        if (const auto answer = reader_.TakeAnswer()) {
            if (*answer == 0) {
                finishOpen(NoOpenResponse); // no version: nothing that answers as the device does
                return;
            }
            version_ = *answer;
            phase_ = Phase::Open;
            statusHeard_ = now();
            step_.Stop();
            qCDebug(lcKeying) << "external keyer: open, version" << version_;
            if (auto done = std::exchange(done_, {})) done(Success, version_);
        }
    } else {
        reader_.DropAnswers(); // an echo of what was sent, or noise
    }
}

void WinKeyDevice::finishOpen(int code, int version) {
    closePort(phase_ == Phase::HostOpen ? HostClose() : QByteArray());
    phase_ = Phase::Closed;
    step_.Stop();
    version_ = version;
    qCDebug(lcKeying) << "external keyer: the open failed with" << code;
    if (auto done = std::exchange(done_, {})) done(code, version);
}

void WinKeyDevice::closePort(const QByteArray& lastWords) {
    if (!port_.PortOpen()) return;
    try {
        if (!lastWords.isEmpty()) port_.Output(lastWords);
    } catch (const VbError& e) {
        qCDebug(lcKeying) << "external keyer: the last words did not go out:" << e.Description;
    }
    port_.CloseWhenSent(kCloseDrainMs);
}

void WinKeyDevice::wk_close() {
    const bool hostMode = phase_ == Phase::HostOpen || phase_ == Phase::Open;
    // The device keys on its own: what it holds is dropped and it leaves host mode before the port goes.
    closePort(hostMode ? ClearBuffer() + HostClose() : QByteArray());
    phase_ = Phase::Closed;
    step_.Stop();
    done_ = nullptr;
    version_ = 0;
    charBusy_ = false;
    reader_.Reset();
}

void WinKeyDevice::lost(const QString& why) {
    const Phase was = phase_;
    port_.Close();
    phase_ = Phase::Closed;
    step_.Stop();
    version_ = 0;
    charBusy_ = false;
    reader_.Reset();
    qCDebug(lcKeying) << "external keyer: the port failed:" << why;
    if (was == Phase::Echo || was == Phase::HostOpen) {
        if (auto done = std::exchange(done_, {})) done(LineLost, 0);
    } else if (was == Phase::Open && Lost) {
        Lost(why);
    }
}

int WinKeyDevice::send(const QByteArray& bytes) {
    if (phase_ != Phase::Open) return NotOpen;
    try {
        port_.Output(bytes);
    } catch (const VbError& e) {
        lost(e.Description);
        return LineLost;
    }
    return Success;
}

namespace {
// The settings are bytes; a value that is none goes out as its low byte, as a byte argument would.
std::uint8_t low(int v) { return static_cast<std::uint8_t>(v & 0xFF); }
} // namespace

int WinKeyDevice::wk_wpm(int wpm) { return send(SetWpm(low(wpm))); }
int WinKeyDevice::wk_weight(int weight) { return send(SetWeight(low(weight))); }
int WinKeyDevice::wk_ptt_leadtail(int lead, int tail) { return send(SetPttLeadTail(low(lead), low(tail))); }
int WinKeyDevice::wk_ditdah_ratio(int ratio) { return send(SetDitDahRatio(low(ratio))); }
int WinKeyDevice::wk_pincfg(int config) { return send(SetPinConfig(low(config))); }
int WinKeyDevice::wk_setmode(int mode) { return send(SetMode(low(mode))); }

int WinKeyDevice::wk_char(int code) {
    if (phase_ != Phase::Open) return NotOpen;
    const std::optional<std::uint8_t> b = CharacterByte(code);
    if (!b) return Success;
    const int result = send(QByteArray(1, static_cast<char>(*b)));
    if (result == Success) charBusy_ = true;
    return result;
}

int WinKeyDevice::wk_getstatus() {
    if (phase_ != Phase::Open) return NotOpen;
    pump();
    if (phase_ != Phase::Open) return NotOpen;
    const int status = reader_.Status() | (charBusy_ ? kStatusBusy : 0);
    if (status >= 5 && now() - statusHeard_ >= kStatusAskMs) {
        statusHeard_ = now();
        send(RequestStatus());
    }
    return status;
}

int WinKeyDevice::wk_clearbuf() {
    const int result = send(ClearBuffer());
    if (result == Success) charBusy_ = false;
    return result;
}

int WinKeyDevice::wk_backspace() { return send(Backspace()); }

} // namespace tylog
