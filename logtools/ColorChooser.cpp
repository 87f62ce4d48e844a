#include "logtools/ColorChooser.h"
#include "core/ProcessState.h"
#include "platform/Platform.h"
#include "platform/vb/Design.h"

namespace tylog {

namespace {
// The colour dialog starts from the current colour, and Cancel keeps it.
void ChooseColor(std::int32_t& color, vb::Label& sample) {
    long chosen = color;
    if (!platform().dialogs->ShowColor(chosen)) return;
    color = static_cast<std::int32_t>(chosen);
    sample.setForeColor(chosen);
}
} // namespace

Form6Window::Form6Window() : vb::Form("Form6") {
    const vb::ControlLook sample{.FontName = "Arial", .FontSize = 9};
    vb::ApplyDesign(*this, {.Caption = " Modify Multiplier Color Selections", .ClientWidth = 5595, .ClientHeight = 2115},
                    {
                        // control  caption                                left  top   width height tab
                        {Command1, "Change \"Remaining\" Color", 120, 120, 2535, 495, 0},
                        {Command3, "Change \"Worked\" Color", 2880, 120, 2535, 495, 1},
                        {Label2, "Appearance of multiplier remaining", 480, 840, 1935, 495, {}, sample},
                        {Label1, "Appearance of multiplier worked", 3240, 840, 1935, 495, {}, sample},
                        {Line2, {}, 2760, 0, 2760, 1440},
                        {Line1, {}, 120, 1440, 5520, 1440},
                        {Command6, "Done", 2160, 1680, 1095, 375, 2},
                    });

    Command1.Click = [this] { Command1_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command6.Click = [this] { Command6_Click(); };
}

void Form6Window::Form_Load() {
    // Scaled like every window, but centred exactly and with every font by the horizontal ratio.
    Screen& screen = *platform().screen;
    const float sw = static_cast<float>(screen.Width()), sh = static_cast<float>(screen.Height());
    const float rx = sw / 9600.0f, ry = sh / 7200.0f;
    const float w = static_cast<float>(Width()) / 9600.0f * sw;
    const float h = static_cast<float>(Height()) / 7200.0f * sh;
    Move((sw - w) / 2, (sh - h) / 2, w, h);
    setFontSize(FontSize() * rx);
    for (vb::Control* c : Controls()) {
        if (c->kind() == vb::Kind::Line) {
            auto* l = static_cast<vb::Line*>(c);
            l->SetPoints(static_cast<float>(l->X1()) * rx, static_cast<float>(l->Y1()) * ry,
                         static_cast<float>(l->X2()) * rx, static_cast<float>(l->Y2()) * ry);
            continue;
        }
        c->Move(static_cast<float>(c->Left()) * rx, static_cast<float>(c->Top()) * ry,
                static_cast<float>(c->Width()) * rx, static_cast<float>(c->Height()) * ry);
        c->setFontSize(static_cast<float>(c->FontSize()) * rx);
    }

    Label1.setForeColor(Station.WorkedColor);
    Label2.setForeColor(Station.RemainingColor);
}

void Form6Window::Command1_Click() { ChooseColor(Station.RemainingColor, Label2); }

void Form6Window::Command3_Click() { ChooseColor(Station.WorkedColor, Label1); }

void Form6Window::Command6_Click() { Hide(); }

} // namespace tylog
