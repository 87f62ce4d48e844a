#pragma once
#include "platform/vb/Controls.h"
#include "platform/vb/Forms.h"

#include <array>

namespace tylog {

// " Setup Information": the first window the operator sees. Its load is the start-up loader
// (StartupLoader.h); "Done" stores the station data and opens the logging window.
class frmStationIDWindow : public vb::Form {
public:
    frmStationIDWindow();

    vb::Image Image1{*this, "Image1"};

    // Field labels and boxes, in tab order. Label n stands left of the box of the same row.
    vb::Label lblCall{*this, "lblCall"};
    vb::TextBox Text1{*this, "Text1"};
    vb::Label lblSpc{*this, "lblSpc"};
    vb::TextBox Text5{*this, "Text5"};
    vb::Label lblCounty{*this, "lblCounty"};
    vb::TextBox Text8{*this, "Text8"};
    vb::Label lblUtc{*this, "lblUtc"};
    vb::TextBox Text6{*this, "Text6"};
    vb::Label lblCountry{*this, "lblCountry"};
    vb::TextBox Text2{*this, "Text2"};
    vb::Label lblLongitude{*this, "lblLongitude"};
    vb::TextBox Text3{*this, "Text3"};
    vb::Label lblLatitude{*this, "lblLatitude"};
    vb::TextBox Text4{*this, "Text4"};
    vb::Label lblContinent{*this, "lblContinent"};
    vb::TextBox Text7{*this, "Text7"};
    vb::Label lblSection{*this, "lblSection"};
    vb::TextBox Text9{*this, "Text9"};
    vb::Label lblName{*this, "lblName"};
    vb::TextBox Text10{*this, "Text10"};
    vb::Label lblCategory{*this, "lblCategory"};
    vb::TextBox Text11{*this, "Text11"};
    vb::Label lblCity{*this, "lblCity"};
    vb::TextBox Text12{*this, "Text12"};

    vb::Frame fraState{*this, "fraState"};
    vb::ControlArray<vb::OptionButton> optState;

    vb::Frame fraInState{*this, "fraInState"};
    vb::OptionButton Option1{*this, "Option1", &fraInState};
    vb::OptionButton Option2{*this, "Option2", &fraInState};

    vb::Frame fraRover{*this, "fraRover"};
    vb::OptionButton Option4{*this, "Option4", &fraRover};
    vb::OptionButton Option3{*this, "Option3", &fraRover};

    vb::CommandButton Command1{*this, "Command1"};

    static constexpr int StateCount = 50;
    // The captions of optState 0..49: the host state among 49 other US states, alphabetical.
    static const std::array<const char*, StateCount> StateCodes;

    // Key filters (KeyAscii by reference; 0 drops the key).
    static void Cap3(int& KeyAscii);
    static void NumBerr(int& KeyAscii);

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    void Text1_KeyPress(int& KeyAscii) { capsField(KeyAscii); }
    void Text5_KeyPress(int& KeyAscii) { capsField(KeyAscii); }
    void Text7_KeyPress(int& KeyAscii) { capsField(KeyAscii); }
    void Text9_KeyPress(int& KeyAscii) { capsField(KeyAscii); }
    void Text10_KeyPress(int& KeyAscii) { capsField(KeyAscii); }
    void Text11_KeyPress(int& KeyAscii) { capsField(KeyAscii); }
    void Text12_KeyPress(int& KeyAscii) { capsField(KeyAscii); }
    void Text3_KeyPress(int& KeyAscii) { numberField(KeyAscii); }
    void Text4_KeyPress(int& KeyAscii) { numberField(KeyAscii); }
    void Text6_KeyPress(int& KeyAscii) { numberField(KeyAscii); }
    void Text2_KeyPress(int& KeyAscii);
    void Text8_KeyPress(int& KeyAscii);
    void Text6_LostFocus();
    void Option1_Click();
    void Option2_Click();
    void optState_Click(int Index);
    void Command1_Click();

private:
    void layOut();
    void capsField(int& KeyAscii);
    void numberField(int& KeyAscii);
};

inline frmStationIDWindow& frmStationID() { return vb::Instance<frmStationIDWindow>(); }

} // namespace tylog
