#include "logtools/ColorChooser.h"
#include "core/ProcessState.h"
#include "platform/Platform.h"

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
    setCaption(" Modify Multiplier Color Selections");
    Move(0, 0, 5595 + NonClientWidth(), 2115 + NonClientHeight());

    Command1.setCaption("Change \"Remaining\" Color");
    Command1.Move(120, 120, 2535, 495);
    Command1.setTabIndex(0);
    Command3.setCaption("Change \"Worked\" Color");
    Command3.Move(2880, 120, 2535, 495);
    Command3.setTabIndex(1);
    Label2.setCaption("Appearance of multiplier remaining");
    Label2.Move(480, 840, 1935, 495);
    Label1.setCaption("Appearance of multiplier worked");
    Label1.Move(3240, 840, 1935, 495);
    for (vb::Label* l : {&Label2, &Label1}) {
        l->setFontName("Arial");
        l->setFontSize(9);
    }
    Line2.SetPoints(2760, 0, 2760, 1440);
    Line1.SetPoints(120, 1440, 5520, 1440);
    Command6.setCaption("Done");
    Command6.Move(2160, 1680, 1095, 375);
    Command6.setTabIndex(2);
    ApplyTabOrder();

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
