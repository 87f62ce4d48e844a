#pragma once
// The DX spotting window: the settings of DX spotting and a small terminal onto the cluster. It shows
// SpottingSettings (SpotSettings.h) and keeps it current as the operator edits; its engine
// (ClusterEngine.h) owns the transports and reports what the terminal, the "Listening" label and the
// caption show. "&Done" saves PackSpot.txt and hides the window, which stays loaded for the run.
#include "platform/vb/Controls.h"
#include "platform/vb/Design.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

#include <memory>

namespace tylog {

class ClusterEngine;

class PacketSpotfrmWindow : public vb::Form {
public:
    PacketSpotfrmWindow();
    ~PacketSpotfrmWindow() override;

    vb::Label Label1{*this, "Label1"};
    vb::ListBox List1{*this, "List1"};
    vb::Frame Frame2{*this, "Frame2"};
    vb::OptionButton OptBand{*this, "OptBand", &Frame2};
    vb::OptionButton OptList{*this, "OptList", &Frame2};
    vb::CheckBox chkDX{*this, "chkDX"};
    vb::Label Label7{*this, "Label7"};
    vb::TextBox txtTelnetHost{*this, "txtTelnetHost"};
    vb::Label Label3{*this, "Label3"};
    vb::TextBox txtTelnetPort{*this, "txtTelnetPort"};
    vb::Label Label2{*this, "Label2"};
    vb::TextBox txtHex{*this, "txtHex"};

    vb::Frame fraBaud{*this, "fraBaud"};
    vb::OptionButton optBaud12{*this, "optBaud12", &fraBaud};
    vb::OptionButton optBaud24{*this, "optBaud24", &fraBaud};
    vb::OptionButton optBaud48{*this, "optBaud48", &fraBaud};
    vb::OptionButton optBaud96{*this, "optBaud96", &fraBaud};
    vb::OptionButton optBaud144{*this, "optBaud144", &fraBaud};
    vb::OptionButton optBaud192{*this, "optBaud192", &fraBaud};
    vb::Frame fraParity{*this, "fraParity"};
    vb::OptionButton optParityOdd{*this, "optParityOdd", &fraParity};
    vb::OptionButton optParityNone{*this, "optParityNone", &fraParity};
    vb::OptionButton optParityEven{*this, "optParityEven", &fraParity};
    vb::Frame fraData{*this, "fraData"};
    vb::OptionButton optData7{*this, "optData7", &fraData};
    vb::OptionButton optData8{*this, "optData8", &fraData};
    vb::Frame fraStop{*this, "fraStop"};
    vb::OptionButton optStop1{*this, "optStop1", &fraStop};
    vb::OptionButton optStop2{*this, "optStop2", &fraStop};
    vb::Frame fraPort{*this, "fraPort"};
    vb::ControlArray<vb::OptionButton> optComm; // 0 .. 9: ports 1 .. 10
    vb::Frame fraPower{*this, "fraPower"};
    vb::OptionButton optPowerNone{*this, "optPowerNone", &fraPower};
    vb::OptionButton optPowerRTS{*this, "optPowerRTS", &fraPower};
    vb::OptionButton optPowerDTR{*this, "optPowerDTR", &fraPower};
    vb::Frame Frame1{*this, "Frame1"};
    vb::OptionButton Option1{*this, "Option1", &Frame1};
    vb::OptionButton Option2{*this, "Option2", &Frame1};
    vb::OptionButton Option3{*this, "Option3", &Frame1};
    vb::OptionButton Option4{*this, "Option4", &Frame1};

    vb::CommandButton Command1{*this, "Command1"};
    vb::CommandButton Command2{*this, "Command2"};
    vb::CommandButton Command3{*this, "Command3"};
    vb::CommandButton cmdDone{*this, "cmdDone"};
    vb::Label Label4{*this, "Label4"};
    vb::CheckBox chkConvToHex{*this, "chkConvToHex"};
    vb::TextBox txtUnProcessed{*this, "txtUnProcessed", nullptr, -1, true};
    vb::Label Label6{*this, "Label6"};
    vb::TextBox txtSent{*this, "txtSent"};

    // The design table, as the window is made (before scaling); a test compares the window with it.
    static vb::FormDesign Design();
    std::vector<vb::ControlDesign> DesignRows();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

    void Command1_Click(); // Open Port
    void Command2_Click(); // Close Port
    void Command3_Click(); // Spot Last
    void cmdDone_Click();
    void List1_Click();
    void txtSent_KeyPress(int& KeyAscii);
    void txtSent_Change();

    void DisableTransportControls();
    void EnableTncControls();
    void EnableTelnetControls();
    void EnableAgwControls();
    void ShowSpotHelp();
    void LoadSpotSettings();
    void ApplySerialOptions();

    bool SpotSettingsLoading() const { return loading_; }
    ClusterEngine& Engine() { return *engine_; }

private:
    void layOut();
    void wireEvents();
    void scaleToScreen();
    void showTerminal();
    void serialOptionClick();
    bool transportIs(const char* name) const;

    std::unique_ptr<ClusterEngine> engine_;
    bool loading_ = false;
    bool autoSending_ = false;
};

inline PacketSpotfrmWindow& PacketSpotfrm() { return vb::Instance<PacketSpotfrmWindow>(); }

} // namespace tylog
