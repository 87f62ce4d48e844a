// The in-state window: its layout, its load, the log it opens on, the state grid and pick lists, and
// its colours.
#include "core/SectionTable.h"
#include "core/StationSettingsFile.h"
#include "logging/Outfrm.h"
#include "logtools/ColorChooser.h"
#include "platform/Platform.h"
#include "tests/logging/InfrmFixture.h"

#include <QListWidget>
#include <QMouseEvent>

#include <functional>

using namespace tylog;
using namespace tylog::testing;

namespace {

class InfrmTest : public InfrmFixture {};

// Both twins hold the shared table and their own, every control in the window's face unless its row
// names another (the twin's own controls too).
TEST_F(InfrmTest, BothTwinsHoldTheirDesign) {
    InfrmWindow w; // unloaded: the design before the load scales it
    OutfrmWindow out;
    const auto both = [](LoggingWindow& twin, std::vector<vb::ControlDesign> own) {
        std::vector<vb::ControlDesign> rows = twin.SharedDesignRows();
        for (const vb::ControlDesign& row : own) rows.push_back(row);
        return vb::DesignDifferences(twin, {.FontName = "Arial", .FontSize = 8.25}, rows);
    };
    EXPECT_EQ(both(w, w.DesignRows()), QStringList());
    EXPECT_EQ(both(out, out.DesignRows()), QStringList());
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

// A click on a grid label or a list entry fills the entry line: a state or DX country goes into the
// St / Prv / Country box alone, a county into the county box with the host state beside it.
TEST_F(InfrmTest, GridAndListClicksFillTheEntryLine) {
    QByteArray log;
    log += Contact({.call = "DL1AB", .spc = "Germany", .county = ""});
    log += Contact({.call = "N0XX", .county = "Alderbrook"});
    InfrmWindow& w = open(log);
    const auto clickEntry = [](vb::ListBox& list, int row) {
        QListWidget* l = list.list();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    };
    struct Case {
        const char* what;
        std::function<void()> click;
        const char *spc, *county;
        vb::TextBox InfrmWindow::*focus; // where the click sends the focus; none: not checked
    };
    const Case cases[] = {
        {"grid label", [&] { QTest::mouseClick(w.Label10[FindSection("OH")].widget(), Qt::LeftButton); }, "OH", "Kept",
         &InfrmWindow::txtCall},
        {"DX country", [&] { clickEntry(w.List1, 0); }, "Germany", "Kept", &InfrmWindow::txtCntry},
        {"county worked", [&] { clickEntry(w.List2, 0); }, "TY", "Alderbrook", &InfrmWindow::txtSec},
        {"county to work", [&] { clickEntry(w.List3, 0); }, "TY", "Ambervale", &InfrmWindow::txtSec},
    };
    for (const Case& c : cases) {
        w.ClearEntry();
        w.txtSec.setText("Kept");
        c.click();
        EXPECT_EQ(w.txtCntry.Text(), c.spc) << c.what;
        EXPECT_EQ(w.txtSec.Text(), c.county) << c.what;
        if (c.focus) {
            EXPECT_EQ(QApplication::focusWidget(), (w.*c.focus).widget()) << c.what;
        }
    }
}

// "&Colors": the colours chosen are kept in the settings file and the grid is drawn again in them.
TEST_F(InfrmTest, ColorsRedrawsTheGridInTheColoursChosen) {
    InfrmWindow& w = open(Contact({.call = "K1ABC", .spc = "OH", .county = ""}));
    ASSERT_TRUE(w.mnuColors.Enabled());
    platform().onModalShown = [](vb::Form& f) {
        auto& chooser = dynamic_cast<Form6Window&>(f);
        QApplication::setActiveWindow(&chooser);
        Fakes().dialogs.AnswerColor(0x123456);
        QTest::mouseClick(chooser.Command3.widget(), Qt::LeftButton); // worked
        Fakes().dialogs.AnswerColor(0x654321);
        QTest::mouseClick(chooser.Command1.widget(), Qt::LeftButton); // still to work
        QTest::mouseClick(chooser.Command6.widget(), Qt::LeftButton);
    };
    w.mnuColors.action()->trigger();
    platform().onModalShown = nullptr;
    EXPECT_EQ(vb::IfLoaded<Form6Window>(), nullptr);
    EXPECT_EQ(w.Label10[FindSection("OH")].ForeColor(), 0x123456);
    EXPECT_EQ(w.Label10[FindSection("NY")].ForeColor(), 0x654321);
    Station = StationSettings();
    LoadStationSettings();
    EXPECT_EQ(Station.WorkedColor, 0x123456);
    EXPECT_EQ(Station.RemainingColor, 0x654321);
}

// A load stopped by an error shows the window and says that the log was not loaded; nothing can be
// logged then.
TEST_F(InfrmTest, ABadCountyFileStopsTheLoadAndNothingCanBeLogged) {
    const QByteArray before = Contact({.call = "K0XX"});
    folder.write("log.txt", before);
    QFile::remove(folder.file("TYCounty.txt"));
    Fakes().dialogs.AnswerMsgBox(vbOK);
    InfrmWindow& w = Infrm();
    ShowActive(w);
    ASSERT_FALSE(Fakes().dialogs.shown.isEmpty());
    EXPECT_EQ(Fakes().dialogs.shown.back().title, "Log Not Loaded");
    EXPECT_TRUE(w.isVisible());
    log(w, "K1ABC", "5", "OH");
    EXPECT_EQ(ContactLog.Count, 0);
    EXPECT_EQ(w.lblDialog.Caption(), "The log is not loaded: the contact was not logged.");
    EXPECT_EQ(folder.read("log.txt"), before);
}

// No to "Open existing log?" starts a new log, after a backup of the old one.
TEST_F(InfrmTest, NoToOpenExistingLogBacksUpBeforeErasing) {
    const QByteArray before = Contact({.call = "K0XX"});
    folder.write("log.txt", before);
    Fakes().dialogs.AnswerMsgBox(vbNo);
    Fakes().dialogs.AnswerInput("yes");
    InfrmWindow& w = Infrm();
    ShowActive(w);
    EXPECT_EQ(ContactLog.Count, 0);
    EXPECT_EQ(folder.read("log.txt"), QByteArray());
    const QStringList backups = QDir(Folders.BackupFolder).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(folder.read("data/BACKUP/" + backups[0]), before);
    EXPECT_EQ(w.Label1.Caption(), "001");
}

} // namespace
