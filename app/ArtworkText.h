#pragma once
// The texts of the program's pictures (Artwork), apart from the rest of the drawing: a build step
// draws them once for the usual picture sizes (ArtworkMasks), so that a start draws no text before
// its first window shows (the first text drawn loads the whole font database).
#include <QColor>
#include <QFont>
#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>

namespace tylog {

// One line of text in a picture.
struct ArtText {
    QRectF rect;
    int flags = 0; // Qt::AlignmentFlag values
    double pixelHeight = 0;
    bool bold = false;
    QColor color;
    QString text;
};

// The logo's name, contest and version lines.
QList<ArtText> LogoTexts(QSize pixels);
// The radio picture's frequency display, and its text.
QRectF RadioDisplayRect(QSize pixels);
QList<ArtText> RadioTexts(QSize pixels);

QFont ArtFont(const ArtText& t);
// Draws the texts with their fonts.
void DrawArtTexts(QPainter& p, const QList<ArtText>& texts);

// The picture sizes the build draws the texts for: the logo window's two pictures at 15 twips a pixel
// (a 96 dots-per-inch screen).
inline constexpr QSize kLogoPictureSize{965, 536};
inline constexpr QSize kRadioPictureSize{264, 120};

// A text drawn by the build: its coverage (0..255, row by row) over a rectangle of a picture of the
// given size.
struct ArtMask {
    int pictureWidth, pictureHeight;
    int x, y, width, height;
    const unsigned char* alpha;
};

} // namespace tylog
