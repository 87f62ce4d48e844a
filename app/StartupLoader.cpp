#include "app/StartupLoader.h"
#include "platform/vb/FormScaling.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "core/StationSettingsFile.h"
#include "app/StationSetupWindow.h"
#include "keying/KeyerSettingsFiles.h"
#include "platform/Dialogs.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

namespace tylog {

namespace {

void showLoadError() { MsgBox("Error opening file", vbOKOnly, "Error opeining file"); }

void selectHostStateOption(frmStationIDWindow& f) {
    for (auto& [index, opt] : f.optState) {
        (void)index;
        // Selecting runs the option's click, which makes its caption the bold one.
        opt->setValue(opt->Caption().compare(Station.HostState, Qt::CaseInsensitive) == 0);
    }
}

void selectAnswers(frmStationIDWindow& f) {
    if (Station.OutOfStateFlag != 0) {
        f.Option2.setValue(true);
        f.fraRover.setEnabled(false);
        f.Option3.setEnabled(false);
        f.Option4.setEnabled(false);
    } else {
        f.Option1.setValue(true);
        f.fraRover.setEnabled(true);
        f.Option3.setEnabled(true);
        f.Option4.setEnabled(true);
    }
    if (Station.RoverFlag == 1) f.Option4.setValue(true);
    else f.Option3.setValue(true);
}

void fillFields(frmStationIDWindow& f) {
    const StationSettings& s = Station;
    f.Text1.setText(s.OwnCall);
    f.Text5.setText(s.OwnSpc);
    f.Text6.setText(FormatSingle(s.UtcOffsetHours));
    f.Text2.setText(s.OwnCountry);
    f.Text3.setText(FormatSingle(s.OwnLongitude));
    f.Text4.setText(FormatSingle(s.OwnLatitude));
    f.Text7.setText(s.OwnContinent);
    f.Text8.setText(s.CurrentCounty);
    f.Text9.setText(s.OwnArrlSection);
    f.Text10.setText(s.OwnName);
    f.Text11.setText(s.OwnCategory);
    f.Text12.setText(s.OwnCity);
}

} // namespace

void LoadStationSetup(frmStationIDWindow& f) {
    ScaleFormToScreen(f);
    try {
        LoadStationSettings();
        CheckUtcOffset();
        LoadPrefixTable();
        LoadStateCoords();
        selectHostStateOption(f);
        selectAnswers(f);
    } catch (const VbError&) {
        showLoadError();
        return;
    }
    try {
        LoadVoiceSettings();
    } catch (const VbError&) {
        showLoadError();
        // The station settings did load. Left unshown, the next "Done" would overwrite QSOpref.txt with
        // empty station data, as the CW window's "Done" would overwrite the CW messages.
        LoadCWSettings();
        fillFields(f);
        return;
    }
    LoadCWSettings();
    fillFields(f);
}

} // namespace tylog
