// Logging a contact in the out-of-state window.
#include "logging/Outfrm.h"
#include "core/ProcessState.h"
#include "logging/ScoreRules.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <QCoreApplication>

namespace tylog {

namespace {
bool isNumeric(const QString& s) {
    double v = 0;
    return ParseNumber(s, &v);
}

} // namespace

void OutfrmWindow::Mains() {
    txtSec.setText(txtSec.Text().trimmed());

    if (!CheckPostContestEntry()) return;

    if (!Run.TimeOnRunning) cmdLogOn_Click();
    CheckRequiredFields();
    QString name;
    QString abbrev = txtSec.Text();
    CountyNameFromAbbrev(name, abbrev);
    if (!name.isEmpty()) txtSec.setText(name);
    CheckValidCounty();
    CheckDupeAtLog();

    if (!Run.MissingFieldFlag && !Run.DupeFlag && !Run.InvalidCountyFlag) {
        ContactRecord rec;
        rec.SerialSent = isNumeric(Label1.Caption()) ? Label1.Caption() : QString::number(ContactLog.Count + 1);
        rec.Call = txtCall.Text();
        rec.SerialRcvd = txtRSTR.Text();
        rec.County = txtSec.Text();
        StampContact(rec);
        if (!StoreContact(rec)) return;
        const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(ContactLog.Count)];

        SetBackColorIfNew(lblDialog, DialogBackColor);
        lblDialog.setCaption(QString());
        SetBackColorIfNew(lblDupe, DupeEmptyBackColor);
        lblDupe.setCaption(QString());
        ScoreCounts c{Run.QsoPoints, Run.PhoneContactCount, Run.CWContactCount, Run.DigitalContactCount};
        AddContactPoints(c, Station.CurrentMode, r.Call, true);
        Run.QsoPoints = c.QsoPoints;
        Run.PhoneContactCount = c.PhoneContactCount;
        Run.CWContactCount = c.CWContactCount;
        Run.DigitalContactCount = c.DigitalContactCount;
        FillRecentContacts();
        AddWorkedCounty();
        ShowScore();
    }

    if (!Run.MissingFieldFlag && !Run.InvalidCountyFlag) {
        for (vb::TextBox* t : {&txtRSTS, &txtCntry, &txtCall, &txtRSTR, &txtSec}) EmptyIfFilled(*t);
        for (vb::Label* l : {&Label19, &Label22, &Label23}) l->setCaption(QString());
        txtCall.SetFocus();
    }
    // The window repaints once, when the key's handling returns to the event loop: a repaint here
    // would draw what the lines below change again.
    SetBackColorIfNew(lblDupe, DupeEmptyBackColor);
    lblDupe.setCaption(QString());
    UpdateRateMeter();
    Run.RigFrequencyText.clear();
}

void OutfrmWindow::CheckRequiredFields() {
    Run.MissingFieldFlag = false;
    auto fail = [this](const char* message, vb::TextBox& box) {
        Beep();
        lblDialog.setCaption(message);
        Run.MissingFieldFlag = true;
        box.SetFocus();
    };
    if (txtSec.Text().isEmpty()) fail("Need County!", txtSec);
    if (txtRSTR.Text().isEmpty()) fail("Need Serial!", txtRSTR);
    if (txtCall.Text().size() < 3) fail("Need Call Sign!", txtCall);
}

} // namespace tylog
