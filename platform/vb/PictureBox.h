#pragma once
#include "platform/vb/Control.h"

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <vector>

namespace tylog::vb {

// Fills, from (x, y), every pixel of the colour `surface` that is joined to it side by side (never
// corner to corner, so a one-pixel diagonal border holds) with the colour `fill`: any other colour stops
// the fill. Nothing is filled when the start lies outside the image, when its pixel is not of `surface`,
// or when `fill` equals `surface`. Iterative and bounded by the image. Colours compare by red, green and
// blue; the image is converted to 32 bits per pixel when it is not. Returns the number of pixels filled.
int FloodFill(QImage& image, int x, int y, QRgb surface, QRgb fill);

// One thing a picture box drew. Coordinates are twips from the top left corner of its drawing area.
struct DrawItem {
    enum class Kind { Line, Box, FilledBox, Point, Text, FloodFill };
    Kind kind = Kind::Line;
    double x1 = 0, y1 = 0; // a point, a text's top left corner, a flood fill's start: x1, y1 only
    double x2 = 0, y2 = 0;
    long color = 0; // the pen; a filled box's colour; the colour a flood fill paints with
    long fill = -1; // the inside of a box (FillColor under FillStyle 0), -1 when left open; a flood
                    // fill's surface colour
    int width = 1;  // DrawWidth, in pixels
    QString text{};
    bool operator==(const DrawItem&) const = default;
};

// The shapes of the Line method: a line, a box (B), a filled box (BF).
enum class LineShape { Line, B, BF };

// A drawing surface. Every drawing operation is painted onto the box's raster at once and kept in
// Drawn(), in order, so tests read what a window drew from that list; the raster serves the fill and
// Point(). The box always keeps what was drawn (as with AutoRedraw on): a new size repaints the list.
// Child controls sit in the drawing area. Colours are BGR; -1 for a colour means ForeColor.
class PictureBox : public Control {
    Q_OBJECT
public:
    PictureBox(Form& form, const QString& name, Control* container = nullptr, int index = -1);

    // The drawing area in twips: the box less its border.
    double ScaleWidth() const;
    double ScaleHeight() const;
    int BorderStyle() const { return borderStyle_; } // 0 none, 1 fixed single (2 pixels, sunken; the default)
    void setBorderStyle(int s);

    // What the next operations use. BackColor and ForeColor are the control's; a new BackColor clears.
    double CurrentX = 0, CurrentY = 0;
    long FillColor = 0;
    int FillStyle = 1; // 0 solid: a box's inside takes FillColor; 1 transparent
    int DrawWidth = 1; // pixels
    bool AutoRedraw = true; // the box always keeps its drawing; kept for windows that set it

    // Clears the drawing (the picture stays) and puts CurrentX and CurrentY back to 0.
    void Cls();
    // A line, or with B a box (its inside FillColor under FillStyle 0), or with BF a box filled with the
    // colour. CurrentX and CurrentY move to (x2, y2).
    void Line(double x1, double y1, double x2, double y2, long color = -1, LineShape shape = LineShape::Line);
    // One point of DrawWidth pixels; CurrentX and CurrentY move to it.
    void PSet(double x, double y, long color = -1);
    // Text in ForeColor and the control's font, its top left corner at CurrentX, CurrentY; then CurrentX
    // goes back to 0 and CurrentY down by the text's height.
    void Print(const QString& text);
    // Surface fill from (x, y) with FillColor over the area of `color` (see FloodFill); true when it
    // painted anything, and only then is it in Drawn().
    bool ExtFloodFill(double x, double y, long color);
    // The colour at a point of the drawing area; -1 outside it.
    long Point(double x, double y) const;

    // The picture shows at the drawing area's top left corner, at its own size, under the drawing. A new
    // picture clears the drawing.
    void setPicture(const QPixmap& p);
    bool HasPicture() const { return !picture_.isNull(); }

    const std::vector<DrawItem>& Drawn() const { return drawn_; }
    const QImage& Raster() const { return raster_; }
    QWidget* childParent() const override;

protected:
    void applyGeometry() override;
    void applyColors() override;
    bool clickOnRelease() const override { return true; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class PictureCanvas;
    void add(DrawItem item);
    void paint(const DrawItem& item, const QFont& font);
    void repaintAll(); // the raster from the background, the picture and the list
    QFont currentFont() const;
    double textHeight(const QFont& font) const; // twips
    QWidget* canvas_ = nullptr;
    QImage raster_, picture_;
    std::vector<DrawItem> drawn_;
    std::vector<QFont> fonts_; // the font of each item, for the texts when the list is painted again
    int borderStyle_ = 1;
    long paintedBack_ = -1;
};

} // namespace tylog::vb
