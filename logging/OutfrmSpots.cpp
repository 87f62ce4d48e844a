// Spot intake, spot list and band map of the out-of-state window.
#include "logging/Outfrm.h"

namespace tylog {

// The spot area comes with the spotting window; until then spots have nowhere to go.
void OutfrmWindow::PacketResize() {}
void OutfrmWindow::DisplayBandMapLabels() {}
void OutfrmWindow::BandMapScale() {}
void OutfrmWindow::BandMapSpots(QVariant&, QVariant&, QVariant&) {}

} // namespace tylog
