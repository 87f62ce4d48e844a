// Band and mode of both logging windows: menus, the two labels, and the radio's reports. What a
// change then refreshes is each window's own (BandChangeRefresh, SelectMode).
#include "core/ProcessState.h"
#include "core/StationSettingsFile.h"
#include "logging/LoggingWindow.h"
#include "platform/Diagnostics.h"
#include "platform/VbError.h"
#include "rig/BandRules.h"

namespace tylog {

namespace {
struct BandItem {
    vb::Menu LoggingWindow::*item;
    const char* band;
};
constexpr BandItem kBands[] = {
    {&LoggingWindow::mnuBand160Ch, "160"}, {&LoggingWindow::mnuBand80Ch, "80"}, {&LoggingWindow::mnuBand40Ch, "40"},
    {&LoggingWindow::mnuBand20Ch, "20"},   {&LoggingWindow::mnuBand15Ch, "15"}, {&LoggingWindow::mnuBand10Ch, "10"},
    {&LoggingWindow::mnuBand6Ch, "6"},     {&LoggingWindow::mnuBand2Ch, "2"},   {&LoggingWindow::mnuBand125CH, "1.25"},
    {&LoggingWindow::mnuBand70CH, "70"}};
} // namespace

void LoggingWindow::wireBandAndMode() {
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

vb::Menu* LoggingWindow::bandItem(const QString& band) {
    for (const BandItem& b : kBands)
        if (band.compare(b.band, Qt::CaseInsensitive) == 0) return &(this->*b.item);
    return nullptr;
}

void LoggingWindow::UncheckBandItems() {
    for (const BandItem& b : kBands) (this->*b.item).setChecked(false);
}

void LoggingWindow::SelectBand(const QString& band) {
    Station.CurrentBand = band;
    BandChangeRefresh();
    if (vb::Menu* item = bandItem(band)) item->setChecked(true);
    Label24.setCaption(band);
    SaveStationSettings();
    ReloadAndRescore();
}

void LoggingWindow::SelectMode(const QString& mode, vb::Menu& item) {
    Station.CurrentMode = mode;
    Label30.setCaption(mode);
    SaveStationSettings();
    ReloadAndRescore();
    for (vb::Menu* m : {&mnu160, &mnuSSB, &mnuDigital}) m->setChecked(m == &item);
}

void LoggingWindow::mnu160_Click() { SelectMode("CW", mnu160); }
void LoggingWindow::mnuSSB_Click() { SelectMode("PH", mnuSSB); }
void LoggingWindow::mnuDigital_Click() { SelectMode("DG", mnuDigital); }

void LoggingWindow::Label24_Click() {
    const char* cycle[] = {"160", "80", "40", "20", "15", "10", "6", "2"};
    for (int i = 0; i < 8; ++i) {
        if (Station.CurrentBand.compare(cycle[i], Qt::CaseInsensitive) == 0) {
            SelectBand(cycle[(i + 1) % 8]);
            return;
        }
    }
}

void LoggingWindow::Label30_Click() {
    if (Station.CurrentMode.compare("CW", Qt::CaseInsensitive) != 0) mnu160_Click();
    else mnuSSB_Click();
}

void LoggingWindow::BandFreqConversion(float frequencyValue) {
    try {
        const QString band = BandForFrequency(frequencyValue);
        if (!band.isEmpty() && band.compare(Station.CurrentBand, Qt::CaseInsensitive) != 0 && BandSwitchesWindow(band))
            SelectBand(band);
        // Before the radio reported a frequency it hands on 0: no frequency to log.
        Run.RigFrequencyText = frequencyValue > 0 ? FrequencyText(frequencyValue) : QString();
    } catch (const VbError& e) {
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
}

void LoggingWindow::ModeSelection(const QString& strMode) {
    try {
        if (strMode.isEmpty() || strMode.compare(Station.CurrentMode, Qt::CaseInsensitive) == 0) return;
        if (strMode.compare("PH", Qt::CaseInsensitive) == 0) mnuSSB_Click();
        else if (strMode.compare("CW", Qt::CaseInsensitive) == 0) mnu160_Click();
    } catch (const VbError& e) {
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
}

} // namespace tylog
