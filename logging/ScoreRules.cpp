#include "logging/ScoreRules.h"
#include "logstore/ContactLog.h"

#include <cmath>

namespace tylog {

namespace {
// Whether mode is the two letters a, b (capitals) in either case. Runs for every contact of every
// reload, so no general case-blind compare; no letter outside ASCII folds to these.
bool isMode(const QString& mode, char16_t a, char16_t b) {
    if (mode.size() != 2) return false;
    const char16_t x = mode[0].unicode(), y = mode[1].unicode();
    return (x == a || x == a + 32) && (y == b || y == b + 32);
}
} // namespace

void AddContactPoints(ScoreCounts& c, const QString& mode, const QString& call, bool mobileQualifies) {
    const bool mobile = mobileQualifies && call.contains(QLatin1Char('/')) &&
                        call.contains(QLatin1String("/M"), Qt::CaseInsensitive);
    if (isMode(mode, u'P', u'H')) {
        c.QsoPoints += mobile ? 3 : 1;
        c.PhoneContactCount += 1;
        return;
    }
    c.QsoPoints += mobile ? 3 : 2;
    if (isMode(mode, u'C', u'W')) c.CWContactCount += 1;
    else c.DigitalContactCount += 1;
}

QString FormatGrouped(double value) {
    const double r = std::nearbyint(value);
    QString digits = QString::number(std::fabs(r), 'f', 0);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, ',');
    return (r < 0 ? "-" : "") + digits;
}

QString OperatingTimeText(double s) {
    auto two = [](long long v) {
        const long long last = v % 100;
        return QString("%1").arg(last, 2, 10, QChar('0'));
    };
    const long long hours = static_cast<long long>(std::floor(s / 3600));
    const long long minutes = static_cast<long long>(std::floor(s / 60 - hours * 60));
    const long long seconds = static_cast<long long>(s - 60 * std::floor(s / 60));
    return two(hours) + ":" + two(minutes) + ":" + two(seconds);
}

bool CountRates(const ContactLogData& log, const QDateTime& nowUtc, Rates* out) {
    Rates r;
    // Whole seconds, as the records hold them; each record's moment is read once and kept with it.
    const std::int64_t now = QDateTime(nowUtc.date(), nowUtc.time(), Qt::UTC).toSecsSinceEpoch();
    for (int i = log.Count; i >= 1; --i) {
        std::int64_t when = 0;
        if (!ContactMoment(log.Rec[static_cast<size_t>(i)], &when)) return false;
        const std::int64_t age = now - when;
        if (age < 1200) ++r.last20;
        if (age >= 3600) break;
        ++r.last60;
    }
    *out = r;
    return true;
}

QString RecentDateTime(const QString& date, const QString& time) {
    // The store's own forms are cut apart; anything else goes through the date parser.
    QString d;
    if (date.size() == 10 && date[4] == '/' && date[7] == '/') {
        d = date.mid(5, 5);
    } else {
        const QDate parsed = QDate::fromString(date, "yyyy/M/d");
        d = parsed.isValid() ? parsed.toString("MM/dd") : date;
    }
    QString t;
    if (time.size() >= 5 && time[2] == ':') {
        t = time.left(5);
    } else {
        QTime parsed = QTime::fromString(time, "h:mm:ss");
        if (!parsed.isValid()) parsed = QTime::fromString(time, "h:mm");
        t = parsed.isValid() ? parsed.toString("hh:mm") : time;
    }
    return d + ' ' + t;
}

QStringList RecentContactRow(const ContactLogData& log, int record) {
    const ContactRecord& r = log.Rec[static_cast<size_t>(record)];
    return {QString::number(record), r.Call, r.SerialRcvd, r.County, r.SerialSent, RecentDateTime(r.Date, r.Time),
            r.Mode, r.Band};
}

} // namespace tylog
