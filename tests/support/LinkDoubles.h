#pragma once
// Doubles of the links to windows that do not exist yet or sit above the code under test: a radio that
// records what it is asked to tune, a spotting window whose choices the test sets and whose requests it
// counts, and a logging window that records what the engines hand up. Each installs itself for its
// lifetime.
#include "core/LoggingWindowLink.h"
#include "rig/RadioLink.h"
#include "spotting/SpottingLink.h"

#include <QStringList>
#include <functional>
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

// What the engines hand up to the logging window, in order, as text ("BandFreqConversion 14.025",
// "Mains", "Dialog Sending", "Call W1AW tab"); BandMapShown answers bandMapShown.
class RecordingLoggingWindow : public LoggingWindowLink {
public:
    RecordingLoggingWindow() { Link<LoggingWindowLink>::install(this); }
    ~RecordingLoggingWindow() override { Link<LoggingWindowLink>::install(nullptr); }
    void BandFreqConversion(float frequencyMHz) override {
        calls.push_back(QStringLiteral("BandFreqConversion %1").arg(frequencyMHz));
    }
    void ModeSelection(const QString& mode) override { calls.push_back("ModeSelection " + mode); }
    void BandMapSpots(const QString& call, const QString& frequencyKHz, const QString& record) override {
        calls.push_back(QStringLiteral("BandMapSpots %1 %2 %3").arg(call, frequencyKHz, record));
    }
    void PacketResize() override { calls.push_back("PacketResize"); }
    void DisplayBandMapLabels() override { calls.push_back("DisplayBandMapLabels"); }
    bool BandMapShown() const override { return bandMapShown; }
    void LogEnteredContact() override {
        calls.push_back("Mains");
        if (onMains) onMains();
    }
    void SetDialogCaption(const QString& caption) override { calls.push_back("Dialog " + caption); }
    void PutCallInEntryLine(const QString& call, bool tabOut) override {
        calls.push_back(QStringLiteral("Call %1%2").arg(call, tabOut ? " tab" : ""));
    }
    // The calls that begin with `prefix`.
    QStringList Of(const QString& prefix) const {
        QStringList out;
        for (const QString& c : calls)
            if (c.startsWith(prefix)) out << c;
        return out;
    }

    QStringList calls;
    bool bandMapShown = false;
    std::function<void()> onMains; // what Mains does meanwhile (a test's own check)
};

} // namespace tylog::testing
