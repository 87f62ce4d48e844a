#include "rig/RadioEngine.h"
#include "core/LoggingWindowLink.h"
#include "core/ProcessState.h"
#include "platform/Diagnostics.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "rig/RigHex.h"
#include "rig/RigSettings.h"

#include <QFile>

namespace tylog {

namespace {
const char* const kPegasus = "Ten Tec Pegasus";

// The older Yaesu types, which take five-byte commands and get opening and closing bytes.
bool yaesuBinary(const QString& type) { return type.startsWith("Yaesu") && type != "Yaesu FTdx9000"; }
bool icomFamily(const QString& type) { return type == "Icom" || type == "Icom 735" || type == "Ten Tec Omni VI"; }
bool kenwoodText(const QString& type, bool convertToHex) {
    return type == "Kenwood" || type == "Kenwood 2" || type == "Elecraft" || (type == "Other" && !convertToHex);
}

// The status file is a line of two values; a larger file is not read whole on every tick.
constexpr qint64 kPegasusReadLimit = 4096;

// A port handed over to close once its output has gone out, within a bound, on an engine timer. At
// the end of the run nothing is done here: the process's end closes the port, and the kernel drops its
// lines (HUPCL) once the bytes have gone out, where closing now would throw them away.
class PortDrain : public QObject {
public:
    explicit PortDrain(std::unique_ptr<SerialLine> port) : port_(std::move(port)) {
        port_->Error = nullptr; // its engine may be gone before the port closes
        step_.Tick = [this] {
            elapsed_ += kStepMs;
            bool sent = true;
            try {
                sent = port_->OutBufferCount() == 0;
            } catch (const VbError& e) {
                qCDebug(lcRig) << "closing the radio port:" << e.Description;
            }
            if (sent || elapsed_ >= kBoundMs) finish();
        };
        step_.Start(kStepMs);
    }

private:
    void finish() {
        step_.Stop();
        port_->Close();
        deleteLater();
    }
    static constexpr int kStepMs = 10;
    static constexpr int kBoundMs = 500; // 5 bytes take 42 ms at 1200 baud
    std::unique_ptr<SerialLine> port_;
    EngineTimer step_{QStringLiteral("RigControlfrm.closePort")};
    int elapsed_ = 0;
};

void CloseWhenSent(std::unique_ptr<SerialLine> port) { new PortDrain(std::move(port)); }
} // namespace

QString PegasusFolder() {
    const QString set = qEnvironmentVariable("TYLOG_PEGASUS");
    if (!set.isEmpty()) return set;
    return JoinPath(Folders.DataFolder, "Pegasus");
}

RadioEngine::RadioEngine() {
    makePort();
    tmrGetData.setInterval(1000);
    tmrGetData.Tick = [this] { Tick(); };
    unkey_ = RegisterUnkey([this] { releasePower(); });
}

RadioEngine::~RadioEngine() {
    tmrGetData.Stop();
    comComm1->Close();
}

void RadioEngine::makePort() {
    comComm1 = std::make_unique<SerialLine>();
    // RTS or DTR only power the interface: a port without modem lines still serves.
    comComm1->setLineUse(SerialLine::LineUse::Power);
    comComm1->Error = [this](const VbError& e) {
        if (tmrGetData.Enabled()) portLost(e.Description);
    };
}

void RadioEngine::releasePower() {
    if (!comComm1->PortOpen()) return;
    try {
        comComm1->setRTSEnable(false);
        comComm1->setDTREnable(false);
    } catch (const VbError& e) {
        qCDebug(lcRig) << Q_FUNC_INFO << e.Description; // the port is going away with the run
    }
}

void RadioEngine::Test() {
    try {
        const QString type = Station.RigType;
        const bool link = RigTypeWantsLink(type);
        if (link) {
            if (view_) view_->PollingStarts();
            Decoded.RigModeText.clear();
            lost_ = false;
        }
        RigSettingsData& s = RigSettings;
        QString baud = s.RigBaud;
        while (baud.endsWith(' ')) baud.chop(1);
        s.RigCommSettings = baud + "," + s.RigParity + "," + s.RigDataBits + "," + s.RigStopBits;
        if (!link) return;

        if (type != kPegasus) openRigPort();
        if (comComm1->PortOpen() || type == kPegasus) {
            Tick();
            if (!lost_) startPollTimer();
        } else {
            tmrGetData.setEnabled(false);
            if (view_) view_->PollingFailed();
        }
    } catch (const VbError& e) {
        qCDebug(lcRig) << Q_FUNC_INFO << e.Description;
    }
}

void RadioEngine::openRigPort() {
    const QString type = Station.RigType;
    const RigSettingsData& s = RigSettings;
    try {
        if (comComm1->PortOpen()) comComm1->Close();
        comComm1->setCommPort(s.RigPort);
        // The front panel and the Orion flow-control on RTS; every other type without, whatever was
        // opened before.
        comComm1->setHandshaking(type == "Ten Tec Fnt Pnl" || type == "Ten Tec Orion" ? SerialLine::RTSHandshaking
                                                                                    : SerialLine::NoHandshaking);
        comComm1->setSettings(s.RigCommSettings);
        comComm1->setDTREnable(false);
        comComm1->setRTSEnable(false);
        comComm1->Open();
        if (s.RigPowerLine == "R") comComm1->setRTSEnable(true);
        else if (s.RigPowerLine == "D") comComm1->setDTREnable(true);
        if (yaesuBinary(type)) comComm1->Output(QByteArray(5, '\0'));
        if (type == "Ten Tec Orion") comComm1->Output("X\r");
    } catch (const VbError& e) {
        qCWarning(lcRig).noquote() << "The radio's port did not open:" << e.Description;
        if (view_) view_->PortOpenFailed(e.Description);
    }
}

void RadioEngine::startPollTimer() {
    const QString rate = RigSettings.RigPollRate;
    if (rate == "F") tmrGetData.setInterval(50);
    else if (rate == "M") tmrGetData.setInterval(250);
    else if (rate == "S") tmrGetData.setInterval(1000);
    else if (rate == "R") tmrGetData.setInterval(5000);
    tmrGetData.setEnabled(true);
}

void RadioEngine::EndTest() {
    if (view_) view_->PollingEnded();
    tmrGetData.setEnabled(false);
    if (comComm1->PortOpen()) comComm1->Close();
}

void RadioEngine::Unload() {
    const bool closing = yaesuBinary(Station.RigType) && tmrGetData.Enabled();
    tmrGetData.setEnabled(false);
    if (closing) {
        try {
            comComm1->Output(QByteArray(4, '\0') + '\x80');
            // Closing at once would throw the bytes away: the port closes once they have gone out.
            CloseWhenSent(std::move(comComm1));
            makePort();
            return;
        } catch (const VbError& e) {
            qCDebug(lcRig) << Q_FUNC_INFO << e.Description; // a port gone already has nobody to tell
        }
    }
    comComm1->Close();
}

void RadioEngine::Tick() {
    const QString type = Station.RigType;
    try {
        if (RigPollPhase == 0) {
            sendTick();
            RigPollPhase = 1;
        } else {
            readTick();
            RigPollPhase = 0;
        }
        RigReplyBuffer.clear();
    } catch (const VbError& e) {
        // The tick ends where it failed and the next one repeats its phase; a port that closed under
        // it has gone away.
        if (type != kPegasus && !comComm1->PortOpen()) portLost(e.Description);
        else qCDebug(lcRig) << Q_FUNC_INFO << e.Description;
    }
}

void RadioEngine::sendTick() {
    const QString type = Station.RigType;
    if (type == kPegasus) return;
    if (comComm1->OutBufferCount() != 0) return; // the radio has not taken the last query yet
    const RigSettingsData& s = RigSettings;
    const QString& f = s.RigFrequencyQuery;
    const QString& m = s.RigModeQuery;
    QByteArray out;
    if (kenwoodText(type, s.ConvertToHex)) {
        out = ToAnsi(f) + ToAnsi(m);
    } else if (icomFamily(type)) {
        const QString& q = RigQueryToggle == 0 ? f : m;
        if (q.size() >= 17) out = HexBytesAt(q, 6);
        RigQueryToggle ^= 1;
    } else if (yaesuBinary(type)) {
        if (f.size() >= 14) out = HexBytesAt(f, 5);
    } else if (type == "Yaesu FTdx9000") {
        const QString& q = RigQueryToggle == 0 ? f : m;
        if (q.size() >= 2) out = ToAnsi(q);
        RigQueryToggle ^= 1;
    } else if (type == "Ten Tec Fnt Pnl") {
        const QString& q = RigQueryToggle == 0 ? f : m;
        if (q.size() >= 7) out = HexBytesAt(q, 3);
        RigQueryToggle ^= 1;
    } else if (type == "Ten Tec Orion") {
        if (!f.isEmpty()) out += ToAnsi(f) + '\r';
        if (!m.isEmpty()) out += ToAnsi(m) + '\r';
    } else if (type == "Other") {
        if (!f.isEmpty()) out += HexSpacedToBytes(f);
        if (!m.isEmpty()) out += HexSpacedToBytes(m);
    }
    if (!out.isEmpty()) comComm1->Output(out);
}

void RadioEngine::readTick() {
    const QString type = Station.RigType;
    if (type != kPegasus) {
        RigReplyBuffer = comComm1->Input();
        if (RigReplyBuffer.isEmpty()) return; // no answer: nothing shown, nothing handed on
    }
    decode(type);
    const RigSettingsData& s = RigSettings;
    if (s.RigModeSource == 2) ModeFromFrequency(Decoded);
    if (view_) view_->ReplyRead(Decoded, RigReplyBuffer);
    // The stored values go up, not only what this reply held.
    if (s.UseFrequency) loggingWindow().BandFreqConversion(Decoded.RigFrequencyMHz);
    if (s.RigModeSource != 3) loggingWindow().ModeSelection(Decoded.RigModeText);
}

void RadioEngine::decode(const QString& type) {
    const QByteArray& r = RigReplyBuffer;
    const RigSettingsData& s = RigSettings;
    RigDecoded& d = Decoded;
    if (type == "Kenwood" || type == "Elecraft") {
        DecodeKenwoodFrequency(r, s.RigFrequencyQuery, d);
        DecodeKenwoodMode(r, d);
    } else if (type == "Kenwood 2") {
        DecodeKenwoodIF(r, d);
    } else if (icomFamily(type)) {
        // The toggle has moved on since the query: 1 means the frequency query went out.
        if (RigQueryToggle == 1) DecodeIcomFrequency(r, type == "Icom 735", d);
        else DecodeIcomMode(r, d);
    } else if (type == "Yaesu") {
        DecodeYaesuStatus(r, d);
    } else if (type == "Yaesu 757 GX II") {
        DecodeYaesu757(r, d);
    } else if (type == "Yaesu 890") {
        DecodeYaesu890(r, d);
    } else if (type == "Yaesu 920") {
        DecodeYaesu920(r, d);
    } else if (type == "Yaesu 990" || type == "Yaesu 1000 D") {
        DecodeYaesu990(r, d);
    } else if (type == "Yaesu 1000") {
        DecodeYaesu1000(r, d);
    } else if (type == "Yaesu FTdx9000") {
        DecodeFtdx9000(r, s.RigFrequencyQuery, s.RigModeQuery, d);
    } else if (type == "Ten Tec Fnt Pnl") {
        if (RigQueryToggle == 1) DecodeTenTecFrequency(r, d);
        else DecodeTenTecMode(r, d);
    } else if (type == kPegasus) {
        QFile file(FindNoCase(PegasusFolder(), "PEGASUS.OUT"));
        if (file.open(QIODevice::ReadOnly)) DecodePegasusStatus(file.read(kPegasusReadLimit), d);
    } else if (type == "Ten Tec Orion") {
        DecodeOrionFrequency(r, d);
        DecodeOrionMode(r, d);
    }
}

void RadioEngine::portLost(const QString& why) {
    tmrGetData.setEnabled(false);
    if (comComm1->PortOpen()) comComm1->Close();
    if (lost_) return; // said once
    lost_ = true;
    qCWarning(lcRig).noquote() << "The radio's port went away:" << why << "- polling stopped";
    if (view_) view_->PortLost(why);
}

} // namespace tylog
