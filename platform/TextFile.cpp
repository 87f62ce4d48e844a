#include "platform/TextFile.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tylog {

namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five unassigned codes.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E,
    0x0178};

VbError ioError(int number, const QString& what, const QString& path) {
    return VbError(number, what + " (" + QDir::toNativeSeparators(path) + ")");
}
} // namespace

QString FromAnsi(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0)
            d[i] = QChar(kHigh[b - 0x80]);
        else
            d[i] = QChar(b);
    }
    return out;
}

QByteArray ToAnsi(const QString& text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        char b = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            b = static_cast<char>(c);
        } else if (c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] == 0) {
            // The five codes Windows-1252 leaves unassigned were read as themselves: they go back
            // unchanged, so every byte of a file read and rewritten stays what it was.
            b = static_cast<char>(c);
        } else {
            for (int k = 0; k < 32; ++k)
                if (kHigh[k] == c && c != 0) { b = static_cast<char>(0x80 + k); break; }
        }
        out[i] = b;
    }
    return out;
}

QByteArray ReadAllBytes(const QString& path) {
    QFile f(path);
    if (!QFileInfo(path).isFile())
        throw ioError(VbError::FileNotFound, "File not found", path);
    if (!f.open(QIODevice::ReadOnly))
        throw ioError(VbError::PathFileAccess, "Path/File access error", path);
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw ioError(VbError::DeviceIO, "Device I/O error", path);
    return data;
}

void WriteFileAtomic(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly))
        throw ioError(VbError::PathFileAccess, "Path/File access error", path);
    if (f.write(bytes) != bytes.size() || !f.flush() || ::fsync(f.handle()) != 0) {
        f.cancelWriting();
        throw ioError(VbError::DeviceIO, "Device I/O error", path);
    }
    if (!f.commit())
        throw ioError(VbError::DeviceIO, "Device I/O error", path);
    // The rename lives in the folder: sync it too, so a crash cannot bring the old file back.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int dfd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

namespace {

enum class Held { Whole, None, Part, Unknown };

// What the file holds past size: all of bytes, nothing, or something else.
Held heldAfter(const QString& path, off_t size, const QByteArray& bytes) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Held::Unknown;
    Held held = Held::Unknown;
    const off_t now = ::lseek(fd, 0, SEEK_END);
    if (now == size) {
        held = Held::None;
    } else if (now == size + static_cast<off_t>(bytes.size())) {
        QByteArray back(bytes.size(), Qt::Uninitialized);
        const ssize_t got = ::pread(fd, back.data(), static_cast<size_t>(back.size()), size);
        held = got == bytes.size() && back == bytes ? Held::Whole : Held::Part;
    } else if (now >= 0) {
        held = Held::Part;
    }
    ::close(fd);
    return held;
}

} // namespace

void AppendSynced(const QString& path, const QByteArray& bytes, qint64 expectedSize) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        throw ioError(VbError::PathFileAccess, "Path/File access error", path);
    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (size < 0 || (expectedSize >= 0 && size != expectedSize)) {
        ::close(fd);
        throw ioError(VbError::DeviceIO, size < 0 ? "Device I/O error" : "The file changed while it was being written",
                      path);
    }
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        p += n;
        left -= n;
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    // Bytes cut short would shift every later value of the file: take them back.
    bool takenBack = false;
    if (!ok) takenBack = ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (ok && closed) return;

    // Something failed: what the file now holds decides. Bytes written and synced are there even when
    // the close fails, and the caller must not take them for lost.
    Held held = heldAfter(path, size, bytes);
    if (held == Held::Unknown) held = ok ? Held::Whole : (takenBack ? Held::None : Held::Part);
    if (held == Held::Whole) return;
    if (held == Held::None) throw ioError(VbError::DeviceIO, "Device I/O error", path);
    throw ioError(VbError::DeviceIO, "Device I/O error; the file could not be put back as it was, and may end in "
                                     "part of what was written",
                  path);
}

void AppendLineSynced(const QString& path, const QByteArray& line) {
    const QByteArray native = QFile::encodeName(path);
    QByteArray out;
    qint64 size = -1;
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        size = ::lseek(fd, 0, SEEK_END);
        if (size > 0) {
            char tail[2] = {0, 0};
            const off_t from = size >= 2 ? size - 2 : 0;
            const ssize_t got = ::pread(fd, tail, static_cast<size_t>(size - from), from);
            if (!(got == 2 && tail[0] == '\r' && tail[1] == '\n')) out += CrLf;
        }
        ::close(fd);
    }
    out += line;
    AppendSynced(path, out, size < 0 ? -1 : size);
}

void CopyFileAtomic(const QString& from, const QString& to) {
    WriteFileAtomic(to, ReadAllBytes(from));
}

QString UnusedFileName(const QString& folder, const QString& stem, const QString& suffix) {
    QString path = JoinPath(folder, stem + suffix);
    for (int n = 2; QFileInfo::exists(path); ++n) path = JoinPath(folder, QString("%1-%2%3").arg(stem).arg(n).arg(suffix));
    return path;
}

QStringList RemoveStaleTemporaries(const QString& dir, const QStringList& names) {
    static const QRegularExpression temporary(QStringLiteral("^(.+)\\.[A-Za-z0-9]{6}$"));
    QList<QRegularExpression> targets;
    for (const QString& n : names)
        targets.append(QRegularExpression(QRegularExpression::wildcardToRegularExpression(n),
                                          QRegularExpression::CaseInsensitiveOption));
    QStringList removed;
    for (const QString& e : QDir(dir).entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch m = temporary.match(e);
        if (!m.hasMatch()) continue;
        const QString target = m.captured(1);
        for (const QRegularExpression& t : targets)
            if (t.match(target).hasMatch()) {
                if (QFile::remove(JoinPath(dir, e))) removed << e;
                break;
            }
    }
    return removed;
}

QString JoinPath(const QString& dir, const QString& name) {
    if (dir.isEmpty()) return name;
    if (dir.endsWith('/')) return dir + name;
    return dir + '/' + name;
}

QString FindNoCase(const QString& dir, const QString& name) {
    const QString exact = JoinPath(dir, name);
    if (QFileInfo::exists(exact)) return exact;
    const QStringList entries = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return JoinPath(dir, e);
    return exact;
}

bool ExistsNoCase(const QString& dir, const QString& name) {
    return QFileInfo::exists(FindNoCase(dir, name));
}

} // namespace tylog
