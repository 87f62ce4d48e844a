// The keyer files CW.txt and wave2.txt, read from the program folder at start-up, and the external
// keyer's WK.txt from the data folder: any bytes read without a crash or undefined behaviour, and what
// reads whole is written so that it reads whole again, to the same values.
#include "fuzz/FuzzSupport.h"
#include "keying/KeyerSettingsFiles.h"
#include "keying/WinKeySettings.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

using namespace tylog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzz::WriteFile("CW.txt", bytes);
    fuzz::WriteFile("wave2.txt", bytes);
    fuzz::WriteFile("WK.txt", bytes);
    const QString cw = JoinPath(fuzz::Scratch(), "CW.txt");
    const QString wave = JoinPath(fuzz::Scratch(), "wave2.txt");
    try {
        const auto read = ReadCWSettings(cw);
        if (read.whole) {
            WriteCWSettings(cw, read.settings);
            FUZZ_CHECK(ReadCWSettings(cw).whole);
        }
    } catch (const VbError&) {
    }
    try {
        const auto read = ReadVoiceSettings(wave);
        if (read.whole) {
            WriteVoiceSettings(wave, read.settings);
            FUZZ_CHECK(ReadVoiceSettings(wave).whole);
        }
    } catch (const VbError&) {
    }
    try {
        const QString wk = JoinPath(fuzz::Scratch(), "WK.txt");
        const auto read = ReadWinKeySettings(wk);
        if (read.whole) {
            WriteWinKeySettings(wk, read.settings);
            const auto again = ReadWinKeySettings(wk);
            FUZZ_CHECK(again.whole);
            // Texts come back as the writer can store them (no double quotes, CR or LF).
            FUZZ_CHECK(again.settings.ComPort == read.settings.ComPort && again.settings.Mode == read.settings.Mode &&
                       again.settings.PinConfig == read.settings.PinConfig &&
                       again.settings.Speed == StorableText(read.settings.Speed) &&
                       again.settings.Ratio == StorableText(read.settings.Ratio));
        }
    } catch (const VbError&) {
    }
    return 0;
}
