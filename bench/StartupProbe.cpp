// The program's own start (what app/main.cpp does), ended by the first window's first frame: the
// measure of the start-up benchmark.
#include "app/Startup.h"
#include "bench/FirstFrame.h"
#include "platform/Platform.h"

int main(int argc, char** argv) {
    tylog::bench::FirstFrameApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    tylog::InstallRealPlatform();
    tylog::RunStartup();
    return app.exec();
}
