// Spot intake, spot list and band map of the out-of-state window: the handlers, over the spot area
// both logging windows share (SpotArea.cpp).
#include "logging/Outfrm.h"
#include "logging/SpotArea.h"
#include "spotting/SpottingLink.h"

namespace tylog {

void OutfrmWindow::wireSpots() {
    txtDX.Click = [this] { txtDX_Click(); };
    txtDX.DblClick = [this] { txtDX_DblClick(); };
    lblDX.Click = [this] { lblDX_Click(); };
    lblDX.DblClick = [this] { lblDX_DblClick(); };
    for (auto& [index, label] : lblDXSpot) {
        const int i = index;
        label->MouseDown = [this, i](int b, int s, double x, double y) { lblDXSpot_MouseDown(i, b, s, x, y); };
        label->MouseMove = [this, i](int b, int s, double x, double y) { lblDXSpot_MouseMove(i, b, s, x, y); };
    }
}

void OutfrmWindow::BandMapSpots(const QVariant& qDXSpotCall, const QVariant& qDXSpotFreq, const QVariant& qDXSpotRecord) {
    TakeSpot(*this, qDXSpotCall, qDXSpotFreq, qDXSpotRecord);
}

void OutfrmWindow::PacketResize() { ResizeSpotArea(*this); }
void OutfrmWindow::BandMapScale() { ScaleBandMap(*this); }
void OutfrmWindow::DisplayBandMapLabels() { DrawBandMap(*this); }

void OutfrmWindow::lblDXSpot_MouseMove(int Index, int Button, int Shift, double X, double Y) {
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
    ShowSpotLabelTip(*this, Index);
}

void OutfrmWindow::lblDXSpot_MouseDown(int Index, int Button, int Shift, double X, double Y) {
    (void)Shift;
    (void)X;
    (void)Y;
    PressSpotLabel(*this, Index, Button);
}

void OutfrmWindow::txtDX_Click() { TuneToListedSpot(*this); }
void OutfrmWindow::txtDX_DblClick() { spottingLink().ShowSpectrumMap(); }
void OutfrmWindow::lblDX_DblClick() { spottingLink().ShowSpectrumMap(); }
void OutfrmWindow::lblDX_Click() { spottingLink().ShowSpottingWindow(); }

} // namespace tylog
