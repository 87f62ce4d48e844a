#pragma once
// The out-of-state logging window: an operator outside the host state works host-state stations,
// whose counties are the multipliers.
#include "logging/LoggingWindow.h"
#include "platform/vb/Forms.h"

#include <QVariant>

#include <cstdint>

namespace tylog {

class OutfrmWindow : public LoggingWindow {
    Q_OBJECT
public:
    OutfrmWindow();

    // Controls of this window only.
    vb::Label Label5{*this, "Label5"};
    vb::Label Label10{*this, "Label10"};
    vb::Label lblSectogo{*this, "lblSectogo"};
    vb::Label Label13{*this, "Label13"};
    vb::Line Line8{*this, "Line8"};

    void Form_Load() override;

    // Logging a contact.
    void Mains() override;
    void CheckRequiredFields();

    // Score and county multipliers.
    void ReloadAndRescore() override;
    void ShowScore();
    void RebuildCountyLists();
    void AddWorkedCounty();

    // Band and mode beyond the shared steps (OutfrmBandMode.cpp).
    void BandChangeRefresh() override;
    void mnuDigital_Click() override;

    // Entry line (OutfrmEntry.cpp).
    void txtCall_KeyPress(int& KeyAscii);
    void txtRSTR_KeyPress(int& KeyAscii);
    void txtSec_KeyPress(int& KeyAscii);
    void txtCall_Change();
    void txtRSTS_Change();
    void txtCall_GotFocus();
    void txtRSTR_GotFocus();
    void txtSec_GotFocus();
    void txtCall_LostFocus();
    QString KeyboardCWOnMessage() const override;

    // Duplicate checks (OutfrmDupes.cpp).
    void CheckDupeAtLog();
    void DupCheck2();
    void PartialDupeList(int& KeyAscii);

    // Post-contest entry (OutfrmPostContest.cpp).
    void mnuPostContest_Click();
    void txtPostConTime_GotFocus();
    void txtPostConDate_GotFocus();
    void txtPostConTime_KeyPress(int& KeyAscii);
    void txtPostConDate_KeyPress(int& KeyAscii);

    // Menus and tool windows (OutfrmMenus.cpp).
    // The commands both windows share are LoggingWindow's (LoggingMenus.cpp).

    // Archive and restore (OutfrmArchive.cpp).
    void mnuArchive_Click();
    void mnuRestore_Click();

protected:
    void OpenContactEditor() override;

private:
    void layout();
    void wireEvents();
    void wireArchive();
    // Entry line and post-contest entry.
    void wireEntryLine();
    void wirePostContest();
    void callBoxKey(int& KeyAscii);
    void callBoxLeft();
    void postContestKey(int& KeyAscii, int lowest, int highest);
    int callKeyDepth_ = 0;          // inside the call box's key handler
    bool callLeftDuringKey_ = false; // the call box lost the focus meanwhile
};

inline OutfrmWindow& Outfrm() { return vb::Instance<OutfrmWindow>(); }

} // namespace tylog
