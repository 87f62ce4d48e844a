// Logging a contact in the in-state window as an operator types it: the checks in their order, the
// record stored, the counters, lists and score after it, and the mends of the commit's faults.
#include "core/SectionTable.h"
#include "logging/MultiplierRules.h"
#include "logstore/CountyTable.h"
#include "tests/logging/InfrmFixture.h"

#include <algorithm>

using namespace tylog;
using namespace tylog::testing;

namespace {

class InfrmCommitTest : public InfrmFixture {
protected:
    QByteArray logged() const { return folder.read("log.txt"); }
};

TEST_F(InfrmCommitTest, AContactTypedBoxByBoxIsStoredCountedAndListed) {
    InfrmWindow& w = open();
    tylog::Run.RigFrequencyText = "14.250";
    log(w, "n0abc", "7", "TY", "alde"); // the county's abbreviation, in lower case
    EXPECT_EQ(logged(), "\"N0ABC\",\"\",\"\",\"TY\",\"Alderbrook\",\"\",\"Larkmoor\",\"\",\"\",\"\",\"001\",\"2013/09/15\","
                        "\"14:01:02\",\"PH\",\"20\",0,\"\",\"\",\"7\",\"14.250\"\r\n");
    EXPECT_EQ(ContactLog.Count, 1);
    EXPECT_EQ(w.Label1.Caption(), "002");
    EXPECT_EQ(w.ListView1.ItemText(0, 1), "N0ABC");
    EXPECT_EQ(w.ListView1.ItemText(0, 3), "TY");
    EXPECT_EQ(w.List2.List(0), "Alderbrook");
    EXPECT_EQ(w.lblStation[8].Caption(), "Cnty Wkd - 1");
    EXPECT_EQ(w.lblStation[7].Caption(), "Cnty Rem - " + QString::number(CountyTable.Count - 1));
    EXPECT_EQ(w.lblTotScore.Caption(), "1");
    EXPECT_TRUE(tylog::Run.TimeOnRunning);
    EXPECT_TRUE(tylog::Run.RigFrequencyText.isEmpty());
    // The line is empty again and the call box has the focus.
    for (vb::TextBox* t : {&w.txtCall, &w.txtRSTR, &w.txtCntry, &w.txtSec}) EXPECT_EQ(t->Text(), "");
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall.widget());

    // A state marks its grid label; a DX country joins the sorted list; a county typed for a station
    // outside the host state is dropped.
    log(w, "k1abc", "3", "oh", "Larkmoor");
    log(w, "dl1ab", "9", "Germany");
    log(w, "ja1ab", "9", "Japan");
    log(w, "ea1ab", "9", "Spain");
    EXPECT_EQ(ContactLog.Rec[2].County, "");
    EXPECT_EQ(w.Label10[FindSection("OH")].ForeColor(), 0x00FF00);
    EXPECT_EQ(w.List1.List(0), "Germany");
    EXPECT_EQ(w.List1.List(2), "Spain");
    EXPECT_EQ(w.lblStation[5].Caption(), "DX - 3");
    // 1 + 1 + 3 x 1 points; 3 DX + 1 state + 1 county.
    EXPECT_EQ(w.Label27.Caption(), "5");
    EXPECT_EQ(w.lblTotScore.Caption(), "25");
    const QString shown = w.lblTotScore.Caption();
    // The reload counts them all the same.
    w.ReloadAndRescore();
    EXPECT_EQ(w.lblTotScore.Caption(), shown);
}

// The three lists keep alphabetical order (letter case aside) whatever order their entries come in:
// from the log and the county file at the load, one by one at each commit, and again at a reload.
TEST_F(InfrmCommitTest, TheListsStaySortedWhateverOrderTheirEntriesComeIn) {
    QByteArray log0;
    log0 += Contact({.call = "EA1AB", .spc = "Spain", .county = ""});
    log0 += Contact({.call = "N0AA", .county = "Zephyr Plains"});
    log0 += Contact({.call = "DL1AB", .spc = "Germany", .county = ""});
    log0 += Contact({.call = "N0BB", .county = "Ardenport City"});
    InfrmWindow& w = open(log0);
    const auto items = [](const vb::ListBox& l) {
        QStringList out;
        for (int i = 0; i < l.ListCount(); ++i) out << l.List(i);
        return out;
    };
    const auto lessNoCase = [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; };
    const auto expectSorted = [&](const char* when) {
        const QStringList toWork = items(w.List3);
        // The county file lists its cities after the counties: the list interleaves them.
        EXPECT_TRUE(std::is_sorted(toWork.begin(), toWork.end(), lessNoCase)) << when;
        EXPECT_EQ(toWork.size() + w.List2.ListCount(), static_cast<int>(CountyTable.Count)) << when;
        EXPECT_EQ(toWork.last(), "Yorvale City") << when;
    };
    EXPECT_EQ(items(w.List1), QStringList({"Germany", "Spain"}));
    EXPECT_EQ(items(w.List2), QStringList({"Ardenport City", "Zephyr Plains"}));
    expectSorted("at the load");

    log(w, "ja1ab", "1", "Japan");
    log(w, "vk2ab", "1", "Australia");
    log(w, "n0cc", "1", "TY", "bellc"); // abbreviations, as operators type them
    log(w, "n0dd", "1", "TY", "alde");
    const QStringList dx{"Australia", "Germany", "Japan", "Spain"};
    const QStringList worked{"Alderbrook", "Ardenport City", "Bellhaven City", "Zephyr Plains"};
    EXPECT_EQ(items(w.List1), dx);
    EXPECT_EQ(items(w.List2), worked);
    expectSorted("after the commits");

    w.ReloadAndRescore();
    EXPECT_EQ(items(w.List1), dx);
    EXPECT_EQ(items(w.List2), worked);
    expectSorted("after a reload");
}

TEST_F(InfrmCommitTest, AnEmptyLineIsRefusedWithTheLastMessageAndStartsTheClock) {
    InfrmWindow& w = open();
    const int beeps = Fakes().dialogs.beeps;
    w.txtCall.SetFocus();
    enter(w.txtCall);
    // The call box's Time On reminder, then three missing boxes and the section check.
    EXPECT_EQ(Fakes().dialogs.beeps - beeps, 5);
    EXPECT_EQ(w.lblDialog.Caption(), "Invald Section!");
    EXPECT_EQ(QApplication::focusWidget(), w.txtCntry.widget());
    EXPECT_EQ(ContactLog.Count, 0);
    EXPECT_TRUE(tylog::Run.TimeOnRunning);
}

TEST_F(InfrmCommitTest, EachRefusalNamesWhatIsWrongAndStoresNothing) {
    struct Case {
        const char *call, *serial, *spc, *county, *message;
        vb::TextBox InfrmWindow::*focus;
    };
    const Case cases[] = {
        {"N0ABC", "7", "TY", "", "Need County!", &InfrmWindow::txtSec},
        {"N0", "7", "OH", "", "Need Call Sign!", &InfrmWindow::txtCall},
        {"N0ABC", "", "OH", "", "Need Serial!", &InfrmWindow::txtRSTR},
        {"N0ABC", "7", "XX", "", "Invald Section!", &InfrmWindow::txtCntry},
        {"N0ABC", "7", "TY", "Nowhere", "Nowhere is not a valid county!", &InfrmWindow::txtSec},
        // What the prefix lookup writes when no country matched is no country.
        {"N0ABC", "7", "Not Found", "", "Need Country!", &InfrmWindow::txtCntry},
    };
    InfrmWindow& w = open();
    for (const Case& c : cases) {
        for (vb::TextBox* t : {&w.txtCall, &w.txtRSTR, &w.txtCntry, &w.txtSec}) t->setText(QString());
        w.txtCall.setText(c.call);
        w.txtRSTR.setText(c.serial);
        w.txtCntry.setText(c.spc);
        w.txtSec.setText(c.county);
        w.Mains();
        EXPECT_EQ(w.lblDialog.Caption(), c.message) << c.message;
        EXPECT_EQ(QApplication::focusWidget(), (w.*c.focus).widget()) << c.message;
        EXPECT_EQ(w.txtCall.Text(), c.call) << c.message; // the line keeps what was typed
    }
    EXPECT_EQ(ContactLog.Count, 0);
    EXPECT_EQ(logged(), "");
}

TEST_F(InfrmCommitTest, ADuplicateTypedWithTheCountysAbbreviationIsRefused) {
    InfrmWindow& w = open(Contact({.call = "N0ABC", .county = "Alderbrook"}));
    w.txtCall.setText("N0ABC");
    w.txtRSTR.setText("8");
    w.txtCntry.setText("TY");
    w.txtSec.setText("alde");
    w.Mains();
    EXPECT_EQ(ContactLog.Count, 1);
    EXPECT_TRUE(w.lblDialog.Caption().startsWith("Duplicate N0ABC 09/15 14:01:02  Rec#  1"));
    EXPECT_EQ(w.lblDialog.BackColor(), 0x0000FF);
    EXPECT_EQ(w.txtCall.Text(), "");
}

TEST_F(InfrmCommitTest, AStationOutsideTheHostStateIsStoredWithoutTheCountyOfAnEarlierContact) {
    // Worked as a host-state station on 40 m; on 20 m now from Ohio.
    InfrmWindow& w = open(Contact({.call = "K8MOV", .spc = "TY", .county = "Alderbrook", .band = "40"}));
    log(w, "K8MOV", "8", "OH");
    ASSERT_EQ(ContactLog.Count, 2);
    EXPECT_EQ(ContactLog.Rec[2].County, "");
    EXPECT_EQ(w.List2.ListCount(), 1);
}

TEST_F(InfrmCommitTest, CountriesThatAreNoDXCountNeitherAtTheCommitNorAfterAReload) {
    QByteArray log0;
    log0 += Contact({.call = "VE3AB", .spc = "Canada", .county = ""});
    log0 += Contact({.call = "Q1ABC", .spc = "Not Found", .county = ""});
    log0 += Contact({.call = "KL7AB", .spc = "Alaska", .county = ""});
    log0 += Contact({.call = "DL1AB", .spc = "Germany", .county = "", .band = "40"});
    InfrmWindow& w = open(log0);
    EXPECT_EQ(w.List1.ListCount(), 1);
    log(w, "KH6AB", "1", "Hawaii");
    log(w, "W1AW", "1", "USA");
    EXPECT_EQ(w.List1.ListCount(), 1);
    const QString score = w.lblTotScore.Caption();
    w.SelectBand("40");
    EXPECT_EQ(w.lblTotScore.Caption(), score);
    // Germany is in the 40 m list, so not new there; new on 20 m and on 2 m.
    const auto& lists = w.DXWorkedList;
    EXPECT_FALSE(IsNewDX("germany", "40", lists, tylog::Run.DXWorkedCount));
    EXPECT_TRUE(IsNewDX("Germany", "20", lists, tylog::Run.DXWorkedCount));
    EXPECT_TRUE(IsNewDX("Germany", "2", lists, tylog::Run.DXWorkedCount));
    EXPECT_FALSE(IsNewDX("Canada", "2", lists, tylog::Run.DXWorkedCount));
}

TEST_F(InfrmCommitTest, MobilesScoreThreeOnlyInTheHostStateAndDigitalCountsWithCW) {
    InfrmWindow& w = open();
    log(w, "K4ABC/M", "1", "TY", "Larkmoor");
    EXPECT_EQ(tylog::Run.QsoPoints, 3);
    log(w, "K4XYZ/M", "1", "OH");
    EXPECT_EQ(tylog::Run.QsoPoints, 4);
    w.mnuDigital_Click();
    log(w, "K5DG", "1", "TX");
    EXPECT_EQ(tylog::Run.QsoPoints, 6);
    EXPECT_EQ(w.lblsectogo.Caption(), "1");
    EXPECT_EQ(w.lblTotCon.Caption(), "2");
}

TEST_F(InfrmCommitTest, NothingIsStoredWhenTheAppendFails) {
    InfrmWindow& w = open();
    // The log file turned into a folder: the append cannot open it.
    QFile::remove(folder.file("log.txt"));
    QDir().mkpath(folder.file("log.txt"));
    Fakes().dialogs.AnswerMsgBox(vbOK);
    log(w, "N0ABC", "7", "TY", "Larkmoor");
    EXPECT_EQ(ContactLog.Count, 0);
    EXPECT_EQ(Fakes().dialogs.shown.back().title, "Unable to write file.");
    EXPECT_EQ(w.txtCall.Text(), "N0ABC");
    EXPECT_EQ(w.List2.ListCount(), 0);
}

} // namespace

namespace {

TEST(MultiplierRules, BandListsAndWhatCountsAsDX) {
    const std::pair<const char*, int> bands[] = {{"160", 1}, {"80", 2}, {"40", 3}, {"20", 4}, {"15", 5}, {"10", 6},
                                                 {"6", 7},   {"2", 0},  {"1.25", 0}, {"70", 0}, {"30", 0}, {"16", 0},
                                                 {"", 0},    {"100", 0}, {"5", 0}};
    for (auto [band, k] : bands) EXPECT_EQ(DXBandIndex(band), k) << band;
    for (const char* dx : {"Germany", "japan", "Aland Is."}) EXPECT_TRUE(CountsAsDX(dx)) << dx;
    for (const char* no : {"CAN", "TY", "canada", "USA", "ALASKA", "hawaii", "not found", ""}) EXPECT_FALSE(CountsAsDX(no)) << no;
}

} // namespace
