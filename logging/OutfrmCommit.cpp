// Logging a contact in the out-of-state window.
#include "logging/Outfrm.h"
#include "core/ProcessState.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"

namespace tylog {

void OutfrmWindow::Mains() {
    txtSec.setText(txtSec.Text().trimmed());

    if (!CheckPostContestEntry()) return;

    if (!Run.TimeOnRunning) cmdLogOn_Click();
    CheckRequiredFields();
    ExpandCountyAbbreviation();
    CheckValidCounty();
    CheckDupeAtLog();

    if (!Run.MissingFieldFlag && !Run.DupeFlag && !Run.InvalidCountyFlag) {
        ContactRecord rec;
        rec.Call = txtCall.Text();
        rec.SerialRcvd = txtRSTR.Text();
        rec.County = txtSec.Text();
        StampContact(rec);
        if (!StoreContact(rec)) return;
        ShowStoredContact();
    }
    FinishCommit(!Run.MissingFieldFlag && !Run.InvalidCountyFlag);
}

} // namespace tylog
