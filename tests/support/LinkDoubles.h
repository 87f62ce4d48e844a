#pragma once
// Doubles of the links to windows that do not exist yet: a radio that records what it is asked to
// tune, and a spotting window whose choices the test sets and whose requests it counts. Each
// installs itself for its lifetime.
#include "rig/RadioLink.h"
#include "spotting/SpottingLink.h"

#include <vector>

namespace tylog::testing {

class RecordingRadio : public RadioLink {
public:
    RecordingRadio() { Link<RadioLink>::install(this); }
    ~RecordingRadio() override { Link<RadioLink>::install(nullptr); }
    void ChangeFrequency(float qChangeFreq) override { tuned.push_back(qChangeFreq); }
    void StartPolling() override { ++pollingStarts; }
    std::vector<float> tuned;
    int pollingStarts = 0;
};

class ScriptedSpotting : public SpottingLink {
public:
    ScriptedSpotting() { Link<SpottingLink>::install(this); }
    ~ScriptedSpotting() override { Link<SpottingLink>::install(nullptr); }
    bool OptList() const override { return optList; }
    QString Transport() const override { return transport; }
    bool SpectrumMapVisible() const override { return spectrumMapVisible; }
    void SpectrumMapRedraw() override { ++spectrumMapRedraws; }
    void ShowSpectrumMap() override { ++spectrumMapShows; }
    void ShowSpottingWindow() override { ++spottingWindowShows; }

    bool optList = true;
    QString transport = "None";
    bool spectrumMapVisible = false;
    int spectrumMapRedraws = 0;
    int spectrumMapShows = 0;
    int spottingWindowShows = 0;
};

} // namespace tylog::testing
