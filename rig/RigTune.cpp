#include "rig/RigTune.h"
#include "core/ProcessState.h"
#include "platform/Platform.h"
#include "platform/ValueFile.h"
#include "platform/vb/Design.h"
#include "platform/vb/FormScaling.h"
#include "rig/RadioLink.h"
#include "rig/RigSettings.h"

#include <cmath>
#include <limits>
#include <optional>

namespace tylog {

namespace {

// The band presets, as the entry shows them.
constexpr const char* kBandCaptions[16] = {"160", "80", "60", "40", "30", "20", "17", "15",
                                           "12",  "10", "6",  "2",  "1.25", "70", "33", "23"};
constexpr const char* kBandPresets[16] = {"1.9", "3.75", "5.368", "7.15", "10.13", "14.175", "18.118", "21.225",
                                          "24.94", "28.5", "52", "146", "223.5", "435", "915", "1270"};
// The steps by button index: even up, odd down.
constexpr const char* kTuneCaptions[10] = {"10 Hz", "10 Hz", "1 MHz", "1 MHz", "5 KHz",
                                           "5 KHz", "1 KHz", "1 KHz", "100 Hz", "100 Hz"};
constexpr double kTuneSteps[10] = {0.00001, -0.00001, 1, -1, 0.005, -0.005, 0.001, -0.001, 0.0001, -0.0001};

std::optional<double> number(const QString& text) {
    double v = 0;
    if (!ParseNumber(text, &v)) return std::nullopt;
    return v;
}

// A number a single can hold, as Go and the scan take it.
std::optional<float> single(const QString& text) {
    const auto v = number(text);
    if (!v || std::fabs(*v) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*v);
}

bool radioConfigured() { return RigTypeWantsLink(Station.RigType); }

} // namespace

QString KeypadStepText(double mhz) { return QString::number(mhz, 'g', 15).toUpper(); }

QString KeypadScanText(float mhz) {
    const double v = static_cast<double>(mhz);
    QString digits = QString::number(std::fabs(v), 'f', 5);
    while (digits.endsWith('0')) digits.chop(1);
    if (digits.startsWith(QLatin1String("0."))) digits.remove(0, 1);
    return v < 0 && digits != QLatin1String(".") ? '-' + digits : digits;
}

frmRigTuneWindow::frmRigTuneWindow() : vb::Form("frmRigTune") {
    for (int i = 0; i < 16; ++i) cmdBand.Add(*this, "cmdBand", i);
    // Made in the order the rows show them: the up row, then the down row.
    for (int i : {2, 4, 6, 8, 0, 3, 5, 7, 9, 1}) cmdTune.Add(*this, "cmdTune", i);

    std::vector<vb::ControlDesign> rows{
        // control  caption  left  top   width height tab
        {Label1, "Frequency in MHz:", 120, 1845, 1455, 255},
        {txtFreq, "", 1680, 1800, 1575, 315, 0},
        {Command1, "&Go", 3540, 1800, 1215, 375, 1},
        {Label2, " UP", 120, 2460, 615, 255},
        {Label3, " Down", 120, 2940, 615, 255},
        {chkScan, "Scan", 120, 3600, 855, 255},
        {Label4, "From:", 1080, 3600, 555, 255},
        {txtFrom, "1.8", 1680, 3600, 855, 285},
        {Label5, "To:", 2640, 3600, 375, 255},
        {txtTo, "54", 3120, 3600, 855, 285},
        {Frame1, "Scan Steps", 120, 3960, 4635, 495},
        {Option5, "2.5 KHz", 60, 200, 855, 255},
        {Option1, "500 Hz", 960, 200, 855, 255},
        {Option2, "100 Hz", 1860, 200, 855, 255},
        {Option3, "30 Hz", 2760, 200, 855, 255},
        {Option4, "10 Hz", 3660, 200, 855, 255},
        {cmdDone, "&Done", 1845, 4560, 1215, 375, 2},
        {Line1, {}, 120, 1080, 4785, 1080},
        {Line2, {}, 120, 1680, 4785, 1680},
        {Line3, {}, 120, 2280, 4785, 2280},
        {Line4, {}, 120, 3360, 4785, 3360},
    };
    for (int i = 0; i < 16; ++i)
        rows.push_back({cmdBand[i], kBandCaptions[i], 120.0 + 585 * (i % 8), i < 8 ? 120.0 : 600.0, 540, 375});
    vb::CommandButton* modes[] = {&cmdCW, &cmdUSB, &cmdLSB, &cmdAM, &cmdFM, &cmdRTTY};
    const char* modeCaptions[] = {"&CW", "&USB", "&LSB", "&AM", "&FM", "&RTTY"};
    for (int i = 0; i < 6; ++i) rows.push_back({*modes[i], modeCaptions[i], 120.0 + 780 * i, 1200, 735, 375});
    const int up[] = {2, 4, 6, 8, 0}, down[] = {3, 5, 7, 9, 1};
    for (int i = 0; i < 5; ++i) {
        rows.push_back({cmdTune[up[i]], kTuneCaptions[up[i]], 840.0 + 795 * i, 2400, 735, 375});
        rows.push_back({cmdTune[down[i]], kTuneCaptions[down[i]], 840.0 + 795 * i, 2880, 735, 375});
    }
    vb::ApplyDesign(*this,
                    {.Caption = " Change Frequency and Mode (Ctrl G (Go))", .ClientWidth = 4905, .ClientHeight = 5010,
                     .BorderStyle = 3},
                    rows);
    KeyPreview = true;
    Option4.setValue(true);
    for (auto& [i, b] : cmdTune) b->setEnabled(false);

    for (auto& [index, b] : cmdBand) {
        const int i = index;
        b->Click = [this, i] { cmdBand_Click(i); };
    }
    for (auto& [index, b] : cmdTune) {
        const int i = index;
        b->Click = [this, i] { cmdTune_Click(i); };
    }
    cmdCW.Click = [this] { ChangeMode("CW"); };
    cmdUSB.Click = [this] { ChangeMode("USB"); };
    cmdLSB.Click = [this] { ChangeMode("LSB"); };
    cmdAM.Click = [this] { ChangeMode("AM"); };
    cmdFM.Click = [this] { ChangeMode("FM"); };
    cmdRTTY.Click = [this] { ChangeMode("RTTY"); };
    Command1.Click = [this] { Command1_Click(); };
    cmdDone.Click = [this] { Hide(); };
    txtFreq.Change = [this] { txtFreq_Change(); };
    txtFreq.KeyPress = [this](int& k) { txtFreq_KeyPress(k); };
    // The scan limits take what the entry takes, and Enter there does nothing.
    auto limits = [](int& k) {
        if (k != 8 && (k < 46 || k > 57)) k = 0;
    };
    txtFrom.KeyPress = limits;
    txtTo.KeyPress = limits;
    chkScan.Click = [this] { chkScan_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
}

void frmRigTuneWindow::Form_Load() {
    Screen& screen = *platform().screen;
    ScaleToolWindow(*this, QRectF(0, 0, screen.Width(), screen.Height()), screen.Width());
}

// Any key while scanning stops the scan, and still reaches the control.
void frmRigTuneWindow::Form_KeyPress(int& KeyAscii) {
    (void)KeyAscii;
    if (chkScan.Value() == 1) chkScan.setValue(0);
}

void frmRigTuneWindow::Command1_Click() {
    const auto mhz = single(txtFreq.Text());
    if (!mhz) return;
    if (radioConfigured()) radioLink().ChangeFrequency(*mhz);
}

void frmRigTuneWindow::cmdBand_Click(int Index) {
    txtFreq.setText(kBandPresets[Index]);
    Command1_Click();
}

void frmRigTuneWindow::cmdTune_Click(int Index) {
    const auto mhz = number(txtFreq.Text());
    if (!mhz) return;
    txtFreq.setText(KeypadStepText(*mhz + kTuneSteps[Index]));
    Command1_Click();
    cmdDone.SetFocus();
}

void frmRigTuneWindow::ChangeMode(const char* mode) {
    radioLink().ChangeMode(0, mode);
    cmdDone.SetFocus();
}

void frmRigTuneWindow::txtFreq_Change() {
    const bool numeric = number(txtFreq.Text()).has_value();
    for (auto& [i, b] : cmdTune) b->setEnabled(numeric);
}

void frmRigTuneWindow::txtFreq_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click();
        txtFreq.SetFocus();
        txtFreq.setSelStart(static_cast<int>(txtFreq.Text().size()));
        return;
    }
    if (KeyAscii != 8 && (KeyAscii < 46 || KeyAscii > 57)) KeyAscii = 0;
}

void frmRigTuneWindow::chkScan_Click() {
    if (chkScan.Value() == 1 && !number(txtFreq.Text())) txtFreq.setText(txtFrom.Text());
    Command1.SetFocus();
}

double frmRigTuneWindow::scanStep() const {
    if (Option5.Value()) return 0.0025;
    if (Option1.Value()) return 0.0005;
    if (Option2.Value()) return 0.0001;
    if (Option3.Value()) return 0.00003;
    return 0.00001;
}

void frmRigTuneWindow::Timer1_Timer() {
    if (chkScan.Value() != 1) return;
    const auto from = single(txtFrom.Text()), to = single(txtTo.Text()), now = single(txtFreq.Text());
    if (!from || !to || !now) return;
    // The radio takes one step at a time: while the last one is still on its way the scan waits, as
    // it would while a command held the window.
    if (radioConfigured() && radioLink().Tuning()) return;
    float next = *now + static_cast<float>(scanStep());
    if (next > *to) next = *from;
    if (std::isfinite(next)) txtFreq.setText(KeypadScanText(next));
    Command1_Click();
}

void ShowTuningKeypad() {
    frmRigTune().Show(vb::vbModal);
    if (auto* keypad = vb::IfLoaded<frmRigTuneWindow>()) vb::Unload(*keypad);
}

} // namespace tylog
