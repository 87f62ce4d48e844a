#pragma once
// The in-state window's contact editor: one contact of the log, the ten fields the in-state operator
// corrects. Besides what both editors do (ContactEditor.h) it completes country names in the
// St / Prv / Country box, checks that box on Done, and counts the county sent in the duplicate key.
// Every field is written as its box holds it (date and time in the log's own form).
//
// The caller sets Run.EditIndex and onDeleteDupe, shows it modally, then unloads it, rewrites
// log.txt and reloads, however it was closed. It reads CountyTable, PrefixTable and SectionTable.
#include "logtools/ContactEditor.h"
#include "platform/vb/Forms.h"

namespace tylog {

class DEEditInfrmWindow : public ContactEditorWindow {
public:
    DEEditInfrmWindow();

    vb::TextBox txtEditSec{*this, "txtEditSec"}; // County
    vb::TextBox txtEditPre{*this, "txtEditPre"}; // SPC (St / Prv / Country)
    vb::TextBox Text3{*this, "Text3"};           // County Sent
    vb::Label Label7{*this, "Label7"};           // the County mark
    vb::Label Label2{*this, "Label2"};           // the SPC mark (set by Done)
    vb::Label Label9{*this, "Label9"};           // the County Sent mark

    void Form_Load() override;
    void txtEditSec_KeyPress(int& KeyAscii);
    void txtEditPre_KeyPress(int& KeyAscii);
    void Text3_KeyPress(int& KeyAscii);
    void txtEditSec_LostFocus();
    void Text3_LostFocus();

protected:
    void BeforeDoneChecks() override;
    ContactRecord RecordToSave(const ContactRecord& stored) const override;
    bool EditorChecks() override;
};

inline DEEditInfrmWindow& DEEditInfrm() { return vb::Instance<DEEditInfrmWindow>(); }

} // namespace tylog
