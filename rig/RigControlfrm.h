#pragma once
// The radio window " Rig Interface Setup": the radio type with its presets, the serial settings, the
// power line, the poll rate, where the mode comes from, the query strings, and what the radio answers.
// A view over RigSettings (RigSettings.h) and the radio engine it holds (RadioEngine.h): every choice is
// written into the settings at once and in force at the next Test; "Done" saves RigCntrl.txt. The
// window exists once, is loaded hidden by the logging window's start (RadioLink::StartPolling) or the
// operator's Ctrl+R and menu, and keeps polling while hidden; the port ends with the window.
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"
#include "rig/RadioEngine.h"
#include "rig/RadioLink.h"

namespace tylog {

class RigControlfrmWindow : public vb::Form, private RadioEngineView {
public:
    RigControlfrmWindow();
    ~RigControlfrmWindow() override;

    vb::Label Label1{*this, "Label1"};
    vb::ListBox List1{*this, "List1"};

    vb::Frame fraComm{*this, "fraComm"};
    vb::ControlArray<vb::OptionButton> optComm;
    vb::Frame fraBaud{*this, "fraBaud"};
    vb::OptionButton optBaud12{*this, "optBaud12", &fraBaud};
    vb::OptionButton optBaud24{*this, "optBaud24", &fraBaud};
    vb::OptionButton optBaud48{*this, "optBaud48", &fraBaud};
    vb::OptionButton optBaud96{*this, "optBaud96", &fraBaud};
    vb::OptionButton optBaud144{*this, "optBaud144", &fraBaud};
    vb::OptionButton optBaud192{*this, "optBaud192", &fraBaud};
    vb::OptionButton optBaud288{*this, "optBaud288", &fraBaud};
    vb::OptionButton optBaud384{*this, "optBaud384", &fraBaud};
    vb::OptionButton optBaud560{*this, "optBaud560", &fraBaud};
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
    vb::Frame fraPower{*this, "fraPower"};
    vb::OptionButton optPowerNone{*this, "optPowerNone", &fraPower};
    vb::OptionButton optPowerRTS{*this, "optPowerRTS", &fraPower};
    vb::OptionButton optPowerDTR{*this, "optPowerDTR", &fraPower};
    vb::Frame fraPoll{*this, "fraPoll"};
    vb::OptionButton optPollFast{*this, "optPollFast", &fraPoll};
    vb::OptionButton optPollMed{*this, "optPollMed", &fraPoll};
    vb::OptionButton optPollSlow{*this, "optPollSlow", &fraPoll};
    vb::OptionButton optReallySlow{*this, "optReallySlow", &fraPoll};
    vb::Frame fraModeBy{*this, "fraModeBy"};
    vb::OptionButton OptRig{*this, "OptRig", &fraModeBy};
    vb::OptionButton OptFreq{*this, "OptFreq", &fraModeBy};
    vb::OptionButton OptDont{*this, "OptDont", &fraModeBy};

    vb::CheckBox chkFrequency{*this, "chkFrequency"};
    vb::CheckBox chkConvToHex{*this, "chkConvToHex"};
    vb::CheckBox ChkConvHex{*this, "ChkConvHex"};
    vb::CommandButton Command1{*this, "Command1"};
    vb::CommandButton Command2{*this, "Command2"};
    vb::Label Label2{*this, "Label2"};

    vb::Label Label3{*this, "Label3"};
    vb::TextBox txtFreq{*this, "txtFreq"};
    vb::Label Label4{*this, "Label4"};
    vb::TextBox txtMode{*this, "txtMode"};
    vb::CommandButton cmdDone{*this, "cmdDone"};
    vb::Label Label5{*this, "Label5"};
    vb::Label lblFreq{*this, "lblFreq"};
    vb::Label Label6{*this, "Label6"};
    vb::Label lblMode{*this, "lblMode"};
    vb::Label Label7{*this, "Label7"};
    vb::CommandButton Command3{*this, "Command3"};
    vb::Label Label9{*this, "Label9"};
    vb::Label lblUnProcess{*this, "lblUnProcess"};
    vb::CommandButton Command4{*this, "Command4"};

    vb::Label Label10{*this, "Label10"};
    vb::Label Label8{*this, "Label8"};
    vb::Label Label11{*this, "Label11"};
    vb::Label Label12{*this, "Label12"};

    // The list's click does nothing while the settings are being shown at load.
    bool RigSettingsLoading = false;

    RadioEngine& Engine() { return engine_; }

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    // RigSettings and Station.RigType into the controls: the check boxes, the mode source, the queries,
    // the radio type's entry, the "Other" and Icom extras, then the serial groups (a value that matches
    // no button leaves its group without a choice).
    void ShowSettings();

    void List1_Click();
    void Command1_Click(); // Test
    void Command2_Click(); // End Test
    void cmdDone_Click();
    void Command3_Click(); // Change Frequency
    void Command4_Click(); // Copy unprocessed data to clipboard
    void chkConvToHex_Click();
    void txtFreq_Change();
    void txtMode_Change();

private:
    void layOut();
    void wireEvents();
    void selectPreset(const QString& rigType);
    // Opens the frequency test dialog while polling (modal, unloaded when it closes).
    void showFrequencyTest();

    // RadioEngineView
    void PollingStarts() override;
    void PortOpenFailed(const QString& why) override;
    void PollingFailed() override;
    void PollingEnded() override;
    void ReplyRead(const RigDecoded& decoded, const QByteArray& reply) override;
    void PortLost(const QString& why) override;

    RadioEngine engine_;
};

inline RigControlfrmWindow& RigControlfrm() { return vb::Instance<RigControlfrmWindow>(); }

// The radio link the logging windows and the spot list use (installed at start-up): starting the poll
// loads the radio window and runs its Test.
RadioLink& InstalledRadio();

// The decoded frequency as the window shows it ("###.####0": five decimals, no leading zero).
QString RigFrequencyLabel(float mhz);

} // namespace tylog
