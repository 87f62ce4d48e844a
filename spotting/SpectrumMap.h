#pragma once
// The spectrum map: the recent spots of DXSpotTable on eleven band rows, 160 m to 2 m, each row a
// frequency axis whose five scale captions narrow to the spots on it. Built from labels and lines;
// the logging windows show it modally through the spotting link and unload it when it closes. The
// rules (rows, zoom, captions, placement, age colours) are in SpectrumRules.h.
#include "spotting/SpectrumRules.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

namespace tylog {

class SpectrumMapWindow : public vb::Form {
public:
    SpectrumMapWindow();

    vb::ControlArray<vb::Label> lblHFSpots;  // 0..10, the dark band behind each row
    vb::ControlArray<vb::Line> lineHF;       // 0..10, each row's axis: X1 its low end, X2 its high end
    vb::ControlArray<vb::Label> lblFreqSpot; // 0..54, label 5k + j at the quarter point j of row k
    vb::ControlArray<vb::Label> lblDXSpot;   // 0..49, label i shows slot i of DXSpotTable

    void Form_Load() override;
    void Form_Activate() override;
    // Redraws every spot label from DXSpotTable, the scales first; safe shown or hidden.
    void BandMapLabelDisplay();
    void lblDXSpot_MouseDown(int Index, int Button, int Shift, double X, double Y);

private:
    void LayoutFrequencyScales();
    void FitToWorkArea();
};

inline SpectrumMapWindow& SpectrumMap() { return vb::Instance<SpectrumMapWindow>(); }

inline const char* const SpectrumMapCaption = " HF Spectrum Map";

} // namespace tylog
