#include "spotting/PacketSpotfrm.h"
#include "core/LoggingWindowLink.h"
#include "core/ProcessState.h"
#include "core/SaveReports.h"
#include "core/StationSettingsFile.h"
#include "logstore/ContactLog.h"
#include "platform/Diagnostics.h"
#include "platform/Platform.h"
#include "platform/VbError.h"
#include "platform/vb/FormScaling.h"
#include "spotting/ClusterEngine.h"
#include "spotting/SpotFraming.h"
#include "spotting/SpotSettings.h"

namespace tylog {

namespace {
const char* const Transports[] = {"None", "TNC", "Telnet", "AGW Packet Engine"};
const char* const TncPrompt = "Send text  (Ctrl C or Esc for TNC Command mode):";
} // namespace

PacketSpotfrmWindow::PacketSpotfrmWindow() : vb::Form("PacketSpotfrm"), engine_(std::make_unique<ClusterEngine>()) {
    for (int i = 0; i <= 9; ++i) optComm.Add(*this, "optComm", i, &fraPort);
    layOut();
    wireEvents();
}

PacketSpotfrmWindow::~PacketSpotfrmWindow() = default;

vb::FormDesign PacketSpotfrmWindow::Design() {
    return {.Caption = " DX Spotting Setup", .ClientWidth = 9000, .ClientHeight = 6600, .BorderStyle = 1};
}

std::vector<vb::ControlDesign> PacketSpotfrmWindow::DesignRows() {
    const vb::ControlLook bold{.FontBold = true};
    std::vector<vb::ControlDesign> rows = {
        // The transport and what the logging window shows.
        // control        caption                     left  top   width height tab
        {Label1, "Select Option:", 120, 120, 1800, 255, {}, bold},
        {List1, {}, 120, 390, 2200, 900, 0},
        {Frame2, "Main Form Display", 120, 1380, 2200, 600},
        {OptBand, "Band Map", 120, 240, 900, 255, 1},
        {OptList, "List", 1100, 240, 900, 255, 2},
        {chkDX, "List DX Only (also controls main form)", 120, 2070, 3000, 255, 3},
        {Label7, "Telnet Host:", 120, 2430, 1100, 255},
        {txtTelnetHost, "", 1260, 2400, 1860, 285, 4},
        {Label3, "Telnet Port:", 120, 2790, 1100, 255},
        {txtTelnetPort, "", 1260, 2760, 700, 285, 5},
        {Label2, "TNC cmd mode hex character:", 120, 3150, 2400, 255},
        {txtHex, "", 2580, 3120, 540, 285, 6},

        // The TNC's serial port.
        {fraBaud, "Baud Rate of Com Port to TNC (not necessarily transmitted baud rate)", 3300, 120, 5580, 560},
        {optBaud12, "1.2k", 120, 240, 850, 255, 7},
        {optBaud24, "2.4k", 1020, 240, 850, 255, 8},
        {optBaud48, "4.8k", 1920, 240, 850, 255, 9},
        {optBaud96, "9.6k", 2820, 240, 850, 255, 10},
        {optBaud144, "14.4k", 3720, 240, 850, 255, 11},
        {optBaud192, "19.2k", 4620, 240, 850, 255, 12},
        {fraParity, "Parity", 3300, 780, 2400, 560},
        {optParityOdd, "Odd", 120, 240, 700, 255, 13},
        {optParityNone, "None", 840, 240, 700, 255, 14},
        {optParityEven, "Even", 1560, 240, 700, 255, 15},
        {fraData, "Data Bits", 5820, 780, 1440, 560},
        {optData7, "7", 120, 240, 600, 255, 16},
        {optData8, "8", 780, 240, 600, 255, 17},
        {fraStop, "Stop Bits", 7380, 780, 1500, 560},
        {optStop1, "1", 120, 240, 600, 255, 18},
        {optStop2, "2", 780, 240, 600, 255, 19},
        {fraPort, "Comm Port", 3300, 1440, 5580, 560},
        {fraPower, "Connection Power", 3300, 2100, 2700, 560},
        {optPowerNone, "None", 120, 240, 800, 255, 30},
        {optPowerRTS, "RTS", 960, 240, 800, 255, 31},
        {optPowerDTR, "DTR", 1800, 240, 800, 255, 32},
        {Frame1, "Handshaking", 6120, 2100, 2760, 820},
        {Option1, "None", 120, 240, 1200, 255, 33},
        {Option2, "Xon Xoff", 1380, 240, 1300, 255, 34},
        {Option3, "RTS", 120, 520, 1200, 255, 35},
        {Option4, "RTS OnOff", 1380, 520, 1300, 255, 36},

        // Open, close, spot, done.
        {Command1, "Open Port", 3300, 3060, 1300, 375, 37},
        {Command2, "Close Port", 4700, 3060, 1300, 375, 38},
        {Command3, "&Spot Last", 6100, 3060, 1300, 375, 39},
        {cmdDone, "&Done", 7500, 3060, 1380, 375, 40, bold},
        {Label4, "Listening", 120, 3480, 1300, 255, {}, {.Visible = false, .ForeColor = 0xFFFFFF, .BackColor = 0xFF0000}},
        {chkConvToHex, "Convert to Hex", 1500, 3480, 1500, 255, {}, {.Visible = false}},

        // The terminal and the send box.
        {txtUnProcessed, "", 120, 3840, 8760, 1980, 41,
         {.FontName = "Courier New", .FontSize = 9, .ForeColor = 0xFFFFFF, .BackColor = 0x800000}},
        {Label6, "Send text  (Ctrl  C or Esc for TNC Command mode):", 120, 5900, 6000, 255},
        {txtSent, "", 120, 6180, 8760, 315, 42},
    };
    for (int i = 0; i <= 9; ++i)
        rows.push_back({optComm[i], QString::number(i + 1), 120.0 + 540 * i, 240, 500, 255, 20 + i});
    return rows;
}

void PacketSpotfrmWindow::layOut() {
    vb::ApplyDesign(*this, Design(), DesignRows());
    KeyPreview = true;
    txtTelnetPort.setMaxLength(5);
    txtHex.setMaxLength(2);
    txtUnProcessed.setLocked(true); // a display: what it holds is what the repeat filter searches
    chkConvToHex.setEnabled(false);
    optBaud192.setValue(true);
    optParityNone.setValue(true);
    optData8.setValue(true);
    optStop1.setValue(true);
    optComm[0].setValue(true);
    optPowerNone.setValue(true);
    Option1.setValue(true);
    OptBand.setValue(true);
}

void PacketSpotfrmWindow::wireEvents() {
    ClusterEngine& engine = *engine_;
    engine.TerminalChanged = [this] { showTerminal(); };
    engine.OpenChanged = [this] { Label4.setVisible(engine_->IsOpen()); };
    engine.CaptionChanged = [this](const QString& caption) { setCaption(caption); };
    engine.ShowWindow = [this] {
        if (!Visible()) Show();
    };

    List1.Click = [this] { List1_Click(); };
    chkDX.Click = [this] { SpottingSettings.ListDXOnly = chkDX.Value() == 1 ? 1 : 0; };
    chkConvToHex.Click = [this] { SpottingSettings.ConvertToHex = chkConvToHex.Value(); };
    OptList.Click = [this] { SpottingSettings.OptList = OptList.Value(); };
    OptBand.Click = [this] { SpottingSettings.OptList = OptList.Value(); };
    txtHex.Change = [this] { SpottingSettings.TncHex = txtHex.Text(); };
    txtTelnetPort.Change = [this] { SpottingSettings.TelnetPort = txtTelnetPort.Text(); };
    txtTelnetHost.Change = [this] { SpottingSettings.TelnetHost = txtTelnetHost.Text(); };

    for (vb::OptionButton* o : {&optBaud12, &optBaud24, &optBaud48, &optBaud96, &optBaud144, &optBaud192, &optParityOdd,
                                &optParityNone, &optParityEven, &optData7, &optData8, &optStop1, &optStop2,
                                &optPowerNone, &optPowerRTS, &optPowerDTR, &Option1, &Option2, &Option3, &Option4})
        o->Click = [this] { serialOptionClick(); };
    for (auto& [i, o] : optComm) o->Click = [this] { serialOptionClick(); };

    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    cmdDone.Click = [this] { cmdDone_Click(); };
    txtSent.KeyPress = [this](int& KeyAscii) { txtSent_KeyPress(KeyAscii); };
    txtSent.Change = [this] { txtSent_Change(); };
}

bool PacketSpotfrmWindow::transportIs(const char* name) const {
    return SpottingSettings.Transport.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

void PacketSpotfrmWindow::showTerminal() {
    const QString& text = engine_->Terminal();
    if (txtUnProcessed.Text() != text) txtUnProcessed.setText(text);
    // The view follows the newest text.
    if (text.size() > 2) txtUnProcessed.setSelStart(static_cast<int>(text.size()) - 1);
}

// ---- Load, activation, unload -------------------------------------------------------------------

void PacketSpotfrmWindow::scaleToScreen() {
    Screen& screen = *platform().screen;
    const double sw = screen.Width(), sh = screen.Height();
    const double w = Width() / DesignScreenWidth * sw, h = Height() / DesignScreenHeight * sh;
    // Centred across the screen, at its top.
    Move((sw - w) / 2, 2, w, h);
    setFontSize(FontSize() * w / DesignScreenWidth);
    using K = vb::Kind;
    ScaleControlsOfKinds(*this,
                         {K::Label, K::TextBox, K::CommandButton, K::OptionButton, K::CheckBox, K::Frame, K::ListBox,
                          K::ComboBox, K::Line},
                         {sw, DesignScreenWidth}, {sh, DesignScreenHeight}, {std::min(sw / DesignScreenWidth, 1.5)});
}

void PacketSpotfrmWindow::Form_Load() {
    try {
        // The values start empty: what this run knows comes from the file and the operator.
        SpottingSettings = SpotSettings{};
        scaleToScreen();
        for (const char* t : Transports) List1.AddItem(t);
        DisableTransportControls();
        loading_ = true;
        LoadSpotSettings();
    } catch (const VbError& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
    }
    loading_ = false;
}

void PacketSpotfrmWindow::LoadSpotSettings() {
    try {
        const SpotSettingsFile file = ReadSpotSettings(SpotSettingsPath());
        // The values of the window take what was read before any failure; the boxes only a whole file.
        SpotSettings& v = SpottingSettings;
        const SpotSettings& r = file.settings;
        const int n = file.read;
        if (n >= 1) v.TncBaud = r.TncBaud;
        if (n >= 2) v.TncParity = r.TncParity;
        if (n >= 3) v.TncDataBits = r.TncDataBits;
        if (n >= 4) v.TncStopBits = r.TncStopBits;
        if (n >= 5) v.TncCommPort = r.TncCommPort;
        if (n >= 6) v.TncPowerLine = r.TncPowerLine;
        if (n >= 7) v.Transport = r.Transport;
        if (n >= 9) v.TncHandshake = r.TncHandshake;
        if (!file.whole()) return;

        chkConvToHex.setValue(r.ConvertToHex);
        OptList.setValue(r.OptList);
        SpottingSettings.OptList = OptList.Value();
        txtHex.setText(r.TncHex);
        txtTelnetPort.setText(r.TelnetPort);
        txtTelnetHost.setText(r.TelnetHost);

        for (int i = 0; i < List1.ListCount(); ++i)
            if (List1.List(i).compare(v.Transport, Qt::CaseInsensitive) == 0) List1.setListIndex(i);

        if (v.TncCommPort < 1 || v.TncCommPort > 10) throw VbError(9, "Subscript out of range");
        optComm[v.TncCommPort - 1].setValue(true);

        auto choose = [](const QString& value, std::initializer_list<std::pair<vb::OptionButton*, const char*>> group) {
            for (auto [button, stands] : group) button->setValue(value.compare(QLatin1String(stands), Qt::CaseInsensitive) == 0);
        };
        QString baud = v.TncBaud;
        while (baud.endsWith(' ')) baud.chop(1);
        choose(baud, {{&optBaud12, "1200"}, {&optBaud24, "2400"}, {&optBaud48, "4800"}, {&optBaud96, "9600"},
                      {&optBaud144, "14400"}, {&optBaud192, "19200"}});
        choose(v.TncParity, {{&optParityOdd, "O"}, {&optParityNone, "N"}, {&optParityEven, "E"}});
        choose(v.TncDataBits, {{&optData7, "7"}, {&optData8, "8"}});
        choose(v.TncStopBits, {{&optStop1, "1"}, {&optStop2, "2"}});
        choose(v.TncPowerLine, {{&optPowerNone, "N"}, {&optPowerRTS, "R"}, {&optPowerDTR, "D"}});
        vb::OptionButton* const handshakes[] = {&Option1, &Option2, &Option3, &Option4};
        if (v.TncHandshake >= 1 && v.TncHandshake <= 4) handshakes[v.TncHandshake - 1]->setValue(true);

        loading_ = false;
        if (transportIs("TNC")) EnableTncControls();
        else if (transportIs("Telnet")) EnableTelnetControls();
        else if (transportIs("AGW Packet Engine")) EnableAgwControls();
        if (!transportIs("None")) Command1_Click();
    } catch (const VbError& e) {
        // What was read or applied before the failure stays.
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
    }
}

void PacketSpotfrmWindow::Form_Activate() {
    if (transportIs("None")) return;
    showTerminal();
    if (txtSent.Enabled()) txtSent.SetFocus();
}

void PacketSpotfrmWindow::Form_Unload(int& Cancel) {
    (void)Cancel;
    try {
        engine_->Unload();
    } catch (const VbError& e) {
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
    }
}

// ---- The transport list and the enabling sets ---------------------------------------------------

void PacketSpotfrmWindow::List1_Click() {
    chkDX.setValue(0);
    if (!loading_) {
        Command2_Click();
        DisableTransportControls();
        SpottingSettings.Transport = List1.Text();
        if (transportIs("TNC")) {
            // Each choice runs its handler, which finds the port closed already.
            optBaud96.setValue(true);
            optParityNone.setValue(true);
            optData8.setValue(true);
            optStop1.setValue(true);
            Option3.setValue(true);
            txtHex.setText("03");
            EnableTncControls();
        }
    }
    ShowSpotHelp();
    if (transportIs("Telnet")) EnableTelnetControls();
    else if (transportIs("AGW Packet Engine")) EnableAgwControls();
    if (transportIs("TNC")) Label6.setCaption(TncPrompt);
    else if (transportIs("AGW Packet Engine")) Label6.setCaption("Send text (use : to send cmds such as :C Q7BZW or :D)");
    else if (transportIs("Telnet")) Label6.setCaption("Type text to send and press enter:");
}

namespace {
void enableAll(std::initializer_list<vb::Control*> controls, bool on) {
    for (vb::Control* c : controls) c->setEnabled(on);
}
} // namespace

void PacketSpotfrmWindow::DisableTransportControls() {
    enableAll({&Frame2, &OptBand, &OptList, &chkDX, &Label6, &txtSent, &Command1, &Command2, &Label2, &txtHex, &Frame1,
                &Option1, &Option2, &Option3, &Option4, &fraBaud, &optBaud12, &optBaud24, &optBaud48, &optBaud96,
                &optBaud144, &optBaud192, &fraParity, &optParityOdd, &optParityNone, &optParityEven, &fraData, &optData7,
                &optData8, &fraStop, &optStop1, &optStop2, &fraPort, &fraPower, &optPowerNone, &optPowerRTS, &optPowerDTR,
                &Label7, &Label3, &txtTelnetHost, &txtTelnetPort, &chkConvToHex},
               false);
    for (auto& [i, o] : optComm) o->setEnabled(false);
}

void PacketSpotfrmWindow::EnableTncControls() {
    enableAll({&Frame2, &OptBand, &OptList, &chkDX, &Label6, &txtSent, &Command1, &Command2, &Label2, &txtHex, &Frame1,
                &Option1, &Option2, &Option3, &Option4, &fraBaud, &optBaud12, &optBaud24, &optBaud48, &optBaud96,
                &optBaud144, &optBaud192, &fraParity, &optParityOdd, &optParityNone, &optParityEven, &fraData, &optData7,
                &optData8, &fraStop, &optStop1, &optStop2, &fraPort, &fraPower, &optPowerNone, &optPowerRTS, &optPowerDTR,
                &Label4, &Label1},
               true);
    for (auto& [i, o] : optComm) o->setEnabled(true);
}

void PacketSpotfrmWindow::EnableTelnetControls() {
    enableAll({&Frame2, &OptBand, &OptList, &chkDX, &Label6, &txtSent, &Command1, &Command2, &Label7, &Label3,
                &txtTelnetHost, &txtTelnetPort},
               true);
}

void PacketSpotfrmWindow::EnableAgwControls() {
    enableAll({&Frame2, &OptBand, &OptList, &chkDX, &Label6, &txtSent, &Command1, &Command2}, true);
}

void PacketSpotfrmWindow::ShowSpotHelp() {
    engine_->ReplaceTerminal(SpotHelpText(List1.Text()));
    txtUnProcessed.setSelStart(0);
}

// ---- Serial options -----------------------------------------------------------------------------

void PacketSpotfrmWindow::serialOptionClick() {
    // A changed setting takes effect at the next opening.
    if (!loading_) Command2_Click();
}

void PacketSpotfrmWindow::ApplySerialOptions() {
    SpotSettings& v = SpottingSettings;
    for (auto& [i, o] : optComm)
        if (o->Value()) v.TncCommPort = i + 1;
    auto first = [](QString& into, std::initializer_list<std::pair<vb::OptionButton*, const char*>> group) {
        for (auto [button, stands] : group)
            if (button->Value()) {
                into = QLatin1String(stands);
                return;
            }
    };
    first(v.TncBaud, {{&optBaud12, "1200"}, {&optBaud24, "2400"}, {&optBaud48, "4800"}, {&optBaud96, "9600"},
                      {&optBaud144, "14400"}, {&optBaud192, "19200"}});
    first(v.TncParity, {{&optParityOdd, "O"}, {&optParityNone, "N"}, {&optParityEven, "E"}});
    first(v.TncDataBits, {{&optData7, "7"}, {&optData8, "8"}});
    first(v.TncStopBits, {{&optStop1, "1"}, {&optStop2, "2"}});
    first(v.TncPowerLine, {{&optPowerNone, "N"}, {&optPowerRTS, "R"}, {&optPowerDTR, "D"}});
    const vb::OptionButton* const handshakes[] = {&Option1, &Option2, &Option3, &Option4};
    for (int i = 0; i < 4; ++i)
        if (handshakes[i]->Value()) v.TncHandshake = i + 1;
}

// ---- Buttons ------------------------------------------------------------------------------------

void PacketSpotfrmWindow::Command1_Click() {
    if (transportIs("TNC")) ApplySerialOptions();
    engine_->OpenPort();
    if (!transportIs("None") && Visible() && txtSent.Enabled()) txtSent.SetFocus();
}

void PacketSpotfrmWindow::Command2_Click() { engine_->ClosePort(); }

void PacketSpotfrmWindow::Command3_Click() {
    const QString call = ContactLog.Count > 0 ? ContactLog.Rec[static_cast<size_t>(ContactLog.Count)].Call : QString();
    txtSent.setText(QStringLiteral("DX Frequency in kHz ") + call);
    if (txtSent.Enabled() && Visible()) txtSent.SetFocus();
    // The placeholder is selected, so the frequency typed replaces it.
    txtSent.setSelStart(3);
    txtSent.setSelLength(16);
}

void PacketSpotfrmWindow::cmdDone_Click() {
    if (!transportIs("None") && !engine_->IsOpen()) Command1_Click();
    SaveStationSettings();
    const QString path = SpotSettingsPath();
    try {
        WriteSpotSettings(path, SpottingSettings);
        ReportSaveSuccess(path);
    } catch (const VbError& e) {
        // The old file stays whole; the window closes all the same, and the operator is told.
        ReportSaveFailure(path, e, "The DX spotting settings");
    }
    loggingWindow().PacketResize();
    Hide();
}

// ---- Keys ---------------------------------------------------------------------------------------

void PacketSpotfrmWindow::txtSent_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        if (!engine_->IsOpen()) Command1_Click();
        engine_->SendText(txtSent.Text());
        txtSent.setText({});
    }
    if (transportIs("AGW Packet Engine") && KeyAscii == 27) KeyAscii = ':';
    if (KeyAscii == 13 || KeyAscii == 27) KeyAscii = 0;
}

void PacketSpotfrmWindow::txtSent_Change() {
    if (autoSending_ || !transportIs("AGW Packet Engine") || !engine_->ReceiveTimerEnabled()) return;
    const QString text = txtSent.Text();
    if (text.size() <= 70 || !text.endsWith(' ')) return;
    // A long message goes out in pieces, each cut at the first blank typed after the 70th character.
    autoSending_ = true;
    txtSent.setText(text.left(text.size() - 1));
    engine_->SendAgwText(txtSent.Text());
    txtSent.setText({});
    autoSending_ = false;
}

void PacketSpotfrmWindow::Form_KeyDown(int& KeyCode, int Shift) {
    if (!(KeyCode == 27 || (KeyCode == 67 && Shift == 2))) return;
    chkDX.setValue(0);
    if (!engine_->IsOpen()) Command1_Click();
    try {
        if (engine_->SendCommandCharacter()) {
            KeyCode = 0;
            txtSent.SetFocus();
        }
    } catch (const VbError& e) {
        // Digits that are no character: nothing is sent, and the key goes on as it was.
        qCDebug(lcSpotting) << Q_FUNC_INFO << e.Description;
        return;
    }
    if (txtSent.Text().isEmpty() && txtSent.Enabled()) txtSent.SetFocus();
}

} // namespace tylog
