#pragma once
// Form1: the fixed address through which the radio and spotting windows reach whichever logging
// window this run opened. Never shown; its hidden lblDX tells the spotting window whether the
// logging window shows its band map.
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

#include <QVariant>

namespace tylog {

class Form1Window : public vb::Form {
    Q_OBJECT
public:
    Form1Window();
    vb::Label lblDX{*this, "lblDX"};

    void SavePref();
    void BandFreqConversion(float frequencyValue);
    void ModeSelection(const QString& strMode);
    void PacketResize();
    void DisplayBandMapLabels();
    void BandMapSpots(const QVariant& qDXSpotCall, const QVariant& qDXSpotFreq, const QVariant& qDXSpotRecord);
};

inline Form1Window& Form1() { return vb::Instance<Form1Window>(); }

// Installs (or takes back) the link through which the engines reach the logging window
// (LoggingWindowLink): Form1's operations, and the entry line of the logging window that is loaded.
void InstallForm1Link(bool install);

} // namespace tylog
