// The entry line, the duplicate checks and post-contest entry of the out-of-state window, typed key by
// key into the focused box.
#include "keying/BlindFrm.h"
#include "keying/KeyerState.h"
#include "logstore/CountyTable.h"
#include "platform/TextFile.h"
#include "tests/logging/EntryFixture.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

using namespace tylog;
using namespace tylog::testing;

namespace {

// ---- Entry line --------------------------------------------------------------------------------

TEST_F(EntryTest, KeysMoveBetweenTheBoxes) {
    OutfrmWindow& w = open();
    struct Case {
        const char* typed; // from an empty line, the focus in the call box
        const char* call;
        const char* serial;
        const char* county;
        const char* focus;
    };
    const Case cases[] = {
        {"k1abc5", "K1ABC", "5", "", "txtRSTR"},
        {"k1abc57", "K1ABC", "57", "", "txtRSTR"},
        {"k1abc/m5", "K1ABC/M5", "", "", "txtCall"}, // "/" marks no complete call
        {"k15", "K15", "", "", "txtCall"},           // two characters
        {"4u1un1", "4U1UN", "1", "", "txtRSTR"},     // the first character is not looked at
        {"k1abc 12 ", "K1ABC", "12", "", "txtSec"},
        {"k1abc 1x2", "K1ABC", "1", "X2", "txtSec"}, // a letter takes the serial box's place to the county
        {"k1abc12l", "K1ABC", "12", "Lindale City", "txtSec"},
        {"k1abc12lar", "K1ABC", "12", "Larkmoor", "txtSec"},
    };
    for (const Case& c : cases) {
        w.ClearEntry();
        keys(c.typed);
        EXPECT_EQ(w.txtCall.Text(), c.call) << c.typed;
        EXPECT_EQ(w.txtRSTR.Text(), c.serial) << c.typed;
        EXPECT_EQ(w.txtSec.Text(), c.county) << c.typed;
        EXPECT_EQ(focusName(w), c.focus) << c.typed;
        EXPECT_EQ(tylog::Run.PendingKeyTarget, 0) << c.typed;
    }

    // The digit that ends a call starts a new serial, whatever the box held; the caret stands after it.
    w.ClearEntry();
    keys("k1abc");
    w.txtRSTR.setText("77");
    keys("5");
    EXPECT_EQ(w.txtRSTR.Text(), "5");
    EXPECT_EQ(w.txtRSTR.SelStart(), 1);
    // A call that ends in a digit takes the next digit too.
    w.ClearEntry();
    w.txtCall.setText("K1A2");
    w.txtCall.setSelStart(4);
    keys("5");
    EXPECT_EQ(w.txtCall.Text(), "K1A25");
    EXPECT_EQ(focusName(w), "txtCall");
    // A digit typed inside the call stays in it.
    w.ClearEntry();
    keys("k1abc");
    key(Qt::Key_Home);
    keys("5");
    EXPECT_EQ(w.txtCall.Text(), "5K1ABC");
}

TEST_F(EntryTest, CountyCompletesFromTheLastMatchingRow) {
    OutfrmWindow& w = open();
    struct Case {
        const char* typed; // into the empty county box
        const char* text;
        int selStart, selLength;
    };
    const Case cases[] = {
        {"l", "Lindale City", 1, 11},   // Larkmoor .. Lowater come earlier in the table
        {"la", "Lakemont City", 2, 11}, // the typed letters keep their case
        {"lar", "Larkmoor", 3, 5},
        {"s", "Stavely City", 1, 11},
        {"san", "San Teodoro", 3, 8},
        {"san ", "San Teodoro", 4, 7}, // a blank right after a leading San is typed
        {"san m", "San Mirel", 5, 4},  // a letter after a blank is upper-cased
        {"xq", "Xq", 2, 0},            // no county: typed as it comes
        {"lar\b", "Lar", 3, 0},        // Backspace takes the completion away
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

    // A blank accepts a completion of two or more characters and moves on in tab order: to the
    // post-contest time box when that mode is on. So does a blank at the end of the text.
    w.mnuPostContest_Click();
    w.txtSec.setText(QString());
    w.txtSec.SetFocus();
    keys("lar ");
    EXPECT_EQ(w.txtSec.Text(), "Larkmoor");
    EXPECT_EQ(focusName(w), "txtPostConTime");
    w.txtSec.SetFocus();
    w.txtSec.setSelStart(8);
    keys(" ");
    EXPECT_EQ(w.txtSec.Text(), "Larkmoor");
    EXPECT_EQ(focusName(w), "txtPostConTime");
    // A letter typed with the caret at the start replaces the whole county.
    w.txtSec.SetFocus();
    w.txtSec.setSelStart(0);
    keys("a");
    EXPECT_EQ(w.txtSec.Text(), "Ardenport City");
}

TEST_F(EntryTest, EnterLogsFromEachBoxAndTheLineEmpties) {
    OutfrmWindow& w = open();
    keys("k1abc5 lar\r");
    ASSERT_EQ(ContactLog.Count, 1);
    EXPECT_EQ(ContactLog.Rec[1].Call, "K1ABC");
    EXPECT_EQ(ContactLog.Rec[1].SerialRcvd, "5");
    EXPECT_EQ(ContactLog.Rec[1].County, "Larkmoor");
    EXPECT_EQ(focusName(w), "txtCall");
    EXPECT_EQ(w.txtCall.Text(), "");
    // Enter in the serial box, and in the call box.
    keys("w1aa 7");
    w.txtSec.setText("Lowater");
    w.txtRSTR.SetFocus();
    keys("\r");
    EXPECT_EQ(ContactLog.Count, 2);
    keys("w1bb");
    w.txtRSTR.setText("8");
    w.txtSec.setText("Lowater");
    w.txtCall.SetFocus();
    keys("\r");
    EXPECT_EQ(ContactLog.Count, 3);
    // The CW macros follow the line: the call box is empty again, the serial to send drops its zeros.
    EXPECT_EQ(Keyer.CWMacroCall, "");
    EXPECT_EQ(w.Label1.Caption(), "004");
    EXPECT_EQ(Keyer.CWMacroSerial, "4");
}

TEST_F(EntryTest, CWMacrosFollowTheBoxes) {
    OutfrmWindow& w = open();
    keys("k1ab");
    EXPECT_EQ(Keyer.CWMacroCall, "K1AB");
    w.txtRSTS.setText("599");
    EXPECT_EQ(Keyer.CWMacroRst, "599");
    const std::pair<const char*, const char*> serials[] = {{"007", "7"}, {" 12 ", "12"}, {"1000", "1000"}, {"A5", "A5"}};
    for (auto [caption, macro] : serials) {
        w.Label1.setCaption(caption);
        EXPECT_EQ(Keyer.CWMacroSerial, macro) << caption;
    }
}

TEST_F(EntryTest, WithTheClockOffEveryCallKeyBeepsAndAsks) {
    folder.write("log.txt", QByteArray());
    Fakes().dialogs.AnswerMsgBox(vbYes);
    OutfrmWindow& w = Outfrm();
    ShowActive(w);
    w.txtCall.SetFocus();
    const int beeps = Fakes().dialogs.beeps;
    keys("k1");
    EXPECT_EQ(Fakes().dialogs.beeps, beeps + 2);
    EXPECT_EQ(w.lblDialog.Caption(), "Click Log \"Time On\"!");
}

TEST_F(EntryTest, EscClearsTheLine) {
    OutfrmWindow& w = open();
    keys("k1abc 12 lar");
    w.lblDialog.setBackColor(0xFF);
    w.txtCntry.setText("x");
    keys("\x1b");
    for (vb::TextBox* b : {&w.txtCall, &w.txtRSTR, &w.txtSec, &w.txtCntry, &w.txtRSTS}) EXPECT_EQ(b->Text(), "") << b->Name.toStdString();
    EXPECT_EQ(w.lblDialog.Caption(), "");
    EXPECT_EQ(w.lblDialog.BackColor(), DialogBackColor);
    EXPECT_EQ(w.lblDupe.BackColor(), DupeEmptyBackColor);
    EXPECT_EQ(focusName(w), "txtCall");
    EXPECT_TRUE(w.lblStation[4].Enabled());
}

TEST_F(EntryTest, RecallBringsBackTheLastContact) {
    OutfrmWindow& w = open();
    w.mnuRecall.RaiseClick(); // an empty log: nothing
    EXPECT_EQ(w.txtCall.Text(), "");
    EXPECT_EQ(focusName(w), "txtCall");

    vb::Unload(w);
    OutfrmWindow& w2 = open(Contact("K1ABC", "Larkmoor") + Contact("W2XYZ", "Lowater", "20", "PH", "14:02:00", "17"));
    w2.txtSec.setText("Kestrel");
    w2.mnuRecall.RaiseClick();
    EXPECT_EQ(w2.txtCall.Text(), "W2XYZ");
    EXPECT_EQ(w2.txtRSTR.Text(), "17");
    EXPECT_EQ(w2.txtSec.Text(), "Kestrel") << "the county box keeps its text";
    EXPECT_EQ(w2.txtSec.SelLength(), 7);
    EXPECT_EQ(focusName(w2), "txtSec");

    vb::Unload(w2);
    OutfrmWindow& w3 = open(Contact("K1ABC", "Larkmoor", "20", "PH", "14:01:02", "A5"));
    w3.mnuRecall.RaiseClick();
    EXPECT_EQ(w3.txtCall.Text(), "K1ABC");
    EXPECT_EQ(w3.txtRSTR.Text(), "") << "a serial that is no number is not recalled";
}

TEST_F(EntryTest, LeavingTheCallBoxWithTheAuthorsCallsAcknowledgesThem) {
    OutfrmWindow& w = open();
    const std::pair<const char*, const char*> cases[] = {
        {"q7bzw ", "Q7BZW, Orrin, wrote this software!  Please say hi!"},
        {"qe9mrl ", "QE9MRL, Tamsin, helped write this software!  Please say hi!"},
    };
    for (auto [typed, text] : cases) {
        w.ClearEntry();
        const int beeps = Fakes().dialogs.beeps;
        keys(typed);
        EXPECT_EQ(w.lblDialog.Caption(), text);
        EXPECT_EQ(w.lblDialog.BackColor(), 0xFFFFC0);
        EXPECT_EQ(Fakes().dialogs.beeps, beeps + 1);
    }
}

TEST_F(EntryTest, FieldsSpeakByNavigationLevel) {
    folder.write("Call.wav", FakeSound::Wave(300));
    folder.write("SERNUM.WAV", FakeSound::Wave(300)); // found whatever its letter case
    folder.write("County.wav", FakeSound::Wave(300));
    OutfrmWindow& w = open();
    const std::pair<int, QStringList> cases[] = {
        {0, {}},
        {1, {"Call"}},
        {2, {"Call", "SERNUM", "County"}},
    };
    for (const auto& [level, prompts] : cases) {
        Station.VoiceNavLevel = static_cast<std::uint8_t>(level);
        BlindFrm(); // loaded (and its level announced) before the fields speak
        w.ClearEntry();
        w.cmdLogOn.SetFocus();
        Fakes().sound.played.clear();
        w.txtCall.SetFocus();
        keys("k1abc 12 ");
        EXPECT_EQ(PlayedNames(), prompts) << "level " << level;
    }
}

// ---- Keys that never reach a box, whatever way they come ----------------------------------------

TEST_F(EntryTest, PastedQuotesAndUnstorableCharactersNeverReachABox) {
    OutfrmWindow& w = open();
    w.mnuPostContest_Click();
    const QString clip = QString::fromUtf8("k\"1'\u0436/m");
    enum Way { ShiftInsert, ContextMenu, CtrlV, Drop };
    for (vb::TextBox* box : {&w.txtCall, &w.txtRSTR, &w.txtSec, &w.txtPostConTime, &w.txtPostConDate}) {
        for (Way way : {ShiftInsert, ContextMenu, CtrlV, Drop}) {
            QApplication::setActiveWindow(&w); // back from the context menu
            w.ClearEntry();
            w.txtPostConTime.setText(QString());
            w.txtPostConDate.setText(QString());
            Fakes().clipboard.text = clip;
            box->SetFocus();
            box->setText(QString());
            QLineEdit* edit = box->lineEdit();
            if (way == ShiftInsert) {
                QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
            } else if (way == CtrlV) {
                QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            } else if (way == ContextMenu) {
                // Choose "Paste" from the box's own menu.
                QTimer::singleShot(0, [] {
                    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) QTest::keyClick(menu, Qt::Key_P);
                });
                QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
                QCoreApplication::sendEvent(edit, &e);
            } else {
                QMimeData mime;
                mime.setText(clip);
                QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(edit, &enter);
                QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(edit, &drop);
            }
            QString all;
            for (vb::TextBox* b : {&w.txtCall, &w.txtRSTR, &w.txtSec, &w.txtPostConTime, &w.txtPostConDate}) all += b->Text();
            const std::string what = box->Name.toStdString() + " way " + std::to_string(way);
            EXPECT_FALSE(all.contains('"')) << what;
            EXPECT_FALSE(all.contains('\'')) << what;
            EXPECT_EQ(FromAnsi(ToAnsi(all)), all) << what;
            if (way == CtrlV || way == Drop) { EXPECT_EQ(all, "") << what; }
            else { EXPECT_FALSE(all.isEmpty()) << what; }
            if (box == &w.txtCall && (way == ShiftInsert || way == ContextMenu)) { EXPECT_EQ(w.txtCall.Text(), "K1/M") << what; }
        }
    }
    // After Ctrl+V the next key typed arrives.
    QApplication::setActiveWindow(&w);
    w.ClearEntry();
    key(Qt::Key_V, Qt::ControlModifier);
    keys("w");
    EXPECT_EQ(w.txtCall.Text(), "W");
}

// ---- Duplicate checks --------------------------------------------------------------------------

// Refused and announced at once: the window is never held. At a level above 0 "Dupe" is heard whole
// before the call box's own cue, which waits ten seconds at most.
TEST_F(EntryTest, ADuplicateIsRefusedAndAnnouncedWithoutHoldingTheWindow) {
    folder.write("Call.wav", FakeSound::Wave(300));
    struct Case {
        int level;
        int promptMs; // 0: no prompt file
        int callAfter; // when "Call" follows; -1 never
    };
    const Case cases[] = {
        {0, 400, -1},     // the call box is silent at level 0
        {1, 400, 400},
        {2, 60000, 10000}, // a broken or endless prompt
        {1, 0, 0},         // nothing to hear out
    };
    for (const Case& c : cases) {
        QFile::remove(folder.file("Dupe.wav"));
        if (c.promptMs > 0) folder.write("Dupe.wav", FakeSound::Wave(static_cast<std::uint32_t>(c.promptMs)));
        Station.VoiceNavLevel = 0;
        OutfrmWindow& w = open(Contact("K1ABC", "Larkmoor"));
        Station.VoiceNavLevel = static_cast<std::uint8_t>(c.level);
        keys("k1abc 6 lar");
        Fakes().sound.played.clear();
        const int beeps = Fakes().dialogs.beeps;
        const std::uint32_t t0 = Fakes().clock.TimeGetTime();
        keys("\r");
        const std::string what = "level " + std::to_string(c.level) + " prompt " + std::to_string(c.promptMs);
        EXPECT_EQ(Fakes().clock.TimeGetTime(), t0) << what;
        EXPECT_EQ(ContactLog.Count, 1) << what;
        EXPECT_EQ(w.lblDialog.Caption(), "Duplicate K1ABC  2013/09/15  14:01:02   Rec# 1") << what;
        EXPECT_EQ(w.lblDialog.BackColor(), 0x0000FF) << what;
        EXPECT_EQ(Fakes().dialogs.beeps, beeps + 1) << what;
        for (vb::TextBox* b : {&w.txtCall, &w.txtRSTR, &w.txtSec}) EXPECT_EQ(b->Text(), "") << what;
        EXPECT_EQ(focusName(w), "txtCall") << what;
        // A cue asked for before the refusal is cut by "Dupe"; the call box's cue comes after it.
        const QStringList heard = PlayedNames();
        if (c.promptMs > 0) EXPECT_EQ(heard.last(), "Dupe") << what;
        else EXPECT_FALSE(heard.contains("Dupe")) << what;
        if (c.callAfter > 0) {
            Fakes().clock.Advance(static_cast<std::uint32_t>(c.callAfter - 1));
            EXPECT_EQ(PlayedNames(), heard) << what;
            Fakes().clock.Advance(1);
            EXPECT_EQ(PlayedNames(), heard + QStringList{"Call"}) << what;
        } else {
            Fakes().clock.Advance(20000);
            EXPECT_EQ(PlayedNames(), heard) << what << ": nothing waited";
        }
        vb::Unload(w);
    }
}

TEST_F(EntryTest, AnEmptyCountyTakesTheOldestContactsCountyAndMakesTheDuplicate) {
    OutfrmWindow& w = open(Contact("K1ABC", "Larkmoor") + Contact("K1ABC", "Lowater", "40"));
    w.txtCall.setText("K1ABC");
    w.txtRSTR.setText("6");
    w.Mains();
    EXPECT_EQ(ContactLog.Count, 2);
    EXPECT_EQ(w.lblDialog.Caption(), "Duplicate K1ABC  2013/09/15  14:01:02   Rec# 1");
}

TEST_F(EntryTest, LeavingTheCallBoxWarnsOfAnEarlierContactOnThisBandAndMode) {
    OutfrmWindow& w = open(Contact("K1ABC", "Larkmoor"));
    int beeps = Fakes().dialogs.beeps;
    keys("k1abc ");
    EXPECT_EQ(w.lblDialog.Caption(), "Duplicate Unless Rover!  K1ABC  2013/09/15  14:01:02   Rec# 1");
    EXPECT_EQ(w.lblDialog.BackColor(), 0x0000FF);
    EXPECT_EQ(Fakes().dialogs.beeps, beeps + 1);
    // The county box took the earlier county, selected, so typing replaces it.
    EXPECT_EQ(w.txtSec.Text(), "Larkmoor");
    EXPECT_EQ(w.txtSec.SelLength(), 8);
    // Another county is no duplicate: the contact is logged.
    keys("6 ash\r");
    EXPECT_EQ(ContactLog.Count, 2);
    EXPECT_EQ(ContactLog.Rec[2].County, "Ashcombe");

    // On another band or mode: no warning at all.
    for (auto [band, mode] : {std::pair{"40", "PH"}, std::pair{"20", "CW"}}) {
        Station.CurrentBand = band;
        Station.CurrentMode = mode;
        beeps = Fakes().dialogs.beeps;
        keys("k1abc ");
        EXPECT_EQ(w.lblDialog.Caption(), " ") << band << mode;
        EXPECT_EQ(Fakes().dialogs.beeps, beeps) << band << mode;
        w.ClearEntry();
    }
}

TEST_F(EntryTest, ListPreviousContactsShowsAllEarlierContactsOfTheCall) {
    const QByteArray log = Contact("K1ABC", "Larkmoor", "20", "PH", "10:00:00") + Contact("W1XX", "Lowater") +
                           Contact("K1ABC", "Kestrel", "40", "PH", "11:00:00") +
                           Contact("K1ABC", "Redfern", "20", "PH", "12:00:00");
    for (bool listPrevious : {true, false}) {
        OutfrmWindow& w = open(log);
        w.mnuListPrevious.setChecked(listPrevious);
        const int beeps = Fakes().dialogs.beeps;
        keys("k1abc ");
        if (listPrevious) {
            ASSERT_EQ(w.ListView1.ItemCount(), 3);
            EXPECT_EQ(w.ListView1.ItemText(0), "1");
            EXPECT_EQ(w.ListView1.ItemText(1), "3");
            EXPECT_EQ(w.ListView1.ItemText(2), "4");
            EXPECT_EQ(w.ListView1.ItemText(2, 3), "Redfern");
            EXPECT_EQ(w.ListView1.ItemText(2, 5), "09/15 12:00");
            EXPECT_EQ(Fakes().dialogs.beeps, beeps + 2);
            EXPECT_TRUE(w.lblDialog.Caption().endsWith("12:00:00   Rec# 4"));
            // Back in the empty call box, the recent contacts return.
            keys("\x1b");
            EXPECT_EQ(w.ListView1.ItemCount(), 4);
        } else {
            EXPECT_EQ(w.ListView1.ItemCount(), 4) << "the recent contacts stay";
            EXPECT_EQ(w.ListView1.ItemText(0), "4");
            EXPECT_EQ(Fakes().dialogs.beeps, beeps + 1);
            EXPECT_TRUE(w.lblDialog.Caption().endsWith("10:00:00   Rec# 1"));
        }
        vb::Unload(w);
    }
}

TEST_F(EntryTest, PartialDuplicatesAreListedWhileTheCallIsTyped) {
    OutfrmWindow& w = open(Contact("K1ABC", "Larkmoor") + Contact("K1AB", "Lowater") + Contact("K1ABD", "Lowater", "40"));
    keys("k1a");
    EXPECT_EQ(w.lblDupe.Caption(), "K1AB K1ABC ");
    EXPECT_EQ(w.lblDupe.BackColor(), DialogBackColor);
    EXPECT_EQ(w.lblDialog.Caption(), " ");
    keys("b");
    EXPECT_EQ(w.lblDialog.Caption(), "Possible Duplicate!");
    keys("\b");
    EXPECT_EQ(w.lblDupe.Caption(), "");
    EXPECT_EQ(w.lblDupe.BackColor(), DupeEmptyBackColor);
    // Switched off, the line stays empty.
    w.ClearEntry();
    tylog::Run.PartialDupeDisplay = false;
    keys("k1a");
    EXPECT_EQ(w.lblDupe.Caption(), "");
}

TEST_F(EntryTest, TheListStopsAfterAHundredCharacters) {
    QByteArray log;
    for (int i = 0; i < 40; ++i) log += Contact(QString("K1A%1").arg(QChar('A' + i % 26)) + QString::number(i), "Lowater");
    OutfrmWindow& w = open(log);
    keys("k1a");
    const QString list = w.lblDupe.Caption();
    EXPECT_EQ(list.size(), 102);
    EXPECT_TRUE(list.startsWith("K1AP15 ")) << "the newest of the oldest matches first";
    EXPECT_TRUE(list.endsWith("K1AA0 "));
}

TEST_F(EntryTest, TheThirdCharacterOfACallIsChecked) {
    OutfrmWindow& w = open();
    for (bool display : {true, false}) {
        tylog::Run.PartialDupeDisplay = display;
        const std::pair<const char*, bool> cases[] = {{"kab", true}, {"k1a", false}, {"ka1", false}, {"w/a", false}};
        for (auto [typed, warns] : cases) {
            w.ClearEntry();
            const int beeps = Fakes().dialogs.beeps;
            keys(typed);
            EXPECT_EQ(w.lblDialog.Caption(), warns ? "The second or third character is not numeric!" : " ") << typed;
            EXPECT_EQ(Fakes().dialogs.beeps, beeps + (warns ? 1 : 0)) << typed;
        }
    }
}

// ---- Post-contest entry ------------------------------------------------------------------------

TEST_F(EntryTest, PostContestModeShowsTheBoxesAndKeepsTheirText) {
    OutfrmWindow& w = open();
    vb::Control* boxes[] = {&w.lblPostConTime, &w.txtPostConTime, &w.lblPostConDate, &w.txtPostConDate};
    for (vb::Control* c : boxes) EXPECT_FALSE(c->Visible());
    w.mnuPostContest.RaiseClick();
    EXPECT_TRUE(w.mnuPostContest.Checked());
    for (vb::Control* c : boxes) EXPECT_TRUE(c->Visible());
    w.txtPostConTime.setText("12:34");
    w.mnuPostContest.RaiseClick();
    EXPECT_FALSE(w.mnuPostContest.Checked());
    for (vb::Control* c : boxes) EXPECT_FALSE(c->Visible());
    w.mnuPostContest.RaiseClick();
    EXPECT_EQ(w.txtPostConTime.Text(), "12:34");
}

TEST_F(EntryTest, PostContestBoxesFilterTheirKeys) {
    OutfrmWindow& w = open();
    Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(21, 0, 0)), 5); // UTC is already the 16th
    w.mnuPostContest_Click();
    const std::pair<vb::TextBox*, const char*> cases[] = {{&w.txtPostConTime, "1a2-3.4:5/6"}, {&w.txtPostConDate, "2a0-1.3:/9"}};
    const char* want[] = {"1234:", "2013/9"};
    for (int i = 0; i < 2; ++i) {
        cases[i].first->setText(QString());
        cases[i].first->SetFocus();
        cases[i].first->setText(QString());
        keys(cases[i].second);
        EXPECT_EQ(cases[i].first->Text(), want[i]);
    }
    // A blank moves from the time box to the date box, which offers today's local date, selected.
    w.txtPostConDate.setText(QString());
    w.txtPostConTime.SetFocus();
    EXPECT_EQ(w.txtPostConTime.SelLength(), 5) << "the time box's text is selected";
    keys(" ");
    EXPECT_EQ(focusName(w), "txtPostConDate");
    EXPECT_EQ(w.txtPostConDate.Text(), "2013/09/15");
    EXPECT_EQ(w.txtPostConDate.SelLength(), 10);
    keys("2013/3/5");
    EXPECT_EQ(w.txtPostConDate.Text(), "2013/3/5");
    w.txtPostConTime.SetFocus();
    w.txtPostConDate.SetFocus();
    EXPECT_EQ(w.txtPostConDate.Text(), "2013/3/5") << "a box with text is left as it is";
}

TEST_F(EntryTest, PostContestContactsTakeTheBoxesDateAndTime) {
    OutfrmWindow& w = open();
    w.mnuPostContest_Click();
    keys("k1abc5 lar ");
    EXPECT_EQ(focusName(w), "txtPostConTime");
    keys("1234 2013/3/5\r");
    ASSERT_EQ(ContactLog.Count, 1);
    EXPECT_EQ(ContactLog.Rec[1].Date, "2013/03/05");
    EXPECT_EQ(ContactLog.Rec[1].Time, "12:34");
    EXPECT_EQ(w.txtPostConDate.Text(), "2013/03/05");
    EXPECT_EQ(w.txtPostConTime.Text(), "12:34");
    // The next one, the boxes untouched, gets the same; Enter in the time box logs too.
    keys("w1aa7 low");
    w.txtPostConTime.SetFocus();
    keys("\r");
    ASSERT_EQ(ContactLog.Count, 2);
    EXPECT_EQ(ContactLog.Rec[2].Date, "2013/03/05");
    EXPECT_EQ(ContactLog.Rec[2].Time, "12:34");
}

TEST_F(EntryTest, PostContestWithoutADateIsRefusedFirst) {
    folder.write("log.txt", QByteArray());
    Fakes().dialogs.AnswerMsgBox(vbYes);
    OutfrmWindow& w = Outfrm();
    ShowActive(w);
    w.mnuPostContest_Click();
    w.txtCall.SetFocus();
    keys("k1abc5 lar");
    const int beeps = Fakes().dialogs.beeps;
    keys("\r");
    EXPECT_EQ(w.lblDialog.Caption(), "Invalid date format!");
    EXPECT_EQ(Fakes().dialogs.beeps, beeps + 1);
    EXPECT_FALSE(tylog::Run.TimeOnRunning);
    EXPECT_EQ(ContactLog.Count, 0);
    EXPECT_EQ(w.txtCall.Text(), "K1ABC");
}

} // namespace
