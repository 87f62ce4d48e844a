// The out-of-state contact editor driven as an operator drives it: keys into its boxes, Tab out of a
// box, Enter and Done.
#include "core/ProcessState.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "logtools/DEEditOut.h"
#include "tests/support/TestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace tylog;
using namespace tylog::testing;

namespace {

ContactRecord contact(const char* call, const char* band, const char* mode, const char* county) {
    ContactRecord r;
    r.Call = call;
    r.Band = band;
    r.Mode = mode;
    r.County = county;
    r.SerialSent = "001";
    r.SerialRcvd = "5";
    r.Date = "2013/09/15";
    r.Time = "14:01:02";
    r.Spc = "XX";          // never shown, never changed
    r.SentCounty = "Own";  // likewise
    r.Frequency = "14.250";
    return r;
}

class DEEditOutTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.copyShipped("TYCounty.txt");
        Folders.ProgramFolder = folder.path();
        Station.HostState = "TY";
        LoadCounties();
    }

    void setLog(std::initializer_list<ContactRecord> records) {
        ContactLog.Count = 0;
        for (const ContactRecord& r : records) ContactLog.Rec[static_cast<size_t>(++ContactLog.Count)] = r;
    }

    DEEditOutWindow& open(int record) {
        tylog::Run.EditIndex = record;
        DEEditOutWindow& e = DEEditOut();
        ShowActive(e);
        return e;
    }

    static void retype(vb::TextBox& box, const QString& text) {
        box.SetFocus();
        box.setText(QString());
        QTest::keyClicks(box.widget(), text);
    }

    ScratchFolder folder;
};

// Done trims the call, both serials and the county, and writes date and time in the log's own form.
TEST_F(DEEditOutTest, ShowsTheRecordAndDoneStoresItTrimmingFourFields) {
    setLog({contact("K1ABC", "20", "PH", "Larkmoor"), contact("W2XYZ", "40", "CW", "Cedar Hollow")});
    DEEditOutWindow& e = open(2);
    EXPECT_EQ(e.Caption(), "Edit Contact Entry");
    EXPECT_EQ(e.lblHeading.Caption(), "Edit Contact:");
    EXPECT_EQ(e.txtEditCall.Text(), "W2XYZ");
    EXPECT_EQ(e.txtEditPre.Text(), "Cedar Hollow");
    EXPECT_EQ(e.txtEditCk.Text(), "5");
    EXPECT_EQ(e.txtEditNum.Text(), "001");
    EXPECT_EQ(e.txtEditDate.Text(), "2013/09/15");
    EXPECT_EQ(e.txtEditTime.Text(), "14:01:02");
    EXPECT_EQ(e.txtEditBnd.Text(), "CW");
    EXPECT_EQ(e.Text1.Text(), "40");
    for (vb::Control* mark : std::initializer_list<vb::Control*>{&e.Label1, &e.Label2, &e.Label3, &e.Label6, &e.cmdDeleteDupe})
        EXPECT_FALSE(mark->Visible()) << mark->Name.toStdString();

    e.txtEditCall.setText(" w2xyz/m ");
    e.txtEditCk.setText(" 7 ");
    e.txtEditNum.setText(" 002 ");
    e.txtEditPre.setText(" Larkmoor ");
    e.txtEditTime.setText(" 9:05 ");
    e.txtEditDate.setText("2013/9/6 ");
    e.txtEditBnd.setText("ph");
    e.Text1.setText("20");
    QTest::mouseClick(e.cmdDone.widget(), Qt::LeftButton);

    EXPECT_FALSE(e.isVisible());
    const ContactRecord& r = ContactLog.Rec[2];
    EXPECT_EQ(r.Call, "w2xyz/m");
    EXPECT_EQ(r.SerialRcvd, "7");
    EXPECT_EQ(r.SerialSent, "002");
    EXPECT_EQ(r.County, "Larkmoor");
    EXPECT_EQ(r.Time, "09:05");
    EXPECT_EQ(r.Date, "2013/09/06");
    EXPECT_EQ(r.Mode, "ph");
    EXPECT_EQ(r.Band, "20");
    EXPECT_EQ(r.Spc, "XX");
    EXPECT_EQ(r.SentCounty, "Own");
    EXPECT_EQ(r.Frequency, "14.250");
    EXPECT_EQ(ContactLog.Rec[1].Call, "K1ABC");
}

TEST_F(DEEditOutTest, TheEditedRecordIsNeverItsOwnDuplicate) {
    setLog({contact("K1ABC", "20", "PH", "Larkmoor")});
    DEEditOutWindow& e = open(1);
    e.cmdDone.RaiseClick();
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(Fakes().dialogs.beeps, 0);
    EXPECT_EQ(ContactLog.Rec[1].Call, "K1ABC");
}

// Call, band, mode and county make a duplicate, letter case ignored; the sent county and the
// St/Prv/Country field do not count. The scan compares what Done would write, so a blank that the
// write trims hides no duplicate.
TEST_F(DEEditOutTest, DoneRefusesADuplicateOfAnotherRecord) {
    ContactRecord other = contact("k1abc", "20", "ph", "LARKMOOR");
    other.SentCounty = "Elsewhere";
    other.Spc = "";
    setLog({contact("K1ABC", "20", "PH", "Larkmoor"), other, contact("N0CALL", "40", "CW", "Lowater"),
            contact("K1ABC", "20", "PH", "Larkmoor")});
    DEEditOutWindow& e = open(3);
    e.txtEditCall.setText("K1ABC");
    e.Text1.setText("20");
    e.txtEditBnd.setText("PH");
    e.txtEditPre.setText("Larkmoor");
    e.cmdDone.RaiseClick();
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(Fakes().dialogs.beeps, 3) << "one beep for each of the three duplicates";
    EXPECT_TRUE(e.Label1.Visible());
    EXPECT_EQ(e.Label1.Caption(), "  Dupe!");
    EXPECT_TRUE(e.cmdDeleteDupe.Visible());
    EXPECT_EQ(ContactLog.Rec[3].Call, "N0CALL") << "nothing written";

    // Blanks around the call and the county are trimmed on writing: still the same contact.
    e.txtEditCall.setText("K1ABC ");
    e.txtEditPre.setText(" Larkmoor");
    e.cmdDone.RaiseClick();
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(Fakes().dialogs.beeps, 6);
    EXPECT_EQ(ContactLog.Rec[3].Call, "N0CALL");

    // Another county is another contact: saved, without the blanks.
    e.txtEditPre.setText("Lowater ");
    e.cmdDone.RaiseClick();
    EXPECT_FALSE(e.isVisible());
    EXPECT_FALSE(e.Label1.Visible());
    EXPECT_TRUE(e.cmdDeleteDupe.Visible()) << "once shown it stays until the editor closes";
    EXPECT_EQ(ContactLog.Rec[3].Call, "K1ABC");
    EXPECT_EQ(ContactLog.Rec[3].County, "Lowater");
}

// The time is checked before the date, and both before the duplicate scan.
TEST_F(DEEditOutTest, DoneChecksTimeThenDateFirst) {
    setLog({contact("K1ABC", "20", "PH", "Larkmoor"), contact("K1ABC", "20", "PH", "Larkmoor")});
    struct Case { const char* date; const char* time; const char* title; };
    const Case cases[] = {
        {"2013/02/30", "25:00", "Invalid Time Format!"},
        {"2013/02/30", "14:01", "Invalid Date Format!"},
        {"", "14:01", "Invalid Date Format!"},
        {"20130915", "14:01", "Invalid Date Format!"},
        {"2013/09/15", "1401", "Invalid Time Format!"},
        {"2013/09/15", "", "Invalid Time Format!"},
    };
    for (const Case& c : cases) {
        DEEditOutWindow& e = open(2);
        e.txtEditDate.setText(c.date);
        e.txtEditTime.setText(c.time);
        Fakes().dialogs.AnswerMsgBox(vbOK);
        e.cmdDone.RaiseClick();
        ASSERT_FALSE(Fakes().dialogs.shown.isEmpty());
        EXPECT_EQ(Fakes().dialogs.shown.back().title, c.title) << c.date << " " << c.time;
        EXPECT_EQ(Fakes().dialogs.shown.size(), 1) << "one message per Done";
        EXPECT_TRUE(e.isVisible());
        EXPECT_FALSE(e.Label1.Visible()) << "no duplicate scan after a bad date or time";
        vb::TextBox& box = QString(c.title).contains("Time") ? e.txtEditTime : e.txtEditDate;
        EXPECT_TRUE(box.HasFocus()) << c.date << " " << c.time;
        EXPECT_EQ(ContactLog.Rec[2].Date, "2013/09/15");
        vb::Unload(e);
        Fakes().dialogs.shown.clear();
    }
}

TEST_F(DEEditOutTest, KeyFiltersOfTheBoxes) {
    setLog({contact("K1ABC", "20", "PH", "Larkmoor")});
    DEEditOutWindow& e = open(1);
    struct Case { vb::TextBox* box; const char* typed; const char* result; };
    const Case cases[] = {
        {&e.txtEditCall, "w1\"aw/m", "W1AW/M"},
        {&e.txtEditCk, "12a\"", "12A"},
        {&e.txtEditNum, "0x1", "0X1"},
        {&e.txtEditBnd, "cw", "CW"},
        {&e.Text1, "1.25", "1.25"},
        {&e.txtEditDate, "2013/09-15a:\"", "2013/0915"},
        {&e.txtEditTime, "14:0/1a 2\"", "14:012"},
    };
    for (const Case& c : cases) {
        retype(*c.box, c.typed);
        EXPECT_EQ(c.box->Text(), c.result) << c.box->Name.toStdString();
    }
}

// Enter in any box runs Done, which repeats none of the leave checks.
TEST_F(DEEditOutTest, EnterRunsDoneFromEveryBox) {
    setLog({contact("K1ABC", "20", "PH", "Larkmoor")});
    for (int i = 0; i < 8; ++i) {
        DEEditOutWindow& e = open(1);
        vb::TextBox* boxes[] = {&e.txtEditCall, &e.txtEditCk, &e.txtEditPre, &e.txtEditNum,
                                &e.txtEditDate, &e.txtEditTime, &e.txtEditBnd, &e.Text1};
        boxes[i]->SetFocus();
        QTest::keyClick(boxes[i]->widget(), Qt::Key_Return);
        EXPECT_FALSE(e.isVisible()) << boxes[i]->Name.toStdString();
        vb::Unload(e);
    }
    // Band 2 fails the band check on leaving, but Enter in the box stores it.
    DEEditOutWindow& e = open(1);
    retype(e.Text1, "2");
    QTest::keyClick(e.Text1.widget(), Qt::Key_Return);
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(ContactLog.Rec[1].Band, "2");
    EXPECT_EQ(Fakes().dialogs.beeps, 0);
}

// Leaving a box whose text fails its check beeps, shows the mark and keeps the focus in the box; a
// text that passes hides the mark again.
TEST_F(DEEditOutTest, LeaveChecksKeepTheFocusAndMarkTheBox) {
    setLog({contact("K1ABC", "2", "PH", "Larkmoor")});
    DEEditOutWindow& e = open(1);
    struct Case { vb::TextBox* box; vb::Label* mark; const char* bad; const char* good; };
    const Case cases[] = {
        {&e.Text1, &e.Label6, "2", "160"},       // the editor takes seven bands only
        {&e.Text1, &e.Label6, "70", "6"},
        {&e.txtEditBnd, &e.Label3, "AM", "dg"},
        {&e.txtEditPre, &e.Label2, "", "lowater"}, // empty fails, case is ignored
        {&e.txtEditPre, &e.Label2, "Larkmoor ", "Larkmoor"},
    };
    for (const Case& c : cases) {
        c.box->SetFocus();
        c.box->setText(c.bad);
        const int beeps = Fakes().dialogs.beeps;
        QTest::keyClick(c.box->widget(), Qt::Key_Tab);
        EXPECT_EQ(Fakes().dialogs.beeps, beeps + 1) << c.bad;
        EXPECT_TRUE(c.mark->Visible()) << c.bad;
        EXPECT_EQ(c.mark->Caption(), "   Invalid!");
        EXPECT_TRUE(c.box->HasFocus()) << c.bad;
        c.box->setText(c.good);
        QTest::keyClick(c.box->widget(), Qt::Key_Tab);
        EXPECT_FALSE(c.mark->Visible()) << c.good;
        EXPECT_FALSE(c.box->HasFocus()) << c.good;
    }
    EXPECT_FALSE(tylog::Run.InvalidCountyFlag);

    struct DateCase { vb::TextBox* box; const char* bad; const char* title; };
    const DateCase dates[] = {{&e.txtEditDate, "2013/13/01", "Invalid Date Format!"},
                              {&e.txtEditTime, "24:00", "Invalid Time Format!"}};
    for (const DateCase& c : dates) {
        c.box->SetFocus();
        c.box->setText(c.bad);
        Fakes().dialogs.AnswerMsgBox(vbOK);
        QTest::keyClick(c.box->widget(), Qt::Key_Tab);
        EXPECT_EQ(Fakes().dialogs.shown.back().title, c.title);
        EXPECT_TRUE(c.box->HasFocus());
        c.box->setText(QString(c.title).contains("Date") ? "2013/09/15" : "23:59");
    }
    // Each box takes its own kind only: a time in the date box, or a date in the time box, is refused.
    const DateCase swapped[] = {{&e.txtEditDate, "14:01", "Invalid Date Format!"},
                                {&e.txtEditTime, "2013/09/15", "Invalid Time Format!"}};
    for (const DateCase& c : swapped) {
        c.box->SetFocus();
        c.box->setText(c.bad);
        Fakes().dialogs.AnswerMsgBox(vbOK);
        QTest::keyClick(c.box->widget(), Qt::Key_Tab);
        EXPECT_EQ(Fakes().dialogs.shown.back().title, c.title);
        EXPECT_TRUE(c.box->HasFocus());
        c.box->setText(QString(c.title).contains("Date") ? "2013/09/15" : "23:59");
    }
}

// The county box completes what is typed to the last county of the table that begins with it.
TEST_F(DEEditOutTest, CountyBoxCompletesFromTheCountyTable) {
    setLog({contact("K1ABC", "20", "PH", "Larkmoor")});
    DEEditOutWindow& e = open(1);
    vb::TextBox& box = e.txtEditPre;
    struct Case {
        const char* start;
        int caret;
        const char* typed;
        const char* text;
        int selStart, selLength;
    };
    const Case cases[] = {
        {"", 0, "l", "Lindale City", 1, 11},         // first letter capitalised, last L of the table
        {"", 0, "la", "Lakemont City", 2, 11},
        {"", 0, "lar", "Larkmoor", 3, 5},
        {"", 0, "lArK", "LArKmoor", 4, 4},            // what is typed keeps its case
        {"", 0, "cedar h", "Cedar Hollow", 7, 5},      // capital after a blank inside the text
        {"Larkmoor", 0, "c", "Corvallen City", 1, 13}, // a key at the start empties the box
        {"Larkmoor", 0, " ", " Larkmoor", 1, 0},       // but a blank goes in front of the text
        {"Larkmoor", 0, "\b", "", 0, 0},               // Backspace at the start empties it too
        {"Larkmoor", 4, "\b", "Larmoor", 3, 0},        // elsewhere it deletes as usual
        {"", 0, "xy", "Xy", 2, 0},                     // no county: the keys go in as typed
        {"", 0, "\"lo", "Lowater", 2, 5},              // the double quote never reaches the box
        {"Larkmoor", 8, " x", "Larkmoor x", 10, 0},    // no capital after a blank at the end
    };
    for (const Case& c : cases) {
        box.SetFocus();
        box.setText(c.start);
        box.setSelStart(c.caret);
        QTest::keyClicks(box.widget(), c.typed);
        EXPECT_EQ(box.Text(), c.text) << c.start << " + " << c.typed;
        EXPECT_EQ(box.SelStart(), c.selStart) << c.start << " + " << c.typed;
        EXPECT_EQ(box.SelLength(), c.selLength) << c.start << " + " << c.typed;
    }
    // The next key replaces the selected tail and narrows the choice again.
    box.setText(QString());
    QTest::keyClicks(box.widget(), "l");
    EXPECT_EQ(box.Text(), "Lindale City");
    QTest::keyClicks(box.widget(), "o");
    EXPECT_EQ(box.Text(), "Lowater");
    QTest::keyClick(box.widget(), Qt::Key_Tab);
    EXPECT_FALSE(e.Label2.Visible());
}

TEST_F(DEEditOutTest, AnEmptiedCountyIsStoredWhenEnterIsPressedInItsBox) {
    setLog({contact("K1ABC", "20", "PH", "Larkmoor")});
    DEEditOutWindow& e = open(1);
    e.txtEditPre.SetFocus();
    e.txtEditPre.setText(QString());
    QTest::keyClick(e.txtEditPre.widget(), Qt::Key_Return);
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(ContactLog.Rec[1].County, "");
}

} // namespace
