// RigCntrl.txt, read from the program folder when the radio window loads: any bytes read without a
// crash or undefined behaviour, into values of their sizes; a file that reads whole is written so that
// it reads whole again, to the same values, and its rewrite is stable.
#include "fuzz/FuzzSupport.h"
#include "platform/TextFile.h"
#include "rig/RigSettingsFile.h"

using namespace tylog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    fuzz::WriteFile("RigCntrl.txt", QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QString path = JoinPath(fuzz::Scratch(), "RigCntrl.txt");
    const RigSettingsFile read = ReadRigSettings(path);
    const RigSettingsData& s = read.settings;
    FUZZ_CHECK(s.RigBaud.size() == 5);
    FUZZ_CHECK(s.RigParity.size() == 1 && s.RigDataBits.size() == 1 && s.RigStopBits.size() == 1);
    FUZZ_CHECK(s.RigPowerLine.size() == 1 && s.RigPollRate.size() == 1);
    FUZZ_CHECK(s.RigPort >= 1 && s.RigPort <= 10);
    FUZZ_CHECK(s.RigModeSource >= 0 && s.RigModeSource <= 3);
    if (!read.whole) return 0;
    WriteRigSettings(path, s, read.rigType);
    const QByteArray written = fuzz::ReadFile("RigCntrl.txt");
    const RigSettingsFile again = ReadRigSettings(path);
    FUZZ_CHECK(again.whole);
    WriteRigSettings(path, again.settings, again.rigType);
    FUZZ_CHECK(fuzz::ReadFile("RigCntrl.txt") == written);
    return 0;
}
