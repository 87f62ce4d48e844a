// The DX list and band map of the in-state window: the handlers, over the spot area both logging
// windows share (SpotArea.cpp). The spotting window reaches BandMapSpots, PacketResize and
// DisplayBandMapLabels through Form1.
#include "logging/Infrm.h"
#include "logging/SpotArea.h"
#include "spotting/SpottingLink.h"

namespace tylog {

void InfrmWindow::wireSpots() {
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

void InfrmWindow::BandMapSpots(const QVariant& qDXSpotCall, const QVariant& qDXSpotFreq, const QVariant& qDXSpotRecord) {
    TakeSpot(*this, qDXSpotCall, qDXSpotFreq, qDXSpotRecord);
}

void InfrmWindow::PacketResize() { ResizeSpotArea(*this); }
void InfrmWindow::BandMapScale() { ScaleBandMap(*this); }
void InfrmWindow::DisplayBandMapLabels() { DrawBandMap(*this); }

void InfrmWindow::lblDXSpot_MouseMove(int Index, int Button, int Shift, double X, double Y) {
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
    ShowSpotLabelTip(*this, Index);
}

void InfrmWindow::lblDXSpot_MouseDown(int Index, int Button, int Shift, double X, double Y) {
    (void)Shift;
    (void)X;
    (void)Y;
    PressSpotLabel(*this, Index, Button);
}

void InfrmWindow::txtDX_Click() { TuneToListedSpot(*this); }
void InfrmWindow::txtDX_DblClick() { spottingLink().ShowSpectrumMap(); }
void InfrmWindow::lblDX_DblClick() { spottingLink().ShowSpectrumMap(); }
void InfrmWindow::lblDX_Click() { spottingLink().ShowSpottingWindow(); }

} // namespace tylog
