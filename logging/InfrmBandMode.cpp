// Band and mode of the in-state window: menus, the two labels, and the radio's reports.
#include "core/ProcessState.h"
#include "core/StationSettingsFile.h"
#include "logging/Infrm.h"
#include "platform/VbError.h"
#include "rig/BandRules.h"
#include "platform/Diagnostics.h"

namespace tylog {

namespace {
struct BandItem {
    vb::Menu InfrmWindow::*item;
    const char* band;
};
constexpr BandItem kBands[] = {
    {&InfrmWindow::mnuBand160Ch, "160"}, {&InfrmWindow::mnuBand80Ch, "80"},   {&InfrmWindow::mnuBand40Ch, "40"},
    {&InfrmWindow::mnuBand20Ch, "20"},   {&InfrmWindow::mnuBand15Ch, "15"},   {&InfrmWindow::mnuBand10Ch, "10"},
    {&InfrmWindow::mnuBand6Ch, "6"},     {&InfrmWindow::mnuBand2Ch, "2"},     {&InfrmWindow::mnuBand125CH, "1.25"},
    {&InfrmWindow::mnuBand70CH, "70"}};
} // namespace

void InfrmWindow::wireBandAndMode() {
    for (const BandItem& b : kBands) {
        const QString band = b.band;
        (this->*b.item).Click = [this, band] { SelectBand(band); };
    }
    mnu160.Click = [this] { mnu160_Click(); };
    mnuSSB.Click = [this] { mnuSSB_Click(); };
    mnuDigital.Click = [this] { mnuDigital_Click(); };
    Label24.Click = [this] { Label24_Click(); };
    Label30.Click = [this] { Label30_Click(); };
}

vb::Menu* InfrmWindow::bandItem(const QString& band) {
    for (const BandItem& b : kBands)
        if (band.compare(b.band, Qt::CaseInsensitive) == 0) return &(this->*b.item);
    return nullptr;
}

void InfrmWindow::SelectBand(const QString& band) {
    Station.CurrentBand = band;
    BandChangeRefresh();
    if (vb::Menu* item = bandItem(band)) item->setChecked(true);
    Label24.setCaption(band);
    SaveStationSettings();
    ReloadAndRescore();
}

void InfrmWindow::BandChangeRefresh() {
    for (const BandItem& b : kBands) (this->*b.item).setChecked(false);
    if (lblDX.Visible()) DisplayBandMapLabels();
    // "New" follows the band of a call being entered.
    if (!txtCall.Text().isEmpty()) txtCntry_Change();
}

void InfrmWindow::SelectMode(const QString& mode, vb::Menu& item) {
    Station.CurrentMode = mode;
    Label30.setCaption(mode);
    SaveStationSettings();
    ReloadAndRescore();
    for (vb::Menu* m : {&mnu160, &mnuSSB, &mnuDigital}) m->setChecked(m == &item);
    if (!txtCall.Text().isEmpty()) txtCntry_Change();
}

void InfrmWindow::mnu160_Click() { SelectMode("CW", mnu160); }
void InfrmWindow::mnuSSB_Click() { SelectMode("PH", mnuSSB); }
void InfrmWindow::mnuDigital_Click() { SelectMode("DG", mnuDigital); }

void InfrmWindow::Label24_Click() {
    const char* cycle[] = {"160", "80", "40", "20", "15", "10", "6", "2"};
    for (int i = 0; i < 8; ++i) {
        if (Station.CurrentBand.compare(cycle[i], Qt::CaseInsensitive) == 0) {
            SelectBand(cycle[(i + 1) % 8]);
            return;
        }
    }
}

void InfrmWindow::Label30_Click() {
    if (Station.CurrentMode.compare("CW", Qt::CaseInsensitive) != 0) mnu160_Click();
    else mnuSSB_Click();
}

void InfrmWindow::BandFreqConversion(float frequencyValue) {
    try {
        const QString band = BandForFrequency(frequencyValue);
        if (!band.isEmpty() && band.compare(Station.CurrentBand, Qt::CaseInsensitive) != 0 && BandSwitchesWindow(band))
            SelectBand(band);
        Run.RigFrequencyText = FrequencyText(frequencyValue);
    } catch (const VbError& e) {
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
}

void InfrmWindow::ModeSelection(const QString& strMode) {
    try {
        if (strMode.isEmpty() || strMode.compare(Station.CurrentMode, Qt::CaseInsensitive) == 0) return;
        if (strMode.compare("PH", Qt::CaseInsensitive) == 0) mnuSSB_Click();
        else if (strMode.compare("CW", Qt::CaseInsensitive) == 0) mnu160_Click();
    } catch (const VbError& e) {
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
}

} // namespace tylog
