#pragma once
// The way up to the logging window for the engines below it (radio, keyers, cluster, spectrum map):
// the logging window sits above rig/, keying/ and spotting/, so they reach it only through this link.
// The logging window installs its own while it exists; without one (no logging window yet, or tests
// of an engine alone) every operation does nothing and the band map counts as hidden.
#include "core/Link.h"

#include <QString>

namespace tylog {

class LoggingWindowLink {
public:
    virtual ~LoggingWindowLink() = default;

    // The radio: Form1.BandFreqConversion (MHz) and Form1.ModeSelection ("CW", "PH", "DG", "AM", "FM").
    virtual void BandFreqConversion(float frequencyMHz) { (void)frequencyMHz; }
    virtual void ModeSelection(const QString& mode) { (void)mode; }

    // The cluster: Form1.BandMapSpots (call, frequency in kHz as text, the rest of the spot line),
    // Form1.PacketResize, Form1.DisplayBandMapLabels, and Form1.lblDX (whether the logging window shows
    // its band map rather than its spot list).
    virtual void BandMapSpots(const QString& call, const QString& frequencyKHz, const QString& record) {
        (void)call, (void)frequencyKHz, (void)record;
    }
    virtual void PacketResize() {}
    virtual void DisplayBandMapLabels() {}
    virtual bool BandMapShown() const { return false; }

    // The entry line. LogEnteredContact runs the window's Mains when its call box is not empty (the
    // "!" of a CW message); SetDialogCaption writes its message line (lblDialog); PutCallInEntryLine
    // gives the call box the focus and the call, then, with tabOut, moves on as the Tab key does.
    virtual void LogEnteredContact() {}
    virtual void SetDialogCaption(const QString& caption) { (void)caption; }
    virtual void PutCallInEntryLine(const QString& call, bool tabOut) { (void)call, (void)tabOut; }
};

// The installed link (Link<LoggingWindowLink>); the do-nothing one while no logging window exists.
inline LoggingWindowLink& loggingWindow() { return Link<LoggingWindowLink>::get(); }

} // namespace tylog
