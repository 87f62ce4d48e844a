#pragma once
#include "platform/vb/Controls.h"
#include "platform/vb/Forms.h"

namespace tylog {

// The borderless logo shown modally at start-up; it closes itself on its timer or on a click.
class frmQ7BZWLogoWindow : public vb::Form {
public:
    frmQ7BZWLogoWindow();

    vb::Image Image1{*this, "Image1"};
    vb::Image Image2{*this, "Image2"};
    vb::Timer Timer1{*this, "Timer1", 1900, true};
    vb::Timer Timer2{*this, "Timer2", 1100, true};

    void Form_Load() override;
    void Form_Terminate() override;
    void Image1_Click();
    void Timer1_Timer();
    void Timer2_Timer();
};

inline frmQ7BZWLogoWindow& frmQ7BZWLogo() { return vb::Instance<frmQ7BZWLogoWindow>(); }

} // namespace tylog
