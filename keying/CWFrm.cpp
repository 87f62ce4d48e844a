#include "keying/CWFrm.h"
#include "keying/CWKeyer.h"
#include "keying/CodePractice.h"
#include "keying/ExternalKeyer.h"
#include "keying/WinKeySetup.h"
#include "core/ProcessState.h"
#include "keying/KeyerBoxes.h"
#include "keying/KeyerSettingsFiles.h"
#include "keying/KeyerState.h"
#include "keying/ToolWindowScaling.h"
#include "platform/vb/KeyFilters.h"
#include "core/SaveReports.h"
#include "platform/Platform.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "platform/vb/Design.h"
#include "platform/Diagnostics.h"

#include <cmath>

namespace tylog {

CWFrmWindow::CWFrmWindow() : vb::Form("CWFrm") {
    layOut();
    wireEvents();
}

void CWFrmWindow::layOut() {
    for (int key = 1; key <= 12; ++key) lblFKey.Add(*this, "lblFKey", key);
    const vb::ControlLook bold{.FontBold = true}, small{.FontSize = 7};
    // Inner area 9360 x 6720 twips on the design screen.
    vb::ApplyDesign(
        *this, {.Caption = "CW String Selections", .ClientWidth = 9360, .ClientHeight = 6720},
        {
            // The message boxes, one row per function key; F12 is keyboard CW and has no box.
            // control      caption     left  top   width height tab
            {lblFKey[1], "F1", 120, 330, 435, 255},
            {Text1, {}, 600, 300, 3720, 315, 0},
            {lblFKey[2], "F2", 120, 660, 435, 255},
            {Text2, {}, 600, 630, 3720, 315, 1},
            {lblFKey[3], "F3", 120, 990, 435, 255},
            {Text3, {}, 600, 960, 3720, 315, 2},
            {lblFKey[4], "F4", 120, 1320, 435, 255},
            {Text4, {}, 600, 1290, 3720, 315, 3},
            {lblFKey[5], "F5", 120, 1650, 435, 255},
            {Text5, {}, 600, 1620, 3720, 315, 4},
            {lblFKey[6], "F6", 120, 1980, 435, 255},
            {Text6, {}, 600, 1950, 3720, 315, 5},
            {lblFKey[7], "F7", 120, 2310, 435, 255},
            {Text7, {}, 600, 2280, 3720, 315, 6},
            {lblFKey[8], "F8", 120, 2640, 435, 255},
            {Text8, {}, 600, 2610, 3720, 315, 7},
            {lblFKey[9], "F9", 120, 2970, 435, 255},
            {Text9, {}, 600, 2940, 3720, 315, 8},
            {lblFKey[10], "F10", 120, 3300, 435, 255},
            {Text12, {}, 600, 3270, 3720, 315, 9},
            {lblFKey[11], "F11", 120, 3630, 435, 255},
            {Text13, {}, 600, 3600, 3720, 315, 10},
            {lblFKey[12], "F12", 120, 3960, 435, 255},
            {lblKeyboard, "Keyboard", 600, 3960, 1500, 255},
            {lblCWLoop, "Loop (Sec)", 4440, 30, 1000, 255},
            {txtCWLoop, "0", 4440, 300, 615, 315, 11},

            // Keying interface.
            {fraKeying, "Keying Options", 5400, 60, 1815, 1935},
            {Option1, "RTS", 150, 300, 1500, 255, 12},
            {Option2, "DTR", 150, 615, 1500, 255, 13},
            {Option3, "Printer", 150, 930, 1500, 255, 14},
            {Option4, "None", 150, 1245, 1500, 255, 15},
            {Option5, "WinKey", 150, 1560, 1500, 255, 16},
            {lblSerial, "Serial", 7440, 90, 855, 255},
            {Text10, "0", 7440, 360, 855, 315, 17},
            {lblParallel, "Parallel", 8400, 90, 855, 255},
            {Text14, "&H378", 8400, 360, 855, 315, 18},
            {cmdConfWinkey, "Configure Winkey", 7440, 780, 1815, 375, 19, {.Visible = false}},

            // Speed and word space.
            {lblWPM, "WPM", 7440, 1290, 555, 255},
            {Text11, "13", 8040, 1230, 615, 315, 20},
            {Command2, "Faster", 7440, 1650, 855, 315, 21},
            {Command3, "Slower", 8400, 1650, 855, 315, 22},
            {lblWordSpace, "Word Space", 5400, 2160, 1095, 255},
            {txtSpace, "0", 6540, 2100, 615, 315, 23},
            {Command5, "Less", 7440, 2100, 855, 315, 24},
            {Command6, "More", 8400, 2100, 855, 315, 25},

            // Timing method of the Morse sender.
            {fraTiming, "Timing Options: ", 5400, 2520, 3855, 1095, {},
             {.ToolTipText = "Timer is the preferred option on most systems. "}},
            {optTimer, "Timer", 150, 240, 1095, 255, 26, {.ToolTipText = "Times by Windows System time."}},
            {optLoop, "Loop", 150, 510, 1095, 255, 27, {.ToolTipText = "Times by a For Next loop."}},
            {OptSleep, "Sleep", 150, 780, 1095, 255, 28, {.ToolTipText = "Times by Windows System time."}},
            {lblLoop, "Loop Delay", 1440, 240, 1095, 255},
            {txtLoop, "0", 1440, 510, 1095, 315, 29, {.ToolTipText = "Loops per 60 ms"}},
            {cmdLoopFaster, "F", 2640, 510, 495, 315, 30, {.ToolTipText = "Speed up CW"}},
            {cmdLoopSlower, "S", 3240, 510, 495, 315, 31, {.ToolTipText = "Slow Down CW"}},

            // Buttons.
            {Command4, "&Test", 5400, 3720, 1095, 375, 32},
            {Label23, "Sending!", 6600, 3780, 855, 255, {}, {.FontBold = true, .Visible = false}},
            {Command7, "Send Code Practice", 7560, 3720, 1695, 375, 33},
            {Command1, "Done", 7560, 4200, 1695, 375, 35},
            {Check1, "Display CW text on main form (NA for WinKey).", 120, 4380, 5160, 315, 34},

            // Fixed texts.
            {lblWildcards, "Wildcards are $ for Call, * for RST  # for Num and ^ for County (where applicable).", 120,
             4740, 9120, 255},
            {lblProsigns, "Prosigns:   [ = AR     ] = SK     ; = KN     \\ = CL     = = BT", 120, 5010, 9120, 255},
            {lblArrows, "Up / Down arrows on main form change speed.", 120, 5280, 4320, 255},
            {lblCWMode, "You must be in CW mode.", 4560, 5280, 2400, 255, {}, bold},
            {lblSetup, "Setup:", 120, 5550, 4560, 225, {}, bold},
            {lblSetupText,
             "An interface from the PC's serial or parallel port to the transmitter is needed: choose its line under "
             "Keying Options. Enter the serial port number (0 for none) or the parallel address in hexadecimal "
             "(&H378 for the first printer port on most PCs). Test sends the F9 text; the program makes no side tone.",
             120, 5775, 4560, 900, {}, small},
            {lblToUse, "To Use:", 4800, 5550, 4440, 225, {}, bold},
            {lblToUseText,
             "Set the speed (WPM) and the word spacing (0 standard, -8 no spacing, 50 at most); the arrow keys of "
             "the logging window change the speed as well. The check box shows the sent characters on the logging "
             "window. Each text box belongs to a function key. A ! in the string enters the contact.",
             4800, 5775, 4440, 900, {}, small},
        });
    Option4.setValue(true);
    optTimer.setValue(true);
    Check1.setValue(1);
    setLoopControlsEnabled(false);
}

std::array<vb::TextBox*, 11> CWFrmWindow::messageBoxes() {
    return {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9, &Text12, &Text13};
}

void CWFrmWindow::wireEvents() {
    // Every setting the operator changes is in force at once: the boxes keep KeyerSettings.CW current.
    const std::array<vb::TextBox*, 11> messages = messageBoxes();
    for (size_t i = 0; i < messages.size(); ++i) {
        vb::TextBox* box = messages[i];
        // CW.txt cannot hold a double quote: none is typed or pasted into a message.
        box->KeyPress = [](int& KeyAscii) {
            if (KeyAscii == '"') KeyAscii = 0;
            else KeyUpperCase(KeyAscii);
        };
        box->Change = [box, i] {
            if (box->Text().contains(u'"')) box->setText(QString(box->Text()).remove(u'"'));
            else KeyerSettings.CW.Messages[i] = box->Text();
        };
    }
    Text10.Change = [this] { KeyerSettings.CW.SerialPort = Text10.Text(); };
    Text14.Change = [this] { Text14_Change(); };
    txtCWLoop.Change = [this] { KeyerSettings.CW.RepeatSeconds = txtCWLoop.Text(); };
    Check1.Click = [this] { KeyerSettings.CW.Echo = Check1.Value() == 1; };
    Option1.Click = [this] { Option1_Click(); };
    Option2.Click = [this] { Option2_Click(); };
    Option3.Click = [this] { Option3_Click(); };
    Option4.Click = [this] { Option4_Click(); };
    Option5.Click = [this] { Option5_Click(); };
    optTimer.Click = [this] { optTimer_Click(); };
    OptSleep.Click = [this] { OptSleep_Click(); };
    optLoop.Click = [this] { optLoop_Click(); };
    Text10.GotFocus = [this] { Text10.setSelLength(static_cast<int>(Text10.Text().size())); };
    Text11.GotFocus = [this] { Text11.setSelLength(static_cast<int>(Text11.Text().size())); };
    Text10.KeyPress = [](int& KeyAscii) { KeyDigitsOnly(KeyAscii); };
    Text11.KeyPress = [](int& KeyAscii) { KeyDigitsOnly(KeyAscii); };
    Text10.LostFocus = [this] { Text10_LostFocus(); };
    Text11.LostFocus = [this] { Text11_LostFocus(); };
    Text11.Change = [this] { Text11_Change(); };
    txtSpace.KeyPress = [](int& KeyAscii) {
        if (KeyAscii != 8 && (KeyAscii < '-' || KeyAscii > '9')) KeyAscii = 0;
    };
    txtSpace.Change = [this] { txtSpace_Change(); };
    txtSpace.LostFocus = [this] { txtSpace_LostFocus(); };
    Command5.Click = [this] { Command5_Click(); };
    Command6.Click = [this] { Command6_Click(); };
    Command2.Click = [this] { UpDown1_UpClick(); };
    Command3.Click = [this] { UpDown1_DownClick(); };
    txtCWLoop.KeyPress = [](int& KeyAscii) {
        if (KeyAscii != 8 && KeyAscii != '.' && (KeyAscii < '0' || KeyAscii > '9')) KeyAscii = 0;
    };
    txtCWLoop.LostFocus = [this] { txtCWLoop_LostFocus(); };
    txtLoop.Change = [this] { txtLoop_Change(); };
    cmdLoopFaster.Click = [this] { cmdLoopFaster_Click(); };
    cmdLoopSlower.Click = [this] { cmdLoopSlower_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    cmdConfWinkey.Click = [this] { cmdConfWinkey_Click(); };
    Command7.Click = [this] { Command7_Click(); };
}

void CWFrmWindow::Form_Load() {
    Screen& screen = *platform().screen;
    ScaleToolWindow(*this, screen.WorkArea(), screen.Width());
    LoadCWTiming(KeyerSettings.CW);
    ShowSettings();
}

void CWFrmWindow::Form_Unload(int& Cancel) {
    (void)Cancel;
    if (CWKeyer* cw = CWEngineIfMade()) cw->ClosePort();
}

void CWFrmWindow::ShowSettings() {
    const CWSettings s = KeyerSettings.CW; // a copy: the boxes write back into it as they change
    const std::array<vb::TextBox*, 11> messages = messageBoxes();
    for (size_t i = 0; i < messages.size(); ++i) messages[i]->setText(s.Messages[i]);
    Text10.setText(s.SerialPort);
    Text11.setText(s.Speed);
    txtSpace.setText(s.WordSpace);
    Text14.setText(s.ParallelPort);
    Check1.setValue(s.Echo ? 1 : 0);
    txtCWLoop.setText(s.RepeatSeconds);
    showKeyingOption(s.KeyingType);
    // The count first: choosing "Loop" calibrates when there is none.
    txtLoop.setText(NumberText(s.LoopsPer60ms));
    vb::OptionButton& timing = s.Timing == CWTiming::Loop ? optLoop : s.Timing == CWTiming::Sleep ? OptSleep : optTimer;
    if (!timing.Value()) timing.setValue(true);
}

void CWFrmWindow::showKeyingOption(int type) {
    vb::OptionButton* const byType[] = {&Option4, &Option1, &Option2, &Option3, nullptr, &Option5};
    vb::OptionButton* chosen = type >= 0 && type <= 5 ? byType[type] : nullptr;
    for (vb::OptionButton* o : {&Option1, &Option2, &Option3})
        if (o != chosen) o->setValue(false);
    if (chosen && !chosen->Value()) chosen->setValue(true);
}

void CWFrmWindow::chooseKeyingType(int type) {
    Keyer.CWKeyingType = type;
    KeyerSettings.CW.KeyingType = type;
    if (CWKeyer* cw = CWEngineIfMade()) cw->KeyingChanged();
}

void CWFrmWindow::Text14_Change() {
    KeyerSettings.CW.ParallelPort = Text14.Text();
    // Only the parallel port keys at this address; the serial lines go on undisturbed.
    if (Keyer.CWKeyingType != 3) return;
    if (CWKeyer* cw = CWEngineIfMade()) cw->KeyingChanged();
}

void CWFrmWindow::timingChanged() {
    if (CWKeyer* cw = CWEngineIfMade()) cw->TimingChanged();
}

void CWFrmWindow::chooseTiming(CWTiming timing) {
    KeyerSettings.CW.Timing = timing;
    timingChanged();
}

void CWFrmWindow::stepSpeed(int delta) {
    const QString stepped = SteppedSpeed(Text11.Text(), delta);
    if (stepped != Text11.Text()) Text11.setText(stepped);
}

void CWFrmWindow::UpDown1_UpClick() { stepSpeed(+1); }

void CWFrmWindow::UpDown1_DownClick() { stepSpeed(-1); }

void CWFrmWindow::Option1_Click() {
    if (Option1.Value()) chooseKeyingType(1);
}

void CWFrmWindow::Option2_Click() {
    if (Option2.Value()) chooseKeyingType(2);
}

void CWFrmWindow::Option3_Click() {
    if (Option3.Value()) chooseKeyingType(3);
}

void CWFrmWindow::Option4_Click() {
    if (Option4.Value()) chooseKeyingType(0);
}

void CWFrmWindow::Option5_Click() {
    if (!Option5.Value()) return;
    chooseKeyingType(5);
    // The button stays visible, and the keyer window loaded, when another option is chosen later.
    cmdConfWinkey.setVisible(true);
    frmWinKey();
}

void CWFrmWindow::cmdConfWinkey_Click() {
    frmWinKey().Show(vb::vbModal);
    Command1.SetFocus();
}

void CWFrmWindow::Command7_Click() {
    frmCodePractice().Show(vb::vbModal);
    if (auto* practice = vb::IfLoaded<frmCodePracticeWindow>()) vb::Unload(*practice);
    Keyer.CWBuffer.clear();
    if (CWKeyer* cw = CWEngineIfMade()) cw->CWBufferCut();
}

void CWFrmWindow::SendSpeedToExternalKeyer(int wpm) {
    if (ExternalKeyer* keyer = ExternalKeyerIfMade()) keyer->Device().wk_wpm(wpm);
}

void CWFrmWindow::setLoopControlsEnabled(bool enabled) {
    txtLoop.setEnabled(enabled);
    lblLoop.setEnabled(enabled);
    cmdLoopFaster.setEnabled(enabled);
    cmdLoopSlower.setEnabled(enabled);
}

void CWFrmWindow::optTimer_Click() {
    if (!optTimer.Value()) return;
    setLoopControlsEnabled(false);
    chooseTiming(CWTiming::Timer);
}

void CWFrmWindow::OptSleep_Click() {
    if (!OptSleep.Value()) return;
    setLoopControlsEnabled(false);
    chooseTiming(CWTiming::Sleep);
}

void CWFrmWindow::optLoop_Click() {
    if (!optLoop.Value()) return;
    setLoopControlsEnabled(true);
    // The window waits for the count (a few milliseconds), as an uncalibrated loop would time nothing.
    if (KeyerSettings.CW.LoopsPer60ms == 0) CWEngine().CalibrateCWLoop();
    txtLoop.setText(NumberText(KeyerSettings.CW.LoopsPer60ms));
    chooseTiming(CWTiming::Loop);
}

void CWFrmWindow::Text10_LostFocus() {
    if (!IsNumericText(Text10.Text())) Text10.setText("0");
    CWEngine().CWSetup();
}

void CWFrmWindow::Text11_LostFocus() {
    if (!IsNumericText(Text11.Text())) Text11.setText("0");
}

void CWFrmWindow::Text11_Change() {
    KeyerSettings.CW.Speed = Text11.Text();
    timingChanged();
    double wpm = 0;
    if (!IsNumericText(Text11.Text(), &wpm) || wpm <= 4 || wpm >= 100) return;
    if (Keyer.WinKeyVersion != 0 && Keyer.CWKeyingType == 5) SendSpeedToExternalKeyer(static_cast<int>(std::nearbyint(wpm)));
}

void CWFrmWindow::txtSpace_Change() {
    KeyerSettings.CW.WordSpace = txtSpace.Text();
    const QString held = HeldWordSpace(txtSpace.Text());
    if (held != txtSpace.Text()) txtSpace.setText(held);
    else timingChanged();
}

void CWFrmWindow::txtSpace_LostFocus() {
    if (!IsNumericText(txtSpace.Text())) txtSpace.setText("0");
}

void CWFrmWindow::stepWordSpace(int delta) {
    double units = 0;
    if (IsNumericText(txtSpace.Text(), &units)) txtSpace.setText(NumberText(units + delta));
    else txtSpace.setText("0");
}

void CWFrmWindow::Command5_Click() { stepWordSpace(-1); }

void CWFrmWindow::Command6_Click() { stepWordSpace(+1); }

void CWFrmWindow::txtCWLoop_LostFocus() {
    // The keyer's repeat timer takes its interval from the text when it starts.
    int ms = 0;
    if (!RepeatIntervalMs(txtCWLoop.Text(), &ms)) txtCWLoop.setText("0");
}

void CWFrmWindow::txtLoop_Change() {
    double loops = 0;
    if (!IsNumericText(txtLoop.Text(), &loops)) return;
    KeyerSettings.CW.LoopsPer60ms = loops;
    timingChanged();
}

void CWFrmWindow::scaleLoop(double factor) {
    double loops = 0;
    if (!IsNumericText(txtLoop.Text(), &loops)) return;
    txtLoop.setText(NumberText(std::nearbyint(loops * factor)));
    Command1.SetFocus();
}

void CWFrmWindow::cmdLoopFaster_Click() { scaleLoop(0.9); }

void CWFrmWindow::cmdLoopSlower_Click() { scaleLoop(1.111111111111); }

void CWFrmWindow::Command1_Click() {
    try {
        CWSettings saved = KeyerSettings.CW;
        saved.KeyingType = Keyer.CWKeyingType;
        const QString path = FindNoCase(Folders.ProgramFolder, "CW.txt");
        try {
            WriteCWSettings(path, saved);
            ReportSaveSuccess(path);
        } catch (const VbError& e) {
            // The old file stays whole; the window closes all the same, and the operator is told.
            ReportSaveFailure(path, e, "The CW keyer's settings and messages");
        }
        SaveCWTiming(saved);
    } catch (const VbError& e) {
        // The method's values live on in the registry of this run; nothing more to tell.
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
    }
    Hide();
}

} // namespace tylog

namespace tylog {

void CWFrmWindow::Command4_Click() {
    double port = 0;
    const int type = Keyer.CWKeyingType;
    // RTS and DTR key a serial port: without one the test would send nothing.
    if ((type == 1 || type == 2) && (!IsNumericText(Text10.Text(), &port) || port < 1)) {
        Beep();
        MsgBox("Please enter a com port for CW rig interface.", vbOKOnly, "A com port is required.");
        Text10.SetFocus();
        return;
    }
    Label23.setVisible(true);
    CWKeyer& cw = CWEngine();
    cw.FKeyCW(120);
    if (!Keyer.CWSending) {
        testSent();
        return;
    }
    connect(&cw, &CWKeyer::RunEnded, this, [this] { testSent(); }, Qt::SingleShotConnection);
}

void CWFrmWindow::testSent() {
    Label23.setVisible(false);
    if (isVisible()) Text1.SetFocus();
}

} // namespace tylog
