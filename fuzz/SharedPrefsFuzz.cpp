// The shared preferences file: written back unchanged it keeps every byte; the nine keys of the setup
// set in it change no line that holds none of their tags, each ends up holding its value, and no value
// adds a line or a tag. Input: the file, then the nine values, separated by 0x1F.
#include "core/ProcessState.h"
#include "core/SharedPrefs.h"
#include "fuzz/FuzzSupport.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"

using namespace tylog;

namespace {
const char* const kKeys[] = {"OWN_CALL", "OWN_SPC", "OWN_UTC", "OWN_COUNTY", "OWN_COUNTRY",
                             "OWN_LONGITUDE", "OWN_LATITUDE", "OWN_CONTINENT", "OWN_ARRL_SECTION"};
const QByteArray kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";

// Lines as the preferences take them: ended by CR LF, LF or CR.
QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        out.append(bytes.mid(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) out.append(bytes.mid(start));
    return out;
}

QList<QByteArray> withoutOurTags(const QList<QByteArray>& lines) {
    static const QList<QByteArray> tags = [] {
        QList<QByteArray> t;
        for (const char* k : kKeys) t.append("<" + QByteArray(k) + ">");
        return t;
    }();
    QList<QByteArray> out;
    for (const QByteArray& l : lines) {
        bool ours = false;
        for (const QByteArray& t : tags) ours = ours || l.contains(t);
        if (!ours) out.append(l);
    }
    return out;
}

QString tagValue(const QString& v) {
    QString t = StorableText(v);
    t.replace('&', QStringLiteral("&amp;"));
    t.replace('<', QStringLiteral("&lt;"));
    t.replace('>', QStringLiteral("&gt;"));
    return t;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    const QList<QByteArray> pieces = fuzz::Split(data, size, 10);
    const QByteArray& file = pieces[0];
    const QString path = fuzz::Scratch() + "/shared/SharedUserPreferences.xml";
    fuzz::WriteFile("shared/SharedUserPreferences.xml", file);

    LoadSharedPrefs(path);
    SaveSharedPrefs(path);
    const QByteArray same = fuzz::ReadFile("shared/SharedUserPreferences.xml");
    QByteArray body = file;
    if (body.size() < 2) body.clear();
    else if (body.endsWith("\r\n")) body.chop(2);
    else if (body.endsWith('\n') || body.endsWith('\r')) body.chop(1);
    if (body.isEmpty()) FUZZ_CHECK(same == kDeclaration + "\r\n");
    else if (body.size() == file.size()) FUZZ_CHECK(same == file + "\r\n");
    else FUZZ_CHECK(same == file);

    const QList<QByteArray> before = linesOf(same);
    for (int i = 0; i < 9; ++i) {
        const QString value = FromAnsi(pieces[i + 1]);
        SetSharedPref(kKeys[i], value, i == 8 ? 1 : 0);
        const QString open = "<" + QString(kKeys[i]) + ">";
        const QString& text = SharedPrefs.SharedPrefsText;
        const qsizetype at = text.indexOf(open);
        FUZZ_CHECK(at >= 0);
        FUZZ_CHECK(text.mid(at + open.size()).startsWith(tagValue(value) + "</" + kKeys[i] + ">"));
    }
    const QByteArray after = fuzz::ReadFile("shared/SharedUserPreferences.xml");
    if (body.isEmpty()) FUZZ_CHECK(after.startsWith(kDeclaration + "\r\n"));
    const QList<QByteArray> lines = linesOf(after);
    FUZZ_CHECK(withoutOurTags(lines) == withoutOurTags(before));
    FUZZ_CHECK(lines.size() <= before.size() + 9);
    return 0;
}
