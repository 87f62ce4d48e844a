// The band plan: the shipped BandPlan.txt, its reader as the privileges chart and the radio take it,
// and the radio mode it gives a frequency.
#include "core/ProcessState.h"
#include "platform/TextFile.h"
#include "rig/BandRules.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace tylog;
using namespace tylog::testing;

namespace {

QByteArray planFile(const QByteArray& rows) { return "\"March 5, 2012\"\r\n" + rows; }

QString rowText(const BandPlanRow& r) {
    return QStringLiteral("%1 %2 %3 %4-%5").arg(r.Band, r.Class, r.Mode).arg(r.LowMHz).arg(r.HighMHz);
}

} // namespace

// What the chart and the radio rely on in the shipped file: it reads whole, each class's rows follow
// their band's "O" row inside its edges, no class has more bands than the chart draws, and the Extra
// rows give the modes a US Extra class operator expects.
TEST(BandPlan, ShippedPlanIsWholeAndOrdered) {
    const BandPlanFile plan = ReadBandPlan(ReadAllBytes(ShippedDataFolder() + "/BandPlan.txt"));
    ASSERT_TRUE(plan.Complete);
    EXPECT_EQ(plan.EffectiveDate, "October 13, 2017");
    ASSERT_LE(plan.Rows.size(), 200u);

    const BandPlanRow* band = nullptr;
    std::set<QString> bandsSeen;
    std::map<QString, int> bandsOfClass;
    QString lastClassBand;
    for (const BandPlanRow& r : plan.Rows) {
        EXPECT_LT(r.LowMHz, r.HighMHz) << rowText(r).toStdString();
        if (r.Class == "O") {
            EXPECT_TRUE(bandsSeen.insert(r.Band).second) << "band twice: " << r.Band.toStdString();
            band = &r;
            continue;
        }
        ASSERT_NE(band, nullptr);
        EXPECT_EQ(r.Band, band->Band) << "a class row away from its band: " << rowText(r).toStdString();
        EXPECT_TRUE(QString("NTPGAE").contains(r.Class) && r.Class.size() == 1) << rowText(r).toStdString();
        EXPECT_TRUE(r.Mode == "CW" || r.Mode == "PH") << rowText(r).toStdString();
        EXPECT_GE(r.LowMHz, band->LowMHz) << rowText(r).toStdString();
        EXPECT_LE(r.HighMHz, band->HighMHz) << rowText(r).toStdString();
        if (lastClassBand != r.Class + r.Band) ++bandsOfClass[r.Class];
        lastClassBand = r.Class + r.Band;
    }
    for (const auto& [cls, bands] : bandsOfClass) EXPECT_LE(bands, 20) << cls.toStdString();
    EXPECT_EQ(bandsOfClass.size(), 6u);

    const std::vector<BandPlanRow> extra = BandPlanExtraRows(ReadAllBytes(ShippedDataFolder() + "/BandPlan.txt"));
    const std::pair<float, const char*> modes[] = {
        {1.85f, ""},      {3.55f, "CW"},   {3.8f, "LSB"},   {5.3585f, "USB"}, {7.02f, "CW"},
        {7.2f, "LSB"},    {10.12f, "CW"},  {14.025f, "CW"}, {14.2f, "USB"},   {18.13f, "USB"},
        {21.3f, "USB"},   {28.475f, "USB"}, {28.1f, "CW"},  {50.05f, "CW"},   {146.52f, "USB"},
        {5.368f, ""},     {11.0f, ""},
    };
    for (const auto& [mhz, mode] : modes) EXPECT_EQ(BandPlanModeFor(mhz, extra), mode) << mhz;
}

TEST(BandPlan, ChartReadingStopsAtWhatCannotBeReadAndPassesOverBlankLines) {
    const QByteArray rows = "\"20\",\"O\",\"PH\",14,14.35\r\n\"20\",\"E\",\"CW\",14,14.15\r\n";
    struct Case {
        const char* what;
        QByteArray bytes;
        bool complete;
        size_t rows;
    } cases[] = {
        {"plain", planFile(rows), true, 2},
        {"blank lines, trailing blanks and tabs", "\r\n\"March 5, 2012\"  \r\n\r\n" + rows + "   \r\n\t\r\n\r\n", true, 2},
        {"LF and CR line ends", "\"March 5, 2012\"\n\"20\",\"O\",\"PH\",14,14.35\r\"20\",\"E\",\"CW\",14,14.15", true, 2},
        {"a row cut short at the end", planFile(rows + "\"20\",\"G\",\"CW\",14.025"), false, 2},
        {"an edge that is no number", planFile(rows + "\"20\",\"G\",\"CW\",14.025,abc\r\n" + rows), false, 2},
        {"a sixth value", planFile(rows + "\"20\",\"G\",\"CW\",14.025,14.15,1\r\n"), false, 2},
        {"only the date", "\"March 5, 2012\"\r\n", true, 0},
    };
    for (const Case& c : cases) {
        const BandPlanFile f = ReadBandPlan(c.bytes);
        EXPECT_TRUE(f.DateRead) << c.what;
        EXPECT_EQ(f.EffectiveDate, "March 5, 2012") << c.what;
        EXPECT_EQ(f.Complete, c.complete) << c.what;
        EXPECT_EQ(f.Rows.size(), c.rows) << c.what;
        EXPECT_FALSE(f.TooManyRows) << c.what;
    }
    const BandPlanFile two = ReadBandPlan(planFile(rows));
    EXPECT_EQ(rowText(two.Rows[1]), "20 E CW 14-14.15");

    for (const QByteArray& empty : {QByteArray(), QByteArray("\r\n  \r\n")}) {
        const BandPlanFile f = ReadBandPlan(empty);
        EXPECT_FALSE(f.DateRead);
        EXPECT_FALSE(f.Complete);
    }
    // Unquoted, a comma ends the date.
    EXPECT_EQ(ReadBandPlan("March 5, 2012\r\n" + rows).EffectiveDate, "March 5");
}

TEST(BandPlan, MoreThanTwoHundredRowsAreNoChartButTheExtraRowsStopAtTwoHundred) {
    QByteArray many;
    for (int i = 0; i < 200; ++i) many += "\"20\",\"E\",\"CW\",14,14.15\r\n";
    EXPECT_TRUE(ReadBandPlan(planFile(many)).Complete);
    const BandPlanFile over = ReadBandPlan(planFile(many + "\"20\",\"E\",\"PH\",14.15,14.35\r\n"));
    EXPECT_TRUE(over.TooManyRows);
    EXPECT_FALSE(over.Complete);
    EXPECT_EQ(over.Rows.size(), 200u);

    // The radio keeps the first 200 Extra rows: the 201st, the only phone row, is not among them.
    const std::vector<BandPlanRow> extra = BandPlanExtraRows(planFile(many + "\"20\",\"E\",\"PH\",14.15,14.35\r\n"));
    EXPECT_EQ(extra.size(), 200u);
    EXPECT_EQ(BandPlanModeFor(14.2f, extra), "");
}

TEST(BandPlan, ExtraRowsAloneChooseTheMode) {
    const QByteArray bytes = planFile(
        "\"40\",\"O\",\"PH\",7,7.3\r\n"
        "\"40\",\"G\",\"CW\",7.025,7.125\r\n"
        "\"40\",\"E\",\"PH\",7.125,7.3\r\n"
        "\r\n"
        "\"40\",\"E\",\"CW\",7.0,\r\n" // no upper edge: passed over
        "\"20\",\"E\",\"CW\",14,14.15\r\n"
        "\"20\",\"E\",\"PH\",14.1,14.35\r\n" // overlaps the row above, which comes first
        "\"60\",\"E\",\"PH\",5.3306,5.3334\r\n"
        "\"80\",\"E\",\"PH\",3.6,4\r\n"
        "\"160\",\"E\",\"CW\",1.8,2\r\n"
        "\"2\",\"E\",\"DIGI\",144.9,145.1\r\n");
    const std::vector<BandPlanRow> extra = BandPlanExtraRows(bytes);
    ASSERT_EQ(extra.size(), 7u);
    const std::pair<float, const char*> cases[] = {
        {7.2f, "LSB"},    {3.7f, "LSB"},  {14.2f, "USB"}, {14.12f, "CW"}, // the first row that holds it
        {14.0f, ""},      {14.15f, "USB"}, {14.35f, ""},                  // edges belong to no row
        {7.05f, ""},      {7.1f, ""},                                     // a General row, a row passed over
        {1.9f, ""},       {5.332f, "USB"},                                // no mode on 160 m; 60 m is USB
        {145.0f, "DIGI"}, {0.0f, ""},     {30.0f, ""},
    };
    for (const auto& [mhz, mode] : cases) EXPECT_EQ(BandPlanModeFor(mhz, extra), mode) << mhz;
}

TEST(BandPlan, LoadBandPlanExtraReadsTheProgramFolderAndGivesNoneWithoutTheFile) {
    ScratchFolder folder;
    Folders.ProgramFolder = folder.path();
    EXPECT_TRUE(LoadBandPlanExtra().empty());
    folder.write("bandplan.TXT", ReadAllBytes(ShippedDataFolder() + "/BandPlan.txt"));
    const std::vector<BandPlanRow> extra = LoadBandPlanExtra();
    ASSERT_FALSE(extra.empty());
    for (const BandPlanRow& r : extra) EXPECT_EQ(r.Class, "E");
}
