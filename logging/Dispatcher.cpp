#include "logging/Dispatcher.h"
#include "core/ProcessState.h"
#include "core/StationSettingsFile.h"
#include "logging/Infrm.h"
#include "logging/Outfrm.h"
#include "platform/vb/Design.h"

namespace tylog {

Form1Window::Form1Window() : vb::Form("Form1") {
    vb::ApplyDesign(*this, {.Caption = "Form1"}, {{.control = lblDX, .Look = {.Visible = false}}});
}

void Form1Window::SavePref() { SaveStationSettings(); }

void Form1Window::BandFreqConversion(float frequencyValue) {
    if (Station.OutOfStateFlag != 0) Outfrm().BandFreqConversion(frequencyValue);
    else Infrm().BandFreqConversion(frequencyValue);
}

void Form1Window::ModeSelection(const QString& strMode) {
    if (Station.OutOfStateFlag != 0) Outfrm().ModeSelection(strMode);
    else Infrm().ModeSelection(strMode);
}

void Form1Window::PacketResize() {
    if (Station.OutOfStateFlag != 0) Outfrm().PacketResize();
    else Infrm().PacketResize();
}

void Form1Window::DisplayBandMapLabels() {
    if (Station.OutOfStateFlag != 0) Outfrm().DisplayBandMapLabels();
    else Infrm().DisplayBandMapLabels();
}

void Form1Window::BandMapSpots(const QVariant& qDXSpotCall, const QVariant& qDXSpotFreq, const QVariant& qDXSpotRecord) {
    if (Station.OutOfStateFlag != 0) Outfrm().BandMapSpots(qDXSpotCall, qDXSpotFreq, qDXSpotRecord);
    else Infrm().BandMapSpots(qDXSpotCall, qDXSpotFreq, qDXSpotRecord);
}

} // namespace tylog
