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

// Dates and times typed after the contest: the forms yyyy/mm/dd and hh:mm, and their near relatives.
QDate parseDate(const QString& text) {
    for (const char* f : {"yyyy/M/d", "yyyy-M-d", "M/d/yyyy", "yyyy/MM/dd"}) {
        const QDate d = QDate::fromString(text.trimmed(), f);
        if (d.isValid()) return d;
    }
    return {};
}
QTime parseTime(const QString& text) {
    for (const char* f : {"h:mm", "hh:mm", "h:mm:ss", "hh:mm:ss"}) {
        const QTime t = QTime::fromString(text.trimmed(), f);
        if (t.isValid()) return t;
    }
    return {};
}
} // namespace

void OutfrmWindow::Mains() {
    txtSec.setText(txtSec.Text().trimmed());

    if (txtPostConTime.Visible()) {
        const QDate d = parseDate(txtPostConDate.Text());
        if (!d.isValid()) {
            lblDialog.setCaption("Invalid date format!");
            Beep();
            return;
        }
        txtPostConDate.setText(d.toString("yyyy/MM/dd"));
        const QString t = txtPostConTime.Text();
        if ((t.size() == 3 || t.size() == 4) && isNumeric(t)) txtPostConTime.setText(t.left(t.size() - 2) + ":" + t.right(2));
        const QTime tm = parseTime(txtPostConTime.Text());
        if (!tm.isValid()) {
            lblDialog.setCaption("Invalid time format!");
            Beep();
            return;
        }
        txtPostConTime.setText(tm.toString("hh:mm"));
    }

    if (Run.TimeOnRunning == 0) cmdLogOn_Click();
    CheckRequiredFields();
    QString name;
    QString abbrev = txtSec.Text();
    CountyNameFromAbbrev(name, abbrev);
    if (!name.isEmpty()) txtSec.setText(name);
    CheckValidCounty();
    CheckDupeAtLog();

    if (Run.MissingFieldFlag == 0 && Run.DupeFlag == 0 && Run.InvalidCountyFlag == 0) {
        if (!ContactLog.Loaded) {
            lblDialog.setCaption("The log is not loaded: the contact was not logged.");
            Beep();
            return;
        }
        if (ContactLog.Count >= ContactLogData::Capacity) {
            lblDialog.setCaption("The log is full (11000 contacts): the contact was not logged.");
            Beep();
            return;
        }
        ContactLog.Count += 1;
        const int n = ContactLog.Count;
        ContactRecord& r = ContactLog.Rec[static_cast<size_t>(n)];
        r = ContactRecord();
        r.SerialSent = isNumeric(Label1.Caption()) ? Label1.Caption() : QString::number(n);
        r.Call = txtCall.Text();
        r.SerialRcvd = txtRSTR.Text();
        r.County = txtSec.Text();
        if (txtPostConTime.Visible()) {
            r.Date = txtPostConDate.Text();
            r.Time = txtPostConTime.Text();
        } else {
            const QDateTime utc = UtcFromLocal(platform().clock->Now(), Station.UtcOffsetHours);
            r.Date = utc.toString("yyyy/MM/dd");
            r.Time = utc.toString("hh:mm:ss");
        }
        r.Mode = Station.CurrentMode;
        r.Band = Station.CurrentBand;
        r.Frequency = Run.RigFrequencyText;

        try {
            AppendLastContact();
        } catch (const VbError& e) {
            // The store judges a failed write by what log.txt then holds and fails only when the line is
            // not there (a close that fails after the line was written and synced is no failure), so
            // the log in memory follows the file: the contact is not logged and the entry line keeps it.
            ContactLog.Rec[static_cast<size_t>(n)] = ContactRecord();
            ContactLog.Count -= 1;
            Beep();
            MsgBox(e.Description + CrLf + CrLf + "The contact was not logged.", vbOKOnly, "Unable to write file.");
            return;
        }

        lblDialog.setBackColor(DialogBackColor);
        lblDialog.setCaption(QString());
        lblDupe.setBackColor(DupeEmptyBackColor);
        lblDupe.setCaption(QString());
        ScoreCounts c{Run.QsoPoints, Run.PhoneContactCount, Run.CWContactCount, Run.DigitalContactCount};
        AddContactPoints(c, Station.CurrentMode, r.Call, true);
        Run.QsoPoints = c.QsoPoints;
        Run.PhoneContactCount = c.PhoneContactCount;
        Run.CWContactCount = c.CWContactCount;
        Run.DigitalContactCount = c.DigitalContactCount;
        FillRecentContacts();
        AddWorkedCounty();
        QCoreApplication::processEvents();
        ShowScore();
    }

    if (Run.MissingFieldFlag == 0 && Run.InvalidCountyFlag == 0) {
        for (vb::TextBox* t : {&txtRSTS, &txtCntry, &txtCall, &txtRSTR, &txtSec}) t->setText(QString());
        for (vb::Label* l : {&Label19, &Label22, &Label23}) l->setCaption(QString());
        txtCall.SetFocus();
    }
    QCoreApplication::processEvents();
    lblDupe.setBackColor(DupeEmptyBackColor);
    lblDupe.setCaption(QString());
    UpdateRateMeter();
    Run.RigFrequencyText.clear();
}

void OutfrmWindow::CheckRequiredFields() {
    Run.MissingFieldFlag = 0;
    auto fail = [this](const char* message, vb::TextBox& box) {
        Beep();
        lblDialog.setCaption(message);
        Run.MissingFieldFlag = 1;
        box.SetFocus();
    };
    if (txtSec.Text().isEmpty()) fail("Need County!", txtSec);
    if (txtRSTR.Text().isEmpty()) fail("Need Serial!", txtRSTR);
    if (txtCall.Text().size() < 3) fail("Need Call Sign!", txtCall);
}

void OutfrmWindow::FillRecentContacts() {
    const int count = ContactLog.Count;
    const int first = Run.ListAllContacts == 1 ? 1 : (count < 20 ? 1 : count - 19);
    QList<QStringList> rows;
    for (int i = count; i >= first; --i) rows.append(RecentContactRow(ContactLog, i));
    ListView1.SetItems(rows);
    QString next = "1";
    if (count >= 1) {
        const QString last = ContactLog.Rec[static_cast<size_t>(count)].SerialSent;
        double v = 0;
        next = ParseNumber(last, &v) ? QString::number(static_cast<long long>(v) + 1) : QString::number(count + 1);
    }
    if (next.size() < 3) next = next.rightJustified(3, '0');
    Label1.setCaption(next);
}

void OutfrmWindow::AskOpenExistingLog() {
    const int answer = MsgBox("Do you want to continue an existing contest? (Yes opens your existing log, No erases any "
                              "existing log and starts a new log.)",
                              vbYesNo | vbQuestion, "Open existing log?");
    if (answer != vbYes) NewLog();
    cmdEdit.setVisible(false);
    cmdDelete.setVisible(false);
}

} // namespace tylog
