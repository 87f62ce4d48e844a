#include "keying/BlindFrm.h"
#include "core/ProcessState.h"
#include "core/StationSettingsFile.h"
#include "keying/ToolWindowScaling.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "platform/vb/Design.h"
#include "platform/Diagnostics.h"

namespace tylog {

BlindFrmWindow::BlindFrmWindow() : vb::Form("BlindFrm") {
    layOut();
    Option1.Click = [this] { Option1_Click(); };
    Option2.Click = [this] { Option2_Click(); };
    Option3.Click = [this] { Option3_Click(); };
    Command1.Click = [this] { Command1_Click(); };
}

void BlindFrmWindow::layOut() {
    vb::ApplyDesign(
        *this, {.Caption = "Voice Navigation Settings", .ClientWidth = 6240, .ClientHeight = 4680},
        {
            // control  caption  left  top   width height tab
            {lblChoose,
             "Choose one of the options below.  Select Off to turn the navigation function off, Call to indicate the "
             "Call field only and All Data Fields to provide verbal prompts through all the data fields.",
             240, 120, 5760, 660},
            {Frame1, "Choose your preferred option:", 240, 900, 3000, 1395},
            {Option1, "Off", 240, 300, 2520, 255, 0},
            {Option2, "Call Only", 240, 630, 2520, 255, 1},
            {Option3, "All Data Fields", 240, 960, 2520, 255, 2},
            {Command1, "Done", 3960, 1500, 1335, 495, 3},
            {lblEnable, "To Enable Voice Navigation:", 240, 2460, 5760, 255, {}, {.FontBold = true}},
            {Label7, {}, 240, 2760, 5760, 495}, // the program's folder, at load
            {lblFiles, "The navigation audio wave files must be added to the working directory of this program.", 240,
             3300, 5760, 375},
            {lblHow,
             "Once the wave files are in place and an option is chosen, a recorded voice names each data-entry field "
             "as it receives the focus.",
             240, 3720, 5760, 435},
            {lblIdeas,
             "Additional suggestions and ideas for supporting visually impaired hams are welcome and appreciated.",
             240, 4200, 5760, 375},
        });
}

void BlindFrmWindow::Form_Load() {
    Screen& screen = *platform().screen;
    ScaleToolWindow(*this, QRectF(0, 0, screen.Width(), screen.Height()), screen.Width());
    Label7.setCaption("Put the audio wave files in this program's working directory: " + Folders.ProgramFolder);
    // Choosing the stored option announces it, as a click would.
    switch (Station.VoiceNavLevel) {
    case 0:
        Option1.setValue(true);
        Option2.setValue(false);
        Option3.setValue(false);
        break;
    case 1: Option2.setValue(true); break;
    case 2: Option3.setValue(true); break;
    default: break;
    }
}

void BlindFrmWindow::Form_Unload(int& Cancel) {
    (void)Cancel;
    MMControl1.Close();
}

void BlindFrmWindow::BlindKeyPhone(const QString& q) {
    try {
        MMControl1.Play(FindNoCase(Folders.ProgramFolder, q + ".wav"));
    } catch (const VbError& e) {
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
    }
}

void BlindFrmWindow::HearPromptOut() { MMControl1.HearOut(); }

void BlindFrmWindow::Option1_Click() { BlindKeyPhone("NavDis"); }

// "Call" once "NavEn" has been heard.
void BlindFrmWindow::Option2_Click() {
    BlindKeyPhone("NavEn");
    HearPromptOut();
    BlindKeyPhone("Call");
}

void BlindFrmWindow::Option3_Click() { BlindKeyPhone("NavEn"); }

void BlindFrmWindow::Command1_Click() {
    try {
        Station.VoiceNavLevel = 0;
        if (Option2.Value()) Station.VoiceNavLevel = 1;
        if (Option3.Value()) Station.VoiceNavLevel = 2;
        Hide();
        SaveStationSettings();
    } catch (const VbError& e) {
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
    }
}

} // namespace tylog
