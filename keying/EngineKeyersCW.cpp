// The CW keyer's block of the keyers' operations, and the process's CW keyer with the one thing of it
// that is shown as a window: the refusal of its port.
#include "keying/CWFrm.h"
#include "keying/CWKeyer.h"
#include "keying/EngineKeyers.h"
#include "platform/Dialogs.h"

#include <utility>

namespace tylog {

namespace {
// Not destroyed at the program's exit: the unkey steps have released the lines by then, and its
// serial port must not outlive the application object.
CWKeyer*& engineSlot() {
    static CWKeyer* engine = nullptr;
    return engine;
}

void showInvalidPort() {
    Beep();
    MsgBox("The port you have selected for CW keying is invalid.  Please select another or enter 0 for none.", vbOKOnly,
           "Invalid port.");
    // Shown so that the operator can put the port right.
    CWFrmWindow& f = CWFrm();
    if (!f.isVisible()) f.Show(vb::vbModal);
}
} // namespace

CWKeyer& CWEngine() {
    CWKeyer*& engine = engineSlot();
    if (!engine) {
        engine = new CWKeyer;
        engine->PortRefused = showInvalidPort;
    }
    return *engine;
}

CWKeyer* CWEngineIfMade() { return engineSlot(); }

void ResetCWEngine() { delete std::exchange(engineSlot(), nullptr); }

void EngineKeyers::FKeyCW(int KeyCode) { CWEngine().FKeyCW(KeyCode); }

void EngineKeyers::LoopThroughCWBuffer() { CWEngine().LoopThroughCWBuffer(); }

void EngineKeyers::CWSpeedUp() {
    KeyerActions::CWSpeedUp();
    if (CWKeyer* cw = CWEngineIfMade()) cw->TimingChanged();
}

void EngineKeyers::CWSpeedDown() {
    KeyerActions::CWSpeedDown();
    if (CWKeyer* cw = CWEngineIfMade()) cw->TimingChanged();
}

void EngineKeyers::DisableCWRepeat() {
    if (CWKeyer* cw = CWEngineIfMade()) cw->DisableCWRepeat();
}

void EngineKeyers::CWBufferCut() {
    if (CWKeyer* cw = CWEngineIfMade()) cw->CWBufferCut();
}

} // namespace tylog
