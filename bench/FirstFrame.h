#pragma once
// The application of the start-up probes: it ends the process the moment the first window has been
// exposed and drawn, so the time from exec to exit is the time to the first window.
#include <QApplication>
#include <QWindow>

#include <cstdio>
#include <unistd.h>

namespace tylog::bench {

class FirstFrameApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        const bool result = QApplication::notify(receiver, event);
        // An exposed widget window has drawn its backing store while this event was handled.
        if (event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(receiver);
            if (window && window->isExposed()) _exit(0);
        }
        return result;
    }
};

} // namespace tylog::bench
