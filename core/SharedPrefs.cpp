#include "core/SharedPrefs.h"
#include "core/ProcessState.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"

#include <QFileInfo>

namespace tylog {

namespace {
const QString kDeclaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");

QString findFile(const QString& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return path;
    return FindNoCase(path.left(slash), path.mid(slash + 1));
}

// A value stays within its line and its tags: what would end the line is dropped, and the characters
// XML gives a meaning are written as their entities ("Smith & Sons" stays well-formed).
QString tagValue(const QString& value) {
    QString v = StorableText(value);
    v.replace(QChar('&'), QStringLiteral("&amp;"));
    v.replace(QChar('<'), QStringLiteral("&lt;"));
    v.replace(QChar('>'), QStringLiteral("&gt;"));
    return v;
}

qsizetype lineEndFrom(const QString& text, qsizetype from) {
    for (qsizetype i = from; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n') return i;
    return text.size();
}
} // namespace

void LoadSharedPrefs(const QString& path) {
    SharedPrefs.SharedPrefsPath = path;
    SharedPrefs.LineEnd = CrLf;
    const QString found = findFile(path);
    if (!QFileInfo(found).isFile()) {
        SharedPrefs.SharedPrefsText = kDeclaration;
        return;
    }
    QByteArray bytes = ReadAllBytes(found);
    // The writer ends the file with its line end; a file too short to hold even that holds nothing.
    if (bytes.size() < 2) {
        bytes.clear();
    } else if (bytes.endsWith(CrLf)) {
        bytes.chop(2);
    } else if (bytes.endsWith('\n') || bytes.endsWith('\r')) {
        SharedPrefs.LineEnd = QString(QChar(bytes.back()));
        bytes.chop(1);
    }
    // Bytes read as one character each come back as the same bytes, whatever code page another
    // program wrote them in.
    SharedPrefs.SharedPrefsText = bytes.isEmpty() ? kDeclaration : FromAnsi(bytes);
}

void SaveSharedPrefs(const QString& path) {
    SharedPrefs.SharedPrefsPath = path;
    // A file found under other letters is the file: no second one beside it.
    WriteFileAtomic(findFile(path), ToAnsi(SharedPrefs.SharedPrefsText + SharedPrefs.LineEnd));
}

void SetSharedPref(const QString& key, const QString& value, std::uint8_t saveNow) {
    const QString name = key.toUpper();
    const QString open = "<" + name + ">";
    const QString close = "</" + name + ">";
    const QString stored = tagValue(value);
    QString& text = SharedPrefs.SharedPrefsText;
    const qsizetype at = text.indexOf(open);
    if (at < 0) {
        text += SharedPrefs.LineEnd + open + stored + close;
    } else {
        const qsizetype from = at + open.size();
        const qsizetype end = lineEndFrom(text, from);
        const qsizetype to = text.indexOf(close, from);
        if (to >= 0 && to <= end) {
            text.replace(from, to - from, stored);
        } else {
            // A line without its closing tag gets one: the rest of that line was its value. The
            // lines after it are never taken for part of it.
            text.replace(from, end - from, stored + close);
        }
    }
    if (saveNow == 1) SaveSharedPrefs(SharedPrefs.SharedPrefsPath);
}

} // namespace tylog
