#pragma once
// A TCP connection as the spotting window's transports use one: connect to a host and port, events
// for connected, data arrival, closed and error, write, and read everything received. It runs on
// QTcpSocket (in the ports module, PortDevices.h), through the event loop; tests connect it to a QTcpServer on the loopback address.
#include "platform/VbError.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace tylog { class EngineTimer; class TcpDevice; }

namespace tylog {

// The socket error numbers the spotting window's messages are keyed by (10061: refused, 11001: host
// not found, ...). RemoteHostClosedError is no error here: a link closed by the other end raises Closed.
int SocketErrorNumber(QAbstractSocket::SocketError error);

class TcpLink {
public:
    enum class LinkState { Closed = 0, Resolving = 4, Connecting = 6, Connected = 7, Closing = 8, Failed = 9 };
    static constexpr int NotConnected = 40006; // error number of a write while not connected

    TcpLink();
    ~TcpLink();
    TcpLink(const TcpLink&) = delete;
    TcpLink& operator=(const TcpLink&) = delete;

    // Drops any earlier connection, then starts connecting; the outcome arrives as Connected or Error.
    // A host that does not answer within the connect timeout gives Error 10060 ("Connection timed
    // out"). A port outside 0 to 65535 throws VbError 380. Connected links send TCP keepalives.
    void Connect(const QString& host, int port);
    // Drops the connection and whatever was received; raises no event.
    void Close();
    LinkState State() const { return state_; }
    static constexpr int DefaultConnectTimeoutMs = 20000;
    int ConnectTimeout() const { return connectTimeoutMs_; }
    void setConnectTimeout(int ms) { connectTimeoutMs_ = ms; } // for the next Connect
    QString RemoteHost() const { return host_; }
    int RemotePort() const { return port_; }

    // Throws VbError NotConnected unless connected.
    void SendData(const QByteArray& bytes);
    // Everything received and not yet taken; bytes received before the other end closed stay readable
    // until Close or the next Connect.
    QByteArray GetData();
    // At most maxBytes of it, oldest first; the rest stays for the next call (no new DataArrival is
    // raised for it), so a reader that takes a share at a time never copies a whole burst at once.
    QByteArray GetData(qint64 maxBytes);
    qint64 BytesAvailable() const;

    // Events, from the event loop. A handler may close or reconnect the link.
    std::function<void()> Connected;
    std::function<void(qint64 bytesTotal)> DataArrival;
    std::function<void()> Closed;                                        // the other end closed
    std::function<void(int number, const QString& description)> Error;   // the link is closed by then

private:
    void later(const char* name, std::function<void()> event);
    void connectTimedOut();
    void keepAlive();
    std::unique_ptr<TcpDevice> socket_;
    std::unique_ptr<EngineTimer> connectTimer_;
    int connectTimeoutMs_ = DefaultConnectTimeoutMs;
    int generation_ = 0; // moves on with every Close, so events of a dropped connection are dropped
    LinkState state_ = LinkState::Closed;
    QString host_;
    int port_ = 0;
    QByteArray kept_; // received before the other end closed
};

} // namespace tylog
