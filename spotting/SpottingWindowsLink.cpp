#include "spotting/SpottingWindowsLink.h"
#include "spotting/PacketSpotfrm.h"
#include "spotting/SpotSettings.h"

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

// ---- The spectrum map ---------------------------------------------------------------------------

SpottingWindowsLink& InstalledSpottingLink() {
    static SpottingWindowsLink link;
    return link;
}

} // namespace tylog
