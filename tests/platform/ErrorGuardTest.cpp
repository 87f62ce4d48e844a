// No error leaves window code into Qt: every handler the control layer calls runs behind its guard,
// which logs the error, shows its description and lets the program go on. Also the log categories.
#include "platform/Diagnostics.h"
#include "platform/Platform.h"
#include "platform/VbError.h"
#include "platform/testing/Fakes.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "tests/support/EscapedErrors.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace tylog;
using tylog::testing::ExpectEscapedError;
using tylog::testing::Fakes;
using tylog::testing::Pump;
using tylog::testing::ShowActive;

namespace {

[[noreturn]] void Fail() { throw VbError(VbError::DeviceIO, "Device I/O error"); }

// Every handler a window can have, each one able to fail.
class GuardForm : public vb::Form {
public:
    GuardForm() : vb::Form("GuardForm") {
        Text1.Move(120, 120, 2400, 300);
        Text2.Move(120, 600, 2400, 300);
        Command1.Move(120, 1080, 1200, 375);
        Label1.Move(1500, 1080, 1200, 375);
        List1.Move(120, 1600, 4000, 1500);
        List1.AddColumn("Call", 1500);
        Text1.setTabIndex(0);
        Text2.setTabIndex(1);
        ApplyTabOrder();
    }
    vb::TextBox Text1{*this, "Text1"};
    vb::TextBox Text2{*this, "Text2"};
    vb::CommandButton Command1{*this, "Command1"};
    vb::Label Label1{*this, "Label1"};
    vb::ListView List1{*this, "List1"};
    vb::Timer Timer1{*this, "Timer1", 100};
    vb::Menu mnuFile{*this, "mnuFile", "&File"};
    vb::Menu mnuOpen{mnuFile, "mnuOpen", "&Open"};

    // The form's handlers that fail: by their names.
    QStringList failing;
    void Form_Load() override { maybeFail("Form_Load"); }
    void Form_Activate() override { maybeFail("Form_Activate"); }
    void Form_Resize() override { maybeFail("Form_Resize"); }
    void Form_QueryUnload(int&, int) override { maybeFail("Form_QueryUnload"); }
    void Form_Unload(int&) override { maybeFail("Form_Unload"); }
    void Form_Terminate() override { maybeFail("Form_Terminate"); }
    void Form_KeyDown(int&, int) override { maybeFail("Form_KeyDown"); }
    void Form_KeyUp(int&, int) override { maybeFail("Form_KeyUp"); }
    void Form_KeyPress(int&) override { maybeFail("Form_KeyPress"); }
    void Form_Click() override { maybeFail("Form_Click"); }
    void Form_MouseMove(int, int, double, double) override { maybeFail("Form_MouseMove"); }

private:
    void maybeFail(const char* name) {
        if (failing.contains(name)) Fail();
    }
};

void SendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button = Qt::LeftButton, QPointF at = {5, 5}) {
    QMouseEvent e(type, at, w->mapToGlobal(at), button, type == QEvent::MouseMove ? Qt::NoButton : button,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

struct EventCase {
    const char* event;
    const char* source;
    bool shown;                             // the window shown active, focus in Text1, before the failure
    std::function<void(GuardForm&)> arm;    // makes the handler fail
    std::function<void(GuardForm&)> drive;  // brings the event about, as the user or Qt would
    std::function<void(GuardForm&)> after;  // what became of the event; may be empty
};

auto FailIn(const char* name) {
    return [name](GuardForm& f) { f.failing << name; };
}

TEST(ErrorGuard, AnErrorInAnyHandlerStopsAtTheLayer) {
    const auto text1Empty = [](GuardForm& f) { EXPECT_EQ(f.Text1.Text(), "") << "the failed key was stopped"; };
    const auto unloaded = [](GuardForm& f) { EXPECT_FALSE(f.IsLoaded()) << "the window still closes"; };
    const EventCase cases[] = {
        {"Click", "GuardForm.Command1", true, [](GuardForm& f) { f.Command1.Click = Fail; },
         [](GuardForm& f) { QTest::mouseClick(f.Command1.widget(), Qt::LeftButton); }, {}},
        {"DblClick", "GuardForm.Label1", true, [](GuardForm& f) { f.Label1.DblClick = Fail; },
         [](GuardForm& f) { QTest::mouseDClick(f.Label1.widget(), Qt::LeftButton); }, {}},
        {"Change", "GuardForm.Text1", true, [](GuardForm& f) { f.Text1.Change = Fail; },
         [](GuardForm& f) { QTest::keyClick(f.Text1.widget(), Qt::Key_A); },
         [](GuardForm& f) { EXPECT_EQ(f.Text1.Text(), "a") << "the text changed before its handler failed"; }},
        {"KeyDown", "GuardForm.Text1", true, [](GuardForm& f) { f.Text1.KeyDown = [](int&, int) { Fail(); }; },
         [](GuardForm& f) { QTest::keyClick(f.Text1.widget(), Qt::Key_A); }, text1Empty},
        {"KeyPress", "GuardForm.Text1", true, [](GuardForm& f) { f.Text1.KeyPress = [](int&) { Fail(); }; },
         [](GuardForm& f) { QTest::keyClick(f.Text1.widget(), Qt::Key_A); }, text1Empty},
        {"KeyPress", "GuardForm.Text1", true,
         [](GuardForm& f) {
             f.Text1.KeyPress = [](int& k) { if (k == 'b') Fail(); };
             Fakes().clipboard.text = "abc";
         },
         [](GuardForm& f) { QTest::keyClick(f.Text1.widget(), Qt::Key_V, Qt::ControlModifier); },
         [](GuardForm& f) { EXPECT_EQ(f.Text1.Text(), "a") << "a paste ends at the failed character"; }},
        {"KeyUp", "GuardForm.Text1", true, [](GuardForm& f) { f.Text1.KeyUp = [](int&, int) { Fail(); }; },
         [](GuardForm& f) { QTest::keyClick(f.Text1.widget(), Qt::Key_A); }, {}},
        {"MouseDown", "GuardForm.Label1", true, [](GuardForm& f) { f.Label1.MouseDown = [](int, int, double, double) { Fail(); }; },
         [](GuardForm& f) { SendMouse(f.Label1.widget(), QEvent::MouseButtonPress); }, {}},
        {"MouseMove", "GuardForm.Label1", true, [](GuardForm& f) { f.Label1.MouseMove = [](int, int, double, double) { Fail(); }; },
         [](GuardForm& f) { SendMouse(f.Label1.widget(), QEvent::MouseMove, Qt::NoButton); }, {}},
        {"MouseUp", "GuardForm.Label1", true, [](GuardForm& f) { f.Label1.MouseUp = [](int, int, double, double) { Fail(); }; },
         [](GuardForm& f) { SendMouse(f.Label1.widget(), QEvent::MouseButtonRelease); }, {}},
        {"LostFocus", "GuardForm.Text1", true, [](GuardForm& f) { f.Text1.LostFocus = Fail; },
         [](GuardForm& f) { QTest::keyClick(f.Text1.widget(), Qt::Key_Tab); },
         [](GuardForm& f) { EXPECT_TRUE(f.Text2.HasFocus()) << "the focus still moved"; }},
        {"GotFocus", "GuardForm.Text2", true, [](GuardForm& f) { f.Text2.GotFocus = Fail; },
         [](GuardForm& f) { QTest::keyClick(f.Text1.widget(), Qt::Key_Tab); }, {}},
        {"ColumnClick", "GuardForm.List1", true, [](GuardForm& f) { f.List1.ColumnClick = [](int) { Fail(); }; },
         [](GuardForm& f) {
             QHeaderView* h = f.List1.tree()->header();
             QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, h->height() / 2));
         },
         {}},
        {"Click", "GuardForm.mnuOpen", true, [](GuardForm& f) { f.mnuOpen.Click = Fail; },
         [](GuardForm& f) { f.mnuOpen.action()->trigger(); }, {}},
        {"Timer", "GuardForm.Timer1", true, [](GuardForm& f) { f.Timer1.Tick = Fail; },
         [](GuardForm&) { Fakes().clock.Advance(100); }, {}},
        {"Form_Load", "GuardForm", false, FailIn("Form_Load"), [](GuardForm& f) { f.Show(); },
         [](GuardForm& f) { EXPECT_TRUE(f.IsLoaded() && f.Visible()) << "the window still opens"; }},
        {"Form_Activate", "GuardForm", false, FailIn("Form_Activate"), [](GuardForm& f) { ShowActive(f); }, {}},
        {"Form_Resize", "GuardForm", true, FailIn("Form_Resize"), [](GuardForm& f) { f.resize(f.width() + 40, f.height()); }, {}},
        {"Form_QueryUnload", "GuardForm", true, FailIn("Form_QueryUnload"), [](GuardForm& f) { f.close(); }, unloaded},
        {"Form_Unload", "GuardForm", true, FailIn("Form_Unload"), [](GuardForm& f) { f.close(); }, unloaded},
        {"Form_Terminate", "GuardForm", true, FailIn("Form_Terminate"), [](GuardForm& f) { f.close(); }, unloaded},
        {"Form_KeyDown", "GuardForm", true,
         [](GuardForm& f) {
             f.KeyPreview = true;
             f.failing << "Form_KeyDown";
         },
         [](GuardForm& f) { QTest::keyClick(f.Text1.widget(), Qt::Key_A); }, text1Empty},
        {"Form_KeyPress", "GuardForm", true,
         [](GuardForm& f) {
             f.KeyPreview = true;
             f.failing << "Form_KeyPress";
         },
         [](GuardForm& f) { QTest::keyClick(f.Text1.widget(), Qt::Key_A); }, text1Empty},
        // A window with no control in focus gets the keys itself.
        {"Form_KeyUp", "GuardForm", true,
         [](GuardForm& f) {
             f.client()->setFocus();
             f.failing << "Form_KeyUp";
         },
         [](GuardForm& f) { QTest::keyClick(f.client(), Qt::Key_A); }, {}},
        {"Form_Click", "GuardForm", true, FailIn("Form_Click"),
         [](GuardForm& f) { QTest::mouseClick(f.client(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 5)); }, {}},
        {"Form_MouseMove", "GuardForm", true, FailIn("Form_MouseMove"),
         [](GuardForm& f) { SendMouse(f.client(), QEvent::MouseMove, Qt::NoButton, QPoint(300, 5)); }, {}},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(std::string(c.event) + " of " + c.source);
        GuardForm f;
        if (c.shown) {
            ShowActive(f);
            f.Text1.SetFocus();
            Pump();
        }
        c.arm(f);
        {
            ExpectEscapedError expect("Device I/O error");
            c.drive(f);
            Pump();
            ASSERT_EQ(expect.errors.size(), 1);
            EXPECT_EQ(expect.errors[0].event.toStdString(), c.event);
            EXPECT_EQ(expect.errors[0].source.toStdString(), c.source);
            EXPECT_EQ(expect.errors[0].number, VbError::DeviceIO);
        }
        if (c.after) c.after(f);
        f.failing.clear(); // the test's end discards windows without asking them
    }
}

// Whatever was thrown, its description reaches the box and the log, under tylog.controls.
TEST(ErrorGuard, ReportsAnyKindOfErrorAndLogsIt) {
    struct Case {
        const char* what;
        std::function<void()> fail;
        int number;
        const char* description;
    };
    const Case cases[] = {
        {"VbError", [] { throw VbError(VbError::Overflow, "Overflow"); }, 6, "Overflow"},
        {"standard exception", [] { throw std::runtime_error("port closed"); }, 0, "port closed"},
        {"anything else", [] { throw 42; }, 0, "Unknown error"},
    };
    static QStringList logged;
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& ctx, const QString& m) {
        if (type == QtWarningMsg && QLatin1String(ctx.category) == QLatin1String("tylog.controls")) logged << m;
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        logged.clear();
        GuardForm f;
        f.Command1.Click = c.fail;
        {
            ExpectEscapedError expect(c.description);
            f.Command1.RaiseClick();
            ASSERT_EQ(expect.errors.size(), 1);
            EXPECT_EQ(expect.errors[0].number, c.number);
        }
        const auto& box = Fakes().dialogs.shown.back();
        EXPECT_EQ(box.buttons, vbOKOnly | vbCritical);
        ASSERT_EQ(logged.size(), 1);
        EXPECT_TRUE(logged[0].contains("GuardForm.Command1.Click")) << logged[0].toStdString();
        EXPECT_TRUE(logged[0].contains(c.description)) << logged[0].toStdString();
    }
    qInstallMessageHandler(previous);
}

// A timer that fails on every tick goes on ticking, each failure reported.
TEST(ErrorGuard, AFailingTimerGoesOn) {
    QList<vb::EscapedError> escaped;
    const vb::EscapedErrorHook previous = vb::SetEscapedErrorHook([&](const vb::EscapedError& e) { escaped << e; });
    Fakes().dialogs.AlwaysAnswerMsgBox(AppTitle, vbOK);
    GuardForm f;
    int ticks = 0;
    f.Timer1.Tick = [&] {
        ++ticks;
        Fail();
    };
    Fakes().clock.Advance(300);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(escaped.size(), 3);
    EXPECT_EQ(Fakes().dialogs.shown.size(), 3);
    EXPECT_TRUE(f.Timer1.Running());
    vb::SetEscapedErrorHook(previous);
}

// While the box of one failure is open, events go on (the box waits in an event loop); their failures
// are logged and handed on but open no second box, so failing events cannot pile boxes up.
TEST(ErrorGuard, OneBoxAtATime) {
    GuardForm f;
    f.Command1.Click = Fail;
    f.Label1.Change = Fail;
    class EventsDuringTheBox : public tylog::testing::ScriptedDialogs {
    public:
        explicit EventsDuringTheBox(GuardForm& f) : f_(f) {}
        int MsgBox(const QString& prompt, int buttons, const QString& title) override {
            if (++boxes == 1) f_.Label1.setCaption("changed while the box is open");
            return ScriptedDialogs::MsgBox(prompt, buttons, title);
        }
        int boxes = 0;

    private:
        GuardForm& f_;
    } dialogs(f);
    Dialogs* const saved = platform().dialogs;
    platform().dialogs = &dialogs;
    dialogs.AlwaysAnswerMsgBox(AppTitle, vbOK);
    QList<vb::EscapedError> escaped;
    const vb::EscapedErrorHook previous = vb::SetEscapedErrorHook([&](const vb::EscapedError& e) { escaped << e; });

    f.Command1.RaiseClick();
    ASSERT_EQ(escaped.size(), 2);
    EXPECT_EQ(escaped[1].source, "GuardForm.Label1");
    EXPECT_EQ(dialogs.boxes, 1);
    f.Command1.RaiseClick();
    EXPECT_EQ(dialogs.boxes, 2) << "a box again once the first one closed";

    vb::SetEscapedErrorHook(previous);
    platform().dialogs = saved;
}

// Errors a handler traps itself never reach the guard; one that goes out of a nested event stops at
// that event's guard, and the outer handler goes on.
TEST(ErrorGuard, TrappedAndNestedErrors) {
    GuardForm f;
    f.Text1.Change = [] {
        try {
            Fail();
        } catch (const VbError&) {
            // trapped by the handler
        }
    };
    f.Text1.setText("trapped");
    f.Text2.Change = Fail;
    bool outerWentOn = false;
    f.Command1.Click = [&] {
        f.Text2.setText("x");
        outerWentOn = true;
    };
    {
        ExpectEscapedError expect;
        f.Command1.RaiseClick();
        ASSERT_EQ(expect.errors.size(), 1);
        EXPECT_EQ(expect.errors[0].source, "GuardForm.Text2");
    }
    EXPECT_TRUE(outerWentOn);
}

// ---- Log categories ----------------------------------------------------------------------------

TEST(Diagnostics, OneCategoryPerSubsystemDebugOffUntilSwitchedOn) {
    struct Case {
        const QLoggingCategory& category;
        const char* name;
    };
    const Case cases[] = {
        {lcPlatform(), "tylog.platform"}, {lcControls(), "tylog.controls"}, {lcLogStore(), "tylog.logstore"},
        {lcApp(), "tylog.app"},           {lcLogging(), "tylog.logging"},   {lcLogTools(), "tylog.logtools"},
        {lcRig(), "tylog.rig"},           {lcKeying(), "tylog.keying"},     {lcSpotting(), "tylog.spotting"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.category.categoryName(), c.name);
        EXPECT_FALSE(c.category.isDebugEnabled()) << c.name;
        EXPECT_FALSE(c.category.isInfoEnabled()) << c.name;
        EXPECT_TRUE(c.category.isWarningEnabled()) << c.name;
    }
    // The rules QT_LOGGING_RULES gives, as the program would read them at start.
    QLoggingCategory::setFilterRules("tylog.rig.debug=true");
    for (const Case& c : cases) EXPECT_EQ(c.category.isDebugEnabled(), &c.category == &lcRig()) << c.name;
    QLoggingCategory::setFilterRules(QString());
    EXPECT_FALSE(lcRig().isDebugEnabled());
}

} // namespace
