// Rescoring, the score panel and the county multipliers of the out-of-state window.
#include "logging/Outfrm.h"
#include "core/ProcessState.h"
#include "logging/ScoreRules.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "platform/Platform.h"
#include "platform/VbError.h"

#include <QSet>

#include <vector>

namespace tylog {

namespace {
// Case-blind equality; texts of different lengths never compare equal, and most calls of a log differ in length.
bool sameText(const QString& a, const QString& b) { return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0; }

void setItemsOf(vb::ListBox& list, const QStringList& items) {
    // Left alone only when a refill would leave it exactly so: nothing chosen, scrolled to the top.
    bool same = list.ListCount() == items.size() && list.ListIndex() < 0 && list.TopIndex() == 0;
    for (int i = 0; same && i < items.size(); ++i) same = list.List(i) == items[i];
    if (same) return;
    list.Clear();
    for (const QString& item : items) list.AddItem(item);
}

int indexOfNoCase(const vb::ListBox& list, const QString& text) {
    for (int i = 0; i < list.ListCount(); ++i)
        if (sameText(list.List(i), text)) return i;
    return -1;
}
} // namespace

void OutfrmWindow::ReloadAndRescore() {
    if (!LoadLog()) return; // it has told the operator and ended the run
    try {
        ScoreCounts c;
        c.QsoPoints = Run.QsoPoints;
        for (int i = 1; i <= ContactLog.Count; ++i) {
            const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(i)];
            AddContactPoints(c, r.Mode, r.Call, true);
        }
        Run.QsoPoints = c.QsoPoints;
        Run.PhoneContactCount = c.PhoneContactCount;
        Run.CWContactCount = c.CWContactCount;
        Run.DigitalContactCount = c.DigitalContactCount;
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

void OutfrmWindow::RebuildCountyLists() {
    // A reload runs this over the whole log on every band or mode change: each record keeps the table
    // row of its county, so a county of the table is told by its row and only a county the table does
    // not have is compared as text.
    const int rows = static_cast<int>(CountyTable.Count);
    std::vector<char> worked(static_cast<size_t>(rows) + 1, 0);
    QStringList workedList; // in the order first worked, as first spelled
    QSet<QString> others;   // upper-cased, the counties the table does not have
    for (int i = 1; i <= ContactLog.Count; ++i) {
        const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(i)];
        if (r.County.isEmpty()) continue;
        const int row = ContactCountyRow(r);
        if (row > 0) {
            if (worked[static_cast<size_t>(row)]) continue;
            worked[static_cast<size_t>(row)] = 1;
        } else {
            const QString key = r.County.toUpper();
            if (others.contains(key)) continue;
            others.insert(key);
        }
        workedList << r.County;
    }
    QStringList toGo;
    for (int row = 1; row <= rows; ++row)
        if (!worked[static_cast<size_t>(row)]) toGo << CountyTable.Name[static_cast<size_t>(row)];
    // A band or mode change seldom changes them: lists that already hold these are left alone.
    setItemsOf(List1, toGo);
    setItemsOf(List2, workedList);
    lblStation[5].setCaption("Counties Worked - " + QString::number(List2.ListCount()));
    lblStation[7].setCaption("Counties To Go - " + QString::number(List1.ListCount()));
}

void OutfrmWindow::AddWorkedCounty() {
    const QString county = ContactLog.Rec[static_cast<size_t>(ContactLog.Count)].County;
    if (indexOfNoCase(List2, county) < 0) List2.AddItem(county);
    const int k = indexOfNoCase(List1, county);
    if (k >= 0) List1.RemoveItem(k);
    lblStation[5].setCaption("Counties Worked - " + QString::number(List2.ListCount()));
    lblStation[7].setCaption("Counties To Go - " + QString::number(List1.ListCount()));
}

} // namespace tylog
