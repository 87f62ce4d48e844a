#include "app/LogoWindow.h"
#include "platform/Diagnostics.h"
#include "app/Artwork.h"
#include "core/UserFolders.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "platform/vb/Color.h"
#include "platform/vb/Design.h"

#include <cmath>

namespace tylog {

namespace {
constexpr double kClientWidth = 14355, kClientHeight = 7920;
QSize pixelsOf(double w, double h) {
    Screen& s = *platform().screen;
    return QSize(static_cast<int>(std::lround(w / s.TwipsPerPixelX())), static_cast<int>(std::lround(h / s.TwipsPerPixelY())));
}
} // namespace

frmQ7BZWLogoWindow::frmQ7BZWLogoWindow() : vb::Form("frmQ7BZWLogo") {
    vb::ApplyDesign(*this, {.Width = kClientWidth, .Height = kClientHeight, .BorderStyle = 0, .BackColor = vb::vbBlack},
                    {
                        // A little larger than the window, so no edge shows.
                        {Image1, {}, -60, -60, kClientWidth + 120, kClientHeight + 120},
                        {Image2, {}, 9840, 5760, 3960, 1800, {}, {.Visible = false}},
                    });
    Image1.setPicture(LogoPicture(pixelsOf(Image1.Width(), Image1.Height())));
    Image2.setPicture(RadioPicture(pixelsOf(Image2.Width(), Image2.Height())));

    Image1.Click = [this] { Image1_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
}

void frmQ7BZWLogoWindow::Form_Load() {
    Screen& screen = *platform().screen;
    setLeft((screen.Width() - Width()) / 2);
    setTop((screen.Height() - Height()) / 2 - 170);

    QString base;
    GetUserFolder(base, PathSep + "Q7BZW Software", PathSep + "Shared");
    const QString shared = base + PathSep + "Shared";
    if (!ExistsNoCase(shared, "splash.jpg")) return;
    try {
        Image1.setPicture(vb::LoadPicture(FindNoCase(shared, "splash.jpg")));
    } catch (const VbError& e) {
        // Not a picture: the built-in pictures and their timing stay.
        qCDebug(lcApp) << Q_FUNC_INFO << e.Description;
        return;
    }
    Timer1.setEnabled(false);
    Timer1.setInterval(2700);
    Timer1.setEnabled(true);
    Timer2.setEnabled(false);
}

void frmQ7BZWLogoWindow::Form_Terminate() {
    // The instance lives on until the event loop deletes it; its timers must not tick meanwhile.
    Timer1.setEnabled(false);
    Timer2.setEnabled(false);
}

void frmQ7BZWLogoWindow::Image1_Click() { vb::Unload(*this); }

void frmQ7BZWLogoWindow::Timer1_Timer() { vb::Unload(*this); }

void frmQ7BZWLogoWindow::Timer2_Timer() { Image2.setVisible(true); }

} // namespace tylog
