// The county map window: opened from either logging window's "M&ap" item, it paints each county of that
// window's worked-county list in its own area once it is up, shows the county names as tool tips and the hint
// only on an empty log, and opens as an empty map when its picture or table is missing or unreadable.
#include "logtools/CountyMapTY.h"
#include "platform/vb/Color.h"
#include "platform/vb/Design.h"
#include "tests/logging/InfrmFixture.h"
#include "tests/logging/LogWindowFixture.h"

#include <QFile>
#include <cmath>

using namespace tylog;
using namespace tylog::testing;
using Kind = vb::DrawItem::Kind;

namespace {

// The map over either logging window's fixture.
template <class WindowFixture>
class CountyMapOver : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        this->folder.copyShipped("TYCountyMap.bmp");
        this->folder.copyShipped("TYCountyMap.txt");
    }

    static QByteArray Worked(const QStringList& counties) {
        QByteArray out;
        for (int i = 0; i < counties.size(); ++i) out += WindowFixture::Contact(QString("K%1A").arg(i + 1), counties[i]);
        return out;
    }

    // Picks "M&ap" and runs `act` inside the modal window, then closes it by its close box.
    void openMap(LoggingWindow& w, const std::function<void(CountyMapTYWindow&)>& act) {
        bool shown = false;
        platform().onModalShown = [&](vb::Form& f) {
            auto* m = dynamic_cast<CountyMapTYWindow*>(&f);
            ASSERT_NE(m, nullptr) << f.Name.toStdString();
            shown = true;
            EXPECT_TRUE(m->ShownModal());
            act(*m);
            m->close();
        };
        w.mnuMap.action()->trigger();
        platform().onModalShown = nullptr;
        EXPECT_TRUE(shown);
        EXPECT_EQ(vb::IfLoaded<CountyMapTYWindow>(), nullptr) << "unloaded once closed";
    }

    // The shipped map as the box shows it: from its top left corner, cut to the drawing area.
    QImage shippedMap(const CountyMapTYWindow& m) const {
        const QImage map = QImage(this->folder.file("TYCountyMap.bmp")).convertToFormat(QImage::Format_RGB32);
        return map.copy(QRect(QPoint(0, 0), m.Picture1.Raster().size()));
    }

    static QPoint centre(const CountyHotSpot& s) {
        return {static_cast<int>(std::nearbyint(s.Centre().x())), static_cast<int>(std::nearbyint(s.Centre().y()))};
    }
    static const CountyHotSpot& spot(const CountyMapTYWindow& m, const QString& name) {
        for (const CountyHotSpot& s : m.HotSpots)
            if (s.Name == name) return s;
        throw std::runtime_error("no hot spot " + name.toStdString());
    }

    // Every pixel of the area around `from` on the unpainted map has `color` (BGR) on the box, and every
    // pixel outside the areas listed is as the map has it.
    static void expectPainted(const QImage& before, const QImage& after,
                              const std::vector<std::pair<QPoint, long>>& areas) {
        ASSERT_EQ(before.size(), after.size());
        std::vector<long> want(static_cast<size_t>(before.width() * before.height()), -1);
        for (const auto& [from, color] : areas) {
            QImage marked = before;
            ASSERT_GT(vb::FloodFill(marked, from.x(), from.y(), before.pixel(from), 0x010203), 0);
            for (int y = 0; y < before.height(); ++y)
                for (int x = 0; x < before.width(); ++x)
                    if (marked.pixel(x, y) != before.pixel(x, y)) want[static_cast<size_t>(y * before.width() + x)] = color;
        }
        int wrong = 0;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x) {
                const long w = want[static_cast<size_t>(y * before.width() + x)];
                const QRgb expected = w < 0 ? before.pixel(x, y) : vb::ToQColor(w).rgb();
                if ((after.pixel(x, y) & 0xFFFFFF) != (expected & 0xFFFFFF) && ++wrong <= 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << (w < 0 ? " changed" : " not in its county's colour");
            }
    }

    static std::vector<vb::DrawItem> fills(const CountyMapTYWindow& m) {
        std::vector<vb::DrawItem> out;
        for (const vb::DrawItem& d : m.Picture1.Drawn())
            if (d.kind == Kind::FloodFill) out.push_back(d);
        return out;
    }
};

using CountyMapTest = CountyMapOver<LogWindowTest>;
using CountyMapInstateTest = CountyMapOver<InfrmFixture>;

} // namespace

TEST_F(CountyMapTest, MapItemPaintsEveryWorkedCountyInItsOwnAreaOnceTheMapIsUp) {
    OutfrmWindow& w = open(Worked({"Larkmoor", "Alderbrook", "Cedar Hollow", "Ambervale"}));
    QStringList worked;
    for (int i = 0; i < w.List2.ListCount(); ++i) worked << w.List2.List(i);
    ASSERT_EQ(worked.size(), 4);
    Fakes().dialogs.shown.clear();

    openMap(w, [&](CountyMapTYWindow& m) {
        EXPECT_EQ(m.Caption(), " Tessaly County Map");
        EXPECT_FALSE(m.Label1.Visible()) << "the log has contacts";
        // Resting the mouse on a county shows its name; the hot spots themselves show nothing.
        ASSERT_EQ(m.lblCounty.Count(), 134);
        ASSERT_EQ(m.HotSpots.size(), 134u);
        for (int i = 0; i < 134; ++i) {
            const QString& name = m.HotSpots[static_cast<size_t>(i)].Name;
            EXPECT_EQ(m.lblCounty[i].widget()->toolTip(), name);
            EXPECT_EQ(m.lblCounty[i].Caption(), "");
            EXPECT_EQ(m.lblCounty[i].BackStyle(), 0) << name.toStdString();
            EXPECT_TRUE(m.lblCounty[i].Visible());
        }
        const QImage before = shippedMap(m);
        EXPECT_TRUE(m.Picture1.Drawn().empty()) << "nothing painted before the window is up";

        Fakes().clock.Advance(1);
        // One fill per entry, in the list's order, from its hot spot's centre over the white area.
        const std::vector<vb::DrawItem> painted = fills(m);
        ASSERT_EQ(painted.size(), 4u);
        std::vector<std::pair<QPoint, long>> areas;
        for (size_t i = 0; i < painted.size(); ++i) {
            const CountyHotSpot& s = spot(m, worked[static_cast<qsizetype>(i)]);
            EXPECT_DOUBLE_EQ(painted[i].x1, s.Centre().x() * 15);
            EXPECT_DOUBLE_EQ(painted[i].y1, s.Centre().y() * 15);
            EXPECT_EQ(painted[i].fill, vb::vbWhite);
            const QColor c = vb::ToQColor(painted[i].color);
            for (int v : {c.red(), c.green(), c.blue()}) EXPECT_TRUE(v >= 0 && v <= 253) << v;
            areas.emplace_back(centre(s), painted[i].color);
        }
        expectPainted(before, m.Picture1.Raster().convertToFormat(QImage::Format_RGB32), areas);

        Fakes().clock.Advance(1000);
        EXPECT_EQ(fills(m).size(), 4u) << "the timer ticks once";
    });
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

// Names match without regard to case, a name without a hot spot is passed over, a county listed twice
// is filled again from its first colour, and a colour drawn again that is already there fills nothing.
TEST_F(CountyMapTest, NamesMatchWithoutCaseAndARepeatedCountyIsFilledAgainUnlessTheColourIsTheSame) {
    const long c1 = vb::RGB(10, 20, 30), c2 = vb::RGB(200, 100, 50), c3 = vb::RGB(1, 2, 3);
    const struct {
        const char* what;
        QStringList worked;
        std::vector<long> colours;
        std::vector<std::pair<const char*, long>> fills; // county, then the surface it was filled over
        std::vector<std::pair<const char*, long>> shown;  // county, then its colour at the end
    } cases[] = {
        {"case, unknown names and a repeat",
         {"LARKMOOR", "Nowhere", "alderbrook", "Larkmoor"},
         {c1, c2, c3},
         {{"Larkmoor", vb::vbWhite}, {"Alderbrook", vb::vbWhite}, {"Larkmoor", c1}},
         {{"Larkmoor", c3}, {"Alderbrook", c2}}},
        {"the same colour twice", {"Larkmoor", "Larkmoor"}, {c1, c1}, {{"Larkmoor", vb::vbWhite}}, {{"Larkmoor", c1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CountyMapTYWindow& m = CountyMapTY();
        m.WorkedCounties = c.worked;
        size_t next = 0;
        m.CountyColor = [&] { return c.colours.at(next++); };
        const QImage before = shippedMap(m);
        Fakes().clock.Advance(1);
        const std::vector<vb::DrawItem> painted = fills(m);
        ASSERT_EQ(painted.size(), c.fills.size());
        for (size_t i = 0; i < painted.size(); ++i) {
            EXPECT_DOUBLE_EQ(painted[i].x1, spot(m, c.fills[i].first).Centre().x() * 15);
            EXPECT_EQ(painted[i].fill, c.fills[i].second);
        }
        std::vector<std::pair<QPoint, long>> areas;
        for (const auto& [county, colour] : c.shown) areas.emplace_back(centre(spot(m, county)), colour);
        expectPainted(before, m.Picture1.Raster().convertToFormat(QImage::Format_RGB32), areas);
        vb::Unload(m);
    }
}

// A hot spot on the sea around the state fills the sea up to the edge of the picture and no further;
// one whose centre lies off the picture paints nothing; the counties after them are still painted.
TEST_F(CountyMapTest, FillsStayInsideThePicture) {
    const QByteArray shipped = folder.read("TYCountyMap.txt");
    const qsizetype at = shipped.indexOf("\"Larkmoor\"");
    ASSERT_GE(at, 0);
    const QByteArray larkmoor = shipped.mid(at, shipped.indexOf("\r\n", at) - at);
    folder.write("TYCountyMap.txt", "\"Beyond\",700,10,4,4\r\n\"Sea\",0,0,2,2\r\n" + larkmoor + "\r\n");
    CountyMapTYWindow& m = CountyMapTY();
    ASSERT_EQ(m.lblCounty.Count(), 3);
    m.WorkedCounties = {"Beyond", "Sea", "Larkmoor"};
    const QImage before = shippedMap(m);
    Fakes().clock.Advance(1);
    const std::vector<vb::DrawItem> painted = fills(m);
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_EQ(painted[0].x1, 15);
    expectPainted(before, m.Picture1.Raster().convertToFormat(QImage::Format_RGB32),
                  {{QPoint(1, 1), painted[0].color}, {centre(spot(m, "Larkmoor")), painted[1].color}});
}

TEST_F(CountyMapTest, HintShowsOnlyOnAnEmptyLog) {
    for (const int contacts : {0, 1}) {
        ContactLog.Count = contacts;
        ContactLog.Rec[1].County = "XX"; // not a county of the host state
        CountyMapTYWindow& m = CountyMapTY();
        EXPECT_EQ(m.Label1.Caption(), "Counties will change color when worked.");
        EXPECT_EQ(m.Label1.Visible(), contacts == 0) << contacts;
        vb::Unload(m);
    }
}

// What the operator sees without a usable picture or table: the window opens all the same, without a
// word; without the picture the map area stays blank (the county names still show under the mouse)
// and nothing is painted; without the table the map shows white and nothing is painted.
TEST_F(CountyMapTest, MissingOrUnreadableFilesOpenAnEmptyMap) {
    const struct {
        const char* what;
        const char* file;
        QByteArray bytes; // empty: the file is removed
        bool picture;
        int hotSpots;
    } cases[] = {
        {"no picture", "TYCountyMap.bmp", {}, false, 134},
        {"a picture that is none", "TYCountyMap.bmp", "BM not a bitmap", false, 134},
        {"no table", "TYCountyMap.txt", {}, true, 0},
        {"a table that does not read", "TYCountyMap.txt", "\"Larkmoor\",12,x\r\n", true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder.copyShipped("TYCountyMap.bmp");
        folder.copyShipped("TYCountyMap.txt");
        if (c.bytes.isEmpty()) QFile::remove(folder.file(c.file));
        else folder.write(c.file, c.bytes);
        OutfrmWindow& w = open(Worked({"Larkmoor", "Alderbrook"}));
        Fakes().dialogs.shown.clear();
        openMap(w, [&](CountyMapTYWindow& m) {
            EXPECT_EQ(m.Picture1.HasPicture(), c.picture);
            EXPECT_EQ(m.lblCounty.Count(), c.hotSpots);
            const QImage before = m.Picture1.Raster().convertToFormat(QImage::Format_RGB32);
            Fakes().clock.Advance(1);
            EXPECT_TRUE(m.Picture1.Drawn().empty());
            EXPECT_EQ(m.Picture1.Raster().convertToFormat(QImage::Format_RGB32), before);
            if (c.picture) EXPECT_EQ(before, shippedMap(m));
            else EXPECT_EQ(m.Picture1.Point(1500, 1500), m.Picture1.BackColor());
        });
        EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
        vb::DiscardAllForms();
    }
}

TEST_F(CountyMapTest, IsLaidOutAsDesignedAndCentredUnscaled) {
    {
        CountyMapTYWindow m; // not loaded: the design values
        std::vector<vb::ControlDesign> rows{
            {m.Picture1, {}, 0, 0, 9285, 4155},
            {m.Label1, "Counties will change color when worked.", 720, 1080, 1815, 615},
        };
        ASSERT_EQ(m.lblCounty.Count(), 134);
        for (int i = 0; i < 134; ++i) {
            const CountyHotSpot& s = m.HotSpots[static_cast<size_t>(i)];
            rows.push_back({m.lblCounty[i], s.Name, s.Left * 15.0, s.Top * 15.0, s.Width * 15.0, s.Height * 15.0});
        }
        EXPECT_EQ(vb::DesignDifferences(m, {.Caption = " Tessaly County Map", .ClientWidth = 9360, .ClientHeight = 4245,
                                            .BorderStyle = 1},
                                        rows)
                      .join('\n')
                      .toStdString(),
                  "");
        EXPECT_EQ(m.Timer1.Interval(), 1);
        EXPECT_TRUE(m.Timer1.Enabled());
        EXPECT_EQ(m.Picture1.Raster().size(), QSize(615, 273)) << "the bitmap's height, inside the border";
    }
    Fakes().screen.width = 19200;
    Fakes().screen.height = 14400;
    CountyMapTYWindow& m = CountyMapTY();
    EXPECT_DOUBLE_EQ(m.ScaleWidth(), 9360);
    EXPECT_DOUBLE_EQ(m.ScaleHeight(), 4245);
    EXPECT_DOUBLE_EQ(m.Left(), (19200 - m.Width()) / 2);
    EXPECT_DOUBLE_EQ(m.Top(), (14400 - m.Height()) / 2);
    EXPECT_DOUBLE_EQ(m.Picture1.Width(), 9285);
}

// The in-state window's "M&ap" paints the counties of its own worked-county list, in the list's order.
TEST_F(CountyMapInstateTest, MapItemOfTheInStateWindowPaintsItsWorkedCounties) {
    QByteArray log;
    const std::pair<const char*, const char*> contacts[] = {
        {"TY", "Cedar Hollow"}, {"OH", ""}, {"TY", "Ambervale"}, {"TY", "Cedar Hollow"}, {"TY", "Alderbrook"}};
    int n = 0;
    for (auto [spc, county] : contacts) log += Contact({.call = QString("K%1A").arg(++n), .spc = spc, .county = county});
    InfrmWindow& w = open(log);
    QStringList worked;
    for (int i = 0; i < w.List2.ListCount(); ++i) worked << w.List2.List(i);
    ASSERT_EQ(worked, (QStringList{"Alderbrook", "Ambervale", "Cedar Hollow"}));
    Fakes().dialogs.shown.clear();

    openMap(w, [&](CountyMapTYWindow& m) {
        EXPECT_FALSE(m.Label1.Visible());
        const QImage before = shippedMap(m);
        Fakes().clock.Advance(1);
        const std::vector<vb::DrawItem> painted = fills(m);
        ASSERT_EQ(painted.size(), 3u);
        std::vector<std::pair<QPoint, long>> areas;
        for (size_t i = 0; i < painted.size(); ++i) {
            const CountyHotSpot& s = spot(m, worked[static_cast<qsizetype>(i)]);
            EXPECT_DOUBLE_EQ(painted[i].x1, s.Centre().x() * 15) << s.Name.toStdString();
            EXPECT_DOUBLE_EQ(painted[i].y1, s.Centre().y() * 15) << s.Name.toStdString();
            areas.emplace_back(centre(s), painted[i].color);
        }
        expectPainted(before, m.Picture1.Raster().convertToFormat(QImage::Format_RGB32), areas);
    });
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}
