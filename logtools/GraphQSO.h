#pragma once
// The QSO-rate graph: the rate curve of the whole log with its band strip, on a black or white
// background. The logging windows show it modally and unload it when it closes. What is drawn comes
// from ComputeRateGraph (RateGraph.h); the window lays out the plot, fits itself to the work area and
// replays the drawing on its picture box.
#include "logtools/RateGraph.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"
#include "platform/vb/PictureBox.h"

namespace tylog {

class GraphQSOWindow : public vb::Form {
public:
    GraphQSOWindow();

    // The drawing surface covers the window's inner area; every other control sits on it, so the
    // lines' ends and the drawing share one set of coordinates.
    vb::PictureBox picGraph{*this, "picGraph"};
    vb::Line Line1{*this, "Line1", &picGraph}; // top of the plot
    vb::Line Line2{*this, "Line2", &picGraph}; // bottom of the plot: the zero reference
    vb::Line Line3{*this, "Line3", &picGraph}; // right end of the time axis
    vb::Line Line4{*this, "Line4", &picGraph}; // left end of the time axis
    vb::Line Line8{*this, "Line8", &picGraph}; // upper edge of the band strip
    vb::Line Line9{*this, "Line9", &picGraph}; // lower edge of the band strip
    vb::ControlArray<vb::Line> LineGrid;       // 0..14, the rate grid, top to bottom
    vb::ControlArray<vb::Label> lblY;          // 0..16, the rate axis, bottom to top
    vb::ControlArray<vb::Label> lblTime;       // 0..14
    vb::ControlArray<vb::Label> lblDate;       // 0..14
    vb::Label Label1{*this, "Label1", &picGraph};
    vb::ControlArray<vb::Label> lblBnd; // 0..6, the band legend
    vb::CommandButton Command1{*this, "Command1", &picGraph};

    void Form_Load() override;
    void Command1_Click();
    void DrawRateGraph();

    // The working data of the last drawing.
    RateGraph Graph;
};

inline GraphQSOWindow& GraphQSO() { return vb::Instance<GraphQSOWindow>(); }

inline const char* const GraphQSOCaption = " Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)";
inline const char* const BlackBackgroundCaption = "Black Background";
inline const char* const WhiteBackgroundCaption = "White Background";
inline constexpr long GraphGridColor = 0x808080;

} // namespace tylog
