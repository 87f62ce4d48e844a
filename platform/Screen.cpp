#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace tylog {

namespace {
QScreen* primary() { return QGuiApplication::primaryScreen(); }
double tpp(double dpi) { return dpi > 0 ? 1440.0 / dpi : 15.0; }
} // namespace

double QtScreen::TwipsPerPixelX() { return primary() ? tpp(primary()->logicalDotsPerInchX()) : 15.0; }
double QtScreen::TwipsPerPixelY() { return primary() ? tpp(primary()->logicalDotsPerInchY()) : 15.0; }
double QtScreen::Width() { return primary() ? primary()->geometry().width() * TwipsPerPixelX() : 9600; }
double QtScreen::Height() { return primary() ? primary()->geometry().height() * TwipsPerPixelY() : 7200; }

QRectF QtScreen::WorkArea() {
    if (!primary()) return QRectF(0, 0, 9600, 7200);
    const QRect a = primary()->availableGeometry();
    return QRectF(a.x() * TwipsPerPixelX(), a.y() * TwipsPerPixelY(), a.width() * TwipsPerPixelX(),
                  a.height() * TwipsPerPixelY());
}

} // namespace tylog
