#pragma once
// The serial port and TCP socket under SerialLine and TcpLink, in a module of their own
// (libtylog_qtports.so) that the first line of either kind loads: linked into the program, Qt's serial
// and network libraries (and the network's own, Kerberos and proxy lookup among them) would load, and
// relocate, before the first window. A line reaches its device through QIODevice (reading, writing,
// the object its events run in, all of Qt Core) and the few calls below; enum values are Qt's own
// (QSerialPort's, QAbstractSocket's), passed as int.
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace tylog {

class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    virtual QIODevice& io() = 0;
    virtual void setPortName(const QString& path) = 0;
    // Baud rate, QSerialPort::Parity, data bits, QSerialPort::StopBits; false when one is refused.
    virtual bool setFormat(qint32 baud, int parity, int dataBits, int stopBits) = 0;
    virtual void setFlowControl(int flowControl) = 0; // QSerialPort::FlowControl
    virtual int error() const = 0;                     // QSerialPort::SerialPortError
    virtual void clearError() = 0;
    virtual int handle() const = 0;
    virtual bool flush() = 0;
    std::function<void(int error)> ErrorOccurred; // QSerialPort::errorOccurred
};

class TcpDevice {
public:
    virtual ~TcpDevice() = default;
    virtual QIODevice& io() = 0;
    virtual void connectToHost(const QString& host, quint16 port) = 0;
    virtual void abort() = 0;
    virtual bool flush() = 0;
    virtual void setKeepAlive() = 0; // QAbstractSocket::KeepAliveOption on
    virtual qintptr socketDescriptor() const = 0;
    std::function<void(int state)> StateChanged; // QAbstractSocket::SocketState
    std::function<void()> Connected;
    std::function<void()> Disconnected;
    std::function<void(int error)> ErrorOccurred; // QAbstractSocket::SocketError
};

// The module's entries, resolved from the first of the folders that holds libtylog_qtports.so; when
// none does, both are empty, `missing` says why, and the operator is told, in a notice.
struct PortsModule {
    SerialDevice* (*newSerial)() = nullptr;
    TcpDevice* (*newTcp)() = nullptr;
    QString missing;
};
PortsModule LoadPortsModule(const QStringList& folders);

// A new device of the module. Without it a device opens nothing: a serial port fails to open as a
// device not found, a connection fails, from the event loop, as an unsupported operation.
std::unique_ptr<SerialDevice> NewSerialDevice(const PortsModule& module);
std::unique_ptr<TcpDevice> NewTcpDevice(const PortsModule& module);
// The same of the process's module, loaded once, with the first line: beside the program, else where
// the build put it (so its absence is told once).
std::unique_ptr<SerialDevice> NewSerialDevice();
std::unique_ptr<TcpDevice> NewTcpDevice();

} // namespace tylog

// The module's entries.
extern "C" tylog::SerialDevice* tylog_new_serial_device();
extern "C" tylog::TcpDevice* tylog_new_tcp_device();
