// The DX spotting window: its design, the transport list with its help and enabling, PackSpot.txt at
// load and at "&Done", the send box and its keys, and the ways the logging windows open it. The
// transports behind it are real peers: a cluster on the loopback address, a TNC on a pseudo-terminal,
// the fake packet engine.
#include "spotting/PacketSpotfrm.h"
#include "core/ProcessState.h"
#include "logstore/ContactLog.h"
#include "platform/SerialLine.h"
#include "platform/TcpLink.h"
#include "spotting/ClusterEngine.h"
#include "spotting/DXSpotTable.h"
#include "spotting/PacketEngineClient.h"
#include "spotting/SpotSettings.h"
#include "spotting/SpottingWindowsLink.h"
#include "tests/logging/InfrmFixture.h"
#include "tests/logging/OutfrmFixture.h"
#include "tests/support/DevicePeers.h"
#include "tests/support/FailingCalls.h"
#include "tests/support/FakePacketEngine.h"
#include "tests/support/LinkDoubles.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/TestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace tylog;
using namespace tylog::testing;

namespace {

QByteArray Stored(const SpotSettings& s) { return SpotSettingsBytes(s); }

class SpottingWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folders.ProgramFolder = dir.path();
        Station.OwnCall = "Q7BZW";
    }
    // Chooses a transport as the operator does.
    static void Choose(PacketSpotfrmWindow& f, const char* transport) {
        for (int i = 0; i < f.List1.ListCount(); ++i)
            if (f.List1.List(i) == QLatin1String(transport)) f.List1.setListIndex(i);
    }
    static void KeyIn(vb::TextBox& box, Qt::Key key) {
        box.SetFocus();
        QTest::keyClick(box.widget(), key);
    }
    ScratchFolder dir;
    RecordingLoggingWindow window;
};

TEST_F(SpottingWindowTest, MatchesItsDesignOnTheDesignScreen) {
    Fakes().screen.width = 9600;
    Fakes().screen.height = 7200;
    PacketSpotfrmWindow& f = PacketSpotfrm();
    EXPECT_EQ(vb::DesignDifferences(f, PacketSpotfrmWindow::Design(), f.DesignRows()), QStringList());
    EXPECT_EQ(f.Top(), 2);
    EXPECT_DOUBLE_EQ(f.Left(), (9600 - f.Width()) / 2);
}

TEST_F(SpottingWindowTest, FirstRunTelnetOpensAndDoneKeepsItForTheNextStart) {
    LineServer cluster;
    PacketSpotfrmWindow& f = PacketSpotfrm();
    ShowActive(f);
    // Nothing chosen yet: only the list, "&Done", "&Spot Last" and the terminal are usable.
    EXPECT_EQ(f.List1.ListIndex(), -1);
    for (vb::Control* c : std::initializer_list<vb::Control*>{&f.Command1, &f.txtSent, &f.txtTelnetHost, &f.optBaud192, &f.chkDX}) EXPECT_FALSE(c->Enabled());
    EXPECT_TRUE(f.optBaud192.Value() && f.optComm[0].Value() && f.Option1.Value() && f.OptBand.Value());

    Choose(f, "Telnet");
    EXPECT_TRUE(f.txtTelnetHost.Enabled());
    EXPECT_FALSE(f.txtHex.Enabled());
    EXPECT_EQ(f.Label6.Caption(), "Type text to send and press enter:");
    EXPECT_TRUE(f.txtUnProcessed.Text().startsWith("If you have an Internet connection"));
    EXPECT_EQ(f.txtUnProcessed.SelStart(), 0);
    f.txtTelnetHost.setText("127.0.0.1");
    f.txtTelnetPort.setText(QString::number(cluster.Port()));
    f.Command1.RaiseClick();
    EXPECT_TRUE(f.Label4.Visible());
    ASSERT_TRUE(cluster.WaitForClient());
    EXPECT_TRUE(f.txtUnProcessed.Text().startsWith("Attempting connection to: 127.0.0.1:"));

    f.cmdDone.RaiseClick();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(window.calls, QStringList{"PacketResize"});
    EXPECT_TRUE(dir.exists("QSOpref.txt"));
    SpotSettings expect;
    expect.Transport = "Telnet";
    expect.TelnetHost = "127.0.0.1";
    expect.TelnetPort = QString::number(cluster.Port());
    EXPECT_EQ(dir.read("PackSpot.txt"), Stored(expect));
    EXPECT_TRUE(f.Engine().IsOpen()); // the link stays up behind the hidden window

    // The next start: Telnet chosen and enabled, its help shown, nothing opened (the stored port 0 ends
    // the loading before it).
    vb::Unload(f);
    PacketSpotfrmWindow& again = PacketSpotfrm();
    EXPECT_EQ(again.List1.Text(), "Telnet");
    EXPECT_TRUE(again.txtTelnetHost.Enabled());
    EXPECT_EQ(again.txtTelnetHost.Text(), "127.0.0.1");
    EXPECT_TRUE(again.txtUnProcessed.Text().startsWith("If you have an Internet connection"));
    EXPECT_FALSE(again.Label4.Visible());
    EXPECT_EQ(spottingLink().Transport(), "None"); // the installed link only answers for the real one
    Link<SpottingLink>::install(&InstalledSpottingLink());
    EXPECT_EQ(spottingLink().Transport(), "Telnet");
    EXPECT_FALSE(spottingLink().OptList());
}

TEST_F(SpottingWindowTest, AStoredTncIsOpenedWithItsChoicesAndReopenedAfterAChange) {
    PtyPeer tnc;
    tnc.MapAsSerial(3);
    SpotSettings s;
    s.TncBaud = "19200";
    s.TncParity = "n";
    s.TncDataBits = "8";
    s.TncStopBits = "1";
    s.TncCommPort = 3;
    s.TncPowerLine = "R";
    s.Transport = "tnc";
    s.TncHandshake = 3;
    s.ListDXOnly = 1;
    s.OptList = true;
    s.TncHex = "1B";
    dir.write("PackSpot.txt", Stored(s));

    PacketSpotfrmWindow& f = PacketSpotfrm();
    EXPECT_EQ(f.List1.Text(), "TNC");
    EXPECT_TRUE(f.optBaud192.Value() && f.optParityNone.Value() && f.optData8.Value() && f.optStop1.Value());
    EXPECT_TRUE(f.optComm[2].Value() && f.optPowerRTS.Value() && f.Option3.Value());
    EXPECT_EQ(f.txtHex.Text(), "1B"); // no TNC defaults over what was stored
    EXPECT_EQ(f.chkDX.Value(), 0);    // stored as 1, cleared by the choice of transport
    EXPECT_TRUE(f.OptList.Value());
    EXPECT_FALSE(f.OptBand.Value());
    // Opened once, by the load; no option handler closed anything meanwhile.
    EXPECT_EQ(f.txtUnProcessed.Text(), "** Attempting to Open Port **\r\n\r\n** TNC Serial Port Open **\r\n\r\n");
    EXPECT_EQ(f.Engine().Tnc().Settings(), "19200,N,8,1");
    EXPECT_EQ(f.Label6.Caption(), "Send text  (Ctrl C or Esc for TNC Command mode):");

    // A changed option closes the port; "&Done" opens it again with the new choice and saves it.
    ShowActive(f);
    f.optBaud48.setValue(true);
    EXPECT_FALSE(f.Engine().Tnc().PortOpen());
    EXPECT_TRUE(f.txtUnProcessed.Text().endsWith("** Port Closed **"));
    f.cmdDone.RaiseClick();
    EXPECT_EQ(f.Engine().Tnc().Settings(), "4800,N,8,1");
    s.TncBaud = "4800";
    s.TncParity = "N";
    s.Transport = "tnc";
    s.ListDXOnly = 0;
    EXPECT_EQ(dir.read("PackSpot.txt"), Stored(s));
    // "&Done" again with the port open: it is not opened anew.
    ShowActive(f);
    f.cmdDone.RaiseClick();
    EXPECT_EQ(f.txtUnProcessed.Text().count("TNC Serial Port Open"), 1);

    // Esc: List DX Only off, the command-mode character to the TNC, the key stopped there.
    ShowActive(f);
    f.chkDX.setValue(1);
    KeyIn(f.txtSent, Qt::Key_Escape);
    EXPECT_EQ(f.chkDX.Value(), 0);
    EXPECT_EQ(tnc.Serve(), "\x1B");
    EXPECT_EQ(f.txtSent.Text(), "");
    f.txtSent.setText("CONNECT W3LPL");
    KeyIn(f.txtSent, Qt::Key_Return);
    EXPECT_EQ(tnc.Serve(), "CONNECT W3LPL\r");
    EXPECT_EQ(f.txtSent.Text(), "");
}

TEST_F(SpottingWindowTest, ChoosingATransportClosesTheOpenOneAndShowsItsHelp) {
    LineServer cluster;
    PacketSpotfrmWindow& f = PacketSpotfrm();
    ShowActive(f);
    Choose(f, "Telnet");
    f.txtTelnetHost.setText("127.0.0.1");
    f.txtTelnetPort.setText(QString::number(cluster.Port()));
    f.Command1.RaiseClick();
    ASSERT_TRUE(PumpUntil([&] { return f.Engine().Telnet().State() == TcpLink::LinkState::Connected; }));
    f.chkDX.setValue(1);

    Choose(f, "TNC");
    EXPECT_EQ(f.Engine().Telnet().State(), TcpLink::LinkState::Closed);
    EXPECT_FALSE(f.Label4.Visible());
    EXPECT_EQ(f.chkDX.Value(), 0);
    EXPECT_FALSE(f.txtTelnetHost.Enabled());
    EXPECT_TRUE(f.txtHex.Enabled() && f.optComm[9].Enabled() && f.Option4.Enabled());
    EXPECT_TRUE(f.optBaud96.Value() && f.optParityNone.Value() && f.optData8.Value() && f.optStop1.Value());
    EXPECT_TRUE(f.Option3.Value());
    EXPECT_EQ(f.txtHex.Text(), "03");
    EXPECT_EQ(f.Label6.Caption(), "Send text  (Ctrl C or Esc for TNC Command mode):");
    EXPECT_TRUE(f.txtUnProcessed.Text().startsWith("To use a Packet TNC"));
    EXPECT_TRUE(f.txtUnProcessed.Text().contains("Kantronics"));

    Choose(f, "None");
    for (vb::Control* c : std::initializer_list<vb::Control*>{&f.Command1, &f.txtSent, &f.txtHex, &f.optBaud96, &f.chkDX}) EXPECT_FALSE(c->Enabled());
    EXPECT_TRUE(f.List1.Enabled() && f.cmdDone.Enabled() && f.Command3.Enabled());
    EXPECT_EQ(f.Label6.Caption(), "Send text  (Ctrl C or Esc for TNC Command mode):"); // unchanged
    EXPECT_TRUE(f.txtUnProcessed.Text().startsWith("Use this form to configure"));

    // "&Done" with "None": nothing opens, the logging window hides its spot area.
    f.cmdDone.RaiseClick();
    EXPECT_FALSE(f.Label4.Visible());
    EXPECT_EQ(ReadSpotSettings(dir.file("PackSpot.txt")).settings.Transport, "None");
}

TEST_F(SpottingWindowTest, TheSendBoxWithThePacketEngine) {
    FakePacketEngine agw;
    PacketSpotfrmWindow& f = PacketSpotfrm();
    f.Engine().PacketEngine().setAddress("127.0.0.1", agw.Port());
    ShowActive(f);
    Choose(f, "AGW Packet Engine");
    EXPECT_EQ(f.Label6.Caption(), "Send text (use : to send cmds such as :C Q7BZW or :D)");
    // Enter on a closed window opens it first; Esc types a colon.
    KeyIn(f.txtSent, Qt::Key_Return);
    EXPECT_TRUE(f.Label4.Visible());
    ASSERT_TRUE(PumpUntil([&] { return f.Engine().ReceiveTimerEnabled(); }));
    KeyIn(f.txtSent, Qt::Key_Escape);
    EXPECT_EQ(f.txtSent.Text(), ":");
    QTest::keyClicks(f.txtSent.widget(), "c w3lpl");
    KeyIn(f.txtSent, Qt::Key_Return);
    ASSERT_TRUE(agw.WaitForFrames(3));
    EXPECT_EQ(agw.received[2].kind, 'C');
    agw.Connected("W3LPL");
    ASSERT_TRUE(PumpUntil([&] { return f.Engine().PacketEngine().Pending(); }));
    Fakes().clock.Advance(ClusterEngine::ReceiveIntervalMs);
    EXPECT_EQ(f.Caption(), "DX Spotting Setup - Connected to W3LPL");

    // Typing past 70 characters sends at the first blank after them.
    const QString words = QString("CQ CQ ").repeated(11) + "DE Q7BZW"; // 74 characters
    f.txtSent.SetFocus();
    QTest::keyClicks(f.txtSent.widget(), words.left(71));
    EXPECT_EQ(f.txtSent.Text(), words.left(71));
    QTest::keyClicks(f.txtSent.widget(), " ");
    EXPECT_EQ(f.txtSent.Text(), "");
    ASSERT_TRUE(agw.WaitForFrames(4));
    EXPECT_EQ(agw.received[3].data, words.left(71).toLatin1() + "\r");

    // Unloading says goodbye to the station and the engine.
    vb::Unload(f);
    ASSERT_TRUE(agw.WaitForFrames(5));
    EXPECT_EQ(agw.received[4].kind, 'd');
}

TEST_F(SpottingWindowTest, DoneTellsAFailedSaveAndKeepsTheOldFile) {
    dir.write("PackSpot.txt", "old");
    PacketSpotfrmWindow& f = PacketSpotfrm();
    ShowActive(f);
    {
        FailingCall full(FailingCall::Fsync, "PackSpot.txt", ENOSPC);
        f.cmdDone.RaiseClick();
        EXPECT_EQ(full.failures(), 1);
    }
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(dir.read("PackSpot.txt"), "old");
    ASSERT_FALSE(Fakes().dialogs.shown.isEmpty());
    EXPECT_EQ(Fakes().dialogs.shown.last().kind, ScriptedDialogs::Kind::Notice);
    EXPECT_EQ(Fakes().dialogs.shown.last().title, "Unable to save PackSpot.txt");
    EXPECT_TRUE(Fakes().dialogs.shown.last().prompt.contains("The DX spotting settings"));
}

TEST_F(SpottingWindowTest, SpotLastOffersTheLastCallWithTheFrequencyToType) {
    PacketSpotfrmWindow& f = PacketSpotfrm();
    ShowActive(f);
    f.Command3.RaiseClick();
    EXPECT_EQ(f.txtSent.Text(), "DX Frequency in kHz ");
    EXPECT_EQ(f.txtSent.SelText(), "Frequency in kHz");
    ContactLog.Count = 1;
    ContactLog.Rec[1].Call = "K1ABC";
    f.Command3.RaiseClick();
    EXPECT_EQ(f.txtSent.Text(), "DX Frequency in kHz K1ABC");
    EXPECT_EQ(f.txtSent.SelStart(), 3);
    EXPECT_EQ(f.txtSent.SelLength(), 16);
}

// ---- Reached from both logging windows, and spots on their way to them --------------------------

template <class Fixture>
class ReachTest : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        Link<SpottingLink>::install(&InstalledSpottingLink());
    }
    void TearDown() override { Link<SpottingLink>::install(nullptr); }

    // The stored transport: Telnet to the cluster, the spots listed or on the band map.
    void StoreTelnet(bool list) {
        SpotSettings s;
        s.TncCommPort = 1;
        s.Transport = "Telnet";
        s.OptList = list;
        s.TelnetHost = "127.0.0.1";
        s.TelnetPort = QString::number(cluster.Port());
        this->folder.write("PackSpot.txt", SpotSettingsBytes(s));
    }
    LineServer cluster;
};

using OutfrmReach = ReachTest<OutfrmFixture>;
using InfrmReach = ReachTest<InfrmFixture>;

template <class Window>
void OpensTheSpottingWindowThreeWays(Window& w, ScratchFolder& folder) {
    QTest::keyClick(w.txtCall.widget(), Qt::Key_D, Qt::ControlModifier);
    ASSERT_NE(vb::IfLoaded<PacketSpotfrmWindow>(), nullptr);
    EXPECT_TRUE(PacketSpotfrm().isVisible());
    EXPECT_FALSE(PacketSpotfrm().ShownModal());
    PacketSpotfrm().Hide();
    folder.write("QSOpref.txt", "");
    w.mnuDXSpotting.action()->trigger();
    EXPECT_TRUE(PacketSpotfrm().isVisible());
    EXPECT_NE(folder.read("QSOpref.txt"), ""); // the station settings were saved first
    PacketSpotfrm().Hide();
    w.lblDX.RaiseClick();
    EXPECT_TRUE(PacketSpotfrm().isVisible());
}

TEST_F(OutfrmReach, SpotsFromTheClusterReachTheSpotList) {
    StoreTelnet(true);
    OutfrmWindow& w = open();
    OpensTheSpottingWindowThreeWays(w, folder);
    ASSERT_TRUE(cluster.WaitForClient());
    PacketSpotfrm().cmdDone.RaiseClick();
    EXPECT_TRUE(w.txtDX.Visible());
    cluster.SendLines({"DX de W3LPL:     14025.0  DL1ABC       CW up 2                        1402Z FN20"});
    ASSERT_TRUE(PumpUntil([&] { return w.txtDX.ItemCount() == 1; }));
    EXPECT_EQ(w.txtDX.ItemText(0), "DL1ABC");

    // The logging window unloads the spotting window, and its link goes with it.
    vb::Unload(w);
    EXPECT_EQ(vb::IfLoaded<PacketSpotfrmWindow>(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // gone before the next test's window
}

TEST_F(InfrmReach, SpotsFromTheClusterReachTheBandMap) {
    StoreTelnet(false);
    InfrmWindow& w = open();
    OpensTheSpottingWindowThreeWays(w, folder);
    ASSERT_TRUE(cluster.WaitForClient());
    PacketSpotfrm().cmdDone.RaiseClick();
    EXPECT_TRUE(w.lblDX.Visible());
    cluster.SendLines({"DX de W3LPL:     14025.0  DL1ABC       CW up 2                        1402Z FN20"});
    ASSERT_TRUE(PumpUntil([&] { return DXSpotTable.Call[DXSpotTableData::Newest] == "DL1ABC"; }));
    EXPECT_FLOAT_EQ(DXSpotTable.Freq[DXSpotTableData::Newest], 14.025f);
    EXPECT_TRUE(w.lblDXSpot[DXSpotTableData::Newest].Visible());
}

} // namespace
