// Band and mode of the out-of-state window: menus, the two labels, and the radio's reports.
#include "logging/Outfrm.h"
#include "core/ProcessState.h"
#include "core/StationSettingsFile.h"
#include "rig/BandRules.h"
#include "platform/VbError.h"
#include "platform/Diagnostics.h"

namespace tylog {

void OutfrmWindow::wireBandAndMode() {
    const std::pair<vb::Menu*, const char*> bands[] = {
        {&mnuBand160Ch, "160"}, {&mnuBand80Ch, "80"}, {&mnuBand40Ch, "40"}, {&mnuBand20Ch, "20"},
        {&mnuBand15Ch, "15"},   {&mnuBand10Ch, "10"}, {&mnuBand6Ch, "6"},   {&mnuBand2Ch, "2"},
        {&mnuBand125CH, "1.25"}, {&mnuBand70CH, "70"}};
    for (auto [item, band] : bands) {
        const QString b = band;
        item->Click = [this, b] { SelectBand(b); };
    }
    mnu160.Click = [this] { mnu160_Click(); };
    mnuSSB.Click = [this] { mnuSSB_Click(); };
    mnuDigital.Click = [this] { mnuDigital_Click(); };
    Label24.Click = [this] { Label24_Click(); };
    Label30.Click = [this] { Label30_Click(); };
}

vb::Menu* OutfrmWindow::bandItem(const QString& band) {
    const std::pair<vb::Menu*, const char*> bands[] = {
        {&mnuBand160Ch, "160"}, {&mnuBand80Ch, "80"}, {&mnuBand40Ch, "40"}, {&mnuBand20Ch, "20"},
        {&mnuBand15Ch, "15"},   {&mnuBand10Ch, "10"}, {&mnuBand6Ch, "6"},   {&mnuBand2Ch, "2"},
        {&mnuBand125CH, "1.25"}, {&mnuBand70CH, "70"}};
    for (auto [item, b] : bands)
        if (band.compare(b, Qt::CaseInsensitive) == 0) return item;
    return nullptr;
}

void OutfrmWindow::SelectBand(const QString& band) {
    Station.CurrentBand = band;
    BandChangeRefresh();
    if (vb::Menu* item = bandItem(band)) item->setChecked(true);
    Label24.setCaption(band);
    SaveStationSettings();
    ReloadAndRescore();
}

void OutfrmWindow::BandChangeRefresh() {
    for (const char* b : {"160", "80", "40", "20", "15", "10", "6", "2", "1.25", "70"}) bandItem(b)->setChecked(false);
    if (txtDX.Visible() || lblDX.Visible()) {
        BandMapScale();
        if (lblDX.Visible()) DisplayBandMapLabels();
    }
}

void OutfrmWindow::SelectMode(const QString& mode, vb::Menu& item) {
    Station.CurrentMode = mode;
    Label30.setCaption(mode);
    SaveStationSettings();
    ReloadAndRescore();
    for (vb::Menu* m : {&mnu160, &mnuSSB, &mnuDigital}) m->setChecked(m == &item);
}

void OutfrmWindow::mnu160_Click() { SelectMode("CW", mnu160); }
void OutfrmWindow::mnuSSB_Click() { SelectMode("PH", mnuSSB); }

void OutfrmWindow::mnuDigital_Click() {
    SelectMode("DG", mnuDigital);
    txtRSTR.setMaxLength(3);
    txtRSTS.setMaxLength(3);
}

void OutfrmWindow::Label24_Click() {
    const char* cycle[] = {"160", "80", "40", "20", "15", "10", "6", "2"};
    for (int i = 0; i < 8; ++i) {
        if (Station.CurrentBand.compare(cycle[i], Qt::CaseInsensitive) == 0) {
            SelectBand(cycle[(i + 1) % 8]);
            return;
        }
    }
}

void OutfrmWindow::Label30_Click() {
    if (Station.CurrentMode.compare("CW", Qt::CaseInsensitive) != 0) mnu160_Click();
    else mnuSSB_Click();
}

void OutfrmWindow::BandFreqConversion(float frequencyValue) {
    try {
        const QString band = BandForFrequency(frequencyValue);
        if (!band.isEmpty() && band.compare(Station.CurrentBand, Qt::CaseInsensitive) != 0 && BandSwitchesWindow(band))
            SelectBand(band);
        Run.RigFrequencyText = FrequencyText(frequencyValue);
    } catch (const VbError& e) {
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
}

void OutfrmWindow::ModeSelection(const QString& strMode) {
    try {
        if (strMode.isEmpty() || strMode.compare(Station.CurrentMode, Qt::CaseInsensitive) == 0) return;
        if (strMode.compare("PH", Qt::CaseInsensitive) == 0) mnuSSB_Click();
        else if (strMode.compare("CW", Qt::CaseInsensitive) == 0) mnu160_Click();
    } catch (const VbError& e) {
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
}

} // namespace tylog
