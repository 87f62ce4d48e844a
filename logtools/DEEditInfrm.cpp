#include "logtools/DEEditInfrm.h"
#include "core/SectionTable.h"
#include "logtools/CountyTypeAhead.h"
#include "platform/Dialogs.h"
#include "platform/vb/Design.h"
#include "platform/vb/FormScaling.h"

namespace tylog {

DEEditInfrmWindow::DEEditInfrmWindow() : ContactEditorWindow("DEEditInfrm", 10, EditDupeKey::CallBandModeCountySent) {
    // The marks sit in the left margin, in front of their row's caption, hidden until a check fails.
    vb::ApplyDesign(*this, {.Caption = "Edit Contact Entry", .ClientWidth = 4680, .ClientHeight = 5640, .BorderStyle = 3},
                    {
                        // control  caption  left  top   width height tab
                        {lblHeading, "Edit Contact:", 1320, 180, 3000, 375, {},
                         {.FontName = "Arial", .FontSize = 9.75, .FontBold = true}},
                        {lblRow[0], "Callsign", 1320, 750, 1095, 285},
                        {txtEditCall, {}, 2520, 720, 1935, 315, 0},
                        {lblRow[1], "Ser Rec", 1320, 1170, 1095, 285},
                        {txtEditCk, {}, 2520, 1140, 1935, 315, 1},
                        {lblRow[2], "County", 1320, 1590, 1095, 285},
                        {txtEditSec, {}, 2520, 1560, 1935, 315, 2},
                        {lblRow[3], "SPC", 1320, 2010, 1095, 285},
                        {txtEditPre, {}, 2520, 1980, 1935, 315, 3},
                        {lblRow[4], "Ser Snt", 1320, 2430, 1095, 285},
                        {txtEditNum, {}, 2520, 2400, 1935, 315, 4},
                        {lblRow[5], "Date", 1320, 2850, 1095, 285},
                        {txtEditDate, {}, 2520, 2820, 1935, 315, 5},
                        {lblRow[6], "Time", 1320, 3270, 1095, 285},
                        {txtEditTime, {}, 2520, 3240, 1935, 315, 6},
                        {lblRow[7], "Mode", 1320, 3690, 1095, 285},
                        {txtEditBnd, {}, 2520, 3660, 1935, 315, 7},
                        {lblRow[8], "Band", 1320, 4110, 1095, 285},
                        {Text1, {}, 2520, 4080, 1935, 315, 8},
                        {lblRow[9], "County Sent", 1320, 4530, 1095, 285},
                        {Text3, {}, 2520, 4500, 1935, 315, 9},
                        {cmdDone, "Done", 2520, 5040, 1215, 375, 10},
                        {Label1, DupeMark, 120, 720, 1095, 315, {}, InvalidMarkLook},    // Callsign
                        {Label7, InvalidMark, 120, 1560, 1095, 315, {}, InvalidMarkLook}, // County
                        {Label2, InvalidMark, 120, 1980, 1095, 315, {}, InvalidMarkLook}, // SPC
                        {Label3, InvalidMark, 120, 3660, 1095, 315, {}, InvalidMarkLook}, // Mode
                        {Label6, InvalidMark, 120, 4080, 1095, 315, {}, InvalidMarkLook}, // Band
                        {Label9, InvalidMark, 120, 4500, 1095, 315, {}, InvalidMarkLook}, // County Sent
                        {cmdDeleteDupe, "Delete Dupe", 120, 1095, 1095, 345, 11, {.Visible = false}},
                    });
    for (int i = 0; i < 10; ++i) lblRow[i].setAlignment(1);

    txtEditSec.KeyPress = [this](int& k) { txtEditSec_KeyPress(k); };
    txtEditPre.KeyPress = [this](int& k) { txtEditPre_KeyPress(k); };
    Text3.KeyPress = [this](int& k) { Text3_KeyPress(k); };
    txtEditSec.LostFocus = [this] { txtEditSec_LostFocus(); };
    Text3.LostFocus = [this] { Text3_LostFocus(); };
}

void DEEditInfrmWindow::Form_Load() {
    ScaleFormToScreen(*this);
    const int k = editedRecord();
    if (k == 0) return;
    const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(k)];
    showCommonFields(r);
    txtEditSec.setText(r.County);
    txtEditPre.setText(r.Spc);
    Text3.setText(r.SentCounty);
}

// ---- Type-ahead boxes and their checks ------------------------------------------------------------

void DEEditInfrmWindow::txtEditSec_KeyPress(int& KeyAscii) {
    TypeAheadKeyPress(txtEditSec, KeyAscii, EditInCountyBox, [this] { cmdDone_Click(); });
}

void DEEditInfrmWindow::txtEditPre_KeyPress(int& KeyAscii) {
    TypeAheadKeyPress(txtEditPre, KeyAscii, EditInSpcBox, [this] { cmdDone_Click(); });
}

void DEEditInfrmWindow::Text3_KeyPress(int& KeyAscii) {
    TypeAheadKeyPress(Text3, KeyAscii, EditInSentCountyBox, [this] { cmdDone_Click(); });
}

void DEEditInfrmWindow::txtEditSec_LostFocus() {
    if (isVisible()) CheckCountyBox(txtEditSec, Label7, EditInCountyBox);
}

void DEEditInfrmWindow::Text3_LostFocus() {
    if (isVisible()) CheckCountyBox(Text3, Label9, EditInSentCountyBox);
}

// ---- Done -----------------------------------------------------------------------------------------

// An abbreviation typed in lower case after its first letter becomes capitals, even when a later
// check stops Done.
void DEEditInfrmWindow::BeforeDoneChecks() {
    if (txtEditPre.Text().size() < 4) txtEditPre.setText(txtEditPre.Text().toUpper());
}

bool DEEditInfrmWindow::EditorChecks() {
    const bool valid = IsEditorSpc(txtEditPre.Text(), SectionTable);
    Label2.setVisible(!valid);
    if (!valid) Beep();
    return valid;
}

ContactRecord DEEditInfrmWindow::RecordToSave(const ContactRecord& stored) const {
    ContactRecord r = stored;
    // Stray blanks would make a second spelling of a call or county in the log (and in the submission),
    // which the duplicate scan could not see.
    r.Call = txtEditCall.Text().trimmed();
    r.SerialSent = txtEditNum.Text().trimmed();
    r.Spc = txtEditPre.Text().trimmed();
    r.SerialRcvd = txtEditCk.Text().trimmed();
    r.County = txtEditSec.Text().trimmed();
    r.Date = dateToSave();
    r.Time = timeToSave();
    r.Mode = txtEditBnd.Text();
    r.Band = Text1.Text();
    r.SentCounty = Text3.Text().trimmed();
    return r;
}

} // namespace tylog
