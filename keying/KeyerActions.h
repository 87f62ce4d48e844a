#pragma once
// What the logging windows ask of the CW and voice keyers and of the external keyer, in one place, so
// the keyboard map does not depend on how (or whether yet) each is done. A process-wide instance is
// installed (Link<KeyerActions>); the default does what needs no engine: the speed steps of the CW
// settings (shown by the CW window when it is loaded). Sending, playing and the external keyer do
// nothing there; the engines' operations are installed at start-up (EngineKeyers.h). None of it loads
// a window.
#include "core/Link.h"

#include <QString>
#include <cstdint>

namespace tylog {

struct KeyerActions {
    virtual ~KeyerActions() = default;

    // CW keyer.
    virtual void FKeyCW(int KeyCode);         // sends the message of a function key
    virtual void LoopThroughCWBuffer();       // starts sending Keyer.CWBuffer
    virtual void CWSpeedUp();                 // +1 WPM
    virtual void CWSpeedDown();               // -1 WPM
    virtual QString CWSpeedText();            // the speed as its box shows it
    virtual void DisableCWRepeat();           // stops the F1 repeat timer
    // Keyer.CWBuffer was emptied or shortened while CW is sent (Esc, Backspace, a close request): the
    // sender must not start what was cut.
    virtual void CWBufferCut();

    // Voice keyer.
    virtual void FKeyPhone(int KeyCode);      // plays the message of F1 to F9
    virtual bool PhonePlaying();              // the voice player's mode is "playing"
    virtual void StopPhone();                 // stops the voice player
    virtual void DisablePhoneRepeat();        // stops the F1 repeat timer

    // External keyer.
    virtual void wk_clearbuf();
    virtual std::int32_t wk_getstatus();
    virtual void wk_backspace();
};

// The installed instance; the default one until another is installed.
inline KeyerActions& Keyers() { return Link<KeyerActions>::get(); }

} // namespace tylog
