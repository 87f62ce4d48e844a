// What both logging windows do alike when a contact is logged: the county check, storing the record
// with its append to log.txt, the report of a load that left the log unloaded, and the end of a run
// whose log cannot be counted.
#include "core/ProcessState.h"
#include "core/UtcTime.h"
#include "logging/DupeRules.h"
#include "logging/MultiplierRules.h"
#include "logging/ScoreRules.h"
#include "logging/LoggingWindow.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

namespace tylog {

namespace {
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
bool isNumeric(const QString& s) {
    double v = 0;
    return ParseNumber(s, &v);
}
} // namespace

bool LoggingWindow::CheckPostContestEntry() {
    if (!txtPostConTime.Visible()) return true;
    const QDate d = parseDate(txtPostConDate.Text());
    if (!d.isValid()) {
        lblDialog.setCaption("Invalid date format!");
        Beep();
        return false;
    }
    txtPostConDate.setText(d.toString("yyyy/MM/dd"));
    const QString t = txtPostConTime.Text();
    if ((t.size() == 3 || t.size() == 4) && isNumeric(t)) txtPostConTime.setText(t.left(t.size() - 2) + ":" + t.right(2));
    const QTime tm = parseTime(txtPostConTime.Text());
    if (!tm.isValid()) {
        lblDialog.setCaption("Invalid time format!");
        Beep();
        return false;
    }
    txtPostConTime.setText(tm.toString("hh:mm"));
    return true;
}

void LoggingWindow::StampContact(ContactRecord& r) const {
    r.SerialSent = isNumeric(Label1.Caption()) ? Label1.Caption() : QString::number(ContactLog.Count + 1);
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
}

void LoggingWindow::missingField(const char* message, vb::TextBox& box) {
    Beep();
    lblDialog.setCaption(message);
    Run.MissingFieldFlag = true;
    box.SetFocus();
}

void LoggingWindow::CheckRequiredFields() {
    Run.MissingFieldFlag = false;
    if (countyRequired() && txtSec.Text().isEmpty()) missingField("Need County!", txtSec);
    if (txtRSTR.Text().isEmpty()) missingField("Need Serial!", txtRSTR);
    if (txtCall.Text().size() < 3) missingField("Need Call Sign!", txtCall);
}

void LoggingWindow::ExpandCountyAbbreviation() {
    if (txtSec.Text().isEmpty()) return;
    QString name;
    QString abbrev = txtSec.Text();
    CountyNameFromAbbrev(name, abbrev);
    if (!name.isEmpty()) txtSec.setText(name);
}

void LoggingWindow::CheckValidCounty() {
    Run.InvalidCountyFlag = true;
    for (int i = 1; i <= static_cast<int>(CountyTable.Count); ++i) {
        if (SameNoCase(txtSec.Text(), CountyTable.Name[static_cast<size_t>(i)])) {
            Run.InvalidCountyFlag = false;
            return;
        }
    }
    Beep();
    lblDialog.setCaption(txtSec.Text() + " is not a valid county!");
    txtSec.SetFocus();
}

bool LoggingWindow::StoreContact(const ContactRecord& r) {
    if (!ContactLog.Loaded) {
        lblDialog.setCaption("The log is not loaded: the contact was not logged.");
        Beep();
        return false;
    }
    if (ContactLog.Count >= ContactLogData::Capacity) {
        lblDialog.setCaption("The log is full (11000 contacts): the contact was not logged.");
        Beep();
        return false;
    }
    ContactLog.Count += 1;
    const int n = ContactLog.Count;
    ContactLog.Rec[static_cast<size_t>(n)] = r;
    try {
        AppendLastContact();
    } catch (const VbError& e) {
        // The store judges a failed write by what log.txt then holds and fails only when the line is
        // not there (a close that fails after the line was written and synced is no failure), so
        // the log in memory follows the file: the contact is not logged and the entry line keeps it.
        ContactLog.Rec[static_cast<size_t>(n)] = ContactRecord();
        ContactLog.Count -= 1;
        Beep();
        MsgBox(ContactNotLoggedText(e), vbOKOnly, "Unable to write file.");
        return false;
    }
    return true;
}

void LoggingWindow::ShowStoredContact() {
    const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(ContactLog.Count)];
    SetBackColorIfNew(lblDialog, DialogBackColor);
    lblDialog.setCaption(QString());
    SetBackColorIfNew(lblDupe, DupeEmptyBackColor);
    lblDupe.setCaption(QString());
    ScoreCounts c{Run.QsoPoints, Run.PhoneContactCount, Run.CWContactCount, Run.DigitalContactCount};
    AddContactPoints(c, r.Mode, r.Call, hostStateContact(r));
    Run.QsoPoints = c.QsoPoints;
    Run.PhoneContactCount = c.PhoneContactCount;
    Run.CWContactCount = c.CWContactCount;
    Run.DigitalContactCount = c.DigitalContactCount;
    FillRecentContacts();
    countMultipliers(r);
    ShowScore();
}

void LoggingWindow::FinishCommit(bool emptyEntryLine) {
    if (emptyEntryLine) {
        EmptyEntryLine();
        txtCall.SetFocus();
    }
    // The window repaints once, when the key's handling returns to the event loop; focus events run
    // at once, so nothing waits for the loop here.
    SetBackColorIfNew(lblDupe, DupeEmptyBackColor);
    lblDupe.setCaption(QString());
    UpdateRateMeter();
    Run.RigFrequencyText.clear();
}

void LoggingWindow::RebuildCountyLists() {
    const CountyListView v = countyListView();
    const CountyLists lists = countyListsOf(ContactLog);
    // A band or mode change seldom changes them: lists that already hold these are left alone.
    SetListItems(v.toWork, lists.toWork);
    SetListItems(v.worked, lists.worked);
    v.workedHeading.setCaption(v.workedText + QString::number(v.worked.ListCount()));
    v.toWorkHeading.setCaption(v.toWorkText + QString::number(v.toWork.ListCount()));
}

void LoggingWindow::AddWorkedCounty() {
    const CountyListView v = countyListView();
    const QString& county = ContactLog.Rec[static_cast<size_t>(ContactLog.Count)].County;
    if (ListIndexNoCase(v.worked, county) < 0) v.worked.AddItem(county);
    const int k = ListIndexNoCase(v.toWork, county);
    if (k >= 0) v.toWork.RemoveItem(k);
    v.workedHeading.setCaption(v.workedText + QString::number(v.worked.ListCount()));
    v.toWorkHeading.setCaption(v.toWorkText + QString::number(v.toWork.ListCount()));
}

void LoggingWindow::RecountScore() {
    ScoreCounts c;
    c.QsoPoints = Run.QsoPoints;
    for (int i = 1; i <= ContactLog.Count; ++i) {
        const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(i)];
        AddContactPoints(c, r.Mode, r.Call, hostStateContact(r));
    }
    Run.QsoPoints = c.QsoPoints;
    Run.PhoneContactCount = c.PhoneContactCount;
    Run.CWContactCount = c.CWContactCount;
    Run.DigitalContactCount = c.DigitalContactCount;
}

void LoggingWindow::ReportFailedLoad(const QString& why) {
    if (!isVisible()) Show();
    if (!ContactLog.Loaded)
        MsgBox("The log was not loaded: " + why +
                   "\r\n\r\nNo contact can be logged until the problem is fixed and the program is started again.",
               vbExclamation, "Log Not Loaded");
}

void LoggingWindow::ReportRescoreFailureAndEnd() {
    MsgBox("Error opening file.  This error is annoying but probably correctable.  In all likelihood, a character "
           "such as a quote got into your data or one of your entries has an invalid date/time format.  Close this "
           "program and open log.txt in the program's working directory with a text editor such as notepad.  "
           "Inspect the data and fix any errors you see (remove any extra quotes and make sure your date and time "
           "entries are valid).",
           vbOKOnly, "File Error");
    End();
}

} // namespace tylog
