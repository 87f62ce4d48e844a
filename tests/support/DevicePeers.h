#pragma once
// The other ends of the devices, answering as the real ones do, for the engines' tests:
//  - PtyPeer: a device on a pseudo-terminal with a reply table (a radio, a TNC, a keyer device), served
//    synchronously so tests stay exact under the fake clock;
//  - LineServer: a Telnet cluster on 127.0.0.1 that sends scripted lines, and SilentHost, a host that
//    never accepts a connection;
//  - Pulses: the key-down/key-up pairs of one line in the key lines' record.
// Each hardware family adds its own tables on top.
#include "platform/testing/Fakes.h"

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QPointer>
#include <functional>
#include <optional>

namespace tylog::testing {

class PtyPeer {
public:
    PtyPeer() = default;
    QString Path() const { return pty_.Path(); }
    void MapAsSerial(int port) { pty_.MapAsSerial(port); }
    PseudoTerminal& Device() { return pty_; }

    // A request (exact bytes) and its reply; later entries for the same request replace earlier ones.
    void Answer(const QByteArray& request, const QByteArray& reply);
    // A device with state answers by code: given the bytes received and not yet taken, it takes one
    // whole request off the front and returns the reply (possibly empty), or returns nothing while the
    // front is no whole request yet. Set, it is asked before the table.
    using Responder = std::function<std::optional<QByteArray>(QByteArray& pending)>;
    void SetResponder(Responder responder) { responder_ = std::move(responder); }

    // Reads what the port wrote (waiting up to waitMs for a first byte, then until the line is quiet)
    // and answers every whole request in it; then waits until the port can read what was written.
    // Returns the bytes received by this call. Bytes that no entry begins with, and that begin no
    // entry either, are taken one by one into `unknown`.
    QByteArray Serve(int waitMs = 50);
    // Sends bytes of the device's own (status, a spot line), waiting until the port can read them.
    void Send(const QByteArray& bytes);

    QByteArray received; // everything the port wrote, in order
    QByteArray unknown;  // bytes no request matched
    int answered = 0;    // requests answered

    // Knobs: how the device misbehaves.
    bool silent = false;      // takes the requests, answers nothing
    int splitInto = 1;        // each reply goes out in this many pieces, one piece per Serve call
    QByteArray leftover;      // sent after every reply (a second record's start, noise)
    bool garbage = false;     // every reply's bytes are replaced by noise of the same length
    // Whether Serve and Send wait until the port end can read what they wrote. Off for an outside
    // program at the port end, which takes the bytes as they come.
    bool awaitPort = true;
    void HangUp() { pty_.HangUp(); }

private:
    void write(const QByteArray& bytes);
    PseudoTerminal pty_;
    QList<QPair<QByteArray, QByteArray>> table_;
    Responder responder_;
    QByteArray pending_;
    QList<QByteArray> queued_; // pieces of split replies still to send
};

// A cluster (or any line-based server) on 127.0.0.1. It takes one client at a time.
class LineServer {
public:
    LineServer(); // fails the test when it cannot listen
    ~LineServer();
    quint16 Port() const;
    // Waits (bounded, running the event loop) for a client to connect; false if none came.
    bool WaitForClient(int timeoutMs = 2000);
    bool HasClient() const { return client_ != nullptr; }
    // Each call is one write, sent at once (Nagle off), so what one call sends arrives together.
    void Send(const QByteArray& bytes);
    // Several lines in one write, each ended by `end`.
    void SendLines(const QList<QByteArray>& lines, const QByteArray& end = "\r\n");
    // One piece, then (after the event loop ran and the first piece was taken in) the rest: a line
    // split across segments.
    void SendSplit(const QByteArray& bytes, qsizetype at);
    // What the client sent so far (a login, a command), taking in what is waiting first.
    QByteArray Received();
    void CloseClient(); // the server hangs up
    void Reset();       // the server resets the connection (RST)

private:
    QTcpServer server_;
    QPointer<QTcpSocket> client_;
    QByteArray received_;
};

// A host that listens but never accepts: its queue is full, so a client's connection attempt gets no
// answer at all until the client gives up (the connect timeout).
class SilentHost {
public:
    SilentHost();
    ~SilentHost();
    quint16 Port() const { return port_; }

private:
    int listener_ = -1;
    int fillers_[4] = {-1, -1, -1, -1};
    quint16 port_ = 0;
};

// Lets the event loop run until done() or timeoutMs passed; false on the timeout.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000);

// One press of a key line: when it went down and up (the fake clock's tick and the keying clock's
// microseconds). A serial line is down at 1; a parallel register while its bit 0 is set. A press
// still down at the end of the record has up = down's values and `open` set.
struct Pulse {
    std::uint32_t downTick = 0, upTick = 0;
    std::int64_t downMicros = 0, upMicros = 0;
    bool open = false;
};
QList<Pulse> Pulses(const RecordingKeyLines& lines, const QString& device, RecordingKeyLines::Signal signal);
// The press pattern as text on the tick: "0-60 720-780" (down-up, relative to the first down).
QString PulseText(const QList<Pulse>& pulses);

} // namespace tylog::testing
