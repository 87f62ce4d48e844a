// Rescoring, the score panel, the recent contacts' rows and the multipliers of the in-state window:
// the state grid, the DX countries, the counties worked and still to work, the per-band DX lists.
#include "core/ProcessState.h"
#include "core/SectionTable.h"
#include "logging/DupeRules.h"
#include "logging/Infrm.h"
#include "logging/MultiplierRules.h"
#include "logging/ScoreRules.h"
#include "logstore/ContactLog.h"
#include "platform/VbError.h"

namespace tylog {

namespace {
const ContactRecord& lastRecord() { return ContactLog.Rec[static_cast<size_t>(ContactLog.Count)]; }
} // namespace

void InfrmWindow::ReloadAndRescore() {
    if (!LoadLog()) return; // it has told the operator and ended the run
    try {
        // Every grid label goes back to the colour of a row still to work; ColorWorkedSections sets each
        // once, to the colour it ends up with, so that an unchanged grid is not repainted.
        Run.MultiplierCount = 0;
        RecountScore();
        MarkSectionsFromLog();
        RebuildCountyLists();
        UpdateRateMeter();
        ColorWorkedSections();
        FillDXWorkedLists();
        RebuildDXList();
        ShowScore();
        FillRecentContacts();
    } catch (const VbError&) {
        ReportRescoreFailureAndEnd();
    }
}

bool InfrmWindow::hostStateContact(const ContactRecord& r) const { return SameNoCase(r.Spc, u"TY"); }

void InfrmWindow::countMultipliers(const ContactRecord& r) {
    if (!r.County.isEmpty()) AddWorkedCounty();
    // The reload counts DX countries by the same rule.
    if (CountsAsDX(r.Spc)) AddWorkedDX();
    if (r.Spc.size() < 4) MarkSectionWorked();
}

void InfrmWindow::ShowScore() {
    const std::int64_t multipliers = List1.ListCount() + static_cast<std::int64_t>(Run.MultiplierCount) + List2.ListCount();
    lblTotCon.setCaption(FormatGrouped(Run.PhoneContactCount));
    lblsectogo.setCaption(FormatGrouped(Run.CWContactCount + Run.DigitalContactCount));
    Label27.setCaption(FormatGrouped(static_cast<double>(Run.QsoPoints)));
    lblTotSec.setCaption(FormatGrouped(static_cast<double>(multipliers)));
    lblTotScore.setCaption(FormatGrouped(static_cast<double>(multipliers * Run.QsoPoints)));
}

QStringList InfrmWindow::RecentRow(int record) const {
    const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(record)];
    QStringList row{QString::number(record), r.Call, r.SerialRcvd, r.Spc, r.County, r.SerialSent,
                    RecentDateTime(r.Date, r.Time), r.Mode, r.Band};
    if (Station.RoverFlag == 1) row << r.SentCounty;
    return row;
}

// ---- The state grid ------------------------------------------------------------------------------

void InfrmWindow::MarkSectionWorked() {
    const QString& spc = lastRecord().Spc;
    if (SameNoCase(spc, u"TY")) return; // the host state is never a multiplier
    const int row = FindSection(spc);
    if (row == 0 || Run.MultiplierGrid[1][static_cast<size_t>(row)] != 0) return;
    Run.MultiplierGrid[1][static_cast<size_t>(row)] = 1;
    Run.MultiplierCount += 1;
    if (Label10.Exists(row)) Label10[row].setForeColor(Station.WorkedColor);
}

void InfrmWindow::MarkSectionsFromLog() {
    const SectionIndex sections(SectionTable);
    for (int i = 1; i <= ContactLog.Count; ++i) {
        const QString& spc = ContactLog.Rec[static_cast<size_t>(i)].Spc;
        if (spc.size() >= 4 || SameNoCase(spc, u"TY")) continue;
        const int row = sections.RowOf(spc);
        if (row > 0) Run.MultiplierGrid[1][static_cast<size_t>(row)] = 1;
    }
}

void InfrmWindow::ColorWorkedSections() {
    const auto worked = [](int row) {
        for (size_t col = 1; col <= 7; ++col)
            if (Run.MultiplierGrid[col][static_cast<size_t>(row)] != 0) return true;
        return false;
    };
    for (int i = 1; i <= SectionTable.Count; ++i) {
        if (!Label10.Exists(i)) continue;
        const long color = worked(i) ? Station.WorkedColor : Station.RemainingColor;
        if (Label10[i].ForeColor() != color) Label10[i].setForeColor(color);
    }
    int count = 0;
    for (int row = 1; row <= 99; ++row)
        if (worked(row)) ++count;
    Run.MultiplierCount = count;
}

// ---- DX countries ---------------------------------------------------------------------------------

void InfrmWindow::RebuildDXList() {
    SetListItems(List1, WorkedDXCountries(ContactLog));
    lblStation[5].setCaption("DX - " + QString::number(List1.ListCount()));
}

void InfrmWindow::AddWorkedDX() {
    const QString& spc = lastRecord().Spc;
    if (ListIndexNoCase(List1, spc) >= 0) return;
    List1.AddItem(spc);
    lblStation[5].setCaption("DX - " + QString::number(List1.ListCount()));
}

void InfrmWindow::FillDXWorkedLists() { tylog::FillDXWorkedLists(ContactLog, DXWorkedList, Run.DXWorkedCount); }

// ---- Counties -------------------------------------------------------------------------------------

CountyLists InfrmWindow::countyListsOf(const ContactLogData& log) const { return WorkedAndRemainingCounties(log); }

} // namespace tylog
