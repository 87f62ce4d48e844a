#pragma once
// A packet engine on 127.0.0.1 speaking the framed TCP host interface (36-byte headers) as a sound-card
// engine does: it answers a registration ('X') with its one-byte result, takes monitoring on ('m'),
// answers a connect ('C') and a disconnect ('d') of a station with the station's own frames, keeps the
// data sent ('D'), and sends monitored frames as a radio channel brings them ('U', with the engine's
// header line before the text). Knobs: refuse registrations, stay silent; raw bytes for hostile
// frames. Used by the tests and the benchmarks, so it needs nothing but Qt.
#include "spotting/PacketFrame.h"

#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace tylog::testing {

class FakePacketEngine {
public:
    FakePacketEngine();
    ~FakePacketEngine();
    quint16 Port() const { return server_.serverPort(); }
    bool HasClient() const { return client_ != nullptr; }

    // Runs the event loop (bounded) until the condition holds; false on the timeout.
    static bool WaitFor(const std::function<bool()>& done, int timeoutMs = 3000);
    // Until `count` frames have come from the client in all.
    bool WaitForFrames(int count, int timeoutMs = 3000);

    // Frames to the client.
    void Send(const PacketFrame& frame);
    void SendRaw(const QByteArray& bytes);
    // A monitored frame: `from` sent `text` to `to` (a cluster's broadcast to "DX").
    void Monitor(const QByteArray& from, const QByteArray& to, const QByteArray& text);
    // The station's answer to a connect: it is connected now.
    void Connected(const QByteArray& station);
    // Data from the connected station.
    void Data(const QByteArray& station, const QByteArray& text);
    // The station ended the connection.
    void Disconnected(const QByteArray& station);
    void CloseClient();

    QList<PacketFrame> received; // every frame the client sent, in order
    qint64 sent = 0;             // bytes sent to the client
    bool refuse = false;         // registrations are refused (result 0)
    bool silent = false;         // nothing is answered
    bool monitoring = false;     // 'm' toggles it
    QByteArray registeredCall;

private:
    void take();
    void answer(const PacketFrame& f);
    QTcpServer server_;
    QPointer<QTcpSocket> client_;
    QByteArray stream_;
};

} // namespace tylog::testing
