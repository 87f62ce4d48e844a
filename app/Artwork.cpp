#include "app/Artwork.h"
#include "app/ArtworkDrawing.h"

namespace tylog {

// Drawn by the build (ArtworkPicturesTool).
extern const ArtPicture kLogoPicture;
extern const ArtPicture kRadioPicture;
extern const ArtPicture kAntennaPicture;

namespace {
// The picture the build drew when it has this size, else one drawn now.
QPixmap pictureOf(const ArtPicture& built, QSize px, QImage (*draw)(QSize)) {
    if (QSize(built.width, built.height) != px) return QPixmap::fromImage(draw(px));
    return QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(built.pixels), built.width, built.height,
                                     built.bytesPerLine, static_cast<QImage::Format>(built.format)));
}
} // namespace

QPixmap LogoPicture(QSize px) { return pictureOf(kLogoPicture, px, DrawLogo); }

QPixmap RadioPicture(QSize px) { return pictureOf(kRadioPicture, px, DrawRadio); }

QPixmap AntennaIcon(int size) {
    return pictureOf(kAntennaPicture, QSize(size, size), [](QSize px) { return DrawAntenna(px.width()); });
}

} // namespace tylog
