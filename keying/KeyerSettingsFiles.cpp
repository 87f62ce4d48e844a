#include "keying/KeyerSettingsFiles.h"
#include "core/ProcessState.h"
#include "keying/CWFrm.h"
#include "keying/CWKeyer.h"
#include "keying/KeyerBoxes.h"
#include "keying/KeyerState.h"
#include "keying/PhoneFrm.h"
#include "keying/WinKeySetup.h"
#include "platform/Registry.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"
#include "platform/Diagnostics.h"

namespace tylog {

namespace {

// An untyped value as a text box shows it: text stays text, a bare number becomes its decimal text.
QString BoxText(ValueReader& r) {
    bool quoted = false;
    const QString value = r.ReadUntyped(&quoted);
    double number = 0;
    if (!quoted && IsNumericText(value, &number)) return NumberText(number);
    return value;
}

double Number(ValueReader& r) {
    double number = 0;
    if (!IsNumericText(r.ReadUntyped(), &number)) throw VbError(VbError::TypeMismatch, "Type mismatch");
    return number;
}

// The repeat seconds go through the box's own rule: the files are written from what the box held,
// but a hand-edited or damaged file could otherwise start a repeat the box would never allow.
QString RepeatSeconds(ValueReader& r) {
    bool quoted = false;
    const QString value = r.ReadUntyped(&quoted);
    double seconds = 0;
    if (!IsNumericText(value, &seconds)) throw VbError(VbError::TypeMismatch, "Type mismatch");
    int ms = 0;
    if (!RepeatIntervalMs(value, &ms)) return "0";
    return quoted ? value : NumberText(seconds);
}

// Reads the file's values one by one into file.settings; a value that is missing or does not
// convert ends the reading.
template <class Settings, class ReadValues>
SettingsFile<Settings> ReadSettingsFile(const QString& path, ReadValues readValues) {
    SettingsFile<Settings> file;
    try {
        ValueReader r = ValueReader::FromBytes(ReadAllBytes(path));
        file.opened = true;
        readValues(r, file.settings);
        file.whole = true;
    } catch (const VbError& e) {
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
    }
    return file;
}

} // namespace

SettingsFile<CWSettings> ReadCWSettings(const QString& path) {
    return ReadSettingsFile<CWSettings>(path, [](ValueReader& r, CWSettings& s) {
        for (int i = 0; i < 9; ++i) s.Messages[static_cast<size_t>(i)] = BoxText(r);
        if (s.Messages[8].isEmpty()) s.Messages[8] = "VVV DE ";
        s.SerialPort = BoxText(r);
        s.Speed = BoxText(r);
        s.Messages[9] = BoxText(r);
        s.Messages[10] = BoxText(r);
        s.WordSpace = HeldWordSpace(BoxText(r));
        s.KeyingType = r.ReadByte();
        s.ParallelPort = BoxText(r);
        const double echo = Number(r);
        if (echo != 0 && echo != 1 && echo != 2) throw VbError(380, "Invalid property value");
        s.Echo = echo == 1;
        s.RepeatSeconds = RepeatSeconds(r);
    });
}

SettingsFile<VoiceSettings> ReadVoiceSettings(const QString& path) {
    return ReadSettingsFile<VoiceSettings>(path, [](ValueReader& r, VoiceSettings& s) {
        for (QString& wave : s.WaveFiles) wave = BoxText(r);
        s.SerialPort = BoxText(r);
        double line = -1;
        IsNumericText(r.ReadUntyped(), &line);
        if (line == 0 || line == 1 || line == 2) s.KeyingLine = static_cast<int>(line);
        s.RepeatSeconds = RepeatSeconds(r);
        s.ParallelPort = BoxText(r);
    });
}

void WriteCWSettings(const QString& path, const CWSettings& s) {
    // A double quote would end its value early and shift every later one.
    auto text = [](QString t) { return t.remove(u'"'); };
    ValueWriter w;
    for (int i = 0; i < 9; ++i) w.Text(text(s.Messages[static_cast<size_t>(i)])).EndLine();
    w.Text(text(s.SerialPort)).EndLine();
    w.Text(text(s.Speed)).EndLine();
    w.Text(text(s.Messages[9])).EndLine();
    w.Text(text(s.Messages[10])).EndLine();
    w.Text(text(s.WordSpace)).EndLine();
    w.Integer(s.KeyingType).EndLine();
    w.Text(text(s.ParallelPort)).EndLine();
    w.Integer(s.Echo ? 1 : 0).EndLine();
    w.Text(text(s.RepeatSeconds)).EndLine();
    WriteFileAtomic(path, w.Bytes());
}

namespace {
const char* const kRegistryApp = "Q7BZW_Software";
const char* const kRegistrySection = "Settings";
} // namespace

void LoadCWTiming(CWSettings& settings) {
    double loops = 0;
    IsNumericText(GetSetting(kRegistryApp, kRegistrySection, "UserCWLoopOffset", "0"), &loops);
    settings.LoopsPer60ms = loops;
    const QString method = GetSetting(kRegistryApp, kRegistrySection, "UserCWSelection", "Timer");
    settings.Timing = method == "Loop" ? CWTiming::Loop : method == "Sleep" ? CWTiming::Sleep : CWTiming::Timer;
}

void SaveCWTiming(const CWSettings& settings) {
    const char* const method[] = {"Timer", "Loop", "Sleep"};
    SaveSetting(kRegistryApp, kRegistrySection, "UserCWSelection", method[static_cast<int>(settings.Timing)]);
    SaveSetting(kRegistryApp, kRegistrySection, "UserCWLoopOffset", NumberText(settings.LoopsPer60ms));
}

void WriteVoiceSettings(const QString& path, const VoiceSettings& s) {
    ValueWriter w;
    for (const QString& wave : s.WaveFiles) w.Text(wave.trimmed()).EndLine();
    w.Text(s.SerialPort).EndLine();
    w.Integer(s.KeyingLine).EndLine();
    w.Text(s.RepeatSeconds).EndLine();
    w.Text(s.ParallelPort).EndLine();
    WriteFileAtomic(path, w.Bytes());
}

void LoadVoiceSettings() {
    const SettingsFile<VoiceSettings> file = ReadVoiceSettings(FindNoCase(Folders.ProgramFolder, "wave2.txt"));
    if (file.opened) {
        KeyerSettings.Voice = file.settings;
        // The window shows the settings when it loads; one already loaded shows them anew.
        if (PhoneFrmWindow* f = vb::IfLoaded<PhoneFrmWindow>()) f->ShowSettings();
    }
    if (!file.whole)
        throw VbError(file.opened ? VbError::InputPastEnd : VbError::FileNotFound,
                      file.opened ? "a value is missing or does not convert" : "wave2.txt was not found");
}

void LoadCWSettings() {
    // The keyer times by the registry's choice whether or not the window ever loads.
    LoadCWTiming(KeyerSettings.CW);
    const SettingsFile<CWSettings> file = ReadCWSettings(FindNoCase(Folders.ProgramFolder, "cw.txt"));
    if (!file.opened) return;
    CWSettings settings = file.settings;
    settings.Timing = KeyerSettings.CW.Timing;
    settings.LoopsPer60ms = KeyerSettings.CW.LoopsPer60ms;
    Keyer.CWKeyingType = settings.KeyingType;
    // Only a whole file chooses the keying option on show; the type read is in force all the same.
    if (!file.whole) settings.KeyingType = CWSettings{}.KeyingType;
    KeyerSettings.CW = settings;
    if (CWFrmWindow* f = vb::IfLoaded<CWFrmWindow>()) {
        f->ShowSettings();
        return;
    }
    // The window loads when first shown. What its showing these settings does beyond the window is
    // done now: the external keyer chosen loads its window (which reads WK.txt), and the counting loop
    // chosen without a count is calibrated.
    if (settings.KeyingType == 5) frmWinKey();
    if (settings.Timing == CWTiming::Loop && settings.LoopsPer60ms == 0) CWEngine().CalibrateCWLoop();
}

} // namespace tylog
