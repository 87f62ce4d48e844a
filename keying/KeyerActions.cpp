#include "keying/KeyerActions.h"
#include "keying/CWFrm.h"
#include "keying/KeyerBoxes.h"
#include "keying/KeyerSettings.h"

namespace tylog {

namespace {
// The speed is the settings'; the CW window, when loaded, shows it.
void stepCWSpeed(int delta) {
    QString& speed = KeyerSettings.CW.Speed;
    speed = SteppedSpeed(speed, delta);
    CWFrmWindow* f = vb::IfLoaded<CWFrmWindow>();
    if (f && f->Text11.Text() != speed) f->Text11.setText(speed);
}
} // namespace

void KeyerActions::FKeyCW(int KeyCode) { (void)KeyCode; }
void KeyerActions::LoopThroughCWBuffer() {}
void KeyerActions::CWSpeedUp() { stepCWSpeed(+1); }
void KeyerActions::CWSpeedDown() { stepCWSpeed(-1); }
QString KeyerActions::CWSpeedText() { return KeyerSettings.CW.Speed; }
// The CW repeat timer is the CW keyer engine's: without it none runs.
void KeyerActions::DisableCWRepeat() {}
void KeyerActions::CWBufferCut() {}
// The voice repeat timer is the window's; a window that is not loaded has none running.
void KeyerActions::FKeyPhone(int KeyCode) { (void)KeyCode; }
bool KeyerActions::PhonePlaying() { return false; }
void KeyerActions::StopPhone() {}
void KeyerActions::DisablePhoneRepeat() {}
void KeyerActions::wk_clearbuf() {}
std::int32_t KeyerActions::wk_getstatus() { return 0; }
void KeyerActions::wk_backspace() {}

} // namespace tylog
