#pragma once
// The program's own pictures, drawn by the program (the build draws the logo window's two and the
// antenna at their usual sizes, see ArtworkDrawing), so nothing has to be shipped beside it.
#include <QPixmap>
#include <QSize>

namespace tylog {

// The logo window's full picture: night sky, antenna tower with its waves, name, contest and version.
QPixmap LogoPicture(QSize pixels);
// The logo window's small picture at the lower right: a transceiver.
QPixmap RadioPicture(QSize pixels);
// A small square antenna emblem (setup window corner, window icons).
QPixmap AntennaIcon(int pixels);

} // namespace tylog
