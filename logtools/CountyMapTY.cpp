#include "logtools/CountyMapTY.h"
#include "logstore/ContactLog.h"
#include "platform/Diagnostics.h"
#include "platform/Platform.h"
#include "platform/VbError.h"
#include "platform/vb/Color.h"
#include "platform/vb/Design.h"

#include <algorithm>
#include <exception>

namespace tylog {

namespace {
constexpr double kTwipsPerDesignPixel = 15; // the hot spots' design values
} // namespace

CountyMapTYWindow::CountyMapTYWindow() : vb::Form("CountyMapTY") {
    try {
        Picture1.setPicture(vb::LoadPicture(CountyMapPicturePath()));
    } catch (const VbError& e) {
        // The window still opens: the map area stays empty and nothing is painted.
        qCDebug(lcLogTools) << "county map: no picture:" << e.Description;
    }
    try {
        HotSpots = LoadCountyHotSpots();
    } catch (const VbError& e) {
        qCDebug(lcLogTools) << "county map: no hot-spot table:" << e.Description;
    }

    std::vector<vb::ControlDesign> rows{
        // control  caption  left  top   width height
        {Picture1, {}, 0, 0, 9285, 4155},
        {Label1, CountyMapHint, 720, 1080, 1815, 615},
    };
    for (int i = 0; i < static_cast<int>(HotSpots.size()); ++i) {
        const CountyHotSpot& s = HotSpots[static_cast<size_t>(i)];
        const double px = kTwipsPerDesignPixel;
        rows.push_back({lblCounty.Add(*this, "lblCounty", i, &Picture1), s.Name, s.Left * px, s.Top * px,
                        s.Width * px, s.Height * px});
    }
    vb::ApplyDesign(*this, {.Caption = CountyMapCaption, .ClientWidth = 9360, .ClientHeight = 4245, .BorderStyle = 1},
                    rows);

    CountyColor = [this] { return randomColor(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
}

void CountyMapTYWindow::Form_Load() {
    Screen& screen = *platform().screen;
    Move((screen.Width() - Width()) / 2, (screen.Height() - Height()) / 2, Width(), Height());
    // The hot spots' design captions become tool tips over a map they leave unchanged.
    for (auto& [i, label] : lblCounty) {
        label->setToolTipText(label->Caption());
        label->setCaption(QString());
        label->setBackStyle(0);
    }
    if (ContactLog.Count > 0) Label1.setVisible(false);
    random_.seed(static_cast<std::uint32_t>(platform().clock->Now().toMSecsSinceEpoch()));
}

void CountyMapTYWindow::Timer1_Timer() {
    Timer1.setEnabled(false); // one tick, once the map is up
    ColorWorkedCounties();
}

long CountyMapTYWindow::randomColor() {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int r = static_cast<int>(unit(random_) * 254);
    const int g = static_cast<int>(unit(random_) * 254);
    const int b = static_cast<int>(unit(random_) * 254);
    return vb::RGB(r, g, b);
}

void CountyMapTYWindow::ColorWorkedCounties() {
    // Without the picture the box is one blank surface: a fill would cover all of it.
    if (!Picture1.HasPicture()) return;
    try {
        const double tx = platform().screen->TwipsPerPixelX(), ty = platform().screen->TwipsPerPixelY();
        for (const QString& entry : WorkedCounties) {
            const auto spot = std::find_if(HotSpots.begin(), HotSpots.end(), [&](const CountyHotSpot& s) {
                return s.Name.compare(entry, Qt::CaseInsensitive) == 0;
            });
            if (spot == HotSpots.end()) continue;
            // The picture's pixels, as the table gives them, are the box's.
            const QPointF c = spot->Centre();
            const double x = c.x() * tx, y = c.y() * ty;
            const long surface = Picture1.Point(x, y);
            if (surface < 0) continue; // a centre off the picture paints nothing
            Picture1.FillColor = CountyColor();
            // Nothing happens when the colour drawn is the one already there.
            Picture1.ExtFloodFill(x, y, surface);
        }
    } catch (const std::exception& e) {
        // The counties painted so far keep their colours; no message.
        qCDebug(lcLogTools) << "county map: painting ended:" << e.what();
    }
}

} // namespace tylog
