// The header of a wave file the operator chose (a message or a prompt): any bytes measured without a
// crash, undefined behaviour or a read past the file, and a length the file can hold; a sound that is
// measured plays for that length and no longer; the samples read for the sound output are whole
// frames of what the file holds.
#include "fuzz/FuzzSupport.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/WavePlayer.h"
#include "platform/testing/Fakes.h"

using namespace tylog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzz::WriteFile("x.wav", bytes);
    const QString path = JoinPath(fuzz::Scratch(), "x.wav");
    std::uint32_t ms = 0;
    const bool measured = WaveLengthMs(path, &ms);
    // Every byte of sound lasts at least a millisecond's thousandth part: a byte rate of 1 at least.
    if (measured) FUZZ_CHECK(static_cast<std::uint64_t>(ms) <= static_cast<std::uint64_t>(size) * 1000);
    const auto player = platform().sound->NewPlayer();
    FUZZ_CHECK(player->Play(path) == measured);
    FUZZ_CHECK(player->Playing() == (measured && ms > 0));
    FUZZ_CHECK(player->RemainingMs() == (measured ? ms : 0));
    player->Stop();
    FUZZ_CHECK(!player->Playing());
    // The samples handed to the sound output: whole frames, never more than the file could hold.
    WaveSamples samples;
    QString why;
    if (ReadWaveSamples(bytes, &samples, &why)) {
        const int width = samples.kind == WaveSamples::Unsigned8 ? 1 : samples.kind == WaveSamples::Signed16 ? 2 : 4;
        FUZZ_CHECK(samples.channels > 0 && samples.rate > 0);
        FUZZ_CHECK(samples.data.size() % (qsizetype(width) * samples.channels) == 0);
        FUZZ_CHECK(samples.data.size() <= bytes.size() * 4 / 3);
    } else {
        FUZZ_CHECK(!why.isEmpty());
    }
    return 0;
}
