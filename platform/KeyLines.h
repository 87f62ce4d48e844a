#pragma once
// The lines that key a transmitter or its push-to-talk: RTS and DTR of an open serial port, and the
// registers of a PC parallel port. Every change goes through the installed KeyLines (platform()):
// the machine's own switches the lines with ioctl and ppdev, the tests' records each change with the
// clock's millisecond tick.
#include "platform/PortMap.h"

#include <cstdint>
#include <map>

namespace tylog {

class SerialLine;

enum class ModemLine { RTS, DTR };

class KeyLines {
public:
    virtual ~KeyLines() = default;
    // Switches a line of an open serial port. Throws VbError when the line cannot be switched.
    virtual void SetLine(SerialLine& port, ModemLine line, bool on) = 0;
    // Writes one byte to a register of parallel port `port` (1 to 10). Throws VbError when the port
    // cannot be reached.
    virtual void WriteParallel(int port, ParallelRegister reg, std::uint8_t value) = 0;
};

// Writes a byte to a PC I/O address, as the keyers address the parallel port (&H37A is the control
// register of the port at &H378). Throws VbError (device I/O) for an address that is no parallel
// port register (DecodeParallelAddress), and whatever the port's write throws.
void Out32(int address, std::uint8_t value);

// The machine's lines. Serial lines: TIOCMBIS / TIOCMBIC on the port's descriptor. A device without
// modem lines (a pseudo-terminal answers "Inappropriate ioctl for device") takes a line switched off
// as done, since nothing can be keyed there, but refuses a line switched on with an error, so a
// keyer set up on such a device is told that it keys nothing. Parallel ports: the device of the port
// map, opened and claimed (PPCLAIM) at the first write and kept to the end of the run; PPWDATA for the
// data register, PPWCONTROL for the control register.
class SystemKeyLines : public KeyLines {
public:
    ~SystemKeyLines() override;
    void SetLine(SerialLine& port, ModemLine line, bool on) override;
    void WriteParallel(int port, ParallelRegister reg, std::uint8_t value) override;

private:
    std::map<int, int> parallelFds_; // port number -> claimed descriptor
};

} // namespace tylog
