#include "rig/RigSettingsFile.h"
#include "core/ProcessState.h"
#include "platform/Diagnostics.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

namespace tylog {

namespace {
const char* const kFileName = "RigCntrl.txt";

// A text held in a fixed number of characters: padded with blanks or cut.
QString fixedText(const QString& value, int length) { return value.leftJustified(length, ' ', true); }

// A check box's value: 0, 1 or 2 (grey); any other is refused as the box refuses it.
bool checkValue(ValueReader& r) {
    const double v = r.ReadDouble();
    if (v != 0 && v != 1 && v != 2) throw VbError(380, "Invalid property value");
    return v == 1;
}
} // namespace

RigSettingsFile ReadRigSettings(const QString& path, const RigSettingsData& start) {
    RigSettingsFile file;
    file.settings = start;
    RigSettingsData& s = file.settings;
    try {
        ValueReader r = ValueReader::FromBytes(ReadAllBytes(path));
        file.opened = true;
        s.RigBaud = fixedText(r.ReadText(), 5);
        s.RigParity = fixedText(r.ReadText(), 1);
        s.RigDataBits = fixedText(r.ReadText(), 1);
        s.RigStopBits = fixedText(r.ReadText(), 1);
        s.RigModeQuery = r.ReadText();
        s.RigFrequencyQuery = r.ReadText();
        s.RigCommSettings = r.ReadText();
        s.RigPort = r.ReadByte();
        s.RigPowerLine = fixedText(r.ReadText(), 1);
        s.RigPollRate = fixedText(r.ReadText(), 1);
        file.rigType = r.ReadText();
        file.rigTypeRead = true;
        const bool toHex = checkValue(r);
        const bool useFrequency = checkValue(r);
        const double source = r.ReadDouble();
        s.ConvertToHex = toHex;
        s.UseFrequency = useFrequency;
        s.RigModeSource = source == 1 || source == 2 || source == 3 ? static_cast<int>(source) : 0;
        file.whole = true;
    } catch (const VbError& e) {
        qCDebug(lcRig) << Q_FUNC_INFO << e.Description;
    }
    if (s.RigPort < 1 || s.RigPort > 10) {
        s.RigPort = start.RigPort;
        s.RigBaud = start.RigBaud;
        s.RigParity = start.RigParity;
        s.RigDataBits = start.RigDataBits;
        s.RigStopBits = start.RigStopBits;
        s.RigPowerLine = start.RigPowerLine;
        s.RigPollRate = start.RigPollRate;
    }
    return file;
}

void WriteRigSettings(const QString& path, const RigSettingsData& s, const QString& rigType) {
    // The fixed-size values keep their size in the file, also where a character cannot be stored.
    auto fixed = [](const QString& value, int length) { return fixedText(StorableText(value), length); };
    ValueWriter w;
    w.Text(fixed(s.RigBaud, 5)).EndLine();
    w.Text(fixed(s.RigParity, 1)).EndLine();
    w.Text(fixed(s.RigDataBits, 1)).EndLine();
    w.Text(fixed(s.RigStopBits, 1)).EndLine();
    w.Text(s.RigModeQuery).EndLine();
    w.Text(s.RigFrequencyQuery).EndLine();
    w.Text(s.RigCommSettings).EndLine();
    w.Integer(s.RigPort).EndLine();
    w.Text(fixed(s.RigPowerLine, 1)).EndLine();
    w.Text(fixed(s.RigPollRate, 1)).EndLine();
    w.Text(rigType).EndLine();
    w.Integer(s.ConvertToHex ? 1 : 0).EndLine();
    w.Integer(s.UseFrequency ? 1 : 0).EndLine();
    w.Integer(s.RigModeSource == 2 || s.RigModeSource == 3 ? s.RigModeSource : 1).EndLine();
    WriteFileAtomic(path, w.Bytes());
}

RigSettingsFile LoadRigSettings() {
    RigSettingsFile file = ReadRigSettings(FindNoCase(Folders.ProgramFolder, kFileName), RigSettings);
    if (!file.opened) return file;
    RigSettings = file.settings;
    if (file.rigTypeRead) Station.RigType = file.rigType;
    return file;
}

void SaveRigSettings() { WriteRigSettings(FindNoCase(Folders.ProgramFolder, kFileName), RigSettings, Station.RigType); }

} // namespace tylog
