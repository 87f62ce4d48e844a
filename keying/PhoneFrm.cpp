#include "keying/PhoneFrm.h"
#include "core/ProcessState.h"
#include "keying/KeyerBoxes.h"
#include "keying/ToolWindowScaling.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

namespace tylog {

PhoneFrmWindow::PhoneFrmWindow() : vb::Form("PhoneFrm") {
    layOut();
    wireEvents();
}

void PhoneFrmWindow::layOut() {
    setCaption("Phone Wave Selections");
    // Inner area 8400 x 6000 twips on the design screen.
    Move(0, 0, 8400 + NonClientWidth(), 6000 + NonClientHeight());

    vb::TextBox* boxes[] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9};
    vb::CommandButton* browse[] = {&Command2, &Command3, &Command4, &Command5, &Command6,
                                   &Command7, &Command8, &Command9, &Command10};
    for (int i = 0; i < 9; ++i) {
        const double top = 360 + i * 390;
        vb::Label& key = lblFKey.Add(*this, "lblFKey", i + 1);
        key.setCaption(QString("F%1").arg(i + 1));
        key.Move(120, top + 30, 435, 255);
        boxes[i]->Move(600, top, 4800, 315);
        boxes[i]->setTabIndex(2 * i);
        browse[i]->setCaption("Browse");
        browse[i]->Move(5520, top, 975, 315);
        browse[i]->setTabIndex(2 * i + 1);
    }
    lblPHLoop.setCaption("Loop (Sec)");
    lblPHLoop.Move(6600, 90, 975, 255);
    txtPHLoop.setText("0");
    txtPHLoop.Move(6600, 360, 495, 315);
    txtPHLoop.setTabIndex(18);

    lblPort.setCaption("Serial Port");
    lblPort.Move(7200, 750, 1080, 255);
    Text10.setText("0");
    Text10.Move(7200, 1020, 615, 315);
    Text10.setTabIndex(19);
    fraLine.Move(7200, 1410, 1080, 1155);
    Option1.setCaption("RTS");
    Option1.Move(120, 240, 900, 255);
    Option1.setTabIndex(20);
    Option2.setCaption("DTR");
    Option2.Move(120, 510, 900, 255);
    Option2.setTabIndex(21);
    Option3.setCaption("Parallel");
    Option3.Move(120, 780, 900, 255);
    Option3.setTabIndex(22);
    Option1.setValue(true);
    lblAddress.setCaption("Parallel Port");
    lblAddress.Move(7200, 2640, 1080, 255);
    Text11.setText("&H378");
    Text11.Move(7200, 2910, 855, 315);
    Text11.setTabIndex(23);

    Command11.setCaption("Test");
    Command11.Move(7200, 3360, 1080, 375);
    Command11.setTabIndex(24);
    lblPlaysF1.setCaption("Plays F1 Command");
    lblPlaysF1.Move(7200, 3780, 1080, 435);
    Command1.setCaption("Done");
    Command1.Move(7200, 4320, 1080, 375);
    Command1.setTabIndex(25);

    lblPhoneMode.setCaption("(You  must be in Phone mode)");
    lblPhoneMode.setFontBold(true);
    lblPhoneMode.Move(120, 3960, 2880, 255);
    lblCaution.setCaption("Caution, RF feedback can damage your PC!");
    lblCaution.setFontBold(true);
    lblCaution.Move(3120, 3960, 4020, 255);
    lblSetup.setCaption("Setup:");
    lblSetup.setFontBold(true);
    lblSetup.Move(120, 4380, 3360, 225);
    lblSetupText.setCaption(
        "Record each message as a wave file with the system's sound recorder, at CD quality. Connect the sound "
        "card's line-out to the transceiver's audio input and raise the sound card's level gradually from the "
        "lowest setting: overdriving damages the radio.");
    lblSetupText.Move(120, 4605, 3360, 1275);
    lblToUse.setCaption("To Use:");
    lblToUse.setFontBold(true);
    lblToUse.Move(3600, 4380, 3480, 225);
    lblToUseText.setCaption(
        "Each wave file belongs to one function key, pressed on the main logging window. The transmitter is keyed "
        "by hand, by VOX or through a serial port: enter the port number (0 for none) and choose the RTS or DTR "
        "line.");
    lblToUseText.Move(3600, 4605, 3480, 1275);

    ApplyTabOrder();
}

void PhoneFrmWindow::wireEvents() {
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
}

void PhoneFrmWindow::Form_Load() {
    Screen& screen = *platform().screen;
    ScaleToolWindow(*this, QRectF(0, 0, screen.Width(), screen.Height()), screen.Width());
}

void PhoneFrmWindow::Command1_Click() {
    Hide();
    ValueWriter w;
    for (vb::TextBox* box : {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9})
        w.Text(box->Text().trimmed()).EndLine();
    w.Text(Text10.Text()).EndLine();
    w.Integer(Option3.Value() ? 2 : (Option2.Value() ? 1 : 0)).EndLine();
    w.Text(txtPHLoop.Text()).EndLine();
    w.Text(Text11.Text()).EndLine();
    try {
        WriteFileAtomic(FindNoCase(Folders.ProgramFolder, "wave2.txt"), w.Bytes());
    } catch (const VbError&) {
        // The old file stays whole; "Done" reports nothing.
    }
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
    if (!IsNumericText(Text10.Text())) Text10.setText("0");
}

void PhoneFrmWindow::Text11_KeyPress(int& KeyAscii) {
    if (KeyAscii == '"') KeyAscii = 0;
    else if (KeyAscii >= 'a' && KeyAscii <= 'z') KeyAscii -= 32;
}

void PhoneFrmWindow::txtPHLoop_KeyPress(int& KeyAscii) {
    if (KeyAscii != 8 && KeyAscii != '.' && (KeyAscii < '0' || KeyAscii > '9')) KeyAscii = 0;
}

void PhoneFrmWindow::txtPHLoop_LostFocus() {
    int ms = 0;
    if (!RepeatIntervalMs(txtPHLoop.Text(), &ms)) txtPHLoop.setText("0");
    tmrRepeat.setInterval(ms);
}

} // namespace tylog
