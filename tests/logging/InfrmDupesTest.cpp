// Duplicate checks of the in-state window, the rover's replay of a contact for each further county,
// and the window's small events (close while CW is sent, right-click edit, own county, county list).
#include "keying/KeyerState.h"
#include "logtools/CountyChange.h"
#include "logtools/CountyList.h"
#include "logtools/DEEditInfrm.h"
#include "platform/Platform.h"
#include "tests/logging/InfrmFixture.h"

using namespace tylog;
using namespace tylog::testing;

namespace {

class InfrmDupesTest : public InfrmFixture {
protected:
    // The entry line set by code (no focus events), then the commit.
    static void commit(InfrmWindow& w, const QString& call, const QString& spc, const QString& county) {
        w.txtCall.setText(call);
        w.txtRSTR.setText("5");
        w.txtCntry.setText(spc);
        w.txtSec.setText(county);
        w.Mains();
    }
};

TEST_F(InfrmDupesTest, TheOwnCountyIsPartOfTheDuplicateKey) {
    struct Case {
        const char *band, *mode, *county, *ownCounty;
        bool duplicate;
    };
    const Case cases[] = {
        {"20", "PH", "Alderbrook", "Larkmoor", true},
        {"20", "PH", "alderbrook", "LARKMOOR", true}, // letter case does not count
        {"40", "PH", "Alderbrook", "Larkmoor", false},
        {"20", "CW", "Alderbrook", "Larkmoor", false},
        {"20", "PH", "Ambervale", "Larkmoor", false},
        {"20", "PH", "Alderbrook", "Ambervale", false}, // worked again from another own county
    };
    for (const Case& c : cases) {
        vb::DiscardAllForms();
        Station.CurrentBand = c.band;
        Station.CurrentMode = c.mode;
        Station.CurrentCounty = c.ownCounty;
        InfrmWindow& w = open(Contact({.call = "K0AB", .county = "Alderbrook"}));
        commit(w, "k0ab", "TY", c.county);
        EXPECT_EQ(ContactLog.Count, c.duplicate ? 1 : 2) << c.band << c.mode << c.county << c.ownCounty;
        EXPECT_EQ(tylog::Run.DupeFlag, c.duplicate);
    }
}

TEST_F(InfrmDupesTest, LeavingTheCallBoxFillsWarnsOrRefuses) {
    QByteArray log;
    log += Contact({.call = "N0TYS", .spc = "TY", .county = "Alderbrook"});
    log += Contact({.call = "K1OUT", .spc = "OH", .county = ""});
    log += Contact({.call = "K2OLD", .spc = "NY", .county = "", .band = "40"});
    InfrmWindow& w = open(log);

    // A host-state station already logged in this slot is refused at once.
    type(w.txtCall, "N0TYS");
    w.txtRSTR.SetFocus();
    EXPECT_TRUE(w.lblDialog.Caption().startsWith("Duplicate N0TYS 09/15 14:01:02  Rec#  1"));
    EXPECT_EQ(w.txtCall.Text(), "");
    EXPECT_EQ(w.txtSec.Text(), "");
    EXPECT_TRUE(tylog::Run.DupeFlag);

    // One outside the host state is only warned of, and keeps its entry.
    type(w.txtCall, "K1OUT");
    w.txtRSTR.SetFocus();
    EXPECT_EQ(w.lblDialog.Caption(), "Dupe if not rover!  K1OUT  09/15  14:01:02   Rec#  2");
    EXPECT_EQ(w.lblDialog.BackColor(), 0x0000FF);
    EXPECT_EQ(w.txtCntry.Text(), "OH");
    EXPECT_FALSE(tylog::Run.DupeFlag);

    // An earlier contact on another band fills the St / Prv / Country box, which then keeps it.
    w.ClearEntry();
    type(w.txtCall, "VE3OLD"); // no earlier contact: the Canadian prefix gives the province
    w.txtRSTR.SetFocus();
    EXPECT_EQ(w.txtCntry.Text(), "ON");
    w.ClearEntry();
    type(w.txtCall, "VE8AB");
    w.txtRSTR.SetFocus();
    EXPECT_EQ(w.txtCntry.Text(), "NT");
    w.ClearEntry();
    type(w.txtCall, "K2OLD");
    w.txtRSTR.SetFocus();
    EXPECT_EQ(w.txtCntry.Text(), "NY");

    // The program's authors are greeted.
    const std::pair<const char*, const char*> greetings[] = {
        {"Q7BZW", "Q7BZW, Orrin, wrote this software!  Please say hi!"},
        {"qe9mrl", "QE9MRL, Tamsin, helped write this software!"},
    };
    for (auto [call, greeting] : greetings) {
        w.ClearEntry();
        type(w.txtCall, call);
        w.txtRSTR.SetFocus();
        EXPECT_EQ(w.lblDialog.Caption(), greeting) << call;
        EXPECT_EQ(w.lblDialog.BackColor(), 0xFFFFC0) << call;
    }
}

TEST_F(InfrmDupesTest, ListPreviousShowsEveryEarlierContactOldestFirst) {
    QByteArray log;
    log += Contact({.call = "K1OUT", .spc = "OH", .county = "", .band = "40"});
    log += Contact({.call = "W9ZZ", .spc = "IL", .county = ""});
    log += Contact({.call = "K1OUT", .spc = "OH", .county = ""});
    Station.ListPreviousOption = 1;
    InfrmWindow& w = open(log);
    type(w.txtCall, "K1OUT");
    w.txtRSTR.SetFocus();
    ASSERT_EQ(w.ListView1.ItemCount(), 2);
    EXPECT_EQ(w.ListView1.ItemText(0), "1");
    EXPECT_EQ(w.ListView1.ItemText(1), "3");
}

TEST_F(InfrmDupesTest, ThePartialListShowsOnlyContactsFromTheOwnCounty) {
    QByteArray log;
    log += Contact({.call = "W1AA", .spc = "CT", .county = ""});
    log += Contact({.call = "W1BB", .spc = "CT", .county = "", .sentCounty = "Ambervale"});
    log += Contact({.call = "W1CC", .spc = "CT", .county = ""});
    log += Contact({.call = "W1DD", .spc = "CT", .county = "", .band = "40"});
    InfrmWindow& w = open(log);
    w.cmdLogOn_Click(); // else every key sounds the Time On reminder
    w.txtCall.SetFocus();
    QTest::keyClicks(w.txtCall.widget(), "w1");
    EXPECT_EQ(w.lblDupe.Caption(), "W1CC W1AA ");
    EXPECT_NE(w.lblDialog.Caption(), "Possible Duplicate!");
    QTest::keyClicks(w.txtCall.widget(), "c");
    EXPECT_NE(w.lblDialog.Caption(), "Possible Duplicate!"); // not before the fourth character
    QTest::keyClicks(w.txtCall.widget(), "c");
    EXPECT_EQ(w.lblDialog.Caption(), "Possible Duplicate!");
    w.ClearEntry();
    const int beeps = Fakes().dialogs.beeps;
    QTest::keyClicks(w.txtCall.widget(), "wab");
    EXPECT_EQ(w.lblDialog.Caption(), "The second or third character is not numeric!");
    EXPECT_EQ(Fakes().dialogs.beeps, beeps + 1);
}

TEST_F(InfrmDupesTest, TheCallBoxHoldsItsNextKeyThreeSecondsAfterADuplicate) {
    InfrmWindow& w = open(Contact({.call = "N0TYS", .county = "Alderbrook"}));
    commit(w, "N0TYS", "TY", "Alderbrook");
    ASSERT_TRUE(tylog::Run.DupeFlag);
    const std::uint32_t refused = platform().clock->TimeGetTime();
    Fakes().clock.Advance(1200);
    w.txtCall.SetFocus();
    QTest::keyClick(w.txtCall.widget(), Qt::Key_K);
    EXPECT_EQ(platform().clock->TimeGetTime() - refused, 3000u);
    EXPECT_FALSE(tylog::Run.DupeFlag);
    EXPECT_EQ(w.txtCall.Text(), "K");

    // Later than three seconds, no wait.
    commit(w, "N0TYS", "TY", "Alderbrook");
    Fakes().clock.Advance(5000);
    const std::uint32_t before = platform().clock->TimeGetTime();
    w.txtCall.SetFocus();
    QTest::keyClick(w.txtCall.widget(), Qt::Key_K);
    EXPECT_EQ(platform().clock->TimeGetTime(), before);
}

// The spoken "Dupe" holds nothing but the next cue: the window goes on at once, and the cue of the box
// the operator moves to next waits for "Dupe" to end, ten seconds at most for a broken, minute-long one.
TEST_F(InfrmDupesTest, TheSpokenDupeHoldsOnlyTheNextCueAndThatTenSecondsAtMost) {
    folder.write("Dupe.wav", FakeSound::Wave(60000));
    folder.write("Call.wav", FakeSound::Wave(300));
    InfrmWindow& w = open(Contact({.call = "N0TYS", .county = "Alderbrook"}));
    Station.VoiceNavLevel = 1;
    const std::uint32_t before = platform().clock->TimeGetTime();
    commit(w, "N0TYS", "TY", "Alderbrook");
    EXPECT_TRUE(tylog::Run.DupeFlag);
    EXPECT_EQ(platform().clock->TimeGetTime(), before);
    EXPECT_EQ(PlayedNames().last(), "Dupe");
    EXPECT_EQ(w.txtCall.Text(), "");
    Fakes().sound.played.clear();
    w.txtRSTR.SetFocus();
    w.txtCall.SetFocus();
    Fakes().clock.Advance(9999);
    EXPECT_TRUE(PlayedNames().isEmpty());
    Fakes().clock.Advance(1);
    EXPECT_EQ(PlayedNames(), QStringList{"Call"});
}

class InfrmRoverTest : public InfrmDupesTest {
protected:
    void SetUp() override {
        InfrmDupesTest::SetUp();
        Station.RoverFlag = 1;
    }
    // The rover list in its own order: alphabetical, so the own county need not come first.
    static void roverOn(std::initializer_list<const char*> counties, bool nextSerialEach = false) {
        frmCountyChangeRoverWindow& rover = frmCountyChangeRover();
        for (const char* c : counties) rover.List1.AddItem(c);
        rover.Check1.setValue(nextSerialEach ? 1 : 0);
    }
};

TEST_F(InfrmRoverTest, EveryFurtherCountyOfTheListLogsTheContactAgain) {
    InfrmWindow& w = open();
    roverOn({"Alderbrook", "Ambervale", "Larkmoor"}); // Larkmoor, the own county, comes last
    log(w, "K1ABC", "7", "OH");
    ASSERT_EQ(ContactLog.Count, 3);
    const char* sent[] = {"Larkmoor", "Alderbrook", "Ambervale"};
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(ContactLog.Rec[i].SentCounty, sent[i - 1]);
        EXPECT_EQ(ContactLog.Rec[i].Call, "K1ABC");
        EXPECT_EQ(ContactLog.Rec[i].Spc, "OH");
        EXPECT_EQ(ContactLog.Rec[i].SerialSent, "001");
        EXPECT_EQ(ContactLog.Rec[i].SerialRcvd, "7");
    }
    EXPECT_EQ(Station.CurrentCounty, "Larkmoor");
    EXPECT_EQ(w.Label25.Caption(), "Larkmoor");
    EXPECT_EQ(w.RoverReplayIndex, 0);
    // Nothing was refused on the way: a replayed contact replays nothing of its own.
    EXPECT_FALSE(tylog::Run.DupeFlag);
    EXPECT_EQ(w.lblDialog.Caption(), "");
    EXPECT_EQ(w.ListView1.ColumnCount(), 10);
    EXPECT_EQ(w.ListView1.ItemText(0, 9), "Ambervale");
}

TEST_F(InfrmRoverTest, WithANewSerialEachAndADuplicateOnTheWay) {
    // Already logged from Alderbrook: the replay stops there, and the own county comes back.
    InfrmWindow& w = open(Contact({.call = "N0TYS", .county = "Ambervale", .sentCounty = "Alderbrook"}));
    roverOn({"Alderbrook", "Ambervale", "Larkmoor", "Zephyr"}, true);
    log(w, "N0TYS", "7", "TY", "Ambervale");
    ASSERT_EQ(ContactLog.Count, 2);
    EXPECT_EQ(ContactLog.Rec[2].SentCounty, "Larkmoor");
    EXPECT_TRUE(tylog::Run.DupeFlag);
    EXPECT_EQ(Station.CurrentCounty, "Larkmoor");
    EXPECT_EQ(w.Label25.Caption(), "Larkmoor");

    tylog::Run.DupeFlag = false;
    frmCountyChangeRover().List1.Clear();
    roverOn({"Larkmoor", "Zephyr"}, true);
    log(w, "K1ABC", "7", "OH");
    ASSERT_EQ(ContactLog.Count, 4);
    EXPECT_EQ(ContactLog.Rec[3].SerialSent, "003");
    EXPECT_EQ(ContactLog.Rec[4].SerialSent, "004");
    EXPECT_EQ(ContactLog.Rec[4].SentCounty, "Zephyr");
}

// A contact the store refuses inside the replay (here the 11001st) is an error: the replay ends at
// once with a beep, and the own county comes back.
TEST_F(InfrmRoverTest, AnErrorInsideTheReplayEndsIt) {
    QByteArray lines;
    const QByteArray line = Contact({.call = "K0XX", .spc = "OH", .county = ""});
    for (int i = 1; i < ContactLogData::Capacity; ++i) lines += line;
    InfrmWindow& w = open(lines);
    roverOn({"Alderbrook", "Ambervale", "Larkmoor", "Zephyr Plains"});
    w.cmdLogOn_Click();
    type(w.txtCall, "K1ABC");
    type(w.txtRSTR, "7");
    type(w.txtCntry, "OH");
    const int beeps = Fakes().dialogs.beeps;
    enter(w.txtSec);
    ASSERT_EQ(ContactLog.Count, ContactLogData::Capacity);
    EXPECT_EQ(ContactLog.Rec[ContactLogData::Capacity].SentCounty, "Larkmoor");
    EXPECT_EQ(folder.read("log.txt").count('\n'), ContactLogData::Capacity);
    EXPECT_EQ(w.lblDialog.Caption(), "The log is full (11000 contacts): the contact was not logged.");
    // The refusal's beep and the replay's; no further county was tried.
    EXPECT_EQ(Fakes().dialogs.beeps - beeps, 2);
    EXPECT_EQ(Station.CurrentCounty, "Larkmoor");
    EXPECT_EQ(w.Label25.Caption(), "Larkmoor");
    EXPECT_EQ(w.RoverReplayIndex, 0);
}

// The whole road a rover takes: "Cha&nge County", its rover button, the counties typed into the rover
// list, Done twice; then one contact typed and one Enter stores it once for every county, in list order.
TEST_F(InfrmRoverTest, CountiesListedThroughChangeCountyAreEachLoggedByOneEnter) {
    InfrmWindow& w = open();
    ShowActive(w);
    const auto typeKeys = [](const QString& text) {
        for (QChar c : text) {
            QWidget* target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr);
            if (c == '\r') QTest::keyClick(target, Qt::Key_Return);
            else if (c == '\b') QTest::keyClick(target, Qt::Key_Backspace);
            else QTest::keyClick(target, c.toLatin1());
        }
    };
    QStringList shown;
    platform().onModalShown = [&](vb::Form& f) {
        shown << f.Name;
        QApplication::setActiveWindow(&f);
        if (auto* own = dynamic_cast<frmCountyChangeWindow*>(&f)) {
            QTest::mouseClick(own->cmdMultipleCounties.widget(), Qt::LeftButton);
        } else if (auto* rover = dynamic_cast<frmCountyChangeRoverWindow*>(&f)) {
            rover->Text1.SetFocus();
            typeKeys("\bLarkmoor\rAmbervale\rAlderbrook\r");
            QTest::mouseClick(rover->Command1.widget(), Qt::LeftButton);
        }
        if (f.isVisible()) f.Hide();
    };
    w.mnuChangeCounty()->action()->trigger();
    platform().onModalShown = nullptr;
    EXPECT_EQ(shown, QStringList({"frmCountyChange", "frmCountyChangeRover"}));
    EXPECT_EQ(Station.CurrentCounty, "Alderbrook") << "the list's first county";
    EXPECT_EQ(w.Label25.Caption(), "Alderbrook");

    QApplication::setActiveWindow(&w);
    w.cmdLogOn_Click();
    log(w, "K1ABC", "7", "OH");
    ASSERT_EQ(ContactLog.Count, 3);
    const char* sent[] = {"Alderbrook", "Ambervale", "Larkmoor"};
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(ContactLog.Rec[i].Call, "K1ABC");
        EXPECT_EQ(ContactLog.Rec[i].SentCounty, sent[i - 1]);
    }
    EXPECT_EQ(folder.read("log.txt").count("\"K1ABC\""), 3);
    EXPECT_EQ(Station.CurrentCounty, "Alderbrook");
}

TEST_F(InfrmDupesTest, CloseIsRefusedWhileCWIsSentAndBacksTheLogUpAfter) {
    InfrmWindow& w = open();
    log(w, "K1ABC", "7", "OH");
    frmCountyChangeRover().List1.AddItem("Larkmoor"); // the rover list, loaded: the close unloads it
    Keyer.CWSending = 1;
    Keyer.CWBuffer = "TU";
    w.close();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Keyer.CWBuffer, "");
    Keyer.CWSending = 0;
    w.close();
    EXPECT_EQ(vb::IfLoaded<InfrmWindow>(), nullptr);
    EXPECT_EQ(vb::IfLoaded<frmCountyChangeRoverWindow>(), nullptr);
    EXPECT_EQ(QDir(Folders.BackupFolder).entryList(QDir::Files).size(), 1);
}

TEST_F(InfrmDupesTest, RightClickEditsTheContactInTheInStateEditor) {
    InfrmWindow& w = open(Contact({.call = "K1ABC", .spc = "OH", .county = ""}));
    QString opened;
    platform().onModalShown = [&](vb::Form& f) {
        opened = f.Name;
        ContactLog.Rec[1].Call = "K1ABD"; // what the editor's Done leaves
        f.Hide();
    };
    w.ListView1_MouseUp(2, 0, 0, 0); // no row selected: nothing
    EXPECT_TRUE(opened.isEmpty());
    w.ListView1.setSelectedRow(0);
    w.ListView1_MouseUp(1, 0, 0, 0);
    EXPECT_TRUE(opened.isEmpty());
    w.ListView1_MouseUp(2, 0, 0, 0);
    EXPECT_EQ(opened, "DEEditInfrm");
    EXPECT_EQ(tylog::Run.EditIndex, 1);
    EXPECT_EQ(vb::IfLoaded<DEEditInfrmWindow>(), nullptr);
    EXPECT_TRUE(folder.read("log.txt").startsWith("\"K1ABD\""));
    EXPECT_EQ(w.ListView1.ItemText(0, 1), "K1ABD");
}

TEST_F(InfrmDupesTest, ChangeCountyShowsTheNewOwnCountyForTheCWMacro) {
    Station.RoverFlag = 1;
    InfrmWindow& w = open();
    ASSERT_TRUE(w.mnuChangeCounty()->Enabled());
    platform().onModalShown = [](vb::Form& f) {
        Station.CurrentCounty = "Ambervale";
        f.Hide();
    };
    w.mnuChangeCounty()->action()->trigger();
    EXPECT_EQ(vb::IfLoaded<frmCountyChangeWindow>(), nullptr);
    EXPECT_EQ(w.Label25.Caption(), "Ambervale");
    EXPECT_EQ(Keyer.CWMacroCounty, "Ambervale");
    EXPECT_TRUE(folder.read("QSOpref.txt").contains("\"Ambervale\""));
}

} // namespace
