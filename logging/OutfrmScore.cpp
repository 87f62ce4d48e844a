// Rescoring, the score panel and the county multipliers of the out-of-state window.
#include "logging/Outfrm.h"
#include "core/ProcessState.h"
#include "logging/MultiplierRules.h"
#include "logging/ScoreRules.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "platform/Platform.h"
#include "platform/VbError.h"

namespace tylog {

void OutfrmWindow::ReloadAndRescore() {
    if (!LoadLog()) return; // it has told the operator and ended the run
    try {
        ScoreCounts c;
        c.QsoPoints = Run.QsoPoints;
        for (int i = 1; i <= ContactLog.Count; ++i) {
            const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(i)];
            AddContactPoints(c, r.Mode, r.Call, true);
        }
        Run.QsoPoints = c.QsoPoints;
        Run.PhoneContactCount = c.PhoneContactCount;
        Run.CWContactCount = c.CWContactCount;
        Run.DigitalContactCount = c.DigitalContactCount;
        RebuildCountyLists();
        FillRecentContacts();
        UpdateRateMeter();
        ShowScore();
    } catch (const VbError&) {
        ReportRescoreFailureAndEnd();
    }
}

void OutfrmWindow::ShowScore() {
    lblTotCon.setCaption(FormatGrouped(Run.PhoneContactCount));
    lblSectogo.setCaption(FormatGrouped(Run.CWContactCount + Run.DigitalContactCount));
    Label27.setCaption(FormatGrouped(static_cast<double>(Run.QsoPoints)));
    lblTotSec.setCaption(FormatGrouped(List2.ListCount()));
    lblTotScore.setCaption(FormatGrouped(static_cast<double>(List2.ListCount() * Run.QsoPoints)));
}

void OutfrmWindow::RebuildCountyLists() {
    const CountyLists lists = CountiesWorkedAndToGo(ContactLog);
    // A band or mode change seldom changes them: lists that already hold these are left alone.
    SetListItems(List1, lists.toWork);
    SetListItems(List2, lists.worked);
    lblStation[5].setCaption("Counties Worked - " + QString::number(List2.ListCount()));
    lblStation[7].setCaption("Counties To Go - " + QString::number(List1.ListCount()));
}

void OutfrmWindow::AddWorkedCounty() {
    const QString county = ContactLog.Rec[static_cast<size_t>(ContactLog.Count)].County;
    if (ListIndexNoCase(List2, county) < 0) List2.AddItem(county);
    const int k = ListIndexNoCase(List1, county);
    if (k >= 0) List1.RemoveItem(k);
    lblStation[5].setCaption("Counties Worked - " + QString::number(List2.ListCount()));
    lblStation[7].setCaption("Counties To Go - " + QString::number(List1.ListCount()));
}

} // namespace tylog
