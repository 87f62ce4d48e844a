#pragma once
#include <QString>
#include <QStringList>

namespace tylog {

// Message box buttons and icons, and the answers, with the numbers the program's texts were written for.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

struct FileDialogOptions {
    QString DialogTitle;
    QString InitDir;
    QString FileName; // suggested name; on return the chosen full path
    QString Filter;   // "Text (*.txt)|*.txt|All Files (*.*)|*.*"
    int FilterIndex = 1;
    QString DefaultExt;
};

// Every modal question the program asks goes through this one service: the program shows Qt
// dialogs, tests queue the answers (see platform/testing/ScriptedDialogs.h).
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual int MsgBox(const QString& prompt, int buttons, const QString& title) = 0;
    // A message the program does not wait for: shown beside the window without taking the focus, so
    // typing and logging go on; the operator closes it when he has read it.
    virtual void Notice(const QString& prompt, const QString& title) = 0;
    // Returns "" on Cancel.
    virtual QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // Return the chosen path, or "" when cancelled.
    virtual QString ShowOpen(const FileDialogOptions& options) = 0;
    virtual QString ShowSave(const FileDialogOptions& options) = 0;
    // Returns false when cancelled; color is a 24-bit BGR value.
    virtual bool ShowColor(long& color) = 0;
    virtual void Beep() = 0;
};

class QtDialogs : public Dialogs {
public:
    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    void Notice(const QString& prompt, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString ShowOpen(const FileDialogOptions& options) override;
    QString ShowSave(const FileDialogOptions& options) override;
    bool ShowColor(long& color) override;
    void Beep() override;
};

// Shorthands the windows use.
int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString());
QString InputBox(const QString& prompt, const QString& title = QString(), const QString& defaultText = QString());
void Beep();

// Default title of a message box without one.
inline const char* const AppTitle = "tylog";

} // namespace tylog
