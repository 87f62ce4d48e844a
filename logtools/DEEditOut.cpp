#include "logtools/DEEditOut.h"
#include "platform/vb/FormScaling.h"
#include "core/ProcessState.h"
#include "logstore/ContactLog.h"
#include "logstore/DateText.h"
#include "logstore/KeyFilters.h"
#include "logtools/CountyTypeAhead.h"
#include "platform/Dialogs.h"
#include "platform/vb/Design.h"

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
    for (int i = 0; i < 8; ++i) lblRow.Add(*this, "lblRow", i);
    // The marks sit in the left margin, in front of their row's caption, hidden until a check fails.
    const vb::ControlLook mark{.FontName = "Arial", .FontSize = 8.25, .Visible = false, .ForeColor = MarkForeColor,
                               .BackColor = MarkBackColor};
    vb::ApplyDesign(*this, {.Caption = "Edit Contact Entry", .ClientWidth = 4680, .ClientHeight = 4800, .BorderStyle = 3},
                    {
                        // control  caption  left  top   width height tab
                        {lblHeading, "Edit Contact:", 1320, 180, 3000, 375, {},
                         {.FontName = "Arial", .FontSize = 9.75, .FontBold = true}},
                        {lblRow[0], "Callsign", 1320, 750, 1095, 285},
                        {txtEditCall, {}, 2520, 720, 1935, 315, 0},
                        {lblRow[1], "Ser Rec", 1320, 1170, 1095, 285},
                        {txtEditCk, {}, 2520, 1140, 1935, 315, 1},
                        {lblRow[2], "County", 1320, 1590, 1095, 285},
                        {txtEditPre, {}, 2520, 1560, 1935, 315, 2},
                        {lblRow[3], "Ser Sent", 1320, 2010, 1095, 285},
                        {txtEditNum, {}, 2520, 1980, 1935, 315, 3},
                        {lblRow[4], "Date", 1320, 2430, 1095, 285},
                        {txtEditDate, {}, 2520, 2400, 1935, 315, 4},
                        {lblRow[5], "Time", 1320, 2850, 1095, 285},
                        {txtEditTime, {}, 2520, 2820, 1935, 315, 5},
                        {lblRow[6], "Mode", 1320, 3270, 1095, 285},
                        {txtEditBnd, {}, 2520, 3240, 1935, 315, 6},
                        {lblRow[7], "Band", 1320, 3690, 1095, 285},
                        {Text1, {}, 2520, 3660, 1935, 315, 7},
                        {cmdDone, "Done", 2520, 4200, 1215, 375, 8},
                        {Label1, DupeMark, 120, 720, 1095, 315, {}, mark},    // Callsign
                        {Label2, InvalidMark, 120, 1560, 1095, 315, {}, mark}, // County
                        {Label3, InvalidMark, 120, 3240, 1095, 315, {}, mark}, // Mode
                        {Label6, InvalidMark, 120, 3660, 1095, 315, {}, mark}, // Band
                        {cmdDeleteDupe, "Delete Dupe", 120, 1095, 1095, 345, 9, {.Visible = false}},
                    });
    for (int i = 0; i < 8; ++i) lblRow[i].setAlignment(1);

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
