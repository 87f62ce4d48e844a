#pragma once
// The in-state logging window: an operator inside the host state works everybody. Host-state counties,
// the other states and provinces (the state grid) and DX countries are the multipliers.
//
// One file per concern: Infrm.cpp (layout and load), InfrmCommit.cpp (Mains and its checks, the rover
// replay), InfrmDupes.cpp (duplicate checks), InfrmScore.cpp (rescore, score panel, multipliers),
// InfrmGrid.cpp (state grid and pick lists), InfrmBandMode.cpp (band and mode), InfrmMenus.cpp (the
// window's own menu items, the recent list's editor), InfrmEntry.cpp (the entry line's keys). What
// both logging windows do alike is LoggingWindow's.
#include "core/ProcessState.h"
#include "logging/LoggingWindow.h"
#include "platform/vb/Design.h"
#include "platform/vb/Forms.h"

#include <QStringList>
#include <QVariant>

#include <array>
#include <cstdint>

namespace tylog {

class InfrmWindow : public LoggingWindow {
    Q_OBJECT
public:
    InfrmWindow();

    // Score panel captions of this window.
    vb::Label Label5{*this, "Label5"};   // "Total PH Contacts ......."
    vb::Label Label13{*this, "Label13"}; // "Total CW/Dig Contacts."
    vb::Label lblsectogo{*this, "lblsectogo"};
    vb::Label Label6{*this, "Label6"}; // "Total Multipliers ..........."
    // Counties still to work (List1 holds the DX countries, List2 the counties worked).
    vb::ListBox List3{*this, "List3"};
    vb::Line Line1{*this, "Line1"};
    vb::Line Line6{*this, "Line6"};

    // The state grid: Label10(1..63), one per SectionTable row, under call-area headings and rules.
    vb::ControlArray<vb::Label> Label10;
    vb::Label lblSecOne{*this, "lblSecOne"};
    vb::Label lblSecTwo{*this, "lblSecTwo"};
    vb::Label lblSecThre{*this, "lblSecThre"};
    vb::Label lblSecFour{*this, "lblSecFour"};
    vb::Label lblSecFive{*this, "lblSecFive"};
    vb::Label Label14{*this, "Label14"}; // heading "6"
    vb::Label lblSecSix{*this, "lblSecSix"}; // heading "7"
    vb::Label lblSecEight{*this, "lblSecEight"};
    vb::Label lblSecNine{*this, "lblSecNine"};
    vb::Label lblSecZero{*this, "lblSecZero"};
    vb::Label lblSecCA{*this, "lblSecCA"};
    vb::Line Line2{*this, "Line2"};
    vb::Line Line24{*this, "Line24"};
    vb::Line Line19{*this, "Line19"};
    vb::Line Line14{*this, "Line14"};
    vb::Line Line9{*this, "Line9"};
    vb::Line Line7{*this, "Line7"};
    vb::Line Line22{*this, "Line22"};
    vb::Line Line4{*this, "Line4"};
    vb::Line Line12{*this, "Line12"};
    vb::Line Line10{*this, "Line10"};
    vb::Line Line5{*this, "Line5"};

    // The design table (the layout of every control of the window), as the load applies it.
    static vb::FormDesign Design();
    std::vector<vb::ControlDesign> DesignRows();

    // Logging a contact (InfrmCommit.cpp).
    void Mains() override;
    // Mains from a key of the entry line: the line stays as the operator left it meanwhile.
    void LogEntry() override;
    void CheckRequiredFields() override;
    void CheckSection();
    void ReplayForRoverCounties();
    // 0 outside a rover replay; during one, 1 + the list position being logged.
    std::uint8_t RoverReplayIndex = 0;
    bool InvalidSectionFlag = false;

    // Duplicate checks (InfrmDupes.cpp).
    void CheckDupeAtLog();
    void DupCheck2();
    void HoldAfterDupe();

    // Rescore, score panel, recent contacts, multipliers (InfrmScore.cpp).
    void ReloadAndRescore() override;
    void ShowScore() override;
    void MarkSectionWorked();
    void MarkSectionsFromLog();
    void ColorWorkedSections();
    void RebuildDXList();
    void AddWorkedDX();
    void FillDXWorkedLists();
    // The seven lists of DX countries worked per band ("160" .. "6"), entries 1..Run.DXWorkedCount[k].
    std::array<QStringList, 8> DXWorkedList;

    // State grid and pick lists (InfrmGrid.cpp).
    void BuildSectionGrid();
    void Label10_Click(int Index);
    void Label10_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void List1_Click();
    void List2_Click();
    void List3_Click();

    // Band and mode beyond the shared steps (InfrmBandMode.cpp).
    void BandChangeRefresh() override;

    // The window's own menu items and the editor of the recent list (InfrmMenus.cpp).
    void mnuChangeCounty_Click();
    void mnuColors_Click();
    void Label25_Change();
    void SetListHeights() override;
    void ClearEntry() override;
    void EmptyEntryLine() override;

    // Entry line (InfrmEntry.cpp): the keys of the call, St / Prv / Country and county boxes beyond
    // what both windows type alike, the country completion, the prefix lookup with bearing and
    // distance.
    void txtCall_Change() override;
    void txtCntry_Change();
    void txtCntry_GotFocus();
    void txtCntry_KeyPress(int& KeyAscii);
    void txtSec_GotFocus() override;
    // The rules of PrefixLookup applied to the box and labels (the free functions of the same names
    // are tylog::'s).
    void LookupPrefixCountry();
    void ShowBearingDistance(float latitude, float longitude);
    QString KeyboardCWOnMessage() const override;

protected:
    void UnloadTwinToolWindows() override;
    void OpenContactEditor() override;
    QStringList RecentRow(int record) const override;
    void LoadTwinParts() override;
    void ShowOwnStation() override;
    void callBoxKey(int& KeyAscii) override;
    void callBoxLeft() override;
    vb::TextBox& boxAfterSerial() override { return txtCntry; }
    void serialLetterKey(int& KeyAscii) override;
    const QString* partialDupeOwnCounty() const override { return &Station.CurrentCounty; }
    bool hostStateContact(const ContactRecord& r) const override;
    void countMultipliers(const ContactRecord& r) override;
    CountyListView countyListView() override {
        return {List2, List3, lblStation[8], "Cnty Wkd - ", lblStation[7], "Cnty Rem - "};
    }
    CountyLists countyListsOf(const ContactLogData& log) const override;
    bool countyRequired() const override;

private:
    void layout();
    void wireEvents();
    void wireGrid();
    void wireOwnMenus();
    void wireCountryBox();
    void dropLastCallsCountry(const QString& nextCall);
    bool commitRunning() const;
    bool committing_ = false;
    void SelectMode(const QString& mode, vb::Menu& item) override;
    // HoldAfterDupe's start: the tick of the last refused duplicate.
    std::uint32_t lastDupeTick_ = 0;
};

inline InfrmWindow& Infrm() { return vb::Instance<InfrmWindow>(); }

} // namespace tylog
