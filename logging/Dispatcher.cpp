#include "logging/Dispatcher.h"
#include "core/LoggingWindowLink.h"

#include <algorithm>
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

namespace {

// The logging window of this run, when it is loaded; never loads one.
LoggingWindow* loadedLoggingWindow() {
    if (Station.OutOfStateFlag != 0) return vb::IfLoaded<OutfrmWindow>();
    return vb::IfLoaded<InfrmWindow>();
}

class Form1Link final : public LoggingWindowLink {
public:
    void BandFreqConversion(float frequencyMHz) override {
        if (loadedLoggingWindow()) Form1().BandFreqConversion(frequencyMHz);
    }
    void ModeSelection(const QString& mode) override {
        if (loadedLoggingWindow()) Form1().ModeSelection(mode);
    }
    void BandMapSpots(const QString& call, const QString& frequencyKHz, const QString& record) override {
        if (loadedLoggingWindow()) Form1().BandMapSpots(call, frequencyKHz, record);
    }
    void PacketResize() override {
        if (loadedLoggingWindow()) Form1().PacketResize();
    }
    void DisplayBandMapLabels() override {
        if (loadedLoggingWindow()) Form1().DisplayBandMapLabels();
    }
    bool BandMapShown() const override {
        auto* f = vb::IfLoaded<Form1Window>();
        return f && f->lblDX.Visible();
    }
    void LogEnteredContact() override {
        if (LoggingWindow* w = loadedLoggingWindow(); w && !w->txtCall.Text().isEmpty()) w->Mains();
    }
    void SetDialogCaption(const QString& caption) override {
        if (LoggingWindow* w = loadedLoggingWindow()) w->lblDialog.setCaption(caption);
    }
    void PutCallInEntryLine(const QString& call, bool tabOut) override {
        LoggingWindow* w = loadedLoggingWindow();
        if (!w) return;
        w->txtCall.SetFocus();
        w->txtCall.setText(call);
        if (tabOut) w->SendTab();
    }
};

} // namespace

void InstallForm1Link(bool install) {
    static Form1Link link;
    // Counted: a logging window that goes after a newer one was made must leave the link in place.
    static int windows = 0;
    windows = std::max(0, windows + (install ? 1 : -1));
    if (windows > 0) Link<LoggingWindowLink>::install(&link);
    else if (&Link<LoggingWindowLink>::get() == &link) Link<LoggingWindowLink>::install(nullptr);
}

} // namespace tylog
