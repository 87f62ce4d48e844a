#pragma once
// The keyers' operations as the logging windows' keyboard map calls them (KeyerActions), carried out by
// the keyer engines: the CW keyer, the voice keyer and the external keyer device. Installed at
// start-up (app/Engines.cpp); until an engine overrides an operation here, KeyerActions' own default
// stands. Each engine keeps its part in a block of its own below and in its own source file.
#include "keying/KeyerActions.h"

namespace tylog {

class EngineKeyers : public KeyerActions {
public:
    // ---- CW keyer -------------------------------------------------------------------------------
    // The CW keyer engine (CWKeyer.h, CWEngine()) sends; the speed steps are KeyerActions' own, after
    // which the engine works out again what it has not started yet. EngineKeyersCW.cpp.
    void FKeyCW(int KeyCode) override;
    void LoopThroughCWBuffer() override;
    void CWSpeedUp() override;
    void CWSpeedDown() override;
    void DisableCWRepeat() override;
    void CWBufferCut() override;

    // ---- Voice keyer ----------------------------------------------------------------------------
    // The voice keyer engine (VoiceKeyer.h), which owns the player, push-to-talk and the F1 repeat.
    void FKeyPhone(int KeyCode) override;
    bool PhonePlaying() override;
    void StopPhone() override;
    void DisablePhoneRepeat() override;

    // ---- External keyer -------------------------------------------------------------------------
    // The external keyer's device (ExternalKeyer.h, ExternalKeyerEngine()). EngineKeyersExternal.cpp.
    void wk_clearbuf() override;
    std::int32_t wk_getstatus() override;
    void wk_backspace() override;
};

// The process's instance, as installed at start-up.
EngineKeyers& InstalledKeyers();

} // namespace tylog
