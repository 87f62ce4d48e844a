// Design tables: one function sets a window's design values from its table, another lists where a
// window differs from a table.
#include "platform/vb/Controls.h"
#include "platform/vb/Design.h"
#include "platform/vb/Form.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <gtest/gtest.h>

// Readable QStrings in the failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(" | ").toStdString() << ']'; }
QT_END_NAMESPACE

using namespace tylog;
using tylog::testing::ShowActive;

namespace {

// One control of each kind a row can caption, a frame holding an option, a line and a control array.
class DesignedForm : public vb::Form {
public:
    DesignedForm() : vb::Form("Designed") {
        for (int i = 0; i < 2; ++i) Keys.Add(*this, "Keys", i);
    }
    vb::Label Prompt{*this, "Prompt"};
    vb::TextBox Box{*this, "Box"};
    vb::CommandButton Done{*this, "Done"};
    vb::Frame Group{*this, "Group"};
    vb::OptionButton Choice{*this, "Choice", &Group};
    vb::CheckBox Tick{*this, "Tick"};
    vb::Line Rule{*this, "Rule"};
    vb::Image Picture{*this, "Picture"};
    vb::ControlArray<vb::Label> Keys;

    vb::FormDesign form() const { return {.Caption = "Designed Window", .ClientWidth = 4000, .ClientHeight = 3000, .BorderStyle = 3}; }
    std::vector<vb::ControlDesign> table() {
        return {
            // control  caption   left  top   width height tab
            {Prompt, "Name:", 120, 120, 1000, 255, {}, {.FontBold = true, .ForeColor = 0x0000FF}},
            {Box, "K1ABC", 1200, 90, 1500, 315, 1, {.FontName = "Arial", .FontSize = 9.75, .BackColor = 0xE0E0E0}},
            {Done, "Done", 2800, 2400, 1095, 375, 0, {.ToolTipText = "Closes the window"}},
            {Group, "Mode", 120, 600, 2000, 900},
            {Choice, "CW", 150, 300, 1200, 255, 2},
            {Tick, "Echo", 120, 1600, 2000, 255, 3, {.Visible = false}},
            {Rule, {}, 120, 2200, 3880, 2200},
            {Picture, {}, 3000, 120, 480, 480},
            {Keys[0], "F1", 120, 1900, 435, 255},
            {Keys[1], "F2", 600, 1900, 435, 255},
        };
    }
};

TEST(Design, ApplySetsEveryValueOfTheTableAndTheWindowThenMatchesIt) {
    DesignedForm f;
    vb::ApplyDesign(f, f.form(), f.table());

    EXPECT_EQ(f.Caption(), "Designed Window");
    EXPECT_EQ(f.BorderStyle(), 3);
    EXPECT_DOUBLE_EQ(f.ScaleWidth(), 4000) << "the inner size, the border and caption added outside";
    EXPECT_DOUBLE_EQ(f.Width(), 4000 + f.NonClientWidth());
    EXPECT_DOUBLE_EQ(f.Height(), 3000 + f.NonClientHeight());

    EXPECT_EQ(f.Prompt.Caption(), "Name:");
    EXPECT_TRUE(f.Prompt.FontBold());
    EXPECT_EQ(f.Prompt.ForeColor(), 0x0000FF);
    EXPECT_EQ(f.Box.Text(), "K1ABC") << "a text box's caption is its text";
    EXPECT_EQ(f.Box.FontName(), "Arial");
    EXPECT_DOUBLE_EQ(f.Box.FontSize(), 9.75);
    EXPECT_EQ(f.Box.BackColor(), 0xE0E0E0);
    EXPECT_EQ(f.Done.ToolTipText(), "Closes the window");
    EXPECT_DOUBLE_EQ(f.Choice.Left(), 150) << "relative to its frame";
    EXPECT_EQ(f.Choice.Caption(), "CW");
    EXPECT_FALSE(f.Tick.Visible());
    EXPECT_DOUBLE_EQ(f.Rule.Y1(), 2200) << "a line's four numbers are its ends";
    EXPECT_DOUBLE_EQ(f.Rule.X2(), 3880);
    EXPECT_DOUBLE_EQ(f.Picture.Width(), 480);
    EXPECT_DOUBLE_EQ(f.Keys[1].Left(), 600);
    EXPECT_EQ(f.Keys[1].Caption(), "F2");
    EXPECT_EQ(vb::DesignDifferences(f, f.form(), f.table()), QStringList());

    // The tab order follows the table's indexes.
    ShowActive(f);
    f.Done.SetFocus();
    f.SendTab();
    EXPECT_EQ(f.ActiveControl(), &f.Box);
    f.SendTab();
    EXPECT_EQ(f.ActiveControl(), &f.Choice);
}

TEST(Design, WhatATableLeavesOutStaysAsItWas) {
    DesignedForm f;
    vb::ApplyDesign(f, f.form(), f.table());
    const double width = f.Width();
    // A second table (a twin's layout over its base) states only some values.
    vb::ApplyDesign(f, {}, {{f.Prompt, {}, 240, 120, 1000, 255}, {.control = f.Box, .Look = {.Visible = false}}});
    EXPECT_EQ(f.Caption(), "Designed Window");
    EXPECT_DOUBLE_EQ(f.Width(), width);
    EXPECT_DOUBLE_EQ(f.Prompt.Left(), 240);
    EXPECT_EQ(f.Prompt.Caption(), "Name:");
    EXPECT_TRUE(f.Prompt.FontBold());
    EXPECT_FALSE(f.Box.Visible());
    EXPECT_DOUBLE_EQ(f.Box.Left(), 1200);
    EXPECT_EQ(f.Box.Text(), "K1ABC");
    EXPECT_EQ(f.Box.TabIndex(), 1);
}

TEST(Design, DifferencesNameEachValueThatDiffers) {
    DesignedForm f;
    vb::ApplyDesign(f, f.form(), f.table());
    f.setCaption("Other");
    f.Box.setLeft(1260);
    f.Keys[0].setCaption("F12");
    f.Rule.setX1(0);
    f.Tick.setVisible(true);
    f.Done.setTabIndex(7);
    f.Prompt.setFontBold(false);
    f.Box.setBackColor(0xFFFFFF);
    EXPECT_EQ(vb::DesignDifferences(f, f.form(), f.table()),
              QStringList({"Designed.Caption: \"Other\", design \"Designed Window\"", "Prompt.FontBold: False, design True",
                           "Box.Left: 1260, design 1200", "Box.BackColor: 16777215, design 14737632",
                           "Done.TabIndex: 7, design 0", "Tick.Visible: True, design False", "Rule.X1: 0, design 120",
                           "Keys(0).Caption: \"F12\", design \"F1\""}));
    // A table compares only what it states.
    EXPECT_EQ(vb::DesignDifferences(f, {}, {{f.Box, {}, {}, 90}}), QStringList());
}

TEST(Design, TheWindowsFaceGoesToEveryControlWhoseRowNamesNone) {
    DesignedForm f;
    vb::ApplyDesign(f, {.FontName = "Arial", .FontSize = 8.25}, {{.control = f.Done, .Look = {.FontName = "Courier New"}}});
    EXPECT_EQ(f.FontName(), "Arial");
    EXPECT_EQ(f.Keys[1].FontName(), "Arial");
    EXPECT_EQ(f.Choice.FontName(), "Arial");
    EXPECT_EQ(f.Done.FontName(), "Courier New");
    EXPECT_EQ(vb::DesignDifferences(f, {.FontName = "Arial"}, {{.control = f.Done, .Look = {.FontName = "Courier New"}}}),
              QStringList());
    f.Tick.setFontName("Times");
    EXPECT_EQ(vb::DesignDifferences(f, {.FontName = "Arial"}, {}), QStringList({"Done.FontName: \"Courier New\", design \"Arial\"",
                                                                                 "Tick.FontName: \"Times\", design \"Arial\""}));
}

TEST(Design, ACaptionForAControlWithoutOneIsRefused) {
    DesignedForm f;
    EXPECT_THROW(vb::ApplyDesign(f, {}, {{f.Picture, "logo"}}), std::invalid_argument);
    EXPECT_THROW(vb::ApplyDesign(f, {}, {{f.Rule, "rule"}}), std::invalid_argument);
}

} // namespace
