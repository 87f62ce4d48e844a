// The own-county dialog and the rover county list, driven as an operator drives them: keys into the
// county box, Enter, clicks on the list, the check box and the buttons.
#include "core/ProcessState.h"
#include "core/StationSettingsFile.h"
#include "logstore/CountyTable.h"
#include "logtools/CountyChange.h"
#include "platform/vb/Design.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace tylog;
using namespace tylog::testing;

namespace {

class CountyChangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.copyShipped("TYCounty.txt");
        Folders.ProgramFolder = folder.path();
        Station.HostState = "TY";
        Station.CurrentCounty = "Larkmoor";
        LoadCounties();
    }

    // Types into the box that has the focus; "\r" is Enter, "\b" Backspace.
    static void keys(const QString& text) {
        for (QChar c : text) {
            QWidget* target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr);
            if (c == '\r') QTest::keyClick(target, Qt::Key_Return);
            else if (c == '\b') QTest::keyClick(target, Qt::Key_Backspace);
            else QTest::keyClick(target, c.toLatin1());
        }
    }

    static void clickEntry(vb::ListBox& list, int i) {
        QListWidget* w = list.list();
        QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, w->visualItemRect(w->item(i)).center());
    }

    static QStringList entries(const vb::ListBox& list) {
        QStringList out;
        for (int i = 0; i < list.ListCount(); ++i) out << list.List(i);
        return out;
    }

    // What a new run reads from the settings file.
    static QString savedCounty() {
        const StationSettings kept = Station;
        LoadStationSettings();
        const QString county = Station.CurrentCounty;
        Station = kept;
        return county;
    }

    ScratchFolder folder;
};

// Enter stores the box at once, county or not, and saves the settings; the box completes county
// names as they are typed and never takes a double quote.
TEST_F(CountyChangeTest, EnterStoresTheBoxAsTheOwnCounty) {
    struct Case { const char* typed; const char* stored; };
    const Case cases[] = {
        {"low\r", "Lowater"},
        {"lark\"moor\r", "Larkmoor"},  // the quote is dropped
        {"\"\r", "Larkmoor"},          // a quote alone changes nothing
        {"xy\r", "Xy"},                // no county: stored all the same
        {"\b\r", ""},                  // Backspace at the start empties the box
        {"cedar h\r", "Cedar Hollow"}, // a capital after the blank
    };
    for (const Case& c : cases) {
        Station.CurrentCounty = "Larkmoor";
        frmCountyChangeWindow& d = frmCountyChange();
        ShowActive(d);
        ASSERT_TRUE(d.Text1.HasFocus());
        EXPECT_EQ(d.Text1.Text(), "Larkmoor");
        EXPECT_EQ(d.Text1.SelLength(), 8) << "the whole county is chosen on entry";
        keys(c.typed);
        EXPECT_FALSE(d.isVisible()) << c.typed;
        EXPECT_EQ(Station.CurrentCounty, c.stored) << c.typed;
        EXPECT_EQ(savedCounty(), c.stored) << c.typed;
        EXPECT_EQ(Fakes().dialogs.beeps, 0) << "no check before storing";
        vb::Unload(d);
    }
}

// The own county goes into every record logged after it: a double quote must not reach it, neither
// pasted nor already in the box when Done runs.
TEST_F(CountyChangeTest, NoDoubleQuoteReachesTheOwnCounty) {
    frmCountyChangeWindow& d = frmCountyChange();
    ShowActive(d);
    Fakes().clipboard.text = "Low\"ater";
    QTest::keyClick(d.Text1.widget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(d.Text1.Text(), "Lowater");

    d.Text1.setText("Lark\"moor\"");
    QTest::mouseClick(d.Command1.widget(), Qt::LeftButton);
    EXPECT_EQ(Station.CurrentCounty, "Larkmoor");
    EXPECT_EQ(savedCounty(), "Larkmoor");
    EXPECT_FALSE(folder.read("QSOpref.txt").contains("Lark\"moor"));
}

// Leaving the box with no county of the table warns (beep, mark, focus back); a county hides the mark.
TEST_F(CountyChangeTest, LeavingTheBoxChecksTheCounty) {
    frmCountyChangeWindow& d = frmCountyChange();
    ShowActive(d);
    struct Case { const char* text; bool passes; };
    for (const Case& c : {Case{"Nowhere", false}, Case{"", false}, Case{"Larkmoor ", false}, Case{"LOWATER", true}}) {
        d.Text1.SetFocus();
        d.Text1.setText(c.text);
        const int beeps = Fakes().dialogs.beeps;
        QTest::keyClick(d.Text1.widget(), Qt::Key_Tab);
        EXPECT_EQ(d.Label2.Visible(), !c.passes) << c.text;
        EXPECT_EQ(d.Text1.HasFocus(), !c.passes) << c.text;
        EXPECT_EQ(Fakes().dialogs.beeps, beeps + (c.passes ? 0 : 1)) << c.text;
        EXPECT_EQ(tylog::Run.InvalidCountyFlag, c.passes ? 0 : 1);
    }
    EXPECT_EQ(d.Label2.Caption(), "   Invalid!");
    EXPECT_EQ(d.Label2.ForeColor(), 0xFFFFFF);
    EXPECT_EQ(d.Label2.BackColor(), 0x000080);
}

TEST_F(CountyChangeTest, RoverListTakesCountiesOnEnterInAlphabeticalOrder) {
    frmCountyChangeRoverWindow& r = frmCountyChangeRover();
    ShowActive(r);
    EXPECT_EQ(r.Text1.Text(), "Larkmoor") << "the own county to start with";
    EXPECT_EQ(r.List1.ListCount(), 0);
    EXPECT_EQ(r.Check1.Value(), 0);

    keys("\b\r");
    EXPECT_EQ(Fakes().dialogs.beeps, 1) << "an empty box is no county";
    EXPECT_TRUE(r.Label2.Visible());
    EXPECT_EQ(r.List1.ListCount(), 0);

    keys("low\r");
    EXPECT_FALSE(r.Label2.Visible());
    EXPECT_EQ(r.Text1.Text(), "") << "emptied for the next county";
    keys("bir\r");
    keys("cedar h\r");
    EXPECT_EQ(entries(r.List1), QStringList({"Birchmere", "Cedar Hollow", "Lowater"}));

    // A county already listed is refused, whatever its letter case.
    keys("LOWATER\r");
    EXPECT_EQ(Fakes().dialogs.beeps, 2);
    EXPECT_FALSE(r.Label2.Visible()) << "a county, only listed already";
    EXPECT_EQ(entries(r.List1), QStringList({"Birchmere", "Cedar Hollow", "Lowater"}));
    EXPECT_EQ(r.Text1.Text(), "LOWATER");

    // The check runs on Enter only: leaving the box shows nothing.
    r.Text1.setText("Nowhere");
    QTest::keyClick(r.Text1.widget(), Qt::Key_Tab);
    EXPECT_FALSE(r.Label2.Visible());
    EXPECT_EQ(Fakes().dialogs.beeps, 2);
    r.Text1.SetFocus();
    keys("\r");
    EXPECT_TRUE(r.Label2.Visible());
    EXPECT_EQ(r.List1.ListCount(), 3);
}

// A click on an entry removes it at once; a click on an entry that moved into its place removes that
// one too. The check box changes and hands the focus to Done.
TEST_F(CountyChangeTest, RoverListClicksRemoveEntriesAndTheCheckBox) {
    frmCountyChangeRoverWindow& r = frmCountyChangeRover();
    ShowActive(r);
    keys("\blow\rbir\rcedar h\r");
    ASSERT_EQ(r.List1.ListCount(), 3);
    clickEntry(r.List1, 1);
    EXPECT_EQ(entries(r.List1), QStringList({"Birchmere", "Lowater"}));
    EXPECT_TRUE(r.Command1.HasFocus());
    clickEntry(r.List1, 1);
    EXPECT_EQ(entries(r.List1), QStringList({"Birchmere"}));

    r.Text1.SetFocus();
    QTest::mouseClick(r.Check1.widget(), Qt::LeftButton);
    EXPECT_EQ(r.Check1.Value(), 1);
    EXPECT_TRUE(r.Command1.HasFocus());
    EXPECT_EQ(Fakes().dialogs.beeps, 0);
}

// The rover button: the rover list's Done hands its first county to the own-county dialog, which
// stores it. The list hides itself and keeps its counties for the next opening; closed otherwise it
// is unloaded, and the own-county dialog stores its box as it was.
TEST_F(CountyChangeTest, RoverButtonStoresTheListsFirstCountyAndKeepsTheList) {
    auto inRover = [](std::function<void(frmCountyChangeRoverWindow&)> act) {
        platform().onModalShown = [act](vb::Form& f) {
            auto* r = dynamic_cast<frmCountyChangeRoverWindow*>(&f);
            ASSERT_NE(r, nullptr) << f.Name.toStdString();
            QApplication::setActiveWindow(r);
            act(*r);
            if (r->isVisible()) r->Hide();
        };
    };
    auto openOwnCounty = [] {
        frmCountyChangeWindow& d = frmCountyChange();
        ShowActive(d);
        return &d;
    };

    // An empty list leaves the own county as the box shows it.
    frmCountyChangeWindow* d = openOwnCounty();
    d->Text1.setText("Lowater");
    inRover([](frmCountyChangeRoverWindow& r) { QTest::mouseClick(r.Command1.widget(), Qt::LeftButton); });
    QTest::mouseClick(d->cmdMultipleCounties.widget(), Qt::LeftButton);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(Station.CurrentCounty, "Lowater");
    vb::Unload(*d);

    // Counties typed B, then A: A is entry 0 and becomes the own county.
    d = openOwnCounty();
    inRover([this](frmCountyChangeRoverWindow& r) {
        r.Text1.SetFocus();
        keys("\blow\rbir\r");
        QTest::mouseClick(r.Check1.widget(), Qt::LeftButton);
        QTest::mouseClick(r.Command1.widget(), Qt::LeftButton);
    });
    QTest::mouseClick(d->cmdMultipleCounties.widget(), Qt::LeftButton);
    EXPECT_EQ(Station.CurrentCounty, "Birchmere");
    EXPECT_EQ(savedCounty(), "Birchmere");
    vb::Unload(*d);
    ASSERT_NE(vb::IfLoaded<frmCountyChangeRoverWindow>(), nullptr) << "hidden, kept loaded";
    EXPECT_EQ(entries(frmCountyChangeRover().List1), QStringList({"Birchmere", "Lowater"}));

    // The next opening shows the list and the check box as they were left; the close box unloads.
    d = openOwnCounty();
    d->Text1.setText("Hollin");
    QStringList seen;
    int check = -1;
    inRover([&](frmCountyChangeRoverWindow& r) {
        seen = entries(r.List1);
        check = r.Check1.Value();
        r.close();
    });
    QTest::mouseClick(d->cmdMultipleCounties.widget(), Qt::LeftButton);
    EXPECT_EQ(seen, QStringList({"Birchmere", "Lowater"}));
    EXPECT_EQ(check, 1);
    EXPECT_EQ(vb::IfLoaded<frmCountyChangeRoverWindow>(), nullptr);
    EXPECT_EQ(Station.CurrentCounty, "Hollin");
    EXPECT_EQ(frmCountyChangeRover().List1.ListCount(), 0) << "a fresh list";
}

TEST_F(CountyChangeTest, DialogsAreLaidOutAsDesigned) {
    frmCountyChangeWindow own; // not loaded: the design values, before the load scales them
    EXPECT_EQ(vb::DesignDifferences(own, {.Caption = "County Change", .ClientWidth = 3210, .ClientHeight = 2100},
                                    {
                                        {own.Label1, "Please enter your current county:", 120, 120, 3375, 255, 2},
                                        {own.Text1, {}, 720, 600, 1575, 285, 0},
                                        {own.Label2, "   Invalid!", 2400, 600, 735, 255, 3,
                                         {.FontName = "Arial", .FontSize = 8.25, .Visible = false}},
                                        {own.Command1, "&Done", 960, 1560, 1215, 375, 1},
                                        {own.cmdMultipleCounties, "&Rovers on County Lines Click to Add Multiple Counties",
                                         240, 960, 2775, 495, 4},
                                    })
                  .join('\n')
                  .toStdString(),
              "");
    frmCountyChangeRoverWindow rover;
    EXPECT_EQ(
        vb::DesignDifferences(
            rover, {.Caption = "County Change for Rovers", .ClientWidth = 3615, .ClientHeight = 3330, .BorderStyle = 2},
            {
                {rover.Label1, "Please enter your current counties.  Click on listed counties to remove.", 480, 120, 2775, 495, 3},
                {rover.List1, {}, 480, 720, 2775, 840, 4},
                {rover.Text1, {}, 480, 1680, 1575, 285, 0},
                {rover.Label2, "   Invalid!", 2520, 1680, 735, 255, 2, {.Visible = false}},
                {rover.Label3, "Type the county and the press enter to add to the list.", 480, 2040, 2895, 495, 5},
                {rover.Check1, "Increment serial # sent for each", 480, 2520, 2775, 255, 6},
                {rover.Command1, "&Done", 1200, 2880, 1215, 375, 1},
            })
            .join('\n')
            .toStdString(),
        "");
}

// On a screen twice the design's width the windows and their controls double, but the control fonts
// grow 1.5 times only; the window is centred without being raised.
TEST_F(CountyChangeTest, DialogScalingCapsTheFontGrowth) {
    Fakes().screen.width = 19200;
    Fakes().screen.height = 14400;
    frmCountyChangeWindow design;
    frmCountyChangeWindow& d = frmCountyChange();
    EXPECT_DOUBLE_EQ(d.Width(), design.Width() * 2);
    EXPECT_DOUBLE_EQ(d.Height(), design.Height() * 2);
    EXPECT_DOUBLE_EQ(d.Left(), (19200 - d.Width()) / 2);
    EXPECT_DOUBLE_EQ(d.Top(), (14400 - d.Height()) / 2);
    EXPECT_DOUBLE_EQ(d.Text1.Left(), 720 * 2);
    EXPECT_DOUBLE_EQ(d.Text1.Width(), 1575 * 2);
    EXPECT_DOUBLE_EQ(d.cmdMultipleCounties.Top(), 960 * 2);
    EXPECT_DOUBLE_EQ(d.Label2.FontSize(), 8.25 * 1.5);
    EXPECT_DOUBLE_EQ(d.Command1.FontSize(), design.Command1.FontSize() * 1.5);
    EXPECT_DOUBLE_EQ(d.FontSize(), design.FontSize() * d.Width() / 9600);

    Fakes().screen.width = 9600 * 1.2;
    Fakes().screen.height = 7200 * 0.9;
    frmCountyChangeRoverWindow& r = frmCountyChangeRover();
    frmCountyChangeRoverWindow roverDesign;
    EXPECT_DOUBLE_EQ(r.List1.Height(), 840 * 0.9);
    EXPECT_DOUBLE_EQ(r.Check1.Width(), 2775 * 1.2);
    EXPECT_DOUBLE_EQ(r.Check1.FontSize(), roverDesign.Check1.FontSize() * 1.2);
}

} // namespace
