#include "keying/CodePractice.h"
#include "keying/CWFrm.h"
#include "keying/CWKeyer.h"
#include "keying/CodePracticeRules.h"
#include "keying/ExternalKeyer.h"
#include "keying/KeyerState.h"
#include "keying/ToolWindowScaling.h"
#include "platform/Session.h"
#include "platform/Diagnostics.h"
#include "platform/Platform.h"
#include "platform/Screen.h"
#include "platform/VbError.h"
#include "platform/vb/KeyFilters.h"

#include <random>

namespace tylog {

namespace {
constexpr long kNavy = 0x800000; // BGR: blue 128
constexpr long kWhite = 0xFFFFFF;
} // namespace

frmCodePracticeWindow::frmCodePracticeWindow() : vb::Form("frmCodePractice") {
    vb::ApplyDesign(*this, Design(), DesignTable());
    Option2.setValue(true);
    next_.setSingleShot(true);
    next_.Tick = [this] { sendStep(); };
    wireEvents();
}

vb::FormDesign frmCodePracticeWindow::Design() {
    return {.Caption = "On the Air Code Practice", .ClientWidth = 9000, .ClientHeight = 6600};
}

std::vector<vb::ControlDesign> frmCodePracticeWindow::DesignTable() {
    const vb::ControlLook heading{.ForeColor = kWhite, .BackColor = kNavy};
    const vb::ControlLook big{.FontName = "Courier New", .ForeColor = kWhite, .BackColor = kNavy};
    return {
        // control        caption                    left  top   width height tab
        {lblInstructions,
         "You can transmit morse code practice using randomly generated characters, copying and pasting text or "
         "typing text into the \"Text to Send\" text box.  Click Send to send the characters. ",
         120, 120, 8760, 495},
        {lblGenerate, "Generate", 120, 735, 855, 255},
        {Text3, "10", 1020, 690, 615, 315, 0},
        {lblGroupsOf, "groups of", 1740, 735, 975, 255},
        {Text4, "5", 1020, 1050, 615, 315, 1},
        {lblCharsEach, "characters each.", 1740, 1095, 1695, 255},
        {Frame1, "Include:", 3600, 600, 2175, 855},
        {Option1, "Letters Only", 150, 240, 1815, 255, 2},
        {Option2, "All", 150, 525, 1815, 255, 3},
        {Command2, "&Generate Random Characters", 6000, 600, 2880, 375, 4},
        {Command1, "&Paste from Clipboard", 6000, 1080, 2880, 375, 5},
        {lblToSend, " Text to Send", 120, 1560, 7560, 255, {}, heading},
        {Text1, {}, 120, 1815, 7560, 1695, 6, big},
        {Command6, "&Clear", 7800, 1815, 1080, 375, 7},
        {lblSent, " Text Sent", 120, 3600, 7560, 255, {}, heading},
        {Text2, {}, 120, 3855, 7560, 1695, 8, big},
        {Command5, "Cl&ear", 7800, 3855, 1080, 375, 9},
        {Command3, "&Send", 120, 5670, 1095, 375, 10},
        {Command4, "S&top", 1320, 5670, 1095, 375, 11},
        {Command7, "&Faster", 2520, 5670, 1095, 375, 12},
        {Command8, "S&lower", 3720, 5670, 1095, 375, 13},
        {Label8, "13", 4920, 5730, 495, 255},
        {lblWPM, "WPM", 5460, 5730, 615, 255},
        {lblType, "Type characters here to send text from keyboard:", 120, 6180, 4560, 255},
        {Text5, {}, 4800, 6135, 4080, 315, 14},
    };
}

void frmCodePracticeWindow::wireEvents() {
    Command2.Click = [this] { Command2_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command6.Click = [this] { Text1.setText(QString()); };
    Command5.Click = [this] { Text2.setText(QString()); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command7.Click = [this] { Command7_Click(); };
    Command8.Click = [this] { Command8_Click(); };
    Text1.KeyPress = [](int& KeyAscii) {
        if (KeyAscii != 9) KeyUpperCase(KeyAscii);
    };
    Text5.KeyPress = [this](int& KeyAscii) { Text5_KeyPress(KeyAscii); };

    // A character is done when its keyer says so, or when the run it was in ended without it.
    CWKeyer& cw = CWEngine();
    QObject::connect(&cw, &CWKeyer::CharacterDone, this, [this] { characterDone(); });
    QObject::connect(&cw, &CWKeyer::RunEnded, this, [this] { characterDone(); });
    ExternalKeyer& external = ExternalKeyerEngine();
    QObject::connect(&external, &ExternalKeyer::CharacterHandedOver, this, [this] { characterDone(); });
    QObject::connect(&external, &ExternalKeyer::TransmitEnded, this, [this] { characterDone(); });
}

void frmCodePracticeWindow::Form_Load() {
    try {
        Screen& screen = *platform().screen;
        ScaleToolWindow(*this, screen.WorkArea(), screen.Width());
    } catch (const VbError& e) {
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
    }
    Label8.setCaption(CWFrm().Text11.Text());
}

void frmCodePracticeWindow::Command2_Click() {
    // Seeded from the clock on every click, as the groups are meant to differ each time.
    std::mt19937 engine(platform().clock->TimeGetTime());
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    const PracticeGroups groups =
        RandomPracticeGroups(Text3.Text(), Text4.Text(), Option1.Value(), [&] { return uniform(engine); });
    if (Text3.Text() != groups.groupsBox) Text3.setText(groups.groupsBox);
    if (Text4.Text() != groups.lengthBox) Text4.setText(groups.lengthBox);
    Text1.setText(groups.text);
}

void frmCodePracticeWindow::Command1_Click() { Text1.setText(platform().clipboard->GetText()); }

// ---- Sending ------------------------------------------------------------------------------------

void frmCodePracticeWindow::Command3_Click() {
    PracticeSendText = Text1.Text();
    Text1.SetFocus();
    next_.Stop();
    waiting_ = false;
    sendPos_ = 1;
    sendStep();
}

void frmCodePracticeWindow::sendStep() {
    // The loop's test reads the text as the last pass stored it: Stop ends it here.
    if (sendPos_ < 1 || sendPos_ > PracticeSendText.size()) {
        sendPos_ = 0;
        return;
    }
    PracticeSendText = Text1.Text(); // an edit takes effect from this character on
    Keyer.CWBuffer = PracticeSendText.mid(sendPos_ - 1, 1);
    waiting_ = true;
    if (!Keyer.CWSending) CWEngine().LoopThroughCWBuffer();
}

void frmCodePracticeWindow::characterDone() {
    if (!waiting_) return;
    waiting_ = false;
    const QString c = PracticeSendText.mid(sendPos_ - 1, 1);
    if (!c.isEmpty()) {
        Text2.setText(Text2.Text() + c);
        Text2.setSelStart(static_cast<int>(Text2.Text().size()) - 1); // keeps the end in view
    }
    Text1.setSelStart(std::min(sendPos_, static_cast<int>(Text1.Text().size())));
    ++sendPos_;
    // The next character from a step of its own, once the keyer that reported this one is done.
    next_.Start(1);
}

void frmCodePracticeWindow::Command4_Click() {
    PracticeSendText.clear();
    Keyer.CWBuffer.clear();
    CWEngine().CWBufferCut();
}

void frmCodePracticeWindow::Command7_Click() {
    CWFrm().UpDown1_UpClick();
    Label8.setCaption(CWFrm().Text11.Text());
}

void frmCodePracticeWindow::Command8_Click() {
    CWFrm().UpDown1_DownClick();
    Label8.setCaption(CWFrm().Text11.Text());
}

void frmCodePracticeWindow::Text5_KeyPress(int& KeyAscii) {
    if (KeyAscii != 9) KeyUpperCase(KeyAscii);
    if (KeyAscii == 8) {
        if (!Keyer.CWBuffer.isEmpty()) {
            Keyer.CWBuffer.chop(1);
            CWEngine().CWBufferCut();
        }
        QString sent = Text2.Text();
        if (!sent.isEmpty()) {
            sent.chop(1);
            Text2.setText(sent);
        }
    } else if (KeyAscii != 0) {
        const QChar c(KeyAscii);
        Text2.setText(Text2.Text() + c);
        Keyer.CWBuffer += c;
        if (!Keyer.CWSending) CWEngine().LoopThroughCWBuffer();
    }
    KeyAscii = 0; // the box itself stays empty
}

// ---- Closing ------------------------------------------------------------------------------------

void frmCodePracticeWindow::Form_QueryUnload(int& Cancel, int UnloadMode) {
    (void)UnloadMode;
    Keyer.CWBuffer.clear();
    CWEngine().CWBufferCut();
    PracticeSendText.clear();
    // The character being keyed finishes first; the next close goes through.
    if (Keyer.CWSending) Cancel = 1;
}

void frmCodePracticeWindow::Form_Unload(int& Cancel) {
    (void)Cancel;
    next_.Stop();
    sendPos_ = 0;
    waiting_ = false;
}

} // namespace tylog
