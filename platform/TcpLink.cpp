#include "platform/TcpLink.h"
#include "platform/Diagnostics.h"
#include "platform/EngineTimer.h"
#include "platform/PortDevices.h"
#include "platform/vb/ErrorGuard.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace tylog {

int SocketErrorNumber(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return 10061;
    case QAbstractSocket::RemoteHostClosedError: return 10054;
    case QAbstractSocket::HostNotFoundError: return 11001;
    case QAbstractSocket::SocketAccessError: return 10013;
    case QAbstractSocket::SocketResourceError: return 10055;
    case QAbstractSocket::SocketTimeoutError: return 10060;
    case QAbstractSocket::NetworkError: return 10051;
    case QAbstractSocket::AddressInUseError: return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError: return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError: return 10045;
    case QAbstractSocket::OperationError: return 10036;
    default: return 10053; // any other failure aborts the connection
    }
}

TcpLink::TcpLink() : socket_(NewTcpDevice()), connectTimer_(std::make_unique<EngineTimer>("TcpLink.connect")) {
    QIODevice* s = &socket_->io();
    connectTimer_->setSingleShot(true);
    connectTimer_->Tick = [this] { connectTimedOut(); };
    socket_->StateChanged = [this](int st) {
        if (state_ == LinkState::Closed || state_ == LinkState::Failed) return;
        switch (st) {
        case QAbstractSocket::HostLookupState: state_ = LinkState::Resolving; break;
        case QAbstractSocket::ConnectingState: state_ = LinkState::Connecting; break;
        case QAbstractSocket::ConnectedState: state_ = LinkState::Connected; break;
        case QAbstractSocket::ClosingState: state_ = LinkState::Closing; break;
        default: break;
        }
    };
    socket_->Connected = [this] {
        connectTimer_->Stop();
        keepAlive();
        later("Connected", [this] {
            if (const std::function<void()> handler = Connected) handler();
        });
    };
    QObject::connect(s, &QIODevice::readyRead, s, [this] {
        later("DataArrival", [this] {
            const qint64 n = BytesAvailable();
            if (const std::function<void(qint64)> handler = DataArrival; handler && n > 0) handler(n);
        });
    });
    socket_->Disconnected = [this] {
        if (state_ == LinkState::Closed || state_ == LinkState::Failed) return; // our own Close, or an error
        kept_ += socket_->io().readAll();
        state_ = LinkState::Closed;
        later("Closed", [this] {
            if (const std::function<void()> handler = Closed) handler();
        });
    };
    socket_->ErrorOccurred = [this](int code) {
        const auto e = static_cast<QAbstractSocket::SocketError>(code);
        if (e == QAbstractSocket::RemoteHostClosedError) return; // disconnected follows
        if (state_ == LinkState::Closed) return;                 // our own Close or a timeout came first
        connectTimer_->Stop();
        const int number = SocketErrorNumber(e);
        const QString description = socket_->io().errorString();
        kept_ += socket_->io().readAll();
        state_ = LinkState::Failed;
        later("Error", [this, number, description] {
            socket_->abort();
            state_ = LinkState::Closed;
            if (const std::function<void(int, const QString&)> handler = Error) handler(number, description);
        });
    };
}

void TcpLink::connectTimedOut() {
    if (state_ != LinkState::Resolving && state_ != LinkState::Connecting) return;
    qCDebug(lcPlatform).noquote() << host_ << port_ << "no answer within" << connectTimeoutMs_ << "ms";
    ++generation_; // whatever the socket still reports belongs to the attempt given up
    state_ = LinkState::Closed;
    socket_->abort();
    later("Error", [this] {
        if (const std::function<void(int, const QString&)> handler = Error)
            handler(SocketErrorNumber(QAbstractSocket::SocketTimeoutError), QStringLiteral("Connection timed out"));
    });
}

void TcpLink::keepAlive() {
    // A cluster link sits idle for long stretches; a peer that vanished is found in about two minutes
    // instead of the system's two hours.
    socket_->setKeepAlive();
    const qintptr fd = socket_->socketDescriptor();
    if (fd < 0) return;
    const int idle = 60, interval = 10, count = 6;
    ::setsockopt(static_cast<int>(fd), IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    ::setsockopt(static_cast<int>(fd), IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    ::setsockopt(static_cast<int>(fd), IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
}

TcpLink::~TcpLink() {
    socket_->io().disconnect();
    socket_->StateChanged = nullptr;
    socket_->Connected = nullptr;
    socket_->Disconnected = nullptr;
    socket_->ErrorOccurred = nullptr;
    socket_->abort();
}

void TcpLink::later(const char* name, std::function<void()> event) {
    // Events reach the handlers after the socket's own handling is done, so a handler may close the
    // link, reconnect it or drop it; an event of a connection that was closed meanwhile is dropped.
    // Each runs through the guard: a handler that fails on what the peer sent must not end the program.
    const int generation = generation_;
    QIODevice* io = &socket_->io();
    QMetaObject::invokeMethod(io, [this, io, name, generation, event = std::move(event)] {
        if (generation == generation_) vb::RunHandler(io, name, event);
    }, Qt::QueuedConnection);
}

void TcpLink::Connect(const QString& host, int port) {
    if (port < 0 || port > 65535) throw VbError(380, QStringLiteral("Invalid port %1").arg(port));
    Close();
    host_ = host;
    port_ = port;
    state_ = LinkState::Connecting;
    socket_->io().setObjectName(QStringLiteral("TcpLink(%1:%2)").arg(host).arg(port));
    connectTimer_->Start(connectTimeoutMs_);
    socket_->connectToHost(host, static_cast<quint16>(port));
}

void TcpLink::Close() {
    ++generation_;
    connectTimer_->Stop();
    state_ = LinkState::Closed;
    socket_->abort();
    kept_.clear();
}

void TcpLink::SendData(const QByteArray& bytes) {
    if (state_ != LinkState::Connected)
        throw VbError(NotConnected, QStringLiteral("Wrong protocol or connection state for the requested transaction or request"));
    qCDebug(lcPlatform).noquote() << RemoteHost() << ">" << bytes.toHex(' ');
    if (socket_->io().write(bytes) != bytes.size()) throw VbError(VbError::DeviceIO, socket_->io().errorString());
    socket_->flush();
}

QByteArray TcpLink::GetData() {
    QByteArray data = kept_;
    kept_.clear();
    if (socket_->io().isOpen()) data += socket_->io().readAll();
    if (!data.isEmpty()) qCDebug(lcPlatform).noquote() << RemoteHost() << "<" << data.toHex(' ');
    return data;
}

QByteArray TcpLink::GetData(qint64 maxBytes) {
    QByteArray data = kept_.left(maxBytes);
    kept_.remove(0, data.size());
    if (data.size() < maxBytes && socket_->io().isOpen()) data += socket_->io().read(maxBytes - data.size());
    return data;
}

qint64 TcpLink::BytesAvailable() const {
    return kept_.size() + (socket_->io().isOpen() ? socket_->io().bytesAvailable() : 0);
}

} // namespace tylog
