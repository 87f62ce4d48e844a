#include "tests/support/TestSupport.h"
#include "platform/vb/Form.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace tylog::testing {

ScratchFolder::ScratchFolder() { EXPECT_TRUE(dir_.isValid()); }

void ScratchFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray ScratchFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool ScratchFolder::exists(const QString& name) const { return QFileInfo::exists(file(name)); }

QString ShippedDataFolder() { return QStringLiteral(TYLOG_SOURCE_DIR "/data"); }

void ScratchFolder::copyShipped(const QString& name) const {
    QFile src(ShippedDataFolder() + '/' + name);
    ASSERT_TRUE(src.open(QIODevice::ReadOnly)) << name.toStdString();
    write(name, src.readAll());
}

void ShowActive(vb::Form& form) {
    form.Show();
    QApplication::setActiveWindow(&form);
    Pump();
}

void Pump() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

QStringList PlayedNames() {
    QStringList names;
    for (const QString& p : Fakes().sound.played) names << QFileInfo(p).completeBaseName();
    return names;
}

QByteArray CrLfLines(std::initializer_list<const char*> lines) {
    QByteArray out;
    for (const char* l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

} // namespace tylog::testing
