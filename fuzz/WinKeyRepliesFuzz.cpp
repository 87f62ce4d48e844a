// What the external keyer device sends back, as the driver takes it: any bytes, in any pieces, with
// answers taken or dropped between them, leave a status of five bits and answers that are plain bytes.
#include "fuzz/FuzzSupport.h"
#include "keying/WinKeyProtocol.h"

using namespace tylog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    winkey::ReplyReader reader;
    int statusBytes = 0;
    // Pieces as they arrive; the first byte of each says what the driver does after it.
    for (const QByteArray& piece : fuzz::Split(data, size, 64)) {
        if (piece.isEmpty()) continue;
        reader.Take(piece.mid(1));
        FUZZ_CHECK(reader.Status() >= 0 && reader.Status() < 32);
        FUZZ_CHECK(reader.StatusBytes() >= statusBytes);
        statusBytes = reader.StatusBytes();
        switch (static_cast<std::uint8_t>(piece[0]) % 3) {
        case 0:
            while (const auto answer = reader.TakeAnswer()) FUZZ_CHECK(*answer < 0x80);
            break;
        case 1: reader.DropAnswers(); FUZZ_CHECK(!reader.TakeAnswer()); break;
        default: break;
        }
    }
    return 0;
}
