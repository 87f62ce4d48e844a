#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/vb/Color.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace tylog {

int MsgBox(const QString& prompt, int buttons, const QString& title) {
    return platform().dialogs->MsgBox(prompt, buttons, title.isEmpty() ? QString(AppTitle) : title);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    return platform().dialogs->InputBox(prompt, title.isEmpty() ? QString(AppTitle) : title, defaultText);
}

void Beep() { platform().dialogs->Beep(); }

int QtDialogs::MsgBox(const QString& prompt, int buttons, const QString& title) {
    QMessageBox box;
    box.setWindowTitle(title);
    box.setText(prompt);
    switch (buttons & 0x0F) {
    case vbOKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case vbAbortRetryIgnore: box.setStandardButtons(QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore); break;
    case vbYesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    case vbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case vbRetryCancel: box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (buttons & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return vbOK;
    case QMessageBox::Cancel: return vbCancel;
    case QMessageBox::Abort: return vbAbort;
    case QMessageBox::Retry: return vbRetry;
    case QMessageBox::Ignore: return vbIgnore;
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    default: return (buttons & 0x0F) == vbOKOnly ? vbOK : vbCancel;
    }
}

void QtDialogs::Notice(const QString& prompt, const QString& title) {
    auto* box = new QMessageBox(QMessageBox::Warning, title, prompt, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

QString QtDialogs::InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    bool ok = false;
    const QString answer = QInputDialog::getText(nullptr, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

namespace {
// "Text (*.txt)|*.txt|All (*.*)|*.*" becomes Qt's "Text (*.txt);;All (*.*)".
QString qtFilter(const QString& filter, int index, QString* selected) {
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        if (!name.contains('(')) name += " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
        out << name;
    }
    if (index >= 1 && index <= out.size()) *selected = out[index - 1];
    return out.join(";;");
}
QString startPath(const FileDialogOptions& o) {
    if (o.FileName.isEmpty()) return o.InitDir;
    if (o.FileName.contains('/')) return o.FileName;
    return o.InitDir.isEmpty() ? o.FileName : o.InitDir + '/' + o.FileName;
}
} // namespace

QString QtDialogs::ShowOpen(const FileDialogOptions& o) {
    QString selected;
    const QString filter = qtFilter(o.Filter, o.FilterIndex, &selected);
    return QFileDialog::getOpenFileName(nullptr, o.DialogTitle, startPath(o), filter, &selected);
}

QString QtDialogs::ShowSave(const FileDialogOptions& o) {
    QString selected;
    const QString filter = qtFilter(o.Filter, o.FilterIndex, &selected);
    QString path = QFileDialog::getSaveFileName(nullptr, o.DialogTitle, startPath(o), filter, &selected);
    if (!path.isEmpty() && !o.DefaultExt.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += '.' + o.DefaultExt;
    return path;
}

bool QtDialogs::ShowColor(long& color) {
    const QColor c = QColorDialog::getColor(vb::ToQColor(color));
    if (!c.isValid()) return false;
    color = vb::FromQColor(c);
    return true;
}

void QtDialogs::Beep() { QApplication::beep(); }

} // namespace tylog
