#include "keying/CWFrm.h"
#include "core/ProcessState.h"
#include "keying/KeyerBoxes.h"
#include "keying/KeyerState.h"
#include "keying/ToolWindowScaling.h"
#include "logstore/KeyFilters.h"
#include "platform/Platform.h"
#include "platform/Registry.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <QCoreApplication>
#include <cmath>

namespace tylog {

namespace {
const char* const kRegistryApp = "Q7BZW_Software";
const char* const kRegistrySection = "Settings";

void Place(vb::Control& c, double left, double top, double width, double height) { c.Move(left, top, width, height); }
} // namespace

CWFrmWindow::CWFrmWindow() : vb::Form("CWFrm") {
    layOut();
    wireEvents();
}

void CWFrmWindow::layOut() {
    setCaption("CW String Selections");
    // Inner area 9360 x 6720 twips on the design screen.
    Move(0, 0, 9360 + NonClientWidth(), 6720 + NonClientHeight());

    // The message boxes, one row per function key.
    vb::TextBox* boxes[] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9, &Text12, &Text13};
    for (int i = 0; i < 12; ++i) {
        const double top = 300 + i * 330;
        vb::Label& key = lblFKey.Add(*this, "lblFKey", i + 1);
        key.setCaption(QString("F%1").arg(i + 1));
        Place(key, 120, top + 30, 435, 255);
        if (i < 11) {
            Place(*boxes[i], 600, top, 3720, 315);
            boxes[i]->setTabIndex(i);
        }
    }
    lblKeyboard.setCaption("Keyboard");
    Place(lblKeyboard, 600, 300 + 11 * 330 + 30, 1500, 255);
    lblCWLoop.setCaption("Loop (Sec)");
    Place(lblCWLoop, 4440, 30, 1000, 255);
    txtCWLoop.setText("0");
    Place(txtCWLoop, 4440, 300, 615, 315);
    txtCWLoop.setTabIndex(11);

    // Keying interface.
    fraKeying.setCaption("Keying Options");
    Place(fraKeying, 5400, 60, 1815, 1935);
    const std::pair<vb::OptionButton*, const char*> keying[] = {
        {&Option1, "RTS"}, {&Option2, "DTR"}, {&Option3, "Printer"}, {&Option4, "None"}, {&Option5, "WinKey"}};
    for (int i = 0; i < 5; ++i) {
        keying[i].first->setCaption(keying[i].second);
        Place(*keying[i].first, 150, 300 + i * 315, 1500, 255);
        keying[i].first->setTabIndex(12 + i);
    }
    Option4.setValue(true);

    lblSerial.setCaption("Serial");
    Place(lblSerial, 7440, 90, 855, 255);
    Text10.setText("0");
    Place(Text10, 7440, 360, 855, 315);
    Text10.setTabIndex(17);
    lblParallel.setCaption("Parallel");
    Place(lblParallel, 8400, 90, 855, 255);
    Text14.setText("&H378");
    Place(Text14, 8400, 360, 855, 315);
    Text14.setTabIndex(18);
    cmdConfWinkey.setCaption("Configure Winkey");
    Place(cmdConfWinkey, 7440, 780, 1815, 375);
    cmdConfWinkey.setVisible(false);
    cmdConfWinkey.setTabIndex(19);

    // Speed and word space.
    lblWPM.setCaption("WPM");
    Place(lblWPM, 7440, 1290, 555, 255);
    Text11.setText("13");
    Place(Text11, 8040, 1230, 615, 315);
    Text11.setTabIndex(20);
    Command2.setCaption("Faster");
    Place(Command2, 7440, 1650, 855, 315);
    Command2.setTabIndex(21);
    Command3.setCaption("Slower");
    Place(Command3, 8400, 1650, 855, 315);
    Command3.setTabIndex(22);
    lblWordSpace.setCaption("Word Space");
    Place(lblWordSpace, 5400, 2160, 1095, 255);
    txtSpace.setText("0");
    Place(txtSpace, 6540, 2100, 615, 315);
    txtSpace.setTabIndex(23);
    Command5.setCaption("Less");
    Place(Command5, 7440, 2100, 855, 315);
    Command5.setTabIndex(24);
    Command6.setCaption("More");
    Place(Command6, 8400, 2100, 855, 315);
    Command6.setTabIndex(25);

    // Timing method of the Morse sender.
    fraTiming.setCaption("Timing Options: ");
    fraTiming.setToolTipText("Timer is the preferred option on most systems. ");
    Place(fraTiming, 5400, 2520, 3855, 1095);
    optTimer.setCaption("Timer");
    optTimer.setToolTipText("Times by Windows System time.");
    Place(optTimer, 150, 240, 1095, 255);
    optTimer.setTabIndex(26);
    optLoop.setCaption("Loop");
    optLoop.setToolTipText("Times by a For Next loop.");
    Place(optLoop, 150, 510, 1095, 255);
    optLoop.setTabIndex(27);
    OptSleep.setCaption("Sleep");
    OptSleep.setToolTipText("Times by Windows System time.");
    Place(OptSleep, 150, 780, 1095, 255);
    OptSleep.setTabIndex(28);
    optTimer.setValue(true);
    lblLoop.setCaption("Loop Delay");
    Place(lblLoop, 1440, 240, 1095, 255);
    txtLoop.setText("0");
    txtLoop.setToolTipText("Loops per 60 ms");
    Place(txtLoop, 1440, 510, 1095, 315);
    txtLoop.setTabIndex(29);
    cmdLoopFaster.setCaption("F");
    cmdLoopFaster.setToolTipText("Speed up CW");
    Place(cmdLoopFaster, 2640, 510, 495, 315);
    cmdLoopFaster.setTabIndex(30);
    cmdLoopSlower.setCaption("S");
    cmdLoopSlower.setToolTipText("Slow Down CW");
    Place(cmdLoopSlower, 3240, 510, 495, 315);
    cmdLoopSlower.setTabIndex(31);
    setLoopControlsEnabled(false);

    // Buttons.
    Command4.setCaption("&Test");
    Place(Command4, 5400, 3720, 1095, 375);
    Command4.setTabIndex(32);
    Label23.setCaption("Sending!");
    Label23.setFontBold(true);
    Place(Label23, 6600, 3780, 855, 255);
    Label23.setVisible(false);
    Command7.setCaption("Send Code Practice");
    Place(Command7, 7560, 3720, 1695, 375);
    Command7.setTabIndex(33);
    Command1.setCaption("Done");
    Place(Command1, 7560, 4200, 1695, 375);
    Command1.setTabIndex(35);
    Check1.setCaption("Display CW text on main form (NA for WinKey).");
    Place(Check1, 120, 4380, 5160, 315);
    Check1.setValue(1);
    Check1.setTabIndex(34);

    // Fixed texts.
    lblWildcards.setCaption("Wildcards are $ for Call, * for RST  # for Num and ^ for County (where applicable).");
    Place(lblWildcards, 120, 4740, 9120, 255);
    lblProsigns.setCaption("Prosigns:   [ = AR     ] = SK     ; = KN     \\ = CL     = = BT");
    Place(lblProsigns, 120, 5010, 9120, 255);
    lblArrows.setCaption("Up / Down arrows on main form change speed.");
    Place(lblArrows, 120, 5280, 4320, 255);
    lblCWMode.setCaption("You must be in CW mode.");
    lblCWMode.setFontBold(true);
    Place(lblCWMode, 4560, 5280, 2400, 255);
    lblSetup.setCaption("Setup:");
    lblSetup.setFontBold(true);
    Place(lblSetup, 120, 5550, 4560, 225);
    lblSetupText.setCaption(
        "An interface from the PC's serial or parallel port to the transmitter is needed: choose its line under "
        "Keying Options. Enter the serial port number (0 for none) or the parallel address in hexadecimal "
        "(&H378 for the first printer port on most PCs). Test sends the F9 text; the program makes no side tone.");
    lblSetupText.setFontSize(7);
    Place(lblSetupText, 120, 5775, 4560, 900);
    lblToUse.setCaption("To Use:");
    lblToUse.setFontBold(true);
    Place(lblToUse, 4800, 5550, 4440, 225);
    lblToUseText.setCaption(
        "Set the speed (WPM) and the word spacing (0 standard, -8 no spacing); the arrow keys of the logging "
        "window change the speed as well. The check box shows the sent characters on the logging window. "
        "Each text box belongs to a function key. A ! in the string enters the contact.");
    lblToUseText.setFontSize(7);
    Place(lblToUseText, 4800, 5775, 4440, 900);

    ApplyTabOrder();
}

void CWFrmWindow::wireEvents() {
    for (vb::TextBox* box : {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9, &Text12, &Text13})
        box->KeyPress = [](int& KeyAscii) { KeyUpperCase(KeyAscii); };
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
}

void CWFrmWindow::Form_Load() {
    Screen& screen = *platform().screen;
    ScaleToolWindow(*this, screen.WorkArea(), screen.Width());

    double offset = 0;
    if (IsNumericText(GetSetting(kRegistryApp, kRegistrySection, "UserCWLoopOffset", "0"), &offset)) {
        LoopsPer60ms = offset;
        txtLoop.setText(NumberText(LoopsPer60ms));
    }
    const QString method = GetSetting(kRegistryApp, kRegistrySection, "UserCWSelection", "Timer");
    if (method == "Timer") optTimer.setValue(true);
    if (method == "Sleep") OptSleep.setValue(true);
    if (method == "Loop") optLoop.setValue(true);
}

void CWFrmWindow::UpDown1_UpClick() {
    double wpm = 0;
    if (IsNumericText(Text11.Text(), &wpm)) Text11.setText(NumberText(wpm + 1));
}

void CWFrmWindow::UpDown1_DownClick() {
    double wpm = 0;
    if (IsNumericText(Text11.Text(), &wpm)) Text11.setText(NumberText(wpm - 1));
}

void CWFrmWindow::Option1_Click() {
    if (Option1.Value()) Keyer.CWKeyingType = 1;
}

void CWFrmWindow::Option2_Click() {
    if (Option2.Value()) Keyer.CWKeyingType = 2;
}

void CWFrmWindow::Option3_Click() {
    if (Option3.Value()) Keyer.CWKeyingType = 3;
}

void CWFrmWindow::Option4_Click() {
    if (Option4.Value()) Keyer.CWKeyingType = 0;
}

void CWFrmWindow::Option5_Click() {
    if (!Option5.Value()) return;
    Keyer.CWKeyingType = 5;
    // The button stays visible when another option is chosen later.
    cmdConfWinkey.setVisible(true);
}

void CWFrmWindow::setLoopControlsEnabled(bool enabled) {
    txtLoop.setEnabled(enabled);
    lblLoop.setEnabled(enabled);
    cmdLoopFaster.setEnabled(enabled);
    cmdLoopSlower.setEnabled(enabled);
}

void CWFrmWindow::optTimer_Click() { setLoopControlsEnabled(false); }

void CWFrmWindow::OptSleep_Click() { setLoopControlsEnabled(false); }

void CWFrmWindow::optLoop_Click() {
    setLoopControlsEnabled(true);
    QCoreApplication::processEvents();
    txtLoop.setText(NumberText(LoopsPer60ms));
}

void CWFrmWindow::Text10_LostFocus() {
    if (!IsNumericText(Text10.Text())) Text10.setText("0");
}

void CWFrmWindow::Text11_LostFocus() {
    if (!IsNumericText(Text11.Text())) Text11.setText("0");
}

void CWFrmWindow::Text11_Change() {
    double wpm = 0;
    if (!IsNumericText(Text11.Text(), &wpm) || wpm <= 4 || wpm >= 100) return;
    if (Keyer.WinKeyVersion != 0 && Keyer.CWKeyingType == 5) SendSpeedToExternalKeyer(static_cast<int>(std::nearbyint(wpm)));
}

void CWFrmWindow::txtSpace_Change() {
    double units = 0;
    if (IsNumericText(txtSpace.Text(), &units) && units < -8) txtSpace.setText("-8");
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
    int ms = 0;
    if (!RepeatIntervalMs(txtCWLoop.Text(), &ms)) txtCWLoop.setText("0");
    tmrRepeat.setInterval(ms);
}

void CWFrmWindow::txtLoop_Change() {
    double loops = 0;
    if (IsNumericText(txtLoop.Text(), &loops)) LoopsPer60ms = loops;
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
        ValueWriter w;
        for (vb::TextBox* box : {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9, &Text10,
                                 &Text11, &Text12, &Text13, &txtSpace})
            w.Text(box->Text()).EndLine();
        w.Integer(Keyer.CWKeyingType).EndLine();
        w.Text(Text14.Text()).EndLine();
        w.Integer(Check1.Value()).EndLine();
        w.Text(txtCWLoop.Text()).EndLine();
        WriteFileAtomic(FindNoCase(Folders.ProgramFolder, "CW.txt"), w.Bytes());

        const QString method = optLoop.Value() ? "Loop" : (OptSleep.Value() ? "Sleep" : "Timer");
        SaveSetting(kRegistryApp, kRegistrySection, "UserCWSelection", method);
        SaveSetting(kRegistryApp, kRegistrySection, "UserCWLoopOffset", NumberText(LoopsPer60ms));
    } catch (const VbError&) {
        // A file that cannot be written leaves the old one whole; the window closes all the same.
    }
    Hide();
}

} // namespace tylog
