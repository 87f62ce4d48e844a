#pragma once
// Helpers shared by the tests: a scratch program folder, file bytes, and driving windows.
#include "platform/testing/Fakes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace tylog::vb { class Form; }

namespace tylog::testing {

// A temporary folder that stands as the program folder (and, below it, the user's home) for one test.
class ScratchFolder {
public:
    ScratchFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.path() + '/' + name; }
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;
    // Copies a shipped data file (from data/) into the folder.
    void copyShipped(const QString& name) const;

private:
    QTemporaryDir dir_;
};

QString ShippedDataFolder();

// Shows a window and makes it the active one, so focus and key events behave as on a desktop.
void ShowActive(vb::Form& form);
// Lets pending window events run.
void Pump();

// The sounds played so far, by file name without its extension.
QStringList PlayedNames();

// "a,b\r\n" style helper: joins lines with CR LF and ends with CR LF.
QByteArray CrLfLines(std::initializer_list<const char*> lines);

} // namespace tylog::testing
