#include "tests/support/DevicePeers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tylog::testing {

// ---- PtyPeer ---------------------------------------------------------------------------------------

namespace {
// Waits until the port end of the pseudo-terminal holds at least `count` bytes to read: the kernel
// hands written bytes across a little later. Looked at through a second descriptor of the port end,
// which sees the same input queue without taking from it.
void waitUntilReadable(const QString& portPath, int count) {
    const int fd = ::open(portPath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        ::usleep(5000); // an exclusive port (not ours to open twice): give the kernel a moment
        return;
    }
    QElapsedTimer t;
    t.start();
    int n = 0;
    while (t.elapsed() < 1000 && ::ioctl(fd, FIONREAD, &n) == 0 && n < count) ::usleep(100);
    ::close(fd);
}
} // namespace

void PtyPeer::Answer(const QByteArray& request, const QByteArray& reply) {
    for (auto& entry : table_)
        if (entry.first == request) {
            entry.second = reply;
            return;
        }
    table_.append({request, reply});
}

void PtyPeer::write(const QByteArray& bytes) {
    if (bytes.isEmpty()) return;
    if (!awaitPort) {
        pty_.Write(bytes);
        return;
    }
    int before = 0;
    const int fd = ::open(Path().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::ioctl(fd, FIONREAD, &before);
        ::close(fd);
    }
    pty_.Write(bytes);
    waitUntilReadable(Path(), before + static_cast<int>(bytes.size()));
}

void PtyPeer::Send(const QByteArray& bytes) { write(bytes); }

QByteArray PtyPeer::Serve(int waitMs) {
    QByteArray in = pty_.Read(1, waitMs);
    if (!in.isEmpty())
        for (QByteArray more = pty_.Read(1 << 16, 5); !more.isEmpty(); more = pty_.Read(1 << 16, 5)) in += more;
    received += in;
    pending_ += in;

    QByteArray out;
    if (!queued_.isEmpty()) out += queued_.takeFirst();
    for (;;) {
        std::optional<QByteArray> reply;
        if (responder_) reply = responder_(pending_);
        if (!reply) {
            qsizetype longest = -1;
            bool partial = false;
            for (qsizetype i = 0; i < table_.size(); ++i) {
                const QByteArray& request = table_[i].first;
                if (pending_.startsWith(request) && (longest < 0 || request.size() > table_[longest].first.size())) longest = i;
                else if (request.startsWith(pending_) && !pending_.isEmpty()) partial = true;
            }
            if (longest >= 0) {
                pending_.remove(0, table_[longest].first.size());
                reply = table_[longest].second;
            } else if (partial || pending_.isEmpty()) {
                break;
            } else if (!responder_) {
                unknown += pending_.front();
                pending_.remove(0, 1);
                continue;
            } else {
                break; // the responder waits for more
            }
        }
        ++answered;
        if (silent) continue;
        QByteArray bytes = *reply + leftover;
        if (garbage)
            for (char& c : bytes) c = static_cast<char>(QRandomGenerator::global()->bounded(256));
        if (splitInto > 1 && bytes.size() > 1) {
            const qsizetype piece = (bytes.size() + splitInto - 1) / splitInto;
            out += bytes.left(piece);
            for (qsizetype at = piece; at < bytes.size(); at += piece) queued_.append(bytes.mid(at, piece));
        } else {
            out += bytes;
        }
    }
    write(out);
    return in;
}

// ---- LineServer ------------------------------------------------------------------------------------

LineServer::LineServer() {
    if (!server_.listen(QHostAddress::LocalHost, 0)) ADD_FAILURE() << "line server: " << server_.errorString().toStdString();
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            if (client_) client_->abort();
            client_ = s;
            s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        }
    });
}

LineServer::~LineServer() {
    if (client_) client_->abort();
}

quint16 LineServer::Port() const { return server_.serverPort(); }

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) { return QTest::qWaitFor(done, timeoutMs); }

bool LineServer::WaitForClient(int timeoutMs) { return PumpUntil([this] { return client_ != nullptr; }, timeoutMs); }

void LineServer::Send(const QByteArray& bytes) {
    if (!client_) {
        ADD_FAILURE() << "line server: no client to send to";
        return;
    }
    client_->write(bytes);
    client_->flush();
    client_->waitForBytesWritten(1000);
}

void LineServer::SendLines(const QList<QByteArray>& lines, const QByteArray& end) {
    QByteArray all;
    for (const QByteArray& line : lines) all += line + end;
    Send(all);
}

void LineServer::SendSplit(const QByteArray& bytes, qsizetype at) {
    Send(bytes.left(at));
    QTest::qWait(20); // the client's event loop takes the first piece in on its own
    Send(bytes.mid(at));
}

QByteArray LineServer::Received() {
    QCoreApplication::processEvents();
    if (client_) received_ += client_->readAll();
    return received_;
}

void LineServer::CloseClient() {
    if (client_) {
        client_->disconnectFromHost();
        if (client_ && client_->state() != QAbstractSocket::UnconnectedState) client_->waitForDisconnected(1000);
    }
}

void LineServer::Reset() {
    if (!client_) return;
    linger l{1, 0}; // close with RST
    ::setsockopt(static_cast<int>(client_->socketDescriptor()), SOL_SOCKET, SO_LINGER, &l, sizeof l);
    client_->abort();
}

// ---- SilentHost ------------------------------------------------------------------------------------

SilentHost::SilentHost() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(listener_, 0) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ADD_FAILURE() << "silent host: " << std::strerror(errno);
        return;
    }
    port_ = ntohs(addr.sin_port);
    // Fill the accept queue; a full queue drops every further connection request without a word.
    for (int& f : fillers_) {
        f = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        ::connect(f, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    }
    ::usleep(20000);
}

SilentHost::~SilentHost() {
    for (int f : fillers_)
        if (f >= 0) ::close(f);
    if (listener_ >= 0) ::close(listener_);
}

// ---- Pulses ----------------------------------------------------------------------------------------

QList<Pulse> Pulses(const RecordingKeyLines& lines, const QString& device, RecordingKeyLines::Signal signal) {
    QList<Pulse> out;
    bool down = false;
    for (const auto& c : lines.Of(device, signal)) {
        const bool keyed = (signal == RecordingKeyLines::Signal::RTS || signal == RecordingKeyLines::Signal::DTR)
                               ? c.value != 0 : (c.value & 1) != 0;
        if (keyed && !down) out.append({c.tick, c.tick, c.micros, c.micros, true});
        if (!keyed && down) {
            out.last().upTick = c.tick;
            out.last().upMicros = c.micros;
            out.last().open = false;
        }
        down = keyed;
    }
    return out;
}

QString PulseText(const QList<Pulse>& pulses) {
    QStringList parts;
    const std::uint32_t t0 = pulses.isEmpty() ? 0 : pulses.first().downTick;
    for (const Pulse& p : pulses)
        parts << (p.open ? QStringLiteral("%1-").arg(p.downTick - t0)
                         : QStringLiteral("%1-%2").arg(p.downTick - t0).arg(p.upTick - t0));
    return parts.join(' ');
}

} // namespace tylog::testing
