#include "platform/PortMap.h"

namespace tylog {

namespace {
bool inRange(int port) { return port >= PortMap::FirstPort && port <= PortMap::LastPort; }

QString fromEnvironment(const char* prefix, int port, const QString& fallback) {
    const QString set = qEnvironmentVariable((QByteArray(prefix) + QByteArray::number(port)).constData());
    return set.isEmpty() ? fallback : set;
}
} // namespace

QString DefaultSerialPath(int port) {
    return inRange(port) ? QStringLiteral("/dev/ttyS%1").arg(port - 1) : QString();
}

QString DefaultParallelPath(int port) {
    return inRange(port) ? QStringLiteral("/dev/parport%1").arg(port - 1) : QString();
}

QString EnvironmentPortMap::SerialPath(int port) {
    return inRange(port) ? fromEnvironment("TYLOG_COM", port, DefaultSerialPath(port)) : QString();
}

QString EnvironmentPortMap::ParallelPath(int port) {
    return inRange(port) ? fromEnvironment("TYLOG_LPT", port, DefaultParallelPath(port)) : QString();
}

bool DecodeParallelAddress(int address, int* port, ParallelRegister* reg) {
    static constexpr int bases[] = {0x378, 0x278, 0x3BC};
    for (int i = 0; i < 3; ++i) {
        for (ParallelRegister r : {ParallelRegister::Data, ParallelRegister::Control}) {
            if (address == bases[i] + static_cast<int>(r)) {
                *port = i + 1;
                *reg = r;
                return true;
            }
        }
    }
    return false;
}

} // namespace tylog
