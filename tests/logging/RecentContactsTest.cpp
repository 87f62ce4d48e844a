// The recent-contacts list of the out-of-state window: selecting, editing and deleting contacts,
// last 20 or all, the partial-duplicate switch, column sort and the copy to the clipboard.
#include "logtools/DEEditOut.h"
#include "tests/logging/LogWindowFixture.h"

using namespace tylog;
using namespace tylog::testing;

namespace {

class RecentContactsTest : public LogWindowTest {
protected:
    // Acts in the editor when it is shown modally.
    void inEditor(std::function<void(DEEditOutWindow&)> act) {
        editorShown = 0;
        platform().onModalShown = [this, act](vb::Form& f) {
            auto* e = dynamic_cast<DEEditOutWindow*>(&f);
            ASSERT_NE(e, nullptr) << f.Name.toStdString();
            ++editorShown;
            act(*e);
            if (e->isVisible()) e->Hide(); // whatever the test did, the modal show ends
        };
    }
    int editorShown = 0;
};

TEST_F(RecentContactsTest, AClickOnARowShowsEditAndDelete) {
    OutfrmWindow& w = open();
    QTest::mouseClick(w.ListView1.tree()->viewport(), Qt::LeftButton);
    EXPECT_FALSE(w.cmdEdit.Visible()) << "an empty list shows no buttons";
    vb::DiscardAllForms();

    OutfrmWindow& w2 = open(Lines(3));
    EXPECT_FALSE(w2.cmdEdit.Visible());
    EXPECT_EQ(w2.ListView1.ToolTipText(), "Click record to edit or delete.");
    clickRow(w2, 1);
    EXPECT_TRUE(w2.cmdEdit.Visible());
    EXPECT_TRUE(w2.cmdDelete.Visible());
    EXPECT_EQ(w2.SelectedRecord(), 2);
}

TEST_F(RecentContactsTest, DeleteAsksAndRenumbersTheLaterRecords) {
    OutfrmWindow& w = open(Lines(12));
    clickRow(w, rowOf(w, 5));
    Fakes().dialogs.AnswerMsgBox(vbNo);
    QTest::mouseClick(w.cmdDelete.widget(), Qt::LeftButton);
    const auto& box = Fakes().dialogs.shown.back();
    EXPECT_EQ(box.prompt, "Are you sure?");
    EXPECT_EQ(box.title, "Are you sure?");
    EXPECT_EQ(box.buttons, vbYesNo);
    EXPECT_EQ(ContactLog.Count, 12);
    EXPECT_EQ(logLines(), 12);
    EXPECT_FALSE(w.cmdEdit.Visible());
    EXPECT_FALSE(w.cmdDelete.Visible());

    clickRow(w, rowOf(w, 5));
    Fakes().dialogs.AnswerMsgBox(vbYes);
    QTest::mouseClick(w.cmdDelete.widget(), Qt::LeftButton);
    EXPECT_EQ(ContactLog.Count, 11);
    EXPECT_EQ(folder.read("log.txt"), Lines(4) + Lines(12).mid(Lines(5).size()));
    EXPECT_EQ(w.ListView1.ItemCount(), 11);
    EXPECT_EQ(w.ListView1.ItemText(rowOf(w, 5), 1), "K6A") << "record 6 is now record 5";
    EXPECT_EQ(rowOf(w, 12), -1);
    EXPECT_FALSE(w.cmdEdit.Visible());
    EXPECT_TRUE(w.txtCall.HasFocus());
}

// Without a selected row Edit and Delete do nothing at all.
TEST_F(RecentContactsTest, EditAndDeleteWithoutASelectedRowDoNothing) {
    OutfrmWindow& w = open(Lines(3));
    w.ListView1.SetFocus(); // the view gives a row the keyboard focus, but none is selected
    w.cmdDelete.setVisible(true);
    w.cmdEdit.setVisible(true);
    platform().onModalShown = [](vb::Form& f) { ADD_FAILURE() << f.Name.toStdString() << " opened"; f.Hide(); };
    QTest::mouseClick(w.cmdDelete.widget(), Qt::LeftButton);
    QTest::mouseClick(w.cmdEdit.widget(), Qt::LeftButton);
    EXPECT_TRUE(Fakes().dialogs.shown.size() == 1) << "only the start-up question";
    EXPECT_EQ(ContactLog.Count, 3);

    // A row whose number names no record (the file shrank behind the list) is no contact either.
    clickRow(w, rowOf(w, 3));
    ContactLog.Count = 2;
    w.cmdDelete_Click();
    w.cmdEdit_Click();
    EXPECT_TRUE(Fakes().dialogs.shown.size() == 1);
}

TEST_F(RecentContactsTest, EditOpensTheEditorOnTheSelectedRecordAndRewritesTheLog) {
    OutfrmWindow& w = open(Lines(3));
    clickRow(w, rowOf(w, 2));
    inEditor([](DEEditOutWindow& e) {
        EXPECT_EQ(e.txtEditCall.Text(), "K2A");
        e.txtEditCall.setText("K2AB");
        e.txtEditPre.setText("Lowater");
        e.cmdDone.RaiseClick();
    });
    QTest::mouseClick(w.cmdEdit.widget(), Qt::LeftButton);
    EXPECT_EQ(editorShown, 1);
    EXPECT_EQ(vb::IfLoaded<DEEditOutWindow>(), nullptr) << "unloaded after it closed";
    EXPECT_FALSE(w.cmdEdit.Visible());
    EXPECT_EQ(tylog::Run.EditIndex, 2);
    ContactRecord r = ContactLog.Rec[2];
    EXPECT_EQ(r.Call, "K2AB");
    EXPECT_EQ(r.County, "Lowater");
    EXPECT_TRUE(folder.read("log.txt").contains(LogLine(r)));
    EXPECT_EQ(w.ListView1.ItemText(rowOf(w, 2), 1), "K2AB");
    EXPECT_EQ(w.lblTotSec.Caption(), "2") << "rescored";

    // Closed without Done: the log is written again, unchanged (here: in the store's own form).
    const QByteArray before = folder.read("log.txt");
    folder.write("log.txt", QByteArray(before).replace(",\"PH\"", ", PH"));
    clickRow(w, rowOf(w, 1));
    inEditor([](DEEditOutWindow& e) { e.txtEditCall.setText("CHANGED"); });
    w.cmdEdit_Click();
    EXPECT_EQ(folder.read("log.txt"), before);
}

TEST_F(RecentContactsTest, TheRightButtonEditsTheRowUnderIt) {
    OutfrmWindow& w = open(Lines(3));
    QString shown;
    inEditor([&](DEEditOutWindow& e) { shown = e.txtEditCall.Text(); });
    clickRow(w, rowOf(w, 3), Qt::RightButton);
    EXPECT_EQ(editorShown, 1);
    EXPECT_EQ(shown, "K3A");
    vb::DiscardAllForms();

    OutfrmWindow& empty = open();
    inEditor([](DEEditOutWindow&) {});
    QTest::mouseClick(empty.ListView1.tree()->viewport(), Qt::RightButton);
    EXPECT_EQ(editorShown, 0);
}

// "Delete Dupe" deletes the contact being edited, after the same question.
TEST_F(RecentContactsTest, DeleteDupeDeletesTheEditedContact) {
    for (int answer : {vbNo, vbYes}) {
        OutfrmWindow& w = open(Contact("K1ABC") + Contact("W2XYZ", "Lowater") + Contact("N3Q"));
        clickRow(w, rowOf(w, 2));
        inEditor([answer](DEEditOutWindow& e) {
            e.txtEditCall.setText("K1ABC");
            e.txtEditPre.setText("Larkmoor");
            e.cmdDone.RaiseClick();
            ASSERT_TRUE(e.cmdDeleteDupe.Visible());
            Fakes().dialogs.AnswerMsgBox(answer);
            QTest::mouseClick(e.cmdDeleteDupe.widget(), Qt::LeftButton);
            EXPECT_FALSE(e.isVisible());
        });
        w.cmdEdit_Click();
        EXPECT_EQ(Fakes().dialogs.shown.back().title, "Are you sure?");
        if (answer == vbNo) {
            EXPECT_EQ(ContactLog.Count, 3);
            EXPECT_EQ(ContactLog.Rec[2].Call, "W2XYZ") << "the record keeps its old values";
        } else {
            EXPECT_EQ(ContactLog.Count, 2);
            EXPECT_EQ(folder.read("log.txt"), Contact("K1ABC") + Contact("N3Q"));
        }
        vb::DiscardAllForms();
    }
}

TEST_F(RecentContactsTest, LastTwentyOrAll) {
    OutfrmWindow& w = open(Lines(25));
    EXPECT_EQ(w.ListView1.ItemCount(), 20);
    EXPECT_EQ(w.ListView1.ItemText(0), "25") << "newest first";
    EXPECT_EQ(w.ListView1.ItemText(19), "6");
    QTest::mouseClick(w.cmdList.widget(), Qt::LeftButton);
    EXPECT_EQ(w.cmdList.Caption(), "All");
    EXPECT_EQ(w.ListView1.ItemCount(), 25);
    EXPECT_TRUE(w.txtCall.HasFocus());
    QTest::mouseClick(w.cmdList.widget(), Qt::LeftButton);
    EXPECT_EQ(w.cmdList.Caption(), "Last 20");
    EXPECT_EQ(w.ListView1.ItemCount(), 20);
}

TEST_F(RecentContactsTest, ThePartialDuplicateSwitch) {
    OutfrmWindow& w = open();
    EXPECT_EQ(w.cmdDup.Caption(), "On");
    w.lblDupe.setBackColor(0xC0C000);
    w.lblDupe.setCaption("K1ABC");
    QTest::mouseClick(w.cmdDup.widget(), Qt::LeftButton);
    EXPECT_EQ(w.cmdDup.Caption(), "Off");
    EXPECT_FALSE(tylog::Run.PartialDupeDisplay);
    EXPECT_EQ(w.lblDupe.BackColor(), DupeEmptyBackColor);
    EXPECT_EQ(w.lblDupe.Caption(), "K1ABC") << "the text stays";
    EXPECT_TRUE(w.txtCall.HasFocus());
    QTest::mouseClick(w.cmdDup.widget(), Qt::LeftButton);
    EXPECT_EQ(w.cmdDup.Caption(), "On");
    EXPECT_TRUE(tylog::Run.PartialDupeDisplay);
}

TEST_F(RecentContactsTest, ColumnSortAndCopyToTheClipboard) {
    OutfrmWindow& w = open(Lines(12));
    const QString header = "Rec#\tCall\tRec\tCounty\tSnt\tDate/Time\tMo\tBnd\r\n";
    auto row = [](int i) {
        return QString("%1\tK%1A\t5\tLarkmoor\t%1\t09/15 14:01\tPH\t20\r\n").arg(i);
    };
    pick(w.mnuCopyListtoClipboard);
    QString expected = header;
    for (int i = 1; i <= 12; ++i) expected += row(i);
    EXPECT_EQ(Fakes().clipboard.text, expected) << "oldest first";

    // The record numbers sort as text; the copy then runs from the last row up.
    QHeaderView* h = w.ListView1.tree()->header();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(h->sectionViewportPosition(0) + 3, h->height() / 2));
    QStringList order;
    for (int i = 0; i < w.ListView1.ItemCount(); ++i) order << w.ListView1.ItemText(i);
    EXPECT_EQ(order, QStringList({"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"}));
    pick(w.mnuCopyListtoClipboard);
    expected = header;
    for (int i : {9, 8, 7, 6, 5, 4, 3, 2, 12, 11, 10, 1}) expected += row(i);
    EXPECT_EQ(Fakes().clipboard.text, expected);

    // The next fill brings back the newest-first order.
    QTest::mouseClick(w.cmdList.widget(), Qt::LeftButton);
    EXPECT_EQ(w.ListView1.ItemText(0), "12");
}

TEST_F(RecentContactsTest, AnEmptyListCopiesTheHeaderOnly) {
    OutfrmWindow& w = open();
    Fakes().clipboard.text = "old";
    pick(w.mnuCopyListtoClipboard);
    EXPECT_EQ(Fakes().clipboard.text, "Rec#\tCall\tRec\tCounty\tSnt\tDate/Time\tMo\tBnd\r\n");
}

} // namespace

TEST_F(RecentContactsTest, EachContactLoggedListsTheNewestTwentyWhateverTheListShowedBefore) {
    OutfrmWindow& w = open(Lines(19));
    w.cmdLogOn_Click();
    auto logged = [&](const char* call) {
        w.txtCall.SetFocus();
        keys(QString(call) + " 5 lar\r");
    };
    auto expectNewest = [&](int count, const char* when) {
        const int rows = std::min(count, 20);
        ASSERT_EQ(w.ListView1.ItemCount(), rows) << when;
        for (int r = 0; r < rows; ++r) {
            EXPECT_EQ(w.ListView1.ItemText(r), QString::number(count - r)) << when << " row " << r;
            EXPECT_EQ(w.ListView1.ItemText(r, 1), ContactLog.Rec[static_cast<size_t>(count - r)].Call) << when;
        }
    };
    logged("W1AA");
    expectNewest(20, "the list growing to twenty");
    logged("W1AB");
    expectNewest(21, "the oldest row dropping out");

    // A sort, the earlier contacts of a call, a selected row: the next contact lists the newest again.
    w.ListView1_ColumnClick(1);
    ASSERT_EQ(w.ListView1.ItemText(0), "10") << "the record numbers sorted as text";
    logged("W1AC");
    expectNewest(22, "after a sort");
    pick(w.mnuListPrevious);
    w.txtCall.SetFocus();
    keys("K3A");
    keys(" ");
    ASSERT_EQ(w.ListView1.ItemCount(), 1) << "the earlier contacts of K3A";
    w.ClearEntry();
    logged("W1AD");
    expectNewest(23, "after the earlier contacts of a call");
    clickRow(w, 3);
    logged("W1AE");
    expectNewest(24, "with a row selected");
}
