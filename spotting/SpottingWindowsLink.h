#pragma once
// The spotting side's answers to the logging windows (SpottingLink): the spotting window's choices and
// transport, and the spectrum map. Installed at start-up (app/Engines.cpp). Until an operation is
// overridden here, SpottingLink's own default stands. The spotting window and the spectrum map each keep
// their part in a block of their own below and in their own source files.
#include "spotting/SpottingLink.h"

namespace tylog {

class SpottingWindowsLink : public SpottingLink {
public:
    // ---- The spotting window --------------------------------------------------------------------
    // The view and the transport come from the settings value, so asking loads no window; before the
    // spotting window was first opened, spotting is off.
    bool OptList() const override;
    QString Transport() const override;
    // Shown modeless, in its normal size; the first showing loads it and opens the stored transport.
    void ShowSpottingWindow() override;

    // ---- The spectrum map -----------------------------------------------------------------------
    // Asking never loads the map: it is loaded only while it is shown.
    bool SpectrumMapVisible() const override;
    void SpectrumMapRedraw() override;
    void ShowSpectrumMap() override;
};

// The process's instance, as installed at start-up.
SpottingWindowsLink& InstalledSpottingLink();

} // namespace tylog
