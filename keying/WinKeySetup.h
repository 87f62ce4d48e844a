#pragma once
// The external keyer window " WinKey Setup": the device's port, Open and Close with the device's
// status and version, its settings (speed, weight, lead-in, tail, ratio, keyer mode, pin 5), Test,
// Stop and Done. It shows KeyerSettings.WinKey and keeps it current as the operator edits; what the
// device does is the external keyer's (ExternalKeyer.h), which this window shows.
#include "platform/vb/Controls.h"
#include "platform/vb/Design.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

#include <array>
#include <vector>

namespace tylog {

class frmWinKeyWindow : public vb::Form {
public:
    frmWinKeyWindow();

    vb::Label lblComPort{*this, "lblComPort"};
    vb::TextBox txtWKComPort{*this, "txtWKComPort"};
    vb::CommandButton cmdOpenWinkey{*this, "cmdOpenWinkey"};
    vb::CommandButton cmdCloseWinkey{*this, "cmdCloseWinkey"};
    vb::Label lblStatusCaption{*this, "lblStatusCaption"};
    vb::Label lblOpenStatus{*this, "lblOpenStatus"};
    vb::Label lblVersionCaption{*this, "lblVersionCaption"};
    vb::Label lblVersion{*this, "lblVersion"};

    vb::Label lblSettings{*this, "lblSettings"};
    vb::Label lblWPM{*this, "lblWPM"};
    vb::TextBox txtWKWPM{*this, "txtWKWPM"};
    vb::Label lblWPMHelp{*this, "lblWPMHelp"};
    vb::Label lblWeight{*this, "lblWeight"};
    vb::TextBox txtWeight{*this, "txtWeight"};
    vb::Label lblWeightHelp{*this, "lblWeightHelp"};
    vb::Label lblLeadIn{*this, "lblLeadIn"};
    vb::TextBox txtLeadIn{*this, "txtLeadIn"};
    vb::Label lblLeadInHelp{*this, "lblLeadInHelp"};
    vb::Label lblTail{*this, "lblTail"};
    vb::TextBox txtTail{*this, "txtTail"};
    vb::Label lblTailHelp{*this, "lblTailHelp"};
    vb::Label lblRatio{*this, "lblRatio"};
    vb::TextBox txtRatio{*this, "txtRatio"};
    vb::Label lblRatioHelp{*this, "lblRatioHelp"};

    vb::Frame fraMode{*this, "fraMode"};
    vb::OptionButton optIambicA{*this, "optIambicA", &fraMode};
    vb::OptionButton optIambicB{*this, "optIambicB", &fraMode};
    vb::OptionButton optUltimatic{*this, "optUltimatic", &fraMode};
    vb::OptionButton optBug{*this, "optBug", &fraMode};
    vb::Frame fraPin{*this, "fraPin"};
    vb::OptionButton optPTT{*this, "optPTT", &fraPin};
    vb::OptionButton optTone{*this, "optTone", &fraPin};
    vb::OptionButton optKey5Off3Out{*this, "optKey5Off3Out", &fraPin};
    vb::OptionButton optKey5Out3Off{*this, "optKey5Out3Off", &fraPin};

    vb::CommandButton Command3{*this, "Command3"};
    vb::CommandButton cmdStop{*this, "cmdStop"};
    vb::CommandButton cmdDone{*this, "cmdDone"};

    // The window's design (its values and the table), which the window is built from.
    static vb::FormDesign Design();
    std::vector<vb::ControlDesign> DesignTable();

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    // Shows KeyerSettings.WinKey: the port, the box texts and the options of its codes.
    void ShowSettings();

    void cmdOpenWinkey_Click();
    void cmdCloseWinkey_Click();
    void Command3_Click();
    void cmdStop_Click();
    void cmdDone_Click();
    void txtWKComPort_LostFocus();
    // The key filter of the window's public operations: a..z to capitals, Tab and the rest unchanged.
    static void Capital(int& KeyAscii);

private:
    void wireEvents();
    void openFinished(int code);
    void deviceClosed();
    void optionClicked(vb::OptionButton& option, int code, bool pin);
    std::array<vb::OptionButton*, 4> pinOptions();
    std::array<vb::OptionButton*, 4> modeOptions();
    void focusDone();
};

inline frmWinKeyWindow& frmWinKey() { return vb::Instance<frmWinKeyWindow>(); }

} // namespace tylog
