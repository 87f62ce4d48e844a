#include "logtools/HelpWindow.h"
#include "core/ProcessState.h"
#include "platform/vb/Design.h"
#include "tests/support/TestSupport.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::Fakes;
using tylog::testing::ScratchFolder;
using tylog::testing::ShowActive;

namespace {

class HelpViewer : public ::testing::Test {
protected:
    void SetUp() override { Folders.ProgramFolder = dir.path(); }
    ScratchFolder dir;
};

} // namespace

TEST_F(HelpViewer, ShowsTheHelpFileAndCloseEndsTheModalShow) {
    dir.copyShipped("ReadSQSO.txt");
    bool shown = false;
    platform().onModalShown = [&](vb::Form& f) {
        auto& help = static_cast<Form5Window&>(f);
        shown = true;
        EXPECT_TRUE(help.Text1.Text().startsWith("tylog - Tessaly State QSO Party Logger"));
        EXPECT_EQ(help.Text1.Text().toLatin1(), dir.read("ReadSQSO.txt")) << "whole, with its line breaks";
        QTest::mouseClick(help.Command1.widget(), Qt::LeftButton);
    };
    Form5().Show(vb::vbModal);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(Form5().isVisible());
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

TEST_F(HelpViewer, MissingOrEmptyFileGivesAnEmptyBox) {
    EXPECT_EQ(Form5().Text1.Text(), "");
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
    vb::Unload(Form5());
    dir.write("readsqso.TXT", "");
    EXPECT_EQ(Form5().Text1.Text(), "");
}

TEST_F(HelpViewer, LongTextScrolls) {
    QByteArray text;
    for (int i = 0; i < 300; ++i) text += "Line " + QByteArray::number(i) + "\r\n";
    dir.write("ReadSQSO.txt", text);
    Form5Window& f = Form5();
    ShowActive(f);
    auto* edit = static_cast<QPlainTextEdit*>(f.Text1.widget());
    EXPECT_GT(edit->verticalScrollBar()->maximum(), 0);
}

TEST_F(HelpViewer, ScalesToTheScreenAndCentresExactly) {
    struct Case { double sw, sh, rx, ry; };
    const Case cases[] = {{9600, 7200, 1, 1}, {19200, 14400, 2, 2}, {19200, 7200, 2, 1}};
    for (const Case& c : cases) {
        Fakes().screen.width = c.sw;
        Fakes().screen.height = c.sh;
        Form5Window design;
        Form5Window& f = Form5();
        EXPECT_DOUBLE_EQ(f.Width(), design.Width() * c.rx);
        EXPECT_DOUBLE_EQ(f.Height(), design.Height() * c.ry);
        EXPECT_DOUBLE_EQ(f.Left(), (c.sw - f.Width()) / 2);
        EXPECT_DOUBLE_EQ(f.Top(), (c.sh - f.Height()) / 2);
        EXPECT_DOUBLE_EQ(f.FontSize(), design.FontSize() * c.rx);
        EXPECT_DOUBLE_EQ(f.Command1.Left(), 3240 * c.rx);
        EXPECT_DOUBLE_EQ(f.Command1.Top(), 5400 * c.ry);
        EXPECT_DOUBLE_EQ(f.Text1.Height(), 4935 * c.ry);
        EXPECT_DOUBLE_EQ(f.Text1.FontSize(), 9.75 * std::min(c.rx, c.ry));
        vb::Unload(f);
    }
}

TEST_F(HelpViewer, IsLaidOutAsDesigned) {
    Form5Window f; // not loaded: the design values, before the load scales them
    EXPECT_EQ(vb::DesignDifferences(
                  f, {.Caption = "Help Page", .ClientWidth = 7725, .ClientHeight = 6000},
                  {
                      {f.Text1, {}, 240, 240, 7215, 4935, {},
                       {.FontName = "MS Sans Serif", .FontSize = 9.75, .FontBold = true, .BackColor = 0xE0E0E0}},
                      {f.Command1, "Close", 3240, 5400, 1215, 375, {}, {.FontName = "Arial", .FontSize = 8.25, .FontBold = true}},
                  })
                  .join('\n')
                  .toStdString(),
              "");
}
