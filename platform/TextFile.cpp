#include "platform/TextFile.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

VbError FileWriteError(int err, const QString& path, bool inFolder) {
    const QString file = QDir::toNativeSeparators(path);
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    const QString notWritten = file + " could not be written.";
    switch (err) {
    case ENOSPC: return VbError(VbError::DiskFull, "The disk is full: " + notWritten);
    case EDQUOT: return VbError(VbError::DiskFull, "The disk is full (your disk quota is used up): " + notWritten);
    case EROFS: return VbError(VbError::PathFileAccess, "The disk is read-only: " + notWritten);
    case EACCES:
    case EPERM:
        if (inFolder)
            return VbError(VbError::PermissionDenied,
                           "The folder " + folder + " is read-only (no permission to write in it): " + notWritten);
        return VbError(VbError::PermissionDenied, file + " is read-only (no permission to write it): it could not be written.");
    case ENOENT:
    case ENOTDIR: return VbError(VbError::PathNotFound, "The folder " + folder + " does not exist: " + notWritten);
    case EIO: return VbError(VbError::DeviceIO, "Device I/O error: " + notWritten);
    default: return VbError(VbError::DeviceIO, QString::fromLocal8Bit(std::strerror(err)) + ": " + notWritten);
    }
}

namespace {

QByteArray randomSuffix() {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray out(6, Qt::Uninitialized);
    for (char& c : out) c = kChars[QRandomGenerator::global()->bounded(62)];
    return out;
}

// Writes all of bytes to fd; 0, or the errno of the write that failed.
int writeAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        p += n;
        left -= n;
    }
    return 0;
}

} // namespace

void WriteFileAtomic(const QString& path, const QByteArray& bytes) {
    // A link stays a link: the file it points to is the one rewritten.
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    const QByteArray native = QFile::encodeName(target);
    struct stat old {};
    const bool exists = ::stat(native.constData(), &old) == 0;
    // A file the operator made read-only is not replaced behind his back.
    if (exists && S_ISREG(old.st_mode) && ::access(native.constData(), W_OK) != 0 && errno == EACCES)
        throw FileWriteError(EACCES, path, false);

    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temp = native + TemporaryMarker + randomSuffix();
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt >= 100)) throw FileWriteError(errno, path, true);
    }
    if (exists && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
    int err = writeAll(fd, bytes);
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    bool inFolder = false;
    if (err == 0 && ::rename(temp.constData(), native.constData()) != 0) {
        err = errno;
        inFolder = true;
    }
    if (err != 0) {
        ::unlink(temp.constData());
        throw FileWriteError(err, path, inFolder);
    }
    // The rename lives in the folder: sync it too, so a crash cannot bring the old file back.
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
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

void AppendSynced(const QString& path, const QByteArray& bytes, qint64 expectedSize, qint64 cutTo) {
    const QByteArray native = QFile::encodeName(path);
    const bool existed = QFileInfo::exists(path);
    const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) throw FileWriteError(errno, path, !existed);
    off_t size = ::lseek(fd, 0, SEEK_END);
    if (size < 0 || (expectedSize >= 0 && size != expectedSize)) {
        const int err = errno;
        ::close(fd);
        if (size < 0) throw FileWriteError(err, path, false);
        throw VbError(VbError::DeviceIO,
                      "The file changed while it was being written (" + QDir::toNativeSeparators(path) + ")");
    }
    if (cutTo >= 0 && cutTo < size) {
        if (::ftruncate(fd, cutTo) != 0) {
            const int err = errno;
            ::close(fd);
            throw FileWriteError(err, path, false);
        }
        size = cutTo;
    }
    int err = writeAll(fd, bytes);
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    const bool ok = err == 0;
    // Bytes cut short would shift every later value of the file: take them back.
    bool takenBack = false;
    if (!ok) takenBack = ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
    if (::close(fd) != 0 && ok) err = errno;
    if (err == 0) return;

    // Something failed: what the file now holds decides. Bytes written and synced are there even when
    // the close fails, and the caller must not take them for lost.
    Held held = heldAfter(path, size, bytes);
    if (held == Held::Unknown) held = ok ? Held::Whole : (takenBack ? Held::None : Held::Part);
    if (held == Held::Whole) return;
    const VbError e = FileWriteError(err, path, false);
    if (held == Held::None) throw e;
    throw VbError(e.Number, e.Description + " The file could not be put back as it was, and may end in part of "
                                            "what was written.");
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

StaleTemporaries RemoveStaleTemporaries(const QString& dir, const QStringList& names, const QString& moveTo) {
    static const QRegularExpression ours(QStringLiteral("^(.+)") + QRegularExpression::escape(TemporaryMarker) +
                                         QStringLiteral("[A-Za-z0-9]{6}$"));
    static const QRegularExpression earlier(QStringLiteral("^(.+)\\.[A-Za-z0-9]{6}$"));
    const QStringList entries = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    QList<QRegularExpression> targets;
    QStringList exact; // the letters an earlier version gave a target's temporary: the name it found
    for (const QString& n : names) {
        targets.append(QRegularExpression(QRegularExpression::wildcardToRegularExpression(n),
                                          QRegularExpression::CaseInsensitiveOption));
        if (n.contains('*') || n.contains('?') || n.contains('[')) continue;
        exact << n;
        for (const QString& e : entries)
            if (e.compare(n, Qt::CaseInsensitive) == 0) exact << e;
    }
    auto isTarget = [&](const QString& name) {
        for (const QRegularExpression& t : targets)
            if (t.match(name).hasMatch()) return true;
        return false;
    };

    StaleTemporaries done;
    for (const QString& e : entries) {
        const QRegularExpressionMatch m = ours.match(e);
        if (m.hasMatch()) {
            if (isTarget(m.captured(1)) && QFile::remove(JoinPath(dir, e))) done.removed << e;
            continue;
        }
        if (moveTo.isEmpty()) continue;
        const QRegularExpressionMatch old = earlier.match(e);
        if (!old.hasMatch() || !exact.contains(old.captured(1))) continue;
        if (QFile::rename(JoinPath(dir, e), UnusedFileName(moveTo, e, QString()))) done.moved << e;
    }
    return done;
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
