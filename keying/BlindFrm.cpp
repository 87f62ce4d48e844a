#include "keying/BlindFrm.h"
#include "core/ProcessState.h"
#include "core/StationSettingsFile.h"
#include "keying/ToolWindowScaling.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"

#include <algorithm>

namespace tylog {

BlindFrmWindow::BlindFrmWindow() : vb::Form("BlindFrm") {
    layOut();
    Option1.Click = [this] { Option1_Click(); };
    Option2.Click = [this] { Option2_Click(); };
    Option3.Click = [this] { Option3_Click(); };
    Command1.Click = [this] { Command1_Click(); };
}

void BlindFrmWindow::layOut() {
    setCaption("Voice Navigation Settings");
    Move(0, 0, 6240 + NonClientWidth(), 4680 + NonClientHeight());
    lblChoose.setCaption("Choose one of the options below.  Select Off to turn the navigation function off, Call to "
                         "indicate the Call field only and All Data Fields to provide verbal prompts through all the "
                         "data fields.");
    lblChoose.Move(240, 120, 5760, 660);
    Frame1.setCaption("Choose your preferred option:");
    Frame1.Move(240, 900, 3000, 1395);
    Option1.setCaption("Off");
    Option1.Move(240, 300, 2520, 255);
    Option2.setCaption("Call Only");
    Option2.Move(240, 630, 2520, 255);
    Option3.setCaption("All Data Fields");
    Option3.Move(240, 960, 2520, 255);
    Command1.setCaption("Done");
    Command1.Move(3960, 1500, 1335, 495);
    lblEnable.setCaption("To Enable Voice Navigation:");
    lblEnable.setFontBold(true);
    lblEnable.Move(240, 2460, 5760, 255);
    Label7.Move(240, 2760, 5760, 495);
    lblFiles.setCaption("The navigation audio wave files must be added to the working directory of this program.");
    lblFiles.Move(240, 3300, 5760, 375);
    lblHow.setCaption("Once the wave files are in place and an option is chosen, a recorded voice names each "
                      "data-entry field as it receives the focus.");
    lblHow.Move(240, 3720, 5760, 435);
    lblIdeas.setCaption("Additional suggestions and ideas for supporting visually impaired hams are welcome and "
                        "appreciated.");
    lblIdeas.Move(240, 4200, 5760, 375);
    Option1.setTabIndex(0);
    Option2.setTabIndex(1);
    Option3.setTabIndex(2);
    Command1.setTabIndex(3);
    ApplyTabOrder();
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
    MMControl1.Command("Close");
}

void BlindFrmWindow::BlindKeyPhone(const QString& q) {
    try {
        MMControl1.DeviceType = "WaveAudio";
        MMControl1.Command("Close");
        MMControl1.FileName = FindNoCase(Folders.ProgramFolder, q + ".wav");
        if (!MMControl1.FileName.trimmed().isEmpty()) {
            MMControl1.Command("Open");
            MMControl1.Command("Play");
        }
    } catch (const VbError&) {
        // A missing prompt or a silent machine: navigation goes on without sound.
    }
}

void BlindFrmWindow::WaitForPrompt() {
    if (MMControl1.Mode() != MediaControl::ModePlaying) return;
    WaitUntil(platform().clock->TimeGetTime(), std::min(MMControl1.RemainingMs(), MaxPromptWaitMs));
}

void BlindFrmWindow::Option1_Click() { BlindKeyPhone("NavDis"); }

void BlindFrmWindow::Option2_Click() {
    BlindKeyPhone("NavEn");
    WaitForPrompt();
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
    } catch (const VbError&) {
    }
}

} // namespace tylog
