// The menu commands of the out-of-state window: new log, exit, list previous contacts, the keyer
// setup windows, help, the ADIF export, and the items that can never be chosen.
#include "logtools/CountyList.h"
#include "logtools/HelpWindow.h"
#include "core/StationSettingsFile.h"
#include "keying/BlindFrm.h"
#include "keying/CWFrm.h"
#include "keying/KeyerState.h"
#include "keying/PhoneFrm.h"
#include "tests/logging/LogWindowFixture.h"

#include <QFile>

using namespace tylog;
using namespace tylog::testing;

namespace {

class MenusTest : public LogWindowTest {};

TEST_F(MenusTest, NewWithoutYesKeepsTheLogButStillRefreshes) {
    Station.OperSecondsSaved = 3661;
    OutfrmWindow& w = open(Lines(2));
    folder.write("log.txt", Lines(3)); // grown behind the window: a reload shows it
    QFile::remove(folder.file("QSOpref.txt"));
    w.lblttrack.setCaption("--");
    Fakes().dialogs.AnswerInput("no");
    pick(w.mnuNew);
    EXPECT_EQ(Fakes().dialogs.shown.back().title, "WARNING - Your existing log file will be ERASED!");
    EXPECT_EQ(folder.read("log.txt"), Lines(3));
    EXPECT_EQ(ContactLog.Count, 3);
    EXPECT_EQ(w.ListView1.ItemCount(), 3);
    EXPECT_EQ(w.lblttrack.Caption(), "01:01:01");
    EXPECT_TRUE(folder.exists("QSOpref.txt"));
}

TEST_F(MenusTest, NewWithYesEmptiesTheLogAfterABackup) {
    Station.OperSecondsSaved = 600;
    OutfrmWindow& w = open(Lines(2));
    Fakes().dialogs.AnswerInput("yes");
    pick(w.mnuNew);
    EXPECT_EQ(folder.read("log.txt"), QByteArray());
    EXPECT_EQ(ContactLog.Count, 0);
    EXPECT_EQ(w.ListView1.ItemCount(), 0);
    EXPECT_EQ(w.Label1.Caption(), "001");
    EXPECT_EQ(w.lblttrack.Caption(), "00:00:00");
    EXPECT_EQ(Station.OperSecondsSaved, 0);
    const QStringList backups = QDir(Folders.BackupFolder).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(folder.read("data/BACKUP/" + backups[0]), Lines(2));
}

TEST_F(MenusTest, ExitSavesARunningClockAndEndsWithoutABackup) {
    Station.OperSecondsSaved = 0;
    OutfrmWindow& w = open(Lines(1));
    w.cmdLogOn_Click();
    folder.write("log.txt", Lines(2));
    w.ReloadAndRescore(); // the count differs from the baseline: a close would back up
    Fakes().clock.Advance(10 * 60 * 1000);
    Keyer.CWSending = 1; // Exit does not wait for the CW sender
    pick(w.mnuExit);
    EXPECT_EQ(Fakes().end.ended, 1);
    EXPECT_FALSE(tylog::Run.TimeOnRunning);
    EXPECT_TRUE(QDir(Folders.BackupFolder).entryList(QDir::Files).isEmpty());
    Station = StationSettings();
    LoadStationSettings();
    EXPECT_FLOAT_EQ(Station.OperSecondsSaved, 600);
}

TEST_F(MenusTest, ListPreviousContactsFlipsAndIsKept) {
    Station.ListPreviousOption = 0;
    OutfrmWindow& w = open();
    pick(w.mnuListPrevious);
    EXPECT_TRUE(w.mnuListPrevious.Checked());
    EXPECT_EQ(Station.ListPreviousOption, 1);
    vb::DiscardAllForms();

    // A new run reads the choice from the settings file.
    Station = StationSettings();
    LoadStationSettings();
    EXPECT_EQ(Station.ListPreviousOption, 1);
    OutfrmWindow& again = open();
    EXPECT_TRUE(again.mnuListPrevious.Checked());
    pick(again.mnuListPrevious);
    EXPECT_FALSE(again.mnuListPrevious.Checked());
    Station = StationSettings();
    LoadStationSettings();
    EXPECT_EQ(Station.ListPreviousOption, 0);
}

// The keyer setup windows open modally and stay loaded; one already open beside the window is
// brought forward instead.
TEST_F(MenusTest, KeyerSetupWindowsOpenModallyAndStayLoaded) {
    OutfrmWindow& w = open();
    struct Case { vb::Menu* item; std::function<vb::Form*()> loaded; std::function<vb::Form&()> window; };
    const Case cases[] = {
        {&w.mnuCW, [] { return static_cast<vb::Form*>(vb::IfLoaded<CWFrmWindow>()); }, []() -> vb::Form& { return CWFrm(); }},
        {&w.mnuVoice, [] { return static_cast<vb::Form*>(vb::IfLoaded<PhoneFrmWindow>()); }, []() -> vb::Form& { return PhoneFrm(); }},
    };
    for (const Case& c : cases) {
        QString modal;
        platform().onModalShown = [&](vb::Form& f) {
            modal = f.Name;
            EXPECT_TRUE(f.ShownModal());
            f.Hide();
        };
        pick(*c.item);
        EXPECT_FALSE(modal.isEmpty()) << c.item->Name.toStdString();
        ASSERT_NE(c.loaded(), nullptr) << "kept loaded";
        EXPECT_EQ(c.loaded()->Name, modal);

        modal.clear();
        c.window().Show();
        pick(*c.item);
        EXPECT_TRUE(modal.isEmpty()) << "already open: no modal show";
        EXPECT_TRUE(c.loaded()->isVisible());
        c.loaded()->Hide();
    }
}

TEST_F(MenusTest, ClearEmptiesTheEntryLine) {
    OutfrmWindow& w = open();
    w.txtCall.setText("K1ABC");
    w.txtRSTR.setText("5");
    w.txtSec.setText("Lark");
    w.lblDialog.setCaption("Need Serial!");
    w.txtSec.SetFocus();
    pick(w.mnuClear);
    for (vb::TextBox* b : {&w.txtCall, &w.txtRSTR, &w.txtSec}) EXPECT_EQ(b->Text(), "") << b->Name.toStdString();
    EXPECT_EQ(w.lblDialog.Caption(), "");
    EXPECT_TRUE(w.txtCall.HasFocus());
}

TEST_F(MenusTest, VoiceNavigationOpensBesideTheWindow) {
    OutfrmWindow& w = open();
    platform().onModalShown = [](vb::Form& f) {
        ADD_FAILURE() << f.Name.toStdString() << " shown modally";
        f.Hide();
    };
    pick(w.mnuBlind);
    BlindFrmWindow* blind = vb::IfLoaded<BlindFrmWindow>();
    ASSERT_NE(blind, nullptr);
    EXPECT_TRUE(blind->isVisible());
    EXPECT_FALSE(blind->ShownModal());
}

TEST_F(MenusTest, HelpOpensModallyAndIsUnloaded) {
    folder.copyShipped("ReadSQSO.txt");
    OutfrmWindow& w = open();
    QString text;
    platform().onModalShown = [&](vb::Form& f) {
        text = static_cast<Form5Window&>(f).Text1.Text();
        QTest::mouseClick(static_cast<Form5Window&>(f).Command1.widget(), Qt::LeftButton);
    };
    pick(w.mnuHelp);
    EXPECT_FALSE(text.isEmpty());
    EXPECT_EQ(vb::IfLoaded<Form5Window>(), nullptr);
}

// "L&ist" opens a freshly filled county list; the county clicked replaces the county box's text, and
// the list is unloaded however it closed.
TEST_F(MenusTest, CountyListPutsTheClickedCountyIntoTheCountyBox) {
    OutfrmWindow& w = open();
    w.txtSec.setText("Lark");
    platform().onModalShown = [](vb::Form& f) {
        auto* list = dynamic_cast<frmCountyListWindow*>(&f);
        if (!list) {
            ADD_FAILURE() << f.Name.toStdString() << " opened";
            f.Hide();
            return;
        }
        QTreeWidget* t = list->ListView1.tree();
        EXPECT_EQ(t->topLevelItemCount(), 134);
        QTreeWidgetItem* lowater = t->topLevelItem(54);
        t->scrollToItem(lowater);
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(lowater).center());
        if (f.isVisible()) {
            ADD_FAILURE() << "the click did not close the list";
            f.Hide();
        }
    };
    pick(w.mnuCountyList);
    EXPECT_EQ(w.txtSec.Text(), "Lowater");
    EXPECT_EQ(vb::IfLoaded<frmCountyListWindow>(), nullptr);

    platform().onModalShown = [](vb::Form& f) { f.close(); };
    pick(w.mnuCountyList);
    EXPECT_EQ(w.txtSec.Text(), "Lowater");
    EXPECT_EQ(vb::IfLoaded<frmCountyListWindow>(), nullptr);
    EXPECT_TRUE(Fakes().dialogs.shown.size() == 1) << "only the start-up question";
}

TEST_F(MenusTest, ItemsThatCanNeverBeChosen) {
    OutfrmWindow& w = open();
    for (vb::Menu* m : {&w.mnuOpen, &w.mnuHearthbookImport, &w.mnuColors, w.mnuSetup()}) {
        ASSERT_NE(m, nullptr);
        EXPECT_FALSE(m->Enabled()) << m->Name.toStdString();
    }
    EXPECT_EQ(w.mnuChangeCounty(), nullptr);
}

TEST_F(MenusTest, ExportADIFFromTheFileMenu) {
    folder.copyShipped("ADIFCnt.txt");
    tylog::Run.ProgramVersion = "1.6";
    OutfrmWindow& w = open(Contact("N0CALL"));
    Fakes().dialogs.AnswerInput("100");
    Fakes().dialogs.AnswerInput("TY State QSO Party Contest");
    Fakes().dialogs.AnswerSave(folder.file("data/TY.adi"));
    Fakes().dialogs.AnswerMsgBox(vbOK);
    pick(w.mnuexportADIF);
    EXPECT_TRUE(folder.read("data/TY.adi").endsWith(
        "<Call:6>N0CALL <Qso_Date:8:d>20130915 <Band:3>20M <Mode:3>SSB\r\n"
        "<Tx_Pwr:3>100 <Time_On:4>1401 <DXCC:3>291 <State:2>TY <Cnty:11>TY,Larkmoor <Cont:2>NA "
        "<Comment:26>TY State QSO Party Contest\r\n<eor>\r\n\r\n"));
    EXPECT_EQ(Fakes().dialogs.shown.back().title, "File Written Successfully.");
}

} // namespace
