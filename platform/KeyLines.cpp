#include "platform/KeyLines.h"
#include "platform/FatalUnkey.h"
#include "platform/Platform.h"
#include "platform/SerialLine.h"
#include "platform/VbError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tylog {

namespace {
QString systemError(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

VbError deviceError(const QString& what, int err) {
    return VbError(VbError::DeviceIO, QStringLiteral("%1: %2").arg(what, systemError(err)));
}
} // namespace

void KeyLines::SetLine(SerialLine& port, ModemLine line, bool on) { SetLine(port.KeyHandle(), line, on); }

void Out32(int address, std::uint8_t value) {
    int port = 0;
    ParallelRegister reg{};
    if (!DecodeParallelAddress(address, &port, &reg))
        throw VbError(VbError::DeviceIO,
                      QStringLiteral("No parallel port register at I/O address &H%1").arg(QString::number(address, 16).toUpper()));
    platform().keyLines->WriteParallel(port, reg, value);
}

SystemKeyLines::~SystemKeyLines() {
    for (const auto& [port, fd] : parallelFds_) {
        FatalUnkey::Parallel(fd, PPWCONTROL, 0, false);
        FatalUnkey::Parallel(fd, PPWDATA, 0, false);
        ::ioctl(fd, PPRELEASE);
        ::close(fd);
    }
}

void SystemKeyLines::SetLine(const KeyLineHandle& port, ModemLine line, bool on) {
    const QString name = QStringLiteral("%1 %2").arg(port.device, line == ModemLine::RTS ? "RTS" : "DTR");
    if (port.fd < 0) throw VbError(SerialLine::PortNotOpen, name + ": the port is not open");
    int bits = line == ModemLine::RTS ? TIOCM_RTS : TIOCM_DTR;
    if (::ioctl(port.fd, on ? TIOCMBIS : TIOCMBIC, &bits) == 0) {
        FatalUnkey::Serial(port.fd, bits, on);
        return;
    }
    const int err = errno;
    if (err == ENOTTY && !on) return; // no such line, so it is not keying anything
    if (err == ENOTTY) throw VbError(NoModemLines, QStringLiteral("%1: the device has no modem lines").arg(name));
    throw deviceError(name, err);
}

void SystemKeyLines::WriteParallel(int port, ParallelRegister reg, std::uint8_t value) {
    const std::lock_guard lock(mutex_);
    auto it = parallelFds_.find(port);
    if (it == parallelFds_.end()) {
        const QString path = platform().ports->ParallelPath(port);
        if (path.isEmpty())
            throw VbError(VbError::DeviceIO, QStringLiteral("There is no parallel port %1").arg(port));
        const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_CLOEXEC);
        if (fd < 0) throw deviceError(path, errno);
        if (::ioctl(fd, PPCLAIM) != 0) {
            const int err = errno;
            ::close(fd);
            throw deviceError(path, err);
        }
        it = parallelFds_.emplace(port, fd).first;
    }
    const unsigned long request = reg == ParallelRegister::Data ? PPWDATA : PPWCONTROL;
    unsigned char byte = value;
    if (::ioctl(it->second, request, &byte) != 0) {
        const int err = errno;
        // Let the next write open the port afresh: the device may have gone and come back.
        FatalUnkey::Parallel(it->second, request, 0, false);
        ::ioctl(it->second, PPRELEASE);
        ::close(it->second);
        parallelFds_.erase(it);
        throw deviceError(platform().ports->ParallelPath(port), err);
    }
    // The keyers key with bit 0 of the register (3 keys, 2 releases on the control register).
    FatalUnkey::Parallel(it->second, request, static_cast<unsigned char>(value & ~1u), (value & 1u) != 0);
}

} // namespace tylog
