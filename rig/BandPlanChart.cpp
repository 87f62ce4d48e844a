#include "rig/BandPlanChart.h"
#include "core/ProcessState.h"
#include "platform/Diagnostics.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "platform/vb/Color.h"
#include "platform/vb/Design.h"
#include "platform/vb/FormScaling.h"

#include <algorithm>
#include <cmath>

namespace tylog {

namespace {
const long kNavy = vb::RGB(0, 0, 128);

struct ClassButton {
    vb::CommandButton frmBandPlanWindow::*button;
    const char* cls;
    const char* title;
};
constexpr ClassButton kClasses[] = {
    {&frmBandPlanWindow::Command1, "N", "Novice Frequency Privileges"},
    {&frmBandPlanWindow::Command2, "T", "Technician Frequency Privileges"},
    {&frmBandPlanWindow::Command3, "P", "Technician Plus Frequency Privileges"},
    {&frmBandPlanWindow::Command4, "G", "General Frequency Privileges"},
    {&frmBandPlanWindow::Command5, "A", "Advanced Frequency Privileges"},
    {&frmBandPlanWindow::Command6, "E", "Extra Frequency Privileges"},
};

bool usable(double v) { return std::isfinite(v) && v > 0; }

// Fonts grow with the screen's width, at most half as large again.
double fontFactor() { return std::min(platform().screen->Width() / 9600.0, 1.5); }
} // namespace

frmBandPlanWindow::frmBandPlanWindow() : vb::Form("frmBandPlan") {
    const vb::ControlLook banner{.FontName = "Arial", .ForeColor = vb::vbWhite, .BackColor = kNavy};
    vb::ApplyDesign(*this, {.Caption = "Frequency Privileges", .ClientWidth = 9480, .ClientHeight = 6690, .BorderStyle = 1},
                    {
                        // control  caption  left  top   width height tab
                        {Command1, "Novice", 120, 80, 1035, 300, 0},
                        {Command2, "Technician", 1200, 80, 1035, 300, 1},
                        {Command3, "Tech +", 2280, 80, 1035, 300, 2},
                        {Command4, "General", 3360, 80, 1035, 300, 3},
                        {Command5, "Advanced", 4440, 80, 1035, 300, 4},
                        {Command6, "Extra", 5520, 80, 1035, 300, 5},
                        {Label2, "Privelages", 6600, 120, 2775, 255, {}, {.FontName = "Arial Narrow", .ForeColor = vb::vbWhite, .BackColor = kNavy}},
                        {Label1, "Frequencies Effective", 120, 400, 6375, 300, {}, banner},
                        {Label3, "CW", 6600, 420, 1335, 255, {}, {.ForeColor = vb::vbWhite}},
                        {Label4, "Phone", 8040, 420, 1335, 255},
                        {Line1, {}, 120, 720, 9360, 720},
                        {Command7, "Done", 4080, 6360, 1215, 300, 6},
                    });
    for (vb::Label* l : {&Label2, &Label3, &Label4}) l->setAlignment(2);
    for (const ClassButton& c : kClasses) {
        const QString cls = c.cls, title = c.title;
        (this->*c.button).Click = [this, cls, title] { ShowClass(cls, title); };
    }
    Command7.Click = [this] { Hide(); };
}

void frmBandPlanWindow::Form_Load() {
    fitToWorkArea();
    Label4.setBackColor(vb::vbGreen);
    Label3.setBackColor(vb::vbBlue);
    readPlan();
}

// The window covers the desktop's work area from its top left corner; its controls keep their places
// in it.
void frmBandPlanWindow::fitToWorkArea() {
    const double oldW = Width(), oldH = Height();
    const QRectF area = platform().screen->WorkArea();
    if (!usable(oldW) || !usable(oldH) || !usable(area.width()) || !usable(area.height())) {
        qCDebug(lcRig) << "privileges chart: no usable work area, the window keeps its design";
        return;
    }
    Move(0, 0, area.width(), area.height());
    const ScaleFactor x{Width(), oldW}, y{Height(), oldH};
    ScaleControlsOfKinds(*this, {vb::Kind::CommandButton, vb::Kind::Label, vb::Kind::Line}, x, y, {fontFactor()});
}

void frmBandPlanWindow::readPlan() {
    try {
        plan_ = ReadBandPlan(ReadAllBytes(FindNoCase(Folders.ProgramFolder, "BandPlan.txt")));
    } catch (const VbError& e) {
        qCDebug(lcRig) << "BandPlan.txt:" << e.Description;
        plan_ = {};
    }
    if (plan_.DateRead) Label1.setCaption("Frequencies Effective: " + plan_.EffectiveDate);
    if (!plan_.Complete) {
        // What was read stays: the class buttons draw from it.
        MsgBox("Band data not available.", vbOKOnly, "Band Data Not Available.");
        return;
    }
    ShowClass("E", "Extra Frequency Privileges");
}

void frmBandPlanWindow::ShowClass(const QString& cls, const QString& title) {
    Label2.setCaption(title);
    DrawPrivilegeChart(cls);
}

void frmBandPlanWindow::DrawPrivilegeChart(const QString& cls) {
    for (auto* labels : {&blbl, &bnlb, &priv})
        while (labels->Count() > 0) labels->Unload(labels->UBound());

    const PrivilegeChart chart = LayOutPrivilegeChart(plan_, cls, Width(), Height(), Line1.Y1());
    const double f = fontFactor();
    auto add = [this](vb::ControlArray<vb::Label>& labels, const char* name, const ChartLabel& c) -> vb::Label& {
        vb::Label& l = labels.Add(*this, name, labels.Count() + 1);
        l.Move(c.Left, c.Top, c.Width, c.Height);
        l.setCaption(c.Caption);
        l.setToolTipText(c.ToolTip);
        l.setBorderStyle(1);
        l.setAlignment(2);
        return l;
    };
    for (const ChartLabel& c : chart.Bars) {
        vb::Label& bar = add(blbl, "blbl", c);
        bar.setBackColor(vb::vbBlack);
        bar.setForeColor(vb::vbBlack);
    }
    for (const ChartLabel& c : chart.Tags) {
        vb::Label& tag = add(bnlb, "bnlb", c);
        tag.setBackColor(vb::vbYellow);
        tag.setForeColor(vb::vbBlack);
        tag.setFontName("ARIAL");
        tag.setFontBold(true);
        tag.setFontSize(8 * f);
    }
    for (const ChartLabel& c : chart.Segments) {
        vb::Label& seg = add(priv, "priv", c);
        seg.setBackColor(c.CW ? vb::vbBlue : vb::vbGreen);
        seg.setForeColor(c.CW ? vb::vbWhite : vb::vbBlack);
        seg.setFontName("ARIAL NARROW");
        seg.setFontSize(7 * f);
        seg.ZOrder(0);
    }
}

void ShowBandPrivileges() {
    frmBandPlan().Show(vb::vbModal);
    if (auto* chart = vb::IfLoaded<frmBandPlanWindow>()) vb::Unload(*chart);
}

} // namespace tylog
