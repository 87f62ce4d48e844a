#pragma once
// The external keyer device's host-mode serial protocol as plain data: the bytes of each command, what
// a byte from the device is, and the result codes of the open with their status texts.
//
// The device takes commands (a code below 0x20 and its parameter bytes) and characters to send
// (0x20 to 0x7E) on one line, 1200 baud, 8 data bits, no parity, 2 stop bits. What it sends back:
// answers to the open and the echo test (plain bytes below 0x80), speed-knob readings (10xxxxxx) and
// status bytes (110xxxxx), which it pushes on its own whenever its state changes.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace tylog {

namespace winkey {

inline constexpr char kLineSettings[] = "1200,N,8,2";

// Result codes of the open and of the operations on a device that is not open.
enum Result : int {
    Success = 0,
    NoEchoResponse = -1,
    EchoMismatch = -2,
    NoOpenResponse = -3,
    ComOpenFailed = -4,   // no such port, taken, or a number no port has
    GetComStateFailed = -5, // the port opened but its state could not be read or set up (a device error)
    SetComStateFailed = -6, // the port refused the line settings
    LineLost = -7,        // the device went away in the middle of the open
    AlreadyOpen = -8,
    NotOpen = -9,
};

// The status text of a result code, or nothing for -7 and the codes no text belongs to.
std::optional<QString> StatusText(int code);

// Commands.
inline constexpr std::uint8_t kEchoTestByte = 0x55;
QByteArray HostOpen();                 // answered with the version byte
QByteArray HostClose();
QByteArray EchoTest(std::uint8_t b);   // answered with b
QByteArray SetWpm(std::uint8_t wpm);
QByteArray SetWeight(std::uint8_t weight);
QByteArray SetPttLeadTail(std::uint8_t lead, std::uint8_t tail); // units of 10 ms
QByteArray SetPinConfig(std::uint8_t config);
QByteArray SetMode(std::uint8_t mode);
QByteArray SetDitDahRatio(std::uint8_t ratio);
QByteArray ClearBuffer();
QByteArray Backspace();
QByteArray RequestStatus();
// The byte of a character the device sends as Morse, or nothing for a code it would take as a
// command (below 0x20) or does not know (above 0x7E).
std::optional<std::uint8_t> CharacterByte(int code);

// The status value of a status byte: its five state bits (1 the buffer is over two thirds full,
// 2 paddle break-in, 4 busy sending, 8 key down, 16 waiting). Below 5 the device takes another
// character; 0 it holds nothing unsent.
inline constexpr int kStatusBusy = 4;

// The bytes from the device, taken as they come: status bytes update the status, speed-knob bytes and
// bytes of no kind are dropped, and plain bytes are kept as answers for whoever waits for one (the
// open's version byte, the echo). Nothing in the input can make it fail.
class ReplyReader {
public:
    void Take(const QByteArray& bytes);
    // The first answer not yet taken.
    std::optional<std::uint8_t> TakeAnswer();
    // Drops the answers not taken (before a request whose answer is awaited).
    void DropAnswers() { answers_.clear(); }
    int Status() const { return status_; }
    // How many status bytes came so far.
    int StatusBytes() const { return statusBytes_; }
    void Reset() { *this = {}; }

private:
    QByteArray answers_;
    int status_ = 0;
    int statusBytes_ = 0;
};

} // namespace winkey

// "Unable to establish connection with WinKey on com port N.  ..." and its title.
QString WinKeyConnectionMessage(int port);
QString WinKeyConnectionTitle();

} // namespace tylog
