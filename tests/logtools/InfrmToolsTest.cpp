// The in-state window's tools driven from the window as the operator drives them: its contact editor
// opened by "Edit Contact" or the right button, Done, the close box and "Delete Dupe"; the county
// list; the own-county dialog's close box; the rover list going with the window.
#include "core/SectionTable.h"
#include "logtools/CountyChange.h"
#include "logtools/CountyList.h"
#include "logtools/DEEditInfrm.h"
#include "platform/Platform.h"
#include "tests/logging/InfrmFixture.h"

#include <QTreeWidget>
#include <functional>

using namespace tylog;
using namespace tylog::testing;

namespace {

class InfrmToolsTest : public InfrmFixture {
protected:
    // The list row of a record number; -1 when not listed.
    static int rowOf(InfrmWindow& w, int record) {
        for (int i = 0; i < w.ListView1.ItemCount(); ++i)
            if (w.ListView1.ItemText(i) == QString::number(record)) return i;
        return -1;
    }

    static void clickRow(InfrmWindow& w, int record, Qt::MouseButton button = Qt::LeftButton) {
        QTreeWidget* t = w.ListView1.tree();
        const int row = rowOf(w, record);
        ASSERT_GE(row, 0) << record;
        QTest::mouseClick(t->viewport(), button, Qt::NoModifier, t->visualItemRect(t->topLevelItem(row)).center());
    }

    // Acts in the in-state editor when it is shown modally.
    void inEditor(std::function<void(DEEditInfrmWindow&)> act) {
        editorShown = 0;
        platform().onModalShown = [this, act](vb::Form& f) {
            auto* e = dynamic_cast<DEEditInfrmWindow*>(&f);
            if (!e) {
                ADD_FAILURE() << f.Name.toStdString() << " opened";
                f.Hide();
                return;
            }
            ++editorShown;
            act(*e);
            if (e->isVisible()) e->Hide(); // whatever the test did, the modal show ends
        };
    }

    static void retype(vb::TextBox& box, const QString& text) {
        box.SetFocus();
        box.setText(QString());
        QTest::keyClicks(box.widget(), text);
    }

    int editorShown = 0;
};

TEST_F(InfrmToolsTest, EditContactOpensTheEditorAndDoneRewritesAndRescores) {
    InfrmWindow& w = open(Contact({.call = "N0ABC", .county = "Alderbrook"}) +
                          Contact({.call = "W1AW", .spc = "CT", .county = ""}) +
                          Contact({.call = "DL1AB", .spc = "Germany", .county = ""}));
    const int ct = FindSection("CT");
    ASSERT_EQ(w.Label10[ct].ForeColor(), Station.WorkedColor);
    ASSERT_EQ(w.List1.ListCount(), 1);
    ASSERT_EQ(tylog::Run.MultiplierCount, 1);
    ASSERT_EQ(w.lblTotScore.Caption(), "9"); // 3 multipliers times 3 phone contacts

    clickRow(w, 2);
    ASSERT_TRUE(w.cmdEdit.Visible());
    inEditor([](DEEditInfrmWindow& e) {
        EXPECT_EQ(e.txtEditCall.Text(), "W1AW");
        EXPECT_EQ(e.txtEditPre.Text(), "CT");
        retype(e.txtEditPre, "Japan");
        retype(e.txtEditBnd, "CW");
        QTest::mouseClick(e.cmdDone.widget(), Qt::LeftButton);
        EXPECT_FALSE(e.isVisible()) << "Done closes the editor";
    });
    QTest::mouseClick(w.cmdEdit.widget(), Qt::LeftButton);
    ASSERT_EQ(editorShown, 1);
    EXPECT_EQ(vb::IfLoaded<DEEditInfrmWindow>(), nullptr) << "unloaded after it closed";
    EXPECT_FALSE(w.cmdEdit.Visible());
    EXPECT_EQ(tylog::Run.EditIndex, 2);

    const ContactRecord& r = ContactLog.Rec[2];
    EXPECT_EQ(r.Call, "W1AW");
    EXPECT_EQ(r.Spc, "Japan");
    EXPECT_EQ(r.Mode, "CW");
    EXPECT_TRUE(folder.read("log.txt").contains(LogLine(r)));
    // Rescored: CT off the grid, Japan on the DX list, the score anew, the list row as written.
    EXPECT_EQ(w.Label10[ct].ForeColor(), Station.RemainingColor);
    EXPECT_EQ(w.List1.ListCount(), 2);
    EXPECT_EQ(tylog::Run.MultiplierCount, 0);
    EXPECT_EQ(w.lblTotScore.Caption(), "12") << "3 multipliers, a CW contact for 2 points";
    EXPECT_EQ(w.ListView1.ItemText(rowOf(w, 2), 3), "Japan");
}

// The right button opens the editor on the row under it; closed by its close box, whatever it shows
// is dropped, and log.txt is written again all the same (here: from the store's own form).
TEST_F(InfrmToolsTest, ClosingTheEditorWithoutDoneStillRewritesTheLog) {
    InfrmWindow& w = open(Contact({.call = "N0ABC", .county = "Alderbrook"}) +
                          Contact({.call = "W1AW", .spc = "CT", .county = ""}));
    const QByteArray stored = folder.read("log.txt");
    folder.write("log.txt", QByteArray(stored).replace(",\"PH\"", ", PH"));
    QString shown;
    inEditor([&](DEEditInfrmWindow& e) {
        shown = e.txtEditCall.Text();
        retype(e.txtEditCall, "K9CHG");
        e.close();
    });
    clickRow(w, 1, Qt::RightButton);
    ASSERT_EQ(editorShown, 1);
    EXPECT_EQ(shown, "N0ABC");
    EXPECT_EQ(vb::IfLoaded<DEEditInfrmWindow>(), nullptr);
    EXPECT_EQ(folder.read("log.txt"), stored);
    EXPECT_EQ(ContactLog.Rec[1].Call, "N0ABC");
}

// "Delete Dupe" deletes the contact being edited once "Are you sure?" is answered Yes.
TEST_F(InfrmToolsTest, DeleteDupeDeletesTheEditedContact) {
    const QByteArray first = Contact({.call = "N0ABC", .county = "Alderbrook"});
    const QByteArray third = Contact({.call = "W1AW", .spc = "CT", .county = ""});
    for (int answer : {vbNo, vbYes}) {
        InfrmWindow& w = open(first + Contact({.call = "N0XYZ", .county = "Lowater"}) + third);
        clickRow(w, 2);
        inEditor([answer](DEEditInfrmWindow& e) {
            retype(e.txtEditCall, "N0ABC");
            retype(e.txtEditSec, "Alderbrook");
            QTest::mouseClick(e.cmdDone.widget(), Qt::LeftButton);
            ASSERT_TRUE(e.cmdDeleteDupe.Visible()) << "the edit made a duplicate of record 1";
            EXPECT_EQ(e.Label1.Caption(), "  Dupe!");
            Fakes().dialogs.AnswerMsgBox(answer);
            QTest::mouseClick(e.cmdDeleteDupe.widget(), Qt::LeftButton);
            EXPECT_FALSE(e.isVisible());
        });
        QTest::mouseClick(w.cmdEdit.widget(), Qt::LeftButton);
        ASSERT_EQ(editorShown, 1);
        EXPECT_EQ(Fakes().dialogs.shown.back().title, "Are you sure?");
        if (answer == vbNo) {
            EXPECT_EQ(ContactLog.Count, 3);
            EXPECT_EQ(ContactLog.Rec[2].Call, "N0XYZ") << "the record keeps its old values";
            EXPECT_EQ(w.List2.ListCount(), 2);
        } else {
            EXPECT_EQ(ContactLog.Count, 2);
            EXPECT_EQ(folder.read("log.txt"), first + third);
            EXPECT_EQ(w.List2.ListCount(), 1) << "Lowater is worked no more";
            EXPECT_EQ(w.ListView1.ItemCount(), 2);
        }
        vb::DiscardAllForms();
    }
}

// "L&ist" in the in-state window: the county clicked goes into this window's county box.
TEST_F(InfrmToolsTest, CountyListPutsTheClickedCountyIntoTheCountyBox) {
    InfrmWindow& w = open();
    w.txtCntry.setText("TY");
    w.txtSec.setText("Lark");
    platform().onModalShown = [](vb::Form& f) {
        auto* list = dynamic_cast<frmCountyListWindow*>(&f);
        if (!list) {
            ADD_FAILURE() << f.Name.toStdString() << " opened";
            f.Hide();
            return;
        }
        QTreeWidget* t = list->ListView1.tree();
        QTreeWidgetItem* lowater = t->findItems("Lowater", Qt::MatchExactly, 0).value(0);
        ASSERT_NE(lowater, nullptr);
        t->scrollToItem(lowater);
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(lowater).center());
        if (f.isVisible()) f.Hide();
    };
    w.mnuCountyList.action()->trigger();
    EXPECT_EQ(w.txtSec.Text(), "Lowater");
    EXPECT_EQ(vb::IfLoaded<frmCountyListWindow>(), nullptr);
}

// The own-county dialog closed by its close box stores nothing; the window still saves the settings
// and shows the own county it has.
TEST_F(InfrmToolsTest, OwnCountyDialogClosedByItsCloseBoxStoresNothing) {
    Station.RoverFlag = 1;
    InfrmWindow& w = open();
    bool shown = false;
    platform().onModalShown = [&](vb::Form& f) {
        auto& d = dynamic_cast<frmCountyChangeWindow&>(f);
        shown = true;
        d.Text1.SetFocus();
        QTest::keyClicks(d.Text1.widget(), "low");
        EXPECT_EQ(d.Text1.Text(), "Lowater");
        d.close();
    };
    w.Label25.setCaption("stale");
    w.mnuChangeCounty()->action()->trigger();
    platform().onModalShown = nullptr;
    ASSERT_TRUE(shown);
    EXPECT_EQ(vb::IfLoaded<frmCountyChangeWindow>(), nullptr);
    EXPECT_EQ(Station.CurrentCounty, "Larkmoor");
    EXPECT_EQ(w.Label25.Caption(), "Larkmoor");
    const QByteArray settings = folder.read("QSOpref.txt");
    EXPECT_TRUE(settings.contains("\"Larkmoor\""));
    EXPECT_FALSE(settings.contains("Lowater"));
}

// The rover list lives as long as the in-state window: closing the window unloads it, so its
// counties are not replayed into a later run's contacts.
TEST_F(InfrmToolsTest, TheRoverListGoesWithTheWindow) {
    Station.RoverFlag = 1;
    InfrmWindow& w = open();
    for (const char* c : {"Alderbrook", "Larkmoor"}) frmCountyChangeRover().List1.AddItem(c);
    ASSERT_NE(vb::IfLoaded<frmCountyChangeRoverWindow>(), nullptr);
    w.close();
    EXPECT_EQ(vb::IfLoaded<InfrmWindow>(), nullptr);
    EXPECT_EQ(vb::IfLoaded<frmCountyChangeRoverWindow>(), nullptr);
}

} // namespace
