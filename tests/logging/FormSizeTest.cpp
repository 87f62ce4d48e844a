// Form size and the taskbar option of the logging windows, on a fake screen.
#include "core/StationSettingsFile.h"
#include "tests/logging/InfrmFixture.h"
#include "tests/logging/LogWindowFixture.h"

#include <QFile>
#include <cmath>

using namespace tylog;
using namespace tylog::testing;

namespace {

class FormSizeTest : public LogWindowTest {
protected:
    void SetUp() override {
        LogWindowTest::SetUp();
        Fakes().screen.width = 15360; // 1024 x 768 pixels
        Fakes().screen.height = 11520;
    }
    // A control's design geometry scaled to this screen (1.6 both ways), then to p percent.
    static double scaled(double design, double p = 100) { return design * 1.6 * p / 100; }

    static void expectGeometry(const vb::Control& c, double l, double t, double w, double h, double p) {
        EXPECT_NEAR(c.Left(), scaled(l, p), 1e-6) << c.Name.toStdString();
        EXPECT_NEAR(c.Top(), scaled(t, p), 1e-6) << c.Name.toStdString();
        EXPECT_NEAR(c.Width(), scaled(w, p), 1e-6) << c.Name.toStdString();
        EXPECT_NEAR(c.Height(), scaled(h, p), 1e-6) << c.Name.toStdString();
    }
};

TEST_F(FormSizeTest, EightyPercentShrinksTheWindowAndEveryControlInProportion) {
    Station.FormSizePercent = 80;
    OutfrmWindow& w = open();
    EXPECT_DOUBLE_EQ(w.Width(), 12288);
    EXPECT_DOUBLE_EQ(w.Height(), 9216);
    EXPECT_DOUBLE_EQ(w.Left(), 1536); // centred
    EXPECT_DOUBLE_EQ(w.Top(), 1152);
    expectGeometry(w.txtCall, 0, 2970, 1135, 285, 80);
    expectGeometry(w.lblDialog, 0, 3360, 4695, 975, 80);
    expectGeometry(w.cmdLogOn, 1440, 6000, 1575, 435, 80);
    expectGeometry(w.ListView1, 0, 480, 6375, 1935, 80);
    EXPECT_NEAR(w.List1.Left(), scaled(7200, 80), 1e-6);
    EXPECT_NEAR(w.List1.Width(), scaled(2205, 80), 1e-6);
    for (const vb::Control* c : std::initializer_list<const vb::Control*>{&w.txtCall, &w.lblDialog, &w.cmdLogOn, &w.List1, &w.ListView1})
        EXPECT_NEAR(c->FontSize(), 8.25 * 1.6 * 0.8, 1e-6) << c->Name.toStdString();
    EXPECT_NEAR(w.Line3.Y1(), scaled(6000, 80), 1e-6);
    EXPECT_NEAR(w.Line3.X2(), scaled(9480, 80), 1e-6);
    EXPECT_NEAR(w.ListView1.ColumnWidth(0), scaled(550, 80), 1e-6);
    EXPECT_NEAR(w.txtDX.ColumnWidth(2), scaled(2000, 80), 1e-6);
    // Both county lists end at the line.
    EXPECT_NEAR(w.List1.Top() + w.List1.Height(), w.Line3.Y1(), 1e-6);
    EXPECT_DOUBLE_EQ(w.List2.Height(), w.List1.Height());
    EXPECT_FALSE(w.mnuTaskbar.Checked());
}

TEST_F(FormSizeTest, FullSizeFillsTheScreenOrTheWorkAreaFromTheCorner) {
    Station.TaskbarOption = 1;
    Fakes().screen.workArea = QRectF(0, 0, 15360, 10944); // a taskbar 5 % high
    OutfrmWindow& w = open();
    EXPECT_TRUE(w.mnuTaskbar.Checked());
    EXPECT_DOUBLE_EQ(w.Left(), 0);
    EXPECT_DOUBLE_EQ(w.Top(), 0);
    EXPECT_DOUBLE_EQ(w.Width(), 15360);
    EXPECT_DOUBLE_EQ(w.Height(), 10944);
    EXPECT_NEAR(w.txtCall.Top(), scaled(2970) * 0.95, 1e-6);
    EXPECT_NEAR(w.txtCall.Width(), scaled(1135), 1e-6);
    EXPECT_NEAR(w.txtCall.FontSize(), 8.25 * 1.6, 1e-6) << "fonts are not refitted";

    // Taskbar off: the whole screen at once, every height and top 1/0.95 larger.
    const double top = w.txtCall.Top(), height = w.txtCall.Height();
    QFile::remove(folder.file("QSOpref.txt"));
    pick(w.mnuTaskbar);
    EXPECT_EQ(Station.TaskbarOption, 0);
    EXPECT_FALSE(w.mnuTaskbar.Checked());
    EXPECT_TRUE(folder.exists("QSOpref.txt"));
    EXPECT_DOUBLE_EQ(w.Height(), 11520);
    EXPECT_NEAR(w.txtCall.Top(), top / 0.95, 1e-6);
    EXPECT_NEAR(w.txtCall.Height(), height / 0.95, 1e-6);
    EXPECT_NEAR(w.List1.Top() + w.List1.Height(), w.Line3.Y1(), 1e-6);
    EXPECT_TRUE(w.isVisible());
}

TEST_F(FormSizeTest, TheTaskbarCommandNeedsFullSize) {
    for (int percent : {80}) {
        Station.FormSizePercent = static_cast<std::uint8_t>(percent);
        Station.TaskbarOption = 0;
        Fakes().screen.workArea = QRectF(0, 0, 15360, 10944);
        OutfrmWindow& w = open();
        const double height = w.Height();
        QFile::remove(folder.file("QSOpref.txt"));
        Fakes().dialogs.AnswerMsgBox(vbOK);
        pick(w.mnuTaskbar);
        const auto& box = Fakes().dialogs.shown.back();
        EXPECT_EQ(box.prompt, "The form size must be set to 100% to use the taskbar display option.");
        EXPECT_EQ(box.title, "Please set your form size to 100% to use this option.");
        EXPECT_EQ(Station.TaskbarOption, 0);
        EXPECT_FALSE(w.mnuTaskbar.Checked());
        EXPECT_FALSE(folder.exists("QSOpref.txt"));
        EXPECT_DOUBLE_EQ(w.Height(), height);
        vb::DiscardAllForms();
    }
}

// A first run stores 0: the window comes up full size and the size 100 is saved; no font is 0.
TEST_F(FormSizeTest, SizeZeroGivesAFullSizeWindow) {
    Station.FormSizePercent = 0;
    OutfrmWindow& w = open();
    EXPECT_EQ(Station.FormSizePercent, 100);
    EXPECT_DOUBLE_EQ(w.Width(), 15360);
    EXPECT_DOUBLE_EQ(w.Height(), 11520);
    EXPECT_DOUBLE_EQ(w.Left(), 0);
    EXPECT_GT(w.FontSize(), 0);
    for (const vb::Control* c : w.Controls()) EXPECT_GT(c->FontSize(), 0) << c->Name.toStdString();
    EXPECT_NEAR(w.txtCall.Top(), scaled(2970), 1e-6);
    Station = StationSettings();
    LoadStationSettings();
    EXPECT_EQ(Station.FormSizePercent, 100);
}

// A window without a size gives no ratio: the controls keep their geometry and the window still
// covers the screen.
TEST_F(FormSizeTest, FittingAWindowOfNoSizeKeepsTheControlsFinite) {
    OutfrmWindow& w = open();
    const double top = w.txtCall.Top(), width = w.txtCall.Width(), y1 = w.Line3.Y1();
    w.setWidth(0);
    w.setHeight(0);
    w.FitWindowToScreen();
    EXPECT_DOUBLE_EQ(w.Width(), 15360);
    EXPECT_DOUBLE_EQ(w.txtCall.Top(), top);
    EXPECT_DOUBLE_EQ(w.txtCall.Width(), width);
    EXPECT_DOUBLE_EQ(w.Line3.Y1(), y1);
    for (const vb::Control* c : w.Controls())
        EXPECT_TRUE(std::isfinite(c->Left() + c->Top() + c->Width() + c->Height())) << c->Name.toStdString();
    EXPECT_TRUE(w.isVisible());
}

TEST_F(FormSizeTest, FormSizeAnswers) {
    OutfrmWindow& w = open();
    struct Case { const char* answer; int stored; bool accepted; };
    const Case cases[] = {{"150", 100, true}, {"10", 30, true},  {"75.5", 76, true}, {"82.5", 82, true},
                          {"-5", 30, true},   {" 90 ", 90, true}, {"90", 90, true},   {"abc", 90, false},
                          {"", 90, false},    {"9O", 90, false}};
    const double width = w.Width();
    for (const Case& c : cases) {
        QFile::remove(folder.file("QSOpref.txt"));
        Fakes().dialogs.shown.clear();
        Fakes().dialogs.AnswerInput(c.answer);
        Fakes().dialogs.AnswerMsgBox(vbOK);
        const int before = Station.FormSizePercent;
        pick(w.mnuFormSize);
        const auto& shown = Fakes().dialogs.shown;
        ASSERT_EQ(shown.size(), 2) << c.answer;
        EXPECT_EQ(shown[0].title, "Please enter screen percentage.");
        EXPECT_EQ(shown[0].defaultText, QString::number(before));
        EXPECT_EQ(Station.FormSizePercent, c.stored) << c.answer;
        if (!c.accepted) {
            EXPECT_EQ(shown[1].title, "Numeric Values Required") << c.answer;
            EXPECT_EQ(shown[1].prompt, "Please enter only numeric values.");
            EXPECT_FALSE(folder.exists("QSOpref.txt")) << c.answer;
        } else {
            // The notice comes for every accepted answer, the same value included; then the save.
            EXPECT_EQ(shown[1].title, "For this setting to take effect please restart this program.") << c.answer;
            EXPECT_EQ(shown[1].prompt, "This program must be closed and restarted for this setting to take effect.");
            EXPECT_TRUE(folder.exists("QSOpref.txt")) << c.answer;
        }
        EXPECT_DOUBLE_EQ(w.Width(), width) << "the window keeps its size until the next start";
    }
}

// The taskbar command follows the stored size, not the window's present one.
TEST_F(FormSizeTest, TheTaskbarCommandFollowsTheStoredSize) {
    Station.FormSizePercent = 80;
    Fakes().screen.workArea = QRectF(0, 0, 15360, 10944);
    OutfrmWindow& w = open();
    Fakes().dialogs.AnswerInput("100");
    Fakes().dialogs.AnswerMsgBox(vbOK);
    pick(w.mnuFormSize);
    pick(w.mnuTaskbar);
    EXPECT_EQ(Station.TaskbarOption, 1);
    EXPECT_DOUBLE_EQ(w.Left(), 0);
    EXPECT_DOUBLE_EQ(w.Width(), 15360);
    EXPECT_DOUBLE_EQ(w.Height(), 10944);
    EXPECT_NEAR(w.List1.Top() + w.List1.Height(), w.Line3.Y1(), 1e-6);

    Fakes().dialogs.AnswerInput("95");
    Fakes().dialogs.AnswerMsgBox(vbOK);
    pick(w.mnuFormSize);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    pick(w.mnuTaskbar);
    EXPECT_EQ(Fakes().dialogs.shown.back().title, "Please set your form size to 100% to use this option.");
    EXPECT_EQ(Station.TaskbarOption, 1);
}

class InfrmFormSizeTest : public InfrmFixture {
protected:
    static void expectListsOnLine3(InfrmWindow& w, const std::string& when) {
        for (const vb::ListBox* l : {&w.List1, &w.List2, &w.List3}) {
            EXPECT_NEAR(l->Top() + l->Height(), w.Line3.Y1(), 1e-6) << l->Name.toStdString() << ", " << when;
            EXPECT_DOUBLE_EQ(l->Height(), w.List1.Height()) << l->Name.toStdString() << ", " << when;
        }
    }
};

// The in-state window's three multiplier lists end on the line under them at every size.
TEST_F(InfrmFormSizeTest, TheThreeListsEndOnLine3AtEverySize) {
    for (int percent : {30, 55, 80, 99}) {
        Station.FormSizePercent = static_cast<std::uint8_t>(percent);
        InfrmWindow& w = open();
        EXPECT_NEAR(w.Width(), 15360.0 * percent / 100, 1e-6) << percent;
        expectListsOnLine3(w, std::to_string(percent) + " %");
        vb::DiscardAllForms();
    }

    // The scaling moves the lists and the line alike; the list heights are set anew from the line,
    // so lists that had left it come back to it.
    Station.FormSizePercent = 100;
    InfrmWindow& w = open();
    w.List2.setHeight(w.List2.Height() / 2);
    w.List3.setHeight(w.List3.Height() / 3);
    Station.FormSizePercent = 80;
    w.ApplyFormSize();
    expectListsOnLine3(w, "lists off the line");
    EXPECT_TRUE(w.isVisible());

    // And after the fit to the screen, with the taskbar left free.
    Station.FormSizePercent = 100;
    Station.TaskbarOption = 1;
    Fakes().screen.workArea = QRectF(0, 0, 15360, 10944);
    w.FitWindowToScreen();
    EXPECT_DOUBLE_EQ(w.Height(), 10944);
    expectListsOnLine3(w, "fitted to the work area");
}

} // namespace
