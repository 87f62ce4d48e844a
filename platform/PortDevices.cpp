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

// The process's module, loaded once.
const PortsModule& portsModule() {
    static const PortsModule module =
        LoadPortsModule({QCoreApplication::applicationDirPath(), QStringLiteral(TYLOG_PORTS_MODULE_DIR)});
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

QString unavailable(const PortsModule& module) {
    return QStringLiteral("the ports module is not loaded (%1)").arg(module.missing);
}

} // namespace

PortsModule LoadPortsModule(const QStringList& folders) {
    PortsModule m;
    for (const QString& folder : folders) {
        QLibrary library(folder + QStringLiteral("/tylog_qtports"));
        m.newSerial = reinterpret_cast<SerialDevice* (*)()>(library.resolve("tylog_new_serial_device"));
        m.newTcp = reinterpret_cast<TcpDevice* (*)()>(library.resolve("tylog_new_tcp_device"));
        if (m.newSerial && m.newTcp) return m;
        m.missing = library.errorString();
    }
    m.newSerial = nullptr;
    m.newTcp = nullptr;
    qCWarning(lcPlatform).noquote() << "no ports: the ports module could not be loaded:" << m.missing;
    // Every port and link would fail as if absent: the operator hears why, without being held up.
    platform().dialogs->Notice("Serial ports and network links cannot be used: the module libtylog_qtports.so "
                               "was not found beside tylog (" + m.missing + ").",
                               "No Ports");
    return m;
}

std::unique_ptr<SerialDevice> NewSerialDevice(const PortsModule& module) {
    if (module.newSerial) return std::unique_ptr<SerialDevice>(module.newSerial());
    return std::make_unique<NoSerialDevice>(unavailable(module));
}

std::unique_ptr<TcpDevice> NewTcpDevice(const PortsModule& module) {
    if (module.newTcp) return std::unique_ptr<TcpDevice>(module.newTcp());
    return std::make_unique<NoTcpDevice>(unavailable(module));
}

std::unique_ptr<SerialDevice> NewSerialDevice() { return NewSerialDevice(portsModule()); }
std::unique_ptr<TcpDevice> NewTcpDevice() { return NewTcpDevice(portsModule()); }

} // namespace tylog
