#pragma once
// The radio link's engine: the radio's serial port, the poll timer and the poll's state. It reads only
// the settings value (RigSettings, Station.RigType), hands what it decodes up to the logging window
// (loggingWindow()) and tells a view (the radio window, when one is set) what to show. It never reads a
// control or creates a window, so tests drive it on a pseudo-terminal with no window loaded.
//
// The poll works in two phases, one a tick: a send tick puts the radio type's query on the line (only
// into an empty output buffer), the next tick reads what came back, decodes it (RigDecoders.h) and
// hands frequency and mode on. Commands to the radio pause the timer (PollTimer().setEnabled(false)),
// do their steps on engine timers and enable it again; the poll then resumes in the phase it stopped in.
#include "platform/EngineTimer.h"
#include "platform/SerialLine.h"
#include "platform/Session.h"
#include "rig/RigDecoders.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace tylog {

// What the engine has to show; the radio window implements it. Every operation may be left out.
class RadioEngineView {
public:
    virtual ~RadioEngineView() = default;
    // Test with a radio type: frequency and mode "No Response", End Test enabled, "Polling Rig" shown.
    virtual void PollingStarts() {}
    // The port did not open: the operator is told (and may correct the settings, inside this call);
    // the engine then looks at the port again.
    virtual void PortOpenFailed(const QString& why) { (void)why; }
    // Polling did not start after all: End Test disabled, "Polling Rig" hidden.
    virtual void PollingFailed() {}
    // End Test: the decoded and unprocessed texts emptied, End Test disabled, "Polling Rig" hidden.
    virtual void PollingEnded() {}
    // A read tick decoded (or not) a reply: the values as they now stand and the bytes read.
    virtual void ReplyRead(const RigDecoded& decoded, const QByteArray& reply) { (void)decoded, (void)reply; }
    // The port went away while polling: polling has stopped.
    virtual void PortLost(const QString& why) { (void)why; }
};

class RadioEngine {
public:
    RadioEngine();
    ~RadioEngine();
    RadioEngine(const RadioEngine&) = delete;
    RadioEngine& operator=(const RadioEngine&) = delete;

    void setView(RadioEngineView* view) { view_ = view; }

    // Test: the settings string from the chosen values; for a radio type, the port opened with the
    // type's handshaking, the power line and the type's opening bytes, one tick at once and the poll
    // timer started. Nothing opens for "None" (or no type); "Ten Tec Pegasus" polls its status file.
    void Test();
    // End Test: polling stops and the port closes (the power line with it).
    void EndTest();
    // The window unloads: the Yaesu types (not the FTdx9000) get their closing bytes while polling;
    // then polling stops and the port closes.
    void Unload();
    // One tick of the poll (the timer's, or Test's first).
    void Tick();
    // The mode source changed: no mode until the next decoded reply.
    void ClearMode() { Decoded.RigModeText.clear(); }

    bool Polling() const { return tmrGetData.Enabled(); }
    SerialLine& Port() { return *comComm1; }
    EngineTimer& PollTimer() { return tmrGetData; }

    // The poll's state. The decoded values live as long as the engine: a new Test, End Test or a
    // command does not reset them, nor the phase and the toggle.
    RigDecoded Decoded;
    QByteArray RigReplyBuffer; // what the current read tick read; emptied after every tick
    int RigQueryToggle = 0;    // the alternating types: 0 the frequency query goes out next, 1 the mode query
    int RigPollPhase = 0;      // 0 the next tick sends, 1 it reads

private:
    void openRigPort();
    void startPollTimer();
    void sendTick();
    void readTick();
    void decode(const QString& type);
    void portLost(const QString& why);
    void releasePower();
    void makePort();

    std::unique_ptr<SerialLine> comComm1;
    EngineTimer tmrGetData{QStringLiteral("RigControlfrm.tmrGetData")};
    RadioEngineView* view_ = nullptr;
    UnkeyRegistration unkey_;
    bool lost_ = false;     // the port went away since the last Test
};

// The folder of the Ten Tec Pegasus exchange files: $TYLOG_PEGASUS when set, else "Pegasus" in the data
// folder.
QString PegasusFolder();

} // namespace tylog
