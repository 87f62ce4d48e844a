// The entry line of the in-state window. For now plain boxes: Tab moves on in typing order and Enter
// in any box logs the contact. The keys of each box (filters, completions, the prefix lookup) come here.
#include "core/ProcessState.h"
#include "logging/Infrm.h"
#include "logging/MultiplierRules.h"
#include "logstore/KeyFilters.h"

namespace tylog {

void InfrmWindow::wireEntryLine() {
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
    for (vb::TextBox* box : {&txtRSTR, &txtCntry, &txtSec})
        box->KeyPress = [this](int& k) {
            if (k == 13) {
                k = 0;
                Mains();
            }
        };
    txtCall.KeyPress = [this](int& k) {
        KeyUpperCase(k);
        if (k == 13) {
            k = 0;
            Mains();
            return;
        }
        PartialDupeList(k);
        if (Run.DupeFlag) HoldAfterDupe();
    };
    txtCall.LostFocus = [this] { txtCall_LostFocus(); };
    txtCntry.Change = [this] { txtCntry_Change(); };
    Label1.Change = [this] { Label1_Change(); };
    mnuRecall.Click = [this] { mnuRecall_Click(); };
}

QString InfrmWindow::KeyboardCWOnMessage() const { return "Press F12 to exit keyboard CW mode."; }

void InfrmWindow::txtCntry_Change() {
    // The "New" mark: a DX country not yet worked on this band.
    Label3.setVisible(IsNewDX(txtCntry.Text(), Station.CurrentBand, DXWorkedList, Run.DXWorkedCount));
}

} // namespace tylog
