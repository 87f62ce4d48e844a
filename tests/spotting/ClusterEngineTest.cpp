// The cluster engine against the peers it meets: a Telnet cluster on the loopback address, a TNC on a
// pseudo-terminal, and a packet engine speaking the framed host interface. What it hands up goes to a
// recording logging window.
#include "spotting/ClusterEngine.h"
#include "core/ProcessState.h"
#include "platform/SerialLine.h"
#include "platform/Session.h"
#include "platform/TcpLink.h"
#include "spotting/PacketEngineClient.h"
#include "spotting/SpotFraming.h"
#include "spotting/SpotSettings.h"
#include "tests/support/DevicePeers.h"
#include "tests/support/FakePacketEngine.h"
#include "tests/support/LinkDoubles.h"
#include "tests/support/QStringPrint.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace tylog;
using namespace tylog::testing;

namespace {

const QByteArray kSpot1 = "DX de W3LPL:     14025.0  DL1ABC       CW up 2                        1402Z FN20";
const QByteArray kSpot2 = "DX de K1TTT:      7002.1  JA1XYZ       599 TNX                        1403Z FN32";
const QByteArray kSpot3 = "DX de VE3EJ:     21012.5  ZS6AAA       big signal                     1404Z FN03";

QString Handed(const QByteArray& spotLine) {
    const QString line = QString::fromLatin1(spotLine);
    return QStringLiteral("BandMapSpots %1 %2 %3\r\n").arg(line.mid(26, 13).trimmed(), line.mid(15, 9).trimmed(),
                                                          line.mid(3).trimmed());
}

void Tick(int ticks = 1) { Fakes().clock.Advance(ClusterEngine::ReceiveIntervalMs * ticks); }

class ClusterEngineTest : public ::testing::Test {
protected:
    void SetUp() override { SpottingSettings = SpotSettings{}; }
    void Use(const char* transport) { SpottingSettings.Transport = transport; }
    int CountIn(const QString& text) const { return static_cast<int>(engine.Terminal().count(text)); }
    RecordingLoggingWindow window;
    ClusterEngine engine;
};

// ---- Telnet -------------------------------------------------------------------------------------

class TelnetTest : public ClusterEngineTest {
protected:
    void Connect() { Connect(cluster); }
    void Connect(LineServer& server) {
        Use("Telnet");
        SpottingSettings.TelnetHost = "127.0.0.1";
        SpottingSettings.TelnetPort = QString::number(server.Port());
        engine.OpenPort();
        ASSERT_TRUE(server.WaitForClient());
        ASSERT_TRUE(PumpUntil([&] { return engine.Telnet().State() == TcpLink::LinkState::Connected; }));
    }
    // Lets the link deliver and the engine take its passes, a millisecond apart.
    bool HandedOn(int spots) {
        return PumpUntil([&] {
            Fakes().clock.Advance(1);
            return window.Of("BandMapSpots").size() >= spots;
        });
    }
    LineServer cluster;
};

TEST_F(TelnetTest, EverySpotOfASegmentAndASplitSpotAreHandedOnOnce) {
    Connect();
    EXPECT_EQ(engine.Terminal(), QStringLiteral("Attempting connection to: 127.0.0.1:%1\r\n\r\n").arg(cluster.Port()));
    EXPECT_TRUE(engine.IsOpen());
    EXPECT_TRUE(engine.ReceiveTimerEnabled());

    // The login prompt has no line end: it shows once the cluster has said nothing for a tick.
    cluster.Send("\r\nWelcome to the cluster\r\nlogin: ");
    ASSERT_TRUE(PumpUntil([&] { return engine.Terminal().contains("Welcome"); }));
    EXPECT_FALSE(engine.Terminal().contains("login:"));
    Tick(2);
    EXPECT_TRUE(engine.Terminal().endsWith("login: "));
    engine.SendText("Q7BZW");
    ASSERT_TRUE(PumpUntil([&] { return cluster.Received() == "Q7BZW\r\n"; }));

    cluster.SendLines({"Hello Q7BZW, this is the cluster", kSpot1, "To ALL de W1AW: contest this weekend", kSpot2});
    cluster.SendSplit(kSpot3 + "\r\n", 40);
    ASSERT_TRUE(HandedOn(3));
    EXPECT_EQ(window.Of("BandMapSpots"), QStringList({Handed(kSpot1), Handed(kSpot2), Handed(kSpot3)}));
    EXPECT_TRUE(engine.Terminal().contains("To ALL de W1AW: contest this weekend\r\n" + kSpot2 + "\r\n"));

    // The same spot again, in other letters, is a repeat: neither shown nor handed on.
    cluster.SendLines({kSpot1.toLower(), "73"});
    ASSERT_TRUE(PumpUntil([&] { return engine.Terminal().endsWith("73\r\n"); }));
    EXPECT_EQ(window.Of("BandMapSpots").size(), 3);
    EXPECT_EQ(CountIn(QString::fromLatin1(kSpot1)), 1);

    // "List DX Only": other lines are no longer shown.
    SpottingSettings.ListDXOnly = 1;
    cluster.SendLines({"WWV de VE7CC <18>:   SFI=150, A=5, K=1", "DX de N0XYZ:     28400.0  PY2AAA"});
    ASSERT_TRUE(HandedOn(4));
    EXPECT_FALSE(engine.Terminal().contains("WWV"));
}

TEST_F(TelnetTest, ABurstIsHandedOnExactlyOnceInBoundedPasses) {
    Connect();
    QList<QByteArray> lines;
    for (int i = 0; i < 3 * ClusterEngine::ItemsPerPass + 7; ++i)
        lines << QStringLiteral("DX de W3LPL:     %1  K%2ABC").arg(14000.0 + i, 7, 'f', 1).arg(i).toLatin1();
    cluster.SendLines(lines);
    ASSERT_TRUE(HandedOn(ClusterEngine::ItemsPerPass));
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    // One pass takes its share; the rest follow on the next steps, each spot once, in order.
    EXPECT_LT(window.Of("BandMapSpots").size(), lines.size());
    for (int i = 0; i < 4; ++i) Fakes().clock.Advance(1);
    ASSERT_EQ(window.Of("BandMapSpots").size(), lines.size());
    for (int i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(window.calls.filter("BandMapSpots").at(i).startsWith(QStringLiteral("BandMapSpots K%1ABC ").arg(i)));
}

TEST_F(TelnetTest, BadInputNeverReachesTheBandMapAsACallOrFrequency) {
    Connect();
    const QByteArray bad[] = {
        "DX de W3LPL:     1e5      DL1ABC",     "DX de W3LPL:     &H10     DL1ABC",
        "DX de W3LPL:     -7000    DL1ABC",     "DX de W3LPL:     1,234    DL1ABC",
        "DX de W3LPL:     14025.0               CW",
        QByteArray("DX de W3LPL:     14025.0  ") + QByteArray("\0\x01\x02\x1B", 4) + "   ",
        "DX de W3LPL:     \xFF\xFE\xFD\xFC\xFB\xFA\xF9\xF8\xF7  DL1ABC",
    };
    for (const QByteArray& line : bad) cluster.Send(line + "\r\n");
    cluster.Send(QByteArray(3 * MaxLineLength, 'D')); // no line end at all
    cluster.Send(QByteArray("\0\0\0\r\n", 5) + kSpot1 + "\r\n");
    ASSERT_TRUE(HandedOn(1));
    EXPECT_EQ(window.Of("BandMapSpots"), QStringList{Handed(kSpot1)});
    EXPECT_LE(engine.ReceiveBuffer().size(), MaxLineLength + 1);
}

TEST_F(TelnetTest, AClusterThatClosesOrResetsIsSaidOnce) {
    struct Case {
        bool reset;
        QString end;
    };
    // A reset is the other end going away too: the socket layer tells it as a close.
    const Case cases[] = {{false, "73 de the cluster\r\n\r\n\r\n** Port Closed **"},
                          {true, "73 de the cluster\r\n\r\n\r\n** Port Closed **"}};
    for (const Case& c : cases) {
        LineServer server;
        Connect(server);
        const int beeps = Fakes().dialogs.beeps;
        server.Send("73 de the cluster\r\n");
        ASSERT_TRUE(PumpUntil([&] { return engine.Terminal().contains("73 de the cluster"); }));
        if (c.reset) server.Reset();
        else server.CloseClient();
        ASSERT_TRUE(PumpUntil([&] { return !engine.IsOpen(); }));
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
        Tick(3);
        EXPECT_TRUE(engine.Terminal().endsWith(c.end));
        EXPECT_EQ(CountIn("** Port Closed **"), 1);
        EXPECT_EQ(Fakes().dialogs.beeps, beeps);
        EXPECT_FALSE(engine.ReceiveTimerEnabled());
        EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
    }
}

TEST_F(TelnetTest, AHostThatNeverAnswersEndsWithTheTimeoutsMessage) {
    SilentHost host;
    Use("Telnet");
    SpottingSettings.TelnetHost = "127.0.0.1";
    SpottingSettings.TelnetPort = QString::number(host.Port());
    engine.OpenPort();
    engine.SendText("Q7BZW");
    EXPECT_TRUE(engine.Terminal().endsWith("**  Connection not yet established.  Please wait a moment and try again.\r\n\r\n"));
    Fakes().clock.Advance(TcpLink::DefaultConnectTimeoutMs);
    ASSERT_TRUE(PumpUntil([&] { return !engine.IsOpen(); }));
    EXPECT_TRUE(engine.Terminal().endsWith("try again.\r\n\r\nERROR: Socket has been shut down.\r\n\r\n** Port Closed **"));
    EXPECT_EQ(Fakes().dialogs.beeps, 1);

    // A port that is no number: marked open, nothing tried, until Close Port.
    SpottingSettings.TelnetPort = "telnet";
    engine.OpenPort();
    EXPECT_TRUE(engine.IsOpen());
    EXPECT_EQ(engine.Telnet().State(), TcpLink::LinkState::Closed);
    engine.ClosePort();
    engine.ClosePort(); // closed already: says nothing
    EXPECT_EQ(CountIn("** Port Closed **"), 1);
}

TEST_F(TelnetTest, TheBandMapIsRedrawnAfter361TicksWithoutASpot) {
    window.bandMapShown = true;
    Connect();
    Tick(360);
    EXPECT_TRUE(window.Of("DisplayBandMapLabels").isEmpty());
    Tick();
    EXPECT_EQ(window.Of("DisplayBandMapLabels").size(), 1);
    // A spot between ticks starts the count again: the next redraw is 361 ticks later.
    Tick(100);
    cluster.SendLines({kSpot1});
    ASSERT_TRUE(HandedOn(1));
    EXPECT_EQ(engine.LabelUpdateTimeCounter(), 0);
    Tick(360);
    EXPECT_EQ(window.Of("DisplayBandMapLabels").size(), 1);
    Tick();
    EXPECT_EQ(window.Of("DisplayBandMapLabels").size(), 2);
}

// ---- The serial TNC -----------------------------------------------------------------------------

class TncTest : public ClusterEngineTest {
protected:
    void SetUp() override {
        ClusterEngineTest::SetUp();
        tnc.MapAsSerial(3);
        Use("TNC");
        SpotSettings& s = SpottingSettings;
        s.TncCommPort = 3;
        s.TncBaud = "9600 ";
        s.TncParity = "N";
        s.TncDataBits = "8";
        s.TncStopBits = "1";
        s.TncHandshake = 3;
        s.TncPowerLine = "d";
        s.TncHex = "03";
    }
    QList<RecordingKeyLines::Change> Line(RecordingKeyLines::Signal signal) {
        return Fakes().keyLines.Of("COM3", signal);
    }
    PtyPeer tnc;
};

TEST_F(TncTest, OpensWithItsSettingsHandshakingAndPowerLineAndDropsThemAtClose) {
    engine.OpenPort();
    EXPECT_EQ(engine.Terminal(), "** Attempting to Open Port **\r\n\r\n** TNC Serial Port Open **\r\n\r\n");
    EXPECT_TRUE(engine.Tnc().PortOpen());
    EXPECT_EQ(engine.Tnc().Settings(), "9600,N,8,1");
    EXPECT_EQ(engine.Tnc().Handshaking(), SerialLine::RTSHandshaking);
    using S = RecordingKeyLines::Signal;
    ASSERT_FALSE(Line(S::RTS).isEmpty());
    ASSERT_FALSE(Line(S::DTR).isEmpty());
    EXPECT_EQ(Line(S::RTS).last().value, 1);
    EXPECT_EQ(Line(S::DTR).last().value, 1); // the power line, raised after the port opened
    engine.ClosePort();
    EXPECT_EQ(Line(S::RTS).last().value, 0);
    EXPECT_EQ(Line(S::DTR).last().value, 0);
    EXPECT_TRUE(engine.Terminal().endsWith("\r\n\r\n** Port Closed **"));

    // However the run ends, the power line drops.
    engine.OpenPort();
    EXPECT_EQ(Line(S::DTR).last().value, 1);
    UnkeyEverything();
    EXPECT_EQ(Line(S::DTR).last().value, 0);
    EXPECT_FALSE(engine.Tnc().PortOpen());
    engine.OpenPort();
    engine.Unload();
    EXPECT_EQ(Line(S::DTR).last().value, 0);
}

TEST_F(TncTest, LinesAreFramedOnTheTickWhateverEndsThem) {
    engine.OpenPort();
    tnc.Send("c");
    Tick();
    EXPECT_EQ(engine.ReceiveBuffer(), "\nc"); // two characters: not framed yet
    tnc.Send("md:\r" + kSpot1 + "\r" + kSpot2 + "\r\n" + kSpot3.left(30));
    Tick();
    EXPECT_EQ(window.Of("BandMapSpots"), QStringList({Handed(kSpot1), Handed(kSpot2)}));
    EXPECT_TRUE(engine.Terminal().contains("cmd:\r\n" + kSpot1 + "\r\n" + kSpot2 + "\r\n"));
    EXPECT_EQ(window.calls.size(), 2);
    EXPECT_EQ(engine.LabelUpdateTimeCounter(), 1); // a spot in the tick's poll leaves the count at 1
    tnc.Send(kSpot3.mid(30) + "\r\n");
    Tick();
    EXPECT_EQ(window.Of("BandMapSpots").last(), Handed(kSpot3));

    // A TNC at the wrong baud rate: noise, never a spot.
    tnc.Send(QByteArray("\xF0\x0F\xAA\x55\r\n\x80\x81 DX \xFF\r", 12));
    Tick();
    EXPECT_EQ(window.Of("BandMapSpots").size(), 3);

    // Text typed, and the command-mode character.
    engine.SendText("MONITOR ON");
    EXPECT_EQ(tnc.Serve(), "MONITOR ON\r");
    EXPECT_TRUE(engine.SendCommandCharacter());
    EXPECT_EQ(tnc.Serve(), "\x03");
    SpottingSettings.TncHex = "ZZ";
    EXPECT_THROW(engine.SendCommandCharacter(), VbError);
}

TEST_F(TncTest, ATncThatVanishesIsSaidOnceAndItsPowerDrops) {
    engine.OpenPort();
    tnc.Send(kSpot1 + "\r\n");
    Tick();
    tnc.HangUp();
    ASSERT_TRUE(PumpUntil([&] { return !engine.IsOpen(); }));
    Tick(3);
    EXPECT_EQ(window.Of("BandMapSpots"), QStringList{Handed(kSpot1)});
    EXPECT_EQ(CountIn("** Port Closed **"), 1);
    EXPECT_FALSE(engine.Tnc().PortOpen()); // the descriptor closed, and the lines with it
    EXPECT_FALSE(engine.ReceiveTimerEnabled());
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

TEST_F(TncTest, APortThatCannotOpenIsToldOnceAndLeavesTheWindowClosed) {
    for (int port : {5, 0}) {
        SpottingSettings.TncCommPort = port;
        Fakes().dialogs.AnswerMsgBox(vbOK);
        engine.OpenPort();
        EXPECT_EQ(engine.Terminal(),
                  "** Attempting to Open Port **\r\n\r\n** Unable to open TNC Serial Port **\r\n\r\n\r\n\r\n** Port Closed **");
        ASSERT_FALSE(Fakes().dialogs.shown.isEmpty());
        EXPECT_EQ(Fakes().dialogs.shown.last().title, "Invalid Comm Settings.");
        EXPECT_FALSE(engine.IsOpen());
        EXPECT_FALSE(engine.ReceiveTimerEnabled());
    }
    EXPECT_EQ(Fakes().dialogs.beeps, 2);
}

// ---- The packet engine --------------------------------------------------------------------------

class PacketEngineTest : public ClusterEngineTest {
protected:
    void SetUp() override {
        ClusterEngineTest::SetUp();
        Station.OwnCall = " q7bzw ";
        Use("AGW Packet Engine");
        engine.PacketEngine().setAddress("127.0.0.1", agw.Port());
    }
    void Register() {
        engine.OpenPort();
        ASSERT_TRUE(PumpUntil([&] { return engine.ReceiveTimerEnabled(); }));
    }
    // Waits for what the engine sends to arrive, then polls on the tick.
    void Receive(const std::function<void()>& send) {
        Arrive(send);
        Tick();
    }
    void Arrive(const std::function<void()>& send) {
        const qint64 before = agw.sent - engine.PacketEngine().Buffered();
        send();
        ASSERT_TRUE(PumpUntil([&] { return agw.sent - engine.PacketEngine().Buffered() == before; }));
    }
    FakePacketEngine agw;
};

TEST_F(PacketEngineTest, RegistersMonitorsAndHandsOnEverySpotWaiting) {
    Register();
    EXPECT_TRUE(engine.Terminal().endsWith("\r\n** Successfully connected to AGW Packet Engine **\r\n\r\n"));
    ASSERT_TRUE(agw.WaitForFrames(2));
    EXPECT_EQ(agw.received[0].kind, 'X');
    EXPECT_EQ(agw.received[0].callFrom, "Q7BZW");
    EXPECT_EQ(agw.received[1].kind, 'm');
    EXPECT_TRUE(agw.monitoring);

    // Three frames between ticks: one tick takes them all.
    Receive([&] {
        agw.Monitor("W3LPL", "DX", kSpot1 + "\r");
        agw.Monitor("K1TTT", "DX", kSpot2 + "\r");
        agw.Monitor("N1ABC", "CQ", "anyone on for a sked?\r");
        agw.Monitor("VE3EJ", "DX", kSpot3 + "\r");
    });
    EXPECT_EQ(window.Of("BandMapSpots"), QStringList({Handed(kSpot1), Handed(kSpot2), Handed(kSpot3)}));
    EXPECT_TRUE(engine.Terminal().contains("UN1ABC  1:Fm N1ABC To CQ <UI pid=F0 Len=22 >[14:02:11]\r\n"
                                           "anyone on for a sked?\r\n"));
    // The same frame again is a repeat.
    Receive([&] { agw.Monitor("W3LPL", "DX", kSpot1 + "\r"); });
    EXPECT_EQ(window.Of("BandMapSpots").size(), 3);
    // "DX" at the second character: its columns count from there.
    Receive([&] { agw.Monitor("N0XYZ", "DX", "xdx de N0XYZ:     28400.0  PY2AAA\r"); });
    EXPECT_EQ(window.Of("BandMapSpots").last(), "BandMapSpots PY2AAA 28400.0 de N0XYZ:     28400.0  PY2AAA\r\n");
}

TEST_F(PacketEngineTest, ConnectsSendsAndDisconnectsOnTypedCommands) {
    Register();
    std::vector<QString> captions;
    engine.CaptionChanged = [&](const QString& c) { captions.push_back(c); };
    engine.SendAgwText("hello"); // nobody connected: goes nowhere
    engine.SendAgwText(":c  w3lpl-1 ");
    ASSERT_TRUE(agw.WaitForFrames(3));
    EXPECT_EQ(agw.received.size(), 3); // the connect; "P" asks nothing more of this interface
    EXPECT_EQ(agw.received[2].kind, 'C');
    EXPECT_EQ(agw.received[2].callFrom, "Q7BZW");
    EXPECT_EQ(agw.received[2].callTo, "W3LPL-1");

    Receive([&] { agw.Connected("W3LPL-1"); });
    EXPECT_EQ(engine.AgwConnectedCall(), "W3LPL-1");
    EXPECT_EQ(captions, std::vector<QString>{"DX Spotting Setup - Connected to W3LPL-1"});
    EXPECT_TRUE(engine.Terminal().endsWith("** Connected to W3LPL-1 **"));
    Receive([&] { agw.Connected("K1TTT"); }); // connected already: changes nothing
    EXPECT_EQ(engine.AgwConnectedCall(), "W3LPL-1");

    Receive([&] { agw.Data("W3LPL-1", "Hello Q7BZW\r" + kSpot1 + "\r"); });
    EXPECT_TRUE(engine.Terminal().endsWith("Hello Q7BZW\r\n" + kSpot1 + "\r\n"));
    Receive([&] { agw.Data("W3LPL-1", kSpot2 + "\r"); });
    EXPECT_EQ(window.Of("BandMapSpots"), QStringList{Handed(kSpot2)});
    engine.SendAgwText("SH/DX 5");
    ASSERT_TRUE(agw.WaitForFrames(4));
    EXPECT_EQ(agw.received[3].kind, 'D');
    EXPECT_EQ(agw.received[3].callTo, "W3LPL-1");
    EXPECT_EQ(agw.received[3].data, "SH/DX 5\r");

    Receive([&] { agw.Disconnected("K1TTT"); }); // another station: nothing
    EXPECT_EQ(engine.AgwConnectedCall(), "W3LPL-1");
    engine.SendAgwText(":d");
    ASSERT_TRUE(agw.WaitForFrames(5));
    EXPECT_EQ(agw.received[4].kind, 'd');
    const int beeps = Fakes().dialogs.beeps;
    Receive([&] { agw.Disconnected("W3LPL-1"); });
    EXPECT_TRUE(engine.AgwConnectedCall().isEmpty());
    EXPECT_EQ(captions.back(), "DX Spotting Setup");
    EXPECT_EQ(Fakes().dialogs.beeps - beeps, 2);
    EXPECT_TRUE(engine.Terminal().endsWith("\r\n** Disconnected from W3LPL-1 **\r\n"));

    Fakes().dialogs.AnswerMsgBox(vbOK);
    engine.SendAgwText(":C");
    EXPECT_EQ(Fakes().dialogs.shown.last().title, "Call sign Required");
    EXPECT_EQ(agw.received.size(), 5);
}

TEST_F(PacketEngineTest, ClosePortWhileConnectedDisconnectsFirst) {
    Register();
    engine.SendAgwText(":C W3LPL");
    Receive([&] { agw.Connected("W3LPL"); });
    engine.ClosePort();
    ASSERT_TRUE(agw.WaitForFrames(4));
    EXPECT_EQ(agw.received[3].kind, 'd');
    EXPECT_EQ(agw.received[3].callTo, "W3LPL");
    EXPECT_TRUE(engine.AgwConnectedCall().isEmpty());
    EXPECT_FALSE(engine.ReceiveTimerEnabled());
    ASSERT_TRUE(PumpUntil([&] { return !agw.HasClient() || agw.received.size() == 4; }));
}

TEST_F(PacketEngineTest, AnEngineThatRefusesIsAbsentOrSilentIsToldOnce) {
    enum class Peer { Refuses, Absent, Silent };
    for (Peer peer : {Peer::Refuses, Peer::Absent, Peer::Silent}) {
        FakePacketEngine other;
        other.refuse = peer == Peer::Refuses;
        other.silent = peer == Peer::Silent;
        quint16 port = other.Port();
        if (peer == Peer::Absent) {
            QTcpServer gone;
            gone.listen(QHostAddress::LocalHost);
            port = gone.serverPort();
        }
        engine.PacketEngine().setAddress("127.0.0.1", port);
        int shows = 0;
        engine.ShowWindow = [&] { ++shows; };
        Fakes().dialogs.AnswerMsgBox(vbOK);
        const int dialogs = static_cast<int>(Fakes().dialogs.shown.size());
        engine.OpenPort();
        EXPECT_TRUE(engine.IsOpen());
        if (peer == Peer::Silent) {
            ASSERT_TRUE(other.WaitForFrames(1));
            Fakes().clock.Advance(PacketEngineClient::AnswerTimeoutMs);
        }
        ASSERT_TRUE(PumpUntil([&] { return !engine.IsOpen(); })) << static_cast<int>(peer);
        EXPECT_EQ(Fakes().dialogs.shown.size(), dialogs + 1);
        EXPECT_EQ(Fakes().dialogs.shown.last().title, "Unable to connect to the AGW Packet Engine.");
        EXPECT_TRUE(engine.Terminal().endsWith("- Click Open from this program.\r\n\r\n"));
        EXPECT_EQ(shows, 1);
        EXPECT_FALSE(engine.ReceiveTimerEnabled());
    }
    // No own call: told so, nothing started, marked open until Close Port.
    Station.OwnCall = "  ";
    Fakes().dialogs.AnswerMsgBox(vbOK);
    engine.OpenPort();
    EXPECT_EQ(Fakes().dialogs.shown.last().title, "Call Sign Required!");
    EXPECT_TRUE(engine.IsOpen());
}

TEST_F(PacketEngineTest, ShortAndHostileFramesNeverReadOutsideAndAnEngineOutOfStepIsGone) {
    Register();
    PacketFrame spot;
    spot.kind = 'U';
    spot.callFrom = "W3LPL";
    spot.data = " 1:Fm W3LPL To DX <UI >\r" + kSpot1 + "\r";
    const QByteArray whole = EncodePacketFrame(spot);
    // A frame in pieces: nothing until it is whole.
    Receive([&] { agw.SendRaw(whole.left(20)); });
    EXPECT_TRUE(window.Of("BandMapSpots").isEmpty());
    Receive([&] { agw.SendRaw(whole.mid(20)); });
    EXPECT_EQ(window.Of("BandMapSpots"), QStringList{Handed(kSpot1)});
    // A kind of the interface's own and a frame of 5000 bytes are passed over without harm.
    PacketFrame big = spot;
    big.data = QByteArray(5000, 'Z');
    PacketFrame own;
    own.kind = 'R';
    own.data = QByteArray(8, '\0');
    Receive([&] { agw.SendRaw(EncodePacketFrame(own) + EncodePacketFrame(big)); });
    EXPECT_TRUE(engine.Terminal().contains(QString(PacketDataLimit - 30, 'Z')));
    EXPECT_FALSE(engine.Terminal().contains(QString(PacketDataLimit + 1, 'Z')));
    // A length no engine sends: the link is dropped and said to be closed, once.
    QByteArray hostile(36, '\0');
    hostile[4] = 'U';
    hostile[31] = '\x7F';
    Receive([&] { agw.SendRaw(hostile + "trailing bytes"); });
    ASSERT_TRUE(PumpUntil([&] { return !engine.IsOpen(); }));
    EXPECT_EQ(CountIn("** Port Closed **"), 1);
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

TEST_F(PacketEngineTest, AnEngineThatGoesAwayIsSaidOnce) {
    Register();
    agw.CloseClient();
    ASSERT_TRUE(PumpUntil([&] { return !engine.IsOpen(); }));
    Tick(3);
    EXPECT_EQ(CountIn("** Port Closed **"), 1);
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

} // namespace
