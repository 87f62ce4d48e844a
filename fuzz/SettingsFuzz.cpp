// The station settings file: what loads is written so that it loads again with the same values (texts
// less what a quoted value cannot hold, singles to their seven digits), and the second writing gives
// the same bytes as the first but for singles whose seventh digit moved.
#include "core/ProcessState.h"
#include "core/StationSettingsFile.h"
#include "fuzz/FuzzSupport.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <cmath>

using namespace tylog;

namespace {
bool nearSingle(double a, double b) { return a == b || std::fabs(a - b) <= std::fabs(b) * 1e-6; }

bool sameValues(const StationSettings& a, const StationSettings& b) {
    const QString* ta[] = {&a.OwnCall, &a.OwnSpc, &a.OwnCountry, &a.OwnArrlSection, &a.OwnName, &a.OwnCategory,
                           &a.CurrentCounty, &a.OwnCity, &a.CurrentMode, &a.CurrentBand, &a.OwnContinent,
                           &a.HostState, &a.RigType};
    const QString* tb[] = {&b.OwnCall, &b.OwnSpc, &b.OwnCountry, &b.OwnArrlSection, &b.OwnName, &b.OwnCategory,
                           &b.CurrentCounty, &b.OwnCity, &b.CurrentMode, &b.CurrentBand, &b.OwnContinent,
                           &b.HostState, &b.RigType};
    for (std::size_t i = 0; i < std::size(ta); ++i)
        if (StorableText(*ta[i]) != *tb[i]) return false;
    return nearSingle(b.UtcOffsetHours, a.UtcOffsetHours) && nearSingle(b.OwnLongitude, a.OwnLongitude) &&
           nearSingle(b.OwnLatitude, a.OwnLatitude) && nearSingle(b.OperSecondsSaved, a.OperSecondsSaved) &&
           a.FormSizePercent == b.FormSizePercent && a.WorkedColor == b.WorkedColor &&
           a.RemainingColor == b.RemainingColor && a.OutOfStateFlag == b.OutOfStateFlag &&
           a.RoverFlag == b.RoverFlag && a.VoiceNavLevel == b.VoiceNavLevel && a.TaskbarOption == b.TaskbarOption &&
           a.ListPreviousOption == b.ListPreviousOption;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    fuzz::WriteFile("QSOpref.txt", QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    Station = {};
    try {
        LoadStationSettings();
    } catch (const VbError&) {
        return 0;
    }
    const StationSettings first = Station;
    FUZZ_CHECK(first.FormSizePercent >= 0 && first.FormSizePercent <= 255);
    FUZZ_CHECK(first.VoiceNavLevel >= 0 && first.VoiceNavLevel <= 255);
    FUZZ_CHECK(SaveStationSettings());
    const QByteArray saved = fuzz::ReadFile("QSOpref.txt");
    FUZZ_CHECK(saved.count("\r\n") == 25 && saved.endsWith("\r\n"));
    Station = {};
    try {
        LoadStationSettings();
    } catch (const VbError& e) {
        fuzz::Fail(qPrintable("a written settings file does not load: " + e.Description), __FILE__, __LINE__);
    }
    FUZZ_CHECK(sameValues(first, Station));
    const StationSettings second = Station;
    FUZZ_CHECK(SaveStationSettings());
    Station = {};
    LoadStationSettings();
    FUZZ_CHECK(sameValues(second, Station));
    return 0;
}
