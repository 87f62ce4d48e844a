#include "platform/vb/FormScaling.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tylog;
using namespace tylog::testing;

namespace {

// One control of every kind the walk tells apart, at design values, and a timer it must skip.
class ScalingForm : public vb::Form {
public:
    ScalingForm() : vb::Form("ScalingForm") {
        Move(1200, 900, 6000, 4500);
        setFontSize(8.25);
        label.Move(120, 240, 1200, 285);
        text.Move(1440, 240, 1500, 285);
        button.Move(120, 3600, 1200, 405);
        list.Move(3000, 600, 1500, 1800);
        check.Move(120, 720, 1500, 255);
        option.Move(120, 1080, 1500, 255);
        frame.Move(120, 1500, 2400, 1200);
        inFrame.Move(120, 240, 900, 255);
        combo.Move(3000, 2520, 1500, 315);
        view.Move(4560, 600, 1200, 1500);
        view.AddColumn("Call", 600);
        view.AddColumn("Time", 480);
        bareView.Move(4560, 2200, 1200, 900);
        image.Move(4800, 3300, 480, 480);
        line.SetPoints(100, 3000, 5800, 3100);
        for (vb::Control* c : Controls()) c->setFontSize(10);
    }
    vb::Label label{*this, "label"};
    vb::TextBox text{*this, "text"};
    vb::CommandButton button{*this, "button"};
    vb::ListBox list{*this, "list"};
    vb::CheckBox check{*this, "check"};
    vb::OptionButton option{*this, "option"};
    vb::Frame frame{*this, "frame"};
    vb::OptionButton inFrame{*this, "inFrame", &frame};
    vb::ComboBox combo{*this, "combo"};
    vb::ListView view{*this, "view"};
    vb::ListView bareView{*this, "bareView"};
    vb::Image image{*this, "image"};
    vb::Line line{*this, "line"};
    vb::Timer timer{*this, "timer", 1000, false};
};

struct Geometry {
    double left, top, width, height, font;
};
Geometry Of(const vb::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height(), c.FontSize()}; }

float F(double v) { return static_cast<float>(v); }

struct ScreenCase {
    double width, height;
    float rx, ry;
};

class ScaleFormToScreenTest : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(ScaleFormToScreenTest, ScalesWindowAndEveryKindByItsRule) {
    const ScreenCase sc = GetParam();
    Fakes().screen.width = sc.width;
    Fakes().screen.height = sc.height;
    const float rx = sc.rx, ry = sc.ry, rf = std::min(rx, ry);

    ScalingForm f;
    std::vector<Geometry> design;
    for (vb::Control* c : f.Controls()) design.push_back(Of(*c));

    ScaleFormToScreen(f);

    EXPECT_FLOAT_EQ(F(f.Width()), F(6000 * rx));
    EXPECT_FLOAT_EQ(F(f.Height()), F(4500 * ry));
    EXPECT_FLOAT_EQ(F(f.Left()), F((sc.width - f.Width()) / 2));
    EXPECT_FLOAT_EQ(F(f.Top()), F((sc.height - f.Height()) / 2 - 170));
    EXPECT_DOUBLE_EQ(f.FontSize(), 8.25 * (sc.height / 7200));

    for (size_t i = 0; i < f.Controls().size(); ++i) {
        const vb::Control& c = *f.Controls()[i];
        const Geometry& d = design[i];
        SCOPED_TRACE(c.Name.toStdString());
        if (c.kind() == vb::Kind::Line) {
            EXPECT_FLOAT_EQ(F(f.line.X1()), F(100 * rx));
            EXPECT_FLOAT_EQ(F(f.line.X2()), F(5800 * rx));
            EXPECT_FLOAT_EQ(F(f.line.Y1()), F(3000 * ry));
            EXPECT_FLOAT_EQ(F(f.line.Y2()), F(3100 * ry));
            continue;
        }
        EXPECT_FLOAT_EQ(F(c.Left()), F(d.left) * rx);
        EXPECT_FLOAT_EQ(F(c.Top()), F(d.top) * ry);
        EXPECT_FLOAT_EQ(F(c.Width()), F(d.width) * rx);
        EXPECT_FLOAT_EQ(F(c.Height()), c.kind() == vb::Kind::ComboBox ? F(d.height) : F(d.height) * ry);
        EXPECT_FLOAT_EQ(F(c.FontSize()), c.kind() == vb::Kind::Image ? F(d.font) : F(d.font) * rf);
    }
    EXPECT_FLOAT_EQ(F(f.view.ColumnWidth(0)), 600 * rx);
    EXPECT_FLOAT_EQ(F(f.view.ColumnWidth(1)), 480 * rx);
    EXPECT_EQ(f.timer.Interval(), 1000);
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Screens, ScaleFormToScreenTest,
                         ::testing::Values(ScreenCase{9600, 7200, 1, 1}, ScreenCase{15360, 11520, 1.6f, 1.6f},
                                           ScreenCase{19200, 15360, 2, 15360.0f / 7200.0f},
                                           ScreenCase{28800, 16200, 3, 2.25f}, ScreenCase{19200, 14400, 2, 2},
                                           ScreenCase{19200, 7200, 2, 1}),
                         [](const ::testing::TestParamInfo<ScreenCase>& info) {
                             return "W" + std::to_string(static_cast<int>(info.param.width)) + "xH" +
                                    std::to_string(static_cast<int>(info.param.height));
                         });

TEST(ScaleFormToScreen, DesignScreenCentresAndRaisesTheWindow) {
    Fakes().screen.width = 9600;
    Fakes().screen.height = 7200;
    ScalingForm f;
    ScaleFormToScreen(f);
    EXPECT_DOUBLE_EQ(f.Left(), 1800);
    EXPECT_DOUBLE_EQ(f.Top(), 1180);
    EXPECT_DOUBLE_EQ(f.label.Width(), 1200);
}

TEST(ScaleFormToScreen, AWindowTallerThanTheScreenGetsANegativeTop) {
    Fakes().screen.width = 9600;
    Fakes().screen.height = 7200;
    ScalingForm f;
    f.setHeight(9000);
    ScaleFormToScreen(f);
    EXPECT_DOUBLE_EQ(f.Top(), (7200.0 - 9000) / 2 - 170);
}

TEST(ScaleFormToScreen, AFailureAtTheFifthControlLeavesTheFirstFourScaledAndTheRestAtDesign) {
    Fakes().screen.width = 19200;
    Fakes().screen.height = 14400;
    vb::Form f("Ten");
    std::vector<std::unique_ptr<vb::Label>> labels;
    for (int i = 0; i < 10; ++i) {
        labels.push_back(std::make_unique<vb::Label>(f, QString("Label%1").arg(i)));
        labels.back()->Move(100, 100 * i, 1000, 200);
    }
    // Twice this does not fit a single.
    labels[4]->setWidth(2e38);
    Fakes().dialogs.AnswerMsgBox(vbOK);

    ScaleFormToScreen(f);

    for (int i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(labels[i]->Width(), 2000) << i;
    EXPECT_DOUBLE_EQ(labels[4]->Height(), 400);      // scaled before the failing width
    EXPECT_FLOAT_EQ(F(labels[4]->Width()), 2e38f);   // left as it was, not infinite
    EXPECT_DOUBLE_EQ(labels[4]->FontSize(), 8.25);
    for (int i = 5; i < 10; ++i) {
        EXPECT_DOUBLE_EQ(labels[i]->Width(), 1000) << i;
        EXPECT_DOUBLE_EQ(labels[i]->Top(), 100 * i) << i;
    }
    ASSERT_EQ(Fakes().dialogs.shown.size(), 1);
    EXPECT_EQ(Fakes().dialogs.shown[0].prompt, "Overflow");
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "Form Resize Error");
    EXPECT_EQ(Fakes().dialogs.shown[0].buttons, vbOKOnly);
}

bool AllFinite(const ScalingForm& f) {
    for (double v : {f.Left(), f.Top(), f.Width(), f.Height(), f.FontSize()})
        if (!std::isfinite(v)) return false;
    for (const vb::Control* c : f.Controls())
        for (double v : {c->Left(), c->Top(), c->Width(), c->Height(), c->FontSize()})
            if (!std::isfinite(v)) return false;
    for (double v : {f.line.X1(), f.line.X2(), f.line.Y1(), f.line.Y2(), f.view.ColumnWidth(0)})
        if (!std::isfinite(v)) return false;
    return true;
}

TEST(ScaleFormToScreen, AnUnusableScreenTakesTheFailurePathAndNeverMakesInfiniteGeometry) {
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    struct Case { double width, height; const char* description; };
    const Case cases[] = {
        {0, 7200, "Invalid property value"},   // fonts would become 0 points
        {9600, 0, "Invalid property value"},
        {nan, 7200, "Overflow"},
        {9600, inf, "Overflow"},
        {1e39, 7200, "Overflow"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        SCOPED_TRACE(c.height);
        Fakes().dialogs.Reset();
        Fakes().screen.width = c.width;
        Fakes().screen.height = c.height;
        Fakes().dialogs.AnswerMsgBox(vbOK);
        ScalingForm f;
        ScaleFormToScreen(f);
        EXPECT_TRUE(AllFinite(f));
        ASSERT_EQ(Fakes().dialogs.shown.size(), 1);
        EXPECT_EQ(Fakes().dialogs.shown[0].title, "Form Resize Error");
        EXPECT_EQ(Fakes().dialogs.shown[0].prompt, c.description);
    }
}

// ---- RescaleForm -------------------------------------------------------------------------------

TEST(RescaleForm, SetSizeDirectlyGivesExactlyTheAreaAtItsOrigin) {
    ScalingForm f;
    RescaleForm(f, 12000, 9000, 0, 0, 1, 1, "");
    EXPECT_DOUBLE_EQ(f.Width(), 12000);
    EXPECT_DOUBLE_EQ(f.Height(), 9000);
    EXPECT_DOUBLE_EQ(f.Left(), 0);
    EXPECT_DOUBLE_EQ(f.Top(), 0);
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

TEST(RescaleForm, FontFactorDampsGrowthButNotShrinking) {
    struct Case { double newWidth, newHeight; float factor; float fontRatio; };
    const Case cases[] = {
        {7680, 5760, 1, 1.6f},  // fontFactor 1: the full ratio
        {7680, 5760, 0.5f, 1.3f},
        {7680, 5760, 0, 1},     // fonts keep their size while the window grows
        {3840, 2880, 0.5f, 0.8f}, // a window that shrank takes the full ratio
        {4800, 3600, 0.5f, 1},  // unchanged inner size
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.newWidth);
        SCOPED_TRACE(c.factor);
        // Borderless, so the inner size is the outer size and sx = newWidth / 4800.
        vb::Form f("Plain");
        f.setBorderStyle(0);
        f.Move(0, 0, 4800, 3600);
        f.setFontSize(10);
        vb::Label l(f, "l");
        l.Move(480, 360, 960, 240);
        l.setFontSize(10);
        vb::Image img(f, "img");
        img.setFontSize(10);
        RescaleForm(f, c.newWidth, c.newHeight, 4800, 3600, 0, c.factor, "");
        const float sx = F(c.newWidth / 4800), sy = F(c.newHeight / 3600);
        EXPECT_FLOAT_EQ(F(l.Left()), 480 * sx);
        EXPECT_FLOAT_EQ(F(l.Width()), 960 * sx);
        EXPECT_FLOAT_EQ(F(l.Top()), 360 * sy);
        EXPECT_FLOAT_EQ(F(l.Height()), 240 * sy);
        EXPECT_FLOAT_EQ(F(l.FontSize()), 10 * c.fontRatio);
        EXPECT_FLOAT_EQ(F(f.FontSize()), 10 * c.fontRatio);
        EXPECT_DOUBLE_EQ(img.FontSize(), 10);
        EXPECT_DOUBLE_EQ(f.Left(), 0);
        EXPECT_DOUBLE_EQ(f.Top(), 0);
    }
}

TEST(RescaleForm, ControlsFollowTheInnerAreaNotTheOuterSize) {
    ScalingForm f; // bordered: caption and border do not grow
    const double innerW0 = f.ScaleWidth(), innerH0 = f.ScaleHeight();
    RescaleForm(f, 15360, 11520, 9600, 7200, 0, 1, "");
    EXPECT_DOUBLE_EQ(f.Width(), 9600);
    EXPECT_DOUBLE_EQ(f.Left(), (15360.0 - 9600) / 2);
    EXPECT_DOUBLE_EQ(f.Top(), (11520.0 - 7200) / 2);
    const float sx = F(f.ScaleWidth()) / F(innerW0), sy = F(f.ScaleHeight()) / F(innerH0);
    EXPECT_GT(sx, 1.6f);
    EXPECT_GT(sy, 1.6f);
    EXPECT_FLOAT_EQ(F(f.label.Width()), 1200 * sx);
    EXPECT_FLOAT_EQ(F(f.label.Height()), 285 * sy);
    EXPECT_FLOAT_EQ(F(f.combo.Height()), 315);
    EXPECT_FLOAT_EQ(F(f.line.Y2()), 3100 * sy);
    EXPECT_FLOAT_EQ(F(f.view.ColumnWidth(1)), 480 * sx);
}

TEST(RescaleForm, AFontNameSetsEveryFaceAndAnEmptyOneLeavesThem) {
    ScalingForm f;
    const QString before = f.label.FontName();
    RescaleForm(f, 9600, 7200, 9600, 7200, 0, 1, "");
    EXPECT_EQ(f.label.FontName(), before);

    RescaleForm(f, 9600, 7200, 9600, 7200, 0, 1, "Arial");
    EXPECT_EQ(f.FontName(), "Arial");
    for (const vb::Control* c : f.Controls()) {
        if (c->kind() == vb::Kind::Image || c->kind() == vb::Kind::Line) continue;
        EXPECT_EQ(c->FontName(), "Arial") << c->Name.toStdString();
    }
}

TEST(RescaleForm, AZeroOldInnerSizeShowsTheFailureInsteadOfInfiniteGeometry) {
    // A bordered window no wider than its border has no inner area.
    vb::Form f("Thin");
    f.Move(0, 0, 60, 3600);
    vb::Label l(f, "l");
    l.Move(0, 0, 600, 240);
    ASSERT_EQ(f.ScaleWidth(), 0);
    Fakes().dialogs.AnswerMsgBox(vbOK);

    RescaleForm(f, 19200, 14400, 9600, 7200, 1, 1, "");

    EXPECT_TRUE(std::isfinite(f.Width()) && std::isfinite(f.Height()));
    EXPECT_DOUBLE_EQ(l.Width(), 600);
    EXPECT_DOUBLE_EQ(l.FontSize(), 8.25);
    ASSERT_EQ(Fakes().dialogs.shown.size(), 1);
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "Form Resize Error");
    EXPECT_EQ(Fakes().dialogs.shown[0].prompt, "Division by zero");
}

TEST(RescaleForm, AZeroOldSizeArgumentShowsTheFailure) {
    ScalingForm f;
    Fakes().dialogs.AnswerMsgBox(vbOK);
    RescaleForm(f, 19200, 14400, 0, 7200, 0, 1, "");
    EXPECT_DOUBLE_EQ(f.Width(), 6000);
    ASSERT_EQ(Fakes().dialogs.shown.size(), 1);
    EXPECT_EQ(Fakes().dialogs.shown[0].title, "Form Resize Error");
}

// The plain walk: the kinds named move, resize and scale their font (lines their ends only); the rest
// stay as they were.
TEST(ScaleControlsOfKinds, ScalesOnlyTheKindsNamed) {
    ScalingForm f;
    std::vector<Geometry> design;
    for (vb::Control* c : f.Controls()) design.push_back(Of(*c));

    ScaleControlsOfKinds(f, {vb::Kind::Label, vb::Kind::ListView, vb::Kind::Line}, {2}, {3}, {1.5});

    for (size_t i = 0; i < f.Controls().size(); ++i) {
        const vb::Control& c = *f.Controls()[i];
        const Geometry& d = design[i];
        SCOPED_TRACE(c.Name.toStdString());
        const bool named = c.kind() == vb::Kind::Label || c.kind() == vb::Kind::ListView;
        EXPECT_DOUBLE_EQ(c.Left(), named ? d.left * 2 : d.left);
        EXPECT_DOUBLE_EQ(c.Top(), named ? d.top * 3 : d.top);
        EXPECT_DOUBLE_EQ(c.Width(), named ? d.width * 2 : d.width);
        EXPECT_DOUBLE_EQ(c.Height(), named ? d.height * 3 : d.height);
        EXPECT_DOUBLE_EQ(c.FontSize(), named ? d.font * 1.5 : d.font);
    }
    EXPECT_DOUBLE_EQ(f.line.X1(), 200);
    EXPECT_DOUBLE_EQ(f.line.Y1(), 9000);
    EXPECT_DOUBLE_EQ(f.line.X2(), 11600);
    EXPECT_DOUBLE_EQ(f.line.Y2(), 9300);
    EXPECT_DOUBLE_EQ(f.view.ColumnWidth(0), 600) << "column widths are the caller's";
}

// A percentage factor multiplies before it divides, as v * p / 100 does.
TEST(ScaleControlsOfKinds, APercentageIsAppliedAsTimesThenPer) {
    const ScaleFactor percent{83, 100};
    for (double v : {1135.0, 2970.0, 8.25, 0.1, 12345.678}) EXPECT_EQ(percent.of(v), v * 83 / 100) << v;
    vb::Form f("Plain");
    vb::TextBox t(f, "t");
    t.Move(1135, 2970, 1015, 285);
    ScaleControlGeometry(t, percent, percent);
    EXPECT_EQ(t.Left(), 1135.0 * 83 / 100);
    EXPECT_EQ(t.Top(), 2970.0 * 83 / 100);
    EXPECT_EQ(t.Width(), 1015.0 * 83 / 100);
    EXPECT_EQ(t.Height(), 285.0 * 83 / 100);
}

} // namespace
