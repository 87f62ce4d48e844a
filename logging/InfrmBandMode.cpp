// Band and mode of the in-state window: what a change refreshes beyond the shared steps
// (LoggingBandMode.cpp).
#include "logging/Infrm.h"

namespace tylog {

void InfrmWindow::BandChangeRefresh() {
    UncheckBandItems();
    if (lblDX.Visible()) DisplayBandMapLabels();
    // "New" follows the band of a call being entered.
    if (!txtCall.Text().isEmpty()) txtCntry_Change();
}

void InfrmWindow::SelectMode(const QString& mode, vb::Menu& item) {
    LoggingWindow::SelectMode(mode, item);
    if (!txtCall.Text().isEmpty()) txtCntry_Change();
}

} // namespace tylog
