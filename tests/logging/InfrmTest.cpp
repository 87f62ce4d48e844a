// The in-state window: its layout, its load, and the log it opens on.
#include "core/SectionTable.h"
#include "tests/logging/InfrmFixture.h"

#include <QMouseEvent>

using namespace tylog;
using namespace tylog::testing;

namespace {

class InfrmTest : public InfrmFixture {};

TEST_F(InfrmTest, HoldsItsDesign) {
    InfrmWindow w; // unloaded: the design before the load scales it
    EXPECT_EQ(vb::DesignDifferences(w, InfrmWindow::Design(), w.DesignRows()), QStringList());
    EXPECT_EQ(w.lblStation[1].Caption(), "St / Prv / Country");
    EXPECT_TRUE(w.txtCntry.Visible());
    EXPECT_FALSE(w.txtDX.Visible());
    EXPECT_FALSE(w.Label10[50].Visible());
    EXPECT_EQ(w.mnuDigital.Caption(), "&DG");
    ASSERT_NE(w.mnuChangeCounty(), nullptr);
}

// Resting on a grid label counts its contacts in lblDupe; moving on over the bare window clears it.
TEST_F(InfrmTest, GridHoverTextIsClearedOverTheWindowsBackground) {
    QByteArray log;
    log += Contact({.call = "K1ABC", .spc = "OH", .county = ""});
    log += Contact({.call = "K2ABC", .spc = "oh", .county = ""});
    InfrmWindow& w = open(log);
    ShowActive(w);
    const auto moveOver = [](QWidget* widget, QPointF at) {
        QMouseEvent e(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &e);
    };
    QWidget* oh = w.Label10[FindSection("OH")].widget();
    moveOver(oh, oh->rect().center());
    EXPECT_EQ(w.lblDupe.Caption(), "  Ohio    Total = 2");
    moveOver(w.client(), QPointF(2, w.client()->height() - 2));
    EXPECT_EQ(w.lblDupe.Caption(), "");
}

TEST_F(InfrmTest, LoadsTheGridTheListsAndTheLog) {
    QByteArray log;
    log += Contact({.call = "K1ABC", .spc = "OH", .county = ""});
    log += Contact({.call = "N0XX", .spc = "TY", .county = "Alderbrook", .mode = "CW"});
    log += Contact({.call = "DL1AB", .spc = "Germany", .county = ""});
    InfrmWindow& w = open(log);
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "Open existing log?");
    EXPECT_EQ(SectionTable.Count, 63);
    EXPECT_EQ(w.Label10[53].Caption(), "QU");
    EXPECT_EQ(w.Label10[62].ToolTipText(), "Prince Edward");
    EXPECT_FALSE(w.Label10[50].Visible());
    EXPECT_EQ(w.lblStation[4].Caption(), "TY County");
    EXPECT_EQ(w.txtSec.ToolTipText(), "Enter TY in the St / Prv / Country field to enable the County field");
    EXPECT_EQ(w.Label25.Caption(), "Larkmoor");
    EXPECT_EQ(w.Label2.Caption(), "N0TY");
    EXPECT_EQ(w.ListView1.ColumnCount(), 9);
    EXPECT_FALSE(w.mnuChangeCounty()->Enabled());
    // OH worked, so its label takes the worked colour; the host state's row never counts.
    const int oh = FindSection("OH");
    EXPECT_EQ(w.Label10[oh].ForeColor(), 0x00FF00);
    EXPECT_EQ(w.Label10[FindSection("NY")].ForeColor(), 0x0000FF);
    EXPECT_EQ(tylog::Run.MultiplierCount, 1);
    EXPECT_EQ(w.List1.ListCount(), 1);
    EXPECT_EQ(w.lblStation[5].Caption(), "DX - 1");
    EXPECT_EQ(w.lblStation[8].Caption(), "Cnty Wkd - 1");
    // Points 1 + 2 + 1; multipliers 1 DX + 1 state + 1 county.
    EXPECT_EQ(w.Label27.Caption(), "4");
    EXPECT_EQ(w.lblTotSec.Caption(), "3");
    EXPECT_EQ(w.lblTotScore.Caption(), "12");
    EXPECT_EQ(w.lblTotCon.Caption(), "2");
    EXPECT_EQ(w.lblsectogo.Caption(), "1");
    EXPECT_EQ(w.Label1.Caption(), "002");
    EXPECT_DOUBLE_EQ(w.List3.Top() + w.List3.Height(), w.Line3.Y1());
    // The clocks run: UTC is local 9:01:03 plus 5 hours.
    Fakes().clock.Advance(1000);
    EXPECT_EQ(w.lblutctime.Caption(), "14:01:03");
    EXPECT_EQ(w.lblCurTime.Caption(), "9:01:03");
}

} // namespace
