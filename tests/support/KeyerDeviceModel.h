#pragma once
// The external keyer device as its host mode behaves, for the tests' pty peer and the benchmark's
// device thread: the echo test, the open with its version byte, the settings commands, characters
// queued in a buffer of its own and sent one after another (each takes charMs), and the status byte
// pushed whenever busy or the buffer's two-thirds mark changes. A character that finds the buffer full
// is lost, as on the device. Time is the caller's (milliseconds), so the tests run it on the fake clock.
#include <QByteArray>
#include <QList>
#include <cstdint>
#include <optional>

namespace tylog::testing {

class KeyerDeviceModel {
public:
    int version = 23;
    int charMs = 100;     // how long one character takes to send
    int capacity = 24;    // characters the buffer holds

    bool hostOpen = false;
    QByteArray queued;    // waiting, the first one being sent
    QByteArray sent;      // sent as Morse so far
    QList<QByteArray> commands; // every command but characters, as received
    int overflowed = 0;   // characters lost to a full buffer
    int wpm = 0, weight = 0, lead = 0, tail = 0, ratio = 0, pinConfig = 0, mode = 0;
    // Set: the status says busy with the buffer over its mark whatever it holds (a device that takes
    // nothing more, or the benchmark's device in its busy half).
    bool forceFull = false;

    int Status() const {
        const bool busy = !queued.isEmpty();
        const bool xoff = queued.size() * 3 > capacity * 2;
        return forceFull ? 0x05 : (xoff ? 0x01 : 0) | (busy ? 0x04 : 0);
    }

    // Takes one whole request off the front of `pending` and returns its answer (possibly empty), or
    // nothing while the front is no whole request yet.
    std::optional<QByteArray> Take(QByteArray& pending, std::int64_t nowMs) {
        if (pending.isEmpty()) return std::nullopt;
        const auto code = static_cast<std::uint8_t>(pending[0]);
        const int length = requestLength(pending);
        if (length == 0 || pending.size() < length) return std::nullopt;
        const QByteArray request = pending.left(length);
        pending.remove(0, length);
        if (code >= 0x20 && code < 0x80) return character(request[0], nowMs);
        commands.append(request);
        return command(request, nowMs);
    }

    // Moves the sending on to nowMs; returns the status byte when the status changed (pushed by the
    // device on its own), else nothing.
    std::optional<QByteArray> Advance(std::int64_t nowMs) {
        const int before = Status();
        while (!queued.isEmpty() && nowMs >= started_ + charMs) {
            sent.append(queued[0]);
            queued.remove(0, 1);
            started_ += charMs;
        }
        return changed(before);
    }

    QByteArray StatusByte() const { return QByteArray(1, static_cast<char>(0xC0 | Status())); }

private:
    static int requestLength(const QByteArray& p) {
        switch (static_cast<std::uint8_t>(p[0])) {
        case 0x00:
            if (p.size() < 2) return 2;
            return static_cast<std::uint8_t>(p[1]) == 0x04 ? 3 : 2;
        case 0x02: case 0x03: case 0x09: case 0x0E: case 0x17: return 2;
        case 0x04: return 3;
        default: return 1; // backspace, clear buffer, status request, characters, and what it ignores
        }
    }

    std::optional<QByteArray> changed(int before) const {
        if (!hostOpen || Status() == before) return QByteArray();
        return StatusByte();
    }

    std::optional<QByteArray> character(char c, std::int64_t nowMs) {
        if (!hostOpen) return QByteArray();
        const int before = Status();
        if (queued.size() >= capacity) {
            ++overflowed;
            return QByteArray();
        }
        if (queued.isEmpty()) started_ = nowMs;
        queued.append(c);
        return changed(before);
    }

    std::optional<QByteArray> command(const QByteArray& r, std::int64_t nowMs) {
        const auto code = static_cast<std::uint8_t>(r[0]);
        auto arg = [&](int i) { return static_cast<int>(static_cast<std::uint8_t>(r[i])); };
        const int before = Status();
        if (code == 0x00) {
            switch (arg(1)) {
            case 0x02: hostOpen = true; return QByteArray(1, static_cast<char>(version));
            case 0x03: hostOpen = false; queued.clear(); return QByteArray();
            case 0x04: return r.mid(2, 1);
            default: return QByteArray();
            }
        }
        if (!hostOpen) return QByteArray(); // outside host mode only the admin commands count
        switch (code) {
        case 0x02: wpm = arg(1); break;
        case 0x03: weight = arg(1); break;
        case 0x04: lead = arg(1); tail = arg(2); break;
        case 0x09: pinConfig = arg(1); break;
        case 0x0E: mode = arg(1); break;
        case 0x17: ratio = arg(1); break;
        case 0x08:
            if (queued.size() > 1) queued.chop(1); // the one being sent is past taking back
            break;
        case 0x0A: queued.clear(); break;
        case 0x15: return StatusByte();
        default: break;
        }
        (void)nowMs;
        return changed(before);
    }

    std::int64_t started_ = 0; // when the character being sent began
};

} // namespace tylog::testing
