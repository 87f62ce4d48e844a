#pragma once
// What the logging windows need of the spotting window and the spectrum map, behind one link so that
// they can be built before those windows exist. The spotting window installs its own link when it
// lands: the view choice is its "list" option button (set: spot list, clear: band map), the
// transport the text of its transport list. Until then the installed link reports spotting off
// ("None"), the spot list as the chosen view and no spectrum map, and the show requests do nothing.
#include "core/Link.h"

#include <QString>

namespace tylog {

class SpottingLink {
public:
    virtual ~SpottingLink() = default;
    // PacketSpotfrm.OptList: true = the operator wants the spot list, false = the band map.
    virtual bool OptList() const { return true; }
    // PacketSpotfrm.List1: "None", "TNC", "Telnet" or "AGW Packet Engine".
    virtual QString Transport() const { return QStringLiteral("None"); }
    // Whether the spectrum map window is shown.
    virtual bool SpectrumMapVisible() const { return false; }
    // SpectrumMap.BandMapLabelDisplay: redraws the spectrum map's labels from DXSpotTable.
    virtual void SpectrumMapRedraw() {}
    // Shows the spectrum map modally and unloads it when it closes.
    virtual void ShowSpectrumMap() {}
    // Shows the spotting window modeless.
    virtual void ShowSpottingWindow() {}
};

// The installed link (Link<SpottingLink>); the do-nothing one unless another is installed.
inline SpottingLink& spottingLink() { return Link<SpottingLink>::get(); }

} // namespace tylog
