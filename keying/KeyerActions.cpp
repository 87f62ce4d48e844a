#include "keying/KeyerActions.h"
#include "keying/CWFrm.h"
#include "keying/PhoneFrm.h"

namespace tylog {

namespace {
KeyerActions*& installed() {
    static KeyerActions* a = nullptr;
    return a;
}
} // namespace

void KeyerActions::FKeyCW(int& KeyCode) { (void)KeyCode; }
void KeyerActions::LoopThroughCWBuffer() {}
void KeyerActions::CWSpeedUp() { CWFrm().UpDown1_UpClick(); }
void KeyerActions::CWSpeedDown() { CWFrm().UpDown1_DownClick(); }
QString KeyerActions::CWSpeedText() { return CWFrm().Text11.Text(); }
void KeyerActions::DisableCWRepeat() { CWFrm().tmrRepeat.setEnabled(false); }
void KeyerActions::FKeyPhone(int& KeyCode) { (void)KeyCode; }
bool KeyerActions::PhonePlaying() { return false; }
void KeyerActions::StopPhone() {}
void KeyerActions::DisablePhoneRepeat() { PhoneFrm().tmrRepeat.setEnabled(false); }
void KeyerActions::wk_clearbuf() {}
std::int32_t KeyerActions::wk_getstatus() { return 0; }
void KeyerActions::wk_backspace() {}

KeyerActions& Keyers() {
    static KeyerActions standard;
    return installed() ? *installed() : standard;
}

void InstallKeyerActions(KeyerActions* a) { installed() = a; }

} // namespace tylog
