// The radio engine's frequency and mode commands on a pseudo-terminal with a fake radio at the other
// end, no window loaded: the bytes each radio type gets for 28.475 MHz at their exact ticks on the
// fake clock, the poll stopped and started around them, the band plan's mode, and a radio that stops
// reading, a port that goes away and the values that must send nothing.
#include "core/ProcessState.h"
#include "platform/TextFile.h"
#include "rig/BandRules.h"
#include "rig/RadioEngine.h"
#include "rig/RigSettings.h"
#include "tests/support/LinkDoubles.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/RadioPeers.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

#include <functional>

using namespace tylog;
using namespace tylog::testing;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

std::string hex(const QByteArray& b) { return b.toHex(' ').toUpper().toStdString(); }

using Fake = std::function<void(PtyPeer&, std::shared_ptr<RadioState>)>;
Fake yaesu(YaesuModel m) {
    return [m](PtyPeer& p, std::shared_ptr<RadioState> s) { YaesuRadio(p, s, m); };
}
Fake icom(int address, int frequencyBytes) {
    return [=](PtyPeer& p, std::shared_ptr<RadioState> s) { IcomRadio(p, s, address, frequencyBytes); };
}

class RadioCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folders.ProgramFolder = dir.path();
        peer.MapAsSerial(2);
        RigSettings.RigPort = 2;
        RigSettings.RigPollRate = "M";
        engine.BandPlanExtra = BandPlanExtraRows(ReadAllBytes(ShippedDataFolder() + "/BandPlan.txt"));
    }
    void use(const QString& type, const QString& frequencyQuery, const QString& modeQuery = {}) {
        Station.RigType = type;
        RigSettings.RigFrequencyQuery = frequencyQuery;
        RigSettings.RigModeQuery = modeQuery;
    }
    // Polling, with the radio's answer to the first query taken in; what the radio got so far is forgotten.
    void startPolling() {
        engine.Test();
        ASSERT_TRUE(engine.Polling());
        peer.Serve(20);
        peer.received.clear();
        at_ = 0;
    }
    // The fake clock `ms` after the command was given, and what the radio got meanwhile.
    QByteArray at(std::uint32_t ms) {
        Fakes().clock.Advance(ms - at_);
        at_ = ms;
        return peer.Serve(5);
    }
    const QList<ScriptedDialogs::Shown>& told() const { return Fakes().dialogs.shown; }

    ScratchFolder dir;
    PtyPeer peer;
    std::shared_ptr<RadioState> radio = std::make_shared<RadioState>();
    RadioEngine engine;
    std::uint32_t at_ = 0;
};

} // namespace

// 28.475 MHz is phone on 10 m for the Extra class: USB first, then the frequency, each after its
// pause; the poll stops for the command and runs again once the frequency is out.
TEST_F(RadioCommandsTest, EveryTypeGetsItsModeAndFrequencyAtItsTicks) {
    const QByteArray icomUsb = bytes({0xFE, 0xFE, 0x64, 0xE0, 0x06, 0x01, 0xFD});
    const QByteArray icomFreq = bytes({0xFE, 0xFE, 0x64, 0xE0, 0x05, 0x00, 0x50, 0x47, 0x28, 0x00, 0xFD});
    const QByteArray yaesuReversed = bytes({0x00, 0x75, 0x84, 0x02, 0x0A});
    const QByteArray yaesuReversedUsb = bytes({0, 0, 0, 0x01, 0x0C});
    struct Family {
        const char* type;
        const char* frequencyQuery;
        const char* modeQuery;
        Fake fake;
        QByteArray mode;      // at 99 ms
        QByteArray frequency; // at `when`
        std::uint32_t when;
        bool follows; // the fake radio knows the frequency command and takes it
    } families[] = {
        {"Kenwood", "FA;", "MD;", KenwoodRadio, "MD2;", "FA00028475000;", 99 + 205, true},
        {"Kenwood 2", "IF;", "", KenwoodRadio, "MD2;", "FA00028475000;", 99 + 205, true},
        {"Elecraft", "FA;", "MD;", KenwoodRadio, "MD2;", "FA00028475000;", 99 + 205 + 1000, true},
        {"Icom", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", icom(0x64, 5), icomUsb, icomFreq, 99 + 140, true},
        {"Icom 735", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", icom(0x64, 4), "",
         bytes({0xFE, 0xFE, 0x64, 0xE0, 0x05, 0x00, 0x50, 0x47, 0x28, 0xFD}), 99 + 140, true},
        {"Ten Tec Omni VI", "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD", icom(0x04, 5),
         bytes({0xFE, 0xFE, 0x04, 0xE0, 0x06, 0x01, 0xFD}),
         bytes({0xFE, 0xFE, 0x04, 0xE0, 0x05, 0x00, 0x50, 0x47, 0x28, 0x00, 0xFD}), 99 + 140 + 220, true},
        {"Ten Tec Fnt Pnl", "3F 41 0D", "3F 4D 0D", TenTecFrontPanel, "", bytes({0x2A, 0x41, 0x01, 0xB2, 0x7E, 0x78, 0x0D}),
         99 + 205, true},
        {"Ten Tec Orion", "?AF", "?RMM", OrionRadio, "", "*AF28475000\r", 99 + 205, true},
        {"Yaesu", "00 00 00 00 03", "", yaesu(YaesuModel::Status817), bytes({0x01, 0, 0, 0, 0x07}),
         bytes({0x02, 0x84, 0x75, 0x00, 0x01}), 99 + 205, true},
        {"Yaesu 757 GX II", "00 00 00 00 10", "", yaesu(YaesuModel::FT757GXII), yaesuReversedUsb, yaesuReversed, 99 + 205, false},
        {"Yaesu 890", "00 00 00 02 10", "", yaesu(YaesuModel::FT890), yaesuReversedUsb, yaesuReversed, 99 + 205, false},
        {"Yaesu 920", "00 00 00 02 10", "", yaesu(YaesuModel::FT920), yaesuReversedUsb, yaesuReversed, 99 + 205, false},
        {"Yaesu 990", "00 00 00 02 10", "", yaesu(YaesuModel::FT990), yaesuReversedUsb, yaesuReversed, 99 + 205, false},
        {"Yaesu 1000 D", "00 00 00 02 10", "", yaesu(YaesuModel::FT990), yaesuReversedUsb, yaesuReversed, 99 + 205, false},
        {"Yaesu 1000", "00 00 00 02 10", "", yaesu(YaesuModel::FT1000), yaesuReversedUsb, yaesuReversed, 99 + 10, false},
        {"Yaesu FTdx9000", "FA;", "MD0;", Ftdx9000Radio, "MD2;", "FA28475000;", 99 + 205, true},
        {"Other", "FA;", "MD;", KenwoodRadio, "", "", 99, false},
    };
    for (const Family& f : families) {
        SCOPED_TRACE(f.type);
        PtyPeer radioPeer;
        radioPeer.MapAsSerial(3);
        RigSettings.RigPort = 3;
        auto state = std::make_shared<RadioState>();
        f.fake(radioPeer, state);
        use(f.type, f.frequencyQuery, f.modeQuery);
        RadioEngine e;
        e.BandPlanExtra = engine.BandPlanExtra;
        e.Test();
        radioPeer.Serve(20);
        radioPeer.received.clear();
        std::uint32_t now = 0;
        auto at = [&](std::uint32_t ms) {
            Fakes().clock.Advance(ms - now);
            now = ms;
            return radioPeer.Serve(5);
        };

        e.ChangeFrequency(28.475f);
        EXPECT_FALSE(e.Polling());
        EXPECT_TRUE(e.Tuning());
        EXPECT_EQ(hex(at(98)), "");
        EXPECT_EQ(hex(at(99)), hex(f.mode));
        if (f.when > 99) {
            EXPECT_EQ(hex(at(f.when - 1)), "");
            EXPECT_FALSE(e.Polling());
        }
        EXPECT_EQ(hex(at(f.when)), hex(f.frequency));
        EXPECT_TRUE(e.Polling());
        EXPECT_FALSE(e.Tuning());
        if (f.follows) {
            EXPECT_EQ(state->hz, 28475000);
        }
        // The poll goes on where it stopped: a read tick, then a send tick.
        EXPECT_EQ(hex(at(f.when + 250)), "");
        EXPECT_NE(hex(at(f.when + 500)), "");
    }
    EXPECT_TRUE(told().isEmpty());
}

TEST_F(RadioCommandsTest, TheBandPlanChoosesTheModeOrNone) {
    KenwoodRadio(peer, radio);
    use("Kenwood", "FA;", "MD;");
    struct Case {
        float mhz;
        QByteArray mode;
        std::uint32_t when; // of the frequency
    } cases[] = {
        {14.2f, "MD2;", 304}, {7.2f, "MD1;", 304}, {14.025f, "MD3;", 304},
        {1.85f, "", 205},     // no mode on 160 m, and no mode pause
        {11.0f, "", 205},     // outside every segment
    };
    for (const Case& c : cases) {
        startPolling();
        engine.ChangeFrequency(c.mhz);
        EXPECT_EQ(at(c.when - 1), c.mode) << c.mhz;
        EXPECT_EQ(at(c.when), "FA" + QByteArray::number(qRound64(c.mhz * 1e6)).rightJustified(11, '0') + ";") << c.mhz;
        EXPECT_TRUE(engine.Polling()) << c.mhz;
    }
    // Without a band plan no mode is ever sent.
    engine.BandPlanExtra.clear();
    startPolling();
    engine.ChangeFrequency(14.2f);
    EXPECT_EQ(at(205), "FA00014200000;");
}

TEST_F(RadioCommandsTest, OneFrequencyChangeAtATimeAndOnlyWhilePolling) {
    KenwoodRadio(peer, radio);
    use("Elecraft", "FA;", "MD;");
    // Not polling: nothing sent, nothing told, the poll stays stopped.
    engine.ChangeFrequency(14.2f);
    EXPECT_FALSE(engine.Tuning());
    EXPECT_FALSE(engine.CommandRunning());

    startPolling();
    engine.ChangeFrequency(14.2f);
    EXPECT_EQ(at(500), "MD2;");
    engine.ChangeFrequency(7.2f);       // turned away
    engine.ChangeMode(0, "CW");          // a mode button: it waits its turn
    EXPECT_EQ(at(1303), "");
    EXPECT_EQ(at(1304), "FA00014200000;");
    EXPECT_FALSE(engine.Tuning());
    EXPECT_EQ(at(1304 + 99), "MD3;");
    EXPECT_EQ(at(5000), "FA;MD;FA;MD;FA;MD;FA;MD;FA;MD;FA;MD;FA;MD;"); // only the poll's queries
    EXPECT_EQ(radio->hz, 14200000);
    EXPECT_EQ(radio->mode, RadioState::Mode::CW);
    EXPECT_TRUE(told().isEmpty());
}

// The radio stopped reading: each drain gives up after 2000 ms, the command still goes out and the
// poll runs again; measured across the wrap of the millisecond tick.
TEST_F(RadioCommandsTest, ADrainGivesUpAfterTwoSecondsAcrossTheWrapOfTheTick) {
    Fakes().clock.SetTick(0xFFFFFFFFu - 3000);
    KenwoodRadio(peer, radio);
    use("Kenwood", "FA;", "MD;");
    startPolling();
    engine.Port().Output(QByteArray(512 * 1024, 'x')); // more than the line holds while nobody reads
    ASSERT_GT(engine.Port().OutBufferCount(), 0);
    engine.ChangeFrequency(14.2f);
    // Mode: drain, 99 ms, drain; frequency: drain, 205 ms, drain.
    const std::uint32_t end = 2000 + 99 + 2000 + 2000 + 205 + 2000;
    Fakes().clock.Advance(end - 1);
    EXPECT_FALSE(engine.Polling());
    Fakes().clock.Advance(1);
    EXPECT_TRUE(engine.Polling());
    EXPECT_FALSE(engine.Tuning());
    EXPECT_LT(Fakes().clock.TimeGetTime(), 10000u) << "the tick has wrapped";
}

TEST_F(RadioCommandsTest, APortThatGoesAwayMidCommandIsToldOnceAndPollingStaysStopped) {
    for (bool eventLoop : {true, false}) {
        SCOPED_TRACE(eventLoop ? "found by the event loop" : "found by the next write");
        Fakes().dialogs.shown.clear();
        PtyPeer radioPeer;
        radioPeer.MapAsSerial(3);
        RigSettings.RigPort = 3;
        KenwoodRadio(radioPeer, radio);
        use("Elecraft", "FA;", "MD;");
        RadioEngine e;
        e.BandPlanExtra = engine.BandPlanExtra;
        e.Test();
        radioPeer.Serve(20);
        e.ChangeFrequency(14.2f);
        Fakes().clock.Advance(200);
        EXPECT_EQ(radioPeer.Serve(5).right(4), "MD2;");
        radioPeer.HangUp();
        if (eventLoop) {
            EXPECT_TRUE(PumpUntil([&] { return !e.CommandRunning(); }, 2000));
        }
        Fakes().clock.Advance(5000);
        EXPECT_FALSE(e.Polling());
        EXPECT_FALSE(e.Tuning());
        EXPECT_FALSE(e.CommandRunning());
        ASSERT_EQ(told().size(), 1);
        EXPECT_EQ(told()[0].kind, ScriptedDialogs::Kind::Notice);
        EXPECT_EQ(told()[0].title, "Error Changing Frequency");
        // The next click is turned away: nothing more is told.
        e.ChangeFrequency(7.2f);
        Fakes().clock.Advance(2000);
        EXPECT_EQ(told().size(), 1);
    }
}

TEST_F(RadioCommandsTest, ValuesThatCannotBeSentSendNothingAndAnIcomAddressIsTold) {
    // A frequency no field can carry: the mode goes, the frequency does not, the poll runs again.
    YaesuRadio(peer, radio, YaesuModel::Status817);
    use("Yaesu", "00 00 00 00 03");
    startPolling();
    engine.ChangeFrequency(1270);
    EXPECT_EQ(hex(at(99)), hex(bytes({0x01, 0, 0, 0, 0x07})));
    EXPECT_TRUE(engine.Polling());
    EXPECT_EQ(hex(at(2000)), hex(bytes({0, 0, 0, 0, 0x03}).repeated(3))) << "only the poll's queries";
    startPolling();
    engine.ChangeFrequency(-3);
    EXPECT_TRUE(engine.Polling()) << "nothing to send, nothing to wait for";
    EXPECT_TRUE(told().isEmpty());

    // An Icom address that is not two hex digits: told, nothing sent, the poll stays stopped.
    PtyPeer icomPeer;
    icomPeer.MapAsSerial(3);
    RigSettings.RigPort = 3;
    IcomRadio(icomPeer, radio, 0x64, 5);
    use("Icom", "FE FE 6G E0 03 FD", "FE FE 6G E0 04 FD");
    RadioEngine e;
    e.BandPlanExtra = engine.BandPlanExtra;
    e.Test();
    icomPeer.Serve(20);
    icomPeer.received.clear();
    e.ChangeFrequency(14.2f);
    Fakes().clock.Advance(1000);
    EXPECT_EQ(icomPeer.Serve(5), "");
    EXPECT_FALSE(e.Polling());
    ASSERT_EQ(told().size(), 1);
    EXPECT_EQ(told()[0].title, "Error Changing Frequency");
    EXPECT_TRUE(told()[0].prompt.contains("FE FE 6G E0 03 FD"));
}

TEST_F(RadioCommandsTest, ModeCommandsGoOutPolledOrNotAndTellTheirFailures) {
    KenwoodRadio(peer, radio);
    use("Kenwood", "FA;", "MD;");
    // Not polling: the port is closed, which is told with the mode's name.
    engine.ChangeMode(0, "CW");
    Fakes().clock.Advance(200);
    ASSERT_EQ(told().size(), 1);
    EXPECT_EQ(told()[0].title, "Error Changing Mode");
    EXPECT_TRUE(told()[0].prompt.endsWith(" CW")) << told()[0].prompt.toStdString();

    // Polling: the poll goes on beside the command.
    startPolling();
    engine.ChangeMode(0, "USB");
    EXPECT_TRUE(engine.Polling());
    EXPECT_EQ(at(99).right(4), "MD2;");
    EXPECT_EQ(radio->mode, RadioState::Mode::USB);
    // No radio at all, and a mode without a code for the type: nothing written, nothing told.
    Station.RigType = "None";
    engine.ChangeMode(0, "CW");
    EXPECT_FALSE(engine.CommandRunning()) << "no wait for no radio";
    Station.RigType = "Kenwood";
    engine.ChangeMode(0, "PKT");
    EXPECT_EQ(at(2000).replace("FA;", "").replace("MD;", ""), "") << "only the poll's queries";
    EXPECT_EQ(told().size(), 1);

    // The Icom address is checked for a mode as for a frequency.
    use("Icom", "FE FE 6", "FE FE 64 E0 04 FD");
    engine.ChangeMode(0, "USB");
    ASSERT_EQ(told().size(), 2);
    EXPECT_EQ(told()[1].title, "Error Changing Mode");
    EXPECT_TRUE(told()[1].prompt.endsWith(" USB"));
}

TEST_F(RadioCommandsTest, KenwoodTwoTunesTheVfoItsLastIFRecordNamed) {
    KenwoodRadio(peer, radio);
    use("Kenwood 2", "IF;");
    radio->vfo = 1;
    startPolling();
    engine.ChangeFrequency(3.55f); // before any IF record: VFO A
    EXPECT_EQ(at(304), "MD3;FA00003550000;");
    Fakes().clock.Advance(500); // a read tick, then the send tick of the next IF
    peer.Serve(20);
    Fakes().clock.Advance(250); // and its read tick
    EXPECT_EQ(engine.Decoded.RigVfo, 1);
    at_ = 0;
    engine.ChangeFrequency(3.56f);
    EXPECT_EQ(at(304), "MD3;FB00003560000;");
    EXPECT_EQ(radio->hzB, 3560000);
}

TEST_F(RadioCommandsTest, ThePegasusIsTunedThroughItsFileWithTheLastDecodedMode) {
    Folders.DataFolder = dir.file("data");
    QDir().mkpath(dir.file("data/Pegasus"));
    dir.write("data/Pegasus/PEGASUS.OUT", "14.025,\"CW\"\r\n");
    use("Ten Tec Pegasus", "");
    engine.Test();
    Fakes().clock.Advance(250); // the status file read
    ASSERT_EQ(engine.Decoded.RigModeText, "CW");
    engine.ChangeFrequency(28.475f);
    Fakes().clock.Advance(303);
    EXPECT_FALSE(dir.exists("data/Pegasus/PEGASUS.IN"));
    Fakes().clock.Advance(1);
    EXPECT_EQ(dir.read("data/Pegasus/PEGASUS.IN"), "28.475\r\nCW\r\n");
    EXPECT_TRUE(engine.Polling());
    EXPECT_FALSE(engine.Port().PortOpen());
    EXPECT_TRUE(told().isEmpty());
}

TEST_F(RadioCommandsTest, EndTestAndTheUnloadDropACommandOnItsWay) {
    KenwoodRadio(peer, radio);
    use("Elecraft", "FA;", "MD;");
    for (int how = 0; how < 2; ++how) {
        startPolling();
        engine.ChangeFrequency(14.2f);
        EXPECT_EQ(at(200), "MD2;");
        if (how == 0) engine.EndTest();
        else engine.Unload();
        EXPECT_FALSE(engine.CommandRunning());
        EXPECT_FALSE(engine.Tuning());
        Fakes().clock.Advance(3000);
        EXPECT_FALSE(engine.Polling());
        EXPECT_EQ(radio->hz, 14025000);
    }
    EXPECT_TRUE(told().isEmpty());
}
