#pragma once
// What the two contact editors share: the boxes and marks both have (by the names both give them),
// the key filters, the leave checks of date, time, mode and band, and Done's order of checks (time,
// date, the duplicate scan, the editor's own checks) before the record is written. Each editor lays
// out its window, adds its own boxes and says how a contact is written and what makes a duplicate.
// Done writes the record in memory only; the window that opened the editor rewrites log.txt and
// rescores, however the editor was closed.
#include "logstore/ContactLog.h"
#include "logtools/ContactEditRules.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"

#include <functional>

namespace tylog {

class ContactEditorWindow : public vb::Form {
public:
    vb::Label lblHeading{*this, "lblHeading"};
    vb::ControlArray<vb::Label> lblRow; // the row captions, top to bottom

    vb::TextBox txtEditCall{*this, "txtEditCall"}; // Callsign
    vb::TextBox txtEditCk{*this, "txtEditCk"};     // Ser Rec
    vb::TextBox txtEditNum{*this, "txtEditNum"};   // Ser Sent
    vb::TextBox txtEditDate{*this, "txtEditDate"};
    vb::TextBox txtEditTime{*this, "txtEditTime"};
    vb::TextBox txtEditBnd{*this, "txtEditBnd"}; // Mode
    vb::TextBox Text1{*this, "Text1"};           // Band
    vb::CommandButton cmdDone{*this, "cmdDone"};

    // Marks beside the rows, hidden until a check fails.
    vb::Label Label1{*this, "Label1"}; // "  Dupe!" (Callsign)
    vb::Label Label3{*this, "Label3"}; // Mode
    vb::Label Label6{*this, "Label6"}; // Band
    vb::CommandButton cmdDeleteDupe{*this, "cmdDeleteDupe"};

    void cmdDone_Click();
    void cmdDeleteDupe_Click();
    static void Cap2(int& KeyAscii);

    void txtEditCall_KeyPress(int& KeyAscii);
    void txtEditCk_KeyPress(int& KeyAscii);
    void txtEditNum_KeyPress(int& KeyAscii);
    void txtEditDate_KeyPress(int& KeyAscii);
    void txtEditTime_KeyPress(int& KeyAscii);
    void txtEditBnd_KeyPress(int& KeyAscii);
    void Text1_KeyPress(int& KeyAscii);

    void txtEditDate_LostFocus();
    void txtEditTime_LostFocus();
    void txtEditBnd_LostFocus();
    void Text1_LostFocus();

    // What "Delete Dupe" asks of the window that opened the editor (its own Delete command).
    std::function<void()> onDeleteDupe;

protected:
    ContactEditorWindow(const QString& name, int rows, EditDupeKey dupeKey);

    // The record being edited (EditIndex), or 0 when it names none.
    static int editedRecord();
    // Fills the boxes both editors have from the record, as stored.
    void showCommonFields(const ContactRecord& r);
    // The date and time as Done would write them: "" when the box holds no real date or time.
    QString dateToSave() const { return EditorDateText(txtEditDate.Text()); }
    QString timeToSave() const { return EditorTimeText(txtEditTime.Text()); }

    // The editor's own parts of Done.
    virtual void BeforeDoneChecks() {}
    // The stored record as Done would write it from the boxes (date and time already checked).
    virtual ContactRecord RecordToSave(const ContactRecord& stored) const = 0;
    // Checks after the duplicate scan; false keeps the editor open.
    virtual bool EditorChecks() { return true; }

private:
    void commonKey(int& KeyAscii);
    void dateTimeKey(int& KeyAscii, int first, int last);
    bool refuseDateOrTime(vb::TextBox& box, bool valid, const char* message, const char* title);
    EditDupeKey dupeKey_;
};

inline const char* const DupeMark = "  Dupe!";

} // namespace tylog
