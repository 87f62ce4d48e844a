#include "fuzz/FuzzSupport.h"
#include "core/ProcessState.h"
#include "platform/testing/Fakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace tylog::fuzz {

namespace {
std::unique_ptr<QTemporaryDir> gScratch;
}

void Begin() {
    if (!gScratch) {
        testing::InstallFakePlatform();
        platform().reportScriptFault = nullptr; // an unscripted dialog is answered as Cancel would be
        // The store syncs every write: in memory that costs nothing.
        const QString base = QFileInfo(QStringLiteral("/dev/shm")).isDir() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        gScratch = std::make_unique<QTemporaryDir>(base + "/tylog-fuzz-XXXXXX");
        if (!gScratch->isValid()) Fail("no scratch folder", __FILE__, __LINE__);
        Folders.ProgramFolder = gScratch->path();
        Folders.DataFolder = gScratch->path() + "/data";
        Folders.SharedFolder = gScratch->path() + "/shared";
        Folders.BackupFolder = Folders.DataFolder + "/BACKUP";
        QDir().mkpath(Folders.BackupFolder);
        QDir().mkpath(Folders.SharedFolder);
    }
    testing::Fakes().dialogs.Reset();
    testing::Fakes().end.ended = 0;
}

QString Scratch() { return gScratch->path(); }

void WriteFile(const QString& name, const QByteArray& bytes) {
    QFile f(Scratch() + '/' + name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        Fail("cannot write the scratch file", __FILE__, __LINE__);
}

QByteArray ReadFile(const QString& name) {
    QFile f(Scratch() + '/' + name);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QList<QByteArray> Split(const std::uint8_t* data, std::size_t size, int parts) {
    const QByteArray all(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QList<QByteArray> out;
    qsizetype from = 0;
    while (out.size() < parts - 1) {
        const qsizetype at = all.indexOf('\x1F', from);
        if (at < 0) break;
        out.append(all.mid(from, at - from));
        from = at + 1;
    }
    out.append(all.mid(from));
    while (out.size() < parts) out.append(QByteArray());
    return out;
}

void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

} // namespace tylog::fuzz
