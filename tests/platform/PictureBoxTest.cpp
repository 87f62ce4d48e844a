// The picture box: what it drew is a list tests compare; the flood fill is a plain function over an
// image; the raster it keeps answers Point() and the fill.
#include "platform/Platform.h"
#include "platform/testing/Fakes.h"
#include "platform/vb/Color.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>

using namespace tylog;
using tylog::testing::ScratchFolder;
using tylog::testing::ShowActive;
using Item = vb::DrawItem;
using K = vb::DrawItem::Kind;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF, kBlack = 0xFF000000, kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

// An image from rows of text: '#' black, anything else white.
QImage Picture(std::initializer_list<const char*> rows) {
    const int w = static_cast<int>(std::strlen(*rows.begin())), h = static_cast<int>(rows.size());
    QImage img(w, h, QImage::Format_RGB32);
    int y = 0;
    for (const char* r : rows) {
        for (int x = 0; x < w; ++x) img.setPixel(x, y, r[x] == '#' ? kBlack : kWhite);
        ++y;
    }
    return img;
}

// The image back as rows of text: '#' black, '.' white, 'r' red, 'b' blue.
std::vector<std::string> Rows(const QImage& img) {
    std::vector<std::string> out;
    for (int y = 0; y < img.height(); ++y) {
        std::string r;
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            r += p == kBlack ? '#' : p == kWhite ? '.' : p == kRed ? 'r' : p == kBlue ? 'b' : '?';
        }
        out.push_back(r);
    }
    return out;
}

// ---- The flood fill ----------------------------------------------------------------------------

TEST(FloodFill, FillsTheAreaOfTheStartColourAndStopsAtAnyOther) {
    struct Case {
        const char* what;
        std::initializer_list<const char*> picture;
        int x, y;
        QRgb surface, fill;
        int filled;
        std::vector<std::string> after; // empty: unchanged
    };
    const Case cases[] = {
        {"one area of two", {"#########", "#...#...#", "#...#...#", "#########"}, 2, 1, kWhite, kRed, 6,
         {"#########", "#rrr#...#", "#rrr#...#", "#########"}},
        {"the fill colour is the start colour", {"#####", "#...#", "#####"}, 2, 1, kWhite, kWhite, 0, {}},
        {"the start is not of the surface colour", {"#####", "#...#", "#####"}, 0, 0, kWhite, kRed, 0, {}},
        {"the start is outside, left", {"...", "..."}, -1, 0, kWhite, kRed, 0, {}},
        {"the start is outside, right", {"...", "..."}, 3, 0, kWhite, kRed, 0, {}},
        {"the start is outside, below", {"...", "..."}, 0, 2, kWhite, kRed, 0, {}},
        {"an area reaching the image's edges", {"..#..", "..#..", "....."}, 0, 0, kWhite, kRed, 13,
         {"rr#rr", "rr#rr", "rrrrr"}},
        // Corner to corner is no way through: a one-pixel diagonal border holds.
        {"a diagonal border", {".#...", "..#..", "...#.", "....#"}, 0, 3, kWhite, kRed, 10,
         {"r#...", "rr#..", "rrr#.", "rrrr#"}},
        {"a fill of a border", {"#.#", "###", "#.#"}, 1, 1, kBlack, kBlue, 7, {"b.b", "bbb", "b.b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QImage img = Picture(c.picture);
        const std::vector<std::string> before = Rows(img);
        EXPECT_EQ(vb::FloodFill(img, c.x, c.y, c.surface, c.fill), c.filled);
        EXPECT_EQ(Rows(img), c.after.empty() ? before : c.after);
    }
}

TEST(FloodFill, ASecondFillRepaintsTheSameArea) {
    QImage img = Picture({"#######", "#..#..#", "#######"});
    ASSERT_EQ(vb::FloodFill(img, 1, 1, kWhite, kRed), 2);
    EXPECT_EQ(vb::FloodFill(img, 2, 1, kRed, kBlue), 2);
    EXPECT_EQ(Rows(img), std::vector<std::string>({"#######", "#bb#..#", "#######"}));
}

// A winding one-pixel path through a large image: the fill is iterative and reaches all of it.
TEST(FloodFill, ALongWindingPathInALargeImage) {
    const int w = 1001, h = 1001;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kWhite);
    // Walls on every odd column, open at the bottom and the top in turn.
    int walls = 0;
    for (int x = 1; x < w; x += 2, ++walls)
        for (int y = 0; y < h; ++y)
            if (y != (walls % 2 == 0 ? h - 1 : 0)) img.setPixel(x, y, kBlack);
    const int white = w * h - walls * (h - 1);
    EXPECT_EQ(vb::FloodFill(img, 0, 0, kWhite, kRed), white);
    EXPECT_EQ(img.pixel(w - 1, 0), kRed);
    EXPECT_EQ(img.pixel(1, 0), kBlack);
}

// ---- The picture box ---------------------------------------------------------------------------

class PictureForm : public vb::Form {
public:
    PictureForm() : vb::Form("PictureForm") {
        Move(0, 0, 9000, 6000);
        Picture1.Move(300, 300, 3060, 1560); // 204 x 104 pixels: a drawing area of 200 x 100
    }
    vb::PictureBox Picture1{*this, "Picture1"};
};

TEST(PictureBox, KindSizesAndDefaults) {
    PictureForm f;
    vb::PictureBox& p = f.Picture1;
    EXPECT_EQ(p.kind(), vb::Kind::PictureBox);
    EXPECT_DOUBLE_EQ(p.ScaleWidth(), 3000);
    EXPECT_DOUBLE_EQ(p.ScaleHeight(), 1500);
    EXPECT_EQ(p.Raster().size(), QSize(200, 100));
    EXPECT_EQ(p.BackColor(), vb::vbButtonFace);
    EXPECT_EQ(p.ForeColor(), vb::vbBlack);
    EXPECT_EQ(p.Point(0, 0), vb::vbButtonFace);
    EXPECT_EQ(p.Point(-15, 0), -1);
    EXPECT_EQ(p.Point(3000, 0), -1) << "past the drawing area";
    p.setBorderStyle(0);
    EXPECT_DOUBLE_EQ(p.ScaleWidth(), 3060);
    EXPECT_EQ(p.Raster().size(), QSize(204, 104));
}

TEST(PictureBox, DrawingIsKeptInOrderAsItems) {
    PictureForm f;
    vb::PictureBox& p = f.Picture1;
    p.setBackColor(vb::vbWhite);
    p.Line(0, 150, 1500, 150, vb::vbRed);
    EXPECT_DOUBLE_EQ(p.CurrentX, 1500);
    EXPECT_DOUBLE_EQ(p.CurrentY, 150);
    p.DrawWidth = 3;
    p.Line(300, 300, 600, 600); // ForeColor
    p.DrawWidth = 1;
    p.FillStyle = 0;
    p.FillColor = vb::vbYellow;
    p.Line(900, 300, 1200, 600, vb::vbBlue, vb::LineShape::B);
    p.FillStyle = 1;
    p.Line(1500, 300, 1800, 600, vb::vbBlue, vb::LineShape::B);
    p.Line(2100, 600, 2400, 300, vb::vbGreen, vb::LineShape::BF);
    p.PSet(2700, 900, vb::vbRed);
    p.CurrentX = 150;
    p.CurrentY = 1050;
    p.setForeColor(vb::vbBlue);
    p.Print("14.025");
    EXPECT_DOUBLE_EQ(p.CurrentX, 0) << "Print ends the line";
    EXPECT_GT(p.CurrentY, 1050);

    const std::vector<Item> want = {
        {.kind = K::Line, .x1 = 0, .y1 = 150, .x2 = 1500, .y2 = 150, .color = vb::vbRed},
        {.kind = K::Line, .x1 = 300, .y1 = 300, .x2 = 600, .y2 = 600, .color = vb::vbBlack, .width = 3},
        {.kind = K::Box, .x1 = 900, .y1 = 300, .x2 = 1200, .y2 = 600, .color = vb::vbBlue, .fill = vb::vbYellow},
        {.kind = K::Box, .x1 = 1500, .y1 = 300, .x2 = 1800, .y2 = 600, .color = vb::vbBlue},
        {.kind = K::FilledBox, .x1 = 2100, .y1 = 600, .x2 = 2400, .y2 = 300, .color = vb::vbGreen},
        {.kind = K::Point, .x1 = 2700, .y1 = 900, .color = vb::vbRed},
        {.kind = K::Text, .x1 = 150, .y1 = 1050, .color = vb::vbBlue, .text = "14.025"},
    };
    EXPECT_EQ(p.Drawn(), want);

    // Painted on the raster as listed (15 twips to the pixel).
    EXPECT_EQ(p.Point(750, 150), vb::vbRed);
    EXPECT_EQ(p.Point(450, 450), vb::vbBlack);
    EXPECT_EQ(p.Point(900, 450), vb::vbBlue) << "a box's edge";
    EXPECT_EQ(p.Point(1050, 450), vb::vbYellow) << "the inside under FillStyle 0";
    EXPECT_EQ(p.Point(1650, 450), vb::vbWhite) << "an open box";
    for (double x : {2100.0, 2250.0, 2400.0}) EXPECT_EQ(p.Point(x, 450), vb::vbGreen) << "a filled box, corners in";
    EXPECT_EQ(p.Point(2700, 900), vb::vbRed);
    auto inked = [&](QRect r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += p.Raster().pixel(x, y) != kWhite;
        return n;
    };
    EXPECT_GT(inked(QRect(10, 70, 50, 12)), 10) << "the text is painted at CurrentX, CurrentY";
    EXPECT_EQ(inked(QRect(0, 70, 10, 12)), 0) << "nothing left of CurrentX";

    p.Cls();
    EXPECT_TRUE(p.Drawn().empty());
    EXPECT_DOUBLE_EQ(p.CurrentX, 0);
    EXPECT_DOUBLE_EQ(p.CurrentY, 0);
    EXPECT_EQ(p.Point(750, 150), vb::vbWhite);
}

TEST(PictureBox, ANewBackgroundClearsASizeRepaintsTheList) {
    PictureForm f;
    vb::PictureBox& p = f.Picture1;
    p.Line(0, 0, 1500, 750, vb::vbRed, vb::LineShape::BF);
    p.setForeColor(vb::vbWhite); // only the background clears
    EXPECT_EQ(p.Drawn().size(), 1u);
    p.setBackColor(vb::vbButtonFace); // the same again
    EXPECT_EQ(p.Drawn().size(), 1u);
    p.setWidth(6060);
    EXPECT_EQ(p.Raster().size(), QSize(400, 100));
    EXPECT_EQ(p.Point(750, 300), vb::vbRed) << "the list painted again at the new size";
    EXPECT_EQ(p.Point(4500, 300), vb::vbButtonFace);
    p.setBackColor(vb::vbBlack);
    EXPECT_TRUE(p.Drawn().empty());
    EXPECT_EQ(p.Point(750, 300), vb::vbBlack);
}

// A two-colour map from a file: each area is filled from a point inside it with the colour found there.
TEST(PictureBox, FloodFillOnAMapPicture) {
    ScratchFolder dir;
    // Three areas in a 300 x 80 picture, larger than the 200 x 100 drawing area on the right.
    QImage map(300, 80, QImage::Format_RGB32);
    map.fill(kWhite);
    for (int y = 0; y < 80; ++y) map.setPixel(50, y, kBlack);
    for (int x = 50; x < 300; ++x) map.setPixel(x, 40, kBlack);
    ASSERT_TRUE(map.save(dir.file("map.bmp")));
    PictureForm f;
    vb::PictureBox& p = f.Picture1;
    p.Line(0, 0, 15, 15, vb::vbBlue);
    p.setPicture(vb::LoadPicture(dir.file("map.bmp")));
    EXPECT_TRUE(p.HasPicture());
    EXPECT_TRUE(p.Drawn().empty()) << "a new picture clears the drawing";
    EXPECT_EQ(p.Point(750, 600), vb::vbBlack);

    auto fill = [&](double x, double y, long color) {
        p.FillColor = color;
        return p.ExtFloodFill(x, y, p.Point(x, y));
    };
    const double cx = 25 * 15, cy = 20.5 * 15; // a centre with a fraction: to the nearest pixel
    EXPECT_TRUE(fill(cx, cy, vb::vbRed));
    EXPECT_TRUE(fill(100 * 15, 10 * 15, vb::vbGreen)); // the upper right area, cut off by the box's edge
    EXPECT_FALSE(fill(100 * 15, 10 * 15, vb::vbGreen)) << "the fill colour is already there";
    EXPECT_FALSE(fill(-150, 150, vb::vbBlue)) << "outside the drawing area";
    EXPECT_TRUE(fill(cx, cy, vb::vbBlue)) << "again on the first fill's colour";
    const std::vector<Item> want = {
        {.kind = K::FloodFill, .x1 = cx, .y1 = cy, .color = vb::vbRed, .fill = vb::vbWhite},
        {.kind = K::FloodFill, .x1 = 1500, .y1 = 150, .color = vb::vbGreen, .fill = vb::vbWhite},
        {.kind = K::FloodFill, .x1 = cx, .y1 = cy, .color = vb::vbBlue, .fill = vb::vbRed},
    };
    EXPECT_EQ(p.Drawn(), want);
    EXPECT_EQ(p.Point(0, 0), vb::vbBlue);
    EXPECT_EQ(p.Point(49 * 15, 99 * 15), vb::vbButtonFace) << "below the picture: the background, not the area";
    EXPECT_EQ(p.Point(199 * 15, 0), vb::vbGreen);
    EXPECT_EQ(p.Point(199 * 15, 60 * 15), vb::vbWhite) << "the lower right area";
    EXPECT_EQ(p.Point(50 * 15, 0), vb::vbBlack) << "borders stay";
}

TEST(PictureBox, MouseAndChildControlsUseTheDrawingArea) {
    PictureForm f;
    vb::PictureBox& p = f.Picture1;
    vb::Label hotSpot(f, "lblCounty", &p, 0);
    hotSpot.Move(1500, 750, 300, 150);
    QStringList events;
    p.MouseDown = [&](int b, int, double x, double y) { events << QString("down %1 %2 %3").arg(b).arg(x).arg(y); };
    p.Click = [&] { events << "click"; };
    ShowActive(f);
    EXPECT_EQ(hotSpot.widget()->mapTo(p.widget(), QPoint(0, 0)), QPoint(102, 52)) << "inside the 2-pixel border";
    QWidget* area = p.childParent();
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
    EXPECT_EQ(events, QStringList({"down 1 150 300", "click"}));
    events.clear();
    QTest::mouseClick(hotSpot.widget(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_TRUE(events.isEmpty()) << "a press on a child control is the child's";
}

} // namespace
