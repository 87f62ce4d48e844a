#pragma once
// The out-of-state window's contact editor: one contact of the log, the eight fields that window
// records. It works as the in-state editor does (ContactEditor.h), without the St / Prv / Country and
// the county sent; Done writes the call, both serials and the county trimmed.
#include "logtools/ContactEditor.h"
#include "platform/vb/Forms.h"

namespace tylog {

class DEEditOutWindow : public ContactEditorWindow {
public:
    DEEditOutWindow();

    vb::TextBox txtEditPre{*this, "txtEditPre"}; // County
    vb::Label Label2{*this, "Label2"};           // its mark

    void Form_Load() override;
    void txtEditPre_KeyPress(int& KeyAscii);
    void txtEditPre_LostFocus();

protected:
    ContactRecord RecordToSave(const ContactRecord& stored) const override;
};

inline DEEditOutWindow& DEEditOut() { return vb::Instance<DEEditOutWindow>(); }

} // namespace tylog
