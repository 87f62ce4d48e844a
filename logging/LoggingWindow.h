#pragma once
// What the two logging windows (the out-of-state and the in-state one) share: the controls that carry
// the same name and role in both, the menu tree, the timers, and the handlers written once for both
// (closing, Time On/Off, clocks, form size). Each window lays the controls out and adds its own.
#include "platform/vb/Controls.h"
#include "platform/vb/Design.h"
#include "platform/vb/Form.h"

#include <QStringList>

#include <cstdint>
#include <memory>

namespace tylog {

struct ContactRecord;
struct ContactLogData;
struct CountyLists;

class LoggingWindow : public vb::Form {
    Q_OBJECT
public:
    enum class Twin { OutOfState, InState };
    LoggingWindow(const QString& name, Twin twin);
    ~LoggingWindow() override;

private:
    Twin twin_;

public:
    // Entry line.
    vb::TextBox txtCall{*this, "txtCall"};
    vb::TextBox txtRSTR{*this, "txtRSTR"};
    vb::TextBox txtCntry{*this, "txtCntry"};
    vb::TextBox txtSec{*this, "txtSec"};
    vb::TextBox txtRSTS{*this, "txtRSTS"};
    vb::ControlArray<vb::Label> lblStation;
    vb::ListBox List1{*this, "List1"};
    vb::ListBox List2{*this, "List2"};
    vb::Label lblDialog{*this, "lblDialog"};
    vb::Label lblPossDup{*this, "lblPossDup"};
    vb::Label lblDupe{*this, "lblDupe"};
    vb::CommandButton cmdDup{*this, "cmdDup"};
    // Recent contacts.
    vb::Label lblRecentContacts{*this, "lblRecentContacts"};
    vb::ListView ListView1{*this, "ListView1"};
    vb::CommandButton cmdList{*this, "cmdList"};
    vb::CommandButton cmdEdit{*this, "cmdEdit"};
    vb::CommandButton cmdDelete{*this, "cmdDelete"};
    // Score panel heading and the shared value labels.
    vb::Label lblScorStats{*this, "lblScorStats"};
    vb::Label lblTotCon{*this, "lblTotCon"};
    vb::Label Label26{*this, "Label26"};
    vb::Label Label27{*this, "Label27"};
    vb::Label lblTotSec{*this, "lblTotSec"};
    vb::Label Label7{*this, "Label7"};
    vb::Label lblTotScore{*this, "lblTotScore"};
    vb::Label Label8{*this, "Label8"};
    vb::Label lblAQSO20{*this, "lblAQSO20"};
    vb::Label Label9{*this, "Label9"};
    vb::Label lblAQSO60{*this, "lblAQSO60"};
    vb::Label Label15{*this, "Label15"};
    // Clocks and operating time.
    vb::Label lblCurTime{*this, "lblCurTime"};
    vb::Label Label16{*this, "Label16"};
    vb::Label lblutctime{*this, "lblutctime"};
    vb::Label Label11{*this, "Label11"};
    vb::Label Label12{*this, "Label12"};
    vb::Label lblttrack{*this, "lblttrack"};
    vb::CommandButton cmdLogOn{*this, "cmdLogOn"};
    // Band, mode and the sent exchange.
    vb::Label Label21{*this, "Label21"};
    vb::Label Label24{*this, "Label24"};
    vb::Label lblBandSwitch{*this, "lblBandSwitch"};
    vb::Label Label30{*this, "Label30"};
    vb::Label Label2{*this, "Label2"};
    vb::Label Label1{*this, "Label1"};
    vb::Label Label25{*this, "Label25"};
    // Bearing, distance and continent of the station worked.
    vb::Label Label17{*this, "Label17"};
    vb::Label Label22{*this, "Label22"};
    vb::Label Label18{*this, "Label18"};
    vb::Label Label23{*this, "Label23"};
    vb::Label Label20{*this, "Label20"};
    vb::Label Label19{*this, "Label19"};
    vb::Label Label3{*this, "Label3"};
    vb::Label Label4{*this, "Label4"};
    vb::CommandButton Command1{*this, "Command1"};
    // Post-contest entry.
    vb::Label lblPostConDate{*this, "lblPostConDate"};
    vb::TextBox txtPostConDate{*this, "txtPostConDate"};
    vb::Label lblPostConTime{*this, "lblPostConTime"};
    vb::TextBox txtPostConTime{*this, "txtPostConTime"};
    // Spot area.
    vb::ListView txtDX{*this, "txtDX"};
    vb::ControlArray<vb::Label> lblDXSpot;
    vb::ControlArray<vb::Label> lblFreqSpot;
    vb::Line LineDX{*this, "LineDX"};
    vb::Label lblDX{*this, "lblDX"};
    vb::Line Line3{*this, "Line3"};

    vb::Timer Timer1{*this, "Timer1", 60000};
    vb::Timer Timer2{*this, "Timer2", 1000};

    // Menus, left to right.
    vb::Menu mnuFile{*this, "mnuFile", "&File"};
    vb::Menu mnuNew{mnuFile, "mnuNew", "&New"};
    vb::Menu mnuLine1{mnuFile, "mnuLine1", "-"};
    vb::Menu mnuArchive{mnuFile, "mnuArchive", "Archive Current &Log"};
    vb::Menu mnuLine21{mnuFile, "mnuLine21", "-"};
    vb::Menu mnuRestore{mnuFile, "mnuRestore", "&Restore from Archive or Backup"};
    vb::Menu mnuLine53{mnuFile, "mnuLine53", "-"};
    vb::Menu mnuOpen{mnuFile, "mnuOpen", "&Open"};
    vb::Menu mnuWriteSumm{mnuFile, "mnuWriteSumm", "&Write Submission File"};
    vb::Menu mnuLine2{mnuFile, "mnuLine2", "-"};
    vb::Menu mnuHearthbookImport{mnuFile, "mnuHearthbookImport", "E&xport for Hearthbook Import"};
    vb::Menu mnuexportADIF{mnuFile, "mnuexportADIF", "Export &ADIF File"};
    vb::Menu mnuLine22{mnuFile, "mnuLine22", "-"};
    vb::Menu mnuCopyListtoClipboard{mnuFile, "mnuCopyListtoClipboard", "&Copy Listed Items to Clipboard"};
    vb::Menu mnuLine3{mnuFile, "mnuLine3", "-"};
    vb::Menu mnuExit{mnuFile, "mnuExit", "&Exit"};

    vb::Menu mnuOptions{*this, "mnuOptions", "&Options"};
    vb::Menu mnuAppearance{mnuOptions, "mnuAppearance", "&Appearance"};
    vb::Menu mnuFormSize{mnuAppearance, "mnuFormSize", "&Form Size"};
    vb::Menu mnuColors{mnuAppearance, "mnuColors", "&Colors"};
    vb::Menu mnuTaskbar{mnuAppearance, "mnuTaskbar", "&Taskbar"};
    vb::Menu mnuLine5{mnuOptions, "mnuLine5", "-"};
    vb::Menu mnutrans{mnuOptions, "mnutrans", "&Transmit"};
    vb::Menu mnuCW{mnutrans, "mnuCW", "&CW Setup"};
    vb::Menu mnuVoice{mnutrans, "mnuVoice", "&Voice Setup"};
    vb::Menu mnuLine6{mnuOptions, "mnuLine6", "-"};
    vb::Menu mnuRigInterface{mnuOptions, "mnuRigInterface", "&Rig Interface"};
    vb::Menu mnuLine8{mnuOptions, "mnuLine8", "-"};
    vb::Menu mnuDX{mnuOptions, "mnuDX", "&DX Spotting"};
    vb::Menu mnuDXSpotting{mnuDX, "mnuDXSpotting", "&Configure"};
    vb::Menu mnuSpectrumMap{mnuDX, "mnuSpectrumMap", "&View Spectrum Map"};
    vb::Menu mnuLine7{mnuOptions, "mnuLine7", "-"};
    vb::Menu mnuBlind{mnuOptions, "mnuBlind", "&Voice Navigation"};
    vb::Menu mnuLine11{mnuOptions, "mnuLine11", "-"};
    vb::Menu mnuListPrevious{mnuOptions, "mnuListPrevious", "&List Previous Contacts"};
    vb::Menu mnuLine29{mnuOptions, "mnuLine29", "-"};
    vb::Menu mnuPostContest{mnuOptions, "mnuPostContest", "&Post Contest Mode"};

private:
    // The out-of-state window's "&Setup", switched off for good.
    std::unique_ptr<vb::Menu> setupMenu_{twin_ == Twin::OutOfState ? std::make_unique<vb::Menu>(*this, "mnuSetup", "&Setup")
                                                                   : nullptr};

public:
    vb::Menu mnuBandChange{*this, "mnuBandChange", "&Band"};
    vb::Menu mnuBand160Ch{mnuBandChange, "mnuBand160Ch", "160"};
    vb::Menu mnuBand80Ch{mnuBandChange, "mnuBand80Ch", "80"};
    vb::Menu mnuBand40Ch{mnuBandChange, "mnuBand40Ch", "40"};
    vb::Menu mnuBand20Ch{mnuBandChange, "mnuBand20Ch", "20"};
    vb::Menu mnuBand15Ch{mnuBandChange, "mnuBand15Ch", "15"};
    vb::Menu mnuBand10Ch{mnuBandChange, "mnuBand10Ch", "10"};
    vb::Menu mnuBand6Ch{mnuBandChange, "mnuBand6Ch", "6"};
    vb::Menu mnuBand2Ch{mnuBandChange, "mnuBand2Ch", "2"};
    vb::Menu mnuBand125CH{mnuBandChange, "mnuBand125CH", "1.25"};
    vb::Menu mnuBand70CH{mnuBandChange, "mnuBand70CH", "70"};
    vb::Menu mnuLine14{mnuBandChange, "mnuLine14", "-"};
    vb::Menu mnuPrivileges{mnuBandChange, "mnuPrivileges", "&Privileges"};

    vb::Menu mnuBand{*this, "mnuBand", "&Mode"};
    vb::Menu mnu160{mnuBand, "mnu160", "&CW"};
    vb::Menu mnuSSB{mnuBand, "mnuSSB", "&PH"};
    vb::Menu mnuDigital{mnuBand, "mnuDigital", "&Digital"};

    vb::Menu mnuClear{*this, "mnuClear", "&Clear"};

private:
    std::unique_ptr<vb::Menu> changeCountyMenu_{
        twin_ == Twin::InState ? std::make_unique<vb::Menu>(*this, "mnuChangeCounty", "Cha&nge County") : nullptr};

public:
    vb::Menu mnuMap{*this, "mnuMap", "M&ap"};
    vb::Menu mnuGraph{*this, "mnuGraph", "&Graph"};
    vb::Menu mnuRecall{*this, "mnuRecall", "&Recall"};
    vb::Menu mnuCountyList{*this, "mnuCountyList", "L&ist"};
    vb::Menu mnuHelp{*this, "mnuHelp", "&Help"};

    vb::Menu* mnuSetup() const { return setupMenu_.get(); }
    vb::Menu* mnuChangeCounty() const { return changeCountyMenu_.get(); }

    Twin twin() const { return twin_; }

    // The design table of what both twins show alike: the controls they place alike with their
    // places, the others' captions and looks (each twin's DesignRows places those).
    std::vector<vb::ControlDesign> SharedDesignRows();

    // Closing and ending the run.
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Form_Terminate() override;
    void Form_Activate() override;
    // Moving over the bare window clears a hover or partial-duplicate text.
    void Form_MouseMove(int Button, int Shift, double X, double Y) override;

    // Time On / Time Off, clocks and the rate meter.
    void cmdLogOn_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void UpdateRateMeter();
    void ShowOperatingTime();

    // Form size and the taskbar option.
    void ApplyFormSize();
    void FitWindowToScreen();
    virtual void SetListHeights();
    void mnuFormSize_Click();
    void mnuTaskbar_Click();
    void mnuExit_Click();

    // Shared load steps.
    void ScaleToScreenAtLoad();
    void AddListColumn(vb::ListView& list, const QString& header, double designWidth);
    void MarkModeAndBand();

    // The window's own operations that shared code calls.
    virtual void ReloadAndRescore() = 0;

    // Band and mode (LoggingBandMode.cpp; the radio reaches BandFreqConversion and ModeSelection
    // through Form1). What a change refreshes is each window's own.
    void SelectBand(const QString& band); // what each band menu item does
    virtual void BandChangeRefresh() = 0;
    void mnu160_Click();
    void mnuSSB_Click();
    virtual void mnuDigital_Click();
    void Label24_Click();
    void Label30_Click();
    void BandFreqConversion(float frequencyValue);
    void ModeSelection(const QString& strMode);

    // Spot list and band map (LoggingSpots.cpp, over the shared SpotArea; the spotting window reaches
    // BandMapSpots, PacketResize and DisplayBandMapLabels through Form1).
    void BandMapSpots(const QVariant& qDXSpotCall, const QVariant& qDXSpotFreq, const QVariant& qDXSpotRecord);
    void PacketResize();
    void BandMapScale();
    void DisplayBandMapLabels();
    void txtDX_Click();
    void txtDX_DblClick();
    void lblDX_Click();
    void mnuDXSpotting_Click();
    void lblDX_DblClick();
    void mnuSpectrumMap_Click();
    void lblDXSpot_MouseDown(int Index, int Button, int Shift, double X, double Y);
    void lblDXSpot_MouseMove(int Index, int Button, int Shift, double X, double Y);

    // The load both twins run (Form_Load in LoggingWindow.cpp); what differs is the twins' own.
    void Form_Load() override;

    // The entry line as both windows type it (LoggingEntry.cpp): its typing order and lengths, the
    // events wired alike, the call box's key guard and focus, the serial box, the county box's
    // completion, the partial-duplicate line and the post-contest boxes. What a key does beyond that
    // is each twin's.
    void txtCall_KeyPress(int& KeyAscii);
    // The leave of the call box: at once, or once the key inside whose handling it happened is done.
    void txtCall_LostFocus();
    void txtCall_GotFocus();
    virtual void txtCall_Change();
    void txtRSTS_Change();
    void txtRSTR_GotFocus();
    void txtRSTR_KeyPress(int& KeyAscii);
    virtual void txtSec_GotFocus();
    virtual void txtSec_KeyPress(int& KeyAscii);
    // Lists the logged calls that hold what the call box will hold with this key.
    void PartialDupeList(int& KeyAscii);
    virtual void ClearEntry();
    void mnuRecall_Click();
    void Label1_Change();
    // Post-contest entry: the date and time boxes of contacts typed in from paper after the contest.
    void mnuPostContest_Click();
    void txtPostConTime_GotFocus();
    void txtPostConDate_GotFocus();
    void txtPostConTime_KeyPress(int& KeyAscii);
    void txtPostConDate_KeyPress(int& KeyAscii);

    // Logging a contact: the twin's checks and record (Mains), and what Enter in the entry line runs.
    virtual void Mains() = 0;
    virtual void LogEntry() { Mains(); }
    // Archive and restore from the File menu (over the shared ArchiveCommands).
    void mnuArchive_Click();
    void mnuRestore_Click();

    // Keyboard map of both windows (LoggingKeys.cpp): Ctrl shortcuts, repeat cancel, function keys by
    // mode, CW speed, keyboard CW, Esc, and the quote marks that never reach a field.
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void Form_KeyPress(int& KeyAscii) override;
    // What lblDialog says when F12 turns keyboard CW on.
    virtual QString KeyboardCWOnMessage() const = 0;
    // 1 from a key-down with Ctrl until the next character, which it eats.
    std::uint8_t SkipKeyPress = 0;

    // Recent-contacts list and its commands (LoggingRecent.cpp): the start question, the list with the
    // next serial number, edit, delete, last 20 or all, the partial-duplicate switch, column sort, copy.
    void AskOpenExistingLog();
    void FillRecentContacts();
    void cmdDelete_Click();
    void cmdEdit_Click();
    void cmdList_Click();
    void cmdDup_Click();
    void ListView1_Click();
    void ListView1_LostFocus();
    void ListView1_ColumnClick(int ColumnIndex);
    void ListView1_MouseUp(int Button, int Shift, double X, double Y);
    void mnuCopyListtoClipboard_Click();
    // The record number of the selected row; 0 when no row is selected or it names no record.
    int SelectedRecord() const;

    // Logging a contact, as both windows store one (LoggingCommit.cpp).
    // Need County, Serial and Call Sign, in that order: the message and focus of the last one
    // missing stand.
    virtual void CheckRequiredFields();
    // Checks and rewrites the post-contest date and time boxes while they are shown; false (message and
    // beep) when one does not hold a date or time.
    bool CheckPostContestEntry();
    // Sets a record's serial sent (the label's when it is a number, else the record's number), date
    // and time (the post-contest boxes, or now in UTC), mode, band and frequency.
    void StampContact(ContactRecord& r) const;
    // The county box's abbreviation (any letter case) written out as the county's name.
    void ExpandCountyAbbreviation();
    // Whether the county box names a county of CountyTable (InvalidCountyFlag, message, focus).
    void CheckValidCounty();
    // Stores `r` as record Count + 1 and appends it to log.txt. False, with the operator told and
    // nothing stored, when the log is not loaded, is full, or the append fails.
    bool StoreContact(const ContactRecord& r);
    // The reload could not count the log: the operator is told to mend log.txt, and the run ends.
    void ReportRescoreFailureAndEnd();
    // The end of a load stopped by an error (`why`): the window shows as far as it got, and when the
    // log was not loaded the operator is told that nothing can be logged in this run.
    void ReportFailedLoad(const QString& why);
    // After a contact is stored: the message lines emptied, the contact counted into the score, the
    // recent list, the twin's multipliers and the score panel.
    void ShowStoredContact();
    // The end of every commit: the entry line emptied when its checks passed (else it keeps what was
    // typed), the partial list emptied, the rate meter, and the radio's frequency used up.
    void FinishCommit(bool emptyEntryLine);
    // Empties the boxes of the entry line and the country labels the lookup fills.
    virtual void EmptyEntryLine();
    // The score counts of every record of the log, anew.
    void RecountScore();
    // The score panel from the counts and the multiplier lists.
    virtual void ShowScore() = 0;
    // The county lists (worked, still to work) and their headings, from the log; the newest record's
    // county moved from the one to the other.
    void RebuildCountyLists();
    void AddWorkedCounty();

    // Menu commands of both windows (LoggingMenus.cpp).
    void mnuNew_Click();
    void mnuexportADIF_Click();
    void mnuCW_Click();
    void mnuVoice_Click();
    void mnuListPrevious_Click();
    void mnuHelp_Click();
    void mnuClear_Click();
    void mnuBlind_Click();
    void mnuWriteSumm_Click();
    void mnuGraph_Click();
    void mnuMap_Click();
    void mnuCountyList_Click();

protected:
    // The load's steps that are each twin's own: the start prompt, the recent list's columns and
    // what the twin builds (LoadTwinParts); its own station's labels (ShowOwnStation).
    virtual void LoadTwinParts() = 0;
    virtual void ShowOwnStation() = 0;
    // What a key in the call box does (past the guard); what leaving the box does.
    virtual void callBoxKey(int& KeyAscii) = 0;
    virtual void callBoxLeft() = 0;
    // The box after the serial, and what a letter typed into the serial box does there.
    virtual vb::TextBox& boxAfterSerial() = 0;
    virtual void serialLetterKey(int& KeyAscii) = 0;
    // The county box's keys both twins share: Enter logs, Space accepts and moves on, the county
    // completion. False when the key ended the entry (Enter).
    bool countyKey(int& KeyAscii);
    // The own county whose contacts the partial-duplicate scan alone counts (the in-state window's).
    virtual const QString* partialDupeOwnCounty() const { return nullptr; }
    // The twin's county lists: the boxes, their headings' labels and texts, and how the lists are
    // worked out from the log.
    struct CountyListView {
        vb::ListBox& worked;
        vb::ListBox& toWork;
        vb::Label& workedHeading;
        const char* workedText;
        vb::Label& toWorkHeading;
        const char* toWorkText;
    };
    virtual CountyListView countyListView() = 0;
    virtual CountyLists countyListsOf(const ContactLogData& log) const = 0;
    // A required box left empty (or too short): the message, the beep and the focus there.
    void missingField(const char* message, vb::TextBox& box);
    // Whether the county box must be filled in for the contact to be logged.
    virtual bool countyRequired() const { return true; }
    // A digit after a complete call is the serial's first digit: it goes to the serial box, which it
    // starts anew; the call box takes nothing.
    void digitStartsSerial(int& KeyAscii);
    // Without the Time On clock running, every key of the call box says so.
    void askForTimeOn();
    // Whether a record counts as a host-state station for its points.
    virtual bool hostStateContact(const ContactRecord& r) const = 0;
    // The newest record into the twin's multiplier lists.
    virtual void countMultipliers(const ContactRecord& r) = 0;
    void wireEntryLine();
    void wireSpots();
    void wireBandAndMode();
    vb::Menu* bandItem(const QString& band);
    void UncheckBandItems();
    virtual void SelectMode(const QString& mode, vb::Menu& item);
    // Extra tool windows the twin unloads (the in-state window's rover county list).
    virtual void UnloadTwinToolWindows() {}
    // Shows the twin's contact editor on Run.EditIndex, modally, and unloads it.
    virtual void OpenContactEditor() = 0;
    // Record `record` as a row of the recent-contacts list.
    virtual QStringList RecentRow(int record) const;

    // What FillRecentContacts last put in the recent-contacts list: records count..first of the log
    // at that revision. Code that puts anything else there clears `filled`.
    struct ListedContacts {
        bool filled = false;
        std::uint64_t revision = 0;
        int count = 0, first = 0;
    } listed_;

    int callKeyDepth_ = 0;           // inside the call box's key handler
    bool callLeftDuringKey_ = false; // the call box lost the focus meanwhile

private:
    void wireMenus();
    void wireRecentList();
    void postContestKey(int& KeyAscii, int lowest, int highest);
    // Puts the newest record in at the top of the list when it shows the records before it as
    // FillRecentContacts left them; false (nothing done) otherwise.
    bool addNewestToList(int count, int first);
    // Saves the operating time of a running Time On clock, then ends the run.
    void keepOperatingTimeAndEnd();
};

// A colour or an emptied box set only when it changes: the same value set again still costs the
// control a repaint, and the entry line's handlers run on every key and contact.
inline void SetBackColorIfNew(vb::Control& c, long color) {
    if (c.BackColor() != color) c.setBackColor(color);
}
inline void EmptyIfFilled(vb::TextBox& box) {
    if (!box.Text().isEmpty()) box.setText(QString());
}

// Fills a list box with items, left alone when it already holds exactly these, nothing chosen and
// scrolled to the top: a band or mode change seldom changes the multiplier lists.
void SetListItems(vb::ListBox& list, const QStringList& items);
// The index of the first item equal to text without regard to case; -1 when none is.
int ListIndexNoCase(const vb::ListBox& list, const QString& text);

// The Time On / Time Off captions (their quotation marks belong to them).
inline const char* const TimeOnCaption = "&Log \"Time On\"";
inline const char* const TimeOffCaption = "&Log \"Time Off\"";
// Background colours of the message line and the partial-duplicate line.
inline constexpr long DialogBackColor = 0xC0C000;
inline constexpr long DupeEmptyBackColor = 0xF0F0F0; // the button face
inline constexpr long KeyboardCWBackColor = 0xC0FFFF;

// The character of a key code (Windows-1252).
QString CharOf(int keyAscii);

} // namespace tylog
