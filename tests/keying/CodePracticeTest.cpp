// Morse practice: the random groups, and the window as the operator uses it.
#include "keying/CodePractice.h"
#include "keying/CodePracticeRules.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "tests/keying/KeyerWindowFixture.h"
#include "tests/support/KeyerPeers.h"
#include "tests/support/LinkDoubles.h"
#include "tests/support/QStringPrint.h"

#include <QRegularExpression>

using namespace tylog;
using tylog::testing::Fakes;
using tylog::testing::ShowActive;

namespace {

// A random source that walks through [0, 1) evenly, so every character comes up.
std::function<double()> Sweep(int steps) {
    auto i = std::make_shared<int>(0);
    return [i, steps] { return static_cast<double>((*i)++ % steps) / steps; };
}

class PracticeWindow : public tylog::testing::KeyerWindowTest {};

} // namespace

TEST(PracticeGroups, GroupsOfTheBoxesSizeFromTheChosenCharacters) {
    struct Case {
        const char* name;
        QString groups, length;
        bool lettersOnly;
        int expectGroups, expectLength;
        QString groupsBox, lengthBox;
    };
    const Case cases[] = {
        {"boxes without numbers: 10 groups of 5", "x", "", false, 10, 5, "10", "5"},
        {"letters only", "20", "5", true, 20, 5, "20", "5"},
        {"halves to even", "2.5", "3.5", false, 2, 4, "2.5", "3.5"},
        {"none", "0", "5", false, 0, 5, "0", "5"},
        {"groups of no characters", "3", "-1", false, 3, 0, "3", "-1"},
        {"held at 1000 groups of 50, and shown so", "5000", "80", false, 1000, 50, "1000", "50"},
        {"a number of any size", "1E+300", "50", false, 1000, 50, "1000", "50"},
    };
    for (const Case& c : cases) {
        const PracticeGroups g = RandomPracticeGroups(c.groups, c.length, c.lettersOnly, Sweep(41));
        EXPECT_EQ(g.groupsBox, c.groupsBox) << c.name;
        EXPECT_EQ(g.lengthBox, c.lengthBox) << c.name;
        EXPECT_EQ(g.text.size(), c.expectGroups * (c.expectLength + 1)) << c.name;
        const QStringList words = g.text.split(' ');
        ASSERT_EQ(words.size(), c.expectGroups + 1) << c.name << ": each group ends with one blank";
        for (int i = 0; i < c.expectGroups; ++i) EXPECT_EQ(words[i].size(), c.expectLength) << c.name;
        if (c.lettersOnly) {
            EXPECT_TRUE(QRegularExpression("^[A-Z ]*$").match(g.text).hasMatch()) << c.name;
        }
    }
    // Every one of the 41 comes up with "All", each as often.
    const QString all = RandomPracticeGroups("41", "1", false, Sweep(41)).text.remove(' ');
    EXPECT_EQ(all, PracticeCharacters());
    EXPECT_EQ(PracticeCharacters(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,?/-");
}

TEST_F(PracticeWindow, TheWindowIsItsDesign) {
    frmCodePracticeWindow f;
    EXPECT_EQ(vb::DesignDifferences(f, f.Design(), f.DesignTable()), QStringList());
}

TEST_F(PracticeWindow, FillingTheTextToSend) {
    KeyerSettings.CW.Speed = "17";
    frmCodePracticeWindow& f = frmCodePractice();
    EXPECT_EQ(f.Label8.Caption(), "17");
    ShowActive(f);
    TypeAndLeave(f.Text3, "4");
    TypeAndLeave(f.Text4, "3");
    Click(f.Option1);
    Click(f.Command2);
    EXPECT_TRUE(QRegularExpression("^([A-Z]{3} ){4}$").match(f.Text1.Text()).hasMatch()) << f.Text1.Text().toStdString();

    Fakes().clipboard.SetText("cq de q7bzw");
    Click(f.Command1);
    EXPECT_EQ(f.Text1.Text(), "cq de q7bzw") << "pasted as it stands";
    Click(f.Command6);
    EXPECT_EQ(f.Text1.Text(), "");
    f.Text1.SetFocus();
    QTest::keyClicks(f.Text1.widget(), "tu 5nn");
    EXPECT_EQ(f.Text1.Text(), "TU 5NN");

    // Faster and Slower step the CW speed.
    Click(f.Command7);
    EXPECT_EQ(f.Label8.Caption(), "18");
    EXPECT_EQ(KeyerSettings.CW.Speed, "18");
    Click(f.Command8);
    Click(f.Command8);
    EXPECT_EQ(f.Label8.Caption(), "16");
}

namespace {

// Practice sending through the port keyer (RTS of a pseudo-terminal, 20 WPM: a unit of 60 ms) or the
// fake external keyer device.
class PracticeSending : public PracticeWindow {
protected:
    void SetUp() override {
        PracticeWindow::SetUp();
        pty.MapAsSerial(3);
        KeyerSettings.CW.SerialPort = "3";
        KeyerSettings.CW.Speed = "20";
        Keyer.CWKeyingType = 1;
    }
    static void Advance(int ms) { Fakes().clock.Advance(static_cast<std::uint32_t>(ms)); }
    static QList<tylog::testing::Pulse> Presses() {
        return tylog::testing::Pulses(Fakes().keyLines, "COM3", tylog::testing::RecordingKeyLines::Signal::RTS);
    }
    void Type(frmCodePracticeWindow& f, const QString& text) {
        f.Text1.SetFocus();
        QTest::keyClicks(f.Text1.widget(), text);
    }

    tylog::testing::PseudoTerminal pty;
    tylog::testing::RecordingLoggingWindow logging;
};

} // namespace

TEST_F(PracticeSending, SendGoesOnWhenTheKeyerReportsACharacterDone) {
    frmCodePracticeWindow& f = frmCodePractice();
    ShowActive(f);
    Type(f, "E!T");
    Click(f.Command3);
    EXPECT_TRUE(f.Sending());
    Advance(2000);
    EXPECT_FALSE(f.Sending());
    EXPECT_EQ(f.Text2.Text(), "E!T");
    EXPECT_EQ(logging.Of("Mains").size(), 1) << "the ! logs the contact at its place";
    // E (60 ms down, 240 ms in all), then T right after the keyer said E was done: no wait between.
    const auto presses = Presses();
    ASSERT_EQ(presses.size(), 2);
    EXPECT_EQ(presses[0].upTick - presses[0].downTick, 60u);
    EXPECT_LE(presses[1].downTick - presses[0].downTick, 240u + 2);
    EXPECT_EQ(presses[1].upTick - presses[1].downTick, 180u);
}

TEST_F(PracticeSending, StopAndEditsTakeEffectFromTheNextCharacter) {
    frmCodePracticeWindow& f = frmCodePractice();
    ShowActive(f);
    Type(f, "EEEE");
    Click(f.Command3);
    Advance(100);
    // An edit while the first E is keyed: the rest comes from the new text.
    f.Text1.setText("ETTT");
    Advance(300);
    EXPECT_EQ(f.Text2.Text(), "E");
    ASSERT_EQ(Presses().size(), 2);
    EXPECT_TRUE(Presses().back().open) << "the T of the new text is being keyed";
    Click(f.Command4); // Stop while the T is keyed: it is finished, not added, and nothing follows
    Advance(2000);
    EXPECT_FALSE(f.Sending());
    EXPECT_EQ(f.Text2.Text(), "E");
    EXPECT_EQ(Presses().size(), 2);
    EXPECT_EQ(Presses().back().upTick - Presses().back().downTick, 180u) << "the T keyed whole, the key up";

    // Clearing the text ends the send after one pass that sends nothing.
    f.Text2.setText("");
    f.Text1.setText("EE");
    Click(f.Command3);
    Advance(100);
    Click(f.Command6);
    Advance(1000);
    EXPECT_FALSE(f.Sending());
    EXPECT_EQ(f.Text2.Text(), "E");
}

TEST_F(PracticeSending, TheKeyboardBoxSendsAtOnceAndStaysEmpty) {
    frmCodePracticeWindow& f = frmCodePractice();
    ShowActive(f);
    f.Text5.SetFocus();
    QTest::keyClicks(f.Text5.widget(), "et");
    EXPECT_EQ(f.Text5.Text(), "");
    EXPECT_EQ(f.Text2.Text(), "ET");
    Advance(1000);
    EXPECT_EQ(Presses().size(), 2) << "typed ahead, sent by the run under way";
    // Everything sent: Backspace takes the last character of "Text Sent" only.
    QTest::keyClick(f.Text5.widget(), Qt::Key_Backspace);
    EXPECT_EQ(f.Text2.Text(), "E");
    EXPECT_TRUE(Keyer.CWBuffer.isEmpty());
}

TEST_F(PracticeSending, ClosingWhileACharacterIsKeyedIsRefusedOnceAndStopsTheSend) {
    frmCodePracticeWindow& f = frmCodePractice();
    ShowActive(f);
    Type(f, "EEEE");
    Click(f.Command3);
    Advance(100);
    EXPECT_FALSE(vb::Unload(f, vb::vbFormControlMenu));
    Advance(1000);
    EXPECT_EQ(Presses().size(), 1);
    EXPECT_FALSE(Keyer.CWSending);
    EXPECT_TRUE(vb::Unload(f, vb::vbFormControlMenu));
}

TEST_F(PracticeSending, ThroughTheExternalKeyerAsItStands) {
    tylog::testing::FakeKeyerDevice device(5);
    KeyerSettings.WinKey.ComPort = 5;
    Keyer.CWKeyingType = 5;
    frmCodePracticeWindow& f = frmCodePractice();
    ShowActive(f);
    Fakes().clipboard.SetText("cq de");
    Click(f.Command1);
    Click(f.Command3);
    device.Serve(); // the device opens at the first character
    Advance(10);
    device.Serve();
    Advance(10);
    device.Serve();
    for (int t = 0; t < 300; t += 10) {
        Advance(10);
        device.Serve(20);
    }
    EXPECT_FALSE(f.Sending());
    EXPECT_EQ(f.Text2.Text(), "cq de");
    EXPECT_EQ(device.model.sent + device.model.queued, "cq de") << "lower case goes out as lower case";
    EXPECT_TRUE(Presses().isEmpty());

    // Closing during a send is not refused: the device keys, the CW loop does not run.
    Click(f.Command3);
    Advance(20);
    EXPECT_TRUE(vb::Unload(f, vb::vbFormControlMenu));
    EXPECT_TRUE(Keyer.CWBuffer.isEmpty());
}

TEST_F(PracticeSending, EveryKeyingTypeSendsTheText) {
    using Signal = tylog::testing::RecordingKeyLines::Signal;
    struct Case {
        int type;
        QString device;
        Signal signal;
        int presses;
    };
    const Case cases[] = {{0, "COM3", Signal::RTS, 0}, {2, "COM3", Signal::DTR, 2}, {3, "LPT1", Signal::ParallelControl, 2}};
    for (const Case& c : cases) {
        Keyer.CWKeyingType = c.type;
        Fakes().keyLines.Clear();
        frmCodePracticeWindow& f = frmCodePractice();
        ShowActive(f);
        f.Text1.setText("EE");
        Click(f.Command3);
        Advance(1000);
        EXPECT_FALSE(f.Sending()) << c.type;
        EXPECT_EQ(f.Text2.Text(), "EE") << c.type;
        EXPECT_EQ(tylog::testing::Pulses(Fakes().keyLines, c.device, c.signal).size(), c.presses) << c.type;
        vb::Unload(f);
    }
}
