// The in-state contact editor driven as an operator drives it: keys into its boxes, Tab out of a
// box, Enter, Done and Delete Dupe. What it shares with the out-of-state editor (key filters, band,
// mode, date and time) is driven in DEEditOutTest; here is what is its own.
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "core/SectionTable.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "logtools/DEEditInfrm.h"
#include "tests/support/TestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace tylog;
using namespace tylog::testing;

namespace {

ContactRecord contact(const char* call, const char* county, const char* sentCounty, const char* spc = "TY") {
    ContactRecord r;
    r.Call = call;
    r.Band = "20";
    r.Mode = "PH";
    r.County = county;
    r.SentCounty = sentCounty;
    r.Spc = spc;
    r.SerialSent = "001";
    r.SerialRcvd = "5";
    r.Date = "2013/09/15";
    r.Time = "14:01:02";
    r.RstSent = "59"; // never shown, never changed
    r.State = "ST";
    r.Frequency = "14.250";
    return r;
}

class DEEditInfrmTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.copyShipped("TYCounty.txt");
        Folders.ProgramFolder = folder.path();
        Station.HostState = "TY";
        LoadCounties();
        BuildSectionTable();
        int n = 0;
        for (const char* country : {"Germany", "Iceland", "Italy", "Canada", "Italy"}) PrefixTable.Country[++n] = country;
        PrefixTable.Count = n;
    }

    void setLog(std::initializer_list<ContactRecord> records) {
        ContactLog.Count = 0;
        for (const ContactRecord& r : records) ContactLog.Rec[static_cast<size_t>(++ContactLog.Count)] = r;
    }

    DEEditInfrmWindow& open(int record) {
        tylog::Run.EditIndex = static_cast<float>(record);
        DEEditInfrmWindow& e = DEEditInfrm();
        e.onDeleteDupe = [this] { ++deleteDupeCalls; };
        ShowActive(e);
        return e;
    }

    static void retype(vb::TextBox& box, const QString& text) {
        box.SetFocus();
        box.setText(QString());
        QTest::keyClicks(box.widget(), text);
    }

    ScratchFolder folder;
    int deleteDupeCalls = 0;
};

TEST_F(DEEditInfrmTest, ShowsTenFieldsAndDoneWritesThemTrimmed) {
    setLog({contact("K1ABC", "Larkmoor", "Lowater"), contact("W2XYZ", "Cedar Hollow", "Hollin", "ON")});
    DEEditInfrmWindow& e = open(2);
    EXPECT_EQ(e.Caption(), "Edit Contact Entry");
    EXPECT_EQ(e.lblHeading.Caption(), "Edit Contact:");
    const std::pair<vb::TextBox*, const char*> shown[] = {
        {&e.txtEditCall, "W2XYZ"}, {&e.txtEditCk, "5"},          {&e.txtEditSec, "Cedar Hollow"},
        {&e.txtEditPre, "ON"},     {&e.txtEditNum, "001"},       {&e.txtEditDate, "2013/09/15"},
        {&e.txtEditTime, "14:01:02"}, {&e.txtEditBnd, "PH"},     {&e.Text1, "20"},
        {&e.Text3, "Hollin"},
    };
    for (const auto& [box, text] : shown) EXPECT_EQ(box->Text(), text) << box->Name.toStdString();
    for (vb::Control* mark : std::initializer_list<vb::Control*>{&e.Label1, &e.Label2, &e.Label3, &e.Label6, &e.Label7,
                                                                 &e.Label9, &e.cmdDeleteDupe})
        EXPECT_FALSE(mark->Visible()) << mark->Name.toStdString();
    // The tab order runs down the rows to Done.
    e.txtEditCall.SetFocus();
    for (vb::TextBox* next : {&e.txtEditCk, &e.txtEditSec, &e.txtEditPre, &e.txtEditNum, &e.txtEditDate, &e.txtEditTime,
                              &e.txtEditBnd, &e.Text1, &e.Text3}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(next->HasFocus()) << next->Name.toStdString();
    }

    e.txtEditCall.setText(" w2xyz ");
    e.txtEditCk.setText(" 7");
    e.txtEditSec.setText("Larkmoor");
    e.txtEditPre.setText("Germany");
    e.txtEditNum.setText("002 ");
    e.txtEditDate.setText("2013/9/6");
    e.txtEditTime.setText("9:05");
    e.txtEditBnd.setText("cw");
    e.Text1.setText("40");
    e.Text3.setText("lowater");
    QTest::mouseClick(e.cmdDone.widget(), Qt::LeftButton);

    EXPECT_FALSE(e.isVisible());
    ContactRecord expected = contact("w2xyz", "Larkmoor", "lowater", "Germany");
    expected.SerialRcvd = "7";
    expected.SerialSent = "002";
    expected.Date = "2013/09/06";
    expected.Time = "09:05";
    expected.Mode = "cw";
    expected.Band = "40";
    EXPECT_EQ(LogLine(ContactLog.Rec[2]), LogLine(expected));
    EXPECT_EQ(ContactLog.Rec[1].Call, "K1ABC");
}

// The county sent is part of the duplicate key; every duplicate beeps, one mark shows.
TEST_F(DEEditInfrmTest, DoneScansForDuplicatesWithTheCountySent) {
    setLog({contact("k1abc", "LARKMOOR", "Lowater"), contact("K1ABC", "Larkmoor", "Hollin"),
            contact("N0CALL", "Hollin", "Lowater", "IL"), contact("K1ABC", "Larkmoor", "lowater"),
            contact("K1ABC", "Larkmoor ", "Lowater")});
    DEEditInfrmWindow& e = open(3);
    e.txtEditCall.setText("K1ABC");
    e.txtEditSec.setText("Larkmoor");
    e.cmdDone.RaiseClick();
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(Fakes().dialogs.beeps, 2) << "records 1 and 4; 2 has another county sent, 5 a stored blank";
    EXPECT_TRUE(e.Label1.Visible());
    EXPECT_EQ(e.Label1.Caption(), "  Dupe!");
    EXPECT_TRUE(e.cmdDeleteDupe.Visible());
    EXPECT_EQ(ContactLog.Rec[3].Call, "N0CALL");

    // A trailing blank does not get round the scan: "Hollin " is saved as "Hollin", record 2's.
    e.Text3.setText("Hollin ");
    e.cmdDone.RaiseClick();
    EXPECT_TRUE(e.isVisible());
    EXPECT_TRUE(e.Label1.Visible());
    EXPECT_EQ(ContactLog.Rec[3].Call, "N0CALL");

    // Corrected, but the St / Prv / Country now fails: the dupe mark goes, Delete Dupe stays.
    e.Text3.setText("Alderbrook ");
    e.txtEditPre.setText("ZZ");
    e.cmdDone.RaiseClick();
    EXPECT_TRUE(e.isVisible());
    EXPECT_FALSE(e.Label1.Visible());
    EXPECT_TRUE(e.cmdDeleteDupe.Visible());
    EXPECT_TRUE(e.Label2.Visible());
    EXPECT_EQ(e.Label2.Caption(), "   Invalid!");
    EXPECT_EQ(ContactLog.Rec[3].Call, "N0CALL");

    e.txtEditPre.setText("il");
    e.cmdDone.RaiseClick();
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(ContactLog.Rec[3].Spc, "IL");
    EXPECT_EQ(ContactLog.Rec[3].SentCounty, "Alderbrook") << "written trimmed, as the scan compared it";
    EXPECT_EQ(deleteDupeCalls, 0);
}

// Done checks the time, then the date; either stops it before the scan. The St / Prv / Country is
// upper-cased first all the same.
TEST_F(DEEditInfrmTest, ABadTimeOrDateStopsDoneBeforeTheScan) {
    setLog({contact("K1ABC", "Larkmoor", "Lowater"), contact("K1ABC", "Larkmoor", "Lowater")});
    struct Case { const char* date; const char* time; const char* title; };
    const Case cases[] = {
        {"2013/02/30", "24:00", "Invalid Time Format!"},
        {"2013/02/30", "14:01", "Invalid Date Format!"},
        {"15 Sep 2013", "14:01", "Invalid Date Format!"},
    };
    for (const Case& c : cases) {
        DEEditInfrmWindow& e = open(2);
        e.txtEditPre.setText("ab");
        e.txtEditDate.setText(c.date);
        e.txtEditTime.setText(c.time);
        Fakes().dialogs.AnswerMsgBox(vbOK);
        e.cmdDone.RaiseClick();
        ASSERT_EQ(Fakes().dialogs.shown.size(), 1) << c.date << " " << c.time;
        EXPECT_EQ(Fakes().dialogs.shown.back().title, c.title);
        EXPECT_EQ(Fakes().dialogs.beeps, 1) << "the message's beep only: no scan, no SPC check";
        EXPECT_FALSE(e.Label1.Visible());
        EXPECT_FALSE(e.Label2.Visible());
        EXPECT_EQ(e.txtEditPre.Text(), "AB");
        EXPECT_TRUE(e.isVisible());
        vb::Unload(e);
        Fakes().dialogs.shown.clear();
        Fakes().dialogs.beeps = 0;
    }
}

// The St / Prv / Country box completes country names of the prefix table and capitalises only the
// key typed at its start; Done then passes an abbreviation of the section table or any text of
// four or more characters.
TEST_F(DEEditInfrmTest, StPrvCountryCompletesCountriesAndIsCheckedByDone) {
    setLog({contact("K1ABC", "Larkmoor", "Lowater")});
    struct Case {
        const char* typed;
        const char* shown; // after the keys
        const char* saved; // nullptr: Done refuses it
    };
    const Case cases[] = {
        {"i", "Italy", "Italy"},     // the last row that begins with the key
        {"ic", "Iceland", "Iceland"},
        {"il", "Il", "IL"},          // no country: the keys stay as typed, Done capitalises
        {"ger", "Germany", "Germany"},
        {"q\"u", "Qu", "QU"},        // a Canadian section; the double quote never arrives
        {" il", " il", nullptr},     // a blank at the start goes in and fails
        {"zz", "Zz", nullptr},
        {"", "", nullptr},
    };
    for (const Case& c : cases) {
        DEEditInfrmWindow& e = open(1);
        retype(e.txtEditPre, c.typed);
        EXPECT_EQ(e.txtEditPre.Text(), c.shown) << c.typed;
        const QString before = ContactLog.Rec[1].Spc;
        e.cmdDone.RaiseClick();
        if (c.saved) {
            EXPECT_FALSE(e.isVisible()) << c.typed;
            EXPECT_EQ(ContactLog.Rec[1].Spc, c.saved);
        } else {
            EXPECT_TRUE(e.isVisible()) << c.typed;
            EXPECT_TRUE(e.Label2.Visible()) << c.typed;
            EXPECT_EQ(ContactLog.Rec[1].Spc, before) << "nothing written";
        }
        vb::Unload(e);
    }
    // A key typed at the start of a filled box empties it first.
    DEEditInfrmWindow& e = open(1);
    e.txtEditPre.SetFocus();
    e.txtEditPre.setSelStart(0);
    QTest::keyClicks(e.txtEditPre.widget(), "c");
    EXPECT_EQ(e.txtEditPre.Text(), "Canada");
}

// Leaving a county box checks it: the County may be empty, the County Sent may not.
TEST_F(DEEditInfrmTest, CountyBoxesAreCheckedOnLeaving) {
    setLog({contact("K1ABC", "Larkmoor", "Lowater")});
    DEEditInfrmWindow& e = open(1);
    struct Case { vb::TextBox* box; vb::Label* mark; const char* text; bool passes; };
    const Case cases[] = {
        {&e.txtEditSec, &e.Label7, "", true},
        {&e.txtEditSec, &e.Label7, "Nowhere", false},
        {&e.txtEditSec, &e.Label7, "hollin", true},
        {&e.Text3, &e.Label9, "", false},
        {&e.Text3, &e.Label9, "Lowater ", false},
        {&e.Text3, &e.Label9, "LOWATER", true},
    };
    for (const Case& c : cases) {
        c.box->SetFocus();
        c.box->setText(c.text);
        const int beeps = Fakes().dialogs.beeps;
        QTest::keyClick(c.box->widget(), Qt::Key_Tab);
        EXPECT_EQ(c.mark->Visible(), !c.passes) << c.box->Name.toStdString() << " '" << c.text << "'";
        EXPECT_EQ(c.box->HasFocus(), !c.passes) << c.text;
        EXPECT_EQ(Fakes().dialogs.beeps, beeps + (c.passes ? 0 : 1)) << c.text;
        EXPECT_EQ(tylog::Run.InvalidCountyFlag, c.passes ? 0 : 1) << c.text;
    }

    // Typing completes county names in both, the double quote never arrives.
    retype(e.txtEditSec, "ce\"dar h");
    EXPECT_EQ(e.txtEditSec.Text(), "Cedar Hollow");
    retype(e.Text3, "low");
    EXPECT_EQ(e.Text3.Text(), "Lowater");
}

// Enter in a county box runs Done and leaves the box as it was, caret at the start or not.
TEST_F(DEEditInfrmTest, EnterInTheCountySentBoxRunsDone) {
    setLog({contact("K1ABC", "Larkmoor", "Lowater")});
    DEEditInfrmWindow& e = open(1);
    e.Text3.SetFocus();
    e.Text3.setSelStart(0);
    QTest::keyClick(e.Text3.widget(), Qt::Key_Return);
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(e.Text3.Text(), "Lowater");
    EXPECT_EQ(ContactLog.Rec[1].SentCounty, "Lowater");
    EXPECT_EQ(Fakes().dialogs.beeps, 0);
}

// Delete Dupe closes the editor and asks the window that opened it to delete the edited contact.
TEST_F(DEEditInfrmTest, DeleteDupeHidesAndCallsBack) {
    setLog({contact("K1ABC", "Larkmoor", "Lowater"), contact("K1ABC", "Larkmoor", "Lowater")});
    DEEditInfrmWindow& e = open(2);
    bool hiddenFirst = false;
    e.onDeleteDupe = [&] {
        ++deleteDupeCalls;
        hiddenFirst = !e.isVisible();
    };
    e.cmdDone.RaiseClick();
    ASSERT_TRUE(e.cmdDeleteDupe.Visible());
    QTest::mouseClick(e.cmdDeleteDupe.widget(), Qt::LeftButton);
    EXPECT_EQ(deleteDupeCalls, 1);
    EXPECT_TRUE(hiddenFirst);
    EXPECT_FALSE(e.isVisible());
}

} // namespace
