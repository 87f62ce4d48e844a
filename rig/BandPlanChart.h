#pragma once
// The band privileges chart "Frequency Privileges": one licence class at a time, each band it may use
// a black bar standing for the whole band, with the class's segments laid on it to scale (blue CW,
// green phone). It reads BandPlan.txt at every opening; the logging window shows it modally (Ctrl+F,
// Band > Privileges) and unloads it when it closes. The layout is BandPlanChartRules'.
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"
#include "rig/BandPlanChartRules.h"

namespace tylog {

class frmBandPlanWindow : public vb::Form {
public:
    frmBandPlanWindow();

    vb::CommandButton Command1{*this, "Command1"}; // the class buttons, Novice to Extra
    vb::CommandButton Command2{*this, "Command2"};
    vb::CommandButton Command3{*this, "Command3"};
    vb::CommandButton Command4{*this, "Command4"};
    vb::CommandButton Command5{*this, "Command5"};
    vb::CommandButton Command6{*this, "Command6"};
    vb::Label Label2{*this, "Label2"}; // the class's title
    vb::Label Label1{*this, "Label1"}; // the plan's effective date
    vb::Label Label3{*this, "Label3"}; // legend: CW
    vb::Label Label4{*this, "Label4"}; // legend: Phone
    vb::Line Line1{*this, "Line1"};    // the chart starts below it
    vb::CommandButton Command7{*this, "Command7"}; // Done

    // The labels of one drawing, numbered from 1: the bars, their band tags and the segments.
    vb::ControlArray<vb::Label> blbl;
    vb::ControlArray<vb::Label> bnlb;
    vb::ControlArray<vb::Label> priv;

    void Form_Load() override;
    // Removes the last drawing and draws the chart of one class letter.
    void DrawPrivilegeChart(const QString& cls);
    // A class button: its title, then its chart.
    void ShowClass(const QString& cls, const QString& title);

    const BandPlanFile& Plan() const { return plan_; }

private:
    void fitToWorkArea();
    void readPlan();
    BandPlanFile plan_;
};

inline frmBandPlanWindow& frmBandPlan() { return vb::Instance<frmBandPlanWindow>(); }

// Shows the chart modally and unloads it when it closes.
void ShowBandPrivileges();

} // namespace tylog
