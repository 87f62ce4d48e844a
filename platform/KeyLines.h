#pragma once
// The lines that key a transmitter or its push-to-talk: RTS and DTR of an open serial port, and the
// registers of a PC parallel port. Every change goes through the installed KeyLines (platform()):
// the machine's own switches the lines with ioctl and ppdev, the tests' records each change with the
// clock's millisecond tick and its steady reading. Both may be called from the keying thread as well
// as from the user-interface thread.
#include "platform/PortMap.h"

#include <QString>
#include <cstdint>
#include <map>
#include <mutex>

namespace tylog {

class SerialLine;

enum class ModemLine { RTS, DTR };

// An open serial port's lines as the keying thread reaches them: the port's name and its descriptor,
// taken from the SerialLine at open (SerialLine::KeyHandle). It stays valid while the port stays open;
// the owner stops keying before it closes the port.
struct KeyLineHandle {
    QString device; // "COM3", or the path the port was opened by
    int fd = -1;    // -1: the port is not open
};

class KeyLines {
public:
    // Error number of a line switched on on a device that has no modem lines (a pseudo-terminal, some
    // USB adapters): nothing can be keyed there.
    static constexpr int NoModemLines = 8020;

    virtual ~KeyLines() = default;
    // Switches a line of an open serial port. Throws VbError when the line cannot be switched:
    // SerialLine::PortNotOpen for a closed port, NoModemLines, or device I/O.
    virtual void SetLine(const KeyLineHandle& port, ModemLine line, bool on) = 0;
    void SetLine(SerialLine& port, ModemLine line, bool on);
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
// as done, since nothing can be keyed there, but refuses a line switched on (NoModemLines), so a
// keyer set up on such a device is told that it keys nothing. Parallel ports: the device of the port
// map, opened and claimed (PPCLAIM) at the first write and kept to the end of the run; PPWDATA for the
// data register, PPWCONTROL for the control register. Every line it leaves keyed is on the fatal
// release list (platform/FatalUnkey.h), so a crash still releases it.
class SystemKeyLines : public KeyLines {
public:
    ~SystemKeyLines() override;
    using KeyLines::SetLine;
    void SetLine(const KeyLineHandle& port, ModemLine line, bool on) override;
    void WriteParallel(int port, ParallelRegister reg, std::uint8_t value) override;

private:
    std::mutex mutex_;                // the keying thread and the user-interface thread both write
    std::map<int, int> parallelFds_; // port number -> claimed descriptor
};

} // namespace tylog
