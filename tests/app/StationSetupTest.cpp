// The station setup window as the operator drives it: key filters, typing aids, answers, "Done".
#include "core/ProcessState.h"
#include "app/StationSetupWindow.h"
#include "core/SharedPrefs.h"
#include "platform/vb/Forms.h"
#include "tests/app/StartupTestEnv.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace tylog;
using namespace tylog::testing;

namespace {

class StationSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        // "Done" opens the logging window; its question is not what these tests are about.
        Fakes().dialogs.AlwaysAnswerMsgBox("Open existing log?", vbYes);
        env.copyShippedData();
        env.useFolders();
        open();
    }
    // Loads the window from the files and shows it active, with every box empty.
    void open() {
        f = &frmStationID();
        ShowActive(*f);
        for (vb::Control* c : f->Controls())
            if (c->kind() == vb::Kind::TextBox) static_cast<vb::TextBox*>(c)->setText("");
    }
    QByteArray settings() const { return env.prog.read("QSOpref.txt"); }
    // Line n (1-based) of QSOpref.txt.
    QByteArray settingsLine(int n) const { return settings().split('\n').value(n - 1).trimmed(); }

    StartupTestEnv env;
    frmStationIDWindow* f = nullptr;
};

TEST_F(StationSetupTest, KeyFiltersShapeWhatEachBoxTakes) {
    struct Case { vb::TextBox frmStationIDWindow::*box; const char* typed; const char* expected; };
    const Case cases[] = {
        {&frmStationIDWindow::Text1, "w1aw/7", "W1AW/7"},
        {&frmStationIDWindow::Text1, "k\"1x", "K1X"}, // a double quote would break QSOpref.txt
        {&frmStationIDWindow::Text5, "t\"y", "TY"},
        {&frmStationIDWindow::Text7, "n\"a", "NA"},
        {&frmStationIDWindow::Text9, "k\"s", "KS"},
        {&frmStationIDWindow::Text10, "joe \"jr\"", "JOE JR"},
        {&frmStationIDWindow::Text11, "single \"op\"", "SINGLE OP"},
        {&frmStationIDWindow::Text12, "dodge \"city\"", "DODGE CITY"},
        {&frmStationIDWindow::Text3, "-77.5ab c", "-77.5"}, // a negative decimal, no letters or blanks
        {&frmStationIDWindow::Text4, "4\"0.1/", "40.1/"},
        {&frmStationIDWindow::Text6, "-5.5x\"", "-5.5"},
        {&frmStationIDWindow::Text6, "123456789", "1234567"},
        {&frmStationIDWindow::Text8, "lark \"moor", "Lark Moor"},
        {&frmStationIDWindow::Text8, "two word county", "Two Word County"},
        {&frmStationIDWindow::Text2, "\"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        vb::TextBox& box = f->*c.box;
        box.setText("");
        QTest::keyClicks(box.widget(), c.typed);
        EXPECT_EQ(box.Text(), c.expected);
    }
}

TEST_F(StationSetupTest, PastedDoubleQuotesAreDroppedToo) {
    f->Text1.PasteFiltered("a\"b");
    f->Text8.PasteFiltered("x\"y");
    f->Text2.PasteFiltered("1\"2");
    EXPECT_EQ(f->Text1.Text(), "AB");
    EXPECT_EQ(f->Text8.Text(), "Xy");
    EXPECT_EQ(f->Text2.Text(), "12");
}

TEST_F(StationSetupTest, CountryCompletionTakesTheLastMatchingRowAndFillsItsPlace) {
    f->Text3.setText("1");
    f->Text4.setText("2");
    QTest::keyClicks(f->Text2.widget(), "1");
    EXPECT_EQ(f->Text2.Text(), "1"); // no hit: the key goes in, the other boxes stay
    EXPECT_EQ(f->Text3.Text(), "1");

    f->Text2.setText("");
    QTest::keyClicks(f->Text2.widget(), "uni");
    EXPECT_EQ(f->Text2.Text(), "United Arab Emirates");
    EXPECT_EQ(f->Text2.SelStart(), 3);
    EXPECT_EQ(f->Text2.SelLength(), 17);
    EXPECT_EQ(f->Text3.Text(), "-54.4");
    EXPECT_EQ(f->Text4.Text(), "24.5");
    EXPECT_EQ(f->Text7.Text(), "AS");

    QTest::keyClick(f->Text2.widget(), Qt::Key_Backspace);
    EXPECT_EQ(f->Text2.Text(), "Uni");
}

TEST_F(StationSetupTest, EnterRunsDoneInEveryFieldButTheCountry) {
    QTest::keyClick(f->Text2.widget(), Qt::Key_Return);
    ASSERT_EQ(vb::IfLoaded<frmStationIDWindow>(), f);

    vb::TextBox frmStationIDWindow::*const boxes[] = {
        &frmStationIDWindow::Text1, &frmStationIDWindow::Text5, &frmStationIDWindow::Text8,
        &frmStationIDWindow::Text6, &frmStationIDWindow::Text3, &frmStationIDWindow::Text4,
        &frmStationIDWindow::Text7, &frmStationIDWindow::Text9, &frmStationIDWindow::Text10,
        &frmStationIDWindow::Text11, &frmStationIDWindow::Text12};
    for (auto box : boxes) {
        SCOPED_TRACE((f->*box).Name.toStdString());
        env.prog.copyShipped("QSOpref.txt");
        open();
        (f->*box).setText("7");
        QTest::keyClick((f->*box).widget(), Qt::Key_Return);
        EXPECT_EQ(vb::IfLoaded<frmStationIDWindow>(), nullptr);
        EXPECT_EQ(settings().count("\"7\"") + settings().count("\r\n7\r\n"), 1);
        Pump();
    }
}

TEST_F(StationSetupTest, NoGreysTheRoverQuestionAndYesEnablesItWithNoKept) {
    QTest::mouseClick(f->Option2.widget(), Qt::LeftButton);
    EXPECT_TRUE(f->Option3.Value());
    EXPECT_FALSE(f->Option4.Value());
    EXPECT_FALSE(f->fraRover.Enabled());
    EXPECT_FALSE(f->Option3.Enabled());
    EXPECT_FALSE(f->Option4.Enabled());

    QTest::mouseClick(f->Option1.widget(), Qt::LeftButton);
    EXPECT_TRUE(f->fraRover.Enabled());
    EXPECT_TRUE(f->Option4.Enabled());
    EXPECT_TRUE(f->Option3.Value());
}

TEST_F(StationSetupTest, LeavingTheUtcBoxWithoutANumberBeepsAndStays) {
    f->Text6.SetFocus();
    Pump();
    QTest::keyClick(f->Text6.widget(), Qt::Key_Tab);
    Pump();
    EXPECT_EQ(Fakes().dialogs.beeps, 1);
    EXPECT_EQ(f->ActiveControl(), &f->Text6);

    QTest::keyClicks(f->Text6.widget(), "-4");
    QTest::keyClick(f->Text6.widget(), Qt::Key_Tab);
    Pump();
    EXPECT_EQ(Fakes().dialogs.beeps, 1);
    EXPECT_EQ(f->ActiveControl(), &f->Text2);
}

TEST_F(StationSetupTest, AClickedStateIsBoldButTheStoredStateIsAlwaysTY) {
    QTest::mouseClick(f->optState[3].widget(), Qt::LeftButton); // "AZ"
    for (int i = 0; i < frmStationIDWindow::StateCount; ++i) EXPECT_EQ(f->optState[i].FontBold(), i == 3) << i;
    f->Command1_Click();
    EXPECT_EQ(Station.HostState, "TY");
    EXPECT_EQ(settingsLine(19), "\"TY\"");
}

TEST_F(StationSetupTest, DoneTurnsNonNumbersIntoZeroAndStoresTextsAsTyped) {
    f->Text1.setText(" k1abc ");
    f->Text6.setText("");
    f->Text3.setText("1.2.3");
    f->Text4.setText("-");
    f->Command1_Click();
    EXPECT_EQ(settingsLine(1), "\" k1abc \"");
    EXPECT_EQ(settingsLine(11), "0");
    EXPECT_EQ(settingsLine(12), "0");
    EXPECT_EQ(settingsLine(13), "0");
    EXPECT_TRUE(SharedPrefs.SharedPrefsText.contains("<OWN_UTC>0</OWN_UTC>"));
    EXPECT_TRUE(SharedPrefs.SharedPrefsText.contains("<OWN_LONGITUDE>0</OWN_LONGITUDE>"));
}

TEST_F(StationSetupTest, DoneSaysWhenTheSettingsCannotBeSaved) {
    // QSOpref.txt cannot be replaced (a folder stands in its place, as root ignores permissions).
    const QByteArray before = settings();
    QFile::remove(env.prog.file("QSOpref.txt"));
    QDir().mkdir(env.prog.file("QSOpref.txt"));
    f->Text1.setText("K1ABC");
    Fakes().dialogs.AnswerMsgBox(vbOK);
    f->Command1_Click();
    ASSERT_FALSE(Fakes().dialogs.shown.isEmpty());
    const auto& shown = Fakes().dialogs.shown.first();
    EXPECT_EQ(shown.title, "Unable to save settings.");
    EXPECT_TRUE(shown.prompt.endsWith("\r\n\r\nYour settings were not saved: they hold for this run only."))
        << shown.prompt.toStdString();
    EXPECT_EQ(Station.OwnCall, "K1ABC"); // the run goes on with them
    EXPECT_EQ(vb::IfLoaded<frmStationIDWindow>(), nullptr);
    EXPECT_FALSE(before.isEmpty());
}

TEST_F(StationSetupTest, DoneChangesOnlyItsOwnKeysOfTheSharedPreferences) {
    // Another program's UTF-8 values: Á is C3 81, č is C4 8D, Н is D0 9D.
    const QByteArray other = "<OTHER_NAME>\xC3\x81gota \xC4\x8D\xD0\x9D</OTHER_NAME>";
    const QByteArray start = CrLfLines({"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>", other.constData(),
                                        "<OWN_CALL>N0CALL</OWN_CALL>"});
    const QString path = env.sharedFolder() + "/SharedUserPreferences.xml";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(start);
    file.close();
    LoadSharedPrefs(path);
    f->Text1.setText("K1ABC");
    f->Command1_Click();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    EXPECT_EQ(lines.value(1), other + "\r");
    EXPECT_EQ(lines.value(2), "<OWN_CALL>K1ABC</OWN_CALL>\r");
    EXPECT_EQ(lines.size(), 2 + 9 + 1);
}

TEST_F(StationSetupTest, FirstRunDoneWithoutAnAnswerOpensOutOfState) {
    vb::DiscardAllForms();
    QFile::remove(env.prog.file("QSOpref.txt"));
    Fakes().dialogs.AnswerMsgBox(vbOK);
    open();
    EXPECT_FALSE(f->Option1.Value() || f->Option2.Value());
    f->Command1_Click();
    EXPECT_EQ(Station.OutOfStateFlag, 1);
    EXPECT_EQ(Station.RoverFlag, 0);
    EXPECT_EQ(settingsLine(20), "1");
    EXPECT_EQ(settingsLine(21), "0");
    EXPECT_EQ(vb::IfLoaded<frmStationIDWindow>(), nullptr);
}

TEST_F(StationSetupTest, ClosingTheWindowEndsTheRun) {
    f->close();
    EXPECT_EQ(Fakes().end.ended, 1);
}

} // namespace
