#include "spotting/PacketFrame.h"
#include "spotting/SpotFraming.h"

namespace tylog {

namespace {

void putCall(QByteArray& out, const QByteArray& call) {
    const QByteArray c = call.left(PacketCallSize);
    out += c;
    out += QByteArray(PacketCallSize - c.size(), '\0');
}

void putLong(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t getLong(const QByteArray& in, int at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(in[at + i]);
    return v;
}

QByteArray getCall(const QByteArray& in, int at) {
    const QByteArray field = in.mid(at, PacketCallSize);
    const qsizetype zero = field.indexOf('\0');
    return zero < 0 ? field : field.left(zero);
}

} // namespace

QByteArray EncodePacketFrame(const PacketFrame& f) {
    QByteArray out;
    out.reserve(PacketHeaderSize + f.data.size());
    out += static_cast<char>(f.port);
    out += QByteArray(3, '\0');
    out += static_cast<char>(f.kind);
    out += '\0';
    out += static_cast<char>(f.pid);
    out += '\0';
    putCall(out, f.callFrom);
    putCall(out, f.callTo);
    putLong(out, static_cast<std::uint32_t>(f.data.size()));
    putLong(out, f.user);
    out += f.data;
    return out;
}

FrameTake TakePacketFrameAt(const QByteArray& stream, qsizetype& at, PacketFrame* frame) {
    if (stream.size() - at < PacketHeaderSize) return FrameTake::NeedMore;
    const std::uint32_t length = getLong(stream, static_cast<int>(at + 28));
    if (length > PacketWireLimit) return FrameTake::OutOfStep;
    const qsizetype total = PacketHeaderSize + static_cast<qsizetype>(length);
    if (stream.size() - at < total) return FrameTake::NeedMore;
    frame->port = static_cast<std::uint8_t>(stream[at]);
    frame->kind = static_cast<std::uint8_t>(stream[at + 4]);
    frame->pid = static_cast<std::uint8_t>(stream[at + 6]);
    frame->callFrom = getCall(stream, static_cast<int>(at + 8));
    frame->callTo = getCall(stream, static_cast<int>(at + 18));
    frame->user = getLong(stream, static_cast<int>(at + 32));
    frame->data = stream.mid(at + PacketHeaderSize, std::min<qsizetype>(length, PacketDataLimit));
    at += total;
    return FrameTake::Frame;
}

FrameTake TakePacketFrame(QByteArray& stream, PacketFrame* frame) {
    qsizetype at = 0;
    const FrameTake t = TakePacketFrameAt(stream, at, frame);
    stream.remove(0, at);
    return t;
}

PacketView ViewPacketFrame(int kind, const QString& from, const QString& data, bool connected) {
    PacketView v;
    v.monitorLine = EachBreakAsCrLf(QChar(kind) + from + ' ' + data);
    v.data = EachBreakAsCrLf(data);
    if (!connected) {
        // A monitored frame's first line is the engine's header (ports, calls, PID, time).
        const qsizetype lf = v.data.indexOf('\n');
        if (lf >= 0) v.data.remove(0, lf + 1);
        v.data = TrimBlanks(v.data);
    }
    if (v.data == QLatin1String("\r\n")) v.data.clear();
    else if (v.data.size() > 4 && v.data.endsWith(QLatin1String("\r\n\r\n"))) v.data.chop(2);
    return v;
}

qsizetype PacketSpotStart(const QString& data) {
    const qsizetype at = data.indexOf(QLatin1String("DX"), 0, Qt::CaseInsensitive);
    return at == 0 || at == 1 ? at : -1;
}

} // namespace tylog
