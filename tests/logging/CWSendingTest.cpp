// CW sent from the logging windows with the keyers installed as at start-up: function-key messages
// filled from the entry line, "!" logging the contact at its place in the text, Esc, keyboard CW and
// the close refused while sending, on a pseudo-terminal's RTS line under the fake clock.
#include "core/Link.h"
#include "keying/EngineKeyers.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "tests/logging/EntryFixture.h"
#include "tests/logging/InfrmFixture.h"
#include "tests/support/DevicePeers.h"

using namespace tylog;
using namespace tylog::testing;
using Signal = RecordingKeyLines::Signal;

namespace {

// The CW keyer as the start-up installs it, keying RTS of COM3 at 20 WPM.
struct CWStation {
    CWStation() {
        Link<KeyerActions>::install(&InstalledKeyers());
        pty.MapAsSerial(3);
        Keyer.CWKeyingType = 1;
        KeyerSettings.CW.SerialPort = "3";
        KeyerSettings.CW.Speed = "20";
    }
    static QString Presses() { return PulseText(Pulses(Fakes().keyLines, "COM3", Signal::RTS)); }
    static void RunOut() {
        for (int i = 0; i < 20000 && Keyer.CWSending; ++i) Fakes().clock.Advance(1);
    }
    PseudoTerminal pty;
};

class OutfrmCW : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        Station.CurrentMode = "CW";
    }
    CWStation cw;
};

class InfrmCW : public InfrmFixture {
protected:
    void SetUp() override {
        InfrmFixture::SetUp();
        Station.CurrentMode = "CW";
    }
    CWStation cw;
};

} // namespace

TEST_F(OutfrmCW, AFunctionKeySendsTheEntryLineAndLogsTheContactAtItsExclamation) {
    KeyerSettings.CW.Messages[1] = "$ TU !";
    OutfrmWindow& w = open();
    keys("k1abc5 lar");
    key(Qt::Key_F2);
    EXPECT_TRUE(Keyer.CWSending);
    Fakes().clock.Advance(720); // K
    EXPECT_EQ(w.lblDialog.Caption(), "1ABC TU !");
    // K1ABC (720 + 1200 + 480 + 720 + 840 ms), the space, T, U and the space: 5880 ms in all.
    Fakes().clock.Advance(5880 - 720 - 1);
    EXPECT_EQ(ContactLog.Count, 0);
    Fakes().clock.Advance(1);
    ASSERT_EQ(ContactLog.Count, 1);
    EXPECT_EQ(ContactLog.Rec[1].Call, "K1ABC");
    EXPECT_FALSE(Keyer.CWSending);
    EXPECT_EQ(w.txtCall.Text(), "");
}

TEST_F(InfrmCW, AFunctionKeySendsTheOwnCountysAbbreviation) {
    KeyerSettings.CW.Messages[0] = "5NN ^";
    InfrmWindow& w = open();
    QTest::keyClick(w.txtCall.widget(), Qt::Key_F1);
    Fakes().clock.Advance(720); // 5
    EXPECT_EQ(w.lblDialog.Caption(), "NN LARK");
    CWStation::RunOut();
    EXPECT_EQ(w.lblDialog.Caption(), "");
    EXPECT_EQ(Pulses(Fakes().keyLines, "COM3", Signal::RTS).size(), 5 + 2 + 2 + 4 + 2 + 3 + 3);
}

TEST_F(OutfrmCW, EscStopsAfterTheCharacterBeingKeyedAndKeepsTheEntryLine) {
    KeyerSettings.CW.Messages[0] = "TEST";
    OutfrmWindow& w = open();
    keys("k1abc");
    key(Qt::Key_F1);
    Fakes().clock.Advance(90);
    key(Qt::Key_Escape);
    CWStation::RunOut();
    EXPECT_EQ(CWStation::Presses(), "0-180");
    EXPECT_EQ(w.txtCall.Text(), "K1ABC");
}

TEST_F(OutfrmCW, TheWindowStaysWhileSendingAndWhatWasNotStartedIsDropped) {
    KeyerSettings.CW.Messages[0] = "TEST";
    OutfrmWindow& w = open();
    key(Qt::Key_F1);
    Fakes().clock.Advance(90);
    w.close();
    EXPECT_EQ(vb::IfLoaded<OutfrmWindow>(), &w);
    CWStation::RunOut();
    EXPECT_EQ(CWStation::Presses(), "0-180");
}

TEST_F(OutfrmCW, KeyboardCWSendsWhatIsTypedInTheSameRun) {
    OutfrmWindow& w = open();
    key(Qt::Key_F12);
    keys("et");
    EXPECT_EQ(w.txtCall.Text(), "");
    CWStation::RunOut();
    EXPECT_EQ(CWStation::Presses(), "0-60 240-420");
    EXPECT_EQ(w.lblDialog.Caption(), "Keyboard CW Mode is on.  Press F12 to exit.");
}
