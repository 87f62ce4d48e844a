// Menu commands both logging windows share: new log, ADIF export, the submission file, the keyer setup
// windows, voice navigation, the list of previous contacts, clearing the entry line, help, the rate graph,
// the county map and the county list.
#include "logtools/CountyList.h"
#include "logtools/CountyMapTY.h"
#include "logtools/DECabrilloIn.h"
#include "logtools/GraphQSO.h"
#include "logtools/HelpWindow.h"
#include "core/ProcessState.h"
#include "core/StationSettingsFile.h"
#include "keying/BlindFrm.h"
#include "keying/CWFrm.h"
#include "keying/PhoneFrm.h"
#include "logging/LoggingWindow.h"
#include "logstore/AdifExport.h"
#include "logstore/ContactLog.h"
#include "platform/Dialogs.h"
#include "platform/VbError.h"
#include "platform/vb/Forms.h"
#include "rig/RigControlfrm.h"
#include "spotting/SpottingLink.h"

namespace tylog {

namespace {
// The keyer windows are kept loaded. One already open beside the logging window (its Ctrl shortcut
// shows it modeless) cannot turn modal: it is brought forward instead.
void showKept(vb::Form& f) {
    if (f.isVisible()) f.Show();
    else f.Show(vb::vbModal);
}
} // namespace

void LoggingWindow::wireMenus() {
    mnuNew.Click = [this] { mnuNew_Click(); };
    mnuexportADIF.Click = [this] { mnuexportADIF_Click(); };
    mnuCW.Click = [this] { mnuCW_Click(); };
    mnuVoice.Click = [this] { mnuVoice_Click(); };
    mnuListPrevious.Click = [this] { mnuListPrevious_Click(); };
    mnuHelp.Click = [this] { mnuHelp_Click(); };
    mnuClear.Click = [this] { mnuClear_Click(); };
    mnuBlind.Click = [this] { mnuBlind_Click(); };
    mnuWriteSumm.Click = [this] { mnuWriteSumm_Click(); };
    mnuGraph.Click = [this] { mnuGraph_Click(); };
    mnuMap.Click = [this] { mnuMap_Click(); };
    mnuCountyList.Click = [this] { mnuCountyList_Click(); };
    mnuRigInterface.Click = [] { RigControlfrm().Show(); };
    mnuDXSpotting.Click = [this] { mnuDXSpotting_Click(); };
    // The other windows of the menus ("&Privileges") are wired as they come; "&View Spectrum Map" with
    // the spot area (LoggingSpots.cpp).
}

void LoggingWindow::mnuNew_Click() {
    try {
        NewLog();
    } catch (const VbError& e) {
        // The log could not be backed up or emptied: it is left as it was.
        Beep();
        MsgBox(e.Description, vbOKOnly, "Unable to write file.");
    }
    ReloadAndRescore();
    ShowOperatingTime();
    UpdateRateMeter();
    SaveStationSettings();
}

void LoggingWindow::mnuexportADIF_Click() { ExportADIF(); }

void LoggingWindow::mnuCW_Click() { showKept(CWFrm()); }

void LoggingWindow::mnuVoice_Click() { showKept(PhoneFrm()); }

void LoggingWindow::mnuListPrevious_Click() {
    Station.ListPreviousOption = 0;
    if (mnuListPrevious.Checked()) {
        mnuListPrevious.setChecked(false);
    } else {
        mnuListPrevious.setChecked(true);
        Station.ListPreviousOption = 1;
    }
    SaveStationSettings();
}

void LoggingWindow::mnuClear_Click() { ClearEntry(); }

// Voice navigation stays open beside the logging window.
void LoggingWindow::mnuBlind_Click() { BlindFrm().Show(); }

void LoggingWindow::mnuDXSpotting_Click() {
    SaveStationSettings();
    spottingLink().ShowSpottingWindow();
}

// The summary sheet reads the score and the multiplier totals of this window as they are shown.
void LoggingWindow::mnuWriteSumm_Click() {
    DECabrilloInWindow& sheet = DECabrilloIn();
    sheet.Totals = {twin_ == Twin::InState ? CabrilloWindow::InState : CabrilloWindow::OutOfState,
                    lblTotScore.Caption(), List2.ListCount(), List1.ListCount(), Run.MultiplierCount};
    sheet.Show(vb::vbModal);
    if (auto* f = vb::IfLoaded<DECabrilloInWindow>()) vb::Unload(*f);
}

void LoggingWindow::mnuHelp_Click() {
    Form5().Show(vb::vbModal);
    if (auto* f = vb::IfLoaded<Form5Window>()) vb::Unload(*f);
}

void LoggingWindow::mnuGraph_Click() {
    GraphQSO().Show(vb::vbModal);
    if (auto* f = vb::IfLoaded<GraphQSOWindow>()) vb::Unload(*f);
}

// The map paints the counties of this window's worked-county list.
void LoggingWindow::mnuMap_Click() {
    CountyMapTYWindow& map = CountyMapTY();
    QStringList worked;
    for (int i = 0; i < List2.ListCount(); ++i) worked << List2.List(i);
    map.WorkedCounties = worked;
    map.Show(vb::vbModal);
    if (auto* f = vb::IfLoaded<CountyMapTYWindow>()) vb::Unload(*f);
}

// The county picked goes into this window's county box, and nothing more happens until the
// operator goes on.
void LoggingWindow::mnuCountyList_Click() {
    frmCountyList().onCountyPicked = [this](const QString& county) { txtSec.setText(county); };
    frmCountyList().Show(vb::vbModal);
    if (auto* f = vb::IfLoaded<frmCountyListWindow>()) vb::Unload(*f);
}

} // namespace tylog
