// The way up from the engines: while a logging window exists the link reaches it (Form1's operations,
// the entry line, Mains only with a call typed), and without one it does nothing and loads nothing.
#include "core/LoggingWindowLink.h"
#include "logging/Dispatcher.h"
#include "logging/Infrm.h"
#include "tests/logging/OutfrmFixture.h"

using namespace tylog;
using tylog::testing::OutfrmFixture;

class LoggingWindowLinkTest : public OutfrmFixture {};

TEST_F(LoggingWindowLinkTest, ReachesTheLoadedWindowAndNothingOnceItIsGone) {
    loggingWindow().BandFreqConversion(14.025f); // no window: nothing happens, nothing loads
    loggingWindow().PutCallInEntryLine("K1ABC", false);
    EXPECT_EQ(vb::IfLoaded<OutfrmWindow>(), nullptr);
    EXPECT_EQ(vb::IfLoaded<InfrmWindow>(), nullptr);

    OutfrmWindow& w = open(Contact("K1ABC"));
    loggingWindow().BandFreqConversion(7.025f);
    EXPECT_EQ(Station.CurrentBand, "40");
    EXPECT_EQ(tylog::Run.RigFrequencyText, "7.025");
    loggingWindow().ModeSelection("CW");
    EXPECT_EQ(Station.CurrentMode, "CW");
    loggingWindow().SetDialogCaption("Sending!");
    EXPECT_EQ(w.lblDialog.Caption(), "Sending!");

    const int before = ContactLog.Count;
    loggingWindow().LogEnteredContact(); // an empty call box logs nothing
    EXPECT_EQ(ContactLog.Count, before);
    loggingWindow().PutCallInEntryLine("W1AW", false);
    EXPECT_EQ(w.txtCall.Text(), "W1AW");
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall.widget());
    w.txtRSTR.setText("9");
    w.txtSec.setText("Lowater");
    loggingWindow().LogEnteredContact();
    EXPECT_EQ(ContactLog.Count, before + 1);
    EXPECT_EQ(ContactLog.Rec[static_cast<size_t>(ContactLog.Count)].Call, "W1AW");

    loggingWindow().PutCallInEntryLine("N2XX", true); // then on to the next box, as Tab
    EXPECT_NE(QApplication::focusWidget(), w.txtCall.widget());

    EXPECT_FALSE(loggingWindow().BandMapShown());
    Form1().lblDX.setVisible(true);
    EXPECT_TRUE(loggingWindow().BandMapShown());

    vb::Unload(w);
    loggingWindow().BandFreqConversion(14.025f);
    EXPECT_EQ(vb::IfLoaded<OutfrmWindow>(), nullptr);
}
