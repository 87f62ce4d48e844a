#pragma once
#include <QString>

namespace tylog {

// Per-user settings by application, section and key (text values). The program keeps them with
// QSettings; tests install an in-memory fake (platform/testing/Fakes.h).
class Registry {
public:
    virtual ~Registry() = default;
    virtual QString GetSetting(const QString& app, const QString& section, const QString& key,
                               const QString& defaultValue) = 0;
    virtual void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value) = 0;
};

class QtRegistry : public Registry {
public:
    QString GetSetting(const QString& app, const QString& section, const QString& key,
                       const QString& defaultValue) override;
    void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value) override;
};

// The installed registry; the QSettings one until another is installed.
Registry& registry();
void InstallRegistry(Registry* r);

// Shorthands the windows use.
QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& defaultValue = QString());
void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value);

} // namespace tylog
