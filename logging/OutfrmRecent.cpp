// The recent-contacts list of the out-of-state window and its commands: edit, delete, last 20 or all,
// the partial-duplicate switch, column sort, copy to the clipboard.
#include "core/ProcessState.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "logtools/DEEditOut.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <cmath>

namespace tylog {

namespace {
void reportWriteFailure(const VbError& e) {
    Beep();
    MsgBox(e.Description, vbOKOnly, "Unable to write file.");
}
} // namespace

void OutfrmWindow::wireRecentListAndArchive() {
    cmdDelete.Click = [this] { cmdDelete_Click(); };
    cmdEdit.Click = [this] { cmdEdit_Click(); };
    cmdList.Click = [this] { cmdList_Click(); };
    cmdDup.Click = [this] { cmdDup_Click(); };
    ListView1.Click = [this] { ListView1_Click(); };
    ListView1.LostFocus = [this] { ListView1_LostFocus(); };
    ListView1.ColumnClick = [this](int c) { ListView1_ColumnClick(c); };
    ListView1.MouseUp = [this](int b, int s, double x, double y) { ListView1_MouseUp(b, s, x, y); };
    mnuCopyListtoClipboard.Click = [this] { mnuCopyListtoClipboard_Click(); };
    mnuArchive.Click = [this] { mnuArchive_Click(); };
    mnuRestore.Click = [this] { mnuRestore_Click(); };
}

int OutfrmWindow::SelectedRecord() const {
    const int row = ListView1.SelectedRow();
    if (row < 0) return 0;
    double v = 0;
    if (!ParseNumber(ListView1.ItemText(row, 0), &v)) return 0;
    const double k = std::nearbyint(v);
    return k == v && k >= 1 && k <= ContactLog.Count ? static_cast<int>(k) : 0;
}

void OutfrmWindow::cmdDelete_Click() {
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

void OutfrmWindow::cmdEdit_Click() {
    const int k = SelectedRecord();
    if (k == 0) return; // nothing selected: nothing to edit
    Run.EditIndex = k;
    DEEditOut().onDeleteDupe = [this] { cmdDelete_Click(); };
    DEEditOut().Show(vb::vbModal);
    if (auto* editor = vb::IfLoaded<DEEditOutWindow>()) vb::Unload(*editor);
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

void OutfrmWindow::cmdList_Click() {
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

void OutfrmWindow::cmdDup_Click() {
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

void OutfrmWindow::ListView1_Click() {
    if (ListView1.ItemCount() < 1) return;
    cmdEdit.setVisible(true);
    cmdDelete.setVisible(true);
}

void OutfrmWindow::ListView1_LostFocus() { ListView1_Click(); }

void OutfrmWindow::ListView1_ColumnClick(int ColumnIndex) {
    listed_.filled = false;
    ListView1.SortOnce(ColumnIndex - 1);
}

void OutfrmWindow::ListView1_MouseUp(int Button, int Shift, double X, double Y) {
    (void)Shift;
    (void)X;
    (void)Y;
    if (ListView1.ItemCount() < 1 || Button != 2) return;
    try {
        cmdEdit_Click();
    } catch (const VbError&) {
    }
}

void OutfrmWindow::mnuCopyListtoClipboard_Click() {
    try {
        platform().clipboard->Clear();
        const int columns = ListView1.ColumnCount();
        auto end = [columns](int c) { return c + 1 < columns ? QStringLiteral("\t") : QStringLiteral("\r\n"); };
        QString text;
        for (int c = 0; c < columns; ++c) text += ListView1.ColumnText(c) + end(c);
        for (int row = ListView1.ItemCount() - 1; row >= 0; --row)
            for (int c = 0; c < columns; ++c) text += ListView1.ItemText(row, c) + end(c);
        platform().clipboard->SetText(text);
    } catch (const VbError&) {
    }
}

} // namespace tylog
