#include "logstore/AdifExport.h"
#include "core/ProcessState.h"
#include "logstore/DateText.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <QDir>

namespace tylog {

namespace {

constexpr int kCountryCapacity = 1000;

QString rtrim(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == QLatin1Char(' ')) --n;
    return s.left(n);
}

// "<Name:length>value", the length counted in characters.
QString field(const char* name, const QString& value) {
    return '<' + QLatin1String(name) + ':' + QString::number(value.size()) + '>' + value;
}

// Text of the header: a "<" would start a data specifier there (a "<EOH>" ends the header early and
// what follows reads as records), and a line break would add a line.
QString headerText(const QString& text) {
    QString t = text;
    t.remove(QChar('<'));
    t.remove(QChar('\r'));
    t.remove(QChar('\n'));
    return t;
}

QString bandName(const QString& band) { return band == QLatin1String("70") ? QStringLiteral("70cm") : band + "M"; }

// hh:mm:ss and hh:mm as four digits hhmm; an empty time gives 0000.
QString timeOn(const QString& time) {
    QString t = time.trimmed();
    const qsizetype colon = t.indexOf(':');
    if (colon >= 0) t = t.left(colon) + t.mid(colon + 1, 2);
    t = t.left(4);
    while (t.size() < 4) t.prepend('0');
    return t;
}

} // namespace

QString AdifCountryFilePath() {
    const QString name = QStringLiteral("ADIFCnt.txt");
    if (!Folders.SharedFolder.isEmpty() && ExistsNoCase(Folders.SharedFolder, name))
        return FindNoCase(Folders.SharedFolder, name);
    if (!Folders.DataFolder.isEmpty() && ExistsNoCase(Folders.DataFolder, name))
        return FindNoCase(Folders.DataFolder, name);
    return FindNoCase(Folders.ProgramFolder, name);
}

std::vector<AdifCountry> ReadAdifCountries(const QString& path) {
    ValueReader r = ValueReader::FromBytes(ReadAllBytes(path));
    std::vector<AdifCountry> rows;
    while (!r.AtEnd()) {
        if (static_cast<int>(rows.size()) >= kCountryCapacity)
            throw VbError(VbError::SubscriptOutOfRange, "Subscript out of range");
        AdifCountry c;
        c.Name = r.ReadText();
        c.Dxcc = r.ReadInteger();
        rows.push_back(c);
    }
    return rows;
}

QByteArray AdifHeader(const QString& hostState, const QString& programVersion, const QDateTime& localNow) {
    QString h;
    h += "Exported from Q7BZW's " + headerText(hostState) + " State QSO Party Logging Program " +
         headerText(programVersion) + CrLf;
    h += QString("Written by Orrin Brenner") + CrLf;
    h += QString("www.q7bzw-software.example    q7bzw@q7bzw-software.example") + CrLf;
    h += "Log exported on: " + localNow.toString("yyyy/MM/dd hh:mm:ss") + CrLf;
    h += CrLf;
    h += QString("<EOH>") + CrLf;
    h += CrLf;
    return ToAnsi(h);
}

QByteArray AdifRecord(const ContactRecord& r, const std::vector<AdifCountry>& countries, const QString& power,
                      const QString& comment, const QString& hostState) {
    const QDate date = DateFromText(r.Date);
    const QString qsoDate = date.isValid() ? date.toString("yyyyMMdd") : QString();
    const QString on = timeOn(r.Time);

    QString country, continent, state;
    if (r.Spc.size() < 4) {
        const QChar first = r.Call.isEmpty() ? QChar() : r.Call[0];
        if (first == 'A' || first == 'K' || first == 'N' || first == 'W') {
            country = "USA";
            continent = "NA";
            state = r.Spc;
            if (state == QLatin1String("HI")) country = "Hawaii";
            if (state == QLatin1String("AK")) country = "Alaska";
        } else {
            country = "Canada";
        }
    }
    if (r.Spc.size() > 3) country = r.Spc;
    if (r.Spc.size() < 2) state = hostState;
    if (state.size() > 2) state = state.left(2);
    if (!r.County.isEmpty()) {
        country = "USA";
        continent = "NA";
    }

    int dxcc = 0;
    const QString wanted = country.trimmed();
    for (const AdifCountry& c : countries) {
        if (c.Name == wanted) {
            dxcc = c.Dxcc;
            break;
        }
    }
    const QString mode = (r.Mode == QLatin1String("PH") ? QStringLiteral("SSB") : r.Mode).toUpper();

    QString out;
    if (!r.Call.isEmpty()) out += field("Call", r.Call) + ' ';
    if (!qsoDate.isEmpty()) out += "<Qso_Date:8:d>" + qsoDate + ' ';
    if (!r.Band.isEmpty()) out += field("Band", bandName(r.Band)) + ' ';
    if (!r.Frequency.isEmpty()) out += field("Freq", r.Frequency.trimmed()) + ' ';
    if (!mode.isEmpty()) out += field("Mode", mode) + CrLf;
    if (!power.isEmpty()) out += field("Tx_Pwr", rtrim(power)) + ' ';
    if (on.compare(QLatin1String("0000")) >= 0) out += field("Time_On", on) + ' ';
    if (dxcc > 0) out += field("DXCC", QString::number(dxcc)) + ' ';
    if (!state.isEmpty()) out += field("State", state) + ' ';
    if (!r.County.isEmpty()) out += field("Cnty", state + ',' + r.County) + ' ';
    if (!continent.isEmpty()) out += field("Cont", continent) + ' ';
    if (!r.RstRcvd.isEmpty()) out += field("RST_Rcvd", rtrim(r.RstRcvd)) + ' ';
    if (!r.RstSent.isEmpty()) out += field("RST_Sent", rtrim(r.RstSent)) + ' ';
    if (!comment.isEmpty()) out += field("Comment", comment) + CrLf;
    out += QString("<eor>") + CrLf;
    out += CrLf;
    return ToAnsi(out);
}

void ExportADIF() {
    const QString power = InputBox(
        "Please enter the power value that you would like to record.  This is an optional value that will be included "
        "in each QSO record and displayed in Hearthbook's power output column.",
        "Please enter your transmitter output power.", "100");
    const QString comment = InputBox(
        "Please enter a comment that you would like to appear on each QSO record.  This is an optional description "
        "that will be displayed in Hearthbook's Comments column.",
        "Please enter a comment.", Station.HostState + " State QSO Party Contest");
    QString path;
    try {
        const std::vector<AdifCountry> countries = ReadAdifCountries(AdifCountryFilePath());

        FileDialogOptions o;
        o.InitDir = Folders.DataFolder;
        o.FileName = JoinPath(Folders.DataFolder, Station.HostState + ".adi");
        o.Filter = "ADIF Files (*.adi) | *.adi";
        path = platform().dialogs->ShowSave(o);
        if (path.isEmpty()) return; // Cancel: nothing is written

        QByteArray bytes = AdifHeader(Station.HostState, Run.ProgramVersion, platform().clock->Now());
        for (int i = 1; i <= ContactLog.Count; ++i)
            bytes += AdifRecord(ContactLog.Rec[static_cast<size_t>(i)], countries, power, comment, Station.HostState);
        // Written whole or not at all: the success message follows only a file that is complete on disk.
        WriteFileAtomic(path, bytes);
    } catch (const VbError& e) {
        Beep();
        MsgBox(e.Description, vbOKOnly, "Unable to write file.");
        return;
    }
    MsgBox("The file was successfully written to the directory:" + QString(CrLf) + CrLf + QDir::toNativeSeparators(path) + ".",
           vbOKOnly, "File Written Successfully.");
}

} // namespace tylog
