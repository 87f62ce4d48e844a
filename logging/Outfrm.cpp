#include "logging/Outfrm.h"
#include "core/ProcessState.h"
#include "platform/vb/Design.h"
#include "logtools/DEEditOut.h"

namespace tylog {

OutfrmWindow::OutfrmWindow() : LoggingWindow("Outfrm", Twin::OutOfState) {
    layout();
    wireEvents();
}

std::vector<vb::ControlDesign> OutfrmWindow::DesignRows() {
    return {
        // control      caption     left  top   width height tab
        {txtCntry, {}, 4200, 960, 1820, 285, {}, {.Visible = false}},
        {txtSec, {}, 2280, 2970, 2385, 285},
        {txtRSTS, {}, 3240, 3600, 1050, 285, {}, {.Visible = false}},
        {lblStation[0], {}, 2880, 3840, 1050, 375},
        {lblStation[1], "State/Prov/Cntr", 4080, 720, 1815, 375, {}, {.Visible = false}},
        {lblStation[2], "  Call", 0, 2520, 1135, 375, {}, {.ToolTipText = "Enter mobiles with /M"}},
        {lblStation[4], {}, 2280, 2520, 2385, 375},
        {lblStation[5], "Counties Worked", 4920, 2580, 2205, 375},
        {lblStation[7], "Counties To Go", 7200, 2580, 2205, 375},
        {List1, {}, 7200, 2940, 2205, 2985},
        {List2, {}, 4920, 2940, 2205, 2985},
        {lblDialog, {}, 0, 3360, 4695, 975},
        {lblPossDup, "Possible Duplicates", 0, 4440, 4695, 375},
        {lblDupe, {}, 0, 4920, 4695, 855},
        {cmdDup, {}, 4080, 4530, 495, 210},
        {Label5, "Total PH Contacts ........", 6480, 480, 1935, 255},
        {Label10, "Total CW/Dig Contacts..", 6480, 780, 1935, 255},
        {lblSectogo, {}, 8400, 740, 975, 260},
        {Label26, "QSO Points ..................", 6480, 1080, 1935, 255},
        {Label27, {}, 8400, 1040, 975, 255},
        {Label13, "Total Multipliers ...........", 6480, 1380, 1935, 255},
        {lblTotSec, {}, 8400, 1340, 975, 260},
        {Label7, {}, 6480, 1680, 1935, 255},
        {lblTotScore, {}, 8400, 1640, 975, 260},
        {Label8, {}, 6480, 1980, 1935, 255},
        {lblAQSO20, {}, 8400, 1940, 975, 260},
        {Label9, {}, 6480, 2280, 1935, 255},
        {lblAQSO60, {}, 8400, 2240, 975, 260},
        {Label15, "Multipliers Worked:", 6120, 360, 2775, 255},
        {Label12, "Operating Time", 0, 5880, 1425, 255},
        {lblttrack, {}, 240, 6120, 975, 315},
        {cmdLogOn, {}, 1440, 6000, 1575, 435},
        {Label21, {}, 3240, 5880, 615, 255},
        {Label24, {}, 3240, 6120, 615, 315},
        {lblBandSwitch, {}, 4080, 5880, 615, 255},
        {Label30, {}, 4080, 6120, 615, 315},
        {Label2, {}, 5040, 6090, 1095, 375},
        {Label1, {}, 6240, 6090, 765, 375},
        {Label25, "SPC", 7080, 6090, 1095, 375},
        {Label17, {}, 1440, 5400, 855, 255, {}, {.Visible = false}},
        {Label22, {}, 2160, 5400, 735, 270, {}, {.Visible = false}},
        {Label18, {}, 120, 5400, 720, 255, {}, {.Visible = false}},
        {Label23, {}, 600, 5400, 735, 270, {}, {.Visible = false}},
        {Label20, "Continent", 3000, 5400, 825, 255, {}, {.Visible = false}},
        {Label19, {}, 3720, 5400, 735, 270, {}, {.Visible = false}},
        {Label3, {}, 4800, 960, 420, 255, {}, {.Visible = false}},
        {Label4, {}, 4080, 5040, 855, 375},
        {Command1, "Crnt Mode", 8400, 3120, 750, 220},
        {lblPostConDate, {}, 1560, 3960, 645, 285},
        {txtPostConDate, {}, 2280, 3960, 885, 285},
        {lblPostConTime, {}, 120, 3960, 735, 285},
        {txtPostConTime, {}, 885, 3960, 540, 285},
        {txtDX, {}, 360, 3480, 2175, 495},
        {lblDX, {}, 480, 1920, 855, 255},
        {Line3, {}, 4800, 6000, 9480, 6000},
        {Line8, {}, 4800, 2520, 4800, 6510},
    };
}

void OutfrmWindow::layout() {
    vb::ApplyDesign(*this, {}, DesignRows());
    mnuColors.setEnabled(false);
}

void OutfrmWindow::wireEvents() {
    wireEntryLine();
    wireBandAndMode();
    wireSpots();
}

void OutfrmWindow::OpenContactEditor() {
    DEEditOut().onDeleteDupe = [this] { cmdDelete_Click(); };
    DEEditOut().Show(vb::vbModal);
    if (auto* editor = vb::IfLoaded<DEEditOutWindow>()) vb::Unload(*editor);
}

void OutfrmWindow::LoadTwinParts() {
    lblDialog.setCaption("Select a band and mode. Click Log \"Time On\" below!");
    const std::pair<const char*, double> columns[] = {{"Rec#", 550}, {"Call", 1200}, {"Rec", 430},
                                                      {"County", 1420}, {"Snt", 420}, {"Date/Time", 900},
                                                      {"Mo", 430}, {"Bnd", 430}};
    for (auto [header, n] : columns) AddListColumn(ListView1, header, n);
}

void OutfrmWindow::ShowOwnStation() {
    Label25.setCaption(Station.OwnSpc.isEmpty() ? Station.OwnCountry : Station.OwnSpc);
    if (!Station.OwnCall.isEmpty()) Label2.setCaption(Station.OwnCall);
}

} // namespace tylog
