#include "platform/vb/PictureBox.h"
#include "platform/Platform.h"
#include "platform/vb/Color.h"

#include <QFontMetricsF>
#include <QFrame>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tylog::vb {

// ---- Flood fill --------------------------------------------------------------------------------

int FloodFill(QImage& image, int x, int y, QRgb surface, QRgb fill) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return 0;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_RGB32);
    constexpr QRgb kRgb = 0x00FFFFFF;
    const QRgb from = surface & kRgb, to = fill & kRgb;
    const auto pixel = [&](int px, int py) -> QRgb& { return reinterpret_cast<QRgb*>(image.scanLine(py))[px]; };
    const auto matches = [&](int px, int py) { return (pixel(px, py) & kRgb) == from; };
    // A fill of the colour already there would find its own pixels again: nothing to do.
    if (from == to || !matches(x, y)) return 0;

    // Scan lines: fill the run of the seed's row, then seed the runs above and below it. Every pixel
    // filled stops matching, so each is filled once and the stack stays within the image's size.
    const int w = image.width(), h = image.height();
    int filled = 0;
    std::vector<QPoint> seeds{QPoint(x, y)};
    while (!seeds.empty()) {
        const QPoint s = seeds.back();
        seeds.pop_back();
        if (!matches(s.x(), s.y())) continue;
        int left = s.x(), right = s.x();
        while (left > 0 && matches(left - 1, s.y())) --left;
        while (right < w - 1 && matches(right + 1, s.y())) ++right;
        for (int px = left; px <= right; ++px) pixel(px, s.y()) = (pixel(px, s.y()) & ~kRgb) | to;
        filled += right - left + 1;
        for (const int ny : {s.y() - 1, s.y() + 1}) {
            if (ny < 0 || ny >= h) continue;
            bool inRun = false;
            for (int px = left; px <= right; ++px) {
                const bool m = matches(px, ny);
                if (m && !inRun) seeds.emplace_back(px, ny);
                inRun = m;
            }
        }
    }
    return filled;
}

// ---- PictureBox --------------------------------------------------------------------------------

namespace {
constexpr int kBorderPixels = 2;

QRgb toRgb(long bgr) { return ToQColor(bgr).rgb(); }
long toBgr(QRgb rgb) { return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)); }
double tppX() { return platform().screen->TwipsPerPixelX(); }
double tppY() { return platform().screen->TwipsPerPixelY(); }
// A point of the drawing area: twips to the nearest pixel, halves to even.
int pixelX(double twips) { return static_cast<int>(std::nearbyint(twips / tppX())); }
int pixelY(double twips) { return static_cast<int>(std::nearbyint(twips / tppY())); }
} // namespace

// The drawing area: shows the raster and takes the mouse (so clicks report drawing-area positions).
class PictureCanvas : public QWidget {
public:
    PictureCanvas(PictureBox* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, owner_->raster_);
    }
    // Taken here, so a press does not travel on to the frame as a second one.
    void mousePressEvent(QMouseEvent* e) override { e->accept(); }
    void mouseReleaseEvent(QMouseEvent* e) override { e->accept(); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { e->accept(); }
    void mouseMoveEvent(QMouseEvent* e) override { e->accept(); }

private:
    PictureBox* owner_;
};

PictureBox::PictureBox(Form& form, const QString& name, Control* container, int index)
    : Control(form, Kind::PictureBox, name, container, index) {
    backColor_ = vbButtonFace;
    foreColor_ = vbBlack;
    auto* frame = new QFrame;
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(kBorderPixels);
    canvas_ = new PictureCanvas(this, frame);
    canvas_->installEventFilter(this);
    attach(frame);
    applyColors();
}

QWidget* PictureBox::childParent() const { return canvas_; }

double PictureBox::ScaleWidth() const {
    return std::max(0.0, Width() - (borderStyle_ ? 2 * kBorderPixels * tppX() : 0));
}

double PictureBox::ScaleHeight() const {
    return std::max(0.0, Height() - (borderStyle_ ? 2 * kBorderPixels * tppY() : 0));
}

void PictureBox::setBorderStyle(int s) {
    borderStyle_ = s;
    static_cast<QFrame*>(widget())->setFrameStyle(s ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
    applyGeometry();
}

void PictureBox::applyGeometry() {
    Control::applyGeometry();
    if (!widget() || !canvas_) return;
    const int b = borderStyle_ ? kBorderPixels : 0;
    canvas_->setGeometry(widget()->rect().adjusted(b, b, -b, -b));
    if (raster_.size() != canvas_->size()) repaintAll();
}

void PictureBox::applyColors() {
    // The control's palette is left alone: the raster shows the colours.
    if (backColor_ != paintedBack_) Cls(); // a new background clears the drawing
}

QFont PictureBox::currentFont() const { return widget() ? widget()->font() : QFont(); }

double PictureBox::textHeight(const QFont& font) const {
    // A box of no size has no raster to measure on.
    const QFontMetricsF m = raster_.isNull() ? QFontMetricsF(font) : QFontMetricsF(font, &raster_);
    return m.height() * tppY();
}

void PictureBox::repaintAll() {
    const QSize size = canvas_ ? canvas_->size() : QSize();
    raster_ = QImage(size.isValid() ? size : QSize(0, 0), QImage::Format_RGB32);
    // Text sizes follow the screen's pixels per inch, as on the control's widget.
    raster_.setDotsPerMeterX(static_cast<int>(std::lround(1440.0 / tppX() / 0.0254)));
    raster_.setDotsPerMeterY(static_cast<int>(std::lround(1440.0 / tppY() / 0.0254)));
    raster_.fill(toRgb(backColor_));
    paintedBack_ = backColor_;
    if (!picture_.isNull() && !raster_.isNull()) {
        QPainter p(&raster_);
        p.drawImage(0, 0, picture_);
    }
    for (size_t i = 0; i < drawn_.size(); ++i) paint(drawn_[i], fonts_[i]);
    if (canvas_) canvas_->update();
}

void PictureBox::Cls() {
    drawn_.clear();
    fonts_.clear();
    CurrentX = CurrentY = 0;
    repaintAll();
}

void PictureBox::setPicture(const QPixmap& p) {
    picture_ = p.toImage().convertToFormat(QImage::Format_RGB32);
    Cls();
}

void PictureBox::add(DrawItem item) {
    const QFont font = item.kind == DrawItem::Kind::Text ? currentFont() : QFont();
    paint(item, font);
    drawn_.push_back(std::move(item));
    fonts_.push_back(font);
    canvas_->update();
}

void PictureBox::paint(const DrawItem& item, const QFont& font) {
    if (raster_.isNull()) return;
    using K = DrawItem::Kind;
    if (item.kind == K::FloodFill) {
        FloodFill(raster_, pixelX(item.x1), pixelY(item.y1), toRgb(item.fill), toRgb(item.color));
        return;
    }
    QPainter p(&raster_);
    const QColor color = ToQColor(item.color);
    switch (item.kind) {
    case K::Line: {
        QPen pen(color, item.width);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(QPointF(item.x1 / tppX(), item.y1 / tppY()), QPointF(item.x2 / tppX(), item.y2 / tppY()));
        break;
    }
    case K::Box:
    case K::FilledBox: {
        // Both corners belong to the box, whatever their order.
        const int l = std::min(pixelX(item.x1), pixelX(item.x2)), r = std::max(pixelX(item.x1), pixelX(item.x2));
        const int t = std::min(pixelY(item.y1), pixelY(item.y2)), b = std::max(pixelY(item.y1), pixelY(item.y2));
        if (item.kind == K::FilledBox) {
            p.fillRect(QRect(QPoint(l, t), QPoint(r, b)), color);
            break;
        }
        if (item.fill >= 0 && r - l > 1 && b - t > 1)
            p.fillRect(QRect(QPoint(l + 1, t + 1), QPoint(r - 1, b - 1)), ToQColor(item.fill));
        p.setPen(QPen(color, item.width));
        p.drawRect(l, t, r - l, b - t);
        break;
    }
    case K::Point: {
        const int x = pixelX(item.x1) - (item.width - 1) / 2, y = pixelY(item.y1) - (item.width - 1) / 2;
        p.fillRect(QRect(x, y, std::max(1, item.width), std::max(1, item.width)), color);
        break;
    }
    case K::Text:
        p.setFont(font);
        p.setPen(color);
        p.drawText(QPointF(item.x1 / tppX(), item.y1 / tppY() + QFontMetricsF(font, &raster_).ascent()), item.text);
        break;
    case K::FloodFill:
        break;
    }
}

void PictureBox::Line(double x1, double y1, double x2, double y2, long color, LineShape shape) {
    DrawItem item;
    item.kind = shape == LineShape::Line ? DrawItem::Kind::Line
                : shape == LineShape::B  ? DrawItem::Kind::Box
                                         : DrawItem::Kind::FilledBox;
    item.x1 = x1;
    item.y1 = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.color = color < 0 ? foreColor_ : color;
    if (shape == LineShape::B && FillStyle == 0) item.fill = FillColor;
    item.width = std::max(1, DrawWidth);
    add(std::move(item));
    CurrentX = x2;
    CurrentY = y2;
}

void PictureBox::PSet(double x, double y, long color) {
    DrawItem item;
    item.kind = DrawItem::Kind::Point;
    item.x1 = x;
    item.y1 = y;
    item.color = color < 0 ? foreColor_ : color;
    item.width = std::max(1, DrawWidth);
    add(std::move(item));
    CurrentX = x;
    CurrentY = y;
}

void PictureBox::Print(const QString& text) {
    DrawItem item;
    item.kind = DrawItem::Kind::Text;
    item.x1 = CurrentX;
    item.y1 = CurrentY;
    item.color = foreColor_;
    item.text = text;
    add(std::move(item));
    CurrentX = 0;
    CurrentY += textHeight(currentFont());
}

bool PictureBox::ExtFloodFill(double x, double y, long color) {
    if (FloodFill(raster_, pixelX(x), pixelY(y), toRgb(color), toRgb(FillColor)) == 0) return false;
    DrawItem item;
    item.kind = DrawItem::Kind::FloodFill;
    item.x1 = x;
    item.y1 = y;
    item.color = FillColor;
    item.fill = color;
    drawn_.push_back(std::move(item));
    fonts_.emplace_back();
    canvas_->update();
    return true;
}

long PictureBox::Point(double x, double y) const {
    const int px = pixelX(x), py = pixelY(y);
    if (px < 0 || py < 0 || px >= raster_.width() || py >= raster_.height()) return -1;
    return toBgr(raster_.pixel(px, py));
}

bool PictureBox::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        // Positions are the drawing area's, so the border reports nothing; nor does a press that a child
        // control let through: it was that control's.
        if (watched != canvas_ || canvas_->childAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
            return false;
        break;
    default:
        break;
    }
    return Control::eventFilter(watched, event);
}

} // namespace tylog::vb
