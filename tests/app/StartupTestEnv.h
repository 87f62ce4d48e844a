#pragma once
// A scratch program folder and a scratch home for one start-up test. The profile variables are
// pointed at the scratch home and the current folder is the program folder; both come back after.
#include "core/ProcessState.h"
#include "tests/support/TestSupport.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable texts in the failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace tylog::testing {

class StartupTestEnv {
public:
    StartupTestEnv() : oldCurrent_(QDir::currentPath()) {
        for (const char* name : kVariables) {
            saved_.append(qgetenv(name));
            wasSet_.append(qEnvironmentVariableIsSet(name));
            qunsetenv(name);
        }
        QDir().mkpath(home());
        qputenv("HOME", home().toLocal8Bit());
    }
    ~StartupTestEnv() {
        QDir::setCurrent(oldCurrent_);
        for (int i = 0; i < kCount; ++i) {
            if (wasSet_[i]) qputenv(kVariables[i], saved_[i]);
            else qunsetenv(kVariables[i]);
        }
    }
    StartupTestEnv(const StartupTestEnv&) = delete;
    StartupTestEnv& operator=(const StartupTestEnv&) = delete;

    // The shipped files the start-up reads.
    void copyShippedData() const {
        for (const char* name : {"QSOpref.txt", "arrlpre2.txt", "states.txt", "wave2.txt", "CW.txt", "TYCounty.txt", "log.txt"})
            prog.copyShipped(name);
    }
    void enterProgramFolder() const { QDir::setCurrent(prog.path()); }

    QString home() const { return scratch.file("home"); }
    QString makerFolder() const { return home() + "/My Documents/Q7BZW Software"; }
    QString sharedFolder() const { return makerFolder() + "/Shared"; }
    QString dataFolder() const { return makerFolder() + "/Tessaly"; }

    // The folders as the start-up chain leaves them, for tests that load the setup window directly.
    void useFolders() const {
        QDir().mkpath(sharedFolder());
        QDir().mkpath(dataFolder() + "/BACKUP");
        Folders.ProgramFolder = prog.path();
        Folders.ProgramDrive = prog.path().left(1);
        Folders.SharedFolder = sharedFolder();
        Folders.DataFolder = dataFolder();
        Folders.BackupFolder = dataFolder() + "/BACKUP";
    }

    ScratchFolder prog;
    ScratchFolder scratch;

private:
    static constexpr int kCount = 5;
    static constexpr const char* kVariables[kCount] = {"HOME", "USERPROFILE", "APPDATA", "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR"};
    QString oldCurrent_;
    QList<QByteArray> saved_;
    QList<bool> wasSet_;
};

} // namespace tylog::testing
