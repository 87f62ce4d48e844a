#pragma once
// How the program's pictures (Artwork) are drawn. The build draws the logo window's two pictures and
// the setup window's antenna at their usual sizes once (ArtworkPicturesTool) and the program shows
// those: drawing them at start-up, before the first window, cost the antialiased shapes and the first
// text of the run, which loads the whole font database. Any other size is drawn here at run time.
#include <QImage>
#include <QSize>

namespace tylog {

// The logo window's full picture: night sky, antenna tower with its waves, name, contest and version.
QImage DrawLogo(QSize pixels);
// The logo window's small picture at the lower right, on a transparent ground: a transceiver.
QImage DrawRadio(QSize pixels);
// A small square antenna emblem on a transparent ground.
QImage DrawAntenna(int pixels);

// The sizes the build draws the logo window's pictures at: at 15 twips a pixel (96 dots an inch); and
// the antenna's, as the setup window shows it and as window icons take it.
inline constexpr QSize kLogoPictureSize{965, 536};
inline constexpr QSize kRadioPictureSize{264, 120};
inline constexpr int kAntennaPictureSize = 64;

// A picture the build drew: its pixels row by row, in a QImage format.
struct ArtPicture {
    int width, height, bytesPerLine, format;
    const char* pixels;
};

} // namespace tylog
