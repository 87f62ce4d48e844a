#include "app/Startup.h"
#include "platform/Platform.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "tylog: no display found; start it under a virtual display: xvfb-run -a ./tylog\n");
        return 1;
    }
    QApplication app(argc, argv);
    // Windows close through their own unload handling, which ends the run where it should.
    QApplication::setQuitOnLastWindowClosed(false);
    tylog::InstallRealPlatform();
    tylog::RunStartup();
    return app.exec();
}
