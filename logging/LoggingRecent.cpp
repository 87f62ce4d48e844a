// The recent-contacts list of both logging windows and its commands: the start question, the list with
// the next serial number, edit, delete, last 20 or all, the partial-duplicate switch, column sort, copy
// to the clipboard. Each twin gives its row and its contact editor.
#include "core/ProcessState.h"
#include "logging/LoggingWindow.h"
#include "logging/ScoreRules.h"
#include "logstore/ContactLog.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"
#include "platform/Diagnostics.h"

#include <cmath>

namespace tylog {

namespace {
void reportWriteFailure(const VbError& e) {
    Beep();
    MsgBox(e.Description, vbOKOnly, "Unable to write file.");
}
} // namespace

void LoggingWindow::wireRecentList() {
    cmdDelete.Click = [this] { cmdDelete_Click(); };
    cmdEdit.Click = [this] { cmdEdit_Click(); };
    cmdList.Click = [this] { cmdList_Click(); };
    cmdDup.Click = [this] { cmdDup_Click(); };
    ListView1.Click = [this] { ListView1_Click(); };
    ListView1.LostFocus = [this] { ListView1_LostFocus(); };
    ListView1.ColumnClick = [this](int c) { ListView1_ColumnClick(c); };
    ListView1.MouseUp = [this](int b, int s, double x, double y) { ListView1_MouseUp(b, s, x, y); };
    mnuCopyListtoClipboard.Click = [this] { mnuCopyListtoClipboard_Click(); };
}

int LoggingWindow::SelectedRecord() const {
    const int row = ListView1.SelectedRow();
    if (row < 0) return 0;
    double v = 0;
    if (!ParseNumber(ListView1.ItemText(row, 0), &v)) return 0;
    const double k = std::nearbyint(v);
    return k == v && k >= 1 && k <= ContactLog.Count ? static_cast<int>(k) : 0;
}

void LoggingWindow::cmdDelete_Click() {
    const int k = SelectedRecord();
    if (k == 0) return; // nothing selected: nothing to delete
    const int answer = MsgBox("Are you sure?", vbYesNo, "Are you sure?");
    cmdEdit.setVisible(false);
    cmdDelete.setVisible(false);
    if (answer == vbYes) {
        try {
            DeleteContact(k);
        } catch (const VbError& e) {
            // log.txt keeps the contact; the reload below shows the log as the file holds it.
            reportWriteFailure(e);
        }
        ReloadAndRescore();
        cmdEdit.setVisible(false);
        cmdDelete.setVisible(false);
    }
    txtCall.SetFocus();
}

void LoggingWindow::cmdEdit_Click() {
    const int k = SelectedRecord();
    if (k == 0) return; // nothing selected: nothing to edit
    Run.EditIndex = k;
    OpenContactEditor();
    cmdEdit.setVisible(false);
    cmdDelete.setVisible(false);
    // Rewritten and reloaded however the editor was closed.
    try {
        SaveLog();
    } catch (const VbError& e) {
        reportWriteFailure(e);
    }
    ReloadAndRescore();
    txtCall.SetFocus();
}

void LoggingWindow::cmdList_Click() {
    if (Run.ListAllContacts) {
        Run.ListAllContacts = false;
        cmdList.setCaption("Last 20");
    } else {
        Run.ListAllContacts = true;
        cmdList.setCaption("All");
    }
    FillRecentContacts();
    txtCall.SetFocus();
}

void LoggingWindow::cmdDup_Click() {
    lblDupe.setBackColor(DupeEmptyBackColor);
    if (Run.PartialDupeDisplay) {
        Run.PartialDupeDisplay = false;
        cmdDup.setCaption("Off");
    } else {
        Run.PartialDupeDisplay = true;
        cmdDup.setCaption("On");
    }
    txtCall.SetFocus();
}

void LoggingWindow::ListView1_Click() {
    if (ListView1.ItemCount() < 1) return;
    cmdEdit.setVisible(true);
    cmdDelete.setVisible(true);
}

void LoggingWindow::ListView1_LostFocus() { ListView1_Click(); }

void LoggingWindow::ListView1_ColumnClick(int ColumnIndex) {
    listed_.filled = false;
    ListView1.SortOnce(ColumnIndex - 1);
}

void LoggingWindow::ListView1_MouseUp(int Button, int Shift, double X, double Y) {
    (void)Shift;
    (void)X;
    (void)Y;
    if (ListView1.ItemCount() < 1 || Button != 2) return;
    try {
        cmdEdit_Click();
    } catch (const VbError& e) {
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
}

void LoggingWindow::mnuCopyListtoClipboard_Click() {
    try {
        platform().clipboard->Clear();
        const int columns = ListView1.ColumnCount();
        auto end = [columns](int c) { return c + 1 < columns ? QStringLiteral("\t") : QStringLiteral("\r\n"); };
        QString text;
        for (int c = 0; c < columns; ++c) text += ListView1.ColumnText(c) + end(c);
        for (int row = ListView1.ItemCount() - 1; row >= 0; --row)
            for (int c = 0; c < columns; ++c) text += ListView1.ItemText(row, c) + end(c);
        platform().clipboard->SetText(text);
    } catch (const VbError& e) {
        qCDebug(lcLogging) << Q_FUNC_INFO << e.Description;
    }
}

QStringList LoggingWindow::RecentRow(int record) const { return RecentContactRow(ContactLog, record); }

void LoggingWindow::AskOpenExistingLog() {
    const int answer = MsgBox("Do you want to continue an existing contest? (Yes opens your existing log, No erases any "
                              "existing log and starts a new log.)",
                              vbYesNo | vbQuestion, "Open existing log?");
    if (answer != vbYes) NewLog();
    cmdEdit.setVisible(false);
    cmdDelete.setVisible(false);
}

void LoggingWindow::FillRecentContacts() {
    const int count = ContactLog.Count;
    const int first = Run.ListAllContacts ? 1 : (count < 20 ? 1 : count - 19);
    if (!addNewestToList(count, first)) {
        QList<QStringList> rows;
        for (int i = count; i >= first; --i) rows.append(RecentRow(i));
        ListView1.SetItems(rows);
    }
    listed_ = {true, ContactLog.Revision, count, first};
    QString next = "1";
    if (count >= 1) {
        const QString last = ContactLog.Rec[static_cast<size_t>(count)].SerialSent;
        double v = 0;
        next = ParseNumber(last, &v) ? QString::number(static_cast<long long>(v) + 1) : QString::number(count + 1);
    }
    if (next.size() < 3) next = next.rightJustified(3, '0');
    Label1.setCaption(next);
}

bool LoggingWindow::addNewestToList(int count, int first) {
    // After a contact the list shows what it did, one row down (and once full, less its last row): the
    // new row put in at the top moves the others instead of every cell being rewritten. Only when this
    // window filled the list with the records before it, which have not changed since (the log's
    // revision is the same), and no row is selected (a selected row stays where it is).
    const int want = count - first + 1;
    const int shown = ListView1.ItemCount();
    if (!listed_.filled || listed_.revision != ContactLog.Revision || listed_.count != count - 1 || want < 1 ||
        shown != listed_.count - listed_.first + 1 || shown < want - 1 || ListView1.SelectedRow() >= 0)
        return false;
    for (int r = 0; r < want - 1; ++r)
        if (ListView1.ItemText(r) != QString::number(count - 1 - r)) return false;
    ListView1.PushItem(RecentRow(count), want);
    return true;
}

} // namespace tylog
