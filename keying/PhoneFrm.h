#pragma once
// The voice keyer window: the WAV files of F1 to F9, the push-to-talk line and the F1 repeat. It shows
// KeyerSettings.Voice (KeyerSettings.h) and keeps it current as the operator edits; "Done" hides it
// and writes the settings to wave2.txt. The voice keyer (VoiceKeyer.h) plays; "Test" plays F1 there.
#include "keying/VoiceKeyer.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

#include <array>

namespace tylog {

class PhoneFrmWindow : public vb::Form {
public:
    PhoneFrmWindow();

    vb::ControlArray<vb::Label> lblFKey; // "F1" .. "F9"
    vb::TextBox Text1{*this, "Text1"};
    vb::TextBox Text2{*this, "Text2"};
    vb::TextBox Text3{*this, "Text3"};
    vb::TextBox Text4{*this, "Text4"};
    vb::TextBox Text5{*this, "Text5"};
    vb::TextBox Text6{*this, "Text6"};
    vb::TextBox Text7{*this, "Text7"};
    vb::TextBox Text8{*this, "Text8"};
    vb::TextBox Text9{*this, "Text9"};
    // "Browse" for Text1 .. Text9.
    vb::CommandButton Command2{*this, "Command2"};
    vb::CommandButton Command3{*this, "Command3"};
    vb::CommandButton Command4{*this, "Command4"};
    vb::CommandButton Command5{*this, "Command5"};
    vb::CommandButton Command6{*this, "Command6"};
    vb::CommandButton Command7{*this, "Command7"};
    vb::CommandButton Command8{*this, "Command8"};
    vb::CommandButton Command9{*this, "Command9"};
    vb::CommandButton Command10{*this, "Command10"};
    vb::Label lblPHLoop{*this, "lblPHLoop"};
    vb::TextBox txtPHLoop{*this, "txtPHLoop"};

    vb::Label lblPort{*this, "lblPort"};
    vb::TextBox Text10{*this, "Text10"};
    vb::Frame fraLine{*this, "fraLine"};
    vb::OptionButton Option1{*this, "Option1", &fraLine};
    vb::OptionButton Option2{*this, "Option2", &fraLine};
    vb::OptionButton Option3{*this, "Option3", &fraLine};
    vb::Label lblAddress{*this, "lblAddress"};
    vb::TextBox Text11{*this, "Text11"};

    vb::CommandButton Command11{*this, "Command11"};
    vb::Label lblPlaysF1{*this, "lblPlaysF1"};
    vb::CommandButton Command1{*this, "Command1"};
    vb::Label lblPhoneMode{*this, "lblPhoneMode"};
    vb::Label lblCaution{*this, "lblCaution"};
    vb::Label lblSetup{*this, "lblSetup"};
    vb::Label lblSetupText{*this, "lblSetupText"};
    vb::Label lblToUse{*this, "lblToUse"};
    vb::Label lblToUseText{*this, "lblToUseText"};

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    // Shows KeyerSettings.Voice in the boxes and selects its push-to-talk line.
    void ShowSettings();
    void Command1_Click();
    void Command11_Click();
    // The "Browse" family: fills box from the open dialog.
    void Browse(vb::TextBox& box);
    void Text10_GotFocus();
    void Text10_LostFocus();
    void Text11_KeyPress(int& KeyAscii);
    void txtPHLoop_KeyPress(int& KeyAscii);
    void txtPHLoop_LostFocus();

    // Shown modally when hidden, for the operator to correct the push-to-talk port.
    void ShowToCorrectPort();

private:
    void layOut();
    void wireEvents();
    std::array<vb::TextBox*, 9> waveBoxes(); // F1 .. F9
};

inline PhoneFrmWindow& PhoneFrm() { return vb::Instance<PhoneFrmWindow>(); }

// The voice keyer's way to its window, as start-up installs it (app/Engines.cpp): the window is loaded
// when first asked for, so it need not be built before the operator uses it.
VoiceWindowLink& InstalledVoiceWindow();

} // namespace tylog
