// Morse practice: the random groups, and the window as the operator uses it.
#include "keying/CodePractice.h"
#include "keying/CodePracticeRules.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "tests/keying/KeyerWindowFixture.h"
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
