// PackSpot.txt: the reader takes any file without failing, stops at its first value that does not
// convert, and what it read is written back so that it reads the same. Input: the file's bytes.
#include "fuzz/FuzzSupport.h"
#include "platform/ValueFile.h"
#include "spotting/SpotSettings.h"

using namespace tylog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    fuzz::WriteFile("PackSpot.txt", QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QString path = fuzz::Scratch() + "/PackSpot.txt";
    const SpotSettingsFile file = ReadSpotSettings(path);
    FUZZ_CHECK(file.opened);
    FUZZ_CHECK(file.read >= 0 && file.read <= 14);
    const SpotSettings& s = file.settings;
    FUZZ_CHECK(s.TncCommPort >= 0 && s.TncCommPort <= 255 && s.TncHandshake >= 0 && s.TncHandshake <= 255);
    FUZZ_CHECK(s.ConvertToHex >= 0 && s.ConvertToHex <= 2 && (s.ListDXOnly == 0 || s.ListDXOnly == 1));

    WriteSpotSettings(path, s);
    const QByteArray written = fuzz::ReadFile("PackSpot.txt");
    const SpotSettingsFile back = ReadSpotSettings(path);
    FUZZ_CHECK(back.whole());
    // Texts lose what a quoted value cannot hold; everything else comes back as it was.
    FUZZ_CHECK(SpotSettingsBytes(back.settings) == written);
    FUZZ_CHECK(back.settings.TncCommPort == s.TncCommPort && back.settings.OptList == s.OptList &&
               back.settings.TncHandshake == s.TncHandshake && back.settings.Transport == StorableText(s.Transport));
    return 0;
}
