// The DX list and band map of both logging windows: the handlers, over the spot area (SpotArea.cpp).
// The spotting window reaches BandMapSpots, PacketResize and DisplayBandMapLabels through Form1.
#include "logging/LoggingWindow.h"
#include "logging/SpotArea.h"
#include "spotting/SpottingLink.h"

namespace tylog {

void LoggingWindow::wireSpots() {
    txtDX.Click = [this] { txtDX_Click(); };
    txtDX.DblClick = [this] { txtDX_DblClick(); };
    lblDX.Click = [this] { lblDX_Click(); };
    lblDX.DblClick = [this] { lblDX_DblClick(); };
    mnuSpectrumMap.Click = [this] { mnuSpectrumMap_Click(); };
    for (auto& [index, label] : lblDXSpot) {
        const int i = index;
        label->MouseDown = [this, i](int b, int s, double x, double y) { lblDXSpot_MouseDown(i, b, s, x, y); };
        label->MouseMove = [this, i](int b, int s, double x, double y) { lblDXSpot_MouseMove(i, b, s, x, y); };
    }
}

void LoggingWindow::BandMapSpots(const QVariant& qDXSpotCall, const QVariant& qDXSpotFreq, const QVariant& qDXSpotRecord) {
    TakeSpot(*this, qDXSpotCall, qDXSpotFreq, qDXSpotRecord);
}

void LoggingWindow::PacketResize() { ResizeSpotArea(*this); }
void LoggingWindow::BandMapScale() { ScaleBandMap(*this); }
void LoggingWindow::DisplayBandMapLabels() { DrawBandMap(*this); }

void LoggingWindow::lblDXSpot_MouseMove(int Index, int Button, int Shift, double X, double Y) {
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
    ShowSpotLabelTip(*this, Index);
}

void LoggingWindow::lblDXSpot_MouseDown(int Index, int Button, int Shift, double X, double Y) {
    (void)Shift;
    (void)X;
    (void)Y;
    PressSpotLabel(*this, Index, Button);
}

void LoggingWindow::txtDX_Click() { TuneToListedSpot(*this); }
void LoggingWindow::txtDX_DblClick() { spottingLink().ShowSpectrumMap(); }
void LoggingWindow::lblDX_DblClick() { spottingLink().ShowSpectrumMap(); }
void LoggingWindow::mnuSpectrumMap_Click() { spottingLink().ShowSpectrumMap(); }
void LoggingWindow::lblDX_Click() { spottingLink().ShowSpottingWindow(); }

} // namespace tylog
