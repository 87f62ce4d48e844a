#include "platform/vb/ErrorGuard.h"
#include "platform/Diagnostics.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/VbError.h"
#include "platform/vb/Control.h"
#include "platform/vb/Form.h"

#include <exception>

namespace tylog::vb {

namespace {

EscapedErrorHook& hook() {
    static EscapedErrorHook h;
    return h;
}

// True while the message box of an escaped error is open.
bool& boxOpen() {
    static bool open = false;
    return open;
}

QString sourceName(const QObject* o) {
    if (!o) return QStringLiteral("(deleted)");
    if (const auto* f = qobject_cast<const Form*>(o)) return f->Name;
    if (const auto* c = qobject_cast<const Control*>(o))
        return c->form().Name + '.' + c->Name + (c->Index >= 0 ? QStringLiteral("(%1)").arg(c->Index) : QString());
    // Timers and menus: their window, then their own name.
    for (const QObject* p = o->parent(); p; p = p->parent())
        if (const auto* f = qobject_cast<const Form*>(p)) return f->Name + '.' + o->objectName();
    return o->objectName();
}

EscapedError describeCurrent() {
    EscapedError e;
    try {
        throw;
    } catch (const VbError& v) {
        e.number = v.Number;
        e.description = v.Description;
    } catch (const std::exception& x) {
        e.description = QString::fromLocal8Bit(x.what());
    } catch (...) {
        e.description = QStringLiteral("Unknown error");
    }
    return e;
}

} // namespace

EscapedErrorHook SetEscapedErrorHook(EscapedErrorHook h) { return std::exchange(hook(), std::move(h)); }

namespace detail {

void ReportEscapedError(const QObject* source, const char* event) noexcept {
    try {
        EscapedError e = describeCurrent();
        e.source = sourceName(source);
        e.event = QString::fromLatin1(event);
        qCWarning(lcControls).noquote() << "error" << e.number << "left" << e.source + '.' + e.event << "-"
                                        << e.description;
        if (hook()) hook()(e);
        // One box at a time: a timer that keeps failing while the box is open would pile boxes up.
        if (boxOpen() || !platform().dialogs) return;
        boxOpen() = true;
        try {
            platform().dialogs->MsgBox(e.description, vbOKOnly | vbCritical, AppTitle);
        } catch (...) {
            qCDebug(lcControls) << "the message box of an escaped error failed";
        }
        boxOpen() = false;
    } catch (...) {
        // Reporting must not throw into Qt.
        boxOpen() = false;
        qCDebug(lcControls) << "an escaped error could not be reported";
    }
}

} // namespace detail

} // namespace tylog::vb
