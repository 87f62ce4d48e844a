#include "logtools/ContactEditor.h"
#include "core/ProcessState.h"
#include "platform/vb/KeyFilters.h"
#include "platform/Dialogs.h"

#include <cmath>

namespace tylog {

ContactEditorWindow::ContactEditorWindow(const QString& name, int rows, EditDupeKey dupeKey)
    : vb::Form(name), dupeKey_(dupeKey) {
    for (int i = 0; i < rows; ++i) lblRow.Add(*this, "lblRow", i);

    cmdDone.Click = [this] { cmdDone_Click(); };
    cmdDeleteDupe.Click = [this] { cmdDeleteDupe_Click(); };
    txtEditCall.KeyPress = [this](int& k) { txtEditCall_KeyPress(k); };
    txtEditCk.KeyPress = [this](int& k) { txtEditCk_KeyPress(k); };
    txtEditNum.KeyPress = [this](int& k) { txtEditNum_KeyPress(k); };
    txtEditDate.KeyPress = [this](int& k) { txtEditDate_KeyPress(k); };
    txtEditTime.KeyPress = [this](int& k) { txtEditTime_KeyPress(k); };
    txtEditBnd.KeyPress = [this](int& k) { txtEditBnd_KeyPress(k); };
    Text1.KeyPress = [this](int& k) { Text1_KeyPress(k); };
    txtEditDate.LostFocus = [this] { txtEditDate_LostFocus(); };
    txtEditTime.LostFocus = [this] { txtEditTime_LostFocus(); };
    txtEditBnd.LostFocus = [this] { txtEditBnd_LostFocus(); };
    Text1.LostFocus = [this] { Text1_LostFocus(); };
}

int ContactEditorWindow::editedRecord() {
    const long k = std::lround(Run.EditIndex);
    return k >= 1 && k <= ContactLog.Count ? static_cast<int>(k) : 0;
}

void ContactEditorWindow::showCommonFields(const ContactRecord& r) {
    txtEditCall.setText(r.Call);
    txtEditCk.setText(r.SerialRcvd);
    txtEditNum.setText(r.SerialSent);
    txtEditDate.setText(r.Date);
    txtEditTime.setText(r.Time);
    txtEditBnd.setText(r.Mode);
    Text1.setText(r.Band);
}

void ContactEditorWindow::Cap2(int& KeyAscii) {
    if (KeyAscii != 9) KeyUpperCase(KeyAscii);
}

// ---- Keys -----------------------------------------------------------------------------------------

void ContactEditorWindow::commonKey(int& KeyAscii) {
    if (KeyAscii == 34) KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdDone_Click();
    }
    Cap2(KeyAscii);
}

void ContactEditorWindow::dateTimeKey(int& KeyAscii, int first, int last) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdDone_Click();
        return;
    }
    if (KeyAscii != 8 && (KeyAscii < first || KeyAscii > last)) KeyAscii = 0;
    Cap2(KeyAscii);
}

void ContactEditorWindow::txtEditCall_KeyPress(int& KeyAscii) { commonKey(KeyAscii); }
void ContactEditorWindow::txtEditCk_KeyPress(int& KeyAscii) { commonKey(KeyAscii); }
void ContactEditorWindow::txtEditNum_KeyPress(int& KeyAscii) { commonKey(KeyAscii); }
void ContactEditorWindow::txtEditBnd_KeyPress(int& KeyAscii) { commonKey(KeyAscii); }
void ContactEditorWindow::Text1_KeyPress(int& KeyAscii) { commonKey(KeyAscii); }
void ContactEditorWindow::txtEditDate_KeyPress(int& KeyAscii) { dateTimeKey(KeyAscii, '/', '9'); }
void ContactEditorWindow::txtEditTime_KeyPress(int& KeyAscii) { dateTimeKey(KeyAscii, '0', ':'); }

// ---- Checks on leaving a box ----------------------------------------------------------------------
// They run while the editor is shown; a closing editor takes no focus back.

bool ContactEditorWindow::refuseDateOrTime(vb::TextBox& box, bool valid, const char* message, const char* title) {
    if (valid) return false;
    Beep();
    MsgBox(message, vbOKOnly, title);
    box.SetFocus();
    return true;
}

void ContactEditorWindow::txtEditDate_LostFocus() {
    if (!isVisible()) return;
    refuseDateOrTime(txtEditDate, !dateToSave().isEmpty(), "You have entered an invalid date format!",
                     "Invalid Date Format!");
}

void ContactEditorWindow::txtEditTime_LostFocus() {
    if (!isVisible()) return;
    refuseDateOrTime(txtEditTime, !timeToSave().isEmpty(), "You have entered an invalid time format!",
                     "Invalid Time Format!");
}

void ContactEditorWindow::txtEditBnd_LostFocus() {
    if (!isVisible()) return;
    Label3.setVisible(false);
    if (IsEditorMode(txtEditBnd.Text())) return;
    Beep();
    Label3.setVisible(true);
    txtEditBnd.SetFocus();
}

void ContactEditorWindow::Text1_LostFocus() {
    if (!isVisible()) return;
    Label6.setVisible(false);
    if (IsEditorBand(Text1.Text())) return;
    Beep();
    Label6.setVisible(true);
    Text1.SetFocus();
}

// ---- Done and Delete Dupe -------------------------------------------------------------------------

void ContactEditorWindow::cmdDone_Click() {
    BeforeDoneChecks();
    // The time before the date: one message per Done.
    if (refuseDateOrTime(txtEditTime, !timeToSave().isEmpty(), "You have entered an invalid time format!",
                         "Invalid Time Format!"))
        return;
    if (refuseDateOrTime(txtEditDate, !dateToSave().isEmpty(), "You have entered an invalid date format!",
                         "Invalid Date Format!"))
        return;

    // The scan compares the contact as it would be written, so a blank that the write drops cannot
    // hide a duplicate.
    const int edited = editedRecord();
    const ContactRecord contact = RecordToSave(edited != 0 ? ContactLog.Rec[static_cast<size_t>(edited)] : ContactRecord{});
    const int dupes = CountEditDuplicates(ContactLog, edited, contact, dupeKey_);
    for (int i = 0; i < dupes; ++i) {
        Label1.setVisible(true);
        cmdDeleteDupe.setVisible(true);
        Beep();
    }
    if (dupes == 0) Label1.setVisible(false); // "Delete Dupe", once shown, stays until the editor closes

    const bool passed = EditorChecks();
    if (dupes != 0 || !passed) return;
    if (edited != 0) ContactLog.Rec[static_cast<size_t>(edited)] = contact;
    Hide();
}

void ContactEditorWindow::cmdDeleteDupe_Click() {
    Hide();
    if (onDeleteDupe) onDeleteDupe();
}

} // namespace tylog
