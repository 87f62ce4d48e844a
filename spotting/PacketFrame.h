#pragma once
// The packet engine's TCP host interface: frames of a 36-byte header (port, data kind, PID, the calls
// from and to, the data length, little-endian, and a user word) followed by the data. Encoding, taking
// whole frames off a received stream with the lengths checked, and what the spotting window makes of a
// received frame (the monitor line and the data it shows and parses).
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace tylog {

struct PacketFrame {
    std::uint8_t port = 0;
    std::uint8_t kind = 0; // the data kind, a character code ('X', 'D', 'd', ...)
    std::uint8_t pid = 0;
    QByteArray callFrom;   // up to 10 bytes, without the zero bytes that pad it
    QByteArray callTo;
    QByteArray data;
    std::uint32_t user = 0;
};

inline constexpr int PacketHeaderSize = 36;
inline constexpr int PacketCallSize = 10;
// The data the window takes of one frame; the rest of a longer frame is skipped.
inline constexpr int PacketDataLimit = 4000;
// A header announcing more than this cannot come from the engine (its frames are a few hundred bytes):
// the stream is out of step and nothing after it can be read as frames.
inline constexpr std::uint32_t PacketWireLimit = 1 << 16;

// The frame's bytes; calls longer than 10 bytes are cut.
QByteArray EncodePacketFrame(const PacketFrame& frame);

enum class FrameTake { Frame, NeedMore, OutOfStep };
// Takes the first whole frame off the front of the stream into *frame: the calls up to their first
// zero byte, the data up to PacketDataLimit. NeedMore leaves the stream as it is; OutOfStep (a length
// above PacketWireLimit) leaves it too, for the caller to drop.
FrameTake TakePacketFrame(QByteArray& stream, PacketFrame* frame);
// The same from position `at` of the stream, which moves past the frame taken; the stream stays as it
// is, so a burst of frames costs one move of it.
FrameTake TakePacketFrameAt(const QByteArray& stream, qsizetype& at, PacketFrame* frame);

// What the spotting window makes of a received frame (kind, sender, data): the monitor line (the kind's
// character, the sender, a blank, the data) and the data as the window shows and parses them, every CR
// and LF as CR LF. While no station is connected (monitoring) the data loses everything up to and
// including its first LF (the monitor header) and its blanks at both ends; data that is just a line
// break becomes empty; a trailing double line break becomes one.
struct PacketView {
    QString monitorLine;
    QString data;
};
PacketView ViewPacketFrame(int kind, const QString& from, const QString& data, bool connected);

// Where "DX" (any case) first occurs in the data when that is at its first or second character; -1
// otherwise.
qsizetype PacketSpotStart(const QString& data);

} // namespace tylog
