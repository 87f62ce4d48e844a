#include "spotting/ClusterEngine.h"
#include "core/LoggingWindowLink.h"
#include "core/ProcessState.h"
#include "platform/Diagnostics.h"
#include "platform/Dialogs.h"
#include "platform/EngineTimer.h"
#include "platform/SerialLine.h"
#include "platform/TcpLink.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"
#include "spotting/PacketEngineClient.h"
#include "spotting/PacketFrame.h"
#include "spotting/SpotFraming.h"
#include "spotting/SpotRules.h"
#include "spotting/SpotSettings.h"

#include <cmath>

namespace tylog {

namespace {

const char* const PortClosed = "** Port Closed **";

// A handler of the engine: the window hears of what changed once the outermost one ends.
class Scope {
public:
    Scope(int& depth, std::function<void()> done) : depth_(depth), done_(std::move(done)) { ++depth_; }
    ~Scope() {
        if (--depth_ == 0) done_();
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    int& depth_;
    std::function<void()> done_;
};

// The Telnet port box's text as a whole number (halves to even), as the port takes it.
long PortNumber(const QString& text) {
    double v = 0;
    if (!ParseNumber(text, &v)) throw VbError(VbError::TypeMismatch, "Type mismatch");
    const double r = std::nearbyint(v);
    if (r < -2147483648.0 || r > 2147483647.0) throw VbError(VbError::Overflow, "Overflow");
    return static_cast<long>(r);
}

// The command-mode character: two hexadecimal digits at most, 0 to 255.
char CommandCharacter(const QString& hex) {
    bool ok = false;
    const uint v = hex.trimmed().toUInt(&ok, 16);
    if (!ok || hex.trimmed().isEmpty() || v > 255) throw VbError(VbError::TypeMismatch, "Type mismatch");
    return static_cast<char>(v);
}

} // namespace

#define ENGINE_SCOPE Scope scope_(depth_, [this] { report(); })

ClusterEngine::ClusterEngine()
    : telnet_(std::make_unique<TcpLink>()), tnc_(std::make_unique<SerialLine>()),
      agw_(std::make_unique<PacketEngineClient>()), timer_(std::make_unique<EngineTimer>("PacketSpotfrm.Timer1")),
      more_(std::make_unique<EngineTimer>("PacketSpotfrm.more")), receiveBuffer_(FreshReceiveBuffer) {
    tnc_->setLineUse(SerialLine::LineUse::Power);
    timer_->setInterval(ReceiveIntervalMs);
    timer_->Tick = [this] { tick(); };
    more_->setSingleShot(true);
    more_->Tick = [this] { continuePass(); };

    telnet_->DataArrival = [this](qint64) { telnetData(); };
    telnet_->Error = [this](int number, const QString&) { telnetError(number); };
    telnet_->Closed = [this] { telnetClosed(); };
    tnc_->Error = [this](const VbError&) { tncError(); };
    agw_->StartPollDone = [this](bool accepted) { agwStarted(accepted); };
    agw_->Lost = [this] {
        ENGINE_SCOPE;
        if (transportIs("AGW Packet Engine")) ClosePort();
    };
}

ClusterEngine::~ClusterEngine() {
    // The window that listened is going away with its engine.
    TerminalChanged = nullptr;
    OpenChanged = nullptr;
    CaptionChanged = nullptr;
    ShowWindow = nullptr;
    try {
        Unload();
    } catch (...) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << "unload failed";
    }
}

bool ClusterEngine::ReceiveTimerEnabled() const { return timer_->Enabled(); }

bool ClusterEngine::transportIs(const char* name) const {
    return SpottingSettings.Transport.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

void ClusterEngine::append(const QString& text) {
    terminal_ += text;
    TrimTerminal(terminal_);
    changed();
}

void ClusterEngine::report() {
    if (openChanged_) {
        openChanged_ = false;
        if (const auto handler = OpenChanged) handler();
    }
    if (terminalChanged_) {
        terminalChanged_ = false;
        if (const auto handler = TerminalChanged) handler();
    }
}

void ClusterEngine::setOpen(bool open) {
    if (open_ == open) return;
    open_ = open;
    openChanged_ = true;
}

void ClusterEngine::setCaption(const QString& caption) {
    if (const auto handler = CaptionChanged) handler(caption);
}

void ClusterEngine::ReplaceTerminal(const QString& text) {
    ENGINE_SCOPE;
    terminal_ = text;
    changed();
}

// ---- Open and close -----------------------------------------------------------------------------

void ClusterEngine::OpenPort() {
    ENGINE_SCOPE;
    terminal_ = QStringLiteral("** Attempting to Open Port **\r\n\r\n");
    changed();
    if (tnc_->PortOpen()) closeTncPort();
    if (!transportIs("None")) setOpen(true);
    if (transportIs("TNC")) openTncPort();
    else if (transportIs("AGW Packet Engine")) startAgwEngine();
    else if (transportIs("Telnet")) connectTelnet();
}

void ClusterEngine::ClosePort() {
    ENGINE_SCOPE;
    if (!open_) return;
    setOpen(false);
    append(QStringLiteral("\r\n\r\n") + PortClosed);
    if (tnc_->PortOpen()) closeTncPort();
    telnet_->Close();
    if (transportIs("AGW Packet Engine")) {
        if (!agwConnectedCall_.isEmpty()) {
            agw_->AGWPutData(agwConnectedCall_, {}, 'd', 0, 0);
            setCaption(QStringLiteral("DX Spotting Setup"));
            agwConnectedCall_.clear();
        }
        agw_->AGWClose();
    }
    timer_->Stop();
    more_->Stop();
}

void ClusterEngine::Unload() {
    ENGINE_SCOPE;
    try {
        if (!agwConnectedCall_.isEmpty()) agw_->AGWPutData(agwConnectedCall_, {}, 'd', 0, 0);
        agwConnectedCall_.clear();
        if (transportIs("AGW Packet Engine")) agw_->AGWClose();
    } catch (const VbError& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
    }
    closeTncPort();
    telnet_->Close();
    agw_->AGWClose();
    timer_->Stop();
    more_->Stop();
}

// ---- Sending ------------------------------------------------------------------------------------

void ClusterEngine::SendText(const QString& text) {
    ENGINE_SCOPE;
    try {
        if (transportIs("TNC") && tnc_->PortOpen()) tnc_->Output(ToAnsi(text + '\r'));
    } catch (const VbError& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
    }
    if (transportIs("Telnet")) sendTelnetText(text);
    if (transportIs("AGW Packet Engine") && timer_->Enabled()) SendAgwText(text);
}

bool ClusterEngine::SendCommandCharacter() {
    ENGINE_SCOPE;
    if (!tnc_->PortOpen() || !transportIs("TNC")) return false;
    tnc_->Output(QByteArray(1, CommandCharacter(SpottingSettings.TncHex)));
    return true;
}

// ---- The receive timer and framing --------------------------------------------------------------

void ClusterEngine::tick() {
    ENGINE_SCOPE;
    if (transportIs("TNC")) pollTncInput();
    else if (transportIs("AGW Packet Engine")) pollAgwEngine();
    else if (transportIs("Telnet") && !receivedSinceTick_ && !more_->Enabled() && received_.isEmpty() &&
             telnet_->BytesAvailable() == 0) {
        // A cluster's prompt ends without a line end and waits for the operator: shown once the
        // cluster has said nothing for a tick.
        if (const std::optional<QString> prompt = TakePrompt(receiveBuffer_)) handleLine(*prompt);
    }
    receivedSinceTick_ = false;
    if (++labelUpdateTimeCounter_ > RedrawTicks) {
        labelUpdateTimeCounter_ = 0;
        if (loggingWindow().BandMapShown()) loggingWindow().DisplayBandMapLabels();
    }
}

void ClusterEngine::continuePass() {
    ENGINE_SCOPE;
    if (transportIs("AGW Packet Engine")) pollAgwEngine();
    else framePass();
}

void ClusterEngine::receive(const QByteArray& bytes) {
    received_ += bytes;
    if (!more_->Enabled()) framePass();
}

bool ClusterEngine::processReceiveBuffer() {
    // Received text joins the buffer a share at a time, so no pass copies, converts or moves much.
    if (received_.size() < BytesPerPass && telnet_->BytesAvailable() > 0)
        received_ += telnet_->GetData(BytesPerPass - received_.size());
    if (!received_.isEmpty()) {
        const qsizetype n = std::min<qsizetype>(received_.size(), BytesPerPass);
        receiveBuffer_ += FromAnsi(received_.left(n));
        received_.remove(0, n);
    }
    int n = 0;
    if (receiveBuffer_.size() > 2) {
        qsizetype at = 0;
        for (; n < ItemsPerPass; ++n) {
            const std::optional<QString> line = TakeLineAt(receiveBuffer_, at);
            if (!line) break;
            handleLine(*line);
        }
        // The lines taken leave at once; the buffer begins again with the separator of the last one.
        if (at > 0) {
            receiveBuffer_.remove(0, at);
            receiveBuffer_[0] = '\n';
        }
    }
    return n == ItemsPerPass || !received_.isEmpty() || telnet_->BytesAvailable() > 0;
}

void ClusterEngine::framePass() {
    if (processReceiveBuffer()) more_->Start(1);
}

void ClusterEngine::frameAll() {
    more_->Stop();
    while (processReceiveBuffer()) {
    }
}

void ClusterEngine::handleLine(const QString& line) {
    if (RepeatsRecentText(terminal_, line)) return;
    if (BeginsWithDX(line)) {
        append(line);
        forwardSpot(SpotLineFields(line));
    } else if (SpottingSettings.ListDXOnly == 0) {
        append(line);
    }
}

void ClusterEngine::forwardSpot(const SpotFields& fields) {
    labelUpdateTimeCounter_ = 0;
    // One rule for what a spot must hold, here and in the logging window: a spot that fails it is lost.
    double mhz = 0;
    if (!ParseSpotFrequency(fields.frequency, &mhz)) return;
    const QString call = CleanSpotCall(fields.call);
    if (call.isEmpty()) return;
    try {
        loggingWindow().BandMapSpots(call, fields.frequency, fields.record);
    } catch (const VbError& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
    }
}

// ---- Telnet -------------------------------------------------------------------------------------

void ClusterEngine::connectTelnet() {
    try {
        telnet_->Close();
        const QString host = SpottingSettings.TelnetHost;
        const long port = PortNumber(SpottingSettings.TelnetPort);
        telnet_->Connect(host, static_cast<int>(port));
        terminal_ = QStringLiteral("Attempting connection to: %1:%2\r\n\r\n").arg(host).arg(port);
        changed();
        timer_->Start(ReceiveIntervalMs);
    } catch (const VbError& e) {
        // The window stays marked open without a connection until Close Port.
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
    }
}

void ClusterEngine::sendTelnetText(const QString& text) {
    try {
        if (telnet_->State() == TcpLink::LinkState::Connected) {
            telnet_->SendData(ToAnsi(text + QLatin1String("\r\n")));
        } else {
            append(QStringLiteral("**  Connection not yet established.  Please wait a moment and try again.\r\n\r\n"));
        }
    } catch (const VbError& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
    }
}

void ClusterEngine::telnetData() {
    ENGINE_SCOPE;
    receivedSinceTick_ = true;
    if (!more_->Enabled()) framePass();
}

void ClusterEngine::telnetError(int number) {
    ENGINE_SCOPE;
    telnet_->Close();
    append(SocketErrorText(number));
    ClosePort();
    Beep();
}

void ClusterEngine::telnetClosed() {
    ENGINE_SCOPE;
    // What came before the cluster hung up is still framed; then the link is said to be gone, once.
    frameAll();
    ClosePort();
}

// ---- The serial TNC -----------------------------------------------------------------------------

void ClusterEngine::openTncPort() {
    const SpotSettings& s = SpottingSettings;
    try {
        if (tnc_->PortOpen()) closeTncPort();
        tnc_->setCommPort(s.TncCommPort);
        tnc_->setSettings(TncSettingsText(s));
        tnc_->setDTREnable(false);
        tnc_->setRTSEnable(false);
        tnc_->setHandshaking(s.TncHandshake - 1);
        if (s.TncHandshake == 3 || s.TncHandshake == 4) tnc_->setRTSEnable(true);
        tnc_->Open();
        powerRelease_ = RegisterUnkey([this] { closeTncPort(); });
        const QString power = s.TncPowerLine.toUpper();
        if (power == QLatin1String("R")) tnc_->setRTSEnable(true);
        else if (power == QLatin1String("D")) tnc_->setDTREnable(true);
        if (tnc_->PortOpen()) timer_->Start(ReceiveIntervalMs);
        append(QStringLiteral("** TNC Serial Port Open **\r\n\r\n"));
    } catch (const VbError& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
        Beep();
        append(QStringLiteral("** Unable to open TNC Serial Port **\r\n\r\n"));
        MsgBox("The comm port that you selected for DX Spotting is either in use, invalid or the settings that you "
               "have selected are invalid.  Please select another combination or choose None for your DX Spot "
               "selection.",
               vbOKOnly, "Invalid Comm Settings.");
        ClosePort();
        timer_->Stop();
    }
}

void ClusterEngine::closeTncPort() {
    // Closing drops RTS and DTR, and with them the TNC's power.
    tnc_->Close();
    powerRelease_.Reset();
}

void ClusterEngine::pollTncInput() {
    try {
        const QByteArray read = tnc_->Input();
        if (read.isEmpty()) return;
        receive(read);
    } catch (const VbError& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
        // A port that went away while being read is said once; other read errors wait for the next tick.
        if (!tnc_->PortOpen()) tncError();
    }
}

void ClusterEngine::tncError() {
    ENGINE_SCOPE;
    // What the TNC sent before it went away is still framed; then the port is said to be closed, once.
    try {
        received_ += tnc_->Input();
        frameAll();
    } catch (const VbError& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
    }
    ClosePort();
}

// ---- The packet engine --------------------------------------------------------------------------

void ClusterEngine::startAgwEngine() {
    const QString call = TrimBlanks(Station.OwnCall);
    if (call.isEmpty()) {
        Beep();
        MsgBox("Please enter your call sign on the setup form to transmit!", vbOKOnly, "Call Sign Required!");
        return;
    }
    // The application's name at registration: the dispatcher window's caption, which never changes.
    const QString name = QStringLiteral("Form1");
    try {
        agw_->AGWStartPoll(call, name);
    } catch (const VbError& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
        agwStarted(false);
    }
}

void ClusterEngine::agwStarted(bool accepted) {
    ENGINE_SCOPE;
    if (accepted) {
        timer_->Start(ReceiveIntervalMs);
        append(QStringLiteral("\r\n** Successfully connected to AGW Packet Engine **\r\n\r\n"));
        return;
    }
    MsgBox(PacketEngineFailureMessage(), vbOKOnly, "Unable to connect to the AGW Packet Engine.");
    setOpen(false);
    append(PacketEngineFailureTerminalText());
    if (const auto show = ShowWindow) show();
    timer_->Stop();
}

void ClusterEngine::pollAgwEngine() {
    for (int n = 0; n < ItemsPerPass; ++n) {
        QString from, data;
        int kind = 0;
        long length = 0;
        try {
            if (agw_->AGWGetData(&from, &data, &kind, &length) == 0) return;
        } catch (const VbError& e) {
            qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
            return;
        }
        handleAgwFrame(kind, from, data);
    }
    // Every frame waiting is taken, a pass at a time.
    more_->Start(1);
}

void ClusterEngine::handleAgwFrame(int kind, const QString& from, const QString& rawData) {
    const bool connected = !agwConnectedCall_.isEmpty();
    const PacketView view = ViewPacketFrame(kind, from, rawData, connected);
    const QString& data = view.data;
    const bool repeated = RepeatsRecentText(terminal_, data);
    const qsizetype dxAt = PacketSpotStart(data);
    if (!repeated && dxAt >= 0) {
        append(data);
        forwardSpot(SpotLineFields(data, dxAt));
    }
    const bool showAll = SpottingSettings.ListDXOnly == 0;
    if (connected && showAll && from.compare(agwConnectedCall_, Qt::CaseInsensitive) == 0 && !BeginsWithDX(data))
        append(data);
    if (!connected && showAll && !view.monitorLine.contains(QLatin1String("DX "), Qt::CaseInsensitive) &&
        !BeginsWithDX(data))
        append(view.monitorLine);

    if (kind == 'd' && connected && from.compare(agwConnectedCall_, Qt::CaseInsensitive) == 0) {
        Beep();
        Beep();
        append(QStringLiteral("\r\n** Disconnected from ") + agwConnectedCall_ + QStringLiteral(" **\r\n"));
        setCaption(QStringLiteral("DX Spotting Setup"));
        agwConnectedCall_.clear();
    } else if (kind == 'c' && !connected) {
        agwConnectedCall_ = from;
        append(QStringLiteral("** Connected to ") + from + QStringLiteral(" **"));
        setCaption(QStringLiteral("DX Spotting Setup - Connected to ") + from);
        Beep();
    }
}

void ClusterEngine::SendAgwText(const QString& text) {
    ENGINE_SCOPE;
    try {
        if (text.startsWith(':')) {
            const QString letter = text.mid(1, 1).toUpper();
            const QString argument = TrimBlanks(text.mid(2));
            if (letter == QLatin1String("D")) {
                if (!agwConnectedCall_.isEmpty()) agw_->AGWPutData(agwConnectedCall_, {}, 'd', 0, 0);
            } else if (letter == QLatin1String("C")) {
                const QString station = argument.toUpper();
                if (station.isEmpty()) {
                    MsgBox("You must enter a call sign to connect to such as :C Q7BZW", vbOKOnly, "Call sign Required");
                } else {
                    agw_->AGWPutData(station, {}, 'c', 0, 0);
                    agw_->AGWPutData(station, {}, 'P', 0, 0);
                }
            }
        } else if (!agwConnectedCall_.isEmpty()) {
            const QString data = text + '\r';
            agw_->AGWPutData(agwConnectedCall_, data, 'D', static_cast<long>(data.size()), 0);
        }
    } catch (const VbError& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
    }
}

} // namespace tylog
