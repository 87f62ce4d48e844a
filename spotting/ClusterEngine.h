#pragma once
// The spotting window's engine: the three transports (a Telnet cluster over TcpLink, a serial TNC over
// SerialLine, the packet engine over its TCP host interface), the receive timer, the terminal's text,
// line framing and the repeat filter (SpotFraming.h), and the hand-off of every spot to the logging
// window in use (loggingWindow().BandMapSpots). It reads the settings value SpottingSettings
// (SpotSettings.h) and the own call, never a control; the window shows what it reports through the
// events below.
#include "platform/Session.h"

#include <QString>
#include <functional>
#include <memory>

namespace tylog {

class EngineTimer;
class PacketEngineClient;
class SerialLine;
class TcpLink;
struct SpotFields;

class ClusterEngine {
public:
    static constexpr int ReceiveIntervalMs = 333;
    static constexpr int RedrawTicks = 360; // the band map is redrawn on the tick after this many without a spot
    // Lines or frames taken in one pass of the event loop; the rest follow a millisecond later, so a burst
    // never holds the loop for long.
    static constexpr int ItemsPerPass = 25;
    static constexpr int BytesPerPass = 8192;

    ClusterEngine();
    ~ClusterEngine(); // as Unload
    ClusterEngine(const ClusterEngine&) = delete;
    ClusterEngine& operator=(const ClusterEngine&) = delete;

    // ---- What the window shows -------------------------------------------------------------------
    const QString& Terminal() const { return terminal_; }
    bool IsOpen() const { return open_; } // "Listening": a transport is open or being opened
    bool ReceiveTimerEnabled() const;
    const QString& AgwConnectedCall() const { return agwConnectedCall_; }
    int LabelUpdateTimeCounter() const { return labelUpdateTimeCounter_; }
    const QString& ReceiveBuffer() const { return receiveBuffer_; }

    // Raised after the handler that changed them, once each.
    std::function<void()> TerminalChanged;
    std::function<void()> OpenChanged;
    std::function<void(const QString& caption)> CaptionChanged;
    // The packet engine could not be started: the window shows itself (modeless) so the operator reads why.
    std::function<void()> ShowWindow;

    // ---- What the window asks --------------------------------------------------------------------
    // The terminal's whole text (the help of a transport).
    void ReplaceTerminal(const QString& text);
    // Open Port: the banner, then the chosen transport (for the TNC with the serial values in the
    // settings, which the window gathers first).
    void OpenPort();
    // Close Port: nothing unless open; then "** Port Closed **", every transport closed, the timer stopped.
    void ClosePort();
    // The send box's Enter (after any Open Port): the text with CR to the TNC, with CR LF to the cluster,
    // or through SendAgwText while the packet engine's timer runs.
    void SendText(const QString& text);
    // The packet engine's commands (":C CALL", ":D") and text for the connected station.
    void SendAgwText(const QString& text);
    // The command-mode key: the TNC's command-mode character (the settings' two hexadecimal digits) when
    // the TNC port is open; false when nothing was to be sent. Throws VbError for digits that are none.
    bool SendCommandCharacter();
    // The window's unload: the packet engine told of the end, every transport closed without a message.
    void Unload();

    // ---- For tests and benchmarks ----------------------------------------------------------------
    TcpLink& Telnet() { return *telnet_; }
    SerialLine& Tnc() { return *tnc_; }
    PacketEngineClient& PacketEngine() { return *agw_; }

private:
    bool transportIs(const char* name) const;
    void changed() { terminalChanged_ = true; }
    void append(const QString& text);
    void report();
    void setOpen(bool open);
    void setCaption(const QString& caption);

    void tick();
    void continuePass();
    void receive(const QByteArray& bytes);
    bool processReceiveBuffer(); // one pass; true when more is waiting
    void framePass();            // one pass, the next a millisecond later when more is waiting
    void frameAll();             // everything received, before the link is said to be gone
    void handleLine(const QString& line);
    void forwardSpot(const SpotFields& fields);

    void connectTelnet();
    void sendTelnetText(const QString& text);
    void telnetData();
    void telnetError(int number);
    void telnetClosed();

    void openTncPort();
    void closeTncPort();
    void pollTncInput();
    void tncError();

    void startAgwEngine();
    void agwStarted(bool accepted);
    void pollAgwEngine();
    void handleAgwFrame(int kind, const QString& from, const QString& data);

    std::unique_ptr<TcpLink> telnet_;
    std::unique_ptr<SerialLine> tnc_;
    std::unique_ptr<PacketEngineClient> agw_;
    std::unique_ptr<EngineTimer> timer_; // the receive timer (Timer1)
    std::unique_ptr<EngineTimer> more_;  // the next pass of a burst
    UnkeyRegistration powerRelease_;     // the TNC's power line, dropped however the run ends

    QString terminal_;
    QByteArray received_; // bytes read and not yet in the receive buffer: taken a bounded share a pass
    QString receiveBuffer_;
    QString agwConnectedCall_;
    int labelUpdateTimeCounter_ = 0;
    bool open_ = false;
    bool receivedSinceTick_ = false;
    bool terminalChanged_ = false;
    bool openChanged_ = false;
    int depth_ = 0; // handlers running: the window hears of changes when the outermost one ends
};

} // namespace tylog
