#include "rig/RigControlfrm.h"
#include "core/ProcessState.h"
#include "core/SaveReports.h"
#include "core/StationSettingsFile.h"
#include "platform/Diagnostics.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Session.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "platform/vb/Design.h"
#include "platform/vb/FormScaling.h"
#include "rig/RigHex.h"
#include "rig/RigSettingsFile.h"

#include <algorithm>

namespace tylog {

namespace {

const char* const kIcomNote = "Icom radio users will have to replace the 64 in the string with the ID for your "
                              "particular radio.  Please check your Icom user's manual for details.";
const char* const kPollingRig = "Polling Rig";

struct BaudChoice {
    vb::OptionButton RigControlfrmWindow::*button;
    const char* rate;
};
constexpr BaudChoice kBauds[] = {
    {&RigControlfrmWindow::optBaud12, "1200"},   {&RigControlfrmWindow::optBaud24, "2400"},
    {&RigControlfrmWindow::optBaud48, "4800"},   {&RigControlfrmWindow::optBaud96, "9600"},
    {&RigControlfrmWindow::optBaud144, "14400"}, {&RigControlfrmWindow::optBaud192, "19200"},
    {&RigControlfrmWindow::optBaud288, "28800"}, {&RigControlfrmWindow::optBaud384, "38400"},
    {&RigControlfrmWindow::optBaud560, "56000"},
};

// A one-letter setting and its buttons, in the order the window tries them.
struct LetterChoice {
    vb::OptionButton RigControlfrmWindow::*button;
    QString RigSettingsData::*member;
    const char* letter;
};
constexpr LetterChoice kLetters[] = {
    {&RigControlfrmWindow::optParityOdd, &RigSettingsData::RigParity, "O"},
    {&RigControlfrmWindow::optParityNone, &RigSettingsData::RigParity, "N"},
    {&RigControlfrmWindow::optParityEven, &RigSettingsData::RigParity, "E"},
    {&RigControlfrmWindow::optData7, &RigSettingsData::RigDataBits, "7"},
    {&RigControlfrmWindow::optData8, &RigSettingsData::RigDataBits, "8"},
    {&RigControlfrmWindow::optStop1, &RigSettingsData::RigStopBits, "1"},
    {&RigControlfrmWindow::optStop2, &RigSettingsData::RigStopBits, "2"},
    {&RigControlfrmWindow::optPowerNone, &RigSettingsData::RigPowerLine, "N"},
    {&RigControlfrmWindow::optPowerRTS, &RigSettingsData::RigPowerLine, "R"},
    {&RigControlfrmWindow::optPowerDTR, &RigSettingsData::RigPowerLine, "D"},
    {&RigControlfrmWindow::optPollFast, &RigSettingsData::RigPollRate, "F"},
    {&RigControlfrmWindow::optPollMed, &RigSettingsData::RigPollRate, "M"},
    {&RigControlfrmWindow::optPollSlow, &RigSettingsData::RigPollRate, "S"},
    {&RigControlfrmWindow::optReallySlow, &RigSettingsData::RigPollRate, "R"},
};

// A radio type's preset: the serial choices it sets (nullptr keeps the group's), its queries, and
// "Convert to Hex" (0 off, 1 on, -1 off and left for the operator to set).
struct Preset {
    const char* type;
    const char* baud;
    const char* parity;
    const char* dataBits;
    const char* stopBits;
    const char* frequencyQuery;
    const char* modeQuery;
    int convertToHex;
    bool icomNote;
};
constexpr const char* kYaesuOther = "00 00 00 02 10";
constexpr Preset kPresets[] = {
    {"Elecraft", "4800", "N", "8", "2", "FA;", "MD;", 0, false},
    {"Icom", "1200", "N", "8", "1", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", 1, true},
    {"Icom 735", "1200", "N", "8", "1", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", 1, true},
    {"Kenwood", "4800", "N", "8", "2", "FA;", "MD;", 0, false},
    {"Kenwood 2", "4800", "N", "8", "2", "IF;", "", 0, false},
    {"Ten Tec Omni VI", "1200", "N", "8", "1", "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD", 1, false},
    {"Ten Tec Orion", "56000", "N", "8", "1", "?AF", "?RMM", 0, false},
    {"Ten Tec Fnt Pnl", "56000", "N", "8", "1", "3F 41 0D", "3F 4D 0D", 1, false},
    {"Yaesu", "4800", "N", "8", "2", "00 00 00 00 03", "", 1, false},
    {"Yaesu 757 GX II", "4800", "N", "8", "2", "00 00 00 00 10", "", 1, false},
    {"Yaesu 890", "4800", "N", "8", "2", kYaesuOther, "", 1, false},
    {"Yaesu 920", "4800", "N", "8", "2", kYaesuOther, "", 1, false},
    {"Yaesu 990", "4800", "N", "8", "2", kYaesuOther, "", 1, false},
    {"Yaesu 1000 D", "4800", "N", "8", "2", kYaesuOther, "", 1, false},
    {"Yaesu 1000", "4800", "N", "8", "2", kYaesuOther, "", 1, false},
    {"Yaesu FTdx9000", "4800", nullptr, nullptr, nullptr, "FA;", "MD0;", 0, false},
    {"Other", nullptr, nullptr, nullptr, nullptr, "", "", -1, false},
};

// The window takes the same share of the work area as of the design screen, centred in it; controls
// move and grow with it, their fonts with the screen's width, at most 1.5 times.
void scaleToWorkArea(vb::Form& form) {
    Screen& screen = *platform().screen;
    const QRectF area = screen.WorkArea();
    const double designWidth = form.Width(), designHeight = form.Height();
    const double w = designWidth / DesignScreenWidth * area.width();
    const double h = designHeight / DesignScreenHeight * area.height();
    form.Move((area.width() - w) / 2, (area.height() - h) / 2, w, h);
    form.setFontSize(form.FontSize() * w / DesignScreenWidth);
    using vb::Kind;
    ScaleControlsOfKinds(form,
                         {Kind::CheckBox, Kind::OptionButton, Kind::Frame, Kind::ListBox, Kind::CommandButton,
                          Kind::TextBox, Kind::Label, Kind::Line},
                         {w, designWidth}, {h, designHeight}, {std::min(screen.Width() / DesignScreenWidth, 1.5)});
}

} // namespace

QString RigFrequencyLabel(float mhz) {
    QString text = QString::number(static_cast<double>(mhz), 'f', 5);
    if (text.startsWith("0.")) text.remove(0, 1);
    return text;
}

RigControlfrmWindow::RigControlfrmWindow() : vb::Form("RigControlfrm") {
    layOut();
    wireEvents();
    engine_.setView(this);
}

RigControlfrmWindow::~RigControlfrmWindow() { engine_.setView(nullptr); }

void RigControlfrmWindow::layOut() {
    for (int i = 0; i < 10; ++i) optComm.Add(*this, "optComm", i, &fraComm);
    const vb::ControlLook small{.FontSize = 7}, bold{.FontBold = true};
    std::vector<vb::ControlDesign> design = {
        // control      caption                 left  top   width height tab
        {Label1, "Select Rig:", 120, 120, 2280, 255},
        {List1, {}, 120, 390, 2280, 3135, 0},

        {fraComm, "Comm Port:", 2520, 60, 1455, 1695},
        {fraBaud, "Baud Rate (k):", 2520, 1830, 1455, 1695},
        {optBaud12, "1.2", 120, 270, 615, 255, 11},
        {optBaud24, "2.4", 120, 540, 615, 255, 12},
        {optBaud48, "4.8", 120, 810, 615, 255, 13},
        {optBaud96, "9.6", 120, 1080, 615, 255, 14},
        {optBaud144, "14.4", 120, 1350, 615, 255, 15},
        {optBaud192, "19.2", 780, 270, 615, 255, 16},
        {optBaud288, "28.8", 780, 540, 615, 255, 17},
        {optBaud384, "38.4", 780, 810, 615, 255, 18},
        {optBaud560, "56", 780, 1080, 615, 255, 19},

        {fraParity, "Parity:", 4095, 60, 1335, 1110},
        {optParityOdd, "Odd", 120, 270, 1095, 255, 20},
        {optParityNone, "None", 120, 540, 1095, 255, 21},
        {optParityEven, "Even", 120, 810, 1095, 255, 22},
        {fraData, "Data Bits:", 4095, 1230, 1335, 840},
        {optData7, "7", 120, 270, 1095, 255, 23},
        {optData8, "8", 120, 540, 1095, 255, 24},
        {fraStop, "Stop Bits:", 4095, 2130, 1335, 840},
        {optStop1, "1", 120, 270, 1095, 255, 25},
        {optStop2, "2", 120, 540, 1095, 255, 26},

        {fraPower, "Connection Power:", 5550, 60, 1695, 1110},
        {optPowerNone, "None", 120, 270, 1455, 255, 27},
        {optPowerRTS, "RTS", 120, 540, 1455, 255, 28},
        {optPowerDTR, "DTR", 120, 810, 1455, 255, 29},
        {fraPoll, "Radio Polling Rate:", 5550, 1230, 1695, 1380},
        {optPollFast, "100 ms", 120, 270, 1455, 255, 30},
        {optPollMed, "500 ms", 120, 540, 1455, 255, 31},
        {optPollSlow, "2 Sec", 120, 810, 1455, 255, 32},
        {optReallySlow, "10 Sec", 120, 1080, 1455, 255, 33},
        {Label2, kPollingRig, 5550, 2730, 3690, 255, {}, {.Visible = false, .ForeColor = 0x0000C0}},

        {fraModeBy, "Mode by:", 7365, 60, 1875, 1110},
        {OptRig, "Rig", 120, 270, 1635, 255, 34},
        {OptFreq, "Frequency", 120, 540, 1635, 255, 35},
        {OptDont, "Don't Use", 120, 810, 1635, 255, 36},
        {chkFrequency, "Use Frequency", 7365, 1290, 1875, 255, 37},
        {chkConvToHex, "Convert to Hex", 7365, 1590, 1875, 255, 38},
        {ChkConvHex, "Convert from Hex", 7365, 1890, 1875, 255, 39},
        {Command1, "Test", 7365, 2250, 900, 375, 40},
        {Command2, "End Test", 8340, 2250, 900, 375, 41},

        {Label3, "String to read frequency:", 2520, 3630, 2400, 255},
        {txtFreq, {}, 2520, 3900, 2400, 315, 42},
        {Label4, "String to read mode:", 5040, 3630, 2205, 255},
        {txtMode, {}, 5040, 3900, 2205, 315, 43},
        {cmdDone, "&Done", 7365, 3870, 1875, 375, 44},

        {Label5, "Frequency:", 2520, 4380, 1005, 255},
        {lblFreq, {}, 3540, 4380, 1380, 255, {}, bold},
        {Label6, "Mode:", 5040, 4380, 555, 255},
        {lblMode, {}, 5610, 4380, 1050, 255, {}, bold},
        {Label7, "Should be PH or CW", 5040, 4650, 2205, 255, {}, small},
        {Command3, "Change Frequency", 7365, 4350, 1875, 375, 45},
        {Label9, "Unprocessed data returned:", 2520, 4950, 4725, 255},
        {lblUnProcess, {}, 2520, 5220, 4725, 495},
        {Command4, "Copy unprocessed data to clipboard", 2520, 5805, 4725, 375, 46},

        {Label10, kIcomNote, 120, 3660, 2280, 1095, {}, {.FontSize = 7, .Visible = false}},
        {Label8,
         "Pick your rig in the list, then its port, power and polling rate, and click Test: the frequency and "
         "mode read from the rig show here, and the logging window follows them. Done saves the settings and "
         "hides this window; polling goes on.",
         120, 4860, 2280, 1815, {}, small},
        {Label11,
         "A rig not in the list may still work: choose Other, type its commands for frequency and mode and "
         "look at the unprocessed data it returns.",
         2520, 6270, 4725, 435, {}, small},
        {Label12, "While the rig is polled, a right click on a spot of the band map tunes the rig to it.", 7365,
         4830, 1875, 735, {}, small},
    };
    for (int i = 0; i < 10; ++i)
        design.push_back({optComm[i], QString::number(i + 1), 120.0 + 660 * (i / 5), 270.0 + 270 * (i % 5), 615, 255,
                          1 + i});
    vb::ApplyDesign(*this, {.Caption = " Rig Interface Setup", .ClientWidth = 9360, .ClientHeight = 6720, .BorderStyle = 3},
                    design);
    lblUnProcess.setBorderStyle(1);

    // The window before any settings are read.
    optComm[0].setValue(true);
    optBaud560.setValue(true);
    optParityNone.setValue(true);
    optData8.setValue(true);
    optStop1.setValue(true);
    optPowerNone.setValue(true);
    optPollMed.setValue(true);
    OptRig.setValue(true);
    chkFrequency.setValue(1);
    chkConvToHex.setEnabled(false);
    Command2.setEnabled(false);
}

void RigControlfrmWindow::wireEvents() {
    // A serial choice is written into the settings at once and stops polling: it takes effect at the
    // next Test or Done.
    auto serial = [this](vb::OptionButton& button, std::function<void()> choose) {
        button.Click = [this, choose] {
            choose();
            Command2_Click();
        };
    };
    for (int i = 0; i < 10; ++i) serial(optComm[i], [i] { RigSettings.RigPort = i + 1; });
    for (const BaudChoice& b : kBauds) {
        const QString rate = QString(b.rate).leftJustified(5, ' ', true);
        serial(this->*b.button, [rate] { RigSettings.RigBaud = rate; });
    }
    for (const LetterChoice& c : kLetters) {
        const auto member = c.member;
        const QString letter = c.letter;
        serial(this->*c.button, [member, letter] { RigSettings.*member = letter; });
    }
    // The mode source changes what the poll hands on from the next reply; polling goes on.
    const std::pair<vb::OptionButton*, int> sources[] = {{&OptRig, 1}, {&OptFreq, 2}, {&OptDont, 3}};
    for (const auto& choice : sources)
        choice.first->Click = [this, source = choice.second] {
            RigSettings.RigModeSource = source;
            lblMode.setCaption("No Response");
            engine_.ClearMode();
        };

    List1.Click = [this] { List1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    cmdDone.Click = [this] { cmdDone_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    chkConvToHex.Click = [this] { chkConvToHex_Click(); };
    chkFrequency.Click = [this] { RigSettings.UseFrequency = chkFrequency.Value() == 1; };
    txtFreq.Change = [this] { txtFreq_Change(); };
    txtMode.Change = [this] { txtMode_Change(); };
    // Editing a query stops polling, so half a query is never sent.
    txtFreq.GotFocus = [this] { Command2_Click(); };
    txtMode.GotFocus = [this] { Command2_Click(); };
    // A double quote could not be stored in RigCntrl.txt: it is refused as typed or pasted.
    auto noQuote = [](int& KeyAscii) {
        if (KeyAscii == '"') KeyAscii = 0;
    };
    txtFreq.KeyPress = noQuote;
    txtMode.KeyPress = noQuote;
}

void RigControlfrmWindow::Form_Load() {
    try {
        scaleToWorkArea(*this);
        for (const char* type : RigTypeNames) List1.AddItem(type);
        // The settings are born with the window: read afresh at every load.
        RigSettings = {};
        RigSettingsLoading = true;
        const RigSettingsFile file = LoadRigSettings();
        if (file.opened) ShowSettings();
        RigSettingsLoading = false;
        engine_.Decoded.RigVfo = 10;
    } catch (const VbError& e) {
        RigSettingsLoading = false;
        qCDebug(lcRig) << Q_FUNC_INFO << e.Description;
    }
}

void RigControlfrmWindow::ShowSettings() {
    const RigSettingsData s = RigSettings; // the handlers write back what they show
    chkConvToHex.setValue(s.ConvertToHex ? 1 : 0);
    chkFrequency.setValue(s.UseFrequency ? 1 : 0);
    OptRig.setValue(s.RigModeSource == 1);
    OptFreq.setValue(s.RigModeSource == 2);
    OptDont.setValue(s.RigModeSource == 3);
    RigSettings.RigModeSource = s.RigModeSource;
    txtFreq.setText(s.RigFrequencyQuery);
    txtMode.setText(s.RigModeQuery);
    List1.setListIndex(-1);
    for (int i = 0; i < List1.ListCount(); ++i)
        if (List1.List(i) == Station.RigType) List1.setListIndex(i);
    if (Station.RigType == "Other") chkConvToHex.setEnabled(true);
    // At load the note shows for "Icom" only; a pick in the list shows it for the 735 as well.
    if (Station.RigType == "Icom") Label10.setVisible(true);

    if (s.RigPort >= 1 && s.RigPort <= 10) optComm[s.RigPort - 1].setValue(true);
    QString baud = s.RigBaud;
    while (baud.endsWith(' ')) baud.chop(1);
    for (const BaudChoice& b : kBauds) (this->*b.button).setValue(baud == b.rate);
    for (const LetterChoice& c : kLetters) (this->*c.button).setValue(s.*c.member == c.letter);
    RigSettings = s;
}

void RigControlfrmWindow::List1_Click() {
    if (RigSettingsLoading) return;
    Command2_Click();
    Station.RigType = List1.Text();
    txtFreq.setText("");
    txtMode.setText("");
    chkConvToHex.setValue(0);
    chkConvToHex.setEnabled(false);
    Label10.setVisible(false);
    selectPreset(Station.RigType);
}

void RigControlfrmWindow::selectPreset(const QString& rigType) {
    const Preset* preset = nullptr;
    for (const Preset& p : kPresets)
        if (rigType == p.type) preset = &p;
    if (!preset) return; // "None" and "Ten Tec Pegasus" have no preset
    if (preset->baud)
        for (const BaudChoice& b : kBauds)
            if (QLatin1String(preset->baud) == b.rate) (this->*b.button).setValue(true);
    // Data bits, stop bits, then parity, as far as the preset sets them.
    const std::pair<QString RigSettingsData::*, const char*> letters[] = {
        {&RigSettingsData::RigDataBits, preset->dataBits},
        {&RigSettingsData::RigStopBits, preset->stopBits},
        {&RigSettingsData::RigParity, preset->parity}};
    for (const auto& [member, value] : letters) {
        if (!value) continue;
        for (const LetterChoice& c : kLetters)
            if (c.member == member && QLatin1String(value) == c.letter) (this->*c.button).setValue(true);
    }
    txtFreq.setText(preset->frequencyQuery);
    txtMode.setText(preset->modeQuery);
    if (preset->icomNote) Label10.setVisible(true);
    if (preset->convertToHex < 0) chkConvToHex.setEnabled(true);
    else chkConvToHex.setValue(preset->convertToHex);
}

void RigControlfrmWindow::Command1_Click() { engine_.Test(); }

void RigControlfrmWindow::Command2_Click() { engine_.EndTest(); }

void RigControlfrmWindow::cmdDone_Click() {
    try {
        if (Station.RigType != "None") Command1_Click();
        SaveStationSettings(); // its own failure is told by the save reporter
        const QString path = FindNoCase(Folders.ProgramFolder, "RigCntrl.txt");
        try {
            SaveRigSettings();
            ReportSaveSuccess(path);
        } catch (const VbError& e) {
            // The old file stays whole; the window closes all the same, and the operator is told.
            ReportSaveFailure(path, e, "The rig settings");
        }
        Hide();
    } catch (const VbError& e) {
        qCDebug(lcRig) << Q_FUNC_INFO << e.Description;
    }
}

void RigControlfrmWindow::Command3_Click() {
    if (engine_.Polling()) {
        showFrequencyTest();
        return;
    }
    MsgBox("You must be polling your rig to test this function.  Please select your rig type and click the Test "
           "command button.",
           vbInformation, "You must be polling your rig to test this function.");
}

void RigControlfrmWindow::showFrequencyTest() {
    // The frequency test dialog (frmFrequencyTest) opens here, modal, and is unloaded when it closes.
    // Until it exists the button does nothing while polling.
}

void RigControlfrmWindow::Command4_Click() {
    Clipboard& clipboard = *platform().clipboard;
    clipboard.Clear();
    clipboard.SetText(lblUnProcess.Caption());
    cmdDone.SetFocus();
}

void RigControlfrmWindow::chkConvToHex_Click() {
    RigSettings.ConvertToHex = chkConvToHex.Value() == 1;
    ChkConvHex.setValue(chkConvToHex.Value());
}

void RigControlfrmWindow::txtFreq_Change() { RigSettings.RigFrequencyQuery = txtFreq.Text(); }

void RigControlfrmWindow::txtMode_Change() { RigSettings.RigModeQuery = txtMode.Text(); }

void RigControlfrmWindow::Form_Unload(int& Cancel) {
    (void)Cancel;
    engine_.Unload();
}

// ---- What the engine shows ----------------------------------------------------------------------

void RigControlfrmWindow::PollingStarts() {
    lblMode.setCaption("No Response");
    lblFreq.setCaption("No Response");
    Command2.setEnabled(true);
    Label2.setCaption(kPollingRig);
    Label2.setToolTipText({});
    Label2.setVisible(true);
}

void RigControlfrmWindow::PortOpenFailed(const QString& why) {
    (void)why; // the engine logs it; the operator gets the fixed message
    Beep();
    MsgBox("The comm port that you selected for rig interface is either in use, invalid or the settings that you "
           "have selected are invalid.  Please select another combination or choose None for your rig selection.",
           vbInformation, "Invalid Comm Settings.");
    // Shown so the operator can correct the settings; its own buttons work meanwhile, Done hides it.
    if (!isVisible()) Show(vb::vbModal);
}

void RigControlfrmWindow::PollingFailed() {
    Command2.setEnabled(false);
    Label2.setVisible(false);
}

void RigControlfrmWindow::PollingEnded() {
    lblMode.setCaption("");
    lblFreq.setCaption("");
    lblUnProcess.setCaption("");
    Label2.setVisible(false);
    Command2.setEnabled(false);
}

void RigControlfrmWindow::ReplyRead(const RigDecoded& decoded, const QByteArray& reply) {
    if (!isVisible()) return; // labels are written only where they are seen
    if (decoded.RigFrequencyMHz > 0) lblFreq.setCaption(RigFrequencyLabel(decoded.RigFrequencyMHz));
    lblMode.setCaption(decoded.RigModeText);
    lblUnProcess.setCaption(ChkConvHex.Value() == 1 ? BytesToHexSpaced(reply) : FromAnsi(reply));
}

void RigControlfrmWindow::PortLost(const QString& why) {
    // Said here (and under tylog.rig) once, with no box: the window is usually hidden while polling.
    Label2.setCaption("The rig's port went away: polling stopped. Click Test to start again.");
    Label2.setToolTipText(why);
    Label2.setVisible(true);
    Command2.setEnabled(false);
}

// ---- The link -----------------------------------------------------------------------------------

namespace {
class RigControlLink : public RadioLink {
public:
    // Tuning the radio lands here with the radio commands; until then it does nothing.
    void ChangeFrequency(float qChangeFreq) override { (void)qChangeFreq; }
    void StartPolling() override { RigControlfrm().Command1_Click(); }
};
} // namespace

RadioLink& InstalledRadio() {
    static RigControlLink link;
    return link;
}

} // namespace tylog
