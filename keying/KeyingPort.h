#pragma once
// The keyers' serial port. CW keying (`Comm` of the CW window), push-to-talk (`CommPhone` of the voice
// window) and the external keyer device each open a port of their own, but never two at once: the
// one that takes the port makes the one that held it let go first, releasing exactly the lines it
// keyed and closing its port. Each keyer engine takes the port through KeyingPortOwner() before it opens
// it and gives it back when it closes it on its own.
//
// KeyedLines is how an engine remembers what it keyed (a line of its serial port, a parallel port
// register), so that whatever changed since (the settings, the port chosen, the port itself) it
// releases exactly that.
#include "platform/KeyLines.h"

#include <QList>
#include <cstdint>
#include <functional>

namespace tylog {

class SerialLine;

enum class KeyingPortUser { None, CW, Voice, ExternalKeyer };

class KeyingPortOwnerData {
public:
    // `who` is about to open its port. When another user holds it, that one's `letGo` runs first (it
    // releases what it keyed, clears its RTS/DTR properties, since a serial line raises them again at
    // its next open, and closes its port); a failure there is logged and does not stop the taking.
    void Take(KeyingPortUser who, std::function<void()> letGo);
    // `who` closed its port on its own (or goes away); nothing runs.
    void Give(KeyingPortUser who);
    KeyingPortUser Holder() const { return holder_; }

private:
    KeyingPortUser holder_ = KeyingPortUser::None;
    std::function<void()> letGo_;
};

// The process-wide owner (reset with the process state).
KeyingPortOwnerData& KeyingPortOwner();

class KeyedLines {
public:
    // A line of `port` was switched on: remembered with the port, so the release finds it there.
    void Keyed(SerialLine& port, ModemLine line);
    // A parallel register was written a keying byte: `releaseByte` at `address` lets it go.
    void KeyedParallel(int address, std::uint8_t releaseByte);
    // Switches off exactly what is remembered, clearing the serial line's property (so its next Open
    // does not raise it again), and forgets it. Every release is tried; failures are logged.
    void ReleaseAll();
    bool Any() const { return !serial_.isEmpty() || !parallel_.isEmpty(); }

private:
    QList<QPair<SerialLine*, ModemLine>> serial_;
    QList<QPair<int, std::uint8_t>> parallel_;
};

} // namespace tylog
