#include "logtools/Cabrillo.h"
#include "core/SharedPrefs.h"
#include "core/UserFolders.h"
#include "logstore/DateText.h"
#include "platform/Registry.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <filesystem>
#include <optional>
#include <system_error>

namespace tylog {

namespace {

const QString kRegistryApp = QStringLiteral("Q7BZW_Software");
const QString kRegistrySection = QStringLiteral("Settings");

bool sameText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// A number as a print statement writes it: a blank where a minus sign would stand, the digits, a blank.
QString printed(const QString& digits) { return (digits.startsWith('-') ? QString() : QStringLiteral(" ")) + digits + ' '; }
QString printed(double v) { return printed(FormatDouble(v)); }
QString printed(float v) { return printed(FormatSingle(v)); }
QString printed(qint64 v) { return printed(QString::number(v)); }

// The first county row whose name equals value without regard to case (blanks around value ignored).
std::optional<QString> countyAbbrev(const CountyTableData& counties, const QString& value) {
    const QString v = value.trimmed();
    const int count = static_cast<int>(counties.Count);
    for (int i = 1; i <= count; ++i)
        if (sameText(counties.Name[static_cast<size_t>(i)], v)) return counties.Abbrev[static_cast<size_t>(i)];
    return std::nullopt;
}

// A QSO line, field by field. A field starts at its column, or further right when what stands before
// it reaches that far: a field is never overwritten and a blank always separates two fields.
class QsoLine {
public:
    void at(int column, const QString& text) {
        qsizetype start = column;
        if (!line_.isEmpty()) start = std::max(start, line_.size() + 2);
        line_ = line_.leftJustified(start - 1, ' ') + text;
    }
    void endingAt(int column, const QString& text) { at(column + 1 - static_cast<int>(text.size()), text); }
    const QString& text() const { return line_; }

private:
    QString line_;
};

QString qsoLine(const ContactRecord& r, const QString& date, const QString& time, const QString& ownCall,
                const QString& sent, const CountyTableData& counties) {
    QString received = r.County.trimmed();
    if (received.isEmpty()) {
        received = r.Spc.trimmed();
        if (received.size() > 2) received = QStringLiteral("DX"); // a country name: states have two letters
    }
    if (const auto a = countyAbbrev(counties, r.County)) received = a->trimmed();

    QsoLine q;
    q.at(1, QStringLiteral("QSO:"));
    q.at(6, CabrilloBandFrequency(r.Band));
    q.at(12, r.Mode);
    q.at(15, date);
    q.at(26, time);
    q.at(31, ownCall.left(9));
    q.endingAt(44, r.SerialSent);
    q.at(46, sent.left(9).trimmed());
    q.at(56, r.Call.left(9));
    q.endingAt(69, r.SerialRcvd);
    q.at(71, received);
    return q.text();
}

// The canonical path of the folder a path lies in; "" when the folder does not exist.
QString canonicalFolder(const QString& path) { return QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath(); }

// Whether writing to target would replace the program folder's log.txt: by its name in any spelling,
// through a symbolic link (dangling or chained), or as the same file (a hard link).
bool isWorkingLog(const QString& target) {
    const QString program = QFileInfo(Folders.ProgramFolder).canonicalFilePath();
    auto namesLog = [&](const QString& path) {
        if (!sameText(QFileInfo(path).fileName(), QStringLiteral("log.txt"))) return false;
        return !program.isEmpty() && canonicalFolder(path) == program;
    };
    QString p = target;
    for (int hops = 0; hops < 40; ++hops) {
        if (namesLog(p)) return true;
        const QFileInfo fi(p);
        if (!fi.isSymLink()) break;
        p = fi.symLinkTarget();
    }
    if (program.isEmpty()) return false;
    std::error_code ec;
    const std::filesystem::path a(QFile::encodeName(target).toStdString());
    const std::filesystem::path b(QFile::encodeName(WorkingLogPath()).toStdString());
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

} // namespace

int CountyBonus(const ContactLogData& log, std::uint8_t roverFlag) {
    if (roverFlag != 1) return 0;
    QStringList seen;
    for (int i = 1; i <= log.Count; ++i) {
        const QString& c = log.Rec[static_cast<size_t>(i)].SentCounty;
        if (!seen.contains(c, Qt::CaseInsensitive)) seen.append(c);
    }
    return 100 * static_cast<int>(seen.size());
}

int BonusStationPoints(const ContactLogData& log) {
    for (int i = 1; i <= log.Count; ++i)
        if (sameText(log.Rec[static_cast<size_t>(i)].Call, QStringLiteral("Q8BNS"))) return 500;
    return 0;
}

QString CabrilloBonusText(const QString& text) {
    double v = 0;
    return ParseNumber(text, &v) ? text : QStringLiteral("0");
}

QString CabrilloBandFrequency(const QString& band) {
    static const struct { const char* band; const char* field; } kBands[] = {
        {"160", " 1800"}, {"80", " 3500"}, {"40", " 7000"}, {"20", "14000"}, {"15", "21000"},
        {"10", "28000"},  {"6", "   50"},  {"2", "  144"},  {"1.25", "  222"}, {"70", "  432"},
    };
    for (const auto& b : kBands)
        if (sameText(band, QLatin1String(b.band))) return QLatin1String(b.field);
    return QString();
}

QString CabrilloDefaultFileName(const QString& ownCall) { return CallToFileStem(ownCall.trimmed()) + ".log"; }

CabrilloFile BuildCabrilloFile(const ContactLogData& log, const CountyTableData& counties,
                               const StationSettings& station, const QString& programVersion,
                               const CabrilloSheet& sheet) {
    CabrilloFile out;
    auto fail = [&](CabrilloStatus status, const QString& error, int record = 0) {
        out.Outcome = {status, error, record};
        return out;
    };

    // Bonuses: a box that holds no number counts 0; the values are singles, as the boxes were read.
    float bonus[2] = {0, 0};
    const QString* bonusText[2] = {&sheet.CountyBonusText, &sheet.BonusStationText};
    for (int i = 0; i < 2; ++i) {
        double v = 0;
        if (!ParseNumber(*bonusText[i], &v)) v = 0;
        if (std::fabs(v) > FLT_MAX) return fail(CabrilloStatus::BadScore, QStringLiteral("Overflow"));
        bonus[i] = static_cast<float>(v);
    }
    const float countyBonus = bonus[0];
    const float stationPoints = bonus[1];

    double score = 0;
    QString scoreText = sheet.ClaimedScoreText;
    if (!ParseNumber(scoreText.remove(','), &score)) return fail(CabrilloStatus::BadScore, QStringLiteral("Type mismatch"));
    const double claimed = std::trunc(score) + static_cast<double>(countyBonus) + static_cast<double>(stationPoints);

    const QString ownCall = station.OwnCall.trimmed();
    const bool inState = sheet.Window == CabrilloWindow::InState;

    qint64 phone = 0, cwDigital = 0, mobile = 0;
    QStringList qso;
    for (int i = 1; i <= log.Count; ++i) {
        const ContactRecord& r = log.Rec[static_cast<size_t>(i)];
        if (r.Call.contains(QStringLiteral("/M"), Qt::CaseInsensitive)) ++mobile;
        else if (sameText(r.Mode, QStringLiteral("PH"))) ++phone;
        else ++cwDigital;

        // Dates and times typed after the contest or in the editor may stray from the stored form;
        // one that reads as a date or time is written in the file's form, any other stops the file.
        const QDate d = DateFromText(r.Date);
        if (!d.isValid())
            return fail(CabrilloStatus::BadRecord,
                        QString("Record %1 has no date the file can hold: \"%2\".").arg(i).arg(r.Date), i);
        const QTime t = TimeFromText(r.Time);
        if (!t.isValid())
            return fail(CabrilloStatus::BadRecord,
                        QString("Record %1 has no time the file can hold: \"%2\".").arg(i).arg(r.Time), i);

        QString sent = station.OwnSpc;
        if (inState) {
            sent = r.SentCounty;
            if (const auto a = countyAbbrev(counties, r.SentCounty)) sent = *a;
        }
        qso << qsoLine(r, d.toString(QStringLiteral("yyyy-MM-dd")), t.toString(QStringLiteral("HHmm")), ownCall, sent,
                       counties);
    }

    QString power = QStringLiteral(" HIGH");
    if (sheet.Power == CabrilloPower::Low) power = QStringLiteral(" LOW");
    if (sheet.Power == CabrilloPower::Qrp) power = QStringLiteral(" QRP");

    QStringList lines;
    lines << QStringLiteral("START-OF-LOG: 2.0");
    lines << "CREATED-BY: Q7BZW's " + station.HostState + " State QSO Party Program " + programVersion;
    lines << "CALLSIGN: " + ownCall;
    lines << "ARRL-SECTION: " + station.OwnArrlSection;
    lines << "CONTEST: State QSO Party - " + station.HostState;
    lines << "CATEGORY: " + sheet.Category.toUpper() + power;
    lines << "CLUB: " + sheet.Submitter.Club;
    lines << "CLAIMED-SCORE: " + printed(claimed);
    lines << "LICENSE CLASS: " + sheet.LicenseClass;
    lines << "TOTAL COUNTIES AND CITIES: " + printed(qint64{sheet.WorkedCountyCount});
    if (inState) {
        lines << "TOTAL STATES AND PROVINCES: " + printed(qint64{sheet.MultiplierCount});
        lines << "TOTAL DX: " + printed(qint64{sheet.DXCount});
    }
    lines << "TOTAL PHONE CONTACTS: " + printed(phone);
    lines << "TOTAL CW AND DIGITAL CONTACTS: " + printed(cwDigital);
    lines << "TOTAL TY MOBILE CONTACTS: " + printed(mobile);
    if (inState)
        lines << "NUMBER OF TY CITIES AND COUNTIES FROM WHICH YOU LOGGED CONTACTS AS MOBILE: " +
                     printed(countyBonus / 100.0f);
    lines << "BONUS POINTS FOR Q8BNS CONTACT: " + printed(stationPoints);
    // A box of blanks names no operator either.
    lines << "OPERATORS: " + (sheet.Operators.trimmed().isEmpty() ? ownCall : sheet.Operators);
    lines << "NAME: " + sheet.Submitter.Name;
    lines << "ADDRESS: " + sheet.Submitter.AddressLine1;
    lines << "ADDRESS: " + sheet.Submitter.AddressLine2;
    lines << "ADDRESS: (e-mail) " + sheet.Submitter.EMail;
    lines << "SOAPBOX: " + sheet.Soapbox;
    lines << qso;
    lines << QStringLiteral("END-OF-LOG:");

    out.Bytes = ToAnsi(lines.join(QLatin1String(CrLf)) + CrLf);
    return out;
}

CabrilloOutcome WriteCabrilloFile(const QString& target, const QByteArray& bytes) {
    if (isWorkingLog(target))
        return {CabrilloStatus::WorkingLog, QStringLiteral("The contest log itself (log.txt) cannot be the submission file."), 0};
    try {
        WriteFileAtomic(target, bytes);
    } catch (const VbError& e) {
        return {CabrilloStatus::WriteFailed, e.Description, 0};
    }
    return {};
}

CabrilloOutcome RememberSubmitter(const CabrilloSubmitter& s) {
    try {
        SaveSetting(kRegistryApp, kRegistrySection, QStringLiteral("UserAddressName"), s.Name.trimmed());
        SaveSetting(kRegistryApp, kRegistrySection, QStringLiteral("UserAddressLine1"), s.AddressLine1.trimmed());
        SaveSetting(kRegistryApp, kRegistrySection, QStringLiteral("UserAddressLine2"), s.AddressLine2.trimmed());
        SaveSetting(kRegistryApp, kRegistrySection, QStringLiteral("UserEMail"), s.EMail.trimmed());
        SaveSetting(kRegistryApp, kRegistrySection, QStringLiteral("UserClubName"), s.Club.trimmed());
        SetSharedPref(QStringLiteral("OWN_ADDRESS_NAME"), s.Name.trimmed(), 0);
        SetSharedPref(QStringLiteral("OWN_ADDRESS_LINE1"), s.AddressLine1.trimmed(), 0);
        SetSharedPref(QStringLiteral("OWN_ADDRESS_LINE2"), s.AddressLine2.trimmed(), 0);
        SetSharedPref(QStringLiteral("OWN_EMAIL"), s.EMail.trimmed(), 0);
        // No path: the file could not be read at start-up and is left alone for the run.
        SetSharedPref(QStringLiteral("OWN_CLUB_NAME"), s.Club.trimmed(), SharedPrefs.SharedPrefsPath.isEmpty() ? 0 : 1);
    } catch (const VbError& e) {
        return {CabrilloStatus::StoreFailed, e.Description, 0};
    }
    return {};
}

CabrilloSubmitter RecallSubmitter() {
    CabrilloSubmitter s;
    s.Name = GetSetting(kRegistryApp, kRegistrySection, QStringLiteral("UserAddressName"));
    s.AddressLine1 = GetSetting(kRegistryApp, kRegistrySection, QStringLiteral("UserAddressLine1"));
    s.AddressLine2 = GetSetting(kRegistryApp, kRegistrySection, QStringLiteral("UserAddressLine2"));
    s.EMail = GetSetting(kRegistryApp, kRegistrySection, QStringLiteral("UserEMail"));
    s.Club = GetSetting(kRegistryApp, kRegistrySection, QStringLiteral("UserClubName"));
    return s;
}

QString CabrilloWrittenText(const QString& target) {
    return "The file was successfully written to the directory:" + QString(CrLf) + CrLf +
           QDir::toNativeSeparators(target) + "." + CrLf + CrLf +
           "Attach this file to an e-mail addressed for contest submission.  If you wish to print this file, you "
           "can open it with Notepad or Wordpad to print.";
}

QString CabrilloThanksText() {
    return "Thanks for using this program.  I hope that you enjoyed it!  If so, please tell a friend!" + QString(CrLf) +
           CrLf + "73, Orrin" + CrLf + "Q7BZW";
}

} // namespace tylog
