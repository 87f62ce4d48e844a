#include "platform/PortDevices.h"
#include "platform/Diagnostics.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QMetaObject>
#include <QAbstractSocket>
#include <QSerialPort>

namespace tylog {

namespace {

struct PortsModule {
    SerialDevice* (*newSerial)() = nullptr;
    TcpDevice* (*newTcp)() = nullptr;
    QString why; // what kept it from loading
};

// The ports module, loaded once, with the first line: beside the program, else where the build put
// it. Without it no port opens, which is said once.
const PortsModule& portsModule() {
    static const PortsModule module = [] {
        PortsModule m;
        const QString dirs[] = {QCoreApplication::applicationDirPath(), QStringLiteral(TYLOG_PORTS_MODULE_DIR)};
        for (const QString& dir : dirs) {
            QLibrary library(dir + QStringLiteral("/tylog_qtports"));
            m.newSerial = reinterpret_cast<SerialDevice* (*)()>(library.resolve("tylog_new_serial_device"));
            m.newTcp = reinterpret_cast<TcpDevice* (*)()>(library.resolve("tylog_new_tcp_device"));
            if (m.newSerial && m.newTcp) return m;
            m.why = library.errorString();
        }
        m.newSerial = nullptr;
        m.newTcp = nullptr;
        qCWarning(lcPlatform).noquote() << "no ports: the ports module could not be loaded:" << m.why;
        platform().dialogs->Notice("Serial ports and network links cannot be used: the module libtylog_qtports.so "
                                   "was not found beside tylog (" + m.why + ").",
                                   "No Ports");
        return m;
    }();
    return module;
}

// A device that stays closed: it opens nothing, for want of the module.
class Unopenable : public QIODevice {
public:
    explicit Unopenable(const QString& why) { setErrorString(why); }
    bool open(OpenMode) override { return false; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override { return -1; }
};

class NoSerialDevice : public SerialDevice {
public:
    explicit NoSerialDevice(const QString& why) : io_(why) {}
    QIODevice& io() override { return io_; }
    void setPortName(const QString&) override {}
    bool setFormat(qint32, int, int, int) override { return true; }
    void setFlowControl(int) override {}
    int error() const override { return QSerialPort::DeviceNotFoundError; }
    void clearError() override {}
    int handle() const override { return -1; }
    bool flush() override { return false; }

private:
    Unopenable io_;
};

class NoTcpDevice : public TcpDevice {
public:
    explicit NoTcpDevice(const QString& why) : io_(why) {}
    QIODevice& io() override { return io_; }
    void connectToHost(const QString&, quint16) override {
        // Reported from the event loop, as a socket reports a failed connection.
        QMetaObject::invokeMethod(&io_, [this] {
            if (ErrorOccurred) ErrorOccurred(QAbstractSocket::UnsupportedSocketOperationError);
        }, Qt::QueuedConnection);
    }
    void abort() override {}
    bool flush() override { return false; }
    void setKeepAlive() override {}
    qintptr socketDescriptor() const override { return -1; }

private:
    Unopenable io_;
};

QString unavailable() { return QStringLiteral("the ports module is not loaded (%1)").arg(portsModule().why); }

} // namespace

std::unique_ptr<SerialDevice> NewSerialDevice() {
    if (auto make = portsModule().newSerial) return std::unique_ptr<SerialDevice>(make());
    return std::make_unique<NoSerialDevice>(unavailable());
}

std::unique_ptr<TcpDevice> NewTcpDevice() {
    if (auto make = portsModule().newTcp) return std::unique_ptr<TcpDevice>(make());
    return std::make_unique<NoTcpDevice>(unavailable());
}

} // namespace tylog
