#include "keying/WinKeySetup.h"
#include "core/ProcessState.h"
#include "core/SaveReports.h"
#include "keying/ExternalKeyer.h"
#include "keying/KeyerBoxes.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "keying/WinKeyProtocol.h"
#include "keying/WinKeySettings.h"
#include "platform/Diagnostics.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Screen.h"
#include "platform/VbError.h"
#include "platform/vb/FormScaling.h"
#include "platform/vb/KeyFilters.h"

namespace tylog {

frmWinKeyWindow::frmWinKeyWindow() : vb::Form("frmWinKey") {
    vb::ApplyDesign(*this, Design(), DesignTable());
    // The defaults before any file: "Tone" and "Iambic B" (codes 6 and 0).
    optTone.setValue(true);
    optIambicB.setValue(true);
    wireEvents();
}

vb::FormDesign frmWinKeyWindow::Design() {
    return {.Caption = " WinKey Setup", .ClientWidth = 7200, .ClientHeight = 5940, .BorderStyle = 3};
}

std::vector<vb::ControlDesign> frmWinKeyWindow::DesignTable() {
    const vb::ControlLook bold{.FontBold = true};
    return {
        // control        caption            left  top   width height tab
        {lblComPort, "Com Port:", 120, 165, 975, 255},
        {txtWKComPort, "5", 1140, 120, 615, 315, 0},
        {cmdOpenWinkey, "Open", 1920, 90, 975, 375, 1},
        {cmdCloseWinkey, "Close", 3000, 90, 975, 375, 2},
        {lblStatusCaption, "WinKey Status:", 120, 600, 1335, 255},
        {lblOpenStatus, "Closed", 1500, 600, 2400, 255, {}, bold},
        {lblVersionCaption, "WinKey Version:", 120, 900, 1335, 255},
        {lblVersion, "Version #", 1500, 900, 2400, 255, {}, bold},

        {lblSettings, "Settings:", 120, 1320, 1335, 255, {}, bold},
        {lblWPM, "WPM:", 120, 1695, 855, 255},
        {txtWKWPM, "18", 1020, 1650, 615, 315, 3},
        {lblWPMHelp, "Up / down arrows from main form change speeds.", 1740, 1695, 5340, 255},
        {lblWeight, "Weight:", 120, 2115, 855, 255},
        {txtWeight, "50", 1020, 2070, 615, 315, 4},
        {lblWeightHelp, "Proportional amount added or subtracted (50 is standard).", 1740, 2115, 5340, 255},
        {lblLeadIn, "Lead In:", 120, 2535, 855, 255},
        {txtLeadIn, "0", 1020, 2490, 615, 315, 5},
        {lblLeadInHelp, "Lead in time for transmitter (10 ms increments).", 1740, 2535, 5340, 255},
        {lblTail, "Tail:", 120, 2955, 855, 255},
        {txtTail, "0", 1020, 2910, 615, 315, 6},
        {lblTailHelp, "Tail time after keying has stopped (10 ms increments).", 1740, 2955, 5340, 255},
        {lblRatio, "Ratio:", 120, 3375, 855, 255},
        {txtRatio, "50", 1020, 3330, 615, 315, 7},
        {lblRatioHelp, "Ratio of dits to dahs (Range: 33 - 66).", 1740, 3375, 5340, 255},

        {fraMode, "Keyer Mode", 120, 3840, 3375, 1335},
        {optIambicA, "Iambic A", 150, 270, 3000, 255, 8},
        {optIambicB, "Iambic B", 150, 525, 3000, 255, 9},
        {optUltimatic, "Ultimatic", 150, 780, 3000, 255, 10},
        {optBug, "Bug Keyer", 150, 1035, 3000, 255, 11},
        {fraPin, "Pin 5 Configuration", 3600, 3840, 3480, 1335},
        {optPTT, "PTT", 150, 270, 3180, 255, 12},
        {optTone, "Tone", 150, 525, 3180, 255, 13},
        {optKey5Off3Out, "P5 Off, P3 Key Out", 150, 780, 3180, 255, 14},
        {optKey5Out3Off, "P5 Key Out, P3 Off", 150, 1035, 3180, 255, 15},

        {Command3, "Test", 120, 5400, 1095, 375, 16},
        {cmdStop, "Stop", 1320, 5400, 1095, 375, 17},
        {cmdDone, "&Done", 5985, 5400, 1095, 375, 18},
    };
}

std::array<vb::OptionButton*, 4> frmWinKeyWindow::pinOptions() {
    return {&optPTT, &optTone, &optKey5Off3Out, &optKey5Out3Off};
}

std::array<vb::OptionButton*, 4> frmWinKeyWindow::modeOptions() {
    return {&optIambicA, &optIambicB, &optUltimatic, &optBug};
}

void frmWinKeyWindow::wireEvents() {
    for (vb::TextBox* box : {&txtWKComPort, &txtWKWPM, &txtWeight, &txtLeadIn, &txtTail, &txtRatio})
        box->KeyPress = [](int& KeyAscii) { KeyDigitsOnly(KeyAscii); };
    // The texts are in force as typed; leaving a box applies its rule.
    WinKeySettings& s = KeyerSettings.WinKey;
    txtWKWPM.Change = [this, &s] { s.Speed = txtWKWPM.Text(); };
    txtWeight.Change = [this, &s] { s.Weight = txtWeight.Text(); };
    txtLeadIn.Change = [this, &s] { s.LeadIn = txtLeadIn.Text(); };
    txtTail.Change = [this, &s] { s.Tail = txtTail.Text(); };
    txtRatio.Change = [this, &s] { s.Ratio = txtRatio.Text(); };
    txtWKComPort.LostFocus = [this] { txtWKComPort_LostFocus(); };
    txtWKWPM.LostFocus = [] { ExternalKeyerEngine().LeftSpeedBox(); };
    txtWeight.LostFocus = [] { ExternalKeyerEngine().LeftWeightBox(); };
    txtLeadIn.LostFocus = [] { ExternalKeyerEngine().LeftLeadInBox(); };
    txtTail.LostFocus = [] { ExternalKeyerEngine().LeftTailBox(); };
    txtRatio.LostFocus = [] { ExternalKeyerEngine().LeftRatioBox(); };

    const std::array<vb::OptionButton*, 4> pins = pinOptions(), modes = modeOptions();
    for (size_t i = 0; i < 4; ++i) {
        vb::OptionButton* pin = pins[i];
        vb::OptionButton* mode = modes[i];
        pin->Click = [this, pin, i] { optionClicked(*pin, kWinKeyPinCodes[i], true); };
        mode->Click = [this, mode, i] { optionClicked(*mode, kWinKeyModeCodes[i], false); };
    }

    cmdOpenWinkey.Click = [this] { cmdOpenWinkey_Click(); };
    cmdCloseWinkey.Click = [this] { cmdCloseWinkey_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    cmdStop.Click = [this] { cmdStop_Click(); };
    cmdDone.Click = [this] { cmdDone_Click(); };

    ExternalKeyer& keyer = ExternalKeyerEngine();
    QObject::connect(&keyer, &ExternalKeyer::OpenFinished, this, [this](int code) { openFinished(code); });
    QObject::connect(&keyer, &ExternalKeyer::DeviceClosed, this, [this] { deviceClosed(); });
    QObject::connect(&keyer, &ExternalKeyer::SettingsRepaired, this, [this] { ShowSettings(); });
}

void frmWinKeyWindow::Form_Load() {
    try {
        Screen& screen = *platform().screen;
        RescaleForm(*this, static_cast<float>(screen.Width()), static_cast<float>(screen.Height()), DesignScreenWidth,
                    DesignScreenHeight, 0, 1.0f, QStringLiteral("Arial"));
    } catch (const VbError& e) {
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
    }
    // Each load reads the file afresh; the port in force stays when the file does not say another.
    WinKeySettings start;
    start.ComPort = KeyerSettings.WinKey.ComPort;
    const SettingsFile<WinKeySettings> file = ReadWinKeySettings(WinKeySettingsPath(), start);
    KeyerSettings.WinKey = file.settings;
    // A file that fails part way keeps the speed it gave; otherwise the speed is the CW speed.
    if (file.whole || !file.opened) KeyerSettings.WinKey.Speed = KeyerSettings.CW.Speed;
    ShowSettings();
}

void frmWinKeyWindow::ShowSettings() {
    const WinKeySettings s = KeyerSettings.WinKey; // a copy: the boxes write back into it as they change
    // The port box shows the port that will be used ("07" may stay for 7).
    const WinKeyPortOutcome shown = WinKeyPortBox(txtWKComPort.Text());
    if (shown.repair || shown.port != s.ComPort) txtWKComPort.setText(QString::number(s.ComPort));
    const std::pair<vb::TextBox*, QString> boxes[] = {
        {&txtWKWPM, s.Speed}, {&txtWeight, s.Weight}, {&txtLeadIn, s.LeadIn}, {&txtTail, s.Tail}, {&txtRatio, s.Ratio}};
    for (const auto& [box, text] : boxes)
        if (box->Text() != text) box->setText(text);
    // A code no option has selects none anew: the option shown stays while the code is kept.
    const std::array<vb::OptionButton*, 4> pins = pinOptions(), modes = modeOptions();
    for (size_t i = 0; i < 4; ++i) {
        if (kWinKeyPinCodes[i] == s.PinConfig && !pins[i]->Value()) pins[i]->setValue(true);
        if (kWinKeyModeCodes[i] == s.Mode && !modes[i]->Value()) modes[i]->setValue(true);
    }
}

void frmWinKeyWindow::optionClicked(vb::OptionButton& option, int code, bool pin) {
    if (!option.Value()) return;
    (pin ? KeyerSettings.WinKey.PinConfig : KeyerSettings.WinKey.Mode) = code;
    if (Keyer.WinKeyVersion != 0) ExternalKeyerEngine().ApplyWinKeySettings();
}

void frmWinKeyWindow::txtWKComPort_LostFocus() {
    const WinKeyPortOutcome o = WinKeyPortBox(txtWKComPort.Text());
    KeyerSettings.WinKey.ComPort = o.port;
    if (o.repair) txtWKComPort.setText(*o.repair);
}

void frmWinKeyWindow::focusDone() {
    if (isVisible()) cmdDone.SetFocus();
}

void frmWinKeyWindow::cmdOpenWinkey_Click() {
    try {
        ExternalKeyerEngine().OpenDevice();
    } catch (const VbError& e) {
        MsgBox(e.Description, vbOKOnly, QStringLiteral("Error!"));
    }
}

void frmWinKeyWindow::openFinished(int code) {
    if (const std::optional<QString> text = winkey::StatusText(code)) lblOpenStatus.setCaption(*text);
    if (code == winkey::AlreadyOpen) return;
    if (Keyer.WinKeyVersion > 0) lblVersion.setCaption(QStringLiteral("Version # ") + QString::number(Keyer.WinKeyVersion));
    focusDone();
}

void frmWinKeyWindow::cmdCloseWinkey_Click() {
    ExternalKeyerEngine().CloseDevice();
    focusDone();
}

void frmWinKeyWindow::deviceClosed() {
    lblOpenStatus.setCaption(QStringLiteral("Closed"));
    lblVersion.setCaption(QStringLiteral("Version #"));
}

void frmWinKeyWindow::Command3_Click() {
    const bool wasEmpty = Keyer.CWBuffer.isEmpty();
    Keyer.CWBuffer += QStringLiteral("VVV TEST DE ") + Station.OwnCall;
    // Text still waiting goes first; the test message follows it in the same hand-over.
    if (wasEmpty) ExternalKeyerEngine().WKTransmit();
    cmdDone.SetFocus();
}

void frmWinKeyWindow::cmdStop_Click() {
    ExternalKeyerEngine().Device().wk_clearbuf();
    Keyer.CWBuffer.clear();
    cmdDone.SetFocus();
}

void frmWinKeyWindow::cmdDone_Click() {
    const QString path = WinKeySettingsPath();
    try {
        WriteWinKeySettings(path, KeyerSettings.WinKey);
        ReportSaveSuccess(path);
    } catch (const VbError& e) {
        // The old file stays whole; the window closes all the same, and the operator is told.
        ReportSaveFailure(path, e, QStringLiteral("The external keyer's settings"));
    }
    Hide();
}

void frmWinKeyWindow::Form_Unload(int& Cancel) {
    (void)Cancel;
    // The device closes with the window; the next text sent opens it again.
    if (ExternalKeyer* keyer = ExternalKeyerIfMade()) keyer->CloseDevice();
}

void frmWinKeyWindow::Capital(int& KeyAscii) {
    if (KeyAscii != 9) KeyUpperCase(KeyAscii);
}

} // namespace tylog
