#include "logtools/CountyChange.h"
#include "core/ProcessState.h"
#include "core/StationSettingsFile.h"
#include "logtools/CountyTypeAhead.h"
#include "logtools/DialogScaling.h"
#include "platform/Dialogs.h"
#include "platform/vb/Design.h"

namespace tylog {

namespace {
// On entry the whole text is chosen, so the first key starts a new county.
void selectAll(vb::TextBox& box) {
    box.setSelStart(0);
    box.setSelLength(static_cast<int>(box.Text().size()));
}
} // namespace

// ---- Own county -----------------------------------------------------------------------------------

frmCountyChangeWindow::frmCountyChangeWindow() : vb::Form("frmCountyChange") {
    vb::ApplyDesign(*this, {.Caption = "County Change", .ClientWidth = 3210, .ClientHeight = 2100, .BorderStyle = 3},
                    {
                        // control  caption  left  top   width height tab
                        {Label1, "Please enter your current county:", 120, 120, 3375, 255, 2},
                        {Text1, {}, 720, 600, 1575, 285, 0},
                        {Label2, InvalidMark, 2400, 600, 735, 255, 3, InvalidMarkLook},
                        {Command1, "&Done", 960, 1560, 1215, 375, 1},
                        {cmdMultipleCounties, "&Rovers on County Lines Click to Add Multiple Counties", 240, 960, 2775, 495, 4},
                    });
    Text1.GotFocus = [this] { Text1_GotFocus(); };
    Text1.KeyPress = [this](int& k) { Text1_KeyPress(k); };
    Text1.LostFocus = [this] { Text1_LostFocus(); };
    Command1.Click = [this] { Command1_Click(); };
    cmdMultipleCounties.Click = [this] { cmdMultipleCounties_Click(); };
}

void frmCountyChangeWindow::Form_Load() {
    DialogScaling(*this);
    Text1.setText(Station.CurrentCounty);
}

void frmCountyChangeWindow::Text1_GotFocus() { selectAll(Text1); }

// The own county goes into every record logged after it, and log.txt holds no double quote: the
// box never takes one, typed or pasted.
void frmCountyChangeWindow::Text1_KeyPress(int& KeyAscii) {
    TypeAheadKeyPress(Text1, KeyAscii, OwnCountyBox, [this] { Command1_Click(); });
}

// Only a warning: Done stores whatever the box holds.
void frmCountyChangeWindow::Text1_LostFocus() {
    if (isVisible()) CheckCountyBox(Text1, Label2, OwnCountyBox);
}

void frmCountyChangeWindow::Command1_Click() {
    // A quote already in the box (an old settings file) is dropped here too.
    Station.CurrentCounty = Text1.Text().remove(QLatin1Char('"'));
    SaveStationSettings();
    Hide();
}

// The rover list's Done puts its first county into Text1; closing it otherwise leaves Text1 alone.
void frmCountyChangeWindow::cmdMultipleCounties_Click() {
    frmCountyChangeRover().Show(vb::vbModal);
    Command1_Click();
}

// ---- Rover list -----------------------------------------------------------------------------------

frmCountyChangeRoverWindow::frmCountyChangeRoverWindow() : vb::Form("frmCountyChangeRover") {
    vb::ApplyDesign(
        *this, {.Caption = "County Change for Rovers", .ClientWidth = 3615, .ClientHeight = 3330, .BorderStyle = 2},
        {
            // control  caption  left  top   width height tab
            {Label1, "Please enter your current counties.  Click on listed counties to remove.", 480, 120, 2775, 495, 3},
            {List1, {}, 480, 720, 2775, 840, 4},
            {Text1, {}, 480, 1680, 1575, 285, 0},
            {Label2, InvalidMark, 2520, 1680, 735, 255, 2, InvalidMarkLook},
            {Label3, "Type the county and the press enter to add to the list.", 480, 2040, 2895, 495, 5},
            {Check1, "Increment serial # sent for each", 480, 2520, 2775, 255, 6},
            {Command1, "&Done", 1200, 2880, 1215, 375, 1},
        });
    Label1.setWordWrap(true);
    Label3.setWordWrap(true);
    List1.Sorted = true;

    Text1.GotFocus = [this] { Text1_GotFocus(); };
    Text1.KeyPress = [this](int& k) { Text1_KeyPress(k); };
    List1.Click = [this] { List1_Click(); };
    Check1.Click = [this] { Check1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
}

void frmCountyChangeRoverWindow::Form_Load() {
    DialogScaling(*this);
    Text1.setText(Station.CurrentCounty);
}

void frmCountyChangeRoverWindow::Text1_GotFocus() { selectAll(Text1); }

void frmCountyChangeRoverWindow::Text1_KeyPress(int& KeyAscii) {
    TypeAheadKeyPress(Text1, KeyAscii, RoverCountyBox, [this] {
        CheckRoverCounty();
        if (Label2.Visible()) return;
        AddRoverCounty();
    });
}

void frmCountyChangeRoverWindow::CheckRoverCounty() { CheckCountyBox(Text1, Label2, RoverCountyBox); }

// A county already listed is refused: the in-state window would log every contact twice for it, and
// its replay stops at the first duplicate.
void frmCountyChangeRoverWindow::AddRoverCounty() {
    const QString county = Text1.Text();
    for (int i = 0; i < List1.ListCount(); ++i) {
        if (List1.List(i).compare(county, Qt::CaseInsensitive) == 0) {
            Beep();
            selectAll(Text1);
            return;
        }
    }
    List1.AddItem(county);
    Text1.setText(QString());
}

void frmCountyChangeRoverWindow::List1_Click() {
    const int i = List1.ListIndex();
    if (i < 0) return; // the choice cleared below
    List1.RemoveItem(i);
    List1.setListIndex(-1); // so a click on the row that moves up is a new choice
    Command1.SetFocus();
}

void frmCountyChangeRoverWindow::Check1_Click() { Command1.SetFocus(); }

void frmCountyChangeRoverWindow::Command1_Click() {
    if (List1.ListCount() >= 1) {
        if (auto* own = vb::IfLoaded<frmCountyChangeWindow>()) own->Text1.setText(List1.List(0));
    }
    Hide();
}

} // namespace tylog
