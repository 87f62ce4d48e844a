#pragma once
// The spot area of the logging windows: the DX list and the band map at the bottom of the window,
// fed by the spotting window through Form1. Written once for both twins; the windows' handlers
// (LoggingSpots.cpp: BandMapSpots, PacketResize, BandMapScale, DisplayBandMapLabels, txtDX_Click,
// lblDXSpot_MouseDown, lblDXSpot_MouseMove) call these with the window itself.
#include <QVariant>

namespace tylog {

class LoggingWindow;

// Stores a spot (call, frequency in kHz as text, the cluster line less its first three characters)
// in DXSpotTable, redraws the band map and the spectrum map where they show, and lists it at the top
// of the DX list (200 rows at most). A spot whose frequency or call does not pass is dropped.
void TakeSpot(LoggingWindow& w, const QVariant& call, const QVariant& khz, const QVariant& record);

// Switches the view, opens or closes the spot area as the spotting window's choices say.
void ResizeSpotArea(LoggingWindow& w);

// The five scale captions for the current band, narrowed to the spots on it.
void ScaleBandMap(LoggingWindow& w);

// Draws the band map from DXSpotTable while it shows; nothing otherwise.
void DrawBandMap(LoggingWindow& w);

// A click on the DX list: tunes the radio to the selected row (unless there is no radio) and puts
// its call into the call box.
void TuneToListedSpot(LoggingWindow& w);

// A mouse button on spot label `index`: the right one tunes the radio, fills the call box and moves
// on with a Tab; any other removes the spot from the band maps.
void PressSpotLabel(LoggingWindow& w, int index, int button);

// The pointer over spot label `index`: the partial-duplicate line shows the label's tool tip.
void ShowSpotLabelTip(LoggingWindow& w, int index);

} // namespace tylog
