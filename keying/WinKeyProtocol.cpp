#include "keying/WinKeyProtocol.h"

namespace tylog {

namespace winkey {

namespace {
// Command codes of host mode.
enum : std::uint8_t {
    kAdmin = 0x00,
    kWpm = 0x02,
    kWeight = 0x03,
    kPttLeadTail = 0x04,
    kBackspace = 0x08,
    kPinConfig = 0x09,
    kClearBuffer = 0x0A,
    kMode = 0x0E,
    kStatus = 0x15,
    kDitDahRatio = 0x17,
};
// Admin sub-commands.
enum : std::uint8_t { kAdminHostOpen = 0x02, kAdminHostClose = 0x03, kAdminEcho = 0x04 };

QByteArray bytes(std::initializer_list<std::uint8_t> list) {
    QByteArray out;
    for (std::uint8_t b : list) out.append(static_cast<char>(b));
    return out;
}
} // namespace

std::optional<QString> StatusText(int code) {
    switch (code) {
    case Success: return QStringLiteral("WK Success!");
    case NoEchoResponse: return QStringLiteral("No Echo Response");
    case EchoMismatch: return QStringLiteral("Echo Mismatch");
    case NoOpenResponse: return QStringLiteral("No Open Response");
    case ComOpenFailed: return QStringLiteral("Com Open Failed");
    case GetComStateFailed: return QStringLiteral("Get Com ST Failed");
    case SetComStateFailed: return QStringLiteral("Set Com ST Failed");
    case AlreadyOpen: return QStringLiteral("WK Already Open");
    case NotOpen: return QStringLiteral("WK Not Open");
    default: return std::nullopt;
    }
}

QByteArray HostOpen() { return bytes({kAdmin, kAdminHostOpen}); }
QByteArray HostClose() { return bytes({kAdmin, kAdminHostClose}); }
QByteArray EchoTest(std::uint8_t b) { return bytes({kAdmin, kAdminEcho, b}); }
QByteArray SetWpm(std::uint8_t wpm) { return bytes({kWpm, wpm}); }
QByteArray SetWeight(std::uint8_t weight) { return bytes({kWeight, weight}); }
QByteArray SetPttLeadTail(std::uint8_t lead, std::uint8_t tail) { return bytes({kPttLeadTail, lead, tail}); }
QByteArray SetPinConfig(std::uint8_t config) { return bytes({kPinConfig, config}); }
QByteArray SetMode(std::uint8_t mode) { return bytes({kMode, mode}); }
QByteArray SetDitDahRatio(std::uint8_t ratio) { return bytes({kDitDahRatio, ratio}); }
QByteArray ClearBuffer() { return bytes({kClearBuffer}); }
QByteArray Backspace() { return bytes({kBackspace}); }
QByteArray RequestStatus() { return bytes({kStatus}); }

std::optional<std::uint8_t> CharacterByte(int code) {
    if (code < 0x20 || code > 0x7E) return std::nullopt;
    return static_cast<std::uint8_t>(code);
}

void ReplyReader::Take(const QByteArray& bytes) {
    for (const char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        if ((b & 0xE0) == 0xC0) {
            status_ = b & 0x1F;
            ++statusBytes_;
        } else if (b < 0x80) {
            // Only the newest few matter: an answer is awaited right after its request.
            if (answers_.size() >= 64) answers_.remove(0, 1);
            answers_.append(c);
        }
        // 10xxxxxx: the speed knob, which the settings' speed overrides; 111xxxxx: no byte the
        // device sends.
    }
}

std::optional<std::uint8_t> ReplyReader::TakeAnswer() {
    if (answers_.isEmpty()) return std::nullopt;
    const auto b = static_cast<std::uint8_t>(answers_.front());
    answers_.remove(0, 1);
    return b;
}

} // namespace winkey

QString WinKeyConnectionMessage(int port) {
    return QStringLiteral("Unable to establish connection with WinKey on com port ") + QString::number(port) +
           QStringLiteral(".  Please check to make sure that you have specified the correct port and that the "
                          "Winkey device is properly connected.");
}

QString WinKeyConnectionTitle() { return QStringLiteral("Unable to establish connection with Winkey."); }

} // namespace tylog
