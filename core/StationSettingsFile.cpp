#include "core/StationSettingsFile.h"
#include "platform/Diagnostics.h"
#include "core/ProcessState.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tylog {

namespace {
const QString kFileName = QStringLiteral("QSOpref.txt");

// A byte of the file: 0 to 255 (the reader refuses anything else, so the writer never writes it).
int byteValue(int v) { return std::clamp(v, 0, 255); }

// The operating seconds are a single in the file; read, they are whole seconds (halves to even) that
// an int holds.
int secondsOf(float v) {
    const double r = std::nearbyint(static_cast<double>(v));
    if (r < std::numeric_limits<int>::min() || r > std::numeric_limits<int>::max())
        throw VbError(VbError::Overflow, "Overflow");
    return static_cast<int>(r);
}

QString settingsPath() { return FindNoCase(Folders.ProgramFolder, kFileName); }

// Minutes since an arbitrary origin of a wall-clock reading cut to the minute, whatever its zone.
qint64 wallMinutes(const QDateTime& t) {
    return t.date().toJulianDay() * 1440 + t.time().hour() * 60 + t.time().minute();
}
} // namespace

StationSettings DefaultStationSettings() {
    StationSettings s;
    s.CurrentBand = QStringLiteral("20");
    s.CurrentMode = QStringLiteral("CW");
    return s;
}

namespace {
constexpr const char* kBands[] = {"160", "80", "40", "20", "15", "10", "6", "2", "1.25", "70"};
constexpr const char* kModes[] = {"CW", "PH", "DG"};

// The code as the menus spell it, or "" when text is none of codes.
template <std::size_t N>
QString codeOf(const QString& text, const char* const (&codes)[N]) {
    for (const char* c : codes)
        if (text.compare(QLatin1String(c), Qt::CaseInsensitive) == 0) return QLatin1String(c);
    return {};
}

// A reader's error as the operator reads it.
QString reasonOf(const VbError& e) {
    switch (e.Number) {
    case VbError::InputPastEnd: return QStringLiteral("the file ends before it");
    case VbError::TypeMismatch: return QStringLiteral("it is not a number");
    case VbError::Overflow: return QStringLiteral("the number is out of range");
    default: return e.Description;
    }
}
} // namespace

bool IsBandCode(const QString& band) { return !codeOf(band, kBands).isEmpty(); }
bool IsModeCode(const QString& mode) { return !codeOf(mode, kModes).isEmpty(); }
QString StationSettingsPath() { return settingsPath(); }

void LoadStationSettings() {
    StationSettings s;
    int value = 0; // the value being read, 1..25
    try {
        ValueReader r = ValueReader::FromBytes(ReadAllBytes(settingsPath()));
        auto text = [&] {
            ++value;
            return r.ReadText();
        };
        auto single = [&] {
            ++value;
            return r.ReadSingle();
        };
        auto byte = [&] {
            ++value;
            return static_cast<int>(r.ReadByte());
        };
        s.OwnCall = text();
        s.OwnSpc = text();
        s.OwnCountry = text();
        s.OwnArrlSection = text();
        s.OwnName = text();
        s.OwnCategory = text();
        s.CurrentCounty = text();
        s.OwnCity = text();
        s.CurrentMode = text();
        s.CurrentBand = text();
        s.UtcOffsetHours = single();
        s.OwnLongitude = single();
        s.OwnLatitude = single();
        s.OwnContinent = text();
        s.FormSizePercent = byte();
        ++value;
        s.WorkedColor = r.ReadLong();
        ++value;
        s.RemainingColor = r.ReadLong();
        s.OperSecondsSaved = secondsOf(single());
        s.HostState = text();
        s.OutOfStateFlag = byte() != 0;
        s.RoverFlag = byte() != 0;
        s.VoiceNavLevel = byte();
        s.RigType = text();
        s.TaskbarOption = byte() != 0;
        s.ListPreviousOption = byte() != 0;
    } catch (const VbError& e) {
        // Values read from a damaged file go nowhere: they would be written into every new contact
        // and back into the file.
        Station = DefaultStationSettings();
        if (value == 0) throw; // the file itself (missing, unreadable): its error names it
        throw VbError(e.Number, QString("value %1 of 25: %2").arg(value).arg(reasonOf(e)));
    }
    const StationSettings defaults = DefaultStationSettings();
    s.CurrentBand = IsBandCode(s.CurrentBand) ? codeOf(s.CurrentBand, kBands) : defaults.CurrentBand;
    s.CurrentMode = IsModeCode(s.CurrentMode) ? codeOf(s.CurrentMode, kModes) : defaults.CurrentMode;
    Station = std::move(s);
}

bool SaveStationSettings(QString* error, SaveTold how) {
    const StationSettings& s = Station;
    ValueWriter w;
    w.Text(s.OwnCall).EndLine();
    w.Text(s.OwnSpc).EndLine();
    w.Text(s.OwnCountry).EndLine();
    w.Text(s.OwnArrlSection).EndLine();
    w.Text(s.OwnName).EndLine();
    w.Text(s.OwnCategory).EndLine();
    w.Text(s.CurrentCounty).EndLine();
    w.Text(s.OwnCity).EndLine();
    w.Text(s.CurrentMode).EndLine();
    w.Text(s.CurrentBand).EndLine();
    w.Single(s.UtcOffsetHours).EndLine();
    w.Single(s.OwnLongitude).EndLine();
    w.Single(s.OwnLatitude).EndLine();
    w.Text(s.OwnContinent).EndLine();
    w.Integer(byteValue(s.FormSizePercent)).EndLine();
    w.Integer(s.WorkedColor).EndLine();
    w.Integer(s.RemainingColor).EndLine();
    w.Single(static_cast<float>(s.OperSecondsSaved)).EndLine();
    w.Text(s.HostState).EndLine();
    w.Integer(s.OutOfStateFlag).EndLine();
    w.Integer(s.RoverFlag).EndLine();
    w.Integer(byteValue(s.VoiceNavLevel)).EndLine();
    w.Text(s.RigType).EndLine();
    w.Integer(s.TaskbarOption).EndLine();
    w.Integer(s.ListPreviousOption).EndLine();
    try {
        // Under the name it was found by: no second settings file beside one in other letters.
        WriteFileAtomic(settingsPath(), w.Bytes());
        ReportSaveSuccess(settingsPath());
        return true;
    } catch (const VbError& e) {
        if (error) *error = e.Description;
        else
            ReportSaveFailure(settingsPath(), e,
                              "The station settings (band, mode, operating time, window and list options)", how);
        return false;
    }
}

void CheckUtcOffset() {
    const float saved = Station.UtcOffsetHours;
    try {
        const QDateTime utc = platform().clock->NowUtc();
        const QDateTime local = platform().clock->Now();
        const qint64 minutes = wallMinutes(utc) - wallMinutes(local);
        const float recommended = static_cast<float>(std::round(static_cast<double>(minutes) / 60.0 * 100.0) / 100.0);
        if (Station.UtcOffsetHours == recommended) return;

        const QString nl = CrLf;
        const QString prompt =
            "Would you like to adjust the UTC offset in this program for your local time setting?" + nl + nl +
            "Current System Time: " + utc.toString("hh:mm") + nl + "Current Local Time: " + local.toString("hh:mm") +
            nl + nl + "Recommended Offset Setting: " + FormatSingle(recommended) + nl + nl +
            "Current Offset Setting: " + FormatSingle(saved) + nl + nl +
            "Please click OK to accept the recommended change or Cancel to keep the current setting.";
        const QString answer = InputBox(prompt, "Update the Local Time / UTC Offset?", FormatSingle(recommended));
        double value = 0;
        if (!ParseNumber(answer, &value)) return;
        if (std::fabs(value) > std::numeric_limits<float>::max()) throw VbError(VbError::Overflow, "Overflow");
        Station.UtcOffsetHours = static_cast<float>(value);
        SaveStationSettings();
    } catch (const VbError& e) {
        Station.UtcOffsetHours = saved;
        qCDebug(lcApp) << Q_FUNC_INFO << e.Description;
    }
}

} // namespace tylog
