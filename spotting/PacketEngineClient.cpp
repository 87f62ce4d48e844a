#include "spotting/PacketEngineClient.h"
#include "platform/Diagnostics.h"
#include "platform/EngineTimer.h"
#include "platform/TcpLink.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "platform/vb/ErrorGuard.h"

#include <QMetaObject>

namespace tylog {

namespace {
// Answers to requests of the interface's own, never traffic for the window.
bool interfaceOwn(std::uint8_t kind) {
    switch (kind) {
    case 'X': case 'x': case 'R': case 'G': case 'g': case 'y': case 'Y': case 'H': return true;
    default: return false;
    }
}
} // namespace

PacketEngineClient::PacketEngineClient()
    : link_(std::make_unique<TcpLink>()), answerTimer_(std::make_unique<EngineTimer>("PacketEngine.answer")) {
    answerTimer_->setSingleShot(true);
    answerTimer_->Tick = [this] {
        qCDebug(lcSpotting) << "packet engine: no answer to the registration";
        finishStart(false);
    };
    link_->Connected = [this] { onConnected(); };
    link_->DataArrival = [this](qint64) { onData(); };
    link_->Closed = [this] {
        if (starting_) finishStart(false);
        else if (registered_) lose();
    };
    link_->Error = [this](int number, const QString& description) {
        qCDebug(lcSpotting) << "packet engine:" << number << description;
        if (starting_) finishStart(false);
        else if (registered_) lose();
    };
}

PacketEngineClient::~PacketEngineClient() = default;

void PacketEngineClient::setAddress(const QString& host, int port) {
    host_ = host;
    port_ = port;
}

void PacketEngineClient::setConnectTimeout(int ms) { link_->setConnectTimeout(ms); }

void PacketEngineClient::AGWStartPoll(const QString& call, const QString& name) {
    (void)name;
    AGWClose();
    call_ = ToAnsi(call.toUpper()).left(PacketCallSize);
    starting_ = true;
    link_->Connect(host_, port_);
}

void PacketEngineClient::onConnected() {
    if (!starting_) return;
    send('X', {});
    answerTimer_->Start(AnswerTimeoutMs);
}

qint64 PacketEngineClient::Buffered() const { return stream_.size() - read_ + link_->BytesAvailable(); }

void PacketEngineClient::onData() {
    // Once registered, frames are taken from the link as they are asked for (AGWGetData).
    if (!starting_) return;
    stream_ += link_->GetData();
    // The registration's answer: one byte, 1 when the call was taken.
    PacketFrame f;
    for (;;) {
        const FrameTake t = TakePacketFrame(stream_, &f);
        if (t == FrameTake::NeedMore) return;
        if (t == FrameTake::OutOfStep) {
            finishStart(false);
            return;
        }
        if (f.kind == 'X') {
            const bool accepted = !f.data.isEmpty() && f.data[0] == 1;
            if (accepted) send('m', {}); // monitoring on: the cluster's spots come as monitored frames
            finishStart(accepted);
            return;
        }
    }
}

void PacketEngineClient::finishStart(bool accepted) {
    if (!starting_) return;
    starting_ = false;
    answerTimer_->Stop();
    registered_ = accepted;
    if (!accepted) {
        link_->Close();
        stream_.clear();
        read_ = 0;
    }
    if (const std::function<void(bool)> done = StartPollDone) done(accepted);
}

void PacketEngineClient::lose() {
    registered_ = false;
    link_->Close();
    stream_.clear();
    read_ = 0;
    if (const std::function<void()> lost = Lost) lost();
}

void PacketEngineClient::send(std::uint8_t kind, const QByteArray& to, const QByteArray& data, std::uint8_t pid) {
    PacketFrame f;
    f.kind = kind;
    f.pid = pid;
    f.callFrom = call_;
    f.callTo = to;
    f.data = data;
    link_->SendData(EncodePacketFrame(f));
}

int PacketEngineClient::AGWPutData(const QString& to, const QString& data, int kind, long length, long reserved) {
    (void)reserved;
    if (!registered_ || link_->State() != TcpLink::LinkState::Connected) return 0;
    const QByteArray station = ToAnsi(to.toUpper()).left(PacketCallSize);
    switch (kind) {
    case 'D': send('D', station, ToAnsi(data).left(std::max(0L, length)), 0xF0); break;
    case 'c': send('C', station, {}, 0xF0); break;
    case 'P': break; // a connect needs nothing more here
    default: send(static_cast<std::uint8_t>(kind & 0xFF), station, ToAnsi(data).left(std::max(0L, length))); break;
    }
    return 0;
}

int PacketEngineClient::AGWGetData(QString* from, QString* data, int* kind, long* length) {
    if (!registered_) return 0;
    PacketFrame f;
    for (;;) {
        const FrameTake t = TakePacketFrameAt(stream_, read_, &f);
        // What was taken leaves the stream now and then, not frame by frame.
        if (read_ == stream_.size() || read_ > ReadShare) {
            stream_.remove(0, read_);
            read_ = 0;
        }
        if (t == FrameTake::NeedMore) {
            // The next share of what the engine sent, if it holds more.
            if (link_->BytesAvailable() == 0) return 0;
            stream_ += link_->GetData(ReadShare);
            continue;
        }
        if (t == FrameTake::OutOfStep) {
            // Nothing after a length no engine sends can be read as frames: the engine is as good as gone.
            qCWarning(lcSpotting) << "packet engine: stream out of step, link dropped";
            QMetaObject::invokeMethod(
                answerTimer_.get(),
                [this] { vb::RunHandler(answerTimer_.get(), "Lost", [this] { if (registered_) lose(); }); },
                Qt::QueuedConnection);
            stream_.clear();
            read_ = 0;
            return 0;
        }
        if (interfaceOwn(f.kind)) continue;
        *from = FromAnsi(f.callFrom.left(25));
        *data = FromAnsi(f.data);
        *kind = f.kind == 'C' ? 'c' : f.kind;
        *length = static_cast<long>(f.data.size());
        return 1;
    }
}

void PacketEngineClient::AGWClose() {
    starting_ = false;
    registered_ = false;
    answerTimer_->Stop();
    if (link_->State() == TcpLink::LinkState::Connected) link_->GetData(); // unread input would turn the close into a reset
    link_->Close();
    stream_.clear();
    read_ = 0;
}

} // namespace tylog
