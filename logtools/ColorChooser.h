#pragma once
// The multiplier colour chooser: picks WorkedColor and RemainingColor of the station settings in
// the colour dialog and shows each on a sample label. It saves nothing: its caller saves the
// settings and repaints once it has closed.
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

namespace tylog {

class Form6Window : public vb::Form {
public:
    Form6Window();
    vb::CommandButton Command1{*this, "Command1"};
    vb::CommandButton Command3{*this, "Command3"};
    vb::Label Label2{*this, "Label2"};
    vb::Label Label1{*this, "Label1"};
    vb::Line Line2{*this, "Line2"};
    vb::Line Line1{*this, "Line1"};
    vb::CommandButton Command6{*this, "Command6"};

    void Form_Load() override;
    void Command1_Click();
    void Command3_Click();
    void Command6_Click();
};

inline Form6Window& Form6() { return vb::Instance<Form6Window>(); }

} // namespace tylog
