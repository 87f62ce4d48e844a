// Duplicate checks of the in-state window: the earlier contacts of a call when the call box is left,
// the refusal of a duplicate when it is logged, and the hold on the call box after one (the partial
// list while the call is typed is LoggingWindow's). What decides is in DupeRules; the window shows it.
#include "core/ProcessState.h"
#include "keying/BlindFrm.h"
#include "logging/DupeRules.h"
#include "logging/Infrm.h"
#include "logstore/ContactLog.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"

namespace tylog {

namespace {
constexpr long DupeWarningBackColor = 0x0000FF; // red
constexpr long GreetingBackColor = 0xFFFFC0;
// How long the call box holds its next key after a refused duplicate.
constexpr std::uint32_t DupeHoldMs = 3000;

// "mm/dd" of a log date; the text as it stands when it is no date.
QString monthDay(const QString& date) {
    const QDate d = QDate::fromString(date, "yyyy/MM/dd");
    return d.isValid() ? d.toString("MM/dd") : date;
}

void fillAndSelect(vb::TextBox& box, const QString& text) {
    box.setText(text);
    box.setSelStart(0);
    box.setSelLength(static_cast<int>(text.size()));
}

struct Greeting {
    const char* call;
    const char* message;
};
constexpr Greeting kGreetings[] = {
    {"Q7BZW", "Q7BZW, Orrin, wrote this software!  Please say hi!"},
    {"QE9MRL", "QE9MRL, Tamsin, helped write this software!"},
};

} // namespace

void InfrmWindow::CheckDupeAtLog() {
    Run.DupeFlag = false;
    const InStateDupeCheck d = CheckDuplicateInState(ContactLog, txtCall.Text(), Station.CurrentBand,
                                                     Station.CurrentMode, txtSec.Text(), txtCntry.Text(),
                                                     Station.CurrentCounty);
    // A station worked before brings its county and St / Prv / Country along.
    if (txtSec.Text().isEmpty() && !d.county.isEmpty()) fillAndSelect(txtSec, d.county);
    if (txtCntry.Text().isEmpty() && !d.spc.isEmpty()) fillAndSelect(txtCntry, d.spc);
    if (d.duplicate != 0) {
        const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(d.duplicate)];
        lblDialog.setCaption("Duplicate " + r.Call + " " + monthDay(r.Date) + " " + r.Time + "  Rec# " + " " +
                             QString::number(d.duplicate));
        lblDialog.setBackColor(DupeWarningBackColor);
        SetBackColorIfNew(lblDupe, DupeEmptyBackColor);
        lblDupe.setCaption(QString());
        Beep();
        BlindFrmWindow& voice = BlindFrm();
        voice.BlindKeyPhone("Dupe");
        // Heard whole: the call box's own prompt, as the entry line empties, follows it.
        if (Station.VoiceNavLevel > 0) voice.HearPromptOut();
        Run.DupeFlag = true;
        lastDupeTick_ = platform().clock->TimeGetTime();
    }
    if (Run.DupeFlag) {
        txtCall.SetFocus();
        EmptyEntryLine();
    }
}

void InfrmWindow::DupCheck2() {
    Run.DupeFlag = false;
    const bool listPrevious = mnuListPrevious.Checked();
    if (listPrevious) {
        listed_.filled = false;
        ListView1.ClearItems();
    }
    for (int i : ContactsOfCall(ContactLog, txtCall.Text())) {
        const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(i)];
        if (listPrevious) ListView1.AddItem(RecentRow(i));
        if (txtSec.Text().isEmpty()) fillAndSelect(txtSec, r.County);
        if (txtCntry.Text().isEmpty()) fillAndSelect(txtCntry, r.Spc);
        const bool sameSlot = SameNoCase(r.Band, Station.CurrentBand) && SameNoCase(r.Mode, Station.CurrentMode) &&
                              SameNoCase(r.SentCounty, Station.CurrentCounty);
        // A host-state station logged in this slot is refused at once.
        if (sameSlot && SameNoCase(r.Spc, Station.HostState)) CheckDupeAtLog();
        if (Run.DupeFlag) return;
        if (sameSlot) {
            // The received county is not compared: a rover may be worked again from another county.
            lblDialog.setCaption("Dupe if not rover!  " + r.Call + "  " + monthDay(r.Date) + "  " + r.Time + "   Rec# " +
                                 " " + QString::number(i));
            lblDialog.setBackColor(DupeWarningBackColor);
            SetBackColorIfNew(lblDupe, DupeEmptyBackColor);
            lblDupe.setCaption(QString());
            Beep();
            if (!listPrevious) return;
        }
    }
}

void InfrmWindow::callBoxLeft() {
    for (const Greeting& g : kGreetings) {
        if (txtCall.Text().compare(QLatin1String(g.call), Qt::CaseInsensitive) == 0) {
            lblDialog.setCaption(g.message);
            lblDialog.setBackColor(GreetingBackColor);
        }
    }
    if (!txtCall.Text().isEmpty()) DupCheck2();
    if (txtCntry.Text().isEmpty()) {
        const QString province = CanadianProvinceOfCall(txtCall.Text());
        if (!province.isEmpty()) fillAndSelect(txtCntry, province);
    }
}

void InfrmWindow::HoldAfterDupe() {
    // On the millisecond tick, not the wall clock: a clock set back cannot stretch the hold.
    const std::uint32_t since = platform().clock->TimeGetTime() - lastDupeTick_;
    if (since < DupeHoldMs) WaitUntil(lastDupeTick_, DupeHoldMs);
    Run.DupeFlag = false;
}

} // namespace tylog
