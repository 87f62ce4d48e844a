#include "spotting/SpotSettings.h"
#include "core/ProcessState.h"
#include "platform/Diagnostics.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

namespace tylog {

QString TncSettingsText(const SpotSettings& s) {
    QString baud = s.TncBaud;
    while (baud.endsWith(' ')) baud.chop(1);
    return baud + ',' + s.TncParity + ',' + s.TncDataBits + ',' + s.TncStopBits;
}

namespace {

double number(ValueReader& r) {
    double d = 0;
    if (!ParseNumber(r.ReadUntyped(), &d)) throw VbError(VbError::TypeMismatch, "Type mismatch");
    return d;
}

bool truth(ValueReader& r) {
    const QString v = r.ReadUntyped();
    if (v.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0) return true;
    if (v.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0) return false;
    double d = 0;
    if (!ParseNumber(v, &d)) throw VbError(VbError::TypeMismatch, "Type mismatch");
    return d != 0;
}

} // namespace

SpotSettingsFile ReadSpotSettings(const QString& path) {
    SpotSettingsFile file;
    SpotSettings& s = file.settings;
    try {
        ValueReader r = ValueReader::FromBytes(ReadAllBytes(path));
        file.opened = true;
        // Each value counts once it is in; the first that fails ends the reading.
        const auto step = [&file](auto read) { read(); ++file.read; };
        step([&] { s.TncBaud = r.ReadText(); });
        step([&] { s.TncParity = r.ReadText(); });
        step([&] { s.TncDataBits = r.ReadText(); });
        step([&] { s.TncStopBits = r.ReadText(); });
        step([&] { s.TncCommPort = r.ReadByte(); });
        step([&] { s.TncPowerLine = r.ReadText(); });
        step([&] { s.Transport = r.ReadText(); });
        step([&] {
            const double v = number(r);
            if (v != 0 && v != 1 && v != 2) throw VbError(380, "Invalid property value");
            s.ConvertToHex = static_cast<int>(v);
        });
        step([&] { s.TncHandshake = r.ReadByte(); });
        step([&] { s.ListDXOnly = number(r) != 0 ? 1 : 0; });
        step([&] { s.OptList = truth(r); });
        step([&] { s.TncHex = r.ReadText(); });
        step([&] { s.TelnetPort = r.ReadText(); });
        step([&] { s.TelnetHost = r.ReadText(); });
    } catch (const VbError& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << file.read << e.Description;
    }
    return file;
}

QByteArray SpotSettingsBytes(const SpotSettings& s) {
    ValueWriter head;
    head.Text(s.TncBaud).EndLine();
    head.Text(s.TncParity).EndLine();
    head.Text(s.TncDataBits).EndLine();
    head.Text(s.TncStopBits).EndLine();
    head.Integer(s.TncCommPort).EndLine();
    head.Text(s.TncPowerLine).EndLine();
    head.Text(s.Transport).EndLine();
    head.Integer(s.ConvertToHex).EndLine();
    head.Integer(s.TncHandshake).EndLine();
    head.Integer(s.ListDXOnly).EndLine();
    ValueWriter tail;
    tail.Text(s.TncHex).EndLine();
    tail.Text(s.TelnetPort).EndLine();
    tail.Text(s.TelnetHost).EndLine();
    return head.Bytes() + (s.OptList ? "#TRUE#" : "#FALSE#") + CrLf + tail.Bytes();
}

void WriteSpotSettings(const QString& path, const SpotSettings& s) { WriteFileAtomic(path, SpotSettingsBytes(s)); }

QString SpotSettingsPath() { return FindNoCase(Folders.ProgramFolder, QStringLiteral("PackSpot.txt")); }

} // namespace tylog
