// The form size read from the settings file, in both logging windows: the menu keeps it within
// 30..100, a hand-edited file need not; anything else opens the window at full size and is saved so.
#include "core/StationSettingsFile.h"
#include "logging/Outfrm.h"
#include "tests/logging/InfrmFixture.h"

#include <QFile>

using namespace tylog;
using namespace tylog::testing;

namespace {

class FormSizeBoundsTest : public InfrmFixture {
protected:
    void SetUp() override {
        InfrmFixture::SetUp();
        Fakes().screen.width = 15360; // 1024 x 768 pixels
        Fakes().screen.height = 11520;
    }

    LoggingWindow& openTwin(bool inState) {
        Station.OutOfStateFlag = inState ? 0 : 1;
        folder.write("log.txt", {});
        Fakes().dialogs.AnswerMsgBox(vbYes);
        LoggingWindow& w = inState ? static_cast<LoggingWindow&>(Infrm()) : Outfrm();
        ShowActive(w);
        return w;
    }

    static void pick(vb::Menu& item) { item.action()->trigger(); }

    int savedPercent() {
        const StationSettings kept = Station;
        Station = StationSettings();
        LoadStationSettings();
        const int saved = Station.FormSizePercent;
        Station = kept;
        return saved;
    }
};

TEST_F(FormSizeBoundsTest, ASizeOutsideThirtyToHundredOpensFullSizeAndIsSaved) {
    for (bool inState : {true, false}) {
        for (int percent : {0, 10, 29, 101, 120, 255}) {
            const std::string what = (inState ? "in-state " : "out-of-state ") + std::to_string(percent);
            folder.write("QSOpref.txt", {});
            Station.FormSizePercent = static_cast<std::uint8_t>(percent);
            LoggingWindow& w = openTwin(inState);
            EXPECT_EQ(Station.FormSizePercent, 100) << what;
            EXPECT_EQ(savedPercent(), 100) << what;
            EXPECT_DOUBLE_EQ(w.Left(), 0) << what;
            EXPECT_DOUBLE_EQ(w.Top(), 0) << what;
            EXPECT_DOUBLE_EQ(w.Width(), 15360) << what;
            EXPECT_DOUBLE_EQ(w.Height(), 11520) << what;
            EXPECT_NEAR(w.txtCall.Top(), 2970 * 1.6, 1e-6) << what;
            EXPECT_NEAR(w.txtCall.FontSize(), 8.25 * 1.6, 1e-6) << what;
            EXPECT_TRUE(w.isVisible()) << what;
            // Full size is in force at once: the taskbar command is taken.
            pick(w.mnuTaskbar);
            EXPECT_EQ(Station.TaskbarOption, 1) << what;
            Station.TaskbarOption = 0;
            vb::DiscardAllForms();
        }
    }
}

TEST_F(FormSizeBoundsTest, TheBoundsThemselvesAreTaken) {
    for (bool inState : {true, false}) {
        for (int percent : {30, 100}) {
            const std::string what = (inState ? "in-state " : "out-of-state ") + std::to_string(percent);
            QFile::remove(folder.file("QSOpref.txt"));
            Station.FormSizePercent = static_cast<std::uint8_t>(percent);
            LoggingWindow& w = openTwin(inState);
            EXPECT_EQ(Station.FormSizePercent, percent) << what;
            EXPECT_FALSE(folder.exists("QSOpref.txt")) << what << ": nothing to save";
            EXPECT_DOUBLE_EQ(w.Width(), 15360 * percent / 100.0) << what;
            EXPECT_DOUBLE_EQ(w.Left(), (15360 - w.Width()) / 2) << what;
            EXPECT_NEAR(w.txtCall.Top(), 2970 * 1.6 * percent / 100, 1e-6) << what;
            vb::DiscardAllForms();
        }
    }
}

} // namespace
