// Duplicate checks of the out-of-state window: the earlier contacts of a call when the call box is
// left, and the refusal of a duplicate when it is logged (the partial list while the call is typed is
// LoggingWindow's).
// What decides is in DupeRules; the window shows it.
#include "core/ProcessState.h"
#include "keying/BlindFrm.h"
#include "logging/DupeRules.h"
#include "logging/Outfrm.h"
#include "logging/ScoreRules.h"
#include "logstore/ContactLog.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"

namespace tylog {

namespace {
constexpr long DupeWarningBackColor = 0x0000FF; // red

QString dupeMessage(const char* head, const ContactRecord& r, int i) {
    return head + r.Call + "  " + r.Date + "  " + r.Time + "   Rec# " + QString::number(i);
}
} // namespace

void OutfrmWindow::CheckDupeAtLog() {
    Run.DupeFlag = false;
    const DupeCheck d =
        CheckDuplicate(ContactLog, txtCall.Text(), Station.CurrentBand, Station.CurrentMode, txtSec.Text());
    // A station worked before brings its county along.
    if (txtSec.Text().isEmpty() && !d.county.isEmpty()) {
        txtSec.setText(d.county);
        txtSec.setSelLength(static_cast<int>(d.county.size()));
    }
    if (d.duplicate != 0) {
        lblDialog.setCaption(dupeMessage("Duplicate ", ContactLog.Rec[static_cast<size_t>(d.duplicate)], d.duplicate));
        lblDialog.setBackColor(DupeWarningBackColor);
        lblDupe.setBackColor(DupeEmptyBackColor);
        lblDupe.setCaption(QString());
        Beep();
        BlindFrmWindow& voice = BlindFrm();
        voice.BlindKeyPhone("Dupe");
        // Heard whole: the call box's own prompt, as the entry line empties, follows it.
        if (Station.VoiceNavLevel != 0) voice.HearPromptOut();
        Run.DupeFlag = true;
    }
    if (Run.DupeFlag) {
        txtCall.SetFocus();
        EmptyEntryLine();
    }
}

void OutfrmWindow::DupCheck2() {
    const bool listPrevious = mnuListPrevious.Checked();
    QList<QStringList> rows;
    for (int i : ContactsOfCall(ContactLog, txtCall.Text())) {
        const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(i)];
        if (listPrevious) rows << RecentContactRow(ContactLog, i);
        if (txtSec.Text().isEmpty()) {
            txtSec.setText(r.County);
            txtSec.setSelLength(static_cast<int>(r.County.size()));
        }
        if (SameNoCase(r.Band, Station.CurrentBand) && SameNoCase(r.Mode, Station.CurrentMode)) {
            // The county is not compared: a rover may be worked again from another county.
            lblDialog.setCaption(dupeMessage("Duplicate Unless Rover!  ", r, i));
            lblDialog.setBackColor(DupeWarningBackColor);
            lblDupe.setBackColor(DupeEmptyBackColor);
            Beep();
            if (!listPrevious) return;
        }
    }
    if (listPrevious) {
        listed_.filled = false;
        ListView1.ClearItems();
        for (const QStringList& row : rows) ListView1.AddItem(row);
    }
}

} // namespace tylog
