// The radio engine on a pseudo-terminal with a fake radio at the other end, no window loaded: the port
// it opens, the bytes each radio type's poll puts on the line, what it hands up to the logging window,
// and how it takes silence, garbage, split replies and a port that goes away.
#include "core/ProcessState.h"
#include "platform/Session.h"
#include "rig/RadioEngine.h"
#include "rig/RigSettings.h"
#include "tests/support/LinkDoubles.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/RadioPeers.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <termios.h>

using namespace tylog;
using namespace tylog::testing;

namespace {

using Signal = RecordingKeyLines::Signal;

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

// What the engine tells its view, in order.
struct RecordingView : RadioEngineView {
    void PollingStarts() override { calls << "starts"; }
    void PortOpenFailed(const QString&) override { calls << "open failed"; }
    void PollingFailed() override { calls << "failed"; }
    void PollingEnded() override { calls << "ended"; }
    void ReplyRead(const RigDecoded& d, const QByteArray& reply) override {
        calls << QStringLiteral("reply %1 %2 %3").arg(d.RigFrequencyMHz).arg(d.RigModeText).arg(reply.size());
    }
    void PortLost(const QString&) override { calls << "lost"; }
    QStringList calls;
};

class RadioEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folders.ProgramFolder = dir.path();
        peer.MapAsSerial(2);
        RigSettings.RigPort = 2;
        RigSettings.RigPollRate = "M";
        engine.setView(&view);
    }
    // A radio type with its queries, at 4800,N,8,2.
    void use(const QString& type, const QString& frequencyQuery, const QString& modeQuery = {}) {
        Station.RigType = type;
        RigSettings.RigFrequencyQuery = frequencyQuery;
        RigSettings.RigModeQuery = modeQuery;
        RigSettings.RigBaud = "4800 ";
        RigSettings.RigStopBits = "2";
    }
    // The radio answers what the send tick wrote; then the read tick and the next send tick.
    void cycle() {
        peer.Serve(20);
        Fakes().clock.Advance(static_cast<std::uint32_t>(engine.PollTimer().Interval()));
        Fakes().clock.Advance(static_cast<std::uint32_t>(engine.PollTimer().Interval()));
    }
    QString lastUp(const QString& what) const {
        const QStringList calls = up.Of(what);
        return calls.isEmpty() ? QString() : calls.last();
    }

    ScratchFolder dir;
    PtyPeer peer;
    std::shared_ptr<RadioState> radio = std::make_shared<RadioState>();
    RecordingLoggingWindow up;
    RecordingView view;
    RadioEngine engine;
};

TEST_F(RadioEngineTest, KenwoodPollsWithItsQueriesAndHandsFrequencyAndModeUp) {
    KenwoodRadio(peer, radio);
    use("Kenwood", "FA;", "MD;");
    RigSettings.RigPowerLine = "R";
    engine.Test();
    // The port as chosen, no handshaking, the interface powered on RTS; one send tick at once.
    const termios t = peer.Device().Settings();
    EXPECT_EQ(peer.Device().OutputBaud(), 4800);
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_EQ(RigSettings.RigCommSettings, "4800,N,8,2");
    EXPECT_EQ(Fakes().keyLines.Of("COM2", Signal::RTS).last().value, 1);
    EXPECT_EQ(Fakes().keyLines.Of("COM2", Signal::DTR).last().value, 0);
    EXPECT_TRUE(engine.Polling());
    EXPECT_EQ(engine.PollTimer().Interval(), 250);
    EXPECT_EQ(peer.Serve(), QByteArray("FA;MD;"));
    EXPECT_TRUE(up.calls.isEmpty());

    Fakes().clock.Advance(250); // the read tick
    EXPECT_EQ(up.calls, QStringList({"BandFreqConversion 14.025", "ModeSelection CW"}));
    EXPECT_EQ(view.calls, QStringList({"starts", "reply 14.025 CW 18"}));

    // The radio moves; every second tick asks again.
    radio->hz = 7074000;
    radio->mode = RadioState::Mode::LSB;
    Fakes().clock.Advance(250);
    cycle();
    EXPECT_EQ(lastUp("Band"), "BandFreqConversion 7.074");
    EXPECT_EQ(lastUp("Mode"), "ModeSelection PH");
    EXPECT_EQ(peer.received, QByteArray("FA;MD;FA;MD;"));

    peer.Serve(20); // the last query
    engine.EndTest();
    EXPECT_FALSE(engine.Polling());
    EXPECT_FALSE(engine.Port().PortOpen());
    EXPECT_EQ(Fakes().keyLines.Of("COM2", Signal::RTS).last().value, 0);
    Fakes().clock.Advance(1000);
    EXPECT_EQ(peer.Serve(10), QByteArray()); // nothing more on the line
}

TEST_F(RadioEngineTest, EachRadioTypeSendsItsBytesAndDecodesItsReplies) {
    struct Family {
        const char* type;
        const char* frequencyQuery;
        const char* modeQuery;
        std::function<void(PtyPeer&, std::shared_ptr<RadioState>)> fake;
        QByteArray opening; // sent when the port opens
        QByteArray polled;  // two poll cycles
    };
    const QByteArray icomF = bytes({0xFE, 0xFE, 0x64, 0xE0, 0x03, 0xFD}), icomM = bytes({0xFE, 0xFE, 0x64, 0xE0, 0x04, 0xFD});
    const QByteArray omniF = bytes({0xFE, 0xFE, 0x04, 0xE0, 0x03, 0xFD}), omniM = bytes({0xFE, 0xFE, 0x04, 0xE0, 0x04, 0xFD});
    const QByteArray status = bytes({0, 0, 0, 2, 0x10});
    auto yaesu = [](YaesuModel m) { return [m](PtyPeer& p, std::shared_ptr<RadioState> s) { YaesuRadio(p, s, m); }; };
    const Family families[] = {
        {"Kenwood", "FA;", "MD;", KenwoodRadio, "", "FA;MD;FA;MD;"},
        {"Elecraft", "FA;", "MD;", KenwoodRadio, "", "FA;MD;FA;MD;"},
        {"Kenwood 2", "IF;", "", KenwoodRadio, "", "IF;IF;"},
        {"Icom", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD",
         [](PtyPeer& p, std::shared_ptr<RadioState> s) { IcomRadio(p, s, 0x64, 5); }, "", icomF + icomM},
        {"Icom 735", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD",
         [](PtyPeer& p, std::shared_ptr<RadioState> s) { IcomRadio(p, s, 0x64, 4); }, "", icomF + icomM},
        {"Ten Tec Omni VI", "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD",
         [](PtyPeer& p, std::shared_ptr<RadioState> s) { IcomRadio(p, s, 0x04, 5); }, "", omniF + omniM},
        {"Yaesu", "00 00 00 00 03", "", yaesu(YaesuModel::Status817), QByteArray(5, '\0'),
         bytes({0, 0, 0, 0, 3, 0, 0, 0, 0, 3})},
        {"Yaesu 757 GX II", "00 00 00 00 10", "", yaesu(YaesuModel::FT757GXII), QByteArray(5, '\0'),
         bytes({0, 0, 0, 0, 0x10, 0, 0, 0, 0, 0x10})},
        {"Yaesu 890", "00 00 00 02 10", "", yaesu(YaesuModel::FT890), QByteArray(5, '\0'), status + status},
        {"Yaesu 920", "00 00 00 02 10", "", yaesu(YaesuModel::FT920), QByteArray(5, '\0'), status + status},
        {"Yaesu 990", "00 00 00 02 10", "", yaesu(YaesuModel::FT990), QByteArray(5, '\0'), status + status},
        {"Yaesu 1000 D", "00 00 00 02 10", "", yaesu(YaesuModel::FT990), QByteArray(5, '\0'), status + status},
        {"Yaesu 1000", "00 00 00 02 10", "", yaesu(YaesuModel::FT1000), QByteArray(5, '\0'), status + status},
        {"Yaesu FTdx9000", "FA;", "MD0;", Ftdx9000Radio, "", "FA;MD0;"},
        {"Ten Tec Fnt Pnl", "3F 41 0D", "3F 4D 0D", TenTecFrontPanel, "", "?A\r?M\r"},
        {"Ten Tec Orion", "?AF", "?RMM", OrionRadio, "X\r", "?AF\r?RMM\r?AF\r?RMM\r"},
    };
    for (const Family& f : families) {
        SCOPED_TRACE(f.type);
        PtyPeer radioPeer;
        radioPeer.MapAsSerial(3);
        RigSettings.RigPort = 3;
        f.fake(radioPeer, radio);
        use(f.type, f.frequencyQuery, f.modeQuery);
        RadioEngine e;
        up.calls.clear();
        e.Test();
        for (int i = 0; i < 2; ++i) {
            radioPeer.Serve(20);
            Fakes().clock.Advance(250);
            Fakes().clock.Advance(250);
        }
        EXPECT_EQ(radioPeer.received, f.opening + f.polled);
        EXPECT_EQ(lastUp("Band"), "BandFreqConversion 14.025");
        EXPECT_EQ(lastUp("Mode"), "ModeSelection CW");
        const bool rtsHandshaking = radioPeer.Device().Settings().c_cflag & CRTSCTS;
        EXPECT_EQ(rtsHandshaking, QString(f.type) == "Ten Tec Fnt Pnl" || QString(f.type) == "Ten Tec Orion");
    }
}

TEST_F(RadioEngineTest, HandshakingOfTheTenTecTypesDoesNotStayForTheNext) {
    OrionRadio(peer, radio);
    use("Ten Tec Orion", "?AF", "?RMM");
    engine.Test();
    EXPECT_TRUE(peer.Device().Settings().c_cflag & CRTSCTS);
    use("Kenwood", "FA;", "MD;");
    engine.Test(); // Test while polling reopens the port with what is chosen now
    EXPECT_TRUE(engine.Polling());
    EXPECT_FALSE(peer.Device().Settings().c_cflag & CRTSCTS);
}

TEST_F(RadioEngineTest, AlternatingTypesAskForFrequencyAndModeInTurn) {
    IcomRadio(peer, radio, 0x64, 5);
    use("Icom", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD");
    engine.Test();
    cycle();
    // Each read tick hands both values on: the frequency just read and the mode Test emptied.
    EXPECT_EQ(up.calls, QStringList({"BandFreqConversion 14.025", "ModeSelection "}));
    cycle();
    EXPECT_EQ(up.calls.mid(2), QStringList({"BandFreqConversion 14.025", "ModeSelection CW"}));

    // A query too short to send still moves the turn on; one that is no hex sends nothing, ever.
    up.calls.clear();
    peer.received.clear();
    RigSettings.RigModeQuery = "FE FE 64 E0 04";
    cycle(); // frequency
    cycle(); // mode: too short
    cycle(); // frequency again
    EXPECT_EQ(peer.received, bytes({0xFE, 0xFE, 0x64, 0xE0, 0x03, 0xFD, 0xFE, 0xFE, 0x64, 0xE0, 0x03, 0xFD}));
    peer.received.clear();
    RigSettings.RigFrequencyQuery = "FE FE 64 E0 0X FD";
    RigSettings.RigModeQuery = "FE FE 64 E0 0X FD";
    for (int i = 0; i < 4; ++i) cycle();
    EXPECT_EQ(peer.received, QByteArray());
    EXPECT_TRUE(engine.Polling());
}

TEST_F(RadioEngineTest, OtherSendsItsQueriesAsTypedOrAsHexBytes) {
    use("Other", "FA;", "MD;");
    engine.Test();
    EXPECT_EQ(peer.Serve(), QByteArray("FA;MD;"));
    Fakes().clock.Advance(250);
    RigSettings.ConvertToHex = true;
    RigSettings.RigFrequencyQuery = "46 41 3B";
    RigSettings.RigModeQuery = "ZZ";
    Fakes().clock.Advance(250);
    EXPECT_EQ(peer.Serve(), QByteArray("FA;"));
    // A Yaesu type never sends its mode query. (Test keeps the poll's phase: this one reads first.)
    use("Yaesu", "00 00 00 00 03", "00 00 00 00 88");
    engine.Test();
    Fakes().clock.Advance(250);
    EXPECT_EQ(peer.Serve(), bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 3}));
}

TEST_F(RadioEngineTest, ModeSourceAndUseFrequencyChooseWhatGoesUp) {
    KenwoodRadio(peer, radio);
    use("Kenwood", "FA;", "MD;");
    radio->hz = 14200000; // a phone segment, while the radio says CW
    RigSettings.RigModeSource = 2;
    engine.Test();
    cycle();
    EXPECT_EQ(up.calls, QStringList({"BandFreqConversion 14.2", "ModeSelection PH"}));
    radio->hz = 1840000; // no segment on 160 m: the radio's mode stands
    cycle();
    EXPECT_EQ(lastUp("Mode"), "ModeSelection CW");

    up.calls.clear();
    RigSettings.RigModeSource = 3;
    RigSettings.UseFrequency = false;
    cycle();
    EXPECT_EQ(up.calls, QStringList());
    EXPECT_EQ(view.calls.last(), "reply 1.84 CW 18"); // still decoded and shown
}

TEST_F(RadioEngineTest, SilenceGarbageAndSplitRepliesChangeNothingWrongly) {
    KenwoodRadio(peer, radio);
    use("Kenwood", "FA;", "MD;");
    peer.silent = true;
    engine.Test();
    for (int i = 0; i < 5; ++i) cycle();
    // A radio that never answers: one query a cycle, nothing handed on, nothing shown.
    EXPECT_EQ(peer.received, QByteArray("FA;MD;").repeated(5));
    EXPECT_EQ(up.calls, QStringList());
    EXPECT_EQ(view.calls, QStringList({"starts"}));

    peer.silent = false;
    cycle();
    EXPECT_EQ(lastUp("Band"), "BandFreqConversion 14.025");

    // Garbage and replies cut across the read ticks: the values handed up stay the last good ones.
    radio->hz = 7074000;
    peer.garbage = true;
    for (int i = 0; i < 4; ++i) cycle();
    peer.garbage = false;
    peer.splitInto = 3;
    for (int i = 0; i < 6; ++i) cycle();
    for (const QString& c : up.Of("Band")) EXPECT_TRUE(c == "BandFreqConversion 14.025" || c == "BandFreqConversion 7.074") << c.toStdString();
    for (const QString& c : up.Of("Mode")) EXPECT_EQ(c, "ModeSelection CW");
    // Leftover bytes after every reply: the whole answer before them still counts.
    peer.splitInto = 1;
    peer.leftover = "FA0000";
    cycle();
    cycle();
    EXPECT_EQ(lastUp("Band"), "BandFreqConversion 7.074");
}

TEST_F(RadioEngineTest, APortThatGoesAwayStopsPollingAndIsSaidOnce) {
    KenwoodRadio(peer, radio);
    use("Kenwood", "FA;", "MD;");
    RigSettings.RigPowerLine = "D";
    engine.Test();
    cycle();
    peer.HangUp(); // pulled mid-poll
    for (int i = 0; i < 6; ++i) Fakes().clock.Advance(250);
    QCoreApplication::processEvents(); // the port's own error arrives too
    for (int i = 0; i < 6; ++i) Fakes().clock.Advance(250);
    EXPECT_FALSE(engine.Polling());
    EXPECT_FALSE(engine.Port().PortOpen());
    EXPECT_EQ(view.calls.filter("lost").size(), 1);
    EXPECT_TRUE(Fakes().dialogs.shown.empty());

    // Found by the port's own event while no tick runs: the same.
    PtyPeer second;
    second.MapAsSerial(4);
    RigSettings.RigPort = 4;
    KenwoodRadio(second, radio);
    engine.Test();
    EXPECT_TRUE(engine.Polling());
    second.HangUp();
    EXPECT_TRUE(PumpUntil([&] { return !engine.Polling(); }, 2000));
    for (int i = 0; i < 4; ++i) Fakes().clock.Advance(250);
    EXPECT_EQ(view.calls.filter("lost").size(), 2);
}

TEST_F(RadioEngineTest, PortThatDoesNotOpen) {
    use("Kenwood", "FA;", "MD;");
    RigSettings.RigPort = 5; // mapped nowhere
    engine.Test();
    EXPECT_EQ(view.calls, QStringList({"starts", "open failed", "failed"}));
    EXPECT_FALSE(engine.Polling());
    // A settings string the port refuses is the same failure.
    view.calls.clear();
    RigSettings.RigPort = 2;
    RigSettings.RigBaud = "4800x";
    engine.Test();
    EXPECT_EQ(RigSettings.RigCommSettings, "4800x,N,8,2");
    EXPECT_EQ(view.calls, QStringList({"starts", "open failed", "failed"}));
    EXPECT_FALSE(engine.Port().PortOpen());
}

TEST_F(RadioEngineTest, NoneAndNoTypeOpenNothing) {
    for (const char* type : {"None", ""}) {
        Station.RigType = type;
        RigSettings.RigBaud = "9600 ";
        engine.Test();
        EXPECT_EQ(RigSettings.RigCommSettings, "9600,N,8,1") << type;
        EXPECT_FALSE(engine.Port().PortOpen()) << type;
        EXPECT_FALSE(engine.Polling()) << type;
    }
    EXPECT_EQ(peer.Serve(10), QByteArray());
    EXPECT_TRUE(Fakes().keyLines.changes.isEmpty());
    EXPECT_TRUE(view.calls.isEmpty());
}

TEST_F(RadioEngineTest, PollRates) {
    use("Kenwood", "FA;", "MD;");
    const std::pair<const char*, int> rates[] = {{"F", 50}, {"S", 1000}, {"R", 5000}, {"M", 250}, {"X", 250}};
    for (auto [rate, interval] : rates) {
        RigSettings.RigPollRate = rate;
        engine.Test();
        EXPECT_EQ(engine.PollTimer().Interval(), interval) << rate;
    }
}

TEST_F(RadioEngineTest, PegasusReadsItsStatusFileAndOpensNoPort) {
    ScratchFolder pegasus;
    qputenv("TYLOG_PEGASUS", pegasus.path().toLocal8Bit());
    pegasus.write("PEGASUS.OUT", "14.025,\"CW\"\r\n");
    Station.RigType = "Ten Tec Pegasus";
    engine.Test();
    EXPECT_FALSE(engine.Port().PortOpen());
    EXPECT_TRUE(engine.Polling());
    Fakes().clock.Advance(250);
    EXPECT_EQ(up.calls, QStringList({"BandFreqConversion 14.025", "ModeSelection CW"}));
    pegasus.write("PEGASUS.OUT", "7.2,\"LSB\"\r\n");
    Fakes().clock.Advance(500);
    EXPECT_EQ(lastUp("Band"), "BandFreqConversion 7.2");
    EXPECT_EQ(lastUp("Mode"), "ModeSelection PH");
    QFile::remove(pegasus.file("PEGASUS.OUT")); // gone: the last values go up again
    Fakes().clock.Advance(500);
    EXPECT_EQ(lastUp("Band"), "BandFreqConversion 7.2");
    qunsetenv("TYLOG_PEGASUS");
    EXPECT_EQ(peer.Serve(10), QByteArray());
}

TEST_F(RadioEngineTest, UnloadSendsTheYaesuClosingBytesOnlyWhilePolling) {
    struct Case { const char* type; bool polling; QByteArray last; };
    const Case cases[] = {{"Yaesu 890", true, bytes({0, 0, 0, 0, 0x80})},
                          {"Yaesu 890", false, ""},
                          {"Yaesu FTdx9000", true, ""},
                          {"Kenwood", true, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + (c.polling ? " polling" : ""));
        use(c.type, "", "");
        RigSettings.RigPowerLine = "R";
        engine.Test();
        peer.Serve(20);
        if (!c.polling) engine.PollTimer().setEnabled(false);
        engine.Unload();
        EXPECT_EQ(peer.Serve(20), c.last);
        EXPECT_FALSE(engine.Port().PortOpen());
        // The port closes once the bytes have gone out, and the power line with it.
        Fakes().clock.Advance(10);
        EXPECT_EQ(Fakes().keyLines.Of("COM2", Signal::RTS).last().value, 0);
        QCoreApplication::processEvents();
    }
}

TEST_F(RadioEngineTest, ThePowerLineGoesDownAtTheEndOfTheRun) {
    use("Kenwood", "FA;", "MD;");
    RigSettings.RigPowerLine = "R";
    engine.Test();
    EXPECT_EQ(Fakes().keyLines.Of("COM2", Signal::RTS).last().value, 1);
    End();
    EXPECT_EQ(Fakes().keyLines.Of("COM2", Signal::RTS).last().value, 0);

    // Dropping the engine (the window unloads) closes the port and with it the line.
    engine.EndTest();
    RigSettings.RigPowerLine = "D";
    auto e = std::make_unique<RadioEngine>();
    e->Test();
    EXPECT_EQ(Fakes().keyLines.Of("COM2", Signal::DTR).last().value, 1);
    e.reset();
    EXPECT_EQ(Fakes().keyLines.Of("COM2", Signal::DTR).last().value, 0);
}

} // namespace
