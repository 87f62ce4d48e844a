#include "platform/Session.h"
#include "platform/Platform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <cstdlib>

namespace tylog {

QString QtClipboard::GetText() { return QGuiApplication::clipboard()->text(); }
void QtClipboard::SetText(const QString& text) { QGuiApplication::clipboard()->setText(text); }
void QtClipboard::Clear() { QGuiApplication::clipboard()->clear(); }

void ProcessEnd::End() {
    // Every file is closed by the procedure that opened it, so nothing is left to flush.
    std::_Exit(0);
}

void End() { platform().programEnd->End(); }

} // namespace tylog
