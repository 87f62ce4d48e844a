// Band and mode of the out-of-state window: what a change refreshes beyond the shared steps
// (LoggingBandMode.cpp).
#include "logging/Outfrm.h"

namespace tylog {

void OutfrmWindow::BandChangeRefresh() {
    UncheckBandItems();
    if (txtDX.Visible() || lblDX.Visible()) {
        BandMapScale();
        if (lblDX.Visible()) DisplayBandMapLabels();
    }
}

void OutfrmWindow::mnuDigital_Click() {
    LoggingWindow::mnuDigital_Click();
    txtRSTR.setMaxLength(3);
    txtRSTS.setMaxLength(3);
}

} // namespace tylog
