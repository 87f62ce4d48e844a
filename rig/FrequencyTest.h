#pragma once
// The frequency test "Test Change Frequency Function": a raw command, typed as text or as spaced
// hexadecimal pairs, written to the radio's port as it stands, and the set-frequency command for a
// frequency typed in MHz. The radio window opens it modally while it polls, so the poll shows the
// radio's answer there. Both go to the radio window's engine; the dialog never touches the port.
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

namespace tylog {

class frmFrequencyTestWindow : public vb::Form {
public:
    frmFrequencyTestWindow();

    vb::Label Label1{*this, "Label1"};
    vb::Label Label2{*this, "Label2"};
    vb::TextBox Text1{*this, "Text1"};
    vb::CheckBox Check1{*this, "Check1"};
    vb::CommandButton Command1{*this, "Command1"};
    vb::Label Label3{*this, "Label3"};
    vb::Line Line1{*this, "Line1"};
    vb::Label Label4{*this, "Label4"};
    vb::TextBox Text2{*this, "Text2"};
    vb::CommandButton Command2{*this, "Command2"};

    void Form_Load() override;
    void Command1_Click(); // the raw command
    void Command2_Click(); // the frequency
};

inline frmFrequencyTestWindow& frmFrequencyTest() { return vb::Instance<frmFrequencyTestWindow>(); }

} // namespace tylog
