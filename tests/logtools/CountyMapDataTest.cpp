// The shipped county map: one hot spot per county of the county file, each centred on white inside its
// own area, so the map window's fill from it paints that area and nothing of another county or of the
// background. And the hot-spot table's reader.
#include "core/ProcessState.h"
#include "logstore/CountyTable.h"
#include "logtools/CountyMapData.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"
#include "platform/vb/PictureBox.h"
#include "tests/support/TestSupport.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace tylog;
using namespace tylog::testing;

namespace {

QPoint centrePixel(const CountyHotSpot& s) {
    const QPointF c = s.Centre();
    return {static_cast<int>(std::nearbyint(c.x())), static_cast<int>(std::nearbyint(c.y()))};
}

bool isWhite(const QImage& img, QPoint p) { return (img.pixel(p) & 0xFFFFFF) == 0xFFFFFF; }

} // namespace

TEST(CountyMapData, ShippedMapHasOneHotSpotPerCountyWhoseFillStaysInItsArea) {
    ScratchFolder folder;
    folder.copyShipped("TYCounty.txt");
    folder.copyShipped("TYCountyMap.bmp");
    // Found whatever the spelling on disk.
    folder.write("tycountymap.TXT", ReadAllBytes(ShippedDataFolder() + "/TYCountyMap.txt"));
    Folders.ProgramFolder = folder.path();
    Station.HostState = "TY";
    LoadCounties();
    ASSERT_EQ(CountyTable.Count, 134);

    const std::vector<CountyHotSpot> spots = LoadCountyHotSpots();
    ASSERT_EQ(spots.size(), 134u);
    const QImage map(CountyMapPicturePath());
    ASSERT_EQ(map.size(), QSize(622, 273));
    for (int y = 0; y < map.height(); ++y)
        for (int x = 0; x < map.width(); ++x) {
            const QRgb p = map.pixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(p == 0xFFFFFF || p == 0) << "pixel " << x << "," << y << " is neither black nor white";
        }
    const QPoint corner(0, 0);
    ASSERT_TRUE(isWhite(map, corner));

    for (int i = 1; i <= static_cast<int>(CountyTable.Count); ++i) {
        const QString& name = CountyTable.Name[static_cast<size_t>(i)];
        SCOPED_TRACE(name.toStdString());
        std::vector<size_t> matches;
        for (size_t k = 0; k < spots.size(); ++k)
            if (spots[k].Name == name) matches.push_back(k);
        ASSERT_EQ(matches.size(), 1u);
        const CountyHotSpot& spot = spots[matches[0]];
        const QPoint c = centrePixel(spot);
        ASSERT_TRUE(map.rect().contains(c));
        ASSERT_TRUE(isWhite(map, c));

        QImage painted = map;
        EXPECT_GT(vb::FloodFill(painted, c.x(), c.y(), 0xFFFFFF, 0x3366CC), 0);
        EXPECT_TRUE(isWhite(painted, corner)) << "the fill reached the background";
        for (const CountyHotSpot& other : spots) {
            if (&other == &spot) continue;
            EXPECT_TRUE(isWhite(painted, centrePixel(other))) << "the fill reached " << other.Name.toStdString();
        }
    }
}

TEST(CountyMapData, ReadsNamesAndWholePixelsAndRefusesWhatIsNotATable) {
    const QByteArray table = CrLfLines({"\"Cedar Hollow\",12,30,20,14", "\"Yorvale City\", 160 ,41,6,6"});
    EXPECT_EQ(ReadCountyHotSpots(table),
              (std::vector<CountyHotSpot>{{"Cedar Hollow", 12, 30, 20, 14}, {"Yorvale City", 160, 41, 6, 6}}));
    EXPECT_EQ(ReadCountyHotSpots(table)[0].Centre(), QPointF(22, 37));
    EXPECT_TRUE(ReadCountyHotSpots({}).empty());

    const struct {
        const char* what;
        QByteArray bytes;
        int error;
    } bad[] = {
        {"a line cut short", CrLfLines({"\"Alderbrook\",12,30"}), VbError::InputPastEnd},
        {"a number that is none", CrLfLines({"\"Alderbrook\",12,x,20,14"}), VbError::TypeMismatch},
        {"a number beyond a long", CrLfLines({"\"Alderbrook\",12,30,1E12,14"}), VbError::Overflow},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.what);
        try {
            ReadCountyHotSpots(c.bytes);
            ADD_FAILURE() << "read without an error";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, c.error);
        }
    }
}
