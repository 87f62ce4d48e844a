// Logging a contact in the in-state window: the checks in their order, the record stored and counted,
// and the rover's replay of it for each further county it stands on.
#include "core/ProcessState.h"
#include "core/SectionTable.h"
#include "logging/DupeRules.h"
#include "logging/Infrm.h"
#include "logging/MultiplierRules.h"
#include "logging/ScoreRules.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "logtools/CountyChange.h"
#include "platform/Platform.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

namespace tylog {

void InfrmWindow::Mains() {
    const QString trimmed = txtSec.Text().trimmed();
    if (trimmed != txtSec.Text()) txtSec.setText(trimmed);
    if (!CheckPostContestEntry()) return;

    // Only a host-state station has a county.
    InvalidSectionFlag = false;
    const auto outsideHostState = [this] { return !SameNoCase(txtCntry.Text(), Station.HostState); };
    if (outsideHostState()) EmptyIfFilled(txtSec);
    if (!Run.TimeOnRunning) cmdLogOn_Click();
    CheckRequiredFields();
    if (txtCntry.Text().size() < 4) CheckSection();
    // The duplicate key holds the county's name: an abbreviation is written out before it is compared.
    ExpandCountyAbbreviation();
    CheckDupeAtLog();
    // The check may bring the county of an earlier contact; a station outside the host state has none.
    if (outsideHostState()) EmptyIfFilled(txtSec);
    Run.InvalidCountyFlag = false;
    if (!txtSec.Text().isEmpty()) {
        ExpandCountyAbbreviation();
        CheckValidCounty();
    }

    bool stored = false;
    if (!Run.MissingFieldFlag && !Run.DupeFlag && !InvalidSectionFlag && !Run.InvalidCountyFlag) {
        ContactRecord rec;
        rec.Call = txtCall.Text();
        rec.SerialRcvd = txtRSTR.Text();
        rec.Spc = txtCntry.Text();
        rec.County = txtSec.Text();
        rec.SentCounty = Station.CurrentCounty;
        StampContact(rec);
        if (!StoreContact(rec)) {
            // The store has told the operator. Inside a rover replay the refusal is an error, which
            // ends the replay.
            if (RoverReplayIndex != 0) throw VbError(5, "The contact was not logged.");
            return;
        }
        stored = true;
        ShowStoredContact();
    }
    FinishCommit(!Run.MissingFieldFlag && !InvalidSectionFlag && !Run.InvalidCountyFlag);

    if (stored && Station.RoverFlag == 1 && RoverReplayIndex == 0 && frmCountyChangeRover().List1.ListCount() > 1)
        ReplayForRoverCounties();
}

bool InfrmWindow::countyRequired() const { return SameNoCase(txtCntry.Text(), Station.HostState); }

void InfrmWindow::CheckRequiredFields() {
    LoggingWindow::CheckRequiredFields();
    // "Not Found" is what the prefix lookup writes when no country matched: no country at all.
    if (txtCntry.Text().isEmpty() || SameNoCase(txtCntry.Text(), u"Not Found")) missingField("Need Country!", txtCntry);
}

void InfrmWindow::CheckSection() {
    InvalidSectionFlag = FindSection(txtCntry.Text()) == 0;
    if (!InvalidSectionFlag) {
        if (Label19.Caption().isEmpty()) Label19.setCaption("NA");
        return;
    }
    Beep();
    lblDialog.setCaption("Invald Section!");
    txtCntry.SetFocus();
}

void InfrmWindow::ReplayForRoverCounties() {
    frmCountyChangeRoverWindow& rover = frmCountyChangeRover();
    const QString ownCounty = Station.CurrentCounty;
    const QString logged = ContactLog.Rec[static_cast<size_t>(ContactLog.Count)].SentCounty;
    // However the replay ends, the own county is the one it started with.
    struct Restore {
        InfrmWindow& w;
        QString county;
        ~Restore() {
            w.RoverReplayIndex = 0;
            Station.CurrentCounty = county;
            w.Label25.setCaption(county);
        }
    } restore{*this, ownCounty};
    try {
        const int n = rover.List1.ListCount();
        for (int i = 0; i < n; ++i) {
            // Never 0 while the replay runs, also at the list's first entry: a replayed commit must not
            // start a replay of its own.
            RoverReplayIndex = static_cast<std::uint8_t>(std::min(i + 1, 255));
            const QString county = rover.List1.List(i);
            // Every county of the list but the one just logged, whichever place the list gives it.
            if (SameNoCase(county, logged)) continue;
            Station.CurrentCounty = county;
            Label25.setCaption(county);
            mnuRecall_Click();
            SendTab();
            if (rover.Check1.Value() == 0) {
                const ContactRecord& last = ContactLog.Rec[static_cast<size_t>(ContactLog.Count)];
                Label1.setCaption(last.SerialSent);
                txtRSTR.setText(last.SerialRcvd);
            }
            if (!Run.DupeFlag) Mains();
        }
    } catch (const VbError&) {
        Beep();
    }
}

} // namespace tylog
