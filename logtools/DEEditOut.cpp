#include "logtools/DEEditOut.h"
#include "logtools/CountyTypeAhead.h"
#include "platform/vb/Design.h"
#include "platform/vb/FormScaling.h"

namespace tylog {

DEEditOutWindow::DEEditOutWindow() : ContactEditorWindow("DEEditOut", 8, EditDupeKey::CallBandModeCounty) {
    // The marks sit in the left margin, in front of their row's caption, hidden until a check fails.
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
                        {Label1, DupeMark, 120, 720, 1095, 315, {}, InvalidMarkLook},    // Callsign
                        {Label2, InvalidMark, 120, 1560, 1095, 315, {}, InvalidMarkLook}, // County
                        {Label3, InvalidMark, 120, 3240, 1095, 315, {}, InvalidMarkLook}, // Mode
                        {Label6, InvalidMark, 120, 3660, 1095, 315, {}, InvalidMarkLook}, // Band
                        {cmdDeleteDupe, "Delete Dupe", 120, 1095, 1095, 345, 9, {.Visible = false}},
                    });
    for (int i = 0; i < 8; ++i) lblRow[i].setAlignment(1);

    txtEditPre.KeyPress = [this](int& k) { txtEditPre_KeyPress(k); };
    txtEditPre.LostFocus = [this] { txtEditPre_LostFocus(); };
}

void DEEditOutWindow::Form_Load() {
    ScaleFormToScreen(*this);
    const int k = editedRecord();
    if (k == 0) return;
    const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(k)];
    showCommonFields(r);
    txtEditPre.setText(r.County);
}

void DEEditOutWindow::txtEditPre_KeyPress(int& KeyAscii) {
    TypeAheadKeyPress(txtEditPre, KeyAscii, EditOutCountyBox, [this] { cmdDone_Click(); });
}

void DEEditOutWindow::txtEditPre_LostFocus() {
    if (isVisible()) CheckCountyBox(txtEditPre, Label2, EditOutCountyBox);
}

ContactRecord DEEditOutWindow::RecordToSave(const ContactRecord& stored) const {
    ContactRecord r = stored;
    r.Call = txtEditCall.Text().trimmed();
    r.SerialSent = txtEditNum.Text().trimmed();
    r.County = txtEditPre.Text().trimmed();
    r.SerialRcvd = txtEditCk.Text().trimmed();
    r.Date = dateToSave();
    r.Time = timeToSave();
    r.Mode = txtEditBnd.Text();
    r.Band = Text1.Text();
    return r;
}

} // namespace tylog
