#include "logtools/ContactEditRules.h"
#include "core/SectionTable.h"
#include "logstore/ContactLog.h"

#include <QDate>
#include <QRegularExpression>

namespace tylog {

namespace {

bool sameText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool isOneOf(const QString& text, std::initializer_list<const char*> values) {
    for (const char* v : values)
        if (sameText(text, QLatin1String(v))) return true;
    return false;
}

QString twoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

} // namespace

QString EditorDateText(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^([0-9]{4})/([0-9]{1,2})/([0-9]{1,2})$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch()) return {};
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!d.isValid()) return {};
    return QStringLiteral("%1/%2/%3").arg(d.year(), 4, 10, QLatin1Char('0')).arg(twoDigits(d.month()), twoDigits(d.day()));
}

QString EditorTimeText(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,2}):([0-9]{2})(?::([0-9]{2}))?$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch()) return {};
    const int h = m.captured(1).toInt();
    const int min = m.captured(2).toInt();
    const bool withSeconds = m.hasCaptured(3);
    const int s = withSeconds ? m.captured(3).toInt() : 0;
    if (h > 23 || min > 59 || s > 59) return {};
    QString out = twoDigits(h) + ':' + twoDigits(min);
    if (withSeconds) out += ':' + twoDigits(s);
    return out;
}

bool IsEditorBand(const QString& band) { return isOneOf(band, {"160", "80", "40", "20", "15", "10", "6"}); }

bool IsEditorMode(const QString& mode) { return isOneOf(mode, {"CW", "PH", "DG"}); }

bool IsEditorSpc(const QString& spc, const SectionTableData& sections) {
    return spc.size() >= 4 || (!spc.isEmpty() && FindSection(spc, sections) != 0);
}

bool IsEditDuplicate(const ContactRecord& a, const ContactRecord& b, EditDupeKey key) {
    return sameText(a.Call, b.Call) && sameText(a.Band, b.Band) && sameText(a.Mode, b.Mode) &&
           sameText(a.County, b.County) &&
           (key == EditDupeKey::CallBandModeCounty || sameText(a.SentCounty, b.SentCounty));
}

int CountEditDuplicates(const ContactLogData& log, int edited, const ContactRecord& contact, EditDupeKey key) {
    int n = 0;
    for (int i = 1; i <= log.Count; ++i)
        if (i != edited && IsEditDuplicate(log.Rec[static_cast<size_t>(i)], contact, key)) ++n;
    return n;
}

} // namespace tylog
