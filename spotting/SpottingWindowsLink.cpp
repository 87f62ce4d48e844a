#include "spotting/SpottingWindowsLink.h"
#include "spotting/PacketSpotfrm.h"
#include "spotting/SpotSettings.h"
#include "spotting/SpectrumMap.h"

namespace tylog {

// ---- The spotting window ------------------------------------------------------------------------

bool SpottingWindowsLink::OptList() const { return SpottingSettings.OptList; }

QString SpottingWindowsLink::Transport() const {
    if (!vb::IfLoaded<PacketSpotfrmWindow>()) return QStringLiteral("None");
    return SpottingSettings.Transport;
}

void SpottingWindowsLink::ShowSpottingWindow() {
    PacketSpotfrmWindow& w = PacketSpotfrm();
    w.setWindowState(vb::vbNormal);
    w.Show();
}

SpottingWindowsLink& InstalledSpottingLink() {
    static SpottingWindowsLink link;
    return link;
}

// ---- The spectrum map ---------------------------------------------------------------------------

bool SpottingWindowsLink::SpectrumMapVisible() const {
    const SpectrumMapWindow* map = vb::IfLoaded<SpectrumMapWindow>();
    return map && map->Visible();
}

void SpottingWindowsLink::SpectrumMapRedraw() {
    if (SpectrumMapWindow* map = vb::IfLoaded<SpectrumMapWindow>()) map->BandMapLabelDisplay();
}

void SpottingWindowsLink::ShowSpectrumMap() {
    // Already up (a second opening while it shows) it stays as it is: one modal show, one unload.
    if (SpectrumMapVisible()) return;
    SpectrumMap().Show(vb::vbModal);
    if (SpectrumMapWindow* map = vb::IfLoaded<SpectrumMapWindow>()) vb::Unload(*map);
}

} // namespace tylog
