// A whole run of the in-state window from the real start-up chain: setup with the in-state answer, one
// contact typed with plain Tab between the boxes, a restart that finds it, and the close that backs
// the log up.
#include "app/ProcessReset.h"
#include "app/Startup.h"
#include "app/StationSetupWindow.h"
#include "logging/Infrm.h"
#include "logstore/ContactLog.h"
#include "tests/app/StartupTestEnv.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace tylog;
using namespace tylog::testing;

namespace {

void typeInFocused(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
void pressInFocused(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

TEST(InStateRun, SetupLogRestartAndClose) {
    StartupTestEnv env;
    env.copyShippedData();
    env.enterProgramFolder();
    Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(14, 1, 0)), 0);

    RunStartup();
    frmStationIDWindow& setup = frmStationID();
    ShowActive(setup);
    QTest::keyClicks(setup.Text1.widget(), "n0ty");
    QTest::keyClicks(setup.Text8.widget(), "alderbrook");
    QTest::mouseClick(setup.Option1.widget(), Qt::LeftButton); // "Are you in Tessaly?" Yes
    Fakes().dialogs.AnswerMsgBox(vbYes);                       // "Open existing log?"
    QTest::mouseClick(setup.Command1.widget(), Qt::LeftButton);
    Pump();

    InfrmWindow* w = vb::IfLoaded<InfrmWindow>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(vb::IfLoaded<frmStationIDWindow>(), nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Label2.Caption(), "N0TY");
    EXPECT_EQ(w->Label25.Caption(), "Alderbrook");
    EXPECT_EQ(w->Label1.Caption(), "001");

    // Typed as an operator types: the call, Tab, the serial, Tab, the state, Tab, the county, Enter.
    ShowActive(*w);
    Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(14, 1, 2)), 0);
    w->txtCall.SetFocus();
    typeInFocused("n0call");
    pressInFocused(Qt::Key_Tab);
    typeInFocused("7");
    pressInFocused(Qt::Key_Tab);
    typeInFocused("TY");
    pressInFocused(Qt::Key_Tab);
    typeInFocused("Larkmoor");
    pressInFocused(Qt::Key_Return);

    const QByteArray line = "\"N0CALL\",\"\",\"\",\"TY\",\"Larkmoor\",\"\",\"Alderbrook\",\"\",\"\",\"\",\"001\",\"2013/09/15\","
                            "\"14:01:02\",\"CW\",\"20\",0,\"\",\"\",\"7\",\"\"\r\n";
    EXPECT_EQ(env.prog.read("log.txt"), line);
    EXPECT_EQ(w->Label1.Caption(), "002");
    EXPECT_TRUE(w->txtCall.HasFocus());

    // A new run finds the contact: the next serial follows it and the score shows it.
    vb::DiscardAllForms();
    ResetProcessState();
    RunStartup();
    Fakes().dialogs.AnswerMsgBox(vbYes); // "Open existing log?"
    frmStationID().Command1_Click();
    w = vb::IfLoaded<InfrmWindow>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(ContactLog.Count, 1);
    EXPECT_EQ(w->Label1.Caption(), "002");
    EXPECT_EQ(w->Label27.Caption(), "2");
    EXPECT_EQ(w->lblTotScore.Caption(), "2"); // 2 points x 1 county
    EXPECT_EQ(w->List2.List(0), "Larkmoor");
    EXPECT_EQ(w->ListView1.ItemText(0, 1), "N0CALL");

    // One more contact, then the close box: the changed log is backed up.
    w->txtCall.setText("K1ABC");
    w->txtRSTR.setText("3");
    w->txtCntry.setText("CT");
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
