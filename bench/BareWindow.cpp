// The floor of the start-up benchmark: a bare Qt Widgets program showing one window the logo's size.
#include "bench/FirstFrame.h"

#include <QWidget>

int main(int argc, char** argv) {
    tylog::bench::FirstFrameApplication app(argc, argv);
    QWidget w;
    w.resize(957, 528);
    w.show();
    return app.exec();
}
