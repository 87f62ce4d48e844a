#include "logtools/ColorChooser.h"
#include "core/ProcessState.h"
#include "platform/vb/Design.h"
#include "tests/support/TestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::Fakes;
using tylog::testing::ShowActive;

namespace {

class ColorChooser : public ::testing::Test {
protected:
    void SetUp() override {
        Station.WorkedColor = 0x0000FF;
        Station.RemainingColor = 0xC0C000;
    }
    static void Click(vb::Control& c) { QTest::mouseClick(c.widget(), Qt::LeftButton); }
};

} // namespace

TEST_F(ColorChooser, OpensWithTheCurrentColours) {
    Form6Window& f = Form6();
    EXPECT_EQ(f.Caption(), " Modify Multiplier Color Selections");
    EXPECT_EQ(f.Label1.ForeColor(), 0x0000FF);
    EXPECT_EQ(f.Label2.ForeColor(), 0xC0C000);
}

TEST_F(ColorChooser, EachButtonChangesOnlyItsOwnHalf) {
    Form6Window& f = Form6();
    ShowActive(f);
    Fakes().dialogs.AnswerColor(0x00FF00);
    Click(f.Command1);
    EXPECT_EQ(Station.RemainingColor, 0x00FF00);
    EXPECT_EQ(f.Label2.ForeColor(), 0x00FF00);
    EXPECT_EQ(Station.WorkedColor, 0x0000FF);
    EXPECT_EQ(f.Label1.ForeColor(), 0x0000FF);

    Fakes().dialogs.AnswerColor(0x123456);
    Click(f.Command3);
    EXPECT_EQ(Station.WorkedColor, 0x123456);
    EXPECT_EQ(f.Label1.ForeColor(), 0x123456);
    EXPECT_EQ(Station.RemainingColor, 0x00FF00);
}

TEST_F(ColorChooser, CancelKeepsTheColour) {
    Form6Window& f = Form6();
    ShowActive(f);
    Fakes().dialogs.CancelColor();
    Click(f.Command3);
    EXPECT_EQ(Station.WorkedColor, 0x0000FF);
    EXPECT_EQ(f.Label1.ForeColor(), 0x0000FF);
}

TEST_F(ColorChooser, DoneEndsTheModalShowAndSavesNothing) {
    Folders.ProgramFolder = "/nonexistent";
    platform().onModalShown = [](vb::Form& f) { QTest::mouseClick(static_cast<Form6Window&>(f).Command6.widget(), Qt::LeftButton); };
    Form6().Show(vb::vbModal);
    EXPECT_FALSE(Form6().isVisible());
    EXPECT_EQ(Station.WorkedColor, 0x0000FF);
    EXPECT_EQ(Station.RemainingColor, 0xC0C000);
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

TEST_F(ColorChooser, ScalesEveryFontByTheHorizontalRatio) {
    struct Case { double sw, sh, rx, ry; };
    const Case cases[] = {{9600, 7200, 1, 1}, {19200, 14400, 2, 2}, {19200, 7200, 2, 1}};
    for (const Case& c : cases) {
        Fakes().screen.width = c.sw;
        Fakes().screen.height = c.sh;
        Form6Window design;
        Form6Window& f = Form6();
        EXPECT_DOUBLE_EQ(f.Width(), design.Width() * c.rx);
        EXPECT_DOUBLE_EQ(f.Height(), design.Height() * c.ry);
        EXPECT_DOUBLE_EQ(f.Left(), (c.sw - f.Width()) / 2);
        EXPECT_DOUBLE_EQ(f.Top(), (c.sh - f.Height()) / 2);
        EXPECT_DOUBLE_EQ(f.Label1.Left(), 3240 * c.rx);
        EXPECT_DOUBLE_EQ(f.Label1.Top(), 840 * c.ry);
        EXPECT_DOUBLE_EQ(f.Label1.FontSize(), 9 * c.rx);
        EXPECT_DOUBLE_EQ(f.Command6.Height(), 375 * c.ry);
        EXPECT_DOUBLE_EQ(f.Command6.FontSize(), design.Command6.FontSize() * c.rx);
        EXPECT_DOUBLE_EQ(f.Line1.X2(), 5520 * c.rx);
        EXPECT_DOUBLE_EQ(f.Line2.Y2(), 1440 * c.ry);
        vb::Unload(f);
    }
}

TEST_F(ColorChooser, IsLaidOutAsDesigned) {
    Form6Window f; // not loaded: the design values, before the load scales them
    const vb::ControlLook sample{.FontName = "Arial", .FontSize = 9};
    EXPECT_EQ(vb::DesignDifferences(f, {.Caption = " Modify Multiplier Color Selections", .ClientWidth = 5595, .ClientHeight = 2115},
                                    {
                                        {f.Command1, "Change \"Remaining\" Color", 120, 120, 2535, 495, 0},
                                        {f.Command3, "Change \"Worked\" Color", 2880, 120, 2535, 495, 1},
                                        {f.Label2, "Appearance of multiplier remaining", 480, 840, 1935, 495, {}, sample},
                                        {f.Label1, "Appearance of multiplier worked", 3240, 840, 1935, 495, {}, sample},
                                        {f.Line2, {}, 2760, 0, 2760, 1440},
                                        {f.Line1, {}, 120, 1440, 5520, 1440},
                                        {f.Command6, "Done", 2160, 1680, 1095, 375, 2},
                                    })
                  .join('\n')
                  .toStdString(),
              "");
}
