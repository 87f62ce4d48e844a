#include "keying/KeyingPort.h"
#include "platform/Diagnostics.h"
#include "platform/SerialLine.h"
#include "platform/VbError.h"

namespace tylog {

KeyingPortOwnerData& KeyingPortOwner() {
    static KeyingPortOwnerData owner;
    return owner;
}

void KeyingPortOwnerData::Take(KeyingPortUser who, std::function<void()> letGo) {
    if (holder_ != who && holder_ != KeyingPortUser::None && letGo_) {
        const std::function<void()> before = std::move(letGo_);
        holder_ = KeyingPortUser::None;
        try {
            before();
        } catch (const VbError& e) {
            // The port is taken anyway: the one that held it could not let go cleanly.
            qCWarning(lcKeying).noquote() << "the keying port's last holder did not let go:" << e.Description;
        }
    }
    holder_ = who;
    letGo_ = std::move(letGo);
}

void KeyingPortOwnerData::Give(KeyingPortUser who) {
    if (holder_ != who) return;
    holder_ = KeyingPortUser::None;
    letGo_ = nullptr;
}

void KeyedLines::Keyed(SerialLine& port, ModemLine line) {
    const QPair<SerialLine*, ModemLine> entry{&port, line};
    if (!serial_.contains(entry)) serial_.append(entry);
}

void KeyedLines::KeyedParallel(int address, std::uint8_t releaseByte) {
    for (auto& p : parallel_)
        if (p.first == address) {
            p.second = releaseByte;
            return;
        }
    parallel_.append({address, releaseByte});
}

void KeyedLines::ReleaseAll() {
    const auto serial = std::exchange(serial_, {});
    const auto parallel = std::exchange(parallel_, {});
    for (const auto& [port, line] : serial) {
        try {
            if (line == ModemLine::RTS) port->setRTSEnable(false);
            else port->setDTREnable(false);
        } catch (const VbError& e) {
            qCWarning(lcKeying).noquote() << "a keyed line could not be released:" << e.Description;
        }
    }
    for (const auto& [address, byte] : parallel) {
        try {
            Out32(address, byte);
        } catch (const VbError& e) {
            qCWarning(lcKeying).noquote() << "a parallel port line could not be released:" << e.Description;
        }
    }
}

} // namespace tylog
