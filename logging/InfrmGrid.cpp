// The in-state window's state grid and pick lists: the table's labels, a click that puts a state into
// the St / Prv / Country box, the hover count, and the list boxes that fill the entry line.
#include "core/ProcessState.h"
#include "core/SectionTable.h"
#include "logging/DupeRules.h"
#include "logging/Infrm.h"
#include "logstore/ContactLog.h"
#include "platform/Platform.h"

namespace tylog {

void InfrmWindow::wireGrid() {
    for (auto& [index, label] : Label10) {
        const int i = index;
        label->Click = [this, i] { Label10_Click(i); };
        label->MouseMove = [this, i](int b, int s, double x, double y) { Label10_MouseMove(i, b, s, x, y); };
    }
    List1.Sorted = true;
    List2.Sorted = true;
    List3.Sorted = true;
    List1.Click = [this] { List1_Click(); };
    List2.Click = [this] { List2_Click(); };
    List3.Click = [this] { List3_Click(); };
}

void InfrmWindow::BuildSectionGrid() {
    BuildSectionTable(SectionTable);
    for (int i = 1; i <= SectionTable.Count; ++i) {
        Label10[i].setCaption(SectionTable.Abbrev[static_cast<size_t>(i)]);
        Label10[i].setToolTipText(SectionTable.Name[static_cast<size_t>(i)]);
    }
}

void InfrmWindow::Label10_Click(int Index) { txtCntry.setText(Label10[Index].Caption()); }

void InfrmWindow::Label10_MouseMove(int Index, int Button, int Shift, double X, double Y) {
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
    const QString abbrev = Label10[Index].Caption();
    int count = 0;
    for (int i = 1; i <= ContactLog.Count; ++i)
        if (SameNoCase(ContactLog.Rec[static_cast<size_t>(i)].Spc, abbrev)) ++count;
    lblDupe.setFontSize(platform().screen->Width() * 8 / 9600 * Station.FormSizePercent / 100);
    lblDupe.setCaption("  " + SectionTable.Name[static_cast<size_t>(Index)] + "    Total = " + QString::number(count));
}

void InfrmWindow::List1_Click() {
    txtCntry.setText(List1.Text());
    txtCntry.SetFocus();
}

void InfrmWindow::List2_Click() {
    txtSec.setText(List2.Text());
    txtCntry.setText(Station.HostState);
    txtSec.SetFocus();
}

void InfrmWindow::List3_Click() {
    txtSec.setText(List3.Text());
    txtCntry.setText(Station.HostState);
    txtSec.SetFocus();
}

} // namespace tylog
