#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <utility>

namespace tylog::vb {

// An error that left an event handler and stopped at the control layer.
struct EscapedError {
    QString source;      // the window, or window.control: "frmMain", "frmMain.txtCall", "frmMain.Opt(2)"
    QString event;       // "Click", "KeyPress", "Timer", "Form_Load", ...
    int number = 0;      // the VbError's number; 0 for any other error
    QString description; // the VbError's description, an exception's what(), or "Unknown error"
};

// Called for every escaped error, after it is logged and before its message box. The test main installs
// one that fails the running test. Returns the hook it replaces.
using EscapedErrorHook = std::function<void(const EscapedError&)>;
EscapedErrorHook SetEscapedErrorHook(EscapedErrorHook hook);

namespace detail {
// Reports the exception being handled; called from inside a catch block only.
void ReportEscapedError(const QObject* source, const char* event) noexcept;
} // namespace detail

// Runs one event handler of window code. Whatever leaves it (VbError, a standard exception, anything
// else) stops here: it is logged under tylog.controls, handed to the hook and shown in a message box
// (title "tylog"), and the program goes on. Every place the layer calls a handler goes through here, so
// no error reaches Qt. Returns false when the handler ended with an error.
template <class F>
bool RunHandler(const QObject* source, const char* event, F&& handler) noexcept {
    // The handler may delete its own control (a control array element it unloads).
    const QPointer<const QObject> alive(source);
    try {
        std::forward<F>(handler)();
        return true;
    } catch (...) {
        detail::ReportEscapedError(alive.data(), event);
        return false;
    }
}

} // namespace tylog::vb
