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
} // namespace

void LoadSharedPrefs(const QString& path) {
    SharedPrefs.SharedPrefsPath = path;
    const QString found = findFile(path);
    if (!QFileInfo(found).isFile()) {
        SharedPrefs.SharedPrefsText = kDeclaration;
        return;
    }
    QByteArray bytes = ReadAllBytes(found);
    // The writer ends the file with CR LF; a file too short to hold even that holds nothing.
    if (bytes.size() < 2) bytes.clear();
    else if (bytes.endsWith(CrLf)) bytes.chop(2);
    SharedPrefs.SharedPrefsText = FromAnsi(bytes);
}

void SaveSharedPrefs(const QString& path) {
    SharedPrefs.SharedPrefsPath = path;
    WriteFileAtomic(path, ToAnsi(SharedPrefs.SharedPrefsText + CrLf));
}

void SetSharedPref(const QString& key, const QString& value, std::uint8_t saveNow) {
    const QString name = key.toUpper();
    const QString open = "<" + name + ">";
    const QString close = "</" + name + ">";
    // A value may not break its line.
    const QString stored = StorableText(value);
    QString& text = SharedPrefs.SharedPrefsText;
    const qsizetype at = text.indexOf(open);
    if (at < 0) {
        text += CrLf + open + stored + close;
    } else {
        const qsizetype from = at + open.size();
        const qsizetype to = text.indexOf(close, from);
        if (to >= 0) {
            text.replace(from, to - from, stored);
        } else {
            // A line without its closing tag gets one: the rest of that line was its value.
            qsizetype end = text.indexOf(QLatin1String(CrLf), from);
            if (end < 0) end = text.size();
            text.replace(from, end - from, stored + close);
        }
    }
    if (saveNow == 1) SaveSharedPrefs(SharedPrefs.SharedPrefsPath);
}

} // namespace tylog
