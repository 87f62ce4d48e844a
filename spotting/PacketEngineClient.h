#pragma once
// Our client of the packet engine's TCP host interface (PacketFrame.h), offering the four calls the
// spotting window makes of the engine: register and start (AGWStartPoll), put a frame (AGWPutData),
// get the next received frame (AGWGetData) and close (AGWClose). Registration cannot answer at once
// over a socket: its outcome arrives as StartPollDone, within the connect timeout plus a bounded wait
// for the engine's answer, and never while the caller waits.
#include "spotting/PacketFrame.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace tylog {

class EngineTimer;
class TcpLink;

class PacketEngineClient {
public:
    static constexpr int DefaultPort = 8000;
    static constexpr int AnswerTimeoutMs = 5000; // the engine answers a registration within a second

    PacketEngineClient();
    ~PacketEngineClient();
    PacketEngineClient(const PacketEngineClient&) = delete;
    PacketEngineClient& operator=(const PacketEngineClient&) = delete;

    // Where the engine listens: 127.0.0.1 and its usual port unless set.
    void setAddress(const QString& host, int port);
    void setConnectTimeout(int ms);

    // Connects, registers the call and turns monitoring on. `name` is the application's name, which this
    // interface has no place for. The outcome arrives as StartPollDone(true) once the engine accepted
    // the call, else StartPollDone(false) (no engine, refused, or no answer in time).
    void AGWStartPoll(const QString& call, const QString& name);
    // A frame to the engine for a station: kind 'D' data (the first `length` characters of data), 'd'
    // disconnect, 'c' connect; 'P', which follows a connect, asks nothing more of this interface. Other
    // kinds go out as they are. Nothing is sent unless registered; the result is always 0.
    int AGWPutData(const QString& to, const QString& data, int kind, long length, long reserved);
    // The next received frame for the window: its sender (up to its first zero byte, at most 25
    // characters), data (at most 4000 characters), kind (a connect as 'c') and data length; 0 when none
    // is waiting. Frames of the interface's own (registration, versions, ports) are passed over.
    int AGWGetData(QString* from, QString* data, int* kind, long* length);
    // Drops the link and anything received; raises no event.
    void AGWClose();

    bool Registered() const { return registered_; }
    // Received bytes not yet taken as frames: whether a whole frame may be waiting.
    bool Pending() const { return Buffered() > 0; }
    qint64 Buffered() const;
    static constexpr int ReadShare = 1 << 16; // taken from the link at a time

    std::function<void(bool accepted)> StartPollDone;
    // The engine went away, or sent what cannot be frames, after registering: the link is closed.
    std::function<void()> Lost;

private:
    void send(std::uint8_t kind, const QByteArray& to, const QByteArray& data = {}, std::uint8_t pid = 0);
    void onConnected();
    void onData();
    void finishStart(bool accepted);
    void lose();

    std::unique_ptr<TcpLink> link_;
    std::unique_ptr<EngineTimer> answerTimer_;
    QString host_ = QStringLiteral("127.0.0.1");
    int port_ = DefaultPort;
    QByteArray call_;
    QByteArray stream_;
    qsizetype read_ = 0; // where the frames not yet taken begin
    bool starting_ = false;
    bool registered_ = false;
};

} // namespace tylog
