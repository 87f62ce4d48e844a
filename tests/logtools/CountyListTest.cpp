// The county list window: the counties with their abbreviations, and a click that hands the county's
// name to the window that opened it.
#include "core/ProcessState.h"
#include "logstore/CountyTable.h"
#include "logtools/CountyList.h"
#include "platform/vb/Design.h"
#include "tests/support/TestSupport.h"

#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace tylog;
using namespace tylog::testing;

namespace {

class CountyListTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folders.ProgramFolder = folder.path();
        Station.HostState = "TY";
    }
    static void clickRow(frmCountyListWindow& w, int row) {
        QTreeWidget* t = w.ListView1.tree();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(t->topLevelItem(row)).center());
    }
    ScratchFolder folder;
};

TEST_F(CountyListTest, ListsEveryCountyAndHandsTheClickedNameOn) {
    folder.copyShipped("TYCounty.txt");
    LoadCounties();
    frmCountyListWindow& w = frmCountyList();
    QStringList picked;
    w.onCountyPicked = [&](const QString& county) { picked << county; };
    ShowActive(w);
    ASSERT_EQ(w.ListView1.ColumnCount(), 2);
    EXPECT_EQ(w.ListView1.ColumnText(0), "County");
    EXPECT_EQ(w.ListView1.ColumnText(1), "Abbreviation");
    ASSERT_EQ(w.ListView1.ItemCount(), 134);
    EXPECT_EQ(w.ListView1.ItemText(0, 0), "Alderbrook");
    EXPECT_EQ(w.ListView1.ItemText(0, 1), "ALDE");
    EXPECT_EQ(w.ListView1.ItemText(133, 0), CountyTable.Name[134]) << "in table order";

    clickRow(w, 15);
    EXPECT_EQ(picked, QStringList({"Cedar Hollow"})) << "the name, not the abbreviation";
    EXPECT_FALSE(w.isVisible());
}

// With no counties there are the headers and no rows; a click hands nothing on.
TEST_F(CountyListTest, AnEmptyTableGivesHeadersOnly) {
    frmCountyListWindow& w = frmCountyList();
    int picked = 0;
    w.onCountyPicked = [&](const QString&) { ++picked; };
    ShowActive(w);
    EXPECT_EQ(w.ListView1.ColumnCount(), 2);
    EXPECT_EQ(w.ListView1.ItemCount(), 0);
    QTest::mouseClick(w.ListView1.tree()->viewport(), Qt::LeftButton);
    EXPECT_EQ(picked, 0);
    EXPECT_TRUE(w.isVisible());
}

// The list sits high on the screen, its columns take the screen's width share after the scaling.
TEST_F(CountyListTest, ScaledHighOnTheScreenWithColumnsByScreenWidth) {
    {
        frmCountyListWindow design;
        EXPECT_EQ(vb::DesignDifferences(design, {.Caption = "County List", .ClientWidth = 3150, .ClientHeight = 6105},
                                        {{design.ListView1, {}, 120, 120, 2915, 5895}})
                      .join('\n')
                      .toStdString(),
                  "");
    }
    Fakes().screen.width = 19200;
    Fakes().screen.height = 14400;
    frmCountyListWindow design;
    frmCountyListWindow& w = frmCountyList();
    EXPECT_DOUBLE_EQ(w.Height(), design.Height() * 2);
    EXPECT_DOUBLE_EQ(w.Top(), (14400 - w.Height()) / 6);
    EXPECT_DOUBLE_EQ(w.Left(), (19200 - w.Width()) / 2);
    EXPECT_DOUBLE_EQ(w.ListView1.Width(), 2915 * 2);
    EXPECT_DOUBLE_EQ(w.ListView1.FontSize(), design.ListView1.FontSize() * 1.5);
    EXPECT_DOUBLE_EQ(w.ListView1.ColumnWidth(0), 2600);
    EXPECT_DOUBLE_EQ(w.ListView1.ColumnWidth(1), 2600);
}

} // namespace
