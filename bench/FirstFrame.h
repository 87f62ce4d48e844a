#pragma once
// The application of the start-up probes: it ends the process the moment the first window the
// operator can use has been exposed and drawn, so the time from exec to exit is the time to it.
#include <QApplication>
#include <QWindow>

#include <cstdio>
#include <functional>
#include <unistd.h>

namespace tylog::bench {

class FirstFrameApplication : public QApplication {
public:
    using QApplication::QApplication;
    // Asked of each window once it has been exposed and drawn: true when it is the one the probe
    // waits for (by default the first).
    std::function<bool(QWindow*)> awaited = [](QWindow*) { return true; };

    bool notify(QObject* receiver, QEvent* event) override {
        const bool result = QApplication::notify(receiver, event);
        // An exposed widget window has drawn its backing store while this event was handled.
        if (event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(receiver);
            if (window && window->isExposed() && awaited(window)) _exit(0);
        }
        return result;
    }
};

} // namespace tylog::bench
