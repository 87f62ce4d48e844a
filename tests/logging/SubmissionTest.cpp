// "&Write Submission File" in the out-of-state window: the summary sheet opens over the window with
// its score and worked counties, is filled in and written as an operator does it, closes with Done and
// is unloaded; the next opening shows the address written last.
#include "core/SharedPrefs.h"
#include "logtools/DECabrilloIn.h"
#include "tests/logging/LogWindowFixture.h"

using namespace tylog;
using namespace tylog::testing;

namespace {

class SubmissionTest : public LogWindowTest {
protected:
    void SetUp() override {
        LogWindowTest::SetUp();
        Station.OwnArrlSection = "IL";
        tylog::Run.ProgramVersion = "1.6";
        QDir().mkpath(folder.file("Shared"));
        LoadSharedPrefs(folder.file("Shared/SharedUserPreferences.xml"));
    }

    static void type(vb::TextBox& box, const QString& text) {
        box.SetFocus();
        QTest::keyClicks(box.widget(), text);
    }
};

TEST_F(SubmissionTest, WriteSubmissionFileFromTheMenu) {
    OutfrmWindow& w = open(Contact("K1A/M", "Larkmoor", "20", "PH", "14:01:02", "5", "001") +
                           Contact("W2B", "Cedar Hollow", "40", "CW", "14:05:00", "12", "002") +
                           Contact("N3C", "larkmoor", "20", "PH", "14:10:00", "7", "003"));
    ASSERT_EQ(w.lblTotScore.Caption(), "12"); // 2 counties times 3 + 2 + 1 points
    ASSERT_EQ(w.List2.ListCount(), 2);
    Fakes().dialogs.shown.clear(); // the opening's question

    const QString target = folder.file("data/W9XYZ.log");
    Fakes().dialogs.AnswerSave(target);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    bool shown = false;
    platform().onModalShown = [&](vb::Form& f) {
        auto& sheet = dynamic_cast<DECabrilloInWindow&>(f);
        shown = true;
        EXPECT_EQ(sheet.Caption(), "Summary Sheet Information");
        type(sheet.txtClass, "general");
        type(sheet.Text5, "Pat Doe");
        type(sheet.Text6, "1 Main St");
        type(sheet.Text7, "Springfield");
        type(sheet.Text8, "pat@example.com");
        type(sheet.Text2, "Prairie DX Club ");
        QTest::mouseClick(sheet.Command4.widget(), Qt::LeftButton);
        QTest::mouseClick(sheet.Command3.widget(), Qt::LeftButton);
    };
    pick(w.mnuWriteSumm);
    platform().onModalShown = nullptr;

    ASSERT_TRUE(shown);
    EXPECT_EQ(vb::IfLoaded<DECabrilloInWindow>(), nullptr) << "unloaded when it closes";
    EXPECT_EQ(folder.read("data/W9XYZ.log"), CrLfLines({
                                                 "START-OF-LOG: 2.0",
                                                 "CREATED-BY: Q7BZW's TY State QSO Party Program 1.6",
                                                 "CALLSIGN: W9XYZ",
                                                 "ARRL-SECTION: IL",
                                                 "CONTEST: State QSO Party - TY",
                                                 "CATEGORY: SINGLE-OP LOW",
                                                 "CLUB: Prairie DX Club ",
                                                 "CLAIMED-SCORE:  12 ",
                                                 "LICENSE CLASS: GENERAL",
                                                 "TOTAL COUNTIES AND CITIES:  2 ",
                                                 "TOTAL PHONE CONTACTS:  1 ",
                                                 "TOTAL CW AND DIGITAL CONTACTS:  1 ",
                                                 "TOTAL TY MOBILE CONTACTS:  1 ",
                                                 "BONUS POINTS FOR Q8BNS CONTACT:  0 ",
                                                 "OPERATORS: W9XYZ",
                                                 "NAME: Pat Doe",
                                                 "ADDRESS: 1 Main St",
                                                 "ADDRESS: Springfield",
                                                 "ADDRESS: (e-mail) pat@example.com",
                                                 "SOAPBOX: ",
                                                 "QSO: 14000 PH 2013-09-15 1401 W9XYZ      001 IL        K1A/M        5 LARK",
                                                 "QSO:  7000 CW 2013-09-15 1405 W9XYZ      002 IL        W2B         12 CEDH",
                                                 "QSO: 14000 PH 2013-09-15 1410 W9XYZ      003 IL        N3C          7 LARK",
                                                 "END-OF-LOG:",
                                             }));
    QStringList titles;
    for (const auto& d : Fakes().dialogs.shown) titles << d.title;
    EXPECT_EQ(titles, QStringList({"", "File Written Successfully.", "  Thanks!"}));
    EXPECT_EQ(Fakes().dialogs.shown[0].file.FileName, target);

    // The next opening starts afresh but for the address written last.
    QStringList boxes;
    QString licenseClass = "unread";
    platform().onModalShown = [&](vb::Form& f) {
        auto& sheet = dynamic_cast<DECabrilloInWindow&>(f);
        boxes = {sheet.Text5.Text(), sheet.Text6.Text(), sheet.Text7.Text(), sheet.Text8.Text(), sheet.Text2.Text()};
        licenseClass = sheet.txtClass.Text();
        sheet.close(); // the close box
    };
    pick(w.mnuWriteSumm);
    platform().onModalShown = nullptr;
    EXPECT_EQ(boxes, QStringList({"Pat Doe", "1 Main St", "Springfield", "pat@example.com", "Prairie DX Club"}));
    EXPECT_EQ(licenseClass, "");
    EXPECT_EQ(vb::IfLoaded<DECabrilloInWindow>(), nullptr);
}

} // namespace
