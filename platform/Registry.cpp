#include "platform/Registry.h"

#include <QSettings>

namespace tylog {

namespace {
Registry*& installed() {
    static Registry* r = nullptr;
    return r;
}
} // namespace

QString QtRegistry::GetSetting(const QString& app, const QString& section, const QString& key,
                               const QString& defaultValue) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, app);
    return s.value(section + '/' + key, defaultValue).toString();
}

void QtRegistry::SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, app);
    s.setValue(section + '/' + key, value);
    s.sync();
}

Registry& registry() {
    if (!installed()) {
        static QtRegistry real;
        installed() = &real;
    }
    return *installed();
}

void InstallRegistry(Registry* r) { installed() = r; }

QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& defaultValue) {
    return registry().GetSetting(app, section, key, defaultValue);
}

void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value) {
    registry().SaveSetting(app, section, key, value);
}

} // namespace tylog
