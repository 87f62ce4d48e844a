// The in-state window's own menu items (own county, colours), its contact editor, the own-county
// label's CW macro, the list heights and the tool windows it unloads.
#include "core/ProcessState.h"
#include "core/StationSettingsFile.h"
#include "keying/KeyerState.h"
#include "logging/Infrm.h"
#include "logtools/ColorChooser.h"
#include "logtools/CountyChange.h"
#include "logtools/DEEditInfrm.h"
#include "platform/vb/Forms.h"

namespace tylog {

void InfrmWindow::wireOwnMenus() {
    if (vb::Menu* m = mnuChangeCounty()) m->Click = [this] { mnuChangeCounty_Click(); };
    mnuColors.Click = [this] { mnuColors_Click(); };
    Label25.Change = [this] { Label25_Change(); };
}

void InfrmWindow::mnuChangeCounty_Click() {
    frmCountyChange().Show(vb::vbModal);
    if (auto* f = vb::IfLoaded<frmCountyChangeWindow>()) vb::Unload(*f);
    SaveStationSettings();
    Label25.setCaption(Station.CurrentCounty);
}

// The grid and the lists are drawn again in the new colours.
void InfrmWindow::mnuColors_Click() {
    Form6().Show(vb::vbModal);
    if (auto* f = vb::IfLoaded<Form6Window>()) vb::Unload(*f);
    SaveStationSettings();
    ReloadAndRescore();
}

void InfrmWindow::Label25_Change() { Keyer.CWMacroCounty = Label25.Caption(); }

void InfrmWindow::SetListHeights() {
    LoggingWindow::SetListHeights();
    List3.setHeight(List1.Height());
}

void InfrmWindow::ClearEntry() {
    LoggingWindow::ClearEntry();
    lblStation[4].setEnabled(false);
}

// With the boxes empty no county can be typed until a host-state station is.
void InfrmWindow::EmptyEntryLine() {
    LoggingWindow::EmptyEntryLine();
    lblStation[4].setEnabled(false);
}

void InfrmWindow::OpenContactEditor() {
    DEEditInfrm().onDeleteDupe = [this] { cmdDelete_Click(); };
    DEEditInfrm().Show(vb::vbModal);
    if (auto* editor = vb::IfLoaded<DEEditInfrmWindow>()) vb::Unload(*editor);
}

void InfrmWindow::UnloadTwinToolWindows() {
    if (auto* f = vb::IfLoaded<frmCountyChangeRoverWindow>()) vb::Unload(*f);
}

} // namespace tylog
