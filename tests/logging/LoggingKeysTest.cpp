// The keyboard map of the logging windows, pressed as keys on the focused box; what it asks of the
// keyers is recorded by a stand-in for them.
#include "keying/CWFrm.h"
#include "keying/KeyerActions.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "keying/PhoneFrm.h"
#include "rig/RigControlfrm.h"
#include "tests/logging/EntryFixture.h"

using namespace tylog;
using namespace tylog::testing;

namespace {

// Records every keyer operation asked for, in order.
struct RecordingKeyers : KeyerActions {
    QStringList calls;
    bool playing = false;
    std::int32_t status = 0;
    int speed = 20;

    void FKeyCW(int KeyCode) override { calls << QString("FKeyCW %1").arg(KeyCode); }
    void LoopThroughCWBuffer() override { calls << "LoopThroughCWBuffer"; }
    void CWSpeedUp() override { calls << "CWSpeedUp"; ++speed; }
    void CWSpeedDown() override { calls << "CWSpeedDown"; --speed; }
    QString CWSpeedText() override { return QString::number(speed); }
    void DisableCWRepeat() override { calls << "DisableCWRepeat"; }
    void FKeyPhone(int KeyCode) override { calls << QString("FKeyPhone %1").arg(KeyCode); }
    bool PhonePlaying() override { return playing; }
    void StopPhone() override { calls << "StopPhone"; playing = false; }
    void DisablePhoneRepeat() override { calls << "DisablePhoneRepeat"; }
    void wk_clearbuf() override { calls << "wk_clearbuf"; }
    std::int32_t wk_getstatus() override { calls << "wk_getstatus"; return status; }
    void wk_backspace() override { calls << "wk_backspace"; }

    QStringList take() {
        QStringList c;
        c.swap(calls);
        return c;
    }
};

class KeyMapTest : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        Link<KeyerActions>::install(&keyers);
    }
    void TearDown() override { Link<KeyerActions>::install(nullptr); }

    void setMode(const char* mode, int keyingType) {
        Station.CurrentMode = mode;
        Keyer.CWKeyingType = static_cast<std::uint8_t>(keyingType);
    }

    RecordingKeyers keyers;
};

TEST_F(KeyMapTest, FunctionKeysRouteByMode) {
    OutfrmWindow& w = open();
    keys("k1abc");
    struct Mode {
        const char* mode;
        int keyingType;
        QStringList byKey[12]; // F1 .. F12
    };
    auto phone = [](int k) { return QStringList{QString("FKeyPhone %1").arg(k)}; };
    auto cw = [](int k) { return QStringList{QString("FKeyCW %1").arg(k)}; };
    const Mode modes[] = {
        {"PH", 0, {phone(112), phone(113), phone(114), phone(115), phone(116), phone(117), phone(118), phone(119), phone(120), {}, {}, {}}},
        {"ph", 1, {phone(112), phone(113), phone(114), phone(115), phone(116), phone(117), phone(118), phone(119), phone(120), {}, {}, {}}},
        {"CW", 1, {cw(112), cw(113), cw(114), cw(115), cw(116), cw(117), cw(118), cw(119), cw(120), cw(124), cw(122), {}}},
        {"CW", 5, {cw(112), cw(113), cw(114), cw(115), cw(116), cw(117), cw(118), cw(119), cw(120), cw(124), cw(122), {}}},
        {"CW", 0, {}},
        {"DG", 1, {}},
    };
    for (const Mode& m : modes) {
        setMode(m.mode, m.keyingType);
        for (int i = 0; i < 12; ++i) {
            const std::uint8_t cwMode = Keyer.KeyboardCWMode;
            key(static_cast<Qt::Key>(Qt::Key_F1 + i));
            EXPECT_EQ(keyers.take(), m.byKey[i]) << m.mode << " " << m.keyingType << " F" << i + 1;
            // F12 switches keyboard CW only in CW mode with a keying interface.
            const bool toggles = i == 11 && QString(m.mode) == "CW" && m.keyingType != 0;
            EXPECT_EQ(Keyer.KeyboardCWMode, toggles ? 1 - cwMode : cwMode) << m.mode << " F12";
            if (toggles) key(Qt::Key_F12); // back off
            keyers.take();
        }
    }
    EXPECT_EQ(w.txtCall.Text(), "K1ABC") << "no function key types anything";
}

TEST_F(KeyMapTest, F12SwitchesKeyboardCWAndItsTypingGoesOutAsCW) {
    OutfrmWindow& w = open();
    setMode("CW", 1);
    key(Qt::Key_F12);
    EXPECT_EQ(Keyer.KeyboardCWMode, 1);
    EXPECT_EQ(w.lblDialog.Caption(), "Keyboard CW mode is ON!  Press F12 to exit.");
    EXPECT_EQ(w.lblDialog.BackColor(), KeyboardCWBackColor);

    // Letters, digits, blanks and Enter go into the CW text; no box gets anything and nothing is logged.
    keys("cq 5\"'\r");
    EXPECT_EQ(Keyer.CWBuffer, "CQ 5\r");
    EXPECT_EQ(w.txtCall.Text(), "");
    EXPECT_EQ(ContactLog.Count, 0);
    EXPECT_EQ(keyers.take().count("LoopThroughCWBuffer"), 5) << "the idle sender starts at every character";
    // While the sender runs, typed characters only join its text.
    Keyer.CWSending = 1;
    keys("a");
    EXPECT_EQ(Keyer.CWBuffer, "CQ 5\rA");
    EXPECT_TRUE(keyers.take().isEmpty());
    // Backspace takes back the last character not yet sent.
    keys("\b");
    EXPECT_EQ(Keyer.CWBuffer, "CQ 5\r");
    Keyer.CWSending = 0;

    // In phone mode the mode stays on but typing reaches the boxes again.
    setMode("PH", 1);
    keys("k1");
    EXPECT_EQ(w.txtCall.Text(), "K1");
    setMode("CW", 1);
    key(Qt::Key_F12);
    EXPECT_EQ(Keyer.KeyboardCWMode, 0);
    EXPECT_EQ(w.lblDialog.Caption(), "");
    EXPECT_EQ(w.lblDialog.BackColor(), DialogBackColor);
}

TEST_F(KeyMapTest, ArrowsChangeTheCWSpeedInCWModeOnly) {
    OutfrmWindow& w = open();
    keys("k1abc");
    key(Qt::Key_Left);
    setMode("CW", 1);
    key(Qt::Key_Up);
    EXPECT_EQ(w.lblDialog.Caption(), "21 WPM");
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(w.lblDialog.Caption(), "19 WPM");
    EXPECT_EQ(keyers.take(), QStringList({"CWSpeedUp", "CWSpeedDown", "CWSpeedDown"}));
    EXPECT_EQ(w.txtCall.SelStart(), 4) << "the caret does not move";
    for (auto [mode, type] : {std::pair{"CW", 0}, std::pair{"PH", 1}, std::pair{"DG", 1}}) {
        setMode(mode, type);
        key(Qt::Key_Up);
        EXPECT_TRUE(keyers.take().isEmpty()) << mode << type;
    }
}

TEST_F(KeyMapTest, TheStandardKeyersStepTheCWWindowsSpeed) {
    Link<KeyerActions>::install(nullptr);
    OutfrmWindow& w = open();
    setMode("CW", 1);
    CWFrm().Text11.setText("13");
    key(Qt::Key_Up);
    EXPECT_EQ(CWFrm().Text11.Text(), "14");
    EXPECT_EQ(w.lblDialog.Caption(), "14 WPM");
    EXPECT_FALSE(CWFrm().isVisible());
}

TEST_F(KeyMapTest, TheStandardKeyersWorkFromTheSettingsAndLoadNoWindow) {
    Link<KeyerActions>::install(nullptr);
    OutfrmWindow& w = open();
    setMode("CW", 1);
    KeyerSettings.CW.Speed = "20";
    key(Qt::Key_Down);
    EXPECT_EQ(KeyerSettings.CW.Speed, "19");
    EXPECT_EQ(w.lblDialog.Caption(), "19 WPM");
    Keyer.CWRepeatArmed = true;
    Keyer.PhoneRepeatArmed = true;
    key(Qt::Key_Up);
    EXPECT_EQ(w.lblDialog.Caption(), "20 WPM");
    EXPECT_FALSE(Keyer.CWRepeatArmed);
    EXPECT_FALSE(Keyer.PhoneRepeatArmed);
    EXPECT_EQ(vb::IfLoaded<CWFrmWindow>(), nullptr);
    EXPECT_EQ(vb::IfLoaded<PhoneFrmWindow>(), nullptr);

    // A loaded CW window shows the speed.
    CWFrm();
    Keyer.CWRepeatArmed = true;
    key(Qt::Key_Up);
    EXPECT_EQ(CWFrm().Text11.Text(), "21");
}

TEST_F(KeyMapTest, AnyKeyStopsARepeatingMessage) {
    OutfrmWindow& w = open();
    (void)w;
    setMode("CW", 1);
    Keyer.CWRepeatArmed = 1;
    Keyer.WinKeyVersion = 2;
    Keyer.CWBuffer = "CQ TEST";
    key(Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(keyers.take(), QStringList({"wk_clearbuf", "DisableCWRepeat"}));
    EXPECT_EQ(Keyer.CWRepeatArmed, 0);
    EXPECT_EQ(Keyer.CWBuffer, "");
    // F1 stops the repeat and starts the message again.
    Keyer.CWRepeatArmed = 1;
    Keyer.WinKeyVersion = 0;
    key(Qt::Key_F1);
    EXPECT_EQ(keyers.take(), QStringList({"DisableCWRepeat", "FKeyCW 112"}));

    setMode("PH", 1);
    Keyer.PhoneRepeatArmed = 1;
    key(Qt::Key_Down);
    EXPECT_EQ(keyers.take(), QStringList({"DisablePhoneRepeat"}));
    EXPECT_EQ(Keyer.PhoneRepeatArmed, 0);
    key(Qt::Key_Down);
    EXPECT_TRUE(keyers.take().isEmpty());
}

TEST_F(KeyMapTest, CtrlShortcutsOpenTheirWindowsAndEatTheirCharacter) {
    OutfrmWindow& w = open();
    EXPECT_EQ(vb::IfLoaded<CWFrmWindow>(), nullptr);
    for (Qt::Key k : {Qt::Key_C, Qt::Key_S}) {
        CWFrm().Hide();
        CWFrm().setWindowState(vb::vbMinimized);
        key(k, Qt::ControlModifier);
        EXPECT_TRUE(CWFrm().isVisible());
        EXPECT_EQ(CWFrm().WindowState(), vb::vbNormal);
        EXPECT_FALSE(CWFrm().ShownModal());
        w.activateWindow();
        QApplication::setActiveWindow(&w);
        w.txtCall.SetFocus();
    }
    key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(PhoneFrm().isVisible());
    QApplication::setActiveWindow(&w);
    w.txtCall.SetFocus();
    // The shortcut's key gives no character, so the next key typed arrives.
    keys("k");
    EXPECT_EQ(w.txtCall.Text(), "K");
    // The shortcuts whose windows are not there yet do nothing at all, not even type.
    for (Qt::Key k : {Qt::Key_B, Qt::Key_D, Qt::Key_F, Qt::Key_G}) key(k, Qt::ControlModifier);
    keys("1");
    EXPECT_EQ(w.txtCall.Text(), "K1");
    // The radio window opens beside the logging window, its window state as it was.
    RigControlfrm().setWindowState(vb::vbMinimized);
    key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(RigControlfrm().isVisible());
    EXPECT_FALSE(RigControlfrm().ShownModal());
    EXPECT_EQ(RigControlfrm().WindowState(), vb::vbMinimized);
    EXPECT_EQ(w.txtCall.Text(), "K1");

    // Ctrl with Shift is no shortcut.
    CWFrm().Hide();
    key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(CWFrm().isVisible());
    EXPECT_TRUE(keyers.take().isEmpty());
}

TEST_F(KeyMapTest, CtrlAloneEatsTheNextCharacter) {
    OutfrmWindow& w = open();
    key(Qt::Key_Control, Qt::ControlModifier);
    keys("ab");
    EXPECT_EQ(w.txtCall.Text(), "B");
    // Ctrl+letters that are no shortcut type nothing.
    for (Qt::Key k : {Qt::Key_A, Qt::Key_V, Qt::Key_X, Qt::Key_Z}) key(k, Qt::ControlModifier);
    keys("c");
    EXPECT_EQ(w.txtCall.Text(), "BC");
    // Ctrl+F1 in CW mode sends F1's message as F1 does.
    setMode("CW", 1);
    key(Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(keyers.take(), QStringList({"FKeyCW 112"}));
}

TEST_F(KeyMapTest, QuoteMarksNeverReachAField) {
    OutfrmWindow& w = open();
    w.mnuPostContest_Click();
    for (vb::TextBox* box : {&w.txtCall, &w.txtRSTR, &w.txtSec, &w.txtPostConTime, &w.txtPostConDate}) {
        box->SetFocus();
        box->setText(QString());
        keys("'\"");
        EXPECT_EQ(box->Text(), "") << box->Name.toStdString();
    }
}

TEST_F(KeyMapTest, EscHasThreeMeanings) {
    OutfrmWindow& w = open();
    keys("k1abc");
    // A voice message plays: Esc stops it and leaves the line; the next Esc clears the line.
    setMode("PH", 0);
    keyers.playing = true;
    keys("\x1b");
    EXPECT_EQ(keyers.take(), QStringList({"StopPhone"}));
    EXPECT_EQ(w.txtCall.Text(), "K1ABC");
    keys("\x1b");
    EXPECT_EQ(w.txtCall.Text(), "");

    // CW is being sent: Esc drops the text not yet sent and leaves the line.
    setMode("CW", 1);
    keys("k1abc");
    Keyer.CWSending = 1;
    Keyer.CWBuffer = "TU 5NN";
    keys("\x1b");
    EXPECT_EQ(Keyer.CWBuffer, "");
    EXPECT_EQ(w.txtCall.Text(), "K1ABC");
    Keyer.CWSending = 0;

    // The external keyer still has characters: Esc empties its buffer and ours, and leaves the line.
    setMode("CW", 5);
    Keyer.WinKeyVersion = 23;
    keyers.status = 3;
    Keyer.CWBuffer = "TU";
    keyers.take();
    keys("\x1b");
    EXPECT_EQ(keyers.take(), QStringList({"wk_getstatus", "wk_clearbuf"}));
    EXPECT_EQ(Keyer.CWBuffer, "");
    EXPECT_EQ(w.txtCall.Text(), "K1ABC");
    // Idle, Esc clears the line.
    keyers.status = 0;
    keys("\x1b");
    EXPECT_EQ(w.txtCall.Text(), "");
}

TEST_F(KeyMapTest, BackspaceInKeyboardCWTakesBackWhatTheExternalKeyerHasNotSent) {
    OutfrmWindow& w = open();
    keys("k1abc");
    setMode("CW", 5);
    Keyer.KeyboardCWMode = 1;
    Keyer.WinKeyVersion = 23;
    keyers.status = 2;
    keyers.take();
    keys("\b");
    EXPECT_EQ(keyers.take(), QStringList({"wk_getstatus", "wk_backspace"}));
    EXPECT_EQ(w.txtCall.Text(), "K1ABC");
}

} // namespace
