#include "spotting/SpottingWindowsLink.h"
#include "spotting/SpectrumMap.h"

namespace tylog {

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
