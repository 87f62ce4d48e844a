#include "tests/support/FakePacketEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace tylog::testing {

FakePacketEngine::FakePacketEngine() {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            if (client_) client_->abort();
            client_ = s;
            stream_.clear();
            s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            QObject::connect(s, &QIODevice::readyRead, s, [this] { take(); });
        }
    });
}

FakePacketEngine::~FakePacketEngine() {
    if (client_) client_->abort();
}

bool FakePacketEngine::WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

bool FakePacketEngine::WaitForFrames(int count, int timeoutMs) {
    return WaitFor([&] { return received.size() >= count; }, timeoutMs);
}

void FakePacketEngine::take() {
    if (!client_) return;
    stream_ += client_->readAll();
    PacketFrame f;
    while (TakePacketFrame(stream_, &f) == FrameTake::Frame) {
        received.push_back(f);
        answer(f);
    }
}

void FakePacketEngine::answer(const PacketFrame& f) {
    if (silent) return;
    switch (f.kind) {
    case 'X': {
        registeredCall = f.callFrom;
        PacketFrame r;
        r.kind = 'X';
        r.callFrom = f.callFrom;
        r.data = QByteArray(1, refuse ? '\0' : '\1');
        Send(r);
        break;
    }
    case 'm': monitoring = !monitoring; break;
    default: break; // connects and disconnects go on the air; the station answers when the test says
    }
}

void FakePacketEngine::Send(const PacketFrame& frame) { SendRaw(EncodePacketFrame(frame)); }

void FakePacketEngine::SendRaw(const QByteArray& bytes) {
    if (!client_) return;
    sent += bytes.size();
    client_->write(bytes);
    client_->flush();
}

void FakePacketEngine::Monitor(const QByteArray& from, const QByteArray& to, const QByteArray& text) {
    PacketFrame f;
    f.kind = 'U';
    f.pid = 0xF0;
    f.callFrom = from;
    f.callTo = to;
    f.data = " 1:Fm " + from + " To " + to + " <UI pid=F0 Len=" + QByteArray::number(text.size()) + " >[14:02:11]\r" +
             text;
    Send(f);
}

void FakePacketEngine::Connected(const QByteArray& station) {
    PacketFrame f;
    f.kind = 'C';
    f.callFrom = station;
    f.callTo = registeredCall;
    f.data = "*** CONNECTED With Station " + station + "\r";
    Send(f);
}

void FakePacketEngine::Data(const QByteArray& station, const QByteArray& text) {
    PacketFrame f;
    f.kind = 'D';
    f.pid = 0xF0;
    f.callFrom = station;
    f.callTo = registeredCall;
    f.data = text;
    Send(f);
}

void FakePacketEngine::Disconnected(const QByteArray& station) {
    PacketFrame f;
    f.kind = 'd';
    f.callFrom = station;
    f.callTo = registeredCall;
    f.data = "*** DISCONNECTED From Station " + station + "\r";
    Send(f);
}

void FakePacketEngine::CloseClient() {
    if (client_) client_->disconnectFromHost();
}

} // namespace tylog::testing
