#include "logtools/DEEditOut.h"
#include "platform/vb/FormScaling.h"
#include "core/ProcessState.h"
#include "logstore/ContactLog.h"
#include "logstore/DateText.h"
#include "logstore/KeyFilters.h"
#include "logtools/CountyTypeAhead.h"
#include "platform/Dialogs.h"

#include <cmath>

namespace tylog {

namespace {

bool sameText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool isOneOf(const QString& text, std::initializer_list<const char*> values) {
    for (const char* v : values)
        if (sameText(text, QLatin1String(v))) return true;
    return false;
}

// The record being edited, or 0 when EditIndex names none.
int editedRecord() {
    const long k = std::lround(Run.EditIndex);
    return k >= 1 && k <= ContactLog.Count ? static_cast<int>(k) : 0;
}

} // namespace

DEEditOutWindow::DEEditOutWindow() : vb::Form("DEEditOut") {
    setCaption("Edit Contact Entry");
    setBorderStyle(3);
    Move(0, 0, 4680 + NonClientWidth(), 4800 + NonClientHeight());

    lblHeading.setCaption("Edit Contact:");
    lblHeading.Move(1320, 180, 3000, 375);
    lblHeading.setFontName("Arial");
    lblHeading.setFontSize(9.75);
    lblHeading.setFontBold(true);

    vb::TextBox* boxes[] = {&txtEditCall, &txtEditCk, &txtEditPre, &txtEditNum,
                            &txtEditDate, &txtEditTime, &txtEditBnd, &Text1};
    const char* captions[] = {"Callsign", "Ser Rec", "County", "Ser Sent", "Date", "Time", "Mode", "Band"};
    for (int i = 0; i < 8; ++i) {
        const double top = 720 + 420 * i;
        vb::Label& caption = lblRow.Add(*this, "lblRow", i);
        caption.setCaption(captions[i]);
        caption.Move(1320, top + 30, 1095, 285);
        caption.setAlignment(1);
        boxes[i]->Move(2520, top, 1935, 315);
        boxes[i]->setTabIndex(i);
    }
    cmdDone.setCaption("Done");
    cmdDone.Move(2520, 4200, 1215, 375);
    cmdDone.setTabIndex(8);

    // The marks sit in the left margin, in front of their row's caption.
    const std::pair<vb::Label*, int> marks[] = {{&Label1, 0}, {&Label2, 2}, {&Label3, 6}, {&Label6, 7}};
    for (auto [mark, row] : marks) {
        mark->setCaption(mark == &Label1 ? DupeMark : InvalidMark);
        mark->Move(120, 720 + 420 * row, 1095, 315);
        mark->setFontName("Arial");
        mark->setFontSize(8.25);
        mark->setForeColor(MarkForeColor);
        mark->setBackColor(MarkBackColor);
        mark->setVisible(false);
    }
    cmdDeleteDupe.setCaption("Delete Dupe");
    cmdDeleteDupe.Move(120, 1095, 1095, 345);
    cmdDeleteDupe.setVisible(false);
    cmdDeleteDupe.setTabIndex(9);
    ApplyTabOrder();

    cmdDone.Click = [this] { cmdDone_Click(); };
    cmdDeleteDupe.Click = [this] { cmdDeleteDupe_Click(); };
    txtEditCall.KeyPress = [this](int& k) { txtEditCall_KeyPress(k); };
    txtEditCk.KeyPress = [this](int& k) { txtEditCk_KeyPress(k); };
    txtEditPre.KeyPress = [this](int& k) { txtEditPre_KeyPress(k); };
    txtEditNum.KeyPress = [this](int& k) { txtEditNum_KeyPress(k); };
    txtEditDate.KeyPress = [this](int& k) { txtEditDate_KeyPress(k); };
    txtEditTime.KeyPress = [this](int& k) { txtEditTime_KeyPress(k); };
    txtEditBnd.KeyPress = [this](int& k) { txtEditBnd_KeyPress(k); };
    Text1.KeyPress = [this](int& k) { Text1_KeyPress(k); };
    txtEditPre.LostFocus = [this] { txtEditPre_LostFocus(); };
    txtEditDate.LostFocus = [this] { txtEditDate_LostFocus(); };
    txtEditTime.LostFocus = [this] { txtEditTime_LostFocus(); };
    txtEditBnd.LostFocus = [this] { txtEditBnd_LostFocus(); };
    Text1.LostFocus = [this] { Text1_LostFocus(); };
}

void DEEditOutWindow::Form_Load() {
    ScaleFormToScreen(*this);
    const int k = editedRecord();
    if (k == 0) return;
    const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(k)];
    txtEditCall.setText(r.Call);
    txtEditCk.setText(r.SerialRcvd);
    txtEditPre.setText(r.County);
    txtEditNum.setText(r.SerialSent);
    txtEditDate.setText(r.Date);
    txtEditTime.setText(r.Time);
    txtEditBnd.setText(r.Mode);
    Text1.setText(r.Band);
}

void DEEditOutWindow::Cap2(int& KeyAscii) { KeyUpperCase(KeyAscii); }

// ---- Keys -----------------------------------------------------------------------------------------

void DEEditOutWindow::commonKey(int& KeyAscii) {
    if (KeyAscii == 34) KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdDone_Click();
    }
    Cap2(KeyAscii);
}

void DEEditOutWindow::dateTimeKey(int& KeyAscii, int first, int last) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdDone_Click();
        return;
    }
    if (KeyAscii != 8 && (KeyAscii < first || KeyAscii > last)) KeyAscii = 0;
    Cap2(KeyAscii);
}

void DEEditOutWindow::txtEditCall_KeyPress(int& KeyAscii) { commonKey(KeyAscii); }
void DEEditOutWindow::txtEditCk_KeyPress(int& KeyAscii) { commonKey(KeyAscii); }
void DEEditOutWindow::txtEditNum_KeyPress(int& KeyAscii) { commonKey(KeyAscii); }
void DEEditOutWindow::txtEditBnd_KeyPress(int& KeyAscii) { commonKey(KeyAscii); }
void DEEditOutWindow::Text1_KeyPress(int& KeyAscii) { commonKey(KeyAscii); }
void DEEditOutWindow::txtEditDate_KeyPress(int& KeyAscii) { dateTimeKey(KeyAscii, '/', '9'); }
void DEEditOutWindow::txtEditTime_KeyPress(int& KeyAscii) { dateTimeKey(KeyAscii, '0', ':'); }

void DEEditOutWindow::txtEditPre_KeyPress(int& KeyAscii) {
    CountyTypeAheadBox member;
    member.SwallowQuote = true;
    member.BlankAtStartKeepsText = true;
    member.OnEnter = [this] { cmdDone_Click(); };
    CountyTypeAheadKeyPress(txtEditPre, KeyAscii, member);
}

// ---- Checks on leaving a box ----------------------------------------------------------------------
// They run while the editor is shown; a closing editor takes no focus back.

void DEEditOutWindow::txtEditPre_LostFocus() {
    if (isVisible()) CheckCountyBox(txtEditPre, Label2, false);
}

void DEEditOutWindow::txtEditDate_LostFocus() {
    if (!isVisible() || IsDateOrTime(txtEditDate.Text())) return;
    Beep();
    MsgBox("You have entered an invalid date format!", vbOKOnly, "Invalid Date Format!");
    txtEditDate.SetFocus();
}

void DEEditOutWindow::txtEditTime_LostFocus() {
    if (!isVisible() || IsDateOrTime(txtEditTime.Text())) return;
    Beep();
    MsgBox("You have entered an invalid time format!", vbOKOnly, "Invalid Time Format!");
    txtEditTime.SetFocus();
}

void DEEditOutWindow::txtEditBnd_LostFocus() {
    if (!isVisible()) return;
    Label3.setVisible(false);
    if (isOneOf(txtEditBnd.Text(), {"CW", "PH", "DG"})) return;
    Beep();
    Label3.setVisible(true);
    txtEditBnd.SetFocus();
}

void DEEditOutWindow::Text1_LostFocus() {
    if (!isVisible()) return;
    Label6.setVisible(false);
    if (isOneOf(Text1.Text(), {"160", "80", "40", "20", "15", "10", "6"})) return;
    Beep();
    Label6.setVisible(true);
    Text1.SetFocus();
}

// ---- Done and Delete Dupe -------------------------------------------------------------------------

void DEEditOutWindow::cmdDone_Click() {
    if (!IsDateOrTime(txtEditTime.Text())) {
        Beep();
        MsgBox("You have entered an invalid time format!", vbOKOnly, "Invalid Time Format!");
        txtEditTime.SetFocus();
        return;
    }
    if (!IsDateOrTime(txtEditDate.Text())) {
        Beep();
        MsgBox("You have entered an invalid date format!", vbOKOnly, "Invalid Date Format!");
        txtEditDate.SetFocus();
        return;
    }

    const int edited = editedRecord();
    bool dupe = false;
    for (int i = 1; i <= ContactLog.Count; ++i) {
        if (i == edited) continue;
        const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(i)];
        if (sameText(r.Call, txtEditCall.Text()) && sameText(r.Band, Text1.Text()) && sameText(r.Mode, txtEditBnd.Text()) &&
            sameText(r.County, txtEditPre.Text())) {
            dupe = true;
            Label1.setVisible(true);
            cmdDeleteDupe.setVisible(true);
            Beep();
        }
    }
    if (dupe) return;
    Label1.setVisible(false);

    if (edited != 0) {
        ContactRecord& r = ContactLog.Rec[static_cast<size_t>(edited)];
        r.Call = txtEditCall.Text().trimmed();
        r.SerialSent = txtEditNum.Text().trimmed();
        r.County = txtEditPre.Text().trimmed();
        r.SerialRcvd = txtEditCk.Text().trimmed();
        r.Date = txtEditDate.Text();
        r.Time = txtEditTime.Text();
        r.Mode = txtEditBnd.Text();
        r.Band = Text1.Text();
    }
    Hide();
}

void DEEditOutWindow::cmdDeleteDupe_Click() {
    Hide();
    if (onDeleteDupe) onDeleteDupe();
}

} // namespace tylog
