// A whole run of the out-of-state window from the real start-up chain: setup, one contact typed and
// logged, a restart that finds it, and the close that backs the log up.
#include "app/ProcessReset.h"
#include "app/Startup.h"
#include "app/StationSetupWindow.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "tests/app/StartupTestEnv.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace tylog;
using namespace tylog::testing;

namespace {

TEST(OutOfStateRun, SetupLogRestartAndClose) {
    StartupTestEnv env;
    env.copyShippedData();
    env.enterProgramFolder();
    // The shipped settings hold offset 0 and this clock agrees, so no question about the offset.
    Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(14, 1, 0)), 0);

    RunStartup();
    frmStationIDWindow& setup = frmStationID();
    ShowActive(setup);
    QTest::keyClicks(setup.Text1.widget(), "w9xyz");
    QTest::keyClicks(setup.Text5.widget(), "il");
    Fakes().dialogs.AnswerMsgBox(vbYes); // "Open existing log?"
    QTest::mouseClick(setup.Command1.widget(), Qt::LeftButton);
    Pump();

    OutfrmWindow* w = vb::IfLoaded<OutfrmWindow>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(vb::IfLoaded<frmStationIDWindow>(), nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Label2.Caption(), "W9XYZ");
    EXPECT_EQ(w->Label1.Caption(), "001");

    ShowActive(*w);
    Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(14, 1, 2)), 0);
    w->txtCall.SetFocus();
    QTest::keyClicks(w->txtCall.widget(), "n0call");
    w->txtRSTR.SetFocus();
    QTest::keyClicks(w->txtRSTR.widget(), "7");
    w->txtSec.SetFocus();
    QTest::keyClicks(w->txtSec.widget(), "Larkmoor");
    QTest::keyClick(w->txtSec.widget(), Qt::Key_Return);

    const QByteArray line = "\"N0CALL\",\"\",\"\",\"\",\"Larkmoor\",\"\",\"\",\"\",\"\",\"\",\"001\",\"2013/09/15\",\"14:01:02\","
                            "\"CW\",\"20\",0,\"\",\"\",\"7\",\"\"\r\n";
    EXPECT_EQ(env.prog.read("log.txt"), line);
    EXPECT_EQ(w->Label1.Caption(), "002");

    // A new run finds the contact: the next serial follows it and the score shows it.
    vb::DiscardAllForms();
    ResetProcessState();
    RunStartup();
    Fakes().dialogs.AnswerMsgBox(vbYes); // "Open existing log?"
    frmStationID().Command1_Click();
    w = vb::IfLoaded<OutfrmWindow>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(ContactLog.Count, 1);
    EXPECT_EQ(w->Label1.Caption(), "002");
    EXPECT_EQ(w->Label27.Caption(), "2");
    EXPECT_EQ(w->lblTotScore.Caption(), "2");
    EXPECT_EQ(w->ListView1.ItemText(0, 1), "N0CALL");

    // One more contact, then the close box: the changed log is backed up.
    w->txtCall.setText("K1ABC");
    w->txtRSTR.setText("3");
    w->txtSec.setText("Larkmoor");
    w->Mains();
    ASSERT_EQ(ContactLog.Count, 2);
    w->close();
    EXPECT_EQ(Fakes().end.ended, 1);
    const QStringList backups = QDir(env.dataFolder() + "/BACKUP").entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    QFile backup(env.dataFolder() + "/BACKUP/" + backups[0]);
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), env.prog.read("log.txt"));
    EXPECT_FALSE(Fakes().dialogs.Unanswered());
}

} // namespace
