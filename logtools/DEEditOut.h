#pragma once
// The out-of-state window's contact editor: one contact of the log, its eight recorded fields, with
// the same key filters and checks as the entry line has. Done writes the record in memory only; the
// window that opened the editor rewrites log.txt and rescores.
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"

#include <functional>

namespace tylog {

class DEEditOutWindow : public vb::Form {
public:
    DEEditOutWindow();

    vb::Label lblHeading{*this, "lblHeading"};
    vb::ControlArray<vb::Label> lblRow; // the row captions, top to bottom

    vb::TextBox txtEditCall{*this, "txtEditCall"}; // Callsign
    vb::TextBox txtEditCk{*this, "txtEditCk"};     // Ser Rec
    vb::TextBox txtEditPre{*this, "txtEditPre"};   // County
    vb::TextBox txtEditNum{*this, "txtEditNum"};   // Ser Sent
    vb::TextBox txtEditDate{*this, "txtEditDate"};
    vb::TextBox txtEditTime{*this, "txtEditTime"};
    vb::TextBox txtEditBnd{*this, "txtEditBnd"}; // Mode
    vb::TextBox Text1{*this, "Text1"};           // Band
    vb::CommandButton cmdDone{*this, "cmdDone"};

    // Marks beside the rows, hidden until a check fails.
    vb::Label Label1{*this, "Label1"}; // "  Dupe!" (Callsign)
    vb::Label Label2{*this, "Label2"}; // County
    vb::Label Label3{*this, "Label3"}; // Mode
    vb::Label Label6{*this, "Label6"}; // Band
    vb::CommandButton cmdDeleteDupe{*this, "cmdDeleteDupe"};

    void Form_Load() override;
    void cmdDone_Click();
    void cmdDeleteDupe_Click();
    static void Cap2(int& KeyAscii);

    void txtEditCall_KeyPress(int& KeyAscii);
    void txtEditCk_KeyPress(int& KeyAscii);
    void txtEditPre_KeyPress(int& KeyAscii);
    void txtEditNum_KeyPress(int& KeyAscii);
    void txtEditDate_KeyPress(int& KeyAscii);
    void txtEditTime_KeyPress(int& KeyAscii);
    void txtEditBnd_KeyPress(int& KeyAscii);
    void Text1_KeyPress(int& KeyAscii);

    void txtEditPre_LostFocus();
    void txtEditDate_LostFocus();
    void txtEditTime_LostFocus();
    void txtEditBnd_LostFocus();
    void Text1_LostFocus();

    // What "Delete Dupe" asks of the window that opened the editor (its own Delete command).
    std::function<void()> onDeleteDupe;

private:
    void commonKey(int& KeyAscii);
    void dateTimeKey(int& KeyAscii, int first, int last);
};

inline DEEditOutWindow& DEEditOut() { return vb::Instance<DEEditOutWindow>(); }

// The marks' text and colours.
inline const char* const InvalidMark = "   Invalid!";
inline const char* const DupeMark = "  Dupe!";
inline constexpr long MarkForeColor = 0xFFFFFF;
inline constexpr long MarkBackColor = 0x000080; // dark red

} // namespace tylog
