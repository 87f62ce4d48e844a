// The ports module: the serial port and TCP socket over Qt Serial Port and Qt Network (see
// PortDevices.h).
#include "platform/PortDevices.h"

#include <QSerialPort>
#include <QTcpSocket>

namespace {

class QtSerialDevice : public tylog::SerialDevice {
public:
    QtSerialDevice() {
        QObject::connect(&port_, &QSerialPort::errorOccurred, &port_, [this](QSerialPort::SerialPortError e) {
            if (ErrorOccurred) ErrorOccurred(e);
        });
    }
    ~QtSerialDevice() override { port_.disconnect(); }
    QIODevice& io() override { return port_; }
    void setPortName(const QString& path) override { port_.setPortName(path); }
    bool setFormat(qint32 baud, int parity, int dataBits, int stopBits) override {
        return port_.setBaudRate(baud) && port_.setParity(static_cast<QSerialPort::Parity>(parity)) &&
               port_.setDataBits(static_cast<QSerialPort::DataBits>(dataBits)) &&
               port_.setStopBits(static_cast<QSerialPort::StopBits>(stopBits));
    }
    void setFlowControl(int flowControl) override {
        port_.setFlowControl(static_cast<QSerialPort::FlowControl>(flowControl));
    }
    int error() const override { return port_.error(); }
    void clearError() override { port_.clearError(); }
    int handle() const override { return port_.handle(); }
    bool flush() override { return port_.flush(); }

private:
    QSerialPort port_;
};

class QtTcpDevice : public tylog::TcpDevice {
public:
    QtTcpDevice() {
        QObject::connect(&socket_, &QAbstractSocket::stateChanged, &socket_, [this](QAbstractSocket::SocketState s) {
            if (StateChanged) StateChanged(s);
        });
        QObject::connect(&socket_, &QAbstractSocket::connected, &socket_, [this] {
            if (Connected) Connected();
        });
        QObject::connect(&socket_, &QAbstractSocket::disconnected, &socket_, [this] {
            if (Disconnected) Disconnected();
        });
        QObject::connect(&socket_, &QAbstractSocket::errorOccurred, &socket_, [this](QAbstractSocket::SocketError e) {
            if (ErrorOccurred) ErrorOccurred(e);
        });
    }
    // What the socket reports while it goes reaches nobody.
    ~QtTcpDevice() override {
        socket_.disconnect();
        socket_.abort();
    }
    QIODevice& io() override { return socket_; }
    void connectToHost(const QString& host, quint16 port) override { socket_.connectToHost(host, port); }
    void abort() override { socket_.abort(); }
    bool flush() override { return socket_.flush(); }
    void setKeepAlive() override { socket_.setSocketOption(QAbstractSocket::KeepAliveOption, 1); }
    qintptr socketDescriptor() const override { return socket_.socketDescriptor(); }

private:
    QTcpSocket socket_;
};

} // namespace

extern "C" Q_DECL_EXPORT tylog::SerialDevice* tylog_new_serial_device() { return new QtSerialDevice; }
extern "C" Q_DECL_EXPORT tylog::TcpDevice* tylog_new_tcp_device() { return new QtTcpDevice; }
