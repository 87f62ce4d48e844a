#include "rig/FrequencyTest.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/vb/Design.h"
#include "platform/vb/FormScaling.h"
#include "rig/RigControlfrm.h"
#include "rig/RigHex.h"

#include <cmath>
#include <limits>

namespace tylog {

frmFrequencyTestWindow::frmFrequencyTestWindow() : vb::Form("frmFrequencyTest") {
    vb::ApplyDesign(
        *this, {.Caption = "Test Change Frequency Function", .ClientWidth = 5520, .ClientHeight = 3975, .BorderStyle = 3},
        {
            // control  caption  left  top   width height tab
            {Label1, "Please use the text box below to enter a complete command to send to your radio.  The default "
                     "example is the command used for Kenwood radios.", 120, 120, 5280, 615},
            {Label2, "If your radio requires a hexidecimal format, please enter in the format of XX XX XX (using "
                     "spaces between each two digits) and click the Convert to Hex check box below.", 120, 840, 5280, 615},
            {Text1, "FA00028475000;", 120, 1605, 3495, 285, 0},
            {Check1, "Convert to Hex", 3720, 1560, 1035, 375, 1},
            {Command1, "Send", 4800, 1560, 615, 375, 2},
            {Label3, "Once you have a working command, please e-mail me the exact command and the frequency (in Mhz) "
                     "specified in the command.", 120, 2040, 5280, 495},
            {Line1, {}, 120, 2640, 5400, 2640},
            {Label4, "Most Elecrafts, Icoms, Kenwoods and Yaesus are now supported. For any supported radio, you "
                     "should be able to enter a frequency in Mhz, click send and your radio should switch to the "
                     "specified frequency.", 120, 2760, 5280, 735},
            {Text2, "", 1800, 3510, 975, 285, 3},
            {Command2, "Send", 2880, 3480, 615, 375, 4},
        });
    for (vb::Label* l : {&Label1, &Label2, &Label3, &Label4}) l->setWordWrap(true);
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void frmFrequencyTestWindow::Form_Load() {
    Screen& screen = *platform().screen;
    ScaleToolWindow(*this, QRectF(0, 0, screen.Width(), screen.Height()), screen.Width());
    Text2.setText("28.475");
}

void frmFrequencyTestWindow::Command1_Click() {
    QString text = Text1.Text();
    while (text.startsWith(' ')) text.remove(0, 1);
    while (text.endsWith(' ')) text.chop(1);
    const QByteArray bytes = Check1.Value() == 1 ? HexSpacedToBytes(text) : ToAnsi(text);
    if (!bytes.isEmpty()) RigControlfrm().Engine().SendRaw(bytes);
}

void frmFrequencyTestWindow::Command2_Click() {
    double mhz = 0;
    if (!ParseNumber(Text2.Text(), &mhz) || std::fabs(mhz) > std::numeric_limits<float>::max()) return;
    RigControlfrm().Engine().ChangeFrequency(static_cast<float>(mhz));
}

} // namespace tylog
