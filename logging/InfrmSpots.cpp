// The band map and spot list of the in-state window. The spotting window reaches these through Form1;
// until the spot area lands here they do nothing and the area stays hidden.
#include "logging/Infrm.h"

namespace tylog {

void InfrmWindow::wireSpots() {}

void InfrmWindow::PacketResize() {}

void InfrmWindow::DisplayBandMapLabels() {}

void InfrmWindow::BandMapSpots(const QVariant& qDXSpotCall, const QVariant& qDXSpotFreq, const QVariant& qDXSpotRecord) {
    (void)qDXSpotCall;
    (void)qDXSpotFreq;
    (void)qDXSpotRecord;
}

} // namespace tylog
