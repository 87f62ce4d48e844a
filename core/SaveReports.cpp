#include "core/SaveReports.h"
#include "platform/Diagnostics.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace tylog {

namespace {

// Files by name without regard to case (the program names one file in more than one way), each with
// the causes told since its last save that succeeded.
QSet<QString> gTold;

QString fileKey(const QString& path) { return QFileInfo(path).fileName().toLower(); }
QString causeKey(const QString& path, int number) { return fileKey(path) + '\n' + QString::number(number); }

} // namespace

void ReportSaveFailure(const QString& path, const VbError& error, const QString& what, SaveTold how) {
    qCDebug(lcApp) << "save failed:" << error.Description;
    const QString key = causeKey(path, error.Number);
    if (gTold.contains(key)) return;
    gTold.insert(key);
    const QString nl = CrLf;
    const QString prompt = error.Description + nl + nl + what + " could not be saved: they hold for this run only." +
                           (how == SaveTold::Notice ? nl + nl +
                                                          "Each later change tries again; this is not said again "
                                                          "while the cause lasts."
                                                    : QString());
    const QString title = "Unable to save " + QFileInfo(path).fileName();
    if (how == SaveTold::Box) MsgBox(prompt, vbOKOnly | vbExclamation, title);
    else platform().dialogs->Notice(prompt, title);
}

void ReportSaveSuccess(const QString& path) {
    if (gTold.isEmpty()) return;
    const QString prefix = fileKey(path) + '\n';
    for (auto it = gTold.begin(); it != gTold.end();) {
        if (it->startsWith(prefix)) it = gTold.erase(it);
        else ++it;
    }
}

void ResetSaveReports() { gTold.clear(); }

} // namespace tylog
