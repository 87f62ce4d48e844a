// The in-state window: its design table and its own steps of the load.
#include "logging/Infrm.h"
#include "core/ProcessState.h"
#include "core/SectionTable.h"
#include "logging/SectionGrid.h"
#include "platform/vb/Design.h"

namespace tylog {

InfrmWindow::InfrmWindow() : LoggingWindow("Infrm", Twin::InState) {
    lblStation.Add(*this, "lblStation", 8);
    for (int i = 1; i <= SectionTableData::Rows; ++i) Label10.Add(*this, "Label10", i);
    layout();
    wireEvents();
}

vb::FormDesign InfrmWindow::Design() { return {}; }

std::vector<vb::ControlDesign> InfrmWindow::DesignRows() {
    const vb::ControlLook hidden{.Visible = false}, shown{.Visible = true};
    std::vector<vb::ControlDesign> rows = {
        // control      caption     left  top   width height tab  {look}
        {txtCntry, {}, 2280, 2970, 2220, 285, {}, shown},
        {txtSec, {}, 4560, 2970, 1820, 285},
        {txtRSTS, {}, 5520, 2010, 990, 285, {}, hidden},
        {lblStation[0], {}, 5520, 1560, 990, 375},
        {lblStation[1], "St / Prv / Country", 2280, 2520, 2220, 375, {}, {.Visible = true, .ToolTipText = "State / Province / Country"}},
        {lblStation[2], "Call", 0, 2520, 1135, 375, {}, {.ToolTipText = "Enter mobiles with /M"}},
        {lblStation[4], {}, 4560, 2520, 1820, 375},
        {lblStation[5], "DX", 3000, 3360, 1125, 255},
        {lblStation[7], "Cnty Rem - 0", 5400, 3360, 1125, 255},
        {lblStation[8], "Cnty Wkd - 0", 4200, 3360, 1125, 255},
        {List1, {}, 3000, 3600, 1125, 2370},
        {List2, {}, 4200, 3600, 1125, 2370},
        {List3, {}, 5400, 3600, 1125, 2370},
        {lblDialog, {}, 0, 3360, 2895, 735},
        {lblPossDup, "   Possible Duplicates", 0, 4200, 2895, 375},
        {lblDupe, {}, 0, 4680, 2895, 615},
        {cmdDup, {}, 2280, 4295, 495, 210},
        {Label5, "Total PH Contacts .......", 6480, 480, 1935, 255},
        {Label13, "Total CW/Dig Contacts.", 6480, 760, 1935, 255},
        {lblsectogo, {}, 8400, 720, 975, 260},
        {Label26, "QSO Points .................", 6480, 1040, 1935, 255},
        {Label27, {}, 8400, 1000, 975, 260},
        {Label6, "Total Multipliers ...........", 6480, 1320, 1935, 255},
        {lblTotSec, {}, 8400, 1280, 975, 260},
        {Label7, {}, 6480, 1600, 1935, 255},
        {lblTotScore, {}, 8400, 1560, 975, 260},
        {Label8, {}, 6480, 1880, 1935, 255},
        {lblAQSO20, {}, 8400, 1840, 975, 260},
        {Label9, {}, 6480, 2160, 1935, 255},
        {lblAQSO60, {}, 8400, 2120, 975, 260},
        {Label15, "States and Provinces Worked All Bands:", 6120, 240, 3015, 270, {}, hidden},
        {Label12, " Oper Time", 120, 5870, 1185, 255},
        {lblttrack, {}, 120, 6125, 975, 315},
        {cmdLogOn, {}, 0, 5360, 1095, 435},
        {Label21, {}, 1320, 5885, 615, 255},
        {Label24, {}, 1320, 6125, 615, 315},
        {lblBandSwitch, {}, 1320, 5300, 615, 255},
        {Label30, {}, 1320, 5540, 615, 315},
        {Label2, {}, 3720, 6090, 1215, 375},
        {Label1, {}, 5040, 6090, 765, 375},
        {Label25, "County", 5880, 6090, 1695, 375},
        {Label17, {}, 2160, 5300, 735, 195, {}, shown},
        {Label22, {}, 2160, 5465, 735, 255, {}, shown},
        {Label18, {}, 2160, 5735, 720, 195, {}, shown},
        {Label23, {}, 2160, 5900, 735, 255, {}, shown},
        {Label20, "Con", 2160, 6245, 345, 195, {}, shown},
        {Label19, {}, 2520, 6200, 390, 255, {}, shown},
        {Label3, {}, 3960, 2565, 420, 255},
        {Label4, {}, 7200, 6000, 855, 375},
        {Command1, "All Modes", 6600, 5640, 615, 255},
        {lblPostConDate, {}, 1440, 3720, 645, 285},
        {txtPostConDate, {}, 2160, 3720, 885, 285},
        {lblPostConTime, {}, 0, 3720, 735, 285},
        {txtPostConTime, {}, 765, 3720, 540, 285},
        {txtDX, {}, 840, 3360, 2175, 495},
        {lblDX, {}, 600, 1920, 855, 255},
        {Line3, {}, 3000, 6000, 9480, 6000},
        {Line1, {}, 3000, 6000, 3000, 6480},
        {Line6, {}, 2040, 5400, 2040, 6480},
        // The state grid's headings (615 x 265 unless given) and rules; its labels follow in a loop.
        {lblSecOne, "1", 6600, 2520, 615, 265},
        {lblSecTwo, "2", 6600, 3720, 615, 265},
        {lblSecThre, "3", 6600, 4440, 615, 265},
        {lblSecFour, "4", 7320, 2520, 615, 265},
        {lblSecFive, "5", 7320, 3960, 615, 265},
        {Label14, "6", 7320, 5085, 615, 265},
        {lblSecSix, "7", 8040, 2520, 615, 265},
        {lblSecEight, "8", 8040, 4200, 615, 265},
        {lblSecNine, "9", 8040, 5085, 360, 265},
        {lblSecZero, "0", 8760, 2520, 735, 265},
        {lblSecCA, "Canada", 8760, 3840, 735, 300},
        {Line2, {}, 6550, 2400, 9480, 2400},
        {Line24, {}, 6555, 6000, 6555, 2400},
        {Line19, {}, 7275, 2400, 7275, 6000},
        {Line14, {}, 7995, 2400, 7995, 6000},
        {Line9, {}, 8715, 6000, 8715, 2400},
        {Line7, {}, 7275, 3600, 6555, 3600},
        {Line22, {}, 6555, 4320, 7275, 4320},
        {Line4, {}, 7275, 3840, 7990, 3840},
        {Line12, {}, 7275, 5025, 8710, 5025},
        {Line10, {}, 7995, 4080, 8710, 4080},
        {Line5, {}, 8715, 3795, 9475, 3795},
    };
    for (int i = 1; i <= SectionTableData::Rows; ++i) {
        const SectionGridCell c = SectionGridCellOf(i);
        rows.push_back({Label10[i], "WWW", c.Left, c.Top, c.Width, c.Height, {}, {.Visible = c.Visible}});
    }
    return rows;
}

void InfrmWindow::layout() {
    vb::ApplyDesign(*this, Design(), DesignRows());
    // The window's face is Arial bold, every control's with it.
    for (vb::Control* c : Controls()) c->setFontBold(true);
    mnuDigital.setCaption("&DG");
}

void InfrmWindow::wireEvents() {
    wireEntryLine();
    wireCountryBox();
    wireGrid();
    wireBandAndMode();
    wireOwnMenus();
    wireSpots();
}

void InfrmWindow::LoadTwinParts() {
    lblDialog.setCaption("Select a band, mode and Click Log \"Time On\"!");
    const std::pair<const char*, double> columns[] = {{"Rec#", 530}, {"Call", 850},      {"Rec", 430},
                                                      {"SPC", 910},  {"County", 1050},   {"Snt", 420},
                                                      {"Date/Time", 890}, {"Mo", 430}, {"Bnd", 430}};
    for (auto [header, n] : columns) AddListColumn(ListView1, header, n);
    if (Station.RoverFlag == 1) AddListColumn(ListView1, "County Sent", 1050);
    else if (mnuChangeCounty()) mnuChangeCounty()->setEnabled(false);
    BuildSectionGrid();
}

void InfrmWindow::ShowOwnStation() {
    lblStation[4].setCaption(Station.HostState + " County");
    const QString countyTip = "Enter " + Station.HostState + " in the St / Prv / Country field to enable the County field";
    lblStation[4].setToolTipText(countyTip);
    txtSec.setToolTipText(countyTip);
    Label25.setCaption(Station.CurrentCounty);
    Label2.setCaption(Station.OwnCall);
}

} // namespace tylog
