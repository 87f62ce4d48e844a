#pragma once
#include <QRectF>

namespace tylog {

// Screen metrics in twips (1440 per inch) and the size of a pixel in twips.
class Screen {
public:
    virtual ~Screen() = default;
    virtual double Width() = 0;
    virtual double Height() = 0;
    virtual QRectF WorkArea() = 0; // the screen less the taskbar
    virtual double TwipsPerPixelX() = 0;
    virtual double TwipsPerPixelY() = 0;
};

class QtScreen : public Screen {
public:
    double Width() override;
    double Height() override;
    QRectF WorkArea() override;
    double TwipsPerPixelX() override;
    double TwipsPerPixelY() override;
};

} // namespace tylog
