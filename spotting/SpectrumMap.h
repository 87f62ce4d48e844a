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
    vb::ControlArray<vb::Label> lblDXSpot;   // 0..49, one per spot shown (LabelOfSlot)

    void Form_Load() override;
    void Form_Activate() override;
    // Redraws every spot label from DXSpotTable, the scales first; safe shown or hidden.
    void BandMapLabelDisplay();
    // A button pressed on a spot label: the right one tunes to its spot, puts the call into the entry
    // line and closes the map; any other removes the spot.
    void lblDXSpot_MouseDown(int Index, int Button, int Shift, double X, double Y);

    // The label that shows slot `slot` since the last redraw; nullptr when the slot is not shown. A
    // label keeps its spot while the spot moves down the table (AssignSpotLabels).
    vb::Label* LabelOfSlot(int slot);

private:
    static constexpr int kSpots = DXSpotTableData::Newest + 1;
    void LayoutFrequencyScales();
    void FitToWorkArea();

    std::array<SpotOnLabel, kSpots> onLabel_;     // the spot each label was last given
    std::array<int, kSpots> slotOfLabel_;         // the slot each label shows; -1: hidden
    std::array<int, kSpots> labelOfSlot_;         // the other way round
    int frontLabel_ = DXSpotTableData::Newest;    // the label raised in front of the others
    float tipsOffset_ = 0;                        // the UTC offset the tool tips were written with
    std::array<std::pair<float, float>, SpectrumRowCount> rowRange_;   // each row's range as zoomed
    std::array<std::pair<double, double>, SpectrumRowCount> shownRange_; // and as its captions read
};

inline SpectrumMapWindow& SpectrumMap() { return vb::Instance<SpectrumMapWindow>(); }

inline const char* const SpectrumMapCaption = " HF Spectrum Map";

} // namespace tylog
