// The control layer driven through real Qt events: keys, focus, clicks, timers, windows, geometry,
// menus and the scripted dialogs.
#include "platform/Platform.h"
#include "platform/testing/Fakes.h"
#include "platform/vb/Color.h"
#include "platform/vb/Controls.h"
#include "platform/vb/Form.h"
#include "platform/vb/Forms.h"
#include "platform/vb/Keys.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QScreen>
#include <QFontMetricsF>
#include <QLabel>
#include <QHeaderView>
#include <QTreeWidget>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

// Readable QStrings in the failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace tylog;
using tylog::testing::Fakes;
using tylog::testing::Pump;
using tylog::testing::ShowActive;

namespace {

QString S(const QString& fmt, int a) { return fmt.arg(a); }
QString S(const QString& fmt, int a, int b) { return fmt.arg(a).arg(b); }

// A window whose form-level events go into a log; tests add controls in small subclasses.
class TestForm : public vb::Form {
public:
    explicit TestForm(const QString& name = "TestForm") : vb::Form(name) {}
    QStringList log;
    std::function<void(int&, int)> keyDown;
    std::function<void(int&)> keyPress;

    void Form_KeyDown(int& k, int s) override {
        log << S("Form.KeyDown %1 %2", k, s);
        if (keyDown) keyDown(k, s);
    }
    void Form_KeyUp(int& k, int s) override { log << S("Form.KeyUp %1 %2", k, s); }
    void Form_KeyPress(int& a) override {
        log << S("Form.KeyPress %1", a);
        if (keyPress) keyPress(a);
    }

    // Writes every event of the control into the log.
    void watch(vb::Control& c) {
        const QString n = c.Name;
        c.KeyDown = [this, n](int& k, int s) { log << n + S(".KeyDown %1 %2", k, s); };
        c.KeyUp = [this, n](int& k, int s) { log << n + S(".KeyUp %1 %2", k, s); };
        c.KeyPress = [this, n](int& a) { log << n + S(".KeyPress %1", a); };
        c.Change = [this, n] { log << n + ".Change"; };
        c.GotFocus = [this, n] { log << n + ".GotFocus"; };
        c.LostFocus = [this, n] { log << n + ".LostFocus"; };
        c.Click = [this, n] { log << n + ".Click"; };
        c.DblClick = [this, n] { log << n + ".DblClick"; };
    }
    QStringList take() {
        QStringList l;
        l.swap(log);
        return l;
    }
};

class BoxForm : public TestForm {
public:
    BoxForm() {
        Text1.Move(120, 120, 2400, 300);
        Text2.Move(120, 600, 2400, 300);
        Memo.Move(120, 1080, 2400, 900);
        Text1.setTabIndex(0);
        Text2.setTabIndex(1);
        Memo.setTabIndex(2);
        ApplyTabOrder();
    }
    vb::TextBox Text1{*this, "Text1"};
    vb::TextBox Text2{*this, "Text2"};
    vb::TextBox Memo{*this, "Memo", nullptr, -1, true};
};

// Shows the window active, puts the focus in the box and empties the log.
void Focus(TestForm& f, vb::Control& c) {
    if (!f.isVisible()) ShowActive(f);
    c.SetFocus();
    Pump();
    f.take();
}

QWidget* FocusWidget() { return QApplication::focusWidget(); }

// Puts the layer's script-fault report aside for one test, collecting the faults instead.
class FaultCatcher {
public:
    FaultCatcher() : saved_(platform().reportScriptFault) {
        platform().reportScriptFault = [this](const QString& s) { faults << s; };
    }
    ~FaultCatcher() { platform().reportScriptFault = saved_; }
    QStringList faults;

private:
    std::function<void(const QString&)> saved_;
};

std::uint32_t Now() { return Fakes().clock.TimeGetTime(); }

// ---- Keys --------------------------------------------------------------------------------------

TEST(ControlKeys, PreviewRunsTheFormsHandlersFirst) {
    for (bool preview : {true, false}) {
        BoxForm f;
        f.KeyPreview = preview;
        f.watch(f.Text1);
        Focus(f, f.Text1);
        QTest::keyClick(f.Text1.widget(), 'a');
        QStringList want;
        if (preview) want << "Form.KeyDown 65 0";
        want << "Text1.KeyDown 65 0";
        if (preview) want << "Form.KeyPress 97";
        want << "Text1.KeyPress 97" << "Text1.Change";
        if (preview) want << "Form.KeyUp 65 0";
        want << "Text1.KeyUp 65 0";
        EXPECT_EQ(f.take(), want) << "preview " << preview;
        EXPECT_EQ(f.Text1.Text(), "a");
    }
}

// Each key as the handlers see it: the KeyDown codes with their Shift bits, then the KeyAscii, and
// what the box holds afterwards (it starts as "xy" with the cursor at the end).
TEST(ControlKeys, CodesShiftBitsAndCharacters) {
    struct Case {
        const char* what;
        Qt::Key key;
        const char* text;
        Qt::KeyboardModifiers mods;
        QStringList want;
        QString boxAfter;
    };
    const Case cases[] = {
        {"Ctrl alone", Qt::Key_Control, "", Qt::NoModifier, {"D17,2"}, "xy"},
        {"Shift alone", Qt::Key_Shift, "", Qt::NoModifier, {"D16,1"}, "xy"},
        {"a", Qt::Key_A, "a", Qt::NoModifier, {"D65,0", "P97"}, "xya"},
        {"Shift+A", Qt::Key_A, "A", Qt::ShiftModifier, {"D16,1", "D65,1", "P65"}, "xyA"},
        {"Shift+quote", Qt::Key_QuoteDbl, "\"", Qt::ShiftModifier, {"D16,1", "D222,1", "P34"}, "xy\""},
        {"Ctrl+A", Qt::Key_A, "\x01", Qt::ControlModifier, {"D17,2", "D65,2", "P1"}, "xy"},
        {"Ctrl+Z", Qt::Key_Z, "\x1a", Qt::ControlModifier, {"D17,2", "D90,2", "P26"}, "xy"},
        {"F1", Qt::Key_F1, "", Qt::NoModifier, {"D112,0"}, "xy"},
        {"F12", Qt::Key_F12, "", Qt::NoModifier, {"D123,0"}, "xy"},
        {"Shift+F5", Qt::Key_F5, "", Qt::ShiftModifier, {"D16,1", "D116,1"}, "xy"},
        {"Enter", Qt::Key_Return, "\r", Qt::NoModifier, {"D13,0", "P13"}, "xy"},
        {"Esc", Qt::Key_Escape, "\x1b", Qt::NoModifier, {"D27,0", "P27"}, "xy"},
        {"Backspace", Qt::Key_Backspace, "\b", Qt::NoModifier, {"D8,0", "P8"}, "x"},
        {"Up", Qt::Key_Up, "", Qt::NoModifier, {"D38,0"}, "xy"},
        {"Alt+F", Qt::Key_F, "f", Qt::AltModifier, {"D18,4", "D70,4"}, "xy"},
    };
    for (const Case& c : cases) {
        BoxForm f;
        QStringList got;
        f.Text1.KeyDown = [&](int& k, int s) { got << S("D%1,%2", k, s); };
        f.Text1.KeyPress = [&](int& a) { got << S("P%1", a); };
        f.Text1.setText("xy");
        Focus(f, f.Text1);
        f.Text1.setSelStart(2);
        QTest::sendKeyEvent(QTest::Click, f.Text1.widget(), c.key, QString::fromLatin1(c.text), c.mods);
        EXPECT_EQ(got, c.want) << c.what;
        EXPECT_EQ(f.Text1.Text(), c.boxAfter) << c.what;
    }
}

TEST(ControlKeys, HandlersDecideTheCharacterTheBoxReceives) {
    auto upper = [](int& a) { if (a >= 'a' && a <= 'z') a -= 32; };
    auto dropQuote = [](int& a) { if (a == '"') a = 0; };
    auto bToX = [](int& a) { if (a == 'b') a = 'x'; };
    auto dropX = [](int& a) { if (a == 'x') a = 0; };
    struct Case {
        const char* what;
        std::function<void(int&)> form, box;
        const char* typed;
        QString want;
        QString boxSaw;
    };
    const Case cases[] = {
        {"form upper-cases", upper, nullptr, "ab", "AB", "AB"},
        {"box upper-cases", nullptr, upper, "ab", "AB", "ab"},
        {"box drops quotes", nullptr, dropQuote, "a\"b\"", "ab", "a\"b\""},
        {"form drops quotes, box never sees them", dropQuote, nullptr, "a\"b", "ab", "ab"},
        {"box sees the form's change", bToX, dropX, "abc", "ac", "axc"},
    };
    for (const Case& c : cases) {
        BoxForm f;
        f.KeyPreview = true;
        f.keyPress = c.form;
        QString saw;
        f.Text1.KeyPress = [&](int& a) {
            saw += QChar(a);
            if (c.box) c.box(a);
        };
        Focus(f, f.Text1);
        QTest::keyClicks(f.Text1.widget(), c.typed);
        EXPECT_EQ(f.Text1.Text(), c.want) << c.what;
        EXPECT_EQ(saw, c.boxSaw) << c.what;
    }
}

TEST(ControlKeys, KeyCodeZeroStopsTheKey) {
    struct Case {
        const char* what;
        bool inForm;
        Qt::Key key;
        QString want;
    };
    const Case cases[] = {
        {"form stops a letter", true, Qt::Key_A, "xy"},
        {"box stops a letter", false, Qt::Key_A, "xy"},
        {"box stops Backspace", false, Qt::Key_Backspace, "xy"},
        {"form stops Left", true, Qt::Key_Left, "xyz"},
    };
    for (const Case& c : cases) {
        BoxForm f;
        f.KeyPreview = true;
        bool pressed = false;
        auto stopAll = [](int& k, int) { k = 0; };
        if (c.inForm) f.keyDown = stopAll;
        else f.Text1.KeyDown = stopAll;
        f.Text1.KeyPress = [&](int&) { pressed = true; };
        f.Text1.setText("xy");
        Focus(f, f.Text1);
        f.Text1.setSelStart(2);
        QTest::keyClick(f.Text1.widget(), c.key);
        // A stopped Left leaves the cursor where it was: the next character goes at the end.
        f.keyDown = nullptr;
        f.Text1.KeyDown = nullptr;
        f.Text1.KeyPress = nullptr;
        if (c.key == Qt::Key_Left) QTest::keyClick(f.Text1.widget(), 'z');
        EXPECT_EQ(f.Text1.Text(), c.want) << c.what;
        EXPECT_FALSE(pressed) << c.what;
    }
}

TEST(ControlKeys, MaxLengthAndSelectionReplacement) {
    BoxForm f;
    f.Text1.setMaxLength(3);
    Focus(f, f.Text1);
    QTest::keyClicks(f.Text1.widget(), "abcde");
    EXPECT_EQ(f.Text1.Text(), "abc");
    f.Text1.setSelStart(1);
    f.Text1.setSelLength(1);
    QTest::keyClick(f.Text1.widget(), 'X'); // a full box still takes a character over a selection
    EXPECT_EQ(f.Text1.Text(), "aXc");
    EXPECT_EQ(f.Text1.SelStart(), 2);
    f.Text1.setSelStart(0);
    f.Text1.setSelLength(3);
    QTest::keyClick(f.Text1.widget(), 'q');
    EXPECT_EQ(f.Text1.Text(), "q");
    f.Text1.setText("too long");
    EXPECT_EQ(f.Text1.Text(), "too");

    f.Memo.setMaxLength(4);
    Focus(f, f.Memo);
    QTest::keyClicks(f.Memo.widget(), "abcdef");
    EXPECT_EQ(f.Memo.Text(), "abcd");
    f.Memo.PasteFiltered("zz");
    EXPECT_EQ(f.Memo.Text(), "abcd");
}

// Every way of pasting brings the text in character by character through the form's and the box's
// KeyPress, into the selection and within the maximum length.
TEST(ControlKeys, PasteGoesThroughTheKeyFilters) {
    enum Way { CtrlV, ShiftInsert, Code };
    for (bool multi : {false, true}) {
        for (Way way : {CtrlV, ShiftInsert, Code}) {
            BoxForm f;
            vb::TextBox& box = multi ? f.Memo : f.Text1;
            f.KeyPreview = true;
            f.keyPress = [](int& a) { if (a == 'c') a = 0; };
            box.KeyPress = [](int& a) {
                if (a == '"') a = 0;
                if (a >= 'a' && a <= 'z') a -= 32;
            };
            box.setText("1234");
            Fakes().clipboard.text = "ab\"cd\"e";
            Focus(f, box);
            box.setSelStart(1);
            box.setSelLength(2);
            if (way == CtrlV) QTest::keyClick(box.widget(), Qt::Key_V, Qt::ControlModifier);
            else if (way == ShiftInsert) QTest::keyClick(box.widget(), Qt::Key_Insert, Qt::ShiftModifier);
            else box.PasteFiltered(Fakes().clipboard.text);
            EXPECT_EQ(box.Text(), "1ABDE4") << "multi " << multi << " way " << way;
        }
    }
}

TEST(ControlKeys, PasteKeysRaiseKeyDownAndCanBeStopped) {
    BoxForm f;
    QStringList got;
    f.Text1.KeyDown = [&](int& k, int s) { got << S("D%1,%2", k, s); if (k == vb::vbKeyInsert) k = 0; };
    f.Text1.KeyPress = [&](int& a) { got << S("P%1", a); if (a == 22) a = 0; };
    Fakes().clipboard.text = "pasted";
    Focus(f, f.Text1);
    QTest::keyClick(f.Text1.widget(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(f.Text1.widget(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(got, QStringList({"D17,2", "D86,2", "P22", "D16,1", "D45,1"}));
    EXPECT_EQ(f.Text1.Text(), "");
}

TEST(ControlKeys, CutAndCopyUseTheProgramsClipboard) {
    BoxForm f;
    f.Text1.setText("abcd");
    Focus(f, f.Text1);
    struct Case {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QString text, clip;
    };
    const Case cases[] = {
        {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, "abcd", "bc"},
        {"Ctrl+Insert", Qt::Key_Insert, Qt::ControlModifier, "abcd", "bc"},
        {"Ctrl+X", Qt::Key_X, Qt::ControlModifier, "ad", "bc"},
        {"Shift+Delete", Qt::Key_Delete, Qt::ShiftModifier, "ad", "bc"},
    };
    for (const Case& c : cases) {
        f.Text1.setText("abcd");
        Fakes().clipboard.text.clear();
        f.Text1.setSelStart(1);
        f.Text1.setSelLength(2);
        QTest::keyClick(f.Text1.widget(), c.key, c.mods);
        EXPECT_EQ(f.Text1.Text(), c.text) << c.what;
        EXPECT_EQ(Fakes().clipboard.text, c.clip) << c.what;
    }
    // A locked box copies but does not cut.
    f.Text1.setLocked(true);
    f.Text1.setText("abcd");
    f.Text1.setSelStart(0);
    f.Text1.setSelLength(2);
    QTest::keyClick(f.Text1.widget(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(f.Text1.Text(), "abcd");
    QTest::keyClick(f.Text1.widget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Fakes().clipboard.text, "ab");
    QTest::keyClicks(f.Text1.widget(), "zz");
    EXPECT_EQ(f.Text1.Text(), "abcd");
}

// A key the box does not use (F2, Up) travels on to its parents in Qt; the form's handlers must
// still run once, and only with KeyPreview.
TEST(ControlKeys, TheFormSeesAKeyOnce) {
    for (bool preview : {true, false}) {
        BoxForm f;
        f.KeyPreview = preview;
        Focus(f, f.Text1);
        QTest::keyClick(f.Text1.widget(), Qt::Key_F2);
        QTest::keyClick(f.Text1.widget(), Qt::Key_Up);
        QStringList want;
        if (preview) want << "Form.KeyDown 113 0" << "Form.KeyUp 113 0" << "Form.KeyDown 38 0" << "Form.KeyUp 38 0";
        EXPECT_EQ(f.take(), want) << "preview " << preview;
    }
}

TEST(ControlKeys, AWindowWithoutFocusedControlGetsTheKeys) {
    TestForm f;
    vb::Label label(f, "Label1");
    ShowActive(f);
    f.take();
    for (QWidget* target : {static_cast<QWidget*>(&f), f.client()}) {
        target->setFocus();
        QTest::keyClick(target, 'a');
        QTest::keyClick(target, Qt::Key_F3);
        EXPECT_EQ(f.take(), QStringList({"Form.KeyDown 65 0", "Form.KeyPress 97", "Form.KeyUp 65 0",
                                         "Form.KeyDown 114 0", "Form.KeyUp 114 0"}));
    }
    f.keyDown = [](int& k, int) { k = 0; };
    QTest::keyClick(f.client(), 'a');
    EXPECT_EQ(f.take(), QStringList({"Form.KeyDown 65 0", "Form.KeyUp 65 0"})) << "stopped: no KeyPress";
}

TEST(ControlKeys, InputMethodTextGoesThroughTheFilters) {
    BoxForm f;
    f.Text1.KeyPress = [](int& a) { if (a == '"') a = 0; };
    Focus(f, f.Text1);
    QInputMethodEvent composing("a", {});
    QCoreApplication::sendEvent(f.Text1.widget(), &composing);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("\"é\""));
    QCoreApplication::sendEvent(f.Text1.widget(), &commit);
    EXPECT_EQ(f.Text1.Text(), QString::fromUtf8("é"));
}

TEST(ControlKeys, DropsAreRefused) {
    BoxForm f;
    ShowActive(f);
    for (vb::TextBox* box : {&f.Text1, &f.Memo}) {
        box->setText("keep");
        QWidget* target = box->MultiLine() ? static_cast<QPlainTextEdit*>(box->widget())->viewport() : box->widget();
        QMimeData mime;
        mime.setText("dropped");
        const QPointF at(5, 5);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        EXPECT_EQ(box->Text(), "keep") << box->Name.toStdString();
        EXPECT_FALSE(target->acceptDrops()) << box->Name.toStdString();
    }
}

// ---- Change and the selection ------------------------------------------------------------------

TEST(ControlText, ChangeFiresOnTypingAndFromCode) {
    for (bool multi : {false, true}) {
        BoxForm f;
        vb::TextBox& box = multi ? f.Memo : f.Text1;
        int changes = 0;
        box.Change = [&] { ++changes; };
        Focus(f, box);
        QTest::keyClicks(box.widget(), "ab");
        EXPECT_EQ(changes, 2);
        QTest::keyClick(box.widget(), Qt::Key_Backspace);
        EXPECT_EQ(changes, 3);
        box.setText("new");
        EXPECT_EQ(changes, 4);
        box.setSelStart(1);
        box.setSelText("x");
        EXPECT_EQ(changes, 5);
        EXPECT_EQ(box.Text(), "nxew");
    }
}

TEST(ControlText, SelStartSelLengthSelText) {
    for (bool multi : {false, true}) {
        BoxForm f;
        vb::TextBox& box = multi ? f.Memo : f.Text1;
        const std::string which = multi ? "multi-line" : "single line";
        box.setText("ABCDEF");
        EXPECT_EQ(box.SelStart(), 0) << which;
        box.setSelStart(2);
        EXPECT_EQ(box.SelLength(), 0) << which;
        box.setSelLength(3);
        EXPECT_EQ(box.SelStart(), 2) << which;
        EXPECT_EQ(box.SelText(), "CDE") << which;
        box.setSelStart(1); // clears the selection
        EXPECT_EQ(box.SelStart(), 1) << which;
        EXPECT_EQ(box.SelLength(), 0) << which;
        EXPECT_EQ(box.SelText(), "") << which;
        box.setSelLength(99); // up to the end
        EXPECT_EQ(box.SelText(), "BCDEF") << which;
        box.setSelText("xy");
        EXPECT_EQ(box.Text(), "Axy") << which;
        EXPECT_EQ(box.SelStart(), 3) << which;
        EXPECT_EQ(box.SelLength(), 0) << which;
        box.setSelStart(99);
        EXPECT_EQ(box.SelStart(), 3) << which;
    }
    // A line end is two characters, as in Text().
    BoxForm f;
    f.Memo.setText("ab\r\ncd");
    f.Memo.setSelStart(1);
    f.Memo.setSelLength(4);
    EXPECT_EQ(f.Memo.SelText(), "b\r\nc");
    f.Memo.setSelStart(4);
    EXPECT_EQ(f.Memo.SelStart(), 4);
    f.Memo.setSelText("X");
    EXPECT_EQ(f.Memo.Text(), "ab\r\nXcd");
    f.Memo.setSelStart(0);
    f.Memo.setSelLength(99);
    EXPECT_EQ(f.Memo.SelLength(), 7);
}

// ---- Focus -------------------------------------------------------------------------------------

// Focus events are delivered inside SetFocus and SendTab, before they return.
TEST(ControlFocus, SetFocusRaisesLostThenGot) {
    BoxForm f;
    f.watch(f.Text1);
    f.watch(f.Text2);
    ShowActive(f);
    f.Text1.SetFocus();
    f.take();
    f.Text2.SetFocus();
    EXPECT_EQ(f.take(), QStringList({"Text1.LostFocus", "Text2.GotFocus"}));
    EXPECT_EQ(f.ActiveControl(), &f.Text2);
    EXPECT_EQ(FocusWidget(), f.Text2.widget());
    f.Text2.SetFocus(); // already there
    EXPECT_TRUE(f.take().isEmpty());
}

TEST(ControlFocus, SetFocusInAWindowThatIsNotActive) {
    BoxForm f;
    f.watch(f.Text1);
    f.watch(f.Text2);
    f.Text1.SetFocus();
    f.Text2.SetFocus();
    EXPECT_EQ(f.take(), QStringList({"Text1.GotFocus", "Text1.LostFocus", "Text2.GotFocus"}));
    ShowActive(f); // the control that had the focus keeps it, with no second GotFocus
    EXPECT_TRUE(f.take().isEmpty());
    EXPECT_EQ(FocusWidget(), f.Text2.widget());
}

// A LostFocus handler that gives the focus back (a check that refuses to let the operator leave)
// keeps it: the control being entered gets no GotFocus and is not the active control.
TEST(ControlFocus, ALostFocusHandlerCanKeepTheFocus) {
    BoxForm f;
    f.watch(f.Text1);
    f.watch(f.Text2);
    f.Text1.LostFocus = [&] {
        f.log << "Text1.LostFocus";
        f.Text1.SetFocus();
    };
    ShowActive(f);
    f.Text1.SetFocus();
    f.take();
    QTest::keyClick(f.Text1.widget(), Qt::Key_Tab);
    EXPECT_EQ(f.take().filter("Focus"), QStringList({"Text1.LostFocus", "Text1.GotFocus"}));
    EXPECT_EQ(f.ActiveControl(), &f.Text1);
    EXPECT_EQ(FocusWidget(), f.Text1.widget());
}

class TabForm : public TestForm {
public:
    TabForm() {
        const int order[] = {2, 0, 3, 1, 4};
        for (int i = 0; i < 5; ++i) {
            auto& b = Boxes.Add(*this, "Box", i);
            b.Move(120, 120 + 400 * i, 1200, 300);
            b.setTabIndex(order[i]);
            watch(b);
            b.GotFocus = [this, i] { log << S("Got %1", i); };
            b.LostFocus = [this, i] { log << S("Lost %1", i); };
        }
        ApplyTabOrder();
    }
    vb::ControlArray<vb::TextBox> Boxes;
};

TEST(ControlFocus, SendTabFollowsTabIndex) {
    TabForm f;
    ShowActive(f);
    f.Boxes[1].SetFocus(); // TabIndex 0
    f.take();
    f.SendTab();
    EXPECT_EQ(f.take(), QStringList({"Lost 1", "Got 3"}));
    const int forward[] = {0, 2, 4, 1};
    for (int want : forward) {
        f.SendTab();
        EXPECT_EQ(f.ActiveControl(), &f.Boxes[want]);
    }
    f.SendTab(true);
    EXPECT_EQ(f.ActiveControl(), &f.Boxes[4]);
    EXPECT_EQ(FocusWidget(), f.Boxes[4].widget());

    // Controls that are no tab stop, hidden or disabled are passed over.
    f.Boxes[0].setTabStop(false);
    f.Boxes[2].setVisible(false);
    f.Boxes[4].setEnabled(false);
    f.Boxes[1].SetFocus();
    f.take();
    f.SendTab();
    f.SendTab();
    EXPECT_EQ(f.take(), QStringList({"Lost 1", "Got 3", "Lost 3", "Got 1"}));

    // From a control that is no tab stop, the Tab goes to the next one in order.
    f.Boxes[0].SetFocus();
    f.SendTab();
    EXPECT_EQ(f.ActiveControl(), &f.Boxes[1]) << "wraps past the hidden and disabled boxes";
    f.Boxes[2].setVisible(true);
    f.Boxes[0].SetFocus();
    f.SendTab();
    EXPECT_EQ(f.ActiveControl(), &f.Boxes[2]);
}

TEST(ControlFocus, TheTabKeyMovesByTabIndex) {
    TabForm f;
    ShowActive(f);
    f.Boxes[1].SetFocus();
    f.take();
    QTest::keyClick(FocusWidget(), Qt::Key_Tab);
    EXPECT_EQ(f.ActiveControl(), &f.Boxes[3]);
    QStringList log = f.take().filter(QRegularExpression("^(Got|Lost) "));
    EXPECT_EQ(log, QStringList({"Lost 1", "Got 3"}));
}

// An entry line with its own typing order, and a list and a button made after it that the window
// gives no TabIndex.
class EntryLineForm : public TestForm {
public:
    EntryLineForm() {
        vb::TextBox* boxes[] = {&Call, &Serial, &County};
        for (int i = 0; i < 3; ++i) {
            boxes[i]->Move(120 + 1320 * i, 120, 1200, 300);
            boxes[i]->setTabIndex(i);
        }
        List.Move(120, 600, 2400, 900);
        for (const char* s : {"one", "two"}) List.AddItem(s);
        Button.Move(2640, 600, 1200, 375);
        ApplyTabOrder();
    }
    vb::TextBox Call{*this, "Call"};
    vb::TextBox Serial{*this, "Serial"};
    vb::TextBox County{*this, "County"};
    vb::ListBox List{*this, "List"};
    vb::CommandButton Button{*this, "Button"};
};

TEST(ControlFocus, ControlsWithoutATabIndexFollowTheIndexedOnesInCreationOrder) {
    EntryLineForm f;
    ShowActive(f);
    f.Call.SetFocus();
    f.SendTab();
    EXPECT_EQ(f.ActiveControl(), &f.Serial) << "the list does not cut into the entry line";
    f.SendTab();
    EXPECT_EQ(f.ActiveControl(), &f.County);
    f.SendTab();
    EXPECT_EQ(f.ActiveControl(), &f.List) << "from the last indexed box on to the next control made";
    f.SendTab();
    EXPECT_EQ(f.ActiveControl(), &f.Button);
    f.SendTab();
    EXPECT_EQ(f.ActiveControl(), &f.Call);
    f.SendTab(true);
    EXPECT_EQ(f.ActiveControl(), &f.Button);

    // The Tab key takes the same road.
    f.County.SetFocus();
    QTest::keyClick(FocusWidget(), Qt::Key_Tab);
    EXPECT_EQ(f.ActiveControl(), &f.List);
    EXPECT_EQ(FocusWidget(), f.List.widget());
}

// A control made before the indexed ones, with no index of its own, does not take the opening focus.
class EarlyButtonForm : public TestForm {
public:
    EarlyButtonForm() {
        Early.Move(120, 600, 1200, 375);
        Text1.Move(120, 120, 1200, 300);
        Text1.setTabIndex(0);
        ApplyTabOrder();
    }
    vb::CommandButton Early{*this, "Early"};
    vb::TextBox Text1{*this, "Text1"};
};

TEST(ControlFocus, AWindowOpensOnItsFirstIndexedControl) {
    EarlyButtonForm f;
    ShowActive(f);
    EXPECT_EQ(f.ActiveControl(), &f.Text1);
    f.SendTab();
    EXPECT_EQ(f.ActiveControl(), &f.Early);
}

TEST(ControlFocus, LeavingTheWindowRaisesNoFocusEvents) {
    BoxForm f;
    f.watch(f.Text1);
    f.watch(f.Text2);
    Focus(f, f.Text1);
    TestForm other("Other");
    ShowActive(other);
    EXPECT_TRUE(f.take().isEmpty());
    EXPECT_EQ(f.ActiveControl(), &f.Text1);
    ShowActive(f);
    EXPECT_TRUE(f.take().isEmpty());
    EXPECT_EQ(FocusWidget(), f.Text1.widget());
}

// ---- Clicks ------------------------------------------------------------------------------------

class ClickForm : public TestForm {
public:
    ClickForm() {
        Command1.Move(120, 120, 1200, 375);
        Label1.Move(1500, 120, 1200, 375);
        Label1.setCaption("label");
        Check1.Move(120, 600, 1500, 300);
        Check1.setCaption("check");
        Frame1.Move(120, 1000, 3000, 1500);
        for (int i = 0; i < 3; ++i) {
            auto& o = Opt.Add(*this, "Opt", i, &Frame1);
            o.Move(120, 240 + 360 * i, 1500, 300);
            o.setCaption(S("option %1", i));
            watch(o);
            o.Click = [this, i] { log << S("Opt%1.Click", i); };
        }
        Loose.Move(3300, 1000, 1500, 300);
        List1.Move(3300, 120, 1500, 800);
        for (const char* s : {"one", "two", "three"}) List1.AddItem(s);
        for (vb::Control* c : std::initializer_list<vb::Control*>{&Command1, &Label1, &Check1, &Loose, &List1}) watch(*c);
    }
    vb::CommandButton Command1{*this, "Command1"};
    vb::Label Label1{*this, "Label1"};
    vb::CheckBox Check1{*this, "Check1"};
    vb::Frame Frame1{*this, "Frame1"};
    vb::ControlArray<vb::OptionButton> Opt;
    vb::OptionButton Loose{*this, "Loose"};
    vb::ListBox List1{*this, "List1"};

    QStringList clicks() { return take().filter(QRegularExpression("Click$")); }
};

// Press, release, press, double click, release: what Qt delivers for a double click.
void DoubleClick(QWidget* w, QPoint at = QPoint()) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, at);
}

TEST(ControlClicks, ButtonAndLabelByMouse) {
    ClickForm f;
    ShowActive(f);
    f.take();
    QTest::mouseClick(f.Command1.widget(), Qt::LeftButton);
    QTest::mouseClick(f.Label1.widget(), Qt::LeftButton);
    EXPECT_EQ(f.clicks(), QStringList({"Command1.Click", "Label1.Click"}));
    // Released outside the label: no click.
    QTest::mousePress(f.Label1.widget(), Qt::LeftButton);
    QTest::mouseRelease(f.Label1.widget(), Qt::LeftButton, Qt::NoModifier, QPoint(-10, -10));
    f.Command1.setEnabled(false);
    QTest::mouseClick(f.Command1.widget(), Qt::LeftButton);
    EXPECT_TRUE(f.clicks().isEmpty());
    DoubleClick(f.Label1.widget());
    EXPECT_EQ(f.take().filter(QRegularExpression("Click$")), QStringList({"Label1.Click", "Label1.DblClick"}));
}

TEST(ControlClicks, OptionButtonsInAFrameAreOneGroup) {
    ClickForm f;
    f.Loose.setValue(true);
    EXPECT_EQ(f.clicks(), QStringList({"Loose.Click"}));
    f.Opt[1].setValue(true);
    EXPECT_EQ(f.clicks(), QStringList({"Opt1.Click"}));
    f.Opt[2].setValue(true);
    EXPECT_EQ(f.clicks(), QStringList({"Opt2.Click"}));
    EXPECT_FALSE(f.Opt[1].Value());
    EXPECT_TRUE(f.Opt[2].Value());
    EXPECT_TRUE(f.Loose.Value()) << "the frame's group leaves the form's options alone";
    f.Opt[2].setValue(true); // True again still clicks
    EXPECT_EQ(f.clicks(), QStringList({"Opt2.Click"}));
    f.Opt[2].setValue(false);
    EXPECT_TRUE(f.clicks().isEmpty());
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(f.Opt[i].Value()) << i;
    f.Opt[0].setValue(true);
    f.take();
    ShowActive(f);
    f.take();
    QTest::mouseClick(f.Opt[1].widget(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 10));
    EXPECT_EQ(f.clicks(), QStringList({"Opt1.Click"}));
    EXPECT_FALSE(f.Opt[0].Value());
}

TEST(ControlClicks, CheckBoxAndListBox) {
    ClickForm f;
    f.Check1.setValue(1);
    EXPECT_EQ(f.clicks(), QStringList({"Check1.Click"}));
    f.Check1.setValue(1); // no change, no click
    f.Check1.setValue(0);
    EXPECT_EQ(f.clicks(), QStringList({"Check1.Click"}));
    ShowActive(f);
    f.take();
    QTest::mouseClick(f.Check1.widget(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 10));
    EXPECT_EQ(f.clicks(), QStringList({"Check1.Click"}));
    EXPECT_EQ(f.Check1.Value(), 1);

    f.List1.setListIndex(1);
    EXPECT_EQ(f.clicks(), QStringList({"List1.Click"}));
    EXPECT_EQ(f.List1.Text(), "two");
    f.List1.setListIndex(1);
    EXPECT_TRUE(f.clicks().isEmpty());
    // Changing the items is no user's choice.
    f.List1.RemoveItem(1);
    f.List1.AddItem("four");
    f.List1.Clear();
    EXPECT_TRUE(f.clicks().isEmpty());
    EXPECT_EQ(f.List1.ListIndex(), -1);

    for (const char* s : {"one", "two", "three"}) f.List1.AddItem(s);
    const QRect second = f.List1.list()->visualItemRect(f.List1.list()->item(1));
    DoubleClick(f.List1.list()->viewport(), second.center());
    EXPECT_EQ(f.take().filter(QRegularExpression("Click$")), QStringList({"List1.Click", "List1.DblClick"}));
    EXPECT_EQ(f.List1.ListIndex(), 1);
}

// Taking the focus chooses nothing; the arrow keys do.
TEST(ControlClicks, AListBoxTakingTheFocusChoosesNothing) {
    ClickForm f;
    ShowActive(f);
    f.Command1.SetFocus();
    f.take();
    f.List1.SetFocus();
    EXPECT_TRUE(f.clicks().isEmpty());
    EXPECT_EQ(f.List1.ListIndex(), -1);
    QTest::keyClick(f.List1.widget(), Qt::Key_Down);
    EXPECT_EQ(f.clicks(), QStringList({"List1.Click"}));
    EXPECT_EQ(f.List1.ListIndex(), 0);
    QTest::keyClick(f.List1.widget(), Qt::Key_Down);
    EXPECT_EQ(f.clicks(), QStringList({"List1.Click"}));
    EXPECT_EQ(f.List1.ListIndex(), 1);
}

TEST(ControlClicks, AMultiLineBoxReportsTheMouse) {
    BoxForm f;
    f.watch(f.Memo);
    QStringList downs;
    f.Memo.MouseDown = [&](int button, int shift, double x, double y) {
        downs << QString("%1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
    };
    ShowActive(f);
    f.take();
    QWidget* viewport = static_cast<QPlainTextEdit*>(f.Memo.widget())->viewport();
    DoubleClick(viewport, QPoint(4, 6));
    EXPECT_EQ(f.take().filter("DblClick"), QStringList({"Memo.DblClick"}));
    ASSERT_EQ(downs.size(), 2);
    EXPECT_EQ(downs[0], "1 0 60 90");
}

// A list view: a click on a row selects it and clicks; a header click names its column; a sort by a
// column happens once and keeps the selected row.
TEST(ControlClicks, AListViewClickSelectsAndAHeaderSortsOnce) {
    TestForm f;
    vb::ListView lv{f, "ListView1"};
    lv.Move(120, 120, 4000, 2000);
    lv.AddColumn("No", 600);
    lv.AddColumn("Call", 1200);
    int clicks = 0, column = 0;
    lv.Click = [&] { ++clicks; };
    lv.ColumnClick = [&](int c) { column = c; };
    for (const char* r : {"9", "10", "8"}) lv.AddItem({r, QString("k%1").arg(r)});
    ShowActive(f);
    EXPECT_EQ(lv.ColumnText(1), "Call");

    lv.SetFocus();
    EXPECT_EQ(lv.SelectedRow(), -1) << "the row the view focuses by itself is not selected";
    const QRect second = lv.tree()->visualItemRect(lv.tree()->topLevelItem(1));
    QTest::mouseClick(lv.tree()->viewport(), Qt::LeftButton, Qt::NoModifier, second.center());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(lv.SelectedRow(), 1);

    QHeaderView* header = lv.tree()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    EXPECT_EQ(column, 2);
    EXPECT_EQ(clicks, 1) << "a header click is no click on the list";

    lv.SortOnce(0); // as text: "10" < "8" < "9"
    EXPECT_EQ(lv.ItemText(0), "10");
    EXPECT_EQ(lv.ItemText(2), "9");
    EXPECT_EQ(lv.ItemText(lv.SelectedRow()), "10") << "the selection follows its row";
    lv.AddItem({"1", "k1"});
    EXPECT_EQ(lv.ItemText(3), "1") << "later rows are not sorted in";
}

// ---- Timers ------------------------------------------------------------------------------------

class TimerForm : public TestForm {
public:
    vb::Timer A{*this, "A", 300};
    vb::Timer B{*this, "B", 700};
    vb::Timer Zero{*this, "Zero", 0};
    std::vector<std::pair<char, std::uint32_t>> fired;
    TimerForm() {
        A.Tick = [this] { fired.push_back({'A', Now()}); };
        B.Tick = [this] { fired.push_back({'B', Now()}); };
        Zero.Tick = [this] { fired.push_back({'0', Now()}); };
    }
};

TEST(ControlTimers, FireAtTheirTicksInTimeOrder) {
    TimerForm f;
    const std::uint32_t t0 = Now();
    Fakes().clock.Advance(1500);
    const std::vector<std::pair<char, std::uint32_t>> want = {{'A', 300}, {'A', 600}, {'B', 700}, {'A', 900},
                                                               {'A', 1200}, {'B', 1400}, {'A', 1500}};
    ASSERT_EQ(f.fired.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(f.fired[i].first, want[i].first) << i;
        EXPECT_EQ(f.fired[i].second - t0, want[i].second) << i;
    }
    EXPECT_EQ(Now() - t0, 1500u);

    // Small steps give the same ticks as one large one.
    f.fired.clear();
    for (int i = 0; i < 700; ++i) Fakes().clock.Advance(1);
    ASSERT_EQ(f.fired.size(), 3u);
    EXPECT_EQ(f.fired[0].second - t0, 1800u);
    EXPECT_EQ(f.fired[1].second - t0, 2100u);
    EXPECT_EQ(f.fired[2].second - t0, 2100u);
}

TEST(ControlTimers, IntervalZeroNeverFires) {
    TestForm f;
    vb::Timer zero(f, "Zero", 0);
    int n = 0;
    zero.Tick = [&] { ++n; };
    EXPECT_FALSE(zero.Running());
    Fakes().clock.Advance(100000);
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_FALSE(Fakes().clock.RunNextTimer());
    zero.setEnabled(false);
    zero.setEnabled(true);
    zero.setInterval(0);
    Fakes().clock.Advance(100000);
    EXPECT_EQ(n, 0);
}

TEST(ControlTimers, EnableDisableAndInterval) {
    TimerForm f;
    f.B.setEnabled(false);
    const std::uint32_t t0 = Now();
    auto ticks = [&] {
        std::vector<std::uint32_t> t;
        for (auto& [c, at] : f.fired) t.push_back(at - t0);
        f.fired.clear();
        return t;
    };
    // A handler that turns its own timer off stops it.
    f.A.Tick = [&] { f.fired.push_back({'A', Now()}); f.A.setEnabled(false); };
    Fakes().clock.Advance(1000);
    EXPECT_EQ(ticks(), std::vector<std::uint32_t>({300}));
    EXPECT_FALSE(f.A.Running());
    // Turning it on again counts the whole interval from then.
    f.A.Tick = [&] { f.fired.push_back({'A', Now()}); };
    f.A.setEnabled(true);
    Fakes().clock.Advance(650);
    EXPECT_EQ(ticks(), std::vector<std::uint32_t>({1300, 1600}));
    // Setting the interval starts the count again, even to the same value.
    f.A.setInterval(300);
    Fakes().clock.Advance(350);
    EXPECT_EQ(ticks(), std::vector<std::uint32_t>({1950}));
    f.A.setInterval(100);
    Fakes().clock.Advance(250);
    EXPECT_EQ(ticks(), std::vector<std::uint32_t>({2100, 2200}));
    // Enabling a timer that runs already leaves its count alone.
    f.A.setEnabled(true);
    Fakes().clock.Advance(50);
    EXPECT_EQ(ticks(), std::vector<std::uint32_t>({2300}));
}

TEST(ControlTimers, AHandlerThatWaitsNeitherRewindsTimeNorReentersItself) {
    TimerForm f;
    f.B.setEnabled(false);
    const std::uint32_t t0 = Now();
    int depth = 0, maxDepth = 0;
    bool waited = false;
    f.A.Tick = [&] {
        f.fired.push_back({'A', Now()});
        maxDepth = std::max(maxDepth, ++depth);
        if (!std::exchange(waited, true)) WaitUntil(Now(), 1000); // a busy wait longer than the interval
        --depth;
    };
    Fakes().clock.Advance(400);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_GE(Now() - t0, 1300u);
    // The late timer fires once, then keeps its interval from there.
    const std::uint32_t after = Now() - t0;
    f.fired.clear();
    Fakes().clock.Advance(700);
    EXPECT_EQ(Now() - t0, after + 700);
    ASSERT_FALSE(f.fired.empty());
    for (size_t i = 1; i < f.fired.size(); ++i) EXPECT_EQ(f.fired[i].second - f.fired[i - 1].second, 300u);
}

// ---- Windows -----------------------------------------------------------------------------------

QStringList& WindowLog() {
    static QStringList l;
    return l;
}

class SetupWindow : public vb::Form {
public:
    SetupWindow() : vb::Form("Setup") {
        OK.Click = [this] { vb::Unload(*this); };
        Hider.Tick = [this] { Hide(); };
    }
    static inline int cancelQuery = 0, cancelUnload = 0;
    static inline bool unloadInLoad = false;
    vb::CommandButton OK{*this, "OK"};
    vb::Timer Hider{*this, "Hider", 0};
    void Form_Load() override {
        WindowLog() << "Load";
        if (unloadInLoad) vb::Unload(*this);
    }
    void Form_QueryUnload(int& c, int mode) override {
        WindowLog() << S("QueryUnload %1", mode);
        c = cancelQuery;
    }
    void Form_Unload(int& c) override {
        WindowLog() << "Unload";
        c = cancelUnload;
    }
    void Form_Terminate() override { WindowLog() << "Terminate"; }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        WindowLog().clear();
        SetupWindow::cancelQuery = SetupWindow::cancelUnload = 0;
        SetupWindow::unloadInLoad = false;
    }
    QStringList takeLog() {
        QStringList l;
        l.swap(WindowLog());
        return l;
    }
};

TEST_F(WindowTest, InstanceLoadsOnceAndUnloadMakesANewOne) {
    EXPECT_EQ(vb::IfLoaded<SetupWindow>(), nullptr);
    SetupWindow& first = vb::Instance<SetupWindow>();
    EXPECT_EQ(&vb::Instance<SetupWindow>(), &first);
    EXPECT_EQ(vb::IfLoaded<SetupWindow>(), &first);
    EXPECT_FALSE(first.Visible());
    first.Show();
    first.Hide();
    first.Show();
    EXPECT_EQ(takeLog(), QStringList({"Load"}));

    struct Case {
        int cancelQuery, cancelUnload;
        QStringList want;
        bool unloaded;
    };
    const Case cases[] = {
        {1, 0, {"QueryUnload 1"}, false},
        {0, 1, {"QueryUnload 1", "Unload"}, false},
        {0, 0, {"QueryUnload 1", "Unload", "Terminate"}, true},
    };
    for (const Case& c : cases) {
        SetupWindow::cancelQuery = c.cancelQuery;
        SetupWindow::cancelUnload = c.cancelUnload;
        EXPECT_EQ(vb::Unload(first), c.unloaded);
        EXPECT_EQ(takeLog(), c.want);
        EXPECT_EQ(vb::IfLoaded<SetupWindow>() == nullptr, c.unloaded);
        EXPECT_EQ(first.Visible(), !c.unloaded);
    }
    QPointer<SetupWindow> old(&first);
    SetupWindow& second = vb::Instance<SetupWindow>();
    EXPECT_EQ(takeLog(), QStringList({"Load"}));
    EXPECT_TRUE(second.IsLoaded());
    Pump();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull()) << "the unloaded window is deleted";
    EXPECT_EQ(vb::LoadedForms(), std::vector<vb::Form*>({&second}));
}

TEST_F(WindowTest, TheCloseBoxAsksQueryUnload) {
    SetupWindow& f = vb::Instance<SetupWindow>();
    ShowActive(f);
    takeLog();
    SetupWindow::cancelQuery = 1;
    f.close();
    EXPECT_EQ(takeLog(), QStringList({"QueryUnload 0"}));
    EXPECT_TRUE(f.Visible());
    SetupWindow::cancelQuery = 0;
    f.close();
    EXPECT_EQ(takeLog(), QStringList({"QueryUnload 0", "Unload", "Terminate"}));
    EXPECT_EQ(vb::IfLoaded<SetupWindow>(), nullptr);
}

TEST_F(WindowTest, UnloadInsideLoad) {
    SetupWindow::unloadInLoad = true;
    SetupWindow& f = vb::Instance<SetupWindow>();
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_EQ(vb::IfLoaded<SetupWindow>(), nullptr);
    f.Show();
    EXPECT_FALSE(f.Visible());
}

TEST_F(WindowTest, UnloadLeavesAWindowTheCallerOwns) {
    {
        TestForm own("Own");
        own.Show();
        EXPECT_TRUE(vb::Unload(own));
        EXPECT_FALSE(own.Visible());
        Pump();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(own.Name, "Own"); // still there; destroyed by its owner at the end of the block
    }
}

TEST_F(WindowTest, AnUnloadedWindowsTimersStop) {
    SetupWindow& f = vb::Instance<SetupWindow>();
    int ticks = 0;
    f.Hider.Tick = [&] { ++ticks; };
    f.Hider.setInterval(100);
    f.Hider.setEnabled(true);
    Fakes().clock.Advance(100);
    vb::Unload(f);
    Fakes().clock.Advance(1000);
    EXPECT_EQ(ticks, 1);
}

TEST_F(WindowTest, ModalShowEndsWhenATimerHidesTheWindow) {
    SetupWindow& f = vb::Instance<SetupWindow>();
    bool modalInside = false;
    f.Hider.Tick = [&] {
        modalInside = f.ShownModal() && f.Visible();
        f.Hide();
    };
    f.Hider.setInterval(500);
    const std::uint32_t t0 = Now();
    f.Show(vb::vbModal);
    EXPECT_EQ(Now() - t0, 500u);
    EXPECT_TRUE(modalInside);
    EXPECT_FALSE(f.ShownModal());
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(vb::IfLoaded<SetupWindow>(), &f);
}

TEST_F(WindowTest, ModalShowEndsWhenTheScriptActs) {
    int shown = 0;
    platform().onModalShown = [&](vb::Form& f) {
        ++shown;
        ASSERT_TRUE(f.Visible());
        QTest::mouseClick(static_cast<SetupWindow&>(f).OK.widget(), Qt::LeftButton);
    };
    const std::uint32_t t0 = Now();
    vb::Instance<SetupWindow>().Show(vb::vbModal);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Now(), t0);
    EXPECT_EQ(vb::IfLoaded<SetupWindow>(), nullptr);
    EXPECT_EQ(takeLog(), QStringList({"Load", "QueryUnload 1", "Unload", "Terminate"}));
}

TEST_F(WindowTest, AModalShowNothingCanEndIsAFault) {
    FaultCatcher catcher;
    SetupWindow& f = vb::Instance<SetupWindow>();
    f.Show(vb::vbModal);
    ASSERT_EQ(catcher.faults.size(), 1);
    EXPECT_TRUE(catcher.faults[0].contains("Setup"));
    EXPECT_FALSE(f.Visible());
    EXPECT_FALSE(f.ShownModal());
}

// A timer's handler that shows a window modally: other timers go on during the wait, the handler's
// own timer does not fire again inside it, and time goes on from where the wait ended.
TEST_F(WindowTest, ModalShowFromATimer) {
    FaultCatcher catcher;
    TimerForm main;
    SetupWindow& dialog = vb::Instance<SetupWindow>();
    dialog.Hider.setInterval(400);
    dialog.Hider.setEnabled(false);
    const std::uint32_t t0 = Now();
    int inside = 0;
    main.A.Tick = [&] {
        main.fired.push_back({'A', Now()});
        if (++inside > 1) return;
        dialog.Hider.setEnabled(true);
        dialog.Show(vb::vbModal);
    };
    Fakes().clock.Advance(300);
    EXPECT_TRUE(catcher.faults.isEmpty());
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(Now() - t0, 700u);
    std::vector<std::pair<char, std::uint32_t>> want = {{'A', 300}, {'B', 700}};
    ASSERT_EQ(main.fired.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(main.fired[i].first, want[i].first);
        EXPECT_EQ(main.fired[i].second - t0, want[i].second);
    }
}

// ---- Geometry and fonts ------------------------------------------------------------------------

class LayoutForm : public TestForm {
public:
    LayoutForm() {
        Move(0, 0, 4800, 3600);
        Text1.Move(150, 300, 1500, 450);
        Odd.Move(157, 292, 1507, 443);
        Frame1.Move(1500, 750, 3000, 1500);
        Inner.Move(150, 300, 1200, 300);
    }
    vb::TextBox Text1{*this, "Text1"};
    vb::TextBox Odd{*this, "Odd"};
    vb::Frame Frame1{*this, "Frame1"};
    vb::CheckBox Inner{*this, "Inner", &Frame1};
};

TEST(ControlGeometry, TwipsToPixels) {
    LayoutForm f;
    ShowActive(f);
    EXPECT_EQ(f.Text1.widget()->geometry(), QRect(10, 20, 100, 30));
    EXPECT_EQ(f.Odd.widget()->geometry(), QRect(10, 19, 100, 30));
    EXPECT_EQ(f.Inner.widget()->parentWidget(), f.Frame1.widget());
    EXPECT_EQ(f.Inner.widget()->geometry(), QRect(10, 20, 80, 20));
    EXPECT_EQ(f.Inner.widget()->mapTo(f.client(), QPoint(0, 0)), QPoint(110, 70));
    EXPECT_DOUBLE_EQ(f.Odd.Left(), 157); // twips are kept as they were set
    f.Frame1.setLeft(3000);
    EXPECT_EQ(f.Inner.widget()->mapTo(f.client(), QPoint(0, 0)), QPoint(210, 70));
}

TEST(ControlGeometry, FormOuterAndInnerSizes) {
    LayoutForm f;
    EXPECT_DOUBLE_EQ(f.ScaleWidth(), 4800 - f.NonClientWidth());
    EXPECT_DOUBLE_EQ(f.ScaleHeight(), 3600 - f.NonClientHeight());
    EXPECT_GT(f.NonClientWidth(), 0);
    EXPECT_GT(f.NonClientHeight(), f.NonClientWidth());
    ShowActive(f);
    EXPECT_EQ(f.size() * 15, QSize(qRound(f.ScaleWidth()), qRound(f.ScaleHeight())));
    EXPECT_EQ(f.client()->geometry(), f.rect());

    // Sizes that fall between pixels stay as they were set when the window is shown.
    LayoutForm g;
    g.setWidth(4807);
    g.setHeight(3593);
    ShowActive(g);
    EXPECT_DOUBLE_EQ(g.Width(), 4807);
    EXPECT_DOUBLE_EQ(g.Height(), 3593);

    // A resize by the user becomes the form's size and raises Resize.
    struct Sized : LayoutForm {
        int resized = 0;
        void Form_Resize() override { ++resized; }
    } h;
    ShowActive(h);
    h.resized = 0;
    h.resize(400, 300);
    Pump();
    EXPECT_GE(h.resized, 1);
    EXPECT_DOUBLE_EQ(h.ScaleWidth(), 6000);
    EXPECT_DOUBLE_EQ(h.ScaleHeight(), 4500);
    EXPECT_DOUBLE_EQ(h.Width(), 6000 + h.NonClientWidth());

    g.setBorderStyle(0);
    EXPECT_DOUBLE_EQ(g.ScaleWidth(), g.Width());
    EXPECT_DOUBLE_EQ(g.ScaleHeight(), g.Height());
}

TEST(ControlGeometry, AMenuBarTakesItsHeightFromTheInside) {
    LayoutForm f;
    const double before = f.ScaleHeight();
    vb::Menu file(f, "mnuFile", "&File");
    vb::Menu open(file, "mnuOpen", "&Open");
    vb::Menu help(f, "mnuHelp", "&Help");
    ShowActive(f);
    const int menuPx = f.menuBar()->height();
    EXPECT_GT(menuPx, 0);
    EXPECT_DOUBLE_EQ(f.ScaleHeight(), before - menuPx * 15);
    EXPECT_DOUBLE_EQ(f.Height(), 3600);
    EXPECT_EQ(f.client()->y(), menuPx);
    EXPECT_EQ(f.client()->height() * 15, qRound(f.ScaleHeight()));
    EXPECT_EQ(f.Text1.widget()->mapTo(&f, QPoint(0, 0)), QPoint(10, 20 + menuPx));
    EXPECT_EQ(f.size().height() * 15, qRound(f.ScaleHeight()) + menuPx * 15);
}

TEST(ControlGeometry, AMenuBarAddedToAShownWindow) {
    LayoutForm f;
    ShowActive(f);
    vb::Menu file(f, "mnuFile", "&File");
    vb::Menu open(file, "mnuOpen", "&Open");
    Pump();
    const int menuPx = f.menuBar()->height();
    EXPECT_GT(menuPx, 0);
    EXPECT_EQ(f.menuBar()->geometry(), QRect(0, 0, f.width(), menuPx));
    EXPECT_EQ(f.client()->y(), menuPx);
    EXPECT_EQ(f.client()->height() * 15, qRound(f.ScaleHeight()));
    EXPECT_EQ(f.Text1.widget()->mapTo(&f, QPoint(0, 0)), QPoint(10, 20 + menuPx));
}

TEST(ControlGeometry, FontsBelongToEachControl) {
    LayoutForm f;
    f.setFontSize(14);
    EXPECT_DOUBLE_EQ(f.Text1.FontSize(), 8.25);
    EXPECT_DOUBLE_EQ(f.Text1.widget()->font().pointSizeF(), 8.25);
    EXPECT_DOUBLE_EQ(f.Inner.widget()->font().pointSizeF(), 8.25);
    f.Text1.setFontSize(12);
    EXPECT_DOUBLE_EQ(f.Text1.widget()->font().pointSizeF(), 12);
    EXPECT_DOUBLE_EQ(f.Odd.widget()->font().pointSizeF(), 8.25);
    for (double size : {0.0, -3.0}) {
        f.setFontSize(size);
        f.Text1.setFontSize(size);
        EXPECT_GT(f.client()->font().pointSizeF(), 0) << size;
        EXPECT_GT(f.Text1.widget()->font().pointSizeF(), 0) << size;
        EXPECT_DOUBLE_EQ(f.Text1.FontSize(), size);
    }
}

// A caption wider than its box: one control of each kind that shows a caption, all in 12 points.
class CaptionForm : public TestForm {
public:
    CaptionForm() {
        Move(0, 0, 9600, 7200);
        for (vb::Control* c : captioned()) c->setFontSize(12);
    }
    std::vector<vb::Control*> captioned() { return {&Label1, &Command1, &Option1, &Check1}; }
    static void setCaption(vb::Control& c, const QString& text) {
        if (auto* l = dynamic_cast<vb::Label*>(&c)) l->setCaption(text);
        if (auto* b = dynamic_cast<vb::CommandButton*>(&c)) b->setCaption(text);
        if (auto* o = dynamic_cast<vb::OptionButton*>(&c)) o->setCaption(text);
        if (auto* x = dynamic_cast<vb::CheckBox*>(&c)) x->setCaption(text);
    }
    vb::Label Label1{*this, "Label1"};
    vb::CommandButton Command1{*this, "Command1"};
    vb::OptionButton Option1{*this, "Option1"};
    vb::CheckBox Check1{*this, "Check1"};
};

// The caption's width and height in the font the widget draws it in, on one line or (a label)
// wrapped to the widget's width.
QSizeF CaptionSize(const vb::Control& c, const QString& text) {
    const int flags = c.kind() == vb::Kind::Label ? Qt::TextWordWrap : Qt::TextShowMnemonic;
    return QFontMetricsF(c.widget()->font(), c.widget()).boundingRect(QRectF(0, 0, c.widget()->width(), 1e6), flags, text).size();
}

TEST(ControlCaptions, ACaptionTooWideForItsBoxIsDrawnSmallerUntilItFits) {
    CaptionForm f;
    const QString text = "Total CW/Dig Contacts";
    for (vb::Control* c : f.captioned()) {
        SCOPED_TRACE(c->Name.toStdString());
        CaptionForm::setCaption(*c, text);
        c->Move(0, 0, 6000, 360); // room to spare: the size set
        EXPECT_DOUBLE_EQ(c->ShownFontSize(), 12);
        EXPECT_DOUBLE_EQ(c->widget()->font().pointSizeF(), 12);
        c->Move(0, 0, 1500, 360); // one line's height, half the width it needs
        EXPECT_LT(c->ShownFontSize(), 12);
        EXPECT_GT(c->ShownFontSize(), 4);
        EXPECT_DOUBLE_EQ(c->FontSize(), 12);
        const QSizeF needed = CaptionSize(*c, text);
        EXPECT_LT(needed.width(), c->widget()->width());
        EXPECT_LE(needed.height(), c->widget()->height());
        c->Move(0, 0, 6000, 360);
        EXPECT_DOUBLE_EQ(c->ShownFontSize(), 12);
    }
}

// Whatever the box's width, the caption as drawn lies inside it: kerned pairs, digits and a mnemonic,
// at widths stepping down through where each one stops fitting at its own size.
TEST(ControlCaptions, ACaptionLiesInsideItsBoxAtEveryWidth) {
    CaptionForm f;
    const QString captions[] = {"AVATAR WAVY Tower", "4,404,360", "Log &Time Off", "Ty/Va Wo."};
    for (vb::Control* c : f.captioned()) {
        for (const QString& text : captions) {
            SCOPED_TRACE((c->Name + " " + text).toStdString());
            CaptionForm::setCaption(*c, text);
            for (double width = 3000; width >= 600; width -= 15) {
                c->Move(0, 0, width, 360);
                const double shown = c->ShownFontSize();
                if (shown <= 1.0) continue; // the smallest size: cut, as nothing smaller can be drawn
                const QSizeF needed = CaptionSize(*c, text);
                ASSERT_LE(needed.width(), c->widget()->width()) << width;
                ASSERT_LE(needed.height(), c->widget()->height()) << width;
            }
        }
    }
}

TEST(ControlCaptions, ALabelFitsByItsLinesAndACaptionChangeIsFittedAgain) {
    CaptionForm f;
    // Two lines' room: a long caption wraps into it at full size, a longer one is drawn smaller.
    f.Label1.Move(0, 0, 1500, 1000);
    f.Label1.setCaption("Select a band");
    EXPECT_DOUBLE_EQ(f.Label1.ShownFontSize(), 12);
    f.Label1.setCaption("Select a band and mode");
    EXPECT_DOUBLE_EQ(f.Label1.ShownFontSize(), 12);
    EXPECT_GT(f.Label1.label()->heightForWidth(f.Label1.widget()->width()), CaptionSize(f.Label1, "Select").height());
    f.Label1.setCaption("Select a band and mode. Click Log Time On below!");
    EXPECT_LT(f.Label1.ShownFontSize(), 12);
    EXPECT_LE(f.Label1.label()->heightForWidth(f.Label1.widget()->width()), f.Label1.widget()->height());
    f.Label1.setCaption("1");
    EXPECT_DOUBLE_EQ(f.Label1.ShownFontSize(), 12);
}

TEST(ControlCaptions, ALabelThatListsMoreThanItHoldsIsCutNotShrunk) {
    CaptionForm f;
    f.Label1.setShrinkToFit(false);
    f.Label1.Move(0, 0, 1500, 300);
    f.Label1.setCaption("W9AAA W9AAB W9AAC W9AAD W9AAE W9AAF W9AAG W9AAH W9AAI W9AAJ W9AAK");
    EXPECT_DOUBLE_EQ(f.Label1.ShownFontSize(), 12);
}

// A list cell too long for its column is drawn whole a little smaller while that can be read, and cut
// with an ellipsis beyond that; a cell that fits keeps the list's font.
TEST(ControlCaptions, AListCellIsShownWholeSmallerOrCut) {
    QFont font("DejaVu Sans");
    font.setPointSizeF(12);
    const QString time = "09/15 14:01";
    const double full = QFontMetricsF(font).horizontalAdvance(time);
    const struct {
        double width; // of the column, as a share of the text's width at the list's size
        bool whole;
        bool smaller;
    } cases[] = {{1.2, true, false}, {1.0, true, false}, {0.85, true, true}, {0.5, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        const int width = static_cast<int>(std::ceil(full * c.width));
        const vb::FittedCell cell = vb::FitCellText(time, width, font);
        EXPECT_EQ(cell.text == time, c.whole);
        EXPECT_EQ(cell.font.pointSizeF() < 12, c.smaller);
        EXPECT_GE(cell.font.pointSizeF(), 12 * 0.7);
        EXPECT_LE(QFontMetricsF(cell.font).horizontalAdvance(cell.text), width);
    }
}

// Controls made after the window's face was set take it, as those made before it do.
class LateControlForm : public TestForm {
public:
    LateControlForm() { setFontName("Liberation Serif"); }
};
class LateControlWindow : public LateControlForm {
public:
    vb::Label Late{*this, "Late"};
};

TEST(ControlCaptions, AControlMadeAfterTheWindowsFaceTakesIt) {
    LateControlWindow f;
    EXPECT_EQ(f.Late.FontName(), "Liberation Serif");
    EXPECT_EQ(f.Late.widget()->font().family(), "Liberation Serif");
}

// ---- Label looks -------------------------------------------------------------------------------

// A red panel with three white-text labels over it, one per alignment. The window's raster shows
// what the operator sees: where the caption's ink lies, and whether the panel shows through.
class LabelLookForm : public TestForm {
public:
    LabelLookForm() {
        Move(0, 0, 4800, 3600);
        Panel.Move(0, 0, 4500, 2700);
        Panel.setBackColor(vb::RGB(255, 0, 0));
        int row = 0;
        for (vb::Label* l : {&Left, &Right, &Centre}) {
            l->Move(300, 300 + 600 * row++, 1800, 300);
            l->setCaption("MM");
            l->setBackColor(vb::RGB(0, 0, 255));
            l->setForeColor(vb::RGB(255, 255, 255));
        }
        Right.setAlignment(1);
        Centre.setAlignment(2);
    }
    vb::Label Panel{*this, "Panel"};
    vb::Label Left{*this, "Left"};
    vb::Label Right{*this, "Right"};
    vb::Label Centre{*this, "Centre"};

    // The label's box as the window shows it.
    QImage shot(const vb::Label& l) { return client()->grab(l.widget()->geometry()).toImage(); }
};

// The first and last columns of white ink in the image; {-1, -1} when there is none.
std::pair<int, int> InkColumns(const QImage& img) {
    int first = -1, last = -1;
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y)
            if (QColor(img.pixel(x, y)).green() > 128) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return {first, last};
}

TEST(ControlLabels, AlignmentPlacesTheCaptionInItsBox) {
    LabelLookForm f;
    ShowActive(f);
    const QImage left = f.shot(f.Left), right = f.shot(f.Right), centre = f.shot(f.Centre);
    const auto [l0, l1] = InkColumns(left);
    const auto [r0, r1] = InkColumns(right);
    const auto [c0, c1] = InkColumns(centre);
    ASSERT_GE(l0, 0);
    ASSERT_GE(r0, 0);
    ASSERT_GE(c0, 0);
    const int w = left.width();
    EXPECT_LT(l0, 4);
    EXPECT_GT(r1, w - 5);
    EXPECT_NEAR((c0 + c1) / 2.0, (w - 1) / 2.0, 2.0);
    EXPECT_EQ(f.Centre.Alignment(), 2);
}

TEST(ControlLabels, ATransparentLabelShowsWhatLiesBehindIt) {
    LabelLookForm f;
    EXPECT_EQ(f.Centre.BackStyle(), 1) << "opaque unless set";
    ShowActive(f);
    const QPoint corner(1, 1);
    EXPECT_EQ(QColor(f.shot(f.Centre).pixel(corner)).name(), "#0000ff");

    f.Centre.setBackStyle(0);
    Pump();
    const QImage see = f.shot(f.Centre);
    EXPECT_EQ(QColor(see.pixel(corner)).name(), "#ff0000") << "the panel behind";
    EXPECT_GE(InkColumns(see).first, 0) << "the caption is still drawn";
    // A colour set later keeps the label transparent.
    f.Centre.setBackColor(vb::RGB(0, 255, 0));
    Pump();
    EXPECT_EQ(QColor(f.shot(f.Centre).pixel(corner)).name(), "#ff0000");

    f.Centre.setBackStyle(1);
    Pump();
    EXPECT_EQ(QColor(f.shot(f.Centre).pixel(corner)).name(), "#00ff00");
}

// Label boxes that overlap a neighbour's by a pixel, as a design's often do: a neighbour's changed
// caption repaints a sliver of the label, and the window then shows what a full redraw shows, whether
// the label's ink lies clear of the sliver or reaches it, on one line or wrapped, upright or slanted.
TEST(ControlLabels, ANeighboursNewCaptionLeavesALabelAsAFullRedrawDrawsIt) {
    const struct {
        const char* text;
        int alignment;
        bool italic;
    } cases[] = {{"Total Multipliers .......", 0, false},
                 {"Total Multipliers", 1, false},
                 {"QSO Points earned in the contest so far", 0, false},
                 {"Total WWW", 1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TestForm f;
        f.Move(0, 0, 6000, 3000);
        vb::Label heading{f, "Heading"}, value{f, "Value"}, below{f, "Below"};
        heading.Move(120, 120, 2400, 405);
        heading.setCaption(c.text);
        heading.setAlignment(c.alignment);
        if (c.italic) {
            QFont slanted = heading.widget()->font();
            slanted.setItalic(true);
            heading.widget()->setFont(slanted);
        }
        value.Move(120 + 2400 - 15, 120, 1500, 405); // its first column is the heading's last
        below.Move(120, 120 + 405 - 75, 2400, 405);  // its first rows are the heading's last
        ShowActive(f);
        const auto shown = [&] {
            Pump();
            return f.screen()->grabWindow(f.winId()).toImage();
        };
        shown();
        for (const char* caption : {"17,272", "4,404,360", ""})
            for (vb::Label* neighbour : {&value, &below}) {
                neighbour->setCaption(caption);
                const QImage partly = shown();
                f.client()->repaint();
                EXPECT_EQ(partly, shown()) << caption << " " << neighbour->Name.toStdString();
            }
    }
}

// A label's blank caption replaced by another blank changes nothing on the screen; what follows it is
// drawn as ever.
TEST(ControlLabels, BlanksForBlanksLeaveTheLabelAsItWas) {
    LabelLookForm f;
    ShowActive(f);
    const auto shown = [&] {
        Pump();
        return f.screen()->grabWindow(f.winId()).toImage();
    };
    f.Left.setCaption(" ");
    const QImage blank = shown();
    f.Left.setCaption("");
    EXPECT_EQ(f.Left.Caption(), "");
    EXPECT_EQ(shown(), blank);
    f.client()->repaint();
    EXPECT_EQ(shown(), blank);
    f.Left.setCaption("MM");
    EXPECT_NE(shown(), blank);
    f.Left.setCaption("  ");
    EXPECT_EQ(shown(), blank);
}

// A text box is framed by one plain line, in the highlight colour while it has the focus, round the
// box's base colour.
TEST(ControlLooks, ATextBoxIsFramedByOnePlainLine) {
    BoxForm f;
    ShowActive(f);
    f.Text1.SetFocus();
    Pump();
    for (vb::TextBox* box : {&f.Text1, &f.Text2}) {
        SCOPED_TRACE(box->Name.toStdString());
        QWidget* w = box->widget();
        const QImage img = f.client()->grab(w->geometry()).toImage();
        const QRgb line = w->palette().color(box == &f.Text1 ? QPalette::Highlight : QPalette::Mid).rgb();
        const QRgb base = w->palette().color(QPalette::Base).rgb();
        ASSERT_NE(line, base);
        int wrong = 0;
        for (int x = 0; x < img.width(); ++x)
            for (int y = 0; y < img.height(); ++y) {
                const bool edge = x == 0 || y == 0 || x == img.width() - 1 || y == img.height() - 1;
                const bool inner = x == 1 || y == 1 || x == img.width() - 2 || y == img.height() - 2;
                if ((edge && img.pixel(x, y) != line) || (inner && !edge && img.pixel(x, y) != base)) ++wrong;
            }
        EXPECT_EQ(wrong, 0);
    }
}

// A list's scroll bars are drawn in pieces (so that the raster engine does not hand each of their
// fills to its threads): what shows is what the style draws in one piece, but for the rounding of a
// blended pixel.
TEST(ControlLooks, AListsScrollBarsLookAsTheStyleDrawsThem) {
    TestForm f;
    vb::ListBox list{f, "List"};
    list.Move(120, 120, 1500, 4000);
    for (int i = 0; i < 200; ++i) list.AddItem(QStringLiteral("a row wide enough to need the bar across too %1").arg(i));
    ShowActive(f);
    Pump();
    auto* view = static_cast<QListWidget*>(list.widget());
    for (QScrollBar* bar : {view->verticalScrollBar(), view->horizontalScrollBar()}) {
        SCOPED_TRACE(bar->orientation() == Qt::Vertical ? "vertical" : "horizontal");
        ASSERT_TRUE(bar->isVisible());
        ASSERT_GT(std::max(bar->width(), bar->height()), 64); // more than one piece
        ASSERT_NE(bar->style(), QApplication::style());
        bar->setValue(bar->maximum() / 3);
        const QImage pieces = bar->grab().toImage();
        QStyle* own = bar->style();
        bar->setStyle(QApplication::style());
        const QImage whole = bar->grab().toImage();
        bar->setStyle(own);
        ASSERT_EQ(pieces.size(), whole.size());
        int off = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x) {
                const QRgb a = pieces.pixel(x, y), b = whole.pixel(x, y);
                off += std::abs(qRed(a) - qRed(b)) > 2 || std::abs(qGreen(a) - qGreen(b)) > 2 ||
                       std::abs(qBlue(a) - qBlue(b)) > 2 || qAlpha(a) != qAlpha(b);
            }
        EXPECT_EQ(off, 0);
    }
}

// ---- Menus -------------------------------------------------------------------------------------

class MenuForm : public BoxForm {
public:
    MenuForm() {
        Log.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
        Cut.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
        Refresh.setShortcut(QKeySequence(Qt::Key_F5));
        Option.setChecked(false);
        for (vb::Menu* m : {&Log, &Cut, &Refresh, &Option}) m->Click = [this, m] { log << m->Name + ".Click"; };
    }
    vb::Menu File{*this, "mnuFile", "&File"};
    vb::Menu Log{File, "mnuLog", "&Log"};
    vb::Menu Cut{File, "mnuCut", "Cu&t"};
    vb::Menu Refresh{File, "mnuRefresh", "&Refresh"};
    vb::Menu Option{File, "mnuOption", "&Option"};
};

TEST(ControlMenus, ClickDecidesTheCheckMark) {
    MenuForm f;
    f.Option.action()->trigger();
    EXPECT_EQ(f.take(), QStringList({"mnuOption.Click"}));
    EXPECT_FALSE(f.Option.Checked());
    f.Option.Click = [&] { f.Option.setChecked(!f.Option.Checked()); };
    f.Option.action()->trigger();
    EXPECT_TRUE(f.Option.Checked());
    f.Option.action()->trigger();
    EXPECT_FALSE(f.Option.Checked());
}

TEST(ControlMenus, ShortcutsReachTheMenuFromATextBox) {
    MenuForm f;
    f.Text1.setText("abcd");
    Focus(f, f.Text1);
    f.Text1.setSelStart(0);
    f.Text1.setSelLength(2);
    QTest::keyClick(f.Text1.widget(), Qt::Key_L, Qt::ControlModifier);
    QTest::keyClick(f.Text1.widget(), Qt::Key_F5);
    QTest::keyClick(f.Text1.widget(), Qt::Key_X, Qt::ControlModifier); // the box's own cut key
    EXPECT_EQ(f.take(), QStringList({"mnuLog.Click", "mnuRefresh.Click", "mnuCut.Click"}));
    EXPECT_EQ(f.Text1.Text(), "abcd");
    f.Refresh.setEnabled(false);
    QTest::keyClick(f.Text1.widget(), Qt::Key_F5);
    EXPECT_TRUE(f.take().isEmpty());
}

// ---- Scripted dialogs --------------------------------------------------------------------------

TEST(ScriptedDialogs, AnswersAreTakenInOrder) {
    auto& d = Fakes().dialogs;
    d.AnswerMsgBox(vbYes);
    d.AnswerInput("N0CALL");
    d.AnswerMsgBox(vbRetry);
    EXPECT_EQ(MsgBox("first?", vbYesNo), vbYes);
    EXPECT_EQ(InputBox("call?"), "N0CALL");
    EXPECT_EQ(MsgBox("third?", vbRetryCancel, "T"), vbRetry);
    EXPECT_FALSE(d.Unanswered());
    ASSERT_EQ(d.shown.size(), 3);
    EXPECT_EQ(d.shown[0].prompt, "first?");
    EXPECT_EQ(d.shown[0].title, AppTitle);
    EXPECT_EQ(d.shown[2].title, "T");
    EXPECT_EQ(d.shown[2].buttons, vbRetryCancel);
}

TEST(ScriptedDialogs, AnUnscriptedDialogIsAFaultAnsweredAsCancel) {
    struct Case {
        int buttons, answer;
    };
    const Case cases[] = {{vbOKOnly, vbOK},          {vbOKCancel, vbCancel}, {vbYesNoCancel, vbCancel},
                          {vbYesNo | vbQuestion, vbNo}, {vbRetryCancel, vbCancel}, {vbAbortRetryIgnore, vbAbort}};
    for (const Case& c : cases) {
        FaultCatcher catcher;
        EXPECT_EQ(MsgBox("unexpected", c.buttons, "Title"), c.answer) << c.buttons;
        ASSERT_EQ(catcher.faults.size(), 1) << c.buttons;
        EXPECT_TRUE(catcher.faults[0].contains("unexpected")) << c.buttons;
    }
    FaultCatcher catcher;
    EXPECT_EQ(InputBox("name?"), "");
    EXPECT_EQ(catcher.faults.size(), 1);
}

TEST(ScriptedDialogs, AnAnswerOfAnotherKindIsAFaultAndStaysQueued) {
    FaultCatcher catcher;
    auto& d = Fakes().dialogs;
    d.AnswerInput("text");
    EXPECT_EQ(MsgBox("sure?", vbYesNo), vbNo);
    EXPECT_EQ(catcher.faults.size(), 1);
    EXPECT_TRUE(d.Unanswered());
    EXPECT_EQ(InputBox("name?"), "text");
    EXPECT_FALSE(d.Unanswered());
}

} // namespace

// Refilling a list view replaces every row's texts, whether the number of rows grows, shrinks or stays.
TEST(ControlGeometry, AListViewRefillLeavesExactlyTheNewRows) {
    TestForm f;
    vb::ListView lv{f, "ListView1"};
    lv.AddColumn("No", 600);
    lv.AddColumn("Call", 1200);
    auto rows = [&] {
        QStringList out;
        for (int r = 0; r < lv.ItemCount(); ++r) out << lv.ItemText(r, 0) + "/" + lv.ItemText(r, 1);
        return out.join(' ');
    };
    const QList<QList<QStringList>> fills = {
        {{"3", "K3A"}, {"2", "K2A"}, {"1", "K1A"}},
        {{"5", "K5A"}, {"4", ""}},
        {{"9", "W9A"}, {"8", "W8A"}, {"7", "W7A"}, {"6", "W6A"}},
        {},
    };
    const QStringList expected = {"3/K3A 2/K2A 1/K1A", "5/K5A 4/", "9/W9A 8/W8A 7/W7A 6/W6A", ""};
    for (int i = 0; i < fills.size(); ++i) {
        lv.SetItems(fills[i]);
        EXPECT_EQ(rows(), expected[i]) << i;
    }
}

// A list view measures its rows and its header again when what they are measured from changes: its
// font, its headings, the lines of its first row. They then stand as in a list made that way.
TEST(ControlGeometry, AListViewsRowsAndHeaderFollowItsFontAndTexts) {
    struct ListForm : TestForm {
        vb::ListView List{*this, "ListView1"};
        ListForm(double fontSize, const QString& heading, const QString& first) {
            Move(0, 0, 6000, 4000);
            List.Move(0, 0, 5500, 3000);
            fill(fontSize, heading, first);
        }
        void fill(double fontSize, const QString& heading, const QString& first) {
            List.setFontSize(fontSize);
            List.ClearColumns();
            List.AddColumn(heading, 900);
            List.AddColumn("Call", 1800);
            List.SetItems({{first, "K1ABC"}, {"1", "K2ABC"}});
        }
        // The second row's height and the header's, as shown.
        std::pair<int, int> heights() {
            Pump();
            return {List.tree()->visualItemRect(List.tree()->topLevelItem(1)).height(), List.tree()->header()->height()};
        }
    };
    ListForm lv(12, "No", "2");
    ShowActive(lv);
    const auto [row, header] = lv.heights();
    const struct {
        double fontSize;
        const char* heading;
        const char* first;
        bool taller;
    } cases[] = {{24, "No", "2", true}, {12, "No\nLine", "2", true}, {12, "No", "2\n3", true}, {12, "No", "2", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.heading) + " " + c.first + " " + std::to_string(c.fontSize));
        lv.fill(c.fontSize, c.heading, c.first);
        ListForm fresh(c.fontSize, c.heading, c.first);
        ShowActive(fresh);
        const auto [r, h] = lv.heights();
        EXPECT_EQ(std::make_pair(r, h), fresh.heights());
        EXPECT_EQ(r + h > row + header, c.taller);
    }
}

// A row put in at the top of a shown list, and its last row taken away, move the rows' pixels instead
// of drawing them again: what the window then shows is what a full redraw of the list shows.
TEST(ControlGeometry, AListViewShowsARowAddedAtTheTopAsAFullRedrawWould) {
    TestForm f;
    f.Move(0, 0, 6000, 4000);
    vb::TextBox entry{f, "Text1"}; // the focus is in the entry line, as when a contact is logged
    entry.Move(0, 3100, 1500, 300);
    vb::ListView lv{f, "ListView1"};
    lv.Move(0, 0, 5500, 3000);
    lv.AddColumn("No", 900);
    lv.AddColumn("Call", 1800);
    lv.setColumnAlignment(0, 1);
    QList<QStringList> rows;
    for (int i = 30; i >= 1; --i) rows.append({QString::number(i), QString("K%1ABC").arg(i)});
    lv.SetItems(rows);
    ShowActive(f);
    entry.SetFocus();
    Pump();
    const auto shown = [&] {
        Pump();
        return f.screen()->grabWindow(f.winId()).toImage();
    };
    for (int i = 31; i <= 33; ++i) {
        lv.InsertItem(0, {QString::number(i), QString("W%1XYZ").arg(i)});
        lv.RemoveItem(lv.ItemCount() - 1);
        const QImage moved = shown();
        lv.tree()->viewport()->repaint();
        EXPECT_EQ(moved, shown()) << i;
        EXPECT_EQ(lv.ItemText(0), QString::number(i));
        EXPECT_EQ(lv.ItemCount(), 30);
    }
    // Rows set all at once take the column's alignment as added ones do.
    EXPECT_EQ(lv.tree()->topLevelItem(5)->textAlignment(0) & Qt::AlignRight, Qt::AlignRight);
    // A row pushed in at the top with a cap on the rows: rows past the view's end go, and a short list
    // (its rows all shown) loses shown rows, one or several at once, or none.
    struct Push {
        int rowsBefore, maxRows, rowsAfter;
    };
    for (const Push& p : {Push{30, 30, 30}, Push{5, 5, 5}, Push{6, 3, 3}, Push{4, 10, 5}}) {
        rows.clear();
        for (int i = p.rowsBefore; i >= 1; --i) rows.append({QString::number(i), QString("K%1ABC").arg(i)});
        lv.SetItems(rows);
        lv.tree()->viewport()->repaint();
        shown();
        lv.PushItem({"99", "N9NEW"}, p.maxRows);
        const QImage moved = shown();
        lv.tree()->viewport()->repaint();
        EXPECT_EQ(moved, shown()) << p.rowsBefore << " " << p.maxRows;
        EXPECT_EQ(lv.ItemText(0), "99");
        EXPECT_EQ(lv.ItemText(1), QString::number(p.rowsBefore));
        EXPECT_EQ(lv.ItemCount(), p.rowsAfter);
    }
}
