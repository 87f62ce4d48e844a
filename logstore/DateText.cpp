#include "logstore/DateText.h"

#include <QLocale>

namespace tylog {

QDate DateFromText(const QString& text) {
    const QString t = text.trimmed();
    const QLocale c = QLocale::c(); // month names in English, whatever the machine's language
    for (const char* f : {"yyyy/M/d", "yyyy-M-d", "M/d/yyyy", "M-d-yyyy", "d MMM yyyy", "d MMMM yyyy", "MMM d, yyyy",
                          "MMMM d, yyyy"}) {
        const QDate d = c.toDate(t, QString::fromLatin1(f));
        if (d.isValid()) return d;
    }
    return {};
}

QTime TimeFromText(const QString& text) {
    const QString t = text.trimmed();
    const QLocale c = QLocale::c();
    for (const char* f : {"H:mm", "H:mm:ss", "h:mm AP", "h:mm:ss AP", "h:mmAP", "h:mm:ssAP"}) {
        const QTime tm = c.toTime(t, QString::fromLatin1(f));
        if (tm.isValid()) return tm;
    }
    return {};
}

bool IsDateOrTime(const QString& text) { return DateFromText(text).isValid() || TimeFromText(text).isValid(); }

} // namespace tylog
