// The packet engine's stream as our client takes it: whole frames off the front with the lengths
// checked, each re-encoded, and the spotting window's view of it. Input: the bytes received.
#include "fuzz/FuzzSupport.h"
#include "platform/TextFile.h"
#include "spotting/PacketFrame.h"
#include "spotting/SpotFraming.h"

using namespace tylog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    QByteArray stream(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    PacketFrame f;
    for (;;) {
        const qsizetype before = stream.size();
        const FrameTake t = TakePacketFrame(stream, &f);
        if (t == FrameTake::NeedMore) {
            FUZZ_CHECK(stream.size() == before);
            break;
        }
        if (t == FrameTake::OutOfStep) {
            FUZZ_CHECK(stream.size() == before && before >= PacketHeaderSize);
            break;
        }
        FUZZ_CHECK(stream.size() <= before - PacketHeaderSize);
        FUZZ_CHECK(f.data.size() <= PacketDataLimit);
        FUZZ_CHECK(f.callFrom.size() <= PacketCallSize && !f.callFrom.contains('\0'));
        FUZZ_CHECK(f.callTo.size() <= PacketCallSize && !f.callTo.contains('\0'));
        // What we send reads back as itself.
        QByteArray again = EncodePacketFrame(f);
        PacketFrame back;
        FUZZ_CHECK(TakePacketFrame(again, &back) == FrameTake::Frame && again.isEmpty());
        FUZZ_CHECK(back.kind == f.kind && back.data == f.data && back.callFrom == f.callFrom && back.user == f.user);
        for (bool connected : {false, true}) {
            const PacketView v = ViewPacketFrame(f.kind, FromAnsi(f.callFrom), FromAnsi(f.data), connected);
            FUZZ_CHECK(v.monitorLine.size() <= 2 * (f.data.size() + f.callFrom.size() + 2));
            const qsizetype at = PacketSpotStart(v.data);
            FUZZ_CHECK(at == -1 || at == 0 || at == 1);
            if (at >= 0) SpotLineFields(v.data, at);
        }
    }
    return 0;
}
