#pragma once
// The out-of-state logging window: an operator outside the host state works host-state stations,
// whose counties are the multipliers.
#include "logging/LoggingWindow.h"
#include "platform/vb/Design.h"
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

    // The design table of this window's places and captions, as the load applies it.
    std::vector<vb::ControlDesign> DesignRows();

    // Logging a contact.
    void Mains() override;

    // Score and county multipliers.
    void ReloadAndRescore() override;
    void ShowScore() override;

    // Band and mode beyond the shared steps (OutfrmBandMode.cpp).
    void BandChangeRefresh() override;
    void mnuDigital_Click() override;

    // Entry line (OutfrmEntry.cpp).
    QString KeyboardCWOnMessage() const override;

    // Duplicate checks (OutfrmDupes.cpp).
    void CheckDupeAtLog();
    void DupCheck2();

protected:
    void OpenContactEditor() override;
    void LoadTwinParts() override;
    void ShowOwnStation() override;
    void callBoxKey(int& KeyAscii) override;
    void callBoxLeft() override;
    vb::TextBox& boxAfterSerial() override { return txtSec; }
    void serialLetterKey(int& KeyAscii) override { txtSec_KeyPress(KeyAscii); }
    void txtSec_KeyPress(int& KeyAscii) override;
    bool hostStateContact(const ContactRecord&) const override { return true; }
    void countMultipliers(const ContactRecord&) override { AddWorkedCounty(); }
    CountyListView countyListView() override {
        return {List2, List1, lblStation[5], "Counties Worked - ", lblStation[7], "Counties To Go - "};
    }
    CountyLists countyListsOf(const ContactLogData& log) const override;

private:
    void layout();
    void wireEvents();
};

inline OutfrmWindow& Outfrm() { return vb::Instance<OutfrmWindow>(); }

} // namespace tylog
