#include "keying/PhoneFrm.h"
#include "core/SaveReports.h"
#include "core/ProcessState.h"
#include "keying/KeyerBoxes.h"
#include "keying/KeyerSettingsFiles.h"
#include "keying/ToolWindowScaling.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "platform/vb/Design.h"
#include "platform/Diagnostics.h"

namespace tylog {

PhoneFrmWindow::PhoneFrmWindow() : vb::Form("PhoneFrm") {
    layOut();
    wireEvents();
}

VoiceWindowLink& InstalledVoiceWindow() {
    struct OnDemand : VoiceWindowLink {
        void ShowToCorrectPort() override { PhoneFrm().ShowToCorrectPort(); }
    };
    static OnDemand link;
    return link;
}

void PhoneFrmWindow::layOut() {
    for (int key = 1; key <= 9; ++key) lblFKey.Add(*this, "lblFKey", key);
    const vb::ControlLook bold{.FontBold = true};
    // Inner area 8400 x 6000 twips on the design screen.
    vb::ApplyDesign(
        *this, {.Caption = "Phone Wave Selections", .ClientWidth = 8400, .ClientHeight = 6000},
        {
            // The wave file of each function key, with its "Browse".
            // control      caption     left  top   width height tab
            {lblFKey[1], "F1", 120, 390, 435, 255},
            {Text1, {}, 600, 360, 4800, 315, 0},
            {Command2, "Browse", 5520, 360, 975, 315, 1},
            {lblFKey[2], "F2", 120, 780, 435, 255},
            {Text2, {}, 600, 750, 4800, 315, 2},
            {Command3, "Browse", 5520, 750, 975, 315, 3},
            {lblFKey[3], "F3", 120, 1170, 435, 255},
            {Text3, {}, 600, 1140, 4800, 315, 4},
            {Command4, "Browse", 5520, 1140, 975, 315, 5},
            {lblFKey[4], "F4", 120, 1560, 435, 255},
            {Text4, {}, 600, 1530, 4800, 315, 6},
            {Command5, "Browse", 5520, 1530, 975, 315, 7},
            {lblFKey[5], "F5", 120, 1950, 435, 255},
            {Text5, {}, 600, 1920, 4800, 315, 8},
            {Command6, "Browse", 5520, 1920, 975, 315, 9},
            {lblFKey[6], "F6", 120, 2340, 435, 255},
            {Text6, {}, 600, 2310, 4800, 315, 10},
            {Command7, "Browse", 5520, 2310, 975, 315, 11},
            {lblFKey[7], "F7", 120, 2730, 435, 255},
            {Text7, {}, 600, 2700, 4800, 315, 12},
            {Command8, "Browse", 5520, 2700, 975, 315, 13},
            {lblFKey[8], "F8", 120, 3120, 435, 255},
            {Text8, {}, 600, 3090, 4800, 315, 14},
            {Command9, "Browse", 5520, 3090, 975, 315, 15},
            {lblFKey[9], "F9", 120, 3510, 435, 255},
            {Text9, {}, 600, 3480, 4800, 315, 16},
            {Command10, "Browse", 5520, 3480, 975, 315, 17},
            {lblPHLoop, "Loop (Sec)", 6600, 90, 975, 255},
            {txtPHLoop, "0", 6600, 360, 495, 315, 18},

            // Push-to-talk.
            {lblPort, "Serial Port", 7200, 750, 1080, 255},
            {Text10, "0", 7200, 1020, 615, 315, 19},
            {fraLine, {}, 7200, 1410, 1080, 1155},
            {Option1, "RTS", 120, 240, 900, 255, 20},
            {Option2, "DTR", 120, 510, 900, 255, 21},
            {Option3, "Parallel", 120, 780, 900, 255, 22},
            {lblAddress, "Parallel Port", 7200, 2640, 1080, 255},
            {Text11, "&H378", 7200, 2910, 855, 315, 23},

            {Command11, "Test", 7200, 3360, 1080, 375, 24},
            {lblPlaysF1, "Plays F1 Command", 7200, 3780, 1080, 435},
            {Command1, "Done", 7200, 4320, 1080, 375, 25},

            // Fixed texts.
            {lblPhoneMode, "(You  must be in Phone mode)", 120, 3960, 2880, 255, {}, bold},
            {lblCaution, "Caution, RF feedback can damage your PC!", 3120, 3960, 4020, 255, {}, bold},
            {lblSetup, "Setup:", 120, 4380, 3360, 225, {}, bold},
            {lblSetupText,
             "Record each message as a wave file with the system's sound recorder, at CD quality. Connect the sound "
             "card's line-out to the transceiver's audio input and raise the sound card's level gradually from the "
             "lowest setting: overdriving damages the radio.",
             120, 4605, 3360, 1275},
            {lblToUse, "To Use:", 3600, 4380, 3480, 225, {}, bold},
            {lblToUseText,
             "Each wave file belongs to one function key, pressed on the main logging window. The transmitter is keyed "
             "by hand, by VOX or through a serial port: enter the port number (0 for none) and choose the RTS or DTR "
             "line.",
             3600, 4605, 3480, 1275},
        });
    Option1.setValue(true);
}

std::array<vb::TextBox*, 9> PhoneFrmWindow::waveBoxes() {
    return {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9};
}

void PhoneFrmWindow::wireEvents() {
    // Every setting the operator changes is in force at once: the boxes keep KeyerSettings.Voice current.
    const std::array<vb::TextBox*, 9> waves = waveBoxes();
    for (size_t i = 0; i < waves.size(); ++i) {
        vb::TextBox* box = waves[i];
        box->Change = [box, i] { KeyerSettings.Voice.WaveFiles[i] = box->Text(); };
    }
    // A push-to-talk line that changes while keyed is released at once: it is released as it was keyed.
    // Without a voice keyer nothing is keyed (and filling the boxes from the settings makes none).
    const auto keyingChanged = [] {
        if (VoiceKeyer* keyer = IfVoiceKeyer()) keyer->KeyingChanged();
    };
    Text10.Change = [this, keyingChanged] {
        KeyerSettings.Voice.SerialPort = Text10.Text();
        keyingChanged();
    };
    Text11.Change = [this, keyingChanged] {
        KeyerSettings.Voice.ParallelPort = Text11.Text();
        keyingChanged();
    };
    txtPHLoop.Change = [this] { KeyerSettings.Voice.RepeatSeconds = txtPHLoop.Text(); };
    const std::pair<vb::OptionButton*, int> lines[] = {{&Option1, 0}, {&Option2, 1}, {&Option3, 2}};
    for (auto [option, line] : lines)
        option->Click = [option = option, line = line, keyingChanged] {
            if (!option->Value() || KeyerSettings.Voice.KeyingLine == line) return;
            KeyerSettings.Voice.KeyingLine = line;
            keyingChanged();
        };

    const std::pair<vb::CommandButton*, vb::TextBox*> browse[] = {
        {&Command2, &Text1}, {&Command3, &Text2}, {&Command4, &Text3}, {&Command5, &Text4}, {&Command6, &Text5},
        {&Command7, &Text6}, {&Command8, &Text7}, {&Command9, &Text8}, {&Command10, &Text9}};
    for (auto [button, box] : browse) button->Click = [this, box = box] { Browse(*box); };
    Text10.GotFocus = [this] { Text10_GotFocus(); };
    Text10.LostFocus = [this] { Text10_LostFocus(); };
    Text11.KeyPress = [this](int& KeyAscii) { Text11_KeyPress(KeyAscii); };
    txtPHLoop.KeyPress = [this](int& KeyAscii) { txtPHLoop_KeyPress(KeyAscii); };
    txtPHLoop.LostFocus = [this] { txtPHLoop_LostFocus(); };
    Command1.Click = [this] { Command1_Click(); };
    Command11.Click = [this] { Command11_Click(); };
}

void PhoneFrmWindow::Form_Load() {
    Screen& screen = *platform().screen;
    ScaleToolWindow(*this, QRectF(0, 0, screen.Width(), screen.Height()), screen.Width());
    ShowSettings();
}

// The window's port and player were the voice keyer's: they close with it, and push-to-talk is released.
void PhoneFrmWindow::Form_Unload(int& Cancel) {
    (void)Cancel;
    if (VoiceKeyer* keyer = IfVoiceKeyer()) keyer->Unload();
}

void PhoneFrmWindow::ShowSettings() {
    const VoiceSettings s = KeyerSettings.Voice; // a copy: the boxes write back into it as they change
    const std::array<vb::TextBox*, 9> waves = waveBoxes();
    for (size_t i = 0; i < waves.size(); ++i) waves[i]->setText(s.WaveFiles[i]);
    Text10.setText(s.SerialPort);
    vb::OptionButton* const lines[] = {&Option1, &Option2, &Option3};
    if (s.KeyingLine >= 0 && s.KeyingLine <= 2) lines[s.KeyingLine]->setValue(true);
    txtPHLoop.setText(s.RepeatSeconds);
    Text11.setText(s.ParallelPort);
}

void PhoneFrmWindow::Command1_Click() {
    Hide();
    const QString path = FindNoCase(Folders.ProgramFolder, "wave2.txt");
    try {
        WriteVoiceSettings(path, KeyerSettings.Voice);
        ReportSaveSuccess(path);
    } catch (const VbError& e) {
        // The old file stays whole; the window closes all the same, and the operator is told.
        ReportSaveFailure(path, e, "The voice keyer's settings");
    }
}

void PhoneFrmWindow::Command11_Click() {
    VoiceKeying().FKeyPhone(112);
    if (isVisible()) Command1.SetFocus();
}

void PhoneFrmWindow::ShowToCorrectPort() {
    if (!isVisible()) Show(vb::vbModal);
}

void PhoneFrmWindow::Browse(vb::TextBox& box) {
    FileDialogOptions options;
    options.Filter = "(*.wav)|*.wav";
    options.FilterIndex = 1;
    const QString path = platform().dialogs->ShowOpen(options);
    if (path.isEmpty()) {
        Beep();
        return;
    }
    box.setText(path);
    Command1.SetFocus();
}

void PhoneFrmWindow::Text10_GotFocus() { Text10.setSelLength(static_cast<int>(Text10.Text().size())); }

void PhoneFrmWindow::Text10_LostFocus() {
    double port = 0;
    if (!BoxNumber(Text10.Text(), &port)) Text10.setText("0");
    VoiceKeying().OpenPhonePort();
}

void PhoneFrmWindow::Text11_KeyPress(int& KeyAscii) {
    if (KeyAscii == '"') KeyAscii = 0;
    else if (KeyAscii >= 'a' && KeyAscii <= 'z') KeyAscii -= 32;
}

void PhoneFrmWindow::txtPHLoop_KeyPress(int& KeyAscii) {
    if (KeyAscii != 8 && KeyAscii != '.' && (KeyAscii < '0' || KeyAscii > '9')) KeyAscii = 0;
}

// The voice keyer takes the pause from the text when it starts one.
void PhoneFrmWindow::txtPHLoop_LostFocus() {
    int ms = 0;
    if (!RepeatIntervalMs(txtPHLoop.Text(), &ms)) txtPHLoop.setText("0");
}

} // namespace tylog
