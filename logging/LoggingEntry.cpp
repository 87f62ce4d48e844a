// The entry line as both logging windows type it: the typing order, the call box's key guard and
// focus, the serial box, the county box's completion, the partial-duplicate line, the post-contest
// boxes, and the entry-line commands (Clear, Recall, the serial's CW macro).
#include "core/ProcessState.h"
#include "keying/BlindFrm.h"
#include "keying/KeyerState.h"
#include "logging/DupeRules.h"
#include "logging/LoggingWindow.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "platform/vb/KeyFilters.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"

#include <cmath>
#include <utility>

namespace tylog {

QString CharOf(int keyAscii) { return FromAnsi(QByteArray(1, static_cast<char>(keyAscii))); }

namespace {
void cue(const char* name) { BlindFrm().BlindKeyPhone(QString::fromLatin1(name)); }
} // namespace

void LoggingWindow::wireEntryLine() {
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
    txtCall.GotFocus = [this] { txtCall_GotFocus(); };
    txtRSTR.GotFocus = [this] { txtRSTR_GotFocus(); };
    txtSec.GotFocus = [this] { txtSec_GotFocus(); };
    txtCall.LostFocus = [this] { txtCall_LostFocus(); };
    Label1.Change = [this] { Label1_Change(); };
    mnuRecall.Click = [this] { mnuRecall_Click(); };

    mnuPostContest.Click = [this] { mnuPostContest_Click(); };
    txtPostConTime.GotFocus = [this] { txtPostConTime_GotFocus(); };
    txtPostConDate.GotFocus = [this] { txtPostConDate_GotFocus(); };
    txtPostConTime.KeyPress = [this](int& k) { txtPostConTime_KeyPress(k); };
    txtPostConDate.KeyPress = [this](int& k) { txtPostConDate_KeyPress(k); };
}

// ---- Call box ---------------------------------------------------------------------------------------

void LoggingWindow::txtCall_KeyPress(int& KeyAscii) {
    {
        // Counted back however the key ends, so a failing key holds no later leave.
        struct Depth {
            int& n;
            explicit Depth(int& d) : n(d) { ++n; }
            ~Depth() { --n; }
        } depth(callKeyDepth_);
        const double dupeFont = platform().screen->Width() * 9 / 9600 * Station.FormSizePercent / 100;
        if (lblDupe.FontSize() != dupeFont) lblDupe.setFontSize(dupeFont);
        callBoxKey(KeyAscii);
    }
    if (callKeyDepth_ == 0 && callLeftDuringKey_) {
        callLeftDuringKey_ = false;
        callBoxLeft();
    }
}

void LoggingWindow::digitStartsSerial(int& KeyAscii) {
    if (!DigitStartsSerial(txtCall.Text(), KeyAscii, txtCall.SelStart())) return;
    Run.PendingKey = QString::number(KeyAscii);
    Run.PendingKeyTarget = 4;
    txtRSTR.SetFocus();
    txtRSTR_KeyPress(KeyAscii);
    KeyAscii = 0;
}

void LoggingWindow::askForTimeOn() {
    if (Run.TimeOnRunning) return;
    lblDialog.setCaption("Click Log \"Time On\"!");
    Beep();
}

void LoggingWindow::txtCall_LostFocus() {
    // Focus events run at once, so a call box left from inside its own key handler (Space, the digit
    // jump) would have the leave's warnings blanked by the rest of that key: the leave is dealt with
    // once the key has been handled.
    if (callKeyDepth_ > 0) callLeftDuringKey_ = true;
    else callBoxLeft();
}

void LoggingWindow::txtCall_GotFocus() {
    cmdEdit.setVisible(false);
    cmdDelete.setVisible(false);
    if (txtCall.Text().isEmpty()) {
        EmptyIfFilled(txtRSTS);
        EmptyIfFilled(txtRSTR);
    }
    if (Station.VoiceNavLevel != 0) cue("Call");
    // The earlier contacts of one call may have taken the list's place: bring the recent ones back.
    if (txtCall.Text().isEmpty() && ListView1.ItemCount() < ContactLog.Count && ListView1.ItemCount() < 18)
        FillRecentContacts();
}

void LoggingWindow::txtCall_Change() { Keyer.CWMacroCall = txtCall.Text(); }

void LoggingWindow::txtRSTS_Change() { Keyer.CWMacroRst = txtRSTS.Text(); }

void LoggingWindow::PartialDupeList(int& KeyAscii) {
    const QString box = txtCall.Text();
    const bool listed = KeyAscii >= 46 && KeyAscii <= 90; // ".", "/", digits, upper-case letters
    const QString typed = box + CharOf(KeyAscii);
    const QString list = Run.PartialDupeDisplay && listed
                             ? PartialDupes(ContactLog, Station.CurrentBand, Station.CurrentMode, typed, partialDupeOwnCounty())
                             : QString();
    // Each set once, to what the key leaves: a colour or text changed and changed back within one key
    // still costs a repaint, and this runs on every key.
    SetBackColorIfNew(lblDialog, DialogBackColor);
    SetBackColorIfNew(lblDupe, list.isEmpty() ? DupeEmptyBackColor : DialogBackColor);
    lblDupe.setCaption(list);
    if (!list.isEmpty() && box.size() > 2) lblDialog.setCaption("Possible Duplicate!");
    else if (Run.TimeOnRunning) lblDialog.setCaption(" ");

    if (typed.size() == 3 && listed) {
        auto digitOrSlash = [](QChar c) { return c.unicode() >= 47 && c.unicode() <= 57; };
        if (digitOrSlash(typed[1]) || digitOrSlash(typed[2])) {
            lblDialog.setCaption(" ");
        } else {
            Beep();
            lblDialog.setCaption("The second or third character is not numeric!");
        }
    }
}

// ---- Serial box -------------------------------------------------------------------------------------

void LoggingWindow::txtRSTR_GotFocus() {
    if (Station.VoiceNavLevel >= 2) cue("SerNum");
}

void LoggingWindow::txtRSTR_KeyPress(int& KeyAscii) {
    // A letter (or anything above "9") belongs to the next box: it goes there and the serial box
    // takes a blank instead, which moves on.
    if (KeyAscii > '9') {
        Run.PendingKey = QString::number(KeyAscii);
        Run.PendingKeyTarget = 3;
        serialLetterKey(KeyAscii);
        KeyAscii = ' ';
    }
    if (Run.PendingKeyTarget == 4) KeyAscii = Run.PendingKey.toInt();
    if (KeyAscii == 13) {
        KeyAscii = 0;
        LogEntry();
    } else {
        if (KeyAscii == ' ') boxAfterSerial().SetFocus();
        KeyDigitsOnly(KeyAscii);
    }
    if (Run.PendingKeyTarget == 4) {
        // The digit that ended the call starts a new serial, whatever the box held.
        txtRSTR.setText(CharOf(KeyAscii));
        txtRSTR.setSelStart(1);
        Run.PendingKeyTarget = 0;
    }
}

// ---- County box -------------------------------------------------------------------------------------

void LoggingWindow::txtSec_GotFocus() {
    if (Station.VoiceNavLevel >= 2) cue("County");
}

void LoggingWindow::txtSec_KeyPress(int& KeyAscii) { countyKey(KeyAscii); }

bool LoggingWindow::countyKey(int& KeyAscii) {
    if (KeyAscii == '"') KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        LogEntry();
        return false;
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
    if (KeyAscii == 0) return true;
    if (KeyAscii != ' ' && p == 0) EmptyIfFilled(txtSec);
    // Each word of a county name begins with a capital.
    if (txtSec.Text().isEmpty()) KeyUpperCase(KeyAscii);
    if (p > 0 && p < n && text[p - 1] == QChar(' ')) KeyUpperCase(KeyAscii);
    // The last county of the table that begins with what is typed completes it; the completion stays
    // selected, so typing on replaces it.
    const QString typed = txtSec.Text().left(p) + CharOf(KeyAscii);
    for (int i = static_cast<int>(CountyTable.Count); i >= 1; --i) {
        const QString& name = CountyTable.Name[static_cast<size_t>(i)];
        if (!name.startsWith(typed, Qt::CaseInsensitive)) continue;
        txtSec.setText(typed + name.mid(typed.size()));
        KeyAscii = 0;
        Run.PendingKeyTarget = 0; // a letter from the serial box is used up
        txtSec.setSelStart(static_cast<int>(typed.size()));
        txtSec.setSelLength(static_cast<int>(name.size() - typed.size()));
        break;
    }
    return true;
}

// ---- Post-contest entry -------------------------------------------------------------------------------

void LoggingWindow::mnuPostContest_Click() {
    // The mode is the boxes being shown; they keep their text while hidden.
    const bool on = !mnuPostContest.Checked();
    mnuPostContest.setChecked(on);
    for (vb::Control* c : std::initializer_list<vb::Control*>{&lblPostConTime, &txtPostConTime, &lblPostConDate,
                                                              &txtPostConDate})
        c->setVisible(on);
}

void LoggingWindow::txtPostConTime_GotFocus() {
    txtPostConTime.setSelStart(0);
    txtPostConTime.setSelLength(static_cast<int>(txtPostConTime.Text().size()));
}

void LoggingWindow::txtPostConDate_GotFocus() {
    // A run of contacts of one day needs the date once.
    if (!txtPostConDate.Text().isEmpty()) return;
    txtPostConDate.setText(platform().clock->Now().toString("yyyy/MM/dd")); // local, not UTC
    txtPostConDate.setSelStart(0);
    txtPostConDate.setSelLength(static_cast<int>(txtPostConDate.Text().size()));
}

void LoggingWindow::postContestKey(int& KeyAscii, int lowest, int highest) {
    if (KeyAscii == ' ') {
        KeyAscii = 0;
        SendTab();
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        LogEntry();
    }
    if (KeyAscii != 8 && (KeyAscii < lowest || KeyAscii > highest)) KeyAscii = 0;
}

// Digits and ":" in the time box, digits and "/" in the date box ("/" lies just below "0", ":" just
// above "9").
void LoggingWindow::txtPostConTime_KeyPress(int& KeyAscii) { postContestKey(KeyAscii, '0', ':'); }

void LoggingWindow::txtPostConDate_KeyPress(int& KeyAscii) { postContestKey(KeyAscii, '/', '9'); }

// ---- Entry-line commands ------------------------------------------------------------------------------

void LoggingWindow::EmptyEntryLine() {
    for (vb::TextBox* t : {&txtRSTS, &txtCntry, &txtCall, &txtRSTR, &txtSec}) EmptyIfFilled(*t);
    for (vb::Label* l : {&Label19, &Label22, &Label23}) l->setCaption(QString());
}

void LoggingWindow::ClearEntry() {
    for (vb::TextBox* t : {&txtRSTS, &txtCntry, &txtCall, &txtRSTR, &txtSec}) t->setText(QString());
    lblDupe.setBackColor(DupeEmptyBackColor);
    lblDialog.setBackColor(DialogBackColor);
    for (vb::Label* l : {&lblDupe, &lblDialog, &Label19, &Label22, &Label23}) l->setCaption(QString());
    txtCall.SetFocus();
}

void LoggingWindow::mnuRecall_Click() {
    if (ContactLog.Count < 1) return;
    const ContactRecord& last = ContactLog.Rec[static_cast<size_t>(ContactLog.Count)];
    txtCall.setText(last.Call);
    txtSec.SetFocus();
    txtSec.setSelLength(static_cast<int>(txtSec.Text().size()));
    double v = 0;
    if (ParseNumber(last.SerialRcvd, &v)) txtRSTR.setText(last.SerialRcvd);
}

void LoggingWindow::Label1_Change() {
    // The label shows the serial with leading zeros (007); the CW macro sends it without (7).
    QString serial = Label1.Caption().trimmed();
    double v = 0;
    if (ParseNumber(serial, &v) && std::isfinite(v)) serial = QString::number(static_cast<long long>(std::trunc(v)));
    Keyer.CWMacroSerial = serial;
}

} // namespace tylog
