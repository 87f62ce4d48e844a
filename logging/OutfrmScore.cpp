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
        RecountScore();
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

CountyLists OutfrmWindow::countyListsOf(const ContactLogData& log) const { return CountiesWorkedAndToGo(log); }

} // namespace tylog
