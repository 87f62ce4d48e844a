#include "core/UserFolders.h"
#include "core/ProcessState.h"
#include "platform/Dialogs.h"
#include "platform/Environment.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <type_traits>
#include <sys/stat.h>

namespace tylog {

namespace {

QString lastComponent(const QString& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? path : path.mid(slash + 1);
}

// dir followed by a sub-folder given with its leading separator, in the spelling found on disk when
// a folder of that name exists in another letter case.
QString child(const QString& dir, const QString& sub) {
    const QString name = sub.startsWith(PathSep) ? sub.mid(PathSep.size()) : sub;
    if (dir.isEmpty()) return PathSep + name;
    const QString found = FindNoCase(dir, name);
    return QFileInfo(found).isDir() ? found : dir + PathSep + name;
}

// One step of GetUserFolder: an error is shown and passed over. A test that fails counts as true,
// so the branch it guards is entered.
template <typename F>
auto guarded(F&& step) {
    try {
        return step();
    } catch (const VbError& e) {
        MsgBox(e.Description, vbOKOnly, "User Access Directory Error");
        if constexpr (std::is_same_v<decltype(step()), bool>) return true;
    }
}

void ensureMissing(const QString& path) {
    guarded([&] {
        if (!FolderExists(path)) EnsureDirectory(path, 1);
    });
}

} // namespace

bool FolderExists(const QString& path) {
    if (path.isEmpty()) return false;
    if (QFileInfo(path).isDir()) return true;
    const QString name = lastComponent(path);
    if (name.isEmpty()) return false;
    const QString parent = path.left(path.size() - name.size());
    const QStringList dirs = QDir(parent.isEmpty() ? QStringLiteral(".") : parent)
                                 .entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& d : dirs)
        if (d.compare(name, Qt::CaseInsensitive) == 0) return true;
    return false;
}

void EnsureDirectory(const QString& path, std::uint8_t showErrors) {
    if (path.isEmpty()) {
        MsgBox("Invalid Path", vbOKOnly, "Unable to Create Directory");
        return;
    }
    if (FolderExists(path)) return;
    // Only the last level is made: a missing parent is a failure, as it always was.
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0) return;
    const QString description = errno == ENOENT ? "Path not found" : "Path/File access error";
    if (showErrors == 1) MsgBox(description + "  " + path, vbOKOnly, "Unable to create directory.");
}

void GetUserFolder(QString& base, const QString& subFolder1, const QString& subFolder2) {
    const QString profile = ProfileVariable("USERPROFILE");
    const QString appData = ProfileVariable("APPDATA");

    auto settle = [&](const QString& documents) {
        Folders.DocumentsFolder = documents;
        const QString first = child(documents, subFolder1);
        ensureMissing(first);
        ensureMissing(child(first, subFolder2));
        base = child(documents, subFolder1);
    };

    if (profile.isEmpty()) {
        const QString documents = NoProfileDocumentsFolder();
        ensureMissing(documents);
        settle(documents);
        return;
    }

    const QString myDocuments = child(profile, "/My Documents");
    guarded([&] {
        if (!FolderExists(myDocuments)) EnsureDirectory(myDocuments, 0);
    });
    if (guarded([&] { return FolderExists(myDocuments); })) {
        settle(child(profile, "/My Documents"));
        return;
    }
    const QString documents = child(profile, "/Documents");
    if (guarded([&] { return FolderExists(documents); })) {
        settle(documents);
        return;
    }
    // No documents folder at all: the folders are made under the profile and under the application
    // data folder, and the latter is used.
    const QString inProfile = child(profile, subFolder1);
    ensureMissing(inProfile);
    ensureMissing(child(inProfile, subFolder2));
    settle(appData);
}

QString CallToFileStem(const QString& callSign) {
    qsizetype n = 0;
    while (n < callSign.size()) {
        const QChar c = callSign[n];
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))) break;
        ++n;
    }
    return n == 0 ? QStringLiteral("YourCall") : callSign.left(n);
}

} // namespace tylog
