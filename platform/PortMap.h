#pragma once
// Where the numbered ports the operator picks live on this machine. Serial port n (1 to 10) is
// /dev/ttyS<n-1> and parallel port n (1 to 10) is /dev/parport<n-1>, unless the environment variable
// TYLOG_COM<n> or TYLOG_LPT<n> names another device (TYLOG_COM3=/dev/ttyUSB0), so an operator can move
// a port without rebuilding and a test can point one at a pseudo-terminal.
#include <QString>

namespace tylog {

class PortMap {
public:
    static constexpr int FirstPort = 1;
    static constexpr int LastPort = 10;

    virtual ~PortMap() = default;
    // The device path of a port; empty when the number is outside 1 to 10.
    virtual QString SerialPath(int port) = 0;
    virtual QString ParallelPath(int port) = 0;
};

// The defaults, without the environment.
QString DefaultSerialPath(int port);
QString DefaultParallelPath(int port);

// The machine's map: the defaults, overridden by TYLOG_COM<n> and TYLOG_LPT<n> when set and not empty.
class EnvironmentPortMap : public PortMap {
public:
    QString SerialPath(int port) override;
    QString ParallelPath(int port) override;
};

// The registers of a PC parallel port that keying writes, as offsets from the port's base I/O address.
enum class ParallelRegister { Data = 0, Control = 2 };

// Which parallel port and register an I/O address reaches: the port at base &H378 is parallel port
// 1, &H278 port 2, &H3BC port 3; the data register is at the base, the control register at base + 2.
// False for any other address.
bool DecodeParallelAddress(int address, int* port, ParallelRegister* reg);

} // namespace tylog
