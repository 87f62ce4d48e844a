// The external keyer window as the operator uses it, against the fake device: its design, the
// settings read from and written to WK.txt, the boxes' checks, Open, Close, Test, Stop and the close box.
#include "keying/ExternalKeyer.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "keying/WinKeySetup.h"
#include "tests/keying/KeyerWindowFixture.h"
#include "tests/support/KeyerPeers.h"
#include "tests/support/QStringPrint.h"

using namespace tylog;
using tylog::testing::CrLfLines;
using tylog::testing::Fakes;
using tylog::testing::FakeKeyerDevice;
using tylog::testing::ShowActive;

namespace {

class WinKeyWindow : public tylog::testing::KeyerWindowTest {
protected:
    void SetUp() override {
        KeyerWindowTest::SetUp();
        Folders.DataFolder = dir.path();
        KeyerSettings.CW.Speed = "21";
        Station.OwnCall = "Q7BZW";
    }
    static void Advance(int ms) { Fakes().clock.Advance(static_cast<std::uint32_t>(ms)); }
    // Open clicked, the device answering the echo test and the open; the settings taken in.
    void OpenWith(frmWinKeyWindow& f) {
        Click(f.cmdOpenWinkey);
        device.Serve();
        Advance(10);
        device.Serve();
        Advance(10);
        device.Serve();
    }
    // The hand-over running for ms, the device taking each character.
    void Run(int ms) {
        for (int t = 0; t < ms; t += 10) {
            const qsizetype before = Keyer.CWBuffer.size();
            Advance(10);
            if (Keyer.CWBuffer.size() != before) device.Serve(500);
            else device.Tick();
        }
    }

    FakeKeyerDevice device{5};
};

} // namespace

TEST_F(WinKeyWindow, TheWindowIsItsDesign) {
    frmWinKeyWindow f; // not loaded: as built
    EXPECT_EQ(vb::DesignDifferences(f, f.Design(), f.DesignTable()), QStringList());
}

TEST_F(WinKeyWindow, FirstUseShowsTheDefaultsAndDoneWritesThem) {
    frmWinKeyWindow& f = frmWinKey();
    EXPECT_EQ(f.txtWKComPort.Text(), "0") << "the design's 5 is not what is used";
    EXPECT_EQ(f.txtWKWPM.Text(), "21") << "the CW speed";
    EXPECT_EQ(f.txtWeight.Text(), "50");
    EXPECT_EQ(f.txtLeadIn.Text(), "0");
    EXPECT_EQ(f.txtTail.Text(), "0");
    EXPECT_EQ(f.txtRatio.Text(), "50");
    EXPECT_TRUE(f.optTone.Value());
    EXPECT_TRUE(f.optIambicB.Value());
    EXPECT_EQ(f.lblOpenStatus.Caption(), "Closed");
    EXPECT_EQ(f.lblVersion.Caption(), "Version #");

    ShowActive(f);
    TypeAndLeave(f.txtWKComPort, "5x"); // letters do not get in
    Click(f.optBug);
    Click(f.optKey5Out3Off);
    Click(f.cmdDone);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(dir.read("WK.txt"), CrLfLines({"5", "\"21\"", "\"50\"", "\"0\"", "\"0\"", "\"50\"", "8", "48"}));
}

TEST_F(WinKeyWindow, TheFileIsReadAtEachLoad) {
    struct Case {
        const char* name;
        QByteArray file;
        QString port, speed, ratio;
        vb::OptionButton frmWinKeyWindow::*pin;
        vb::OptionButton frmWinKeyWindow::*mode;
        int pinCode;
    };
    const Case cases[] = {
        {"eight values", CrLfLines({"3", "\"18\"", "\"55\"", "\"1\"", "\"2\"", "\"45\"", "5", "16"}), "3", "21", "45",
         &frmWinKeyWindow::optPTT, &frmWinKeyWindow::optIambicA, 5},
        {"six values: Tone and Iambic B", CrLfLines({"3", "\"18\"", "\"55\"", "\"1\"", "\"2\"", "\"45\""}), "3", "21",
         "45", &frmWinKeyWindow::optTone, &frmWinKeyWindow::optIambicB, 6},
        {"pin code 7, which no option has: kept, Tone still shown",
         CrLfLines({"3", "\"18\"", "\"55\"", "\"1\"", "\"2\"", "\"45\"", "7", "0"}), "3", "21", "45",
         &frmWinKeyWindow::optTone, &frmWinKeyWindow::optIambicB, 7},
        {"a port no byte holds: the rest not read, port 0 shown", CrLfLines({"300", "\"18\""}), "0", "18", "50",
         &frmWinKeyWindow::optTone, &frmWinKeyWindow::optIambicB, 6},
    };
    for (const Case& c : cases) {
        dir.write("WK.txt", c.file);
        KeyerSettings.WinKey = {};
        frmWinKeyWindow& f = frmWinKey();
        EXPECT_EQ(f.txtWKComPort.Text(), c.port) << c.name;
        EXPECT_EQ(f.txtWKWPM.Text(), c.speed) << c.name;
        EXPECT_EQ(f.txtRatio.Text(), c.ratio) << c.name;
        EXPECT_TRUE((f.*c.pin).Value()) << c.name;
        EXPECT_TRUE((f.*c.mode).Value()) << c.name;
        EXPECT_EQ(KeyerSettings.WinKey.PinConfig, c.pinCode) << c.name;
        f.cmdDone_Click();
        const QByteArray written = dir.read("WK.txt");
        EXPECT_TRUE(written.endsWith(QByteArray::number(c.pinCode) + "\r\n" + QByteArray::number(KeyerSettings.WinKey.Mode) +
                                     "\r\n"))
            << c.name << ": " << written.toStdString();
        vb::Unload(f);
    }
}

TEST_F(WinKeyWindow, ThePortBoxShowsThePortThatWillBeUsed) {
    frmWinKeyWindow& f = frmWinKey();
    ShowActive(f);
    TypeAndLeave(f.txtWKComPort, "300");
    EXPECT_EQ(KeyerSettings.WinKey.ComPort, 0);
    EXPECT_EQ(f.txtWKComPort.Text(), "0");
    TypeAndLeave(f.txtWKComPort, "");
    EXPECT_EQ(f.txtWKComPort.Text(), "0");
    TypeAndLeave(f.txtWKComPort, "5");
    EXPECT_EQ(KeyerSettings.WinKey.ComPort, 5);
}

TEST_F(WinKeyWindow, OpenSendsTheBoxesAndLeavingABoxSendsItsValue) {
    frmWinKeyWindow& f = frmWinKey();
    ShowActive(f);
    TypeAndLeave(f.txtWKComPort, "5");
    TypeAndLeave(f.txtWeight, "");
    EXPECT_EQ(f.txtWeight.Text(), "50") << "repaired whether the device is open or not";
    TypeAndLeave(f.txtRatio, "68");
    EXPECT_EQ(f.txtRatio.Text(), "68") << "out of range: kept, not sent";
    OpenWith(f);
    EXPECT_EQ(f.lblOpenStatus.Caption(), "WK Success!");
    EXPECT_EQ(f.lblVersion.Caption(), "Version # 23");
    EXPECT_EQ(f.ActiveControl(), &f.cmdDone);
    EXPECT_EQ(device.model.wpm, 21);
    EXPECT_EQ(device.model.weight, 50);
    EXPECT_EQ(device.model.ratio, 0) << "68 is not sent";
    EXPECT_EQ(device.model.pinConfig, 6);

    TypeAndLeave(f.txtRatio, "32");
    device.Serve();
    EXPECT_EQ(device.model.ratio, 32);
    TypeAndLeave(f.txtWKWPM, "150");
    device.Serve();
    EXPECT_EQ(device.model.wpm, 21);
    EXPECT_EQ(f.txtWKWPM.Text(), "150");
    // Lead-in left while the tail box is empty: the lead-in box becomes 0 and nothing is sent.
    f.txtTail.setText("");
    TypeAndLeave(f.txtLeadIn, "7");
    EXPECT_EQ(f.txtLeadIn.Text(), "0");
    TypeAndLeave(f.txtTail, "4");
    device.Serve();
    EXPECT_EQ(device.model.lead, 0);
    EXPECT_EQ(device.model.tail, 4);
    // An option sends every setting again.
    const int commands = static_cast<int>(device.model.commands.size());
    Click(f.optPTT);
    device.Serve();
    EXPECT_EQ(device.model.pinConfig, 5);
    EXPECT_EQ(device.model.commands.size(), commands + 6);

    Click(f.cmdOpenWinkey);
    EXPECT_EQ(f.lblOpenStatus.Caption(), "WK Already Open");
    EXPECT_EQ(f.lblVersion.Caption(), "Version # 23");

    Click(f.cmdCloseWinkey);
    device.Serve();
    EXPECT_EQ(f.lblOpenStatus.Caption(), "Closed");
    EXPECT_EQ(f.lblVersion.Caption(), "Version #");
    EXPECT_EQ(Keyer.WinKeyVersion, 0);
    EXPECT_FALSE(device.model.hostOpen);
}

TEST_F(WinKeyWindow, ADeviceThatDoesNotAnswerIsToldAndTheStatusSaysWhy) {
    device.peer.silent = true;
    frmWinKeyWindow& f = frmWinKey();
    ShowActive(f);
    TypeAndLeave(f.txtWKComPort, "5");
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Click(f.cmdOpenWinkey);
    Advance(1100);
    EXPECT_EQ(f.lblOpenStatus.Caption(), "No Echo Response");
    EXPECT_EQ(f.lblVersion.Caption(), "Version #");
    EXPECT_EQ(Keyer.WinKeyVersion, 0);
    ASSERT_EQ(Fakes().dialogs.shown.size(), 1);
    EXPECT_TRUE(Fakes().dialogs.shown[0].prompt.contains("on com port 5."));

    TypeAndLeave(f.txtWKComPort, "0");
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Click(f.cmdOpenWinkey);
    Advance(20);
    EXPECT_EQ(f.lblOpenStatus.Caption(), "Com Open Failed");
    EXPECT_TRUE(Fakes().dialogs.shown.back().prompt.contains("on com port 0."));
}

TEST_F(WinKeyWindow, TestSendsTheTestMessageOrQueuesItBehindWhatWaits) {
    KeyerSettings.WinKey.ComPort = 5;
    frmWinKeyWindow& f = frmWinKey();
    ShowActive(f);
    Click(f.Command3); // opens the device first
    device.Serve();
    Advance(10);
    device.Serve();
    Advance(10);
    device.Serve();
    Run(300);
    EXPECT_EQ(device.model.sent + device.model.queued, "VVV TEST DE Q7BZW");
    EXPECT_EQ(f.ActiveControl(), &f.cmdDone);

    // Text still waiting: the test message follows it in the hand-over under way.
    Keyer.CWBuffer = "CQ ";
    ExternalKeyerEngine().WKTransmit();
    Click(f.Command3);
    EXPECT_EQ(Keyer.CWBuffer, "CQ VVV TEST DE Q7BZW");
    Run(3000);
    EXPECT_TRUE((device.model.sent + device.model.queued).endsWith("CQ VVV TEST DE Q7BZW"));

    // Stop empties both buffers.
    Keyer.CWBuffer = "TEST";
    Click(f.cmdStop);
    device.Serve();
    EXPECT_TRUE(Keyer.CWBuffer.isEmpty());
    EXPECT_TRUE(device.model.queued.isEmpty());
    EXPECT_TRUE(device.model.hostOpen);
}

TEST_F(WinKeyWindow, TheCloseBoxClosesTheDeviceSoTheNextTextOpensItAgain) {
    KeyerSettings.WinKey.ComPort = 5;
    frmWinKeyWindow& f = frmWinKey();
    ShowActive(f);
    OpenWith(f);
    ASSERT_EQ(Keyer.WinKeyVersion, 23);
    f.close(); // the close box
    EXPECT_EQ(vb::IfLoaded<frmWinKeyWindow>(), nullptr);
    device.Serve();
    EXPECT_FALSE(device.model.hostOpen);
    EXPECT_EQ(Keyer.WinKeyVersion, 0);

    Keyer.CWBuffer = "TU";
    ExternalKeyerEngine().WKTransmit();
    device.Serve();
    EXPECT_TRUE(device.peer.received.endsWith(QByteArray("\x00\x04\x55", 3))) << "the echo test of a new open";
    Advance(10);
    device.Serve();
    Advance(10);
    device.Serve();
    Run(100);
    EXPECT_EQ(Keyer.WinKeyVersion, 23);
    EXPECT_EQ(device.model.sent + device.model.queued, "TU");
}
