#include "platform/Environment.h"

#include <QDir>

namespace tylog {

namespace {
QString env(const char* name) { return qEnvironmentVariable(name); }
} // namespace

QString ProfileVariable(const QString& name) {
    if (name == QLatin1String("USERPROFILE")) {
        const QString p = env("USERPROFILE");
        return p.isEmpty() ? env("HOME") : p;
    }
    if (name == QLatin1String("APPDATA")) {
        QString a = env("APPDATA");
        if (a.isEmpty()) a = env("XDG_DATA_HOME");
        if (a.isEmpty() && !env("HOME").isEmpty()) a = env("HOME") + "/.local/share";
        return a;
    }
    return env(name.toLocal8Bit().constData());
}

QString NoProfileDocumentsFolder() { return QDir::rootPath() + "My Documents"; }

} // namespace tylog
