// The in-state window's entry line, typed key by key into whatever box has the focus: the moves from
// box to box without Tab, the completions, the prefix lookup with its labels, the spoken cues, the
// keyboard map's in-state side and post-contest entry.
#include "keying/BlindFrm.h"
#include "keying/KeyerState.h"
#include "logtools/CountyChange.h"
#include "logging/PrefixLookup.h"
#include "platform/TextFile.h"
#include "tests/logging/InfrmFixture.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTreeWidget>

#include <functional>

using namespace tylog;
using namespace tylog::testing;

namespace {

class InfrmEntryTest : public InfrmFixture {
protected:
    // The window on this log with the Time On clock running and the focus in the call box.
    InfrmWindow& open(const QByteArray& log = QByteArray()) {
        InfrmWindow& w = InfrmFixture::open(log);
        w.cmdLogOn_Click();
        w.txtCall.SetFocus();
        return w;
    }

    static QWidget* focused() { return QApplication::focusWidget(); }
    static QString focusName(InfrmWindow& w) { return w.ActiveControl() ? w.ActiveControl()->Name : QString(); }

    // Types text key by key into the focused box; "\r" is Enter, "\x1b" Esc.
    static void keys(const QString& text) {
        for (QChar c : text) {
            QWidget* target = focused();
            ASSERT_NE(target, nullptr);
            switch (c.unicode()) {
            case '\r': QTest::keyClick(target, Qt::Key_Return); break;
            case 0x1b: QTest::keyClick(target, Qt::Key_Escape); break;
            default: QTest::keyClick(target, c.toLatin1()); break;
            }
        }
    }
    static void key(Qt::Key k) { QTest::keyClick(focused(), k); }

    // Bearing and distance of a point as the labels show them.
    static QString bearingTo(float lat, float lon) {
        return tylog::ShowBearingDistance(Station.OwnLatitude, Station.OwnLongitude, lat, lon).Bearing;
    }
    static size_t prefixRow(const char* prefix) {
        for (size_t i = 1; i <= static_cast<size_t>(PrefixTable.Count); ++i)
            if (PrefixTable.Prefix[i] == prefix) return i;
        ADD_FAILURE() << prefix;
        return 0;
    }
    static size_t stateRow(const char* abbrev) {
        for (size_t i = 1; i <= 54; ++i)
            if (StateCoordTable.Abbrev[i] == abbrev) return i;
        ADD_FAILURE() << abbrev;
        return 0;
    }
};

// ---- Moving on without Tab -------------------------------------------------------------------------

TEST_F(InfrmEntryTest, ADigitAfterACompleteCallStartsTheSerial) {
    InfrmWindow& w = open();
    struct Case {
        const char* typed;
        const char* call;
        const char* serial;
        const char* focus;
    };
    const Case cases[] = {
        {"k1ab5", "K1AB", "5", "txtRSTR"},
        {"k1ab57", "K1AB", "57", "txtRSTR"},
        {"k15", "K15", "", "txtCall"},       // not longer than two characters
        {"kk15", "KK15", "", "txtCall"},     // nothing after the last digit
        {"abc5", "ABC5", "", "txtCall"},     // no digit yet
        {"4xa5", "4XA5", "", "txtCall"},     // the first character is not looked at
        {"k1ab/5", "K1AB/5", "", "txtCall"}, // a "/" marks no complete call
    };
    for (const Case& c : cases) {
        w.ClearEntry();
        keys(c.typed);
        EXPECT_EQ(w.txtCall.Text(), c.call) << c.typed;
        EXPECT_EQ(w.txtRSTR.Text(), c.serial) << c.typed;
        EXPECT_EQ(focusName(w), c.focus) << c.typed;
        EXPECT_EQ(tylog::Run.PendingKeyTarget, 0) << c.typed;
    }

    // The digit replaces a serial already there, the caret after it.
    w.ClearEntry();
    keys("k1ab");
    w.txtRSTR.setText("77");
    keys("5");
    EXPECT_EQ(w.txtRSTR.Text(), "5");
    EXPECT_EQ(w.txtRSTR.SelStart(), 1);
    EXPECT_EQ(w.txtCall.Text(), "K1AB");
    // With the caret inside the call the digit goes into it.
    w.ClearEntry();
    keys("k1ab");
    key(Qt::Key_Left);
    keys("5");
    EXPECT_EQ(w.txtCall.Text(), "K1A5B");
    EXPECT_EQ(focusName(w), "txtCall");
}

TEST_F(InfrmEntryTest, SpaceAndLettersMoveOnAndNoBlankIsTyped) {
    InfrmWindow& w = open();
    struct Case {
        const char* typed; // from an empty line, the focus in the call box
        const char* serial;
        const char* spc;
        const char* county;
        const char* focus;
    };
    const Case cases[] = {
        {"k1abc 12", "12", "", "", "txtRSTR"},
        {"k1abc 12 ", "12", "TY", "", "txtCntry"}, // the host state offered
        {"k1abc 12  ", "12", "TY", "", "txtSec"},  // and taken with Space
        {"k1abc12  lar", "12", "TY", "Larkmoor", "txtSec"},
        {"k1abc12oh", "12", "OH", "", "txtCntry"},    // a letter in the serial box starts the St / Prv / Country
        {"k1abc12 ny", "12", "NY", "", "txtCntry"},   // a letter types over the offer
        {"k1abc12oh ", "12", "OH", "", "txtCall"},    // on to the county box, which sends it back
        {"k1abc12 c ", "12", "C ", "", "txtCntry"},   // a blank after one character is typed
        {"k1abc12 ty lar", "12", "TY", "Larkmoor", "txtSec"},
        {"dl1ab5", "5", "Germany", "", "txtRSTR"},    // the country from the call's prefix
        {"dl1ab5  ", "5", "Germany", "", "txtCall"},
    };
    for (const Case& c : cases) {
        w.ClearEntry();
        keys(c.typed);
        EXPECT_EQ(w.txtRSTR.Text(), c.serial) << c.typed;
        EXPECT_EQ(w.txtCntry.Text(), c.spc) << c.typed;
        EXPECT_EQ(w.txtSec.Text(), c.county) << c.typed;
        EXPECT_EQ(focusName(w), c.focus) << c.typed;
        EXPECT_EQ(tylog::Run.PendingKeyTarget, 0) << c.typed;
    }

    // A letter from the serial box drops what the St / Prv / Country box held and leaves the serial.
    w.ClearEntry();
    keys("k1abc 12");
    w.txtCntry.setText("Germany");
    keys("a");
    EXPECT_EQ(w.txtCntry.Text(), "A");
    EXPECT_EQ(w.txtCntry.SelStart(), 1);
    EXPECT_EQ(w.txtRSTR.Text(), "12");
}

TEST_F(InfrmEntryTest, ContactsAreLoggedKeyboardFirst) {
    InfrmWindow& w = open();
    struct Case {
        const char* typed;
        const char* call;
        const char* serial;
        const char* spc;
        const char* county;
    };
    const Case cases[] = {
        {"n0abc7  lar\r", "N0ABC", "7", "TY", "Larkmoor"}, // Enter in the county box
        {"k1abc3oh\r", "K1ABC", "3", "OH", ""},            // in the St / Prv / Country box
        {"ja1xyz5\r", "JA1XYZ", "5", "Japan", ""},         // in the serial box
        {"dl1ab9  \r", "DL1AB", "9", "Germany", ""},       // in the call box, where the county box sent it
        {"ve3abc12  \r", "VE3ABC", "12", "ON", ""},        // the province from the call
    };
    int n = 0;
    for (const Case& c : cases) {
        keys(c.typed);
        ASSERT_EQ(ContactLog.Count, ++n) << c.typed << ": " << w.lblDialog.Caption().toStdString();
        const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(n)];
        EXPECT_EQ(r.Call, c.call) << c.typed;
        EXPECT_EQ(r.SerialRcvd, c.serial) << c.typed;
        EXPECT_EQ(r.Spc, c.spc) << c.typed;
        EXPECT_EQ(r.County, c.county) << c.typed;
        EXPECT_EQ(focusName(w), "txtCall") << c.typed;
        EXPECT_EQ(w.txtCall.Text(), "") << c.typed;
    }
}

TEST_F(InfrmEntryTest, EnterOnAnEmptyLineLeavesItAsItWas) {
    InfrmWindow& w = InfrmFixture::open();
    w.txtCall.SetFocus();
    const int beeps = Fakes().dialogs.beeps;
    keys("\r");
    // The Time On reminder, three boxes wanting and the section check of the empty box.
    EXPECT_EQ(Fakes().dialogs.beeps, beeps + 5);
    EXPECT_EQ(w.lblDialog.Caption(), "Invald Section!");
    EXPECT_EQ(focusName(w), "txtCntry");
    EXPECT_EQ(w.txtCntry.Text(), "") << "the box the commit visits offers nothing";
    EXPECT_EQ(ContactLog.Count, 0);
}

// Coming back into the call box: the edit buttons a click in the list showed go, an empty call box
// starts afresh (no serial left over) and gets the recent list back from the earlier contacts of the
// call it left; a call still in the box keeps both.
TEST_F(InfrmEntryTest, EnteringTheCallBoxHidesEditAndAnEmptyOneStartsAfresh) {
    Station.ListPreviousOption = 1;
    InfrmWindow& w = open(Contact({.call = "K1OUT", .spc = "OH", .county = ""}) +
                          Contact({.call = "W9ZZ", .spc = "IL", .county = ""}) +
                          Contact({.call = "K1OUT", .spc = "OH", .county = "", .band = "40"}));
    ASSERT_EQ(w.ListView1.ItemCount(), 3);
    keys("k1out 12");
    ASSERT_EQ(w.ListView1.ItemCount(), 2) << "the earlier contacts of K1OUT";
    QTreeWidget* t = w.ListView1.tree();
    auto clickList = [&] {
        QTest::mouseClick(t->viewport(), Qt::LeftButton, Qt::NoModifier, t->visualItemRect(t->topLevelItem(0)).center());
        ASSERT_TRUE(w.cmdEdit.Visible());
        ASSERT_TRUE(w.cmdDelete.Visible());
    };
    clickList();
    QTest::mouseClick(w.txtCall.widget(), Qt::LeftButton);
    ASSERT_EQ(focusName(w), "txtCall");
    EXPECT_FALSE(w.cmdEdit.Visible());
    EXPECT_FALSE(w.cmdDelete.Visible());
    EXPECT_EQ(w.txtRSTR.Text(), "12");
    EXPECT_EQ(w.ListView1.ItemCount(), 2);

    // The call rubbed out, the serial box visited, and back.
    for (int i = 0; i < 5; ++i) key(Qt::Key_Backspace);
    keys(" ");
    ASSERT_EQ(focusName(w), "txtRSTR");
    EXPECT_EQ(w.txtRSTR.Text(), "12");
    clickList();
    QTest::mouseClick(w.txtCall.widget(), Qt::LeftButton);
    ASSERT_EQ(focusName(w), "txtCall");
    EXPECT_FALSE(w.cmdEdit.Visible());
    EXPECT_EQ(w.txtRSTR.Text(), "");
    ASSERT_EQ(w.ListView1.ItemCount(), 3);
    EXPECT_EQ(w.ListView1.ItemText(0), "3");
}

// "&Recall" puts the last contact back: its call and serial, and, through the call box's leave, its
// St / Prv / Country and county; a host-state station waits in the county box, whole county selected,
// for Enter (here a rover's next county), anyone else goes back to the call box.
TEST_F(InfrmEntryTest, RecallPutsTheLastContactBack) {
    InfrmWindow& w = open();
    w.mnuRecall.action()->trigger();
    EXPECT_EQ(w.txtCall.Text(), "") << "an empty log recalls nothing";
    EXPECT_EQ(focusName(w), "txtCall");

    keys("n0abc12  lar\r");
    ASSERT_EQ(ContactLog.Count, 1);
    Station.CurrentCounty = "Ambervale";
    w.mnuRecall.action()->trigger();
    EXPECT_EQ(w.txtCall.Text(), "N0ABC");
    EXPECT_EQ(w.txtRSTR.Text(), "12");
    EXPECT_EQ(w.txtCntry.Text(), "TY");
    EXPECT_EQ(w.txtSec.Text(), "Larkmoor");
    EXPECT_EQ(focusName(w), "txtSec");
    EXPECT_EQ(w.txtSec.SelStart(), 0);
    EXPECT_EQ(w.txtSec.SelLength(), 8);
    keys("\r");
    ASSERT_EQ(ContactLog.Count, 2) << w.lblDialog.Caption().toStdString();
    EXPECT_EQ(ContactLog.Rec[2].Call, "N0ABC");
    EXPECT_EQ(ContactLog.Rec[2].SerialRcvd, "12");
    EXPECT_EQ(ContactLog.Rec[2].County, "Larkmoor");
    EXPECT_EQ(ContactLog.Rec[2].SentCounty, "Ambervale");

    keys("k1abc7oh\r");
    ASSERT_EQ(ContactLog.Count, 3);
    w.mnuRecall.action()->trigger();
    EXPECT_EQ(w.txtCall.Text(), "K1ABC");
    EXPECT_EQ(w.txtRSTR.Text(), "7");
    EXPECT_EQ(w.txtCntry.Text(), "OH");
    EXPECT_EQ(w.txtSec.Text(), "");
    EXPECT_EQ(focusName(w), "txtCall");
    EXPECT_FALSE(w.lblStation[4].Enabled());
}

TEST_F(InfrmEntryTest, TheRoversReplayLogsEveryCountyFromEachBox) {
    Station.RoverFlag = 1;
    InfrmWindow& w = open(Contact({.call = "N0TYS", .county = "Ambervale", .sentCounty = "Alderbrook"}));
    for (const char* c : {"Alderbrook", "Larkmoor"}) frmCountyChangeRover().List1.AddItem(c);
    // Enter in the call box (where the county box sent it), and in the St / Prv / Country box.
    for (const char* typed : {"k1abc7oh \r", "w2xyz7oh\r"}) {
        const int before = ContactLog.Count;
        keys(typed);
        ASSERT_EQ(ContactLog.Count, before + 2) << typed << ": " << w.lblDialog.Caption().toStdString();
        EXPECT_EQ(ContactLog.Rec[static_cast<size_t>(before + 2)].SentCounty, "Alderbrook") << typed;
        EXPECT_EQ(ContactLog.Rec[static_cast<size_t>(before + 2)].Spc, "OH") << typed;
    }
    // A duplicate on the way ends the replay: the county box it passes sends nobody back.
    frmCountyChangeRover().List1.Clear();
    for (const char* c : {"Alderbrook", "Ambervale", "Larkmoor"}) frmCountyChangeRover().List1.AddItem(c);
    const int before = ContactLog.Count;
    keys("n0tys7  \r");
    EXPECT_EQ(ContactLog.Count, before + 1);
    EXPECT_EQ(ContactLog.Rec[static_cast<size_t>(before + 1)].SentCounty, "Larkmoor");
    EXPECT_TRUE(tylog::Run.DupeFlag);
    EXPECT_EQ(Station.CurrentCounty, "Larkmoor");
}

// ---- Call box messages and duplicates -------------------------------------------------------------

TEST_F(InfrmEntryTest, TheCallBoxAsksForTimeOnOnEveryKeyUntilTheClockRuns) {
    InfrmWindow& w = InfrmFixture::open();
    w.txtCall.SetFocus();
    const int beeps = Fakes().dialogs.beeps;
    keys("k1");
    EXPECT_EQ(Fakes().dialogs.beeps, beeps + 2);
    EXPECT_EQ(w.lblDialog.Caption(), "Click Log \"Time On\"!");
    // Once it runs, the first keys of a call clear the line.
    w.cmdLogOn_Click();
    keys("a");
    EXPECT_EQ(w.lblDialog.Caption(), " ");
    EXPECT_EQ(Fakes().dialogs.beeps, beeps + 2);
    // The partial-duplicate line takes the size of the window's font.
    EXPECT_DOUBLE_EQ(w.lblDupe.FontSize(), Fakes().screen.width * 9 / 9600);
}

TEST_F(InfrmEntryTest, WarningsOfTheCallBoxStandWhenTheKeyLeavesIt) {
    InfrmWindow& w = open(Contact({.call = "K1ABC", .spc = "OH", .county = ""}));
    // Space and the digit jump leave the box; the earlier contact's warning is what the line shows.
    for (const char* typed : {"k1abc ", "k1abc5"}) {
        w.ClearEntry();
        keys(typed);
        EXPECT_EQ(w.lblDialog.Caption(), "Dupe if not rover!  K1ABC  09/15  14:01:02   Rec#  1") << typed;
        EXPECT_EQ(w.lblDialog.BackColor(), 0x0000FF) << typed;
        EXPECT_EQ(w.txtCntry.Text(), "OH") << typed;
    }
    // Enter in the call box: the commit's own message stands.
    w.ClearEntry();
    keys("dl1ab\r");
    EXPECT_EQ(w.lblDialog.Caption(), "Need Serial!");
    EXPECT_EQ(focusName(w), "txtRSTR");
}

TEST_F(InfrmEntryTest, TheKeyAfterARefusedDuplicateWaitsOutTheHold) {
    InfrmWindow& w = open(Contact({.call = "N0ABC"}));
    // Leaving the call box on a host-state station worked in this slot refuses it at once.
    const std::uint32_t t0 = Fakes().clock.TimeGetTime();
    keys("n0abc ");
    EXPECT_TRUE(w.lblDialog.Caption().startsWith("Duplicate N0ABC")) << w.lblDialog.Caption().toStdString();
    EXPECT_EQ(w.txtCall.Text(), "");
    EXPECT_EQ(focusName(w), "txtCall");
    EXPECT_EQ(Fakes().clock.TimeGetTime(), t0) << "the Space that left the box does not wait";
    Fakes().clock.Advance(1000);
    keys("w");
    EXPECT_EQ(Fakes().clock.TimeGetTime(), t0 + 3000);
    EXPECT_FALSE(tylog::Run.DupeFlag);
    keys("1");
    EXPECT_EQ(Fakes().clock.TimeGetTime(), t0 + 3000);
    EXPECT_EQ(w.txtCall.Text(), "W1");
}

// ---- St / Prv / Country ------------------------------------------------------------------------------

TEST_F(InfrmEntryTest, TheCallsPrefixNamesCountryContinentBearingAndDistance) {
    InfrmWindow& w = open();
    struct Case {
        const char* call;
        const char* spc;
        const char* continent;
        const char* row; // the prefix table row giving the position; nullptr: no bearing
    };
    const Case cases[] = {
        {"dl1ab", "Germany", "EU", "DL"},
        {"dl1ab/m", "Germany", "EU", "DL"},   // a one-letter mark is no country
        {"k1abc/dl", "Germany", "EU", "DL"},  // a short part after "/" is
        {"kl7aa", "AK", "NA", "KL"},          // the prefix row's position, not the state's
        {"kh6aa", "HI", "OC", "KH6"},
        {"kg4ab", "Guantanamo Bay", "NA", "KG4"},
        {"kg4abc", "", "NA", "K"},            // a US station: the first USA row
        {"k1abc", "", "NA", nullptr},         // the operator types the state
        {"q1abc", "Not Found", "", nullptr},
    };
    for (const Case& c : cases) {
        w.ClearEntry();
        keys(c.call);
        EXPECT_EQ(w.txtCntry.Text(), c.spc) << c.call;
        EXPECT_EQ(w.txtCntry.SelLength(), w.txtCntry.Text().size()) << c.call;
        EXPECT_EQ(w.Label19.Caption(), c.continent) << c.call;
        if (c.row) {
            const size_t r = prefixRow(c.row);
            EXPECT_EQ(w.Label22.Caption(), bearingTo(PrefixTable.Latitude[r], PrefixTable.Longitude[r])) << c.call;
            EXPECT_FALSE(w.Label23.Caption().isEmpty()) << c.call;
        } else {
            EXPECT_EQ(w.Label22.Caption(), "") << c.call;
            EXPECT_EQ(w.Label23.Caption(), "") << c.call;
        }
        EXPECT_EQ(Keyer.CWMacroCall, w.txtCall.Text()) << c.call;
    }

    // The second key of a call replaces the first one's country, or drops it for a US call.
    w.ClearEntry();
    keys("gm");
    EXPECT_EQ(w.txtCntry.Text(), "Scotland");
    EXPECT_EQ(w.Label19.Caption(), "EU");
    w.ClearEntry();
    keys("g");
    EXPECT_EQ(w.txtCntry.Text(), "England");
    key(Qt::Key_Home);
    keys("w");
    EXPECT_EQ(w.txtCall.Text(), "WG");
    EXPECT_EQ(w.txtCntry.Text(), "");
    EXPECT_EQ(w.Label19.Caption(), "NA");
    EXPECT_EQ(w.Label22.Caption(), "");

    // At the station's own position there is no bearing: both labels stay empty.
    const size_t dl = prefixRow("DL");
    Station.OwnLatitude = PrefixTable.Latitude[dl];
    Station.OwnLongitude = PrefixTable.Longitude[dl];
    w.ClearEntry();
    keys("dl1ab");
    EXPECT_EQ(w.Label19.Caption(), "EU");
    EXPECT_EQ(w.Label22.Caption(), "");
    EXPECT_EQ(w.Label23.Caption(), "");
}

TEST_F(InfrmEntryTest, StatesAreCapitalsAndCountriesComplete) {
    InfrmWindow& w = open();
    struct Case {
        const char* typed; // into the St / Prv / Country box, the host state offered
        const char* text;
        int selStart, selLength;
    };
    const Case cases[] = {
        {"ny", "NY", 2, 0},
        {"can", "Canada", 3, 3},           // the last row's country that begins so
        {"germ", "Germany", 4, 3},
        {"new", "New Zealand", 3, 8},
        {"new ", "New Zealand", 4, 7},     // the blank of a two-word name
        {"xqz", "Xqz", 3, 0},              // a third letter makes a name of the first two
        {"c ", "C ", 2, 0},
    };
    for (const Case& c : cases) {
        w.txtCntry.setText(QString());
        w.txtCall.SetFocus();
        w.txtCntry.SetFocus();
        EXPECT_EQ(w.txtCntry.Text(), "TY");
        EXPECT_EQ(w.txtCntry.SelLength(), 2);
        keys(c.typed);
        EXPECT_EQ(w.txtCntry.Text(), c.text) << c.typed;
        EXPECT_EQ(w.txtCntry.SelStart(), c.selStart) << c.typed;
        EXPECT_EQ(w.txtCntry.SelLength(), c.selLength) << c.typed;
        EXPECT_EQ(focusName(w), "txtCntry") << c.typed;
    }

    // A state: continent and position from the state table, and no county.
    w.txtCntry.setText(QString());
    keys("ny");
    const size_t ny = stateRow("NY");
    EXPECT_EQ(w.Label19.Caption(), "NA");
    EXPECT_EQ(w.Label22.Caption(), bearingTo(StateCoordTable.Latitude[ny], StateCoordTable.Longitude[ny]));
    EXPECT_FALSE(w.lblStation[4].Enabled());
    w.txtCntry.setText("ty");
    EXPECT_TRUE(w.lblStation[4].Enabled());
    // A completed country: its row's continent and position.
    w.txtCntry.setText(QString());
    keys("jap");
    const size_t ja = prefixRow("JA");
    EXPECT_EQ(w.Label19.Caption(), "AS");
    EXPECT_EQ(w.Label22.Caption(), bearingTo(PrefixTable.Latitude[ja], PrefixTable.Longitude[ja]));
    // A blank that continues no name accepts it and moves on.
    keys(" ");
    EXPECT_EQ(w.txtCntry.Text(), "Japan");
    EXPECT_NE(focusName(w), "txtCntry");
}

TEST_F(InfrmEntryTest, NewMarksADXCountryNotWorkedOnTheBand) {
    InfrmWindow& w = open(Contact({.call = "DL1AB", .spc = "Germany", .county = ""}));
    struct Case {
        const char* call;
        const char* band;
        bool shown;
    };
    const Case cases[] = {
        {"dl2xy", "20", false}, {"dl2xy", "40", true}, {"dl2xy", "2", true}, // a band without a list
        {"ja1ab", "20", true},  {"kh6aa", "20", false},                      // "HI" is a state
        {"q1abc", "20", false},                                              // "Not Found"
    };
    for (const Case& c : cases) {
        Station.CurrentBand = c.band;
        w.ClearEntry();
        keys(c.call);
        EXPECT_EQ(w.Label3.Visible(), c.shown) << c.call << " on " << c.band;
    }
    // A band change while the call stands asks again.
    w.ClearEntry();
    Station.CurrentBand = "20";
    keys("dl2xy");
    Station.CurrentBand = "40";
    w.txtCntry_Change();
    EXPECT_TRUE(w.Label3.Visible());
}

// A band or mode picked while a call stands asks "New" again: on the new band, and after the reload
// the change makes.
TEST_F(InfrmEntryTest, BandAndModeChoicesAskNewAgainWhileACallStands) {
    InfrmWindow& w = open(Contact({.call = "DL1AB", .spc = "Germany", .county = ""}));
    keys("dl2xy");
    ASSERT_EQ(w.txtCntry.Text(), "Germany");
    ASSERT_FALSE(w.Label3.Visible());
    const auto click = [](vb::Label& l) { QTest::mouseClick(l.widget(), Qt::LeftButton); };
    const auto workedBehindTheWindow = [this](const char* band) {
        folder.write("log.txt", folder.read("log.txt") + Contact({.call = "DL3AB", .spc = "Germany", .county = "", .band = band}));
    };
    struct Case {
        const char* what;
        std::function<void()> choose;
        const char *band, *mode;
        bool shown;
    };
    const Case cases[] = {
        {"band item", [&] { w.mnuBand40Ch.action()->trigger(); }, "40", "PH", true},
        {"band label", [&] { click(w.Label24); }, "20", "PH", false},
        {"band label again", [&] { click(w.Label24); }, "15", "PH", true},
        // Germany on 15 reaches log.txt behind the window: the mode's reload finds it.
        {"mode item", [&] { workedBehindTheWindow("15"); w.mnu160.action()->trigger(); }, "15", "CW", false},
        {"band item 10", [&] { w.mnuBand10Ch.action()->trigger(); }, "10", "CW", true},
        {"mode label", [&] { workedBehindTheWindow("10"); click(w.Label30); }, "10", "PH", false},
    };
    for (const Case& c : cases) {
        c.choose();
        EXPECT_EQ(Station.CurrentBand, c.band) << c.what;
        EXPECT_EQ(Station.CurrentMode, c.mode) << c.what;
        EXPECT_EQ(w.Label3.Visible(), c.shown) << c.what;
    }
    EXPECT_EQ(w.txtCall.Text(), "DL2XY");
}

// ---- County ------------------------------------------------------------------------------------------

TEST_F(InfrmEntryTest, TheCountyBoxTakesOnlyHostStateStationsAndCompletes) {
    InfrmWindow& w = open();
    // Anyone outside the host state is sent back to the call box, however the box is entered.
    w.txtCntry.setText("OH");
    w.txtSec.SetFocus();
    EXPECT_EQ(focusName(w), "txtCall");
    EXPECT_FALSE(w.lblStation[4].Enabled());

    w.txtCntry.setText("TY");
    struct Case {
        const char* typed; // into the empty county box
        const char* text;
        int selStart, selLength;
    };
    const Case cases[] = {
        {"l", "Lindale City", 1, 11}, // the last row that begins so
        {"lar", "Larkmoor", 3, 5},
        {"san", "San Teodoro", 3, 8},
        {"san ", "San Teodoro", 4, 7}, // a blank right after a leading San is typed
        {"san m", "San Mirel", 5, 4},  // and the letter after it is a capital
        {"xq", "Xq", 2, 0},            // no county: as typed
    };
    for (const Case& c : cases) {
        w.txtSec.setText(QString());
        w.txtSec.SetFocus();
        keys(c.typed);
        EXPECT_EQ(w.txtSec.Text(), c.text) << c.typed;
        EXPECT_EQ(w.txtSec.SelStart(), c.selStart) << c.typed;
        EXPECT_EQ(w.txtSec.SelLength(), c.selLength) << c.typed;
        EXPECT_EQ(focusName(w), "txtSec") << c.typed;
    }
    EXPECT_TRUE(w.lblStation[4].Enabled());
    // Space accepts a completion, or ends the text, and moves on in tab order: past the hidden
    // post-contest boxes out of the entry line, or to the time box when post-contest mode is on.
    for (bool postContest : {false, true}) {
        if (postContest) w.mnuPostContest_Click();
        for (const char* typed : {"lar ", "larkmoor "}) {
            w.txtSec.setText(QString());
            w.txtSec.SetFocus();
            keys(typed);
            EXPECT_EQ(w.txtSec.Text(), "Larkmoor") << typed;
            if (postContest) {
                EXPECT_EQ(focusName(w), "txtPostConTime") << typed;
                continue;
            }
            ASSERT_NE(w.ActiveControl(), nullptr) << typed;
            EXPECT_TRUE(w.ActiveControl()->Visible()) << focusName(w).toStdString();
            for (vb::TextBox* b : {&w.txtCall, &w.txtRSTR, &w.txtCntry, &w.txtSec, &w.txtPostConTime,
                                   &w.txtPostConDate, &w.txtRSTS})
                EXPECT_NE(w.ActiveControl(), b) << typed << " " << b->Name.toStdString();
        }
    }
}

// ---- Spoken cues, CW macros, keyboard map, pasting -------------------------------------------------

TEST_F(InfrmEntryTest, FieldsSpeakByNavigationLevel) {
    for (const char* cueName : {"Call", "SerNum", "SPC", "County"}) folder.write(QString(cueName) + ".wav", FakeSound::Wave(300));
    InfrmWindow& w = open();
    struct Case {
        int level;
        const char* typed;
        QStringList cues;
    };
    const Case cases[] = {
        {0, "n0abc 12  ", {}},
        {1, "n0abc 12  ", {"Call"}},
        {2, "n0abc 12  ", {"Call", "SerNum", "SPC", "County"}},
        {2, "dl1ab 12  ", {"Call", "SerNum", "SPC", "Call", "County"}}, // sent back, still spoken
    };
    for (const Case& c : cases) {
        Station.VoiceNavLevel = static_cast<std::uint8_t>(c.level);
        BlindFrm();
        w.ClearEntry();
        w.cmdLogOn.SetFocus();
        Fakes().sound.played.clear();
        w.txtCall.SetFocus();
        keys(c.typed);
        EXPECT_EQ(PlayedNames(), c.cues) << c.level << " " << c.typed;
    }
}

TEST_F(InfrmEntryTest, TheLineFeedsTheCWMacros) {
    InfrmWindow& w = open();
    keys("k1ab");
    EXPECT_EQ(Keyer.CWMacroCall, "K1AB");
    w.txtRSTS.setText("599");
    EXPECT_EQ(Keyer.CWMacroRst, "599");
    w.Label25.setCaption("Lowater");
    EXPECT_EQ(Keyer.CWMacroCounty, "Lowater");
    keys("\x1b");
    EXPECT_EQ(Keyer.CWMacroCall, "");
}

TEST_F(InfrmEntryTest, KeyboardMapInState) {
    InfrmWindow& w = open();
    Station.CurrentMode = "CW";
    Keyer.CWKeyingType = 1;
    key(Qt::Key_F12);
    EXPECT_EQ(w.lblDialog.Caption(), "Press F12 to exit keyboard CW mode.");
    EXPECT_EQ(w.lblDialog.BackColor(), KeyboardCWBackColor);
    key(Qt::Key_F12);
    EXPECT_EQ(w.lblDialog.Caption(), "");

    // Quote marks never reach a box; Esc empties the whole line.
    keys("k\"1'ab 5 oh");
    EXPECT_EQ(w.txtCall.Text(), "K1AB");
    EXPECT_EQ(w.txtCntry.Text(), "OH");
    keys("\x1b");
    for (vb::TextBox* b : {&w.txtCall, &w.txtRSTR, &w.txtCntry, &w.txtSec}) EXPECT_EQ(b->Text(), "") << b->Name.toStdString();
    for (vb::Label* l : {&w.Label19, &w.Label22, &w.Label23}) EXPECT_EQ(l->Caption(), "") << l->Name.toStdString();
    EXPECT_EQ(focusName(w), "txtCall");
}

TEST_F(InfrmEntryTest, PastedTextTakesTheKeysPathAndDropsAreRefused) {
    InfrmWindow& w = open();
    w.mnuPostContest_Click();
    const QString clip = QString::fromUtf8("k\"1'\u0436ab5");
    vb::TextBox* boxes[] = {&w.txtCall, &w.txtRSTR, &w.txtCntry, &w.txtSec, &w.txtPostConTime, &w.txtPostConDate};
    for (vb::TextBox* box : boxes) {
        for (bool drop : {false, true}) {
            w.ClearEntry();
            w.txtCntry.setText("TY"); // lets the county box keep the focus
            box->SetFocus();
            box->setText(QString());
            if (drop) {
                QMimeData mime;
                mime.setText(clip);
                QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(box->lineEdit(), &enter);
                QDropEvent e(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(box->lineEdit(), &e);
            } else {
                Fakes().clipboard.text = clip;
                QTest::keyClick(box->lineEdit(), Qt::Key_Insert, Qt::ShiftModifier);
            }
            QString all;
            for (vb::TextBox* b : boxes) all += b->Text();
            const std::string what = box->Name.toStdString() + (drop ? " drop" : " paste");
            EXPECT_FALSE(all.contains('"')) << what;
            EXPECT_FALSE(all.contains('\'')) << what;
            EXPECT_EQ(FromAnsi(ToAnsi(all)), all) << what;
            if (drop) { EXPECT_EQ(all, box == &w.txtCntry ? "" : "TY") << what; }
        }
    }
    // Pasted into the call box, the digit after the call went to the serial as a typed one does.
    w.ClearEntry();
    Fakes().clipboard.text = "k1ab5";
    QTest::keyClick(w.txtCall.lineEdit(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(w.txtCall.Text(), "K1AB");
    EXPECT_EQ(w.txtRSTR.Text(), "5");
}

// ---- Post-contest entry ------------------------------------------------------------------------------

TEST_F(InfrmEntryTest, PostContestContactsTakeTheirOwnDateAndTime) {
    InfrmWindow& w = open();
    auto shown = [&w] {
        return w.lblPostConDate.Visible() && w.txtPostConDate.Visible() && w.lblPostConTime.Visible() &&
               w.txtPostConTime.Visible();
    };
    EXPECT_FALSE(w.txtPostConTime.Visible());
    w.mnuPostContest.action()->trigger();
    EXPECT_TRUE(shown());
    EXPECT_TRUE(w.mnuPostContest.Checked());

    // The empty date box offers today's local date, selected.
    w.txtPostConDate.SetFocus();
    EXPECT_EQ(w.txtPostConDate.Text(), "2013/09/15");
    EXPECT_EQ(w.txtPostConDate.SelLength(), 10);
    keys("2013-9/14x.");
    EXPECT_EQ(w.txtPostConDate.Text(), "20139/14") << "only digits and \"/\"";
    w.txtPostConDate.setText("2013/9/14");
    w.txtPostConTime.SetFocus();
    keys("9.3/0:");
    EXPECT_EQ(w.txtPostConTime.Text(), "930:");
    w.txtPostConTime.setText("930");

    // "930" is stored as "09:30", the date written out.
    w.txtCall.SetFocus();
    keys("n0abc7  lar");
    w.txtPostConTime.SetFocus();
    keys("\r");
    ASSERT_EQ(ContactLog.Count, 1);
    EXPECT_EQ(ContactLog.Rec[1].Date, "2013/09/14");
    EXPECT_EQ(ContactLog.Rec[1].Time, "09:30");
    EXPECT_EQ(w.txtPostConTime.Text(), "09:30");

    struct Bad {
        const char* date;
        const char* time;
        const char* message;
    };
    for (const Bad& b : {Bad{"2013/13/40", "0930", "Invalid date format!"}, Bad{"2013/09/14", "2561", "Invalid time format!"}}) {
        w.txtPostConDate.setText(b.date);
        w.txtPostConTime.setText(b.time);
        w.txtCall.SetFocus();
        const int beeps = Fakes().dialogs.beeps;
        keys("n0xyz7  lar\r");
        EXPECT_EQ(w.lblDialog.Caption(), b.message);
        EXPECT_EQ(Fakes().dialogs.beeps, beeps + 1);
        EXPECT_EQ(ContactLog.Count, 1);
        w.ClearEntry();
    }

    // Space in the time box moves on to the date box; the date box's text is kept, selection and all.
    w.txtPostConDate.setText("2013/09/14");
    w.txtPostConTime.SetFocus();
    keys(" ");
    EXPECT_EQ(focusName(w), "txtPostConDate");
    EXPECT_EQ(w.txtPostConDate.Text(), "2013/09/14");

    // Off: the clock's UTC again; on again: the texts are still there.
    w.mnuPostContest.action()->trigger();
    EXPECT_FALSE(shown());
    w.txtCall.SetFocus();
    keys("n0xyz7  lar\r");
    ASSERT_EQ(ContactLog.Count, 2);
    EXPECT_EQ(ContactLog.Rec[2].Time, "14:01:02");
    w.mnuPostContest.action()->trigger();
    EXPECT_EQ(w.txtPostConDate.Text(), "2013/09/14");
}

} // namespace
