// The entry line of the out-of-state window: what every key does in the call, serial and county boxes,
// the county completion, the focus cues and the CW macro values taken from the line.
#include "core/ProcessState.h"
#include "keying/BlindFrm.h"
#include "keying/KeyerState.h"
#include "logging/DupeRules.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "platform/vb/KeyFilters.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"

namespace tylog {

namespace {
QString charOf(int keyAscii) { return FromAnsi(QByteArray(1, static_cast<char>(keyAscii))); }

} // namespace

void OutfrmWindow::wireEntryLine() {
    // Typing order and the longest texts of the entry line.
    const std::pair<vb::TextBox*, int> boxes[] = {{&txtCall, 12}, {&txtRSTR, 8},         {&txtCntry, 30},
                                                  {&txtSec, 20},  {&txtPostConTime, 5}, {&txtPostConDate, 10},
                                                  {&txtRSTS, 3}};
    int tabIndex = 1;
    for (auto [box, length] : boxes) {
        box->setTabIndex(tabIndex++);
        box->setMaxLength(length);
    }
    ApplyTabOrder();

    txtCall.KeyPress = [this](int& k) { txtCall_KeyPress(k); };
    txtRSTR.KeyPress = [this](int& k) { txtRSTR_KeyPress(k); };
    txtSec.KeyPress = [this](int& k) { txtSec_KeyPress(k); };
    txtCall.Change = [this] { txtCall_Change(); };
    txtRSTS.Change = [this] { txtRSTS_Change(); };
    Label1.Change = [this] { Label1_Change(); };
    txtCall.GotFocus = [this] { txtCall_GotFocus(); };
    txtRSTR.GotFocus = [this] { txtRSTR_GotFocus(); };
    txtSec.GotFocus = [this] { txtSec_GotFocus(); };
    txtCall.LostFocus = [this] { txtCall_LostFocus(); };
    mnuRecall.Click = [this] { mnuRecall_Click(); };
    wirePostContest();
}

QString OutfrmWindow::KeyboardCWOnMessage() const { return "Keyboard CW mode is ON!  Press F12 to exit."; }

void OutfrmWindow::txtCall_KeyPress(int& KeyAscii) {
    // Focus events run at once here, so leaving the call box from inside this handler (blank, digit,
    // a check of Enter) would have its warnings overwritten by the refresh at the end of it: the
    // leaving is dealt with once the key has been handled.
    ++callKeyDepth_;
    callBoxKey(KeyAscii);
    --callKeyDepth_;
    if (callKeyDepth_ == 0 && callLeftDuringKey_) {
        callLeftDuringKey_ = false;
        callBoxLeft();
    }
}

void OutfrmWindow::callBoxKey(int& KeyAscii) {
    const double dupeFont = platform().screen->Width() * 9 / 9600 * Station.FormSizePercent / 100;
    if (lblDupe.FontSize() != dupeFont) lblDupe.setFontSize(dupeFont);
    if (txtCall.Text().size() < 2 && KeyAscii != 13) {
        txtCntry.setText(QString());
        for (vb::Label* l : {&Label19, &Label22, &Label23}) l->setCaption(QString());
    }
    if (KeyAscii == '"') KeyAscii = 0;
    if (DigitStartsSerial(txtCall.Text(), KeyAscii, txtCall.SelStart())) {
        Run.PendingKey = QString::number(KeyAscii);
        Run.PendingKeyTarget = 4;
        txtRSTR.SetFocus();
        txtRSTR_KeyPress(KeyAscii);
        KeyAscii = 0;
    }
    if (txtCall.Text().size() < 3 && KeyAscii != 13 && Run.TimeOnRunning) lblDialog.setCaption(" ");
    if (!Run.TimeOnRunning) {
        lblDialog.setCaption("Click Log \"Time On\"!");
        Beep();
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
    }
    if (KeyAscii == ' ' && Run.PendingKeyTarget != 4) {
        KeyAscii = 0;
        txtRSTR.SetFocus();
    }
    KeyUpperCase(KeyAscii);
    PartialDupeList(KeyAscii);
}

void OutfrmWindow::txtRSTR_KeyPress(int& KeyAscii) {
    // A letter belongs to the county: it goes there and the serial box takes a blank, which moves on.
    if (KeyAscii > '9') {
        Run.PendingKey = QString::number(KeyAscii);
        Run.PendingKeyTarget = 3;
        txtSec_KeyPress(KeyAscii);
        KeyAscii = ' ';
    }
    if (Run.PendingKeyTarget == 4) KeyAscii = Run.PendingKey.toInt();
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
    } else {
        if (KeyAscii == ' ') txtSec.SetFocus();
        KeyDigitsOnly(KeyAscii);
    }
    if (Run.PendingKeyTarget == 4) {
        // The digit that ended the call starts a new serial, whatever the box held.
        txtRSTR.setText(charOf(KeyAscii));
        txtRSTR.setSelStart(1);
        Run.PendingKeyTarget = 0;
    }
}

void OutfrmWindow::txtSec_KeyPress(int& KeyAscii) {
    if (KeyAscii == '"') KeyAscii = 0;
    if (Run.PendingKeyTarget == 3) KeyAscii = Run.PendingKey.toInt();
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    const QString text = txtSec.Text();
    const int p = txtSec.SelStart();
    const int n = static_cast<int>(text.size());
    if (KeyAscii == ' ' && p == n) {
        KeyAscii = 0;
        SendTab();
    }
    if (KeyAscii == ' ' && n > p + 1) {
        // A blank accepts a completion and moves on, except inside a name: after a leading "San" or
        // before a blank.
        const bool afterSan = p == 3 && text.startsWith(QLatin1String("San"), Qt::CaseInsensitive);
        const bool beforeBlank = text[p] == QChar(' ');
        if (!afterSan && !beforeBlank) {
            KeyAscii = 0;
            SendTab();
        }
    }
    if (KeyAscii != ' ' && KeyAscii != 0 && p == 0) txtSec.setText(QString());
    if (txtSec.Text().isEmpty() && KeyAscii != 0) KeyUpperCase(KeyAscii);
    if (p > 0 && p < n && text[p - 1] == QChar(' ')) KeyUpperCase(KeyAscii);
    if (KeyAscii != 0) {
        // The last county of the table that begins with what is typed completes it; the completion
        // stays selected, so typing on replaces it.
        const QString typed = txtSec.Text().left(p) + charOf(KeyAscii);
        for (int i = static_cast<int>(CountyTable.Count); i >= 1; --i) {
            const QString& name = CountyTable.Name[static_cast<size_t>(i)];
            if (!name.startsWith(typed, Qt::CaseInsensitive)) continue;
            txtSec.setText(typed + name.mid(typed.size()));
            KeyAscii = 0;
            Run.PendingKeyTarget = 0;
            txtSec.setSelStart(static_cast<int>(typed.size()));
            txtSec.setSelLength(static_cast<int>(name.size() - typed.size()));
            break;
        }
    }
    if (Run.PendingKeyTarget == 3) {
        // A letter from the serial box that completed nothing starts the county alone.
        txtSec.setText(KeyAscii >= 32 ? charOf(KeyAscii) : QString());
        txtSec.setSelStart(1);
        Run.PendingKeyTarget = 0;
    }
}

void OutfrmWindow::txtCall_Change() { Keyer.CWMacroCall = txtCall.Text(); }

void OutfrmWindow::txtRSTS_Change() { Keyer.CWMacroRst = txtRSTS.Text(); }

void OutfrmWindow::txtCall_GotFocus() {
    cmdEdit.setVisible(false);
    cmdDelete.setVisible(false);
    if (txtCall.Text().isEmpty()) {
        txtRSTS.setText(QString());
        txtRSTR.setText(QString());
    }
    if (Station.VoiceNavLevel != 0) BlindFrm().BlindKeyPhone("Call");
    // The earlier contacts of one call may have taken the list's place: bring the recent ones back.
    if (txtCall.Text().isEmpty() && ListView1.ItemCount() < ContactLog.Count && ListView1.ItemCount() < 18)
        FillRecentContacts();
}

void OutfrmWindow::txtRSTR_GotFocus() {
    if (Station.VoiceNavLevel >= 2) BlindFrm().BlindKeyPhone("SerNum");
}

void OutfrmWindow::txtSec_GotFocus() {
    if (Station.VoiceNavLevel >= 2) BlindFrm().BlindKeyPhone("County");
}

void OutfrmWindow::txtCall_LostFocus() {
    if (callKeyDepth_ > 0) callLeftDuringKey_ = true;
    else callBoxLeft();
}

void OutfrmWindow::callBoxLeft() {
    const QString call = txtCall.Text();
    if (call.compare(QLatin1String("Q7BZW"), Qt::CaseInsensitive) == 0) {
        lblDialog.setCaption("Q7BZW, Orrin, wrote this software!  Please say hi!");
        lblDialog.setBackColor(0xFFFFC0);
        Beep();
    }
    if (call.compare(QLatin1String("QE9MRL"), Qt::CaseInsensitive) == 0) {
        lblDialog.setCaption("QE9MRL, Tamsin, helped write this software!  Please say hi!");
        lblDialog.setBackColor(0xFFFFC0);
        Beep();
    }
    if (!call.isEmpty()) DupCheck2();
}

} // namespace tylog
