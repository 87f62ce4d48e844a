// The program's own start (what app/main.cpp does) until the first window the operator can use, the
// station setup window, has drawn its first frame: the measure of the start-up benchmark. The logo's
// designed display time is not in it: the logo is closed as a click on it closes it, the moment it
// has been drawn.
#include "app/LogoWindow.h"
#include "app/StationSetupWindow.h"
#include "app/Startup.h"
#include "bench/FirstFrame.h"
#include "platform/Platform.h"
#include "platform/vb/Forms.h"

#include <QTimer>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    tylog::bench::FirstFrameApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    app.awaited = [](QWindow* window) {
        auto* logo = tylog::vb::IfLoaded<tylog::frmQ7BZWLogoWindow>();
        if (logo && logo->windowHandle() == window) {
            QTimer::singleShot(0, [] {
                if (auto* l = tylog::vb::IfLoaded<tylog::frmQ7BZWLogoWindow>()) l->Image1_Click();
            });
            return false;
        }
        auto* setup = tylog::vb::IfLoaded<tylog::frmStationIDWindow>();
        if (setup && setup->windowHandle() == window) return true;
        std::fprintf(stderr, "tylog_bench_startup_probe: a window other than the station setup came first\n");
        _exit(2);
    };
    tylog::InstallRealPlatform();
    tylog::RunStartup();
    return app.exec();
}
