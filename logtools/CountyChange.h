#pragma once
// The own county of an in-state station that moves: frmCountyChange replaces CurrentCounty, and its
// rover button leads to frmCountyChangeRover, the list of the counties a rover on a county line is
// in at once. The rover list hides itself on Done and stays loaded for the rest of the run: the
// in-state window reads it after every contact.
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

namespace tylog {

// Shown modally by the in-state window's "Cha&nge County"; Done (the button, Enter in the box, or the
// end of the rover list) stores the box as CurrentCounty, saves the station settings and hides the
// dialog. The caller then unloads it, saves the settings again and shows CurrentCounty.
class frmCountyChangeWindow : public vb::Form {
public:
    frmCountyChangeWindow();

    vb::Label Label1{*this, "Label1"};
    vb::TextBox Text1{*this, "Text1"};
    vb::Label Label2{*this, "Label2"}; // "   Invalid!" beside Text1
    vb::CommandButton Command1{*this, "Command1"};
    vb::CommandButton cmdMultipleCounties{*this, "cmdMultipleCounties"};

    void Form_Load() override;
    void Text1_GotFocus();
    void Text1_KeyPress(int& KeyAscii);
    void Text1_LostFocus();
    void Command1_Click();
    void cmdMultipleCounties_Click();
};

inline frmCountyChangeWindow& frmCountyChange() { return vb::Instance<frmCountyChangeWindow>(); }

// The rover's counties, kept in alphabetical order: entry 0 becomes the own county, and the in-state
// window logs each contact once more for every further entry. Read List1 (ListCount, List(i)) and
// Check1.Value() (1: each extra contact takes the next serial number); reading them through
// frmCountyChangeRover() loads the list, empty, when it is not loaded yet.
class frmCountyChangeRoverWindow : public vb::Form {
public:
    frmCountyChangeRoverWindow();

    vb::Label Label1{*this, "Label1"};
    vb::ListBox List1{*this, "List1"};
    vb::TextBox Text1{*this, "Text1"};
    vb::Label Label2{*this, "Label2"}; // "   Invalid!" beside Text1
    vb::Label Label3{*this, "Label3"};
    vb::CheckBox Check1{*this, "Check1"};
    vb::CommandButton Command1{*this, "Command1"};

    void Form_Load() override;
    void Text1_GotFocus();
    void Text1_KeyPress(int& KeyAscii);
    void CheckRoverCounty();
    void AddRoverCounty();
    void List1_Click();
    void Check1_Click();
    void Command1_Click();
};

inline frmCountyChangeRoverWindow& frmCountyChangeRover() { return vb::Instance<frmCountyChangeRoverWindow>(); }

} // namespace tylog
