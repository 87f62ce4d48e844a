#include "logtools/DECabrilloIn.h"
#include "core/ProcessState.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "platform/vb/KeyFilters.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "platform/vb/Design.h"
#include "platform/vb/FormScaling.h"

namespace tylog {

DECabrilloInWindow::DECabrilloInWindow() : vb::Form("DECabrilloIn") {
    for (int i = 0; i < 6; ++i) OptClass.Add(*this, "OptClass", i, &Frame1);
    vb::ApplyDesign(*this, {.Caption = "Summary Sheet Information", .ClientWidth = 9225, .ClientHeight = 4290, .BorderStyle = 3},
                    {
                        // control  caption  left  top   width height tab
                        {Frame1, "Entry Category", 240, 240, 5655, 1095, 0},
                        {OptClass[0], "Single-Op", 120, 240, 2415, 255, 1},
                        {OptClass[1], "Mobile", 120, 480, 2415, 255, 2},
                        {OptClass[2], "Club", 120, 720, 2415, 255, 3},
                        {OptClass[3], "Mult-Single", 2760, 240, 2415, 255, 4},
                        {OptClass[4], "Multi-Multi", 2760, 480, 2415, 255, 5},
                        {OptClass[5], "Expedition", 2760, 720, 2415, 255, 6},
                        {Frame2, "Power", 6000, 240, 1455, 1095, 7},
                        {Option4, "High", 120, 240, 1215, 255, 8},
                        {Option3, "Low", 120, 480, 1215, 255, 9},
                        {Option1, "QRP", 120, 720, 1215, 255, 10},
                        {Label5, "License Class", 7560, 480, 1335, 255},
                        {txtClass, "", 7560, 720, 1335, 285, 11},
                        {Label3, "Bonus points (500) if worked Q8BNS:", 240, 1440, 3495, 255},
                        {txtQ8BNS, "0", 3840, 1440, 495, 285, 12},
                        {Label4, "Bonus points - Mobiles - 100 for each county from which a QSO was logged:", 240,
                         1800, 6975, 255},
                        {txtCountyBonus, "0", 7320, 1800, 735, 285, 13},
                        {Label6, "Your Name:", 240, 2280, 1455, 255},
                        {Text5, "", 1800, 2280, 2055, 285, 14},
                        {Label9, "Address Line 1:", 240, 2640, 1455, 255},
                        {Text6, "", 1800, 2640, 2055, 285, 15},
                        {Label8, "Address Line 2:", 240, 3000, 1455, 255},
                        {Text7, "", 1800, 3000, 2055, 285, 16},
                        {Label7, "Email Address:", 240, 3360, 1455, 255},
                        {Text8, "", 1800, 3360, 2055, 285, 17},
                        {Label2, "Club Name:", 240, 3720, 1455, 255},
                        {Text2, "", 1800, 3720, 2055, 285, 18},
                        {Label1, "If Multi Op, list all calls:", 4320, 2400, 2415, 255},
                        {Text1, "", 6840, 2400, 2175, 285, 19},
                        {Label12, "Soapbox (Add any comments you would like to make about the contest):", 4320, 2760,
                         3855, 495},
                        {Text11, "", 4320, 3360, 3855, 285, 20},
                        {Command4, "Write Cabrillo File", 4320, 3720, 3855, 375, 21},
                        {Command3, "Done", 8280, 3720, 735, 375, 22},
                        // A rectangle about the contents.
                        {Line1, {}, 120, 120, 9105, 120},
                        {Line2, {}, 9105, 120, 9105, 4170},
                        {Line3, {}, 120, 4170, 9105, 4170},
                        {Line4, {}, 120, 120, 120, 4170},
                    });
    Label12.setWordWrap(true);
    txtQ8BNS.setAlignment(1);
    txtCountyBonus.setAlignment(1);
    OptClass[0].setValue(true);
    Option3.setValue(true);

    Command4.Click = [this] { Command4_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Text1.KeyPress = [this](int& k) { Text1_KeyPress(k); };
    txtClass.KeyPress = [this](int& k) { txtClass_KeyPress(k); };
}

void DECabrilloInWindow::Form_Load() {
    ScaleFormToScreen(*this);
    CountBonuses();
    const CabrilloSubmitter s = RecallSubmitter();
    Text5.setText(s.Name);
    Text6.setText(s.AddressLine1);
    Text7.setText(s.AddressLine2);
    Text8.setText(s.EMail);
    Text2.setText(s.Club);
}

void DECabrilloInWindow::CountBonuses() {
    if (Station.RoverFlag == 1) txtCountyBonus.setText(QString::number(CountyBonus(ContactLog, Station.RoverFlag)));
    if (const int points = BonusStationPoints(ContactLog); points != 0) txtQ8BNS.setText(QString::number(points));
}

void DECabrilloInWindow::Text1_KeyPress(int& KeyAscii) { KeyUpperCase(KeyAscii); }
void DECabrilloInWindow::txtClass_KeyPress(int& KeyAscii) { KeyUpperCase(KeyAscii); }

void DECabrilloInWindow::Command4_Click() { WriteCabrilloLog(); }

void DECabrilloInWindow::Command3_Click() { Hide(); }

CabrilloSheet DECabrilloInWindow::sheetValues() const {
    CabrilloSheet s;
    s.Window = Totals.Window;
    s.ClaimedScoreText = Totals.ScoreText;
    s.WorkedCountyCount = Totals.WorkedCountyCount;
    s.DXCount = Totals.DXCount;
    s.MultiplierCount = Totals.MultiplierCount;

    s.Category.clear();
    for (int i = 0; i < 6; ++i) {
        if (OptClass[i].Value()) {
            s.Category = OptClass[i].Caption();
            break;
        }
    }
    s.Power = CabrilloPower::High;
    if (Option3.Value()) s.Power = CabrilloPower::Low;
    if (Option1.Value()) s.Power = CabrilloPower::Qrp;
    s.LicenseClass = txtClass.Text();
    s.Operators = Text1.Text();
    s.Submitter = {Text5.Text(), Text6.Text(), Text7.Text(), Text8.Text(), Text2.Text()};
    s.Soapbox = Text11.Text();
    s.CountyBonusText = txtCountyBonus.Text();
    s.BonusStationText = txtQ8BNS.Text();
    return s;
}

void DECabrilloInWindow::WriteCabrilloLog() {
    auto failed = [](const QString& description) {
        Beep();
        MsgBox(description, vbOKOnly, CabrilloFailedTitle);
    };
    try {
        // A bonus box that holds no number is put back to 0 where the operator sees it.
        txtQ8BNS.setText(CabrilloBonusText(txtQ8BNS.Text()));
        txtCountyBonus.setText(CabrilloBonusText(txtCountyBonus.Text()));
        Station.OwnCall = Station.OwnCall.trimmed();

        FileDialogOptions o;
        o.InitDir = Folders.DataFolder;
        o.FileName = JoinPath(Folders.DataFolder, CabrilloDefaultFileName(Station.OwnCall));
        o.Filter = "LOG Files (*.log) | *.log";
        const QString target = platform().dialogs->ShowSave(o);
        if (target.isEmpty()) return; // Cancel: nothing written, shown or stored

        const CabrilloFile file = BuildCabrilloFile(ContactLog, CountyTable, Station, Run.ProgramVersion, sheetValues());
        if (!file.Outcome.Ok()) return failed(file.Outcome.Error);
        if (const CabrilloOutcome w = WriteCabrilloFile(target, file.Bytes); !w.Ok()) return failed(w.Error);

        MsgBox(CabrilloWrittenText(target), vbOKOnly, CabrilloWrittenTitle);
        MsgBox(CabrilloThanksText(), vbOKOnly, CabrilloThanksTitle);
        Command3.SetFocus();

        const CabrilloOutcome stored =
            RememberSubmitter({Text5.Text(), Text6.Text(), Text7.Text(), Text8.Text(), Text2.Text()});
        if (!stored.Ok()) failed(stored.Error);
    } catch (const VbError& e) {
        failed(e.Description);
    }
}

} // namespace tylog
