#include "platform/SerialLine.h"
#include "platform/Diagnostics.h"
#include "platform/FatalUnkey.h"
#include "platform/KeyLines.h"
#include "platform/Platform.h"
#include "platform/PortDevices.h"
#include "platform/vb/ErrorGuard.h"

#include <QDeadlineTimer>
#include <QSerialPort>
#include <QThread>
#include <QStringList>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>

namespace tylog {

namespace {
struct CallGuard {
    explicit CallGuard(int& depth) : depth_(depth) { ++depth_; }
    ~CallGuard() { --depth_; }
    int& depth_;
};

QSerialPort::Parity toParity(char p) {
    switch (p) {
    case 'O': return QSerialPort::OddParity;
    case 'E': return QSerialPort::EvenParity;
    case 'M': return QSerialPort::MarkParity;
    case 'S': return QSerialPort::SpaceParity;
    default: return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits toStopBits(int tenths) {
    return tenths == 20 ? QSerialPort::TwoStop : tenths == 15 ? QSerialPort::OneAndHalfStop : QSerialPort::OneStop;
}
} // namespace

bool ParseSerialSettings(const QString& text, SerialSettings* out) {
    const QStringList parts = text.split(',');
    if (parts.size() != 4) return false;
    SerialSettings s;
    bool ok = false;
    s.baud = parts[0].trimmed().toInt(&ok);
    if (!ok || s.baud <= 0) return false;
    const QString parity = parts[1].trimmed().toUpper();
    if (parity.size() != 1 || !QStringLiteral("NOEMS").contains(parity)) return false;
    s.parity = parity[0].toLatin1();
    s.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || s.dataBits < 5 || s.dataBits > 8) return false;
    const QString stop = parts[3].trimmed();
    s.stopBitsTenths = stop == "1" ? 10 : stop == "1.5" ? 15 : stop == "2" ? 20 : 0;
    if (s.stopBitsTenths == 0) return false;
    *out = s;
    return true;
}

SerialLine::SerialLine() : port_(NewSerialDevice()) {
    port_->ErrorOccurred = [this](int e) { onPortError(e); };
    // Events are passed on from the event loop, never from inside QSerialPort, so a handler may close
    // the port or drop this line.
    QIODevice* io = &port_->io();
    QObject::connect(io, &QIODevice::readyRead, io, [this, io] {
        QMetaObject::invokeMethod(io, [this, io] {
            if (!PortOpen()) return;
            // A copy, through the guard: the handler may drop this line, and a decoder that fails on
            // what the device sent must not end the program.
            const std::function<void()> handler = ReadyRead;
            if (handler) vb::RunHandler(io, "ReadyRead", handler);
        }, Qt::QueuedConnection);
    });
}

SerialLine::~SerialLine() {
    if (platform().keyLines) Close();
    else closePort(); // the kernel drops the lines as the device closes
}

void SerialLine::setCommPort(int port) {
    if (PortOpen()) throw VbError(PortInUse, PortName() + ": the port is open");
    if (port < PortMap::FirstPort || port > PortMap::LastPort)
        throw VbError(InvalidPort, QStringLiteral("Invalid port number %1").arg(port));
    commPort_ = port;
    path_.clear();
}

void SerialLine::setPortPath(const QString& path) {
    if (PortOpen()) throw VbError(PortInUse, PortName() + ": the port is open");
    path_ = path;
}

QString SerialLine::PortName() const {
    return path_.isEmpty() ? QStringLiteral("COM%1").arg(commPort_) : path_;
}

void SerialLine::setSettings(const QString& settings) {
    SerialSettings s;
    if (!ParseSerialSettings(settings, &s))
        throw VbError(InvalidSetting, QStringLiteral("Invalid settings \"%1\"").arg(settings));
    const QString old = settings_;
    settings_ = settings;
    if (!PortOpen()) return;
    CallGuard g(inCall_);
    try {
        applySettings();
    } catch (const VbError&) {
        settings_ = old;
        applySettings();
        throw;
    }
}

void SerialLine::setHandshaking(int mode) {
    if (mode < NoHandshaking || mode > RTSXOnXOff)
        throw VbError(InvalidSetting, QStringLiteral("Invalid handshaking %1").arg(mode));
    handshaking_ = mode;
    if (!PortOpen()) return;
    CallGuard g(inCall_);
    applyHandshaking();
}

void SerialLine::applySettings() {
    SerialSettings s;
    ParseSerialSettings(settings_, &s);
    if (!port_->setFormat(s.baud, toParity(s.parity), s.dataBits, toStopBits(s.stopBitsTenths))) {
        const QString why = port_->io().errorString();
        port_->clearError();
        throw VbError(InvalidSetting, QStringLiteral("%1: settings \"%2\" refused: %3").arg(PortName(), settings_, why));
    }
}

void SerialLine::applyHandshaking() {
    const bool hardware = handshaking_ == RTSHandshaking || handshaking_ == RTSXOnXOff;
    const bool software = handshaking_ == XOnXOff || handshaking_ == RTSXOnXOff;
    // QSerialPort takes one kind of flow control; both kinds at once are set on the terminal itself.
    port_->setFlowControl(hardware ? QSerialPort::HardwareControl
                                   : software ? QSerialPort::SoftwareControl : QSerialPort::NoFlowControl);
    if (hardware && software && PortOpen()) {
        termios t{};
        if (::tcgetattr(port_->handle(), &t) == 0) {
            t.c_iflag |= IXON | IXOFF;
            ::tcsetattr(port_->handle(), TCSANOW, &t);
        }
    }
    port_->clearError();
}

void SerialLine::setLine(ModemLine line, bool on) {
    try {
        platform().keyLines->SetLine(*this, line, on);
    } catch (const VbError& e) {
        if (e.Number != KeyLines::NoModemLines || lineUse_ != LineUse::Power) throw;
        qCWarning(lcPlatform).noquote() << e.Description << "- the port works without it";
    }
}

void SerialLine::setRTSEnable(bool on) {
    if (PortOpen()) setLine(ModemLine::RTS, on);
    rts_ = on;
}

void SerialLine::setDTREnable(bool on) {
    if (PortOpen()) setLine(ModemLine::DTR, on);
    dtr_ = on;
}

void SerialLine::Open() {
    CallGuard g(inCall_);
    if (PortOpen()) Close();
    failed_ = false;
    rescued_.clear();
    const QString path = path_.isEmpty() ? platform().ports->SerialPath(commPort_) : path_;
    if (path.isEmpty()) throw VbError(InvalidPort, QStringLiteral("Invalid port number %1").arg(commPort_));
    port_->setPortName(path);
    port_->io().setObjectName(QStringLiteral("SerialLine(%1)").arg(PortName()));
    applySettings();
    applyHandshaking();
    if (!port_->io().open(QIODevice::ReadWrite)) {
        const int e = port_->error();
        const QString why = port_->io().errorString();
        port_->clearError();
        port_->io().close();
        const int number = e == QSerialPort::PermissionError ? PortInUse
                           : e == QSerialPort::DeviceNotFoundError ? InvalidPort
                           : e == QSerialPort::UnsupportedOperationError ? InvalidSetting : InvalidPort;
        throw VbError(number, QStringLiteral("%1 (%2): %3").arg(PortName(), path, why));
    }
    termios t{};
    if (::tcgetattr(port_->handle(), &t) == 0) {
        t.c_cflag |= HUPCL;
        ::tcsetattr(port_->handle(), TCSANOW, &t);
    }
    try {
        if (handshaking_ == RTSXOnXOff) applyHandshaking();
        setLine(ModemLine::DTR, dtr_);
        setLine(ModemLine::RTS, rts_);
    } catch (const VbError&) {
        closePort();
        throw;
    }
}

void SerialLine::Close() {
    if (PortOpen()) {
        // A closed port keys nothing: the lines drop as the device closes, which the key lines see.
        for (ModemLine line : {ModemLine::DTR, ModemLine::RTS}) {
            if (!(line == ModemLine::RTS ? rts_ : dtr_)) continue;
            try {
                platform().keyLines->SetLine(*this, line, false);
            } catch (const VbError& e) {
                // The device is going away anyway.
                qCDebug(lcPlatform) << Q_FUNC_INFO << e.Description;
            }
        }
    }
    closePort();
    port_->clearError();
    failed_ = false;
    rescued_.clear();
}

void SerialLine::closePort() {
    if (port_->io().isOpen()) {
        if (AboutToClose) {
            const std::function<void()> before = AboutToClose;
            before();
        }
        const int fd = port_->handle();
        FatalUnkey::Serial(fd, TIOCM_RTS | TIOCM_DTR, false); // the descriptor may be reused after this
        // Throw away what the device has not sent: a peer that stopped reading (flow control) would
        // hold close() for the driver's closing timeout.
        if (!keepOutput_) ::tcflush(fd, TCOFLUSH);
    }
    port_->io().close();
}

bool SerialLine::PortOpen() const { return port_->io().isOpen(); }

int SerialLine::NativeHandle() const { return PortOpen() ? port_->handle() : -1; }

void SerialLine::onPortError(int error) {
    if (error != QSerialPort::ReadError && error != QSerialPort::WriteError && error != QSerialPort::ResourceError)
        return; // a timeout of a fetch, or a refused setting that its own call reports
    const QString why = PortName() + ": " + port_->io().errorString();
    rescued_ += port_->io().readAll(); // what arrived before the failure can still be read
    closePort();
    port_->clearError();
    if (inCall_ > 0) {
        failed_ = true;
        failure_ = why;
        return;
    }
    QIODevice* io = &port_->io();
    QMetaObject::invokeMethod(io, [this, io, why] {
        if (PortOpen()) return; // opened again meanwhile
        const std::function<void(const VbError&)> handler = Error;
        if (handler) vb::RunHandler(io, "Error", [&] { handler(VbError(VbError::DeviceIO, why)); });
    }, Qt::QueuedConnection);
}

// A device that takes nothing now (a radio holding its handshake, a peer that stopped reading) keeps
// the bytes queued: writing then would fail as "temporarily unavailable" and close the port.
void SerialLine::flushWhatFits() {
    pollfd p{static_cast<int>(port_->handle()), POLLOUT, 0};
    // A hang-up or error is let through, so that the write reports it.
    if (::poll(&p, 1, 0) == 1 && (p.revents & (POLLOUT | POLLERR | POLLHUP | POLLNVAL))) port_->flush();
}

void SerialLine::fetch() {
    // Pulls what the device holds into the port's buffer; bounded, since a device may keep sending.
    for (int i = 0; i < 64 && PortOpen() && port_->io().waitForReadyRead(0); ++i) {
    }
    if (PortOpen()) port_->clearError();
}

void SerialLine::requireOpen(const char* what) const {
    if (failed_) throw VbError(VbError::DeviceIO, failure_);
    if (!PortOpen()) throw VbError(PortNotOpen, QStringLiteral("%1: %2 on a closed port").arg(PortName(), what));
}

void SerialLine::Output(const QByteArray& bytes) {
    CallGuard g(inCall_);
    requireOpen("output");
    qCDebug(lcPlatform).noquote() << PortName() << ">" << bytes.toHex(' ');
    if (port_->io().write(bytes) != bytes.size()) {
        const QString why = port_->io().errorString();
        port_->clearError();
        requireOpen("output");
        throw VbError(VbError::DeviceIO, PortName() + ": " + why);
    }
    flushWhatFits();
    requireOpen("output");
}

int SerialLine::OutBufferCount() {
    CallGuard g(inCall_);
    requireOpen("output count");
    flushWhatFits();
    requireOpen("output count");
    int queued = 0;
    if (::ioctl(port_->handle(), TIOCOUTQ, &queued) != 0) queued = 0;
    return static_cast<int>(port_->io().bytesToWrite()) + queued;
}

void SerialLine::CloseWhenSent(int maxMs) {
    bool sent = false;
    try {
        const QDeadlineTimer deadline(maxMs);
        while (PortOpen() && OutBufferCount() > 0 && !deadline.hasExpired()) QThread::usleep(500);
        sent = PortOpen() && OutBufferCount() == 0;
    } catch (const VbError& e) {
        qCDebug(lcPlatform) << Q_FUNC_INFO << e.Description; // the device went away: nothing to wait for
    }
    // A flush now would take back what the other end has not read yet (a pseudo-terminal's peer).
    keepOutput_ = sent;
    Close();
    keepOutput_ = false;
}

QByteArray SerialLine::Input() {
    CallGuard g(inCall_);
    if (PortOpen()) fetch();
    QByteArray data = rescued_;
    rescued_.clear();
    if (PortOpen()) data += port_->io().readAll();
    if (data.isEmpty()) requireOpen("input");
    else qCDebug(lcPlatform).noquote() << PortName() << "<" << data.toHex(' ');
    return data;
}

int SerialLine::InBufferCount() {
    CallGuard g(inCall_);
    if (PortOpen()) fetch();
    const qint64 n = rescued_.size() + (PortOpen() ? port_->io().bytesAvailable() : 0);
    if (n == 0) requireOpen("input count");
    return static_cast<int>(n);
}

} // namespace tylog
