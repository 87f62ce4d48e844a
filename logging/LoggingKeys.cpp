// The keyboard map of both logging windows. The window previews every key: these handlers run before
// the focused control's and can stop a key from reaching it.
#include "core/ProcessState.h"
#include "keying/CWFrm.h"
#include "keying/KeyerActions.h"
#include "keying/KeyerState.h"
#include "keying/PhoneFrm.h"
#include "logging/LoggingWindow.h"
#include "platform/vb/KeyFilters.h"
#include "rig/RigControlfrm.h"
#include "platform/TextFile.h"
#include "platform/vb/Keys.h"
#include "spotting/SpottingLink.h"

namespace tylog {

namespace {
bool modeIs(const char* mode) { return Station.CurrentMode.compare(QLatin1String(mode), Qt::CaseInsensitive) == 0; }

void showNormal(vb::Form& f) {
    f.setWindowState(vb::vbNormal);
    f.Show();
}

// Opens the window of a Ctrl shortcut; false when the key is none of them.
bool openShortcutWindow(int keyCode) {
    switch (keyCode) {
    case 'B': spottingLink().ShowSpectrumMap(); return true;
    case 'C':
    case 'S': showNormal(CWFrm()); return true;
    case 'D': spottingLink().ShowSpottingWindow(); return true;
    case 'F': return true; // the band privileges chart: opens here once it exists
    case 'G': return true; // the tuning keypad: opens here once it exists
    case 'P': showNormal(PhoneFrm()); return true;
    case 'R': RigControlfrm().Show(); return true; // its window state as it was
    default: return false;
    }
}
} // namespace

void LoggingWindow::Form_KeyDown(int& KeyCode, int Shift) {
    KeyerActions& keyers = Keyers();

    // Files are opened by full path from the program folder, so no current folder needs restoring.
    if (Shift == vb::vbCtrlMask) {
        SkipKeyPress = 1;
        if (openShortcutWindow(KeyCode)) {
            KeyCode = 0;
            // A stopped key gives no character, so there is none left to skip; the next key typed
            // must arrive.
            SkipKeyPress = 0;
            return;
        }
    }

    // Any key stops a repeating F1 message.
    if (Keyer.CWRepeatArmed != 0) {
        if (Keyer.WinKeyVersion != 0) keyers.wk_clearbuf();
        Keyer.CWRepeatArmed = 0;
        Keyer.CWBuffer.clear();
        keyers.DisableCWRepeat();
    }
    if (Keyer.PhoneRepeatArmed != 0) {
        Keyer.PhoneRepeatArmed = 0;
        keyers.DisablePhoneRepeat();
    }

    if (modeIs("PH")) {
        if (KeyCode == vb::vbKeyF10) KeyCode = 0;
        else if (KeyCode >= vb::vbKeyF1 && KeyCode <= vb::vbKeyF9) keyers.FKeyPhone(KeyCode);
    } else if (modeIs("CW") && Keyer.CWKeyingType != 0) {
        if (KeyCode == vb::vbKeyDown || KeyCode == vb::vbKeyUp) {
            if (KeyCode == vb::vbKeyDown) keyers.CWSpeedDown();
            else keyers.CWSpeedUp();
            lblDialog.setCaption(keyers.CWSpeedText() + " WPM");
            KeyCode = 0;
        } else if (KeyCode >= vb::vbKeyF1 && KeyCode <= vb::vbKeyF12) {
            if (KeyCode == vb::vbKeyF10) KeyCode = 124; // the F10 message's own code
            if (KeyCode == vb::vbKeyF12) {
                if (Keyer.KeyboardCWMode == 0) {
                    Keyer.KeyboardCWMode = 1;
                    lblDialog.setCaption(KeyboardCWOnMessage());
                    lblDialog.setBackColor(KeyboardCWBackColor);
                } else {
                    Keyer.KeyboardCWMode = 0;
                    lblDialog.setCaption(QString());
                    lblDialog.setBackColor(DialogBackColor);
                }
            } else {
                keyers.FKeyCW(KeyCode);
            }
        }
    }
}

void LoggingWindow::Form_KeyPress(int& KeyAscii) {
    KeyerActions& keyers = Keyers();

    if (SkipKeyPress == 1) {
        SkipKeyPress = 0;
        KeyAscii = 0;
        return;
    }
    if (modeIs("PH") && KeyAscii == vb::vbKeyEscape && keyers.PhonePlaying()) {
        keyers.StopPhone();
        KeyAscii = 0;
        return;
    }
    // log.txt stores text between double quotes and cannot hold one.
    if (KeyAscii == '\'' || KeyAscii == '"') KeyAscii = 0;
    if (KeyAscii == vb::vbKeyEscape && Keyer.CWKeyingType == 5 && Keyer.WinKeyVersion != 0) {
        Keyer.WinKeyStatus = keyers.wk_getstatus();
        if (Keyer.WinKeyStatus > 0) {
            keyers.wk_clearbuf();
            Keyer.CWBuffer.clear();
            KeyAscii = 0;
            return;
        }
    }
    if (KeyAscii == vb::vbKeyEscape && Keyer.CWSending == 0) {
        ClearEntry();
        KeyAscii = 0;
    }
    if (KeyAscii == vb::vbKeyEscape && Keyer.CWSending == 1) {
        Keyer.CWBuffer.clear(); // the sender stops after the character it is keying
        keyers.CWBufferCut();
        KeyAscii = 0;
    }
    if (Keyer.WinKeyVersion != 0) Keyer.WinKeyStatus = keyers.wk_getstatus();
    if (KeyAscii == vb::vbKeyBack && Keyer.KeyboardCWMode == 1 && Keyer.WinKeyStatus > 0) {
        keyers.wk_backspace();
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == vb::vbKeyBack && Keyer.CWSending == 1 && Keyer.KeyboardCWMode == 1 && !Keyer.CWBuffer.isEmpty()) {
        Keyer.CWBuffer.chop(1);
        keyers.CWBufferCut();
        KeyAscii = 0;
        return;
    }
    if (modeIs("CW") && Keyer.KeyboardCWMode == 1) {
        KeyUpperCase(KeyAscii);
        if (KeyAscii != 0) {
            Keyer.CWBuffer += FromAnsi(QByteArray(1, static_cast<char>(KeyAscii)));
            if (Keyer.CWSending == 0) keyers.LoopThroughCWBuffer();
        }
        KeyAscii = 0;
    }
}

} // namespace tylog
