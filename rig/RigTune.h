#pragma once
// The tuning keypad " Change Frequency and Mode (Ctrl G (Go))": a frequency typed, stepped, taken from
// a band preset or scanned upward, sent to the radio with Go; the radio's mode set with one click. It
// only hands values to the radio link (ChangeFrequency, ChangeMode), which paces and reports the
// commands itself, so every handler returns at once. The logging window shows it modally (Ctrl+G) and
// unloads it when it closes; nothing outlives an opening.
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

namespace tylog {

class frmRigTuneWindow : public vb::Form {
public:
    frmRigTuneWindow();

    vb::ControlArray<vb::CommandButton> cmdBand; // 0..15, the band presets
    vb::CommandButton cmdCW{*this, "cmdCW"};
    vb::CommandButton cmdUSB{*this, "cmdUSB"};
    vb::CommandButton cmdLSB{*this, "cmdLSB"};
    vb::CommandButton cmdAM{*this, "cmdAM"};
    vb::CommandButton cmdFM{*this, "cmdFM"};
    vb::CommandButton cmdRTTY{*this, "cmdRTTY"};
    vb::Label Label1{*this, "Label1"};
    vb::TextBox txtFreq{*this, "txtFreq"};
    vb::CommandButton Command1{*this, "Command1"}; // Go
    vb::Label Label2{*this, "Label2"};
    vb::Label Label3{*this, "Label3"};
    vb::ControlArray<vb::CommandButton> cmdTune; // 0..9: even up, odd down
    vb::CheckBox chkScan{*this, "chkScan"};
    vb::Label Label4{*this, "Label4"};
    vb::TextBox txtFrom{*this, "txtFrom"};
    vb::Label Label5{*this, "Label5"};
    vb::TextBox txtTo{*this, "txtTo"};
    vb::Frame Frame1{*this, "Frame1"};
    vb::OptionButton Option5{*this, "Option5", &Frame1};
    vb::OptionButton Option1{*this, "Option1", &Frame1};
    vb::OptionButton Option2{*this, "Option2", &Frame1};
    vb::OptionButton Option3{*this, "Option3", &Frame1};
    vb::OptionButton Option4{*this, "Option4", &Frame1};
    vb::CommandButton cmdDone{*this, "cmdDone"};
    vb::Line Line1{*this, "Line1"};
    vb::Line Line2{*this, "Line2"};
    vb::Line Line3{*this, "Line3"};
    vb::Line Line4{*this, "Line4"};
    vb::Timer Timer1{*this, "Timer1", 299};

    void Form_Load() override;
    void Form_KeyPress(int& KeyAscii) override;

    void Command1_Click(); // Go
    void cmdBand_Click(int Index);
    void cmdTune_Click(int Index);
    void ChangeMode(const char* mode);
    void txtFreq_Change();
    void txtFreq_KeyPress(int& KeyAscii);
    void chkScan_Click();
    void Timer1_Timer();

private:
    double scanStep() const;
};

inline frmRigTuneWindow& frmRigTune() { return vb::Instance<frmRigTuneWindow>(); }

// Shows the keypad modally and unloads it when it closes.
void ShowTuningKeypad();

// The keypad's texts: a step's result in general number form (at most 15 significant digits:
// 14.17501, -0.5) and a scan step's ("####.#####": 1.80001, 14., .5).
QString KeypadStepText(double mhz);
QString KeypadScanText(float mhz);

} // namespace tylog
