#pragma once
// The CW window: the CW messages of F1 to F11 and every keyer setting. It shows KeyerSettings.CW
// (KeyerSettings.h) and keeps it current as the operator edits, telling the CW keyer (CWKeyer.h) what
// changed; "Done" writes it to CW.txt, the timing method to the registry, and hides the window. Test
// sends the F9 message through the keyer.
#include "keying/KeyerSettings.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

#include <array>

namespace tylog {

class CWFrmWindow : public vb::Form {
public:
    CWFrmWindow();

    // Message boxes and their key labels ("F1" .. "F12"; F12 is keyboard CW and has no box).
    vb::ControlArray<vb::Label> lblFKey;
    vb::Label lblKeyboard{*this, "lblKeyboard"};
    vb::TextBox Text1{*this, "Text1"};
    vb::TextBox Text2{*this, "Text2"};
    vb::TextBox Text3{*this, "Text3"};
    vb::TextBox Text4{*this, "Text4"};
    vb::TextBox Text5{*this, "Text5"};
    vb::TextBox Text6{*this, "Text6"};
    vb::TextBox Text7{*this, "Text7"};
    vb::TextBox Text8{*this, "Text8"};
    vb::TextBox Text9{*this, "Text9"};
    vb::TextBox Text12{*this, "Text12"};
    vb::TextBox Text13{*this, "Text13"};
    vb::Label lblCWLoop{*this, "lblCWLoop"};
    vb::TextBox txtCWLoop{*this, "txtCWLoop"};

    vb::Frame fraKeying{*this, "fraKeying"};
    vb::OptionButton Option1{*this, "Option1", &fraKeying};
    vb::OptionButton Option2{*this, "Option2", &fraKeying};
    vb::OptionButton Option3{*this, "Option3", &fraKeying};
    vb::OptionButton Option4{*this, "Option4", &fraKeying};
    vb::OptionButton Option5{*this, "Option5", &fraKeying};

    vb::Label lblSerial{*this, "lblSerial"};
    vb::TextBox Text10{*this, "Text10"};
    vb::Label lblParallel{*this, "lblParallel"};
    vb::TextBox Text14{*this, "Text14"};
    vb::CommandButton cmdConfWinkey{*this, "cmdConfWinkey"};

    vb::Label lblWPM{*this, "lblWPM"};
    vb::TextBox Text11{*this, "Text11"};
    vb::CommandButton Command2{*this, "Command2"};
    vb::CommandButton Command3{*this, "Command3"};

    vb::Label lblWordSpace{*this, "lblWordSpace"};
    vb::TextBox txtSpace{*this, "txtSpace"};
    vb::CommandButton Command5{*this, "Command5"};
    vb::CommandButton Command6{*this, "Command6"};

    vb::Frame fraTiming{*this, "fraTiming"};
    vb::OptionButton optTimer{*this, "optTimer", &fraTiming};
    vb::OptionButton optLoop{*this, "optLoop", &fraTiming};
    vb::OptionButton OptSleep{*this, "OptSleep", &fraTiming};
    vb::Label lblLoop{*this, "lblLoop", &fraTiming};
    vb::TextBox txtLoop{*this, "txtLoop", &fraTiming};
    vb::CommandButton cmdLoopFaster{*this, "cmdLoopFaster", &fraTiming};
    vb::CommandButton cmdLoopSlower{*this, "cmdLoopSlower", &fraTiming};

    vb::CommandButton Command4{*this, "Command4"};
    vb::Label Label23{*this, "Label23"};
    vb::CommandButton Command7{*this, "Command7"};
    vb::CommandButton Command1{*this, "Command1"};
    vb::CheckBox Check1{*this, "Check1"};

    vb::Label lblWildcards{*this, "lblWildcards"};
    vb::Label lblProsigns{*this, "lblProsigns"};
    vb::Label lblArrows{*this, "lblArrows"};
    vb::Label lblCWMode{*this, "lblCWMode"};
    vb::Label lblSetup{*this, "lblSetup"};
    vb::Label lblSetupText{*this, "lblSetupText"};
    vb::Label lblToUse{*this, "lblToUse"};
    vb::Label lblToUseText{*this, "lblToUseText"};

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    // Shows KeyerSettings.CW in the boxes and selects its keying and timing options, which puts the
    // option's type in force (an option already selected is left alone).
    void ShowSettings();

    // Speed one word per minute up or down, without limits.
    void UpDown1_UpClick();
    void UpDown1_DownClick();

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void optTimer_Click();
    void OptSleep_Click();
    void optLoop_Click();
    void Text10_LostFocus();
    void Text14_Change();
    void Text11_LostFocus();
    void Text11_Change();
    void txtSpace_Change();
    void txtSpace_LostFocus();
    void Command5_Click();
    void Command6_Click();
    void txtCWLoop_LostFocus();
    void txtLoop_Change();
    void cmdLoopFaster_Click();
    void cmdLoopSlower_Click();
    void Command1_Click();
    void Command4_Click();
    void cmdConfWinkey_Click();
    void Command7_Click();

private:
    void layOut();
    void wireEvents();
    std::array<vb::TextBox*, 11> messageBoxes(); // F1 .. F11
    void chooseKeyingType(int type);
    void showKeyingOption(int type);
    void stepSpeed(int delta);
    void stepWordSpace(int delta);
    void scaleLoop(double factor);
    void setLoopControlsEnabled(bool enabled);
    void chooseTiming(CWTiming timing);
    void timingChanged();
    void testSent();
    void SendSpeedToExternalKeyer(int wpm);
};

inline CWFrmWindow& CWFrm() { return vb::Instance<CWFrmWindow>(); }

} // namespace tylog
