#include "platform/TextFile.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

void AppendLineSynced(const QString& path, const QByteArray& line) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        throw ioError(VbError::PathFileAccess, "Path/File access error", path);
    QByteArray out;
    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (size > 0) {
        char tail[2] = {0, 0};
        const off_t from = size >= 2 ? size - 2 : 0;
        const ssize_t got = ::pread(fd, tail, static_cast<size_t>(size - from), from);
        const bool endsCrLf = got == 2 && tail[0] == '\r' && tail[1] == '\n';
        if (!endsCrLf)
            out += CrLf;
    }
    out += line;
    const char* p = out.constData();
    qsizetype left = out.size();
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
    // A line cut short would shift every later value of the file: take it back.
    if (!ok && size >= 0 && ::ftruncate(fd, size) == 0) ::fsync(fd);
    if (::close(fd) != 0) ok = false;
    if (!ok)
        throw ioError(VbError::DeviceIO, "Device I/O error", path);
}

void CopyFileAtomic(const QString& from, const QString& to) {
    WriteFileAtomic(to, ReadAllBytes(from));
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
