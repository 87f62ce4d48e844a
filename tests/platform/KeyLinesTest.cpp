// The key lines: the tests' record (what keying and its timing look like to an engine's test), the
// parallel port's addresses, and how the machine's lines fail.
#include "platform/KeyLines.h"
#include "platform/SerialLine.h"
#include "platform/testing/Fakes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::Fakes;
using tylog::testing::PseudoTerminal;
using tylog::testing::ScratchFolder;
using Change = tylog::testing::RecordingKeyLines::Change;
using Signal = tylog::testing::RecordingKeyLines::Signal;

namespace tylog::testing {
void PrintTo(const RecordingKeyLines::Change& c, std::ostream* os) {
    *os << c.tick << ' ' << c.device.toStdString() << " signal " << static_cast<int>(c.signal) << " = " << c.value;
}
} // namespace tylog::testing

namespace {

QString ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const VbError& e) {
        return e.Description;
    }
    return {};
}

TEST(KeyLines, TheRecordTimesEveryChangeOnTheClock) {
    PseudoTerminal rig;
    rig.MapAsSerial(3);
    SerialLine cw;
    cw.setCommPort(3);
    cw.Open();
    Fakes().keyLines.changes.clear();
    Fakes().clock.SetTick(5000);
    // "A" at 20 WPM (60 ms units), keyed as a sender does: element by element on RTS, parallel port
    // control register alongside.
    for (QChar e : QStringLiteral("10111000")) {
        cw.setRTSEnable(e == '1');
        Out32(0x37A, e == '1' ? 3 : 2);
        Fakes().clock.Advance(60);
    }
    const QList<Change> rts = Fakes().keyLines.Of("COM3", Signal::RTS);
    ASSERT_EQ(rts.size(), 8);
    QList<std::uint32_t> downs, ups;
    for (int i = 0; i + 1 < rts.size(); ++i) {
        if (rts[i].value == rts[i + 1].value) continue;
        (rts[i + 1].value == 0 ? downs : ups) << rts[i + 1].tick;
    }
    EXPECT_EQ(downs, (QList<std::uint32_t>{5060, 5300})); // key up after 1 unit, then after 3
    EXPECT_EQ(ups, (QList<std::uint32_t>{5120}));
    const QList<Change> lpt = Fakes().keyLines.Of("LPT1", Signal::ParallelControl);
    ASSERT_EQ(lpt.size(), 8);
    EXPECT_EQ(lpt[2], (Change{5120, "LPT1", Signal::ParallelControl, 3}));
    EXPECT_EQ(lpt[5], (Change{5300, "LPT1", Signal::ParallelControl, 2}));
}

TEST(KeyLines, Out32ReachesTheDataAndControlRegistersOfThreePorts) {
    struct Case {
        int address;
        const char* device;
        Signal signal;
    };
    const Case cases[] = {
        {0x378, "LPT1", Signal::ParallelData}, {0x37A, "LPT1", Signal::ParallelControl},
        {0x278, "LPT2", Signal::ParallelData}, {0x27A, "LPT2", Signal::ParallelControl},
        {0x3BC, "LPT3", Signal::ParallelData}, {0x3BE, "LPT3", Signal::ParallelControl},
    };
    for (const Case& c : cases) {
        Fakes().keyLines.changes.clear();
        Out32(c.address, 3);
        EXPECT_EQ(Fakes().keyLines.changes, (QList<Change>{{0, c.device, c.signal, 3}})) << c.address;
    }
    // The status register is read-only; other addresses are no parallel port.
    for (int address : {0x379, 0x37B, 0x380, 890 + 0x10000}) {
        EXPECT_EQ(ErrorOf([&] { Out32(address, 3); }).isEmpty(), false) << address;
    }
    EXPECT_EQ(ErrorOf([] { Out32(0x3bd, 2); }).toStdString(), "No parallel port register at I/O address &H3BD");
}

TEST(KeyLines, TheMachinesLinesOnADeviceWithoutModemLines) {
    // A pseudo-terminal has no RTS or DTR: off is done (nothing is keyed there), on is refused with
    // the reason, so a keyer set up on it hears that it keys nothing.
    PseudoTerminal rig;
    SerialLine line;
    line.setPortPath(rig.Path());
    line.Open();
    SystemKeyLines machine;
    EXPECT_EQ(ErrorOf([&] { machine.SetLine(line, ModemLine::RTS, false); }), QString());
    EXPECT_EQ(ErrorOf([&] { machine.SetLine(line, ModemLine::DTR, false); }), QString());
    const QString on = ErrorOf([&] { machine.SetLine(line, ModemLine::DTR, true); });
    EXPECT_TRUE(on.startsWith(rig.Path() + " DTR: ")) << on.toStdString();
    line.Close();
    EXPECT_FALSE(ErrorOf([&] { machine.SetLine(line, ModemLine::RTS, false); }).isEmpty());
}

TEST(KeyLines, APowerLineOnADeviceWithoutModemLinesIsAWarningAKeyingLineRefusesToOpen) {
    // The radio's or TNC's interface powered from RTS/DTR works without them; a CW key cannot.
    PseudoTerminal tnc;
    SystemKeyLines machine;
    KeyLines* fake = platform().keyLines;
    platform().keyLines = &machine;
    SerialLine power, key;
    power.setPortPath(tnc.Path());
    power.setLineUse(SerialLine::LineUse::Power);
    power.setDTREnable(true);
    power.setRTSEnable(true);
    EXPECT_EQ(ErrorOf([&] { power.Open(); }), QString());
    EXPECT_TRUE(power.PortOpen());
    EXPECT_EQ(ErrorOf([&] { power.setRTSEnable(false); power.setRTSEnable(true); }), QString());
    const KeyLineHandle handle = power.KeyHandle();
    EXPECT_EQ(handle.device, tnc.Path());
    EXPECT_GE(handle.fd, 0);
    power.Close();
    EXPECT_EQ(power.KeyHandle().fd, -1);

    key.setPortPath(tnc.Path());
    key.setRTSEnable(true);
    int number = 0;
    try {
        key.Open();
    } catch (const VbError& e) {
        number = e.Number;
    }
    EXPECT_EQ(number, KeyLines::NoModemLines);
    EXPECT_FALSE(key.PortOpen());
    platform().keyLines = fake;
}

TEST(KeyLines, TheMachinesParallelPortReportsWhatIsMissing) {
    ScratchFolder dir;
    dir.write("notaport", "");
    Fakes().ports.parallel[2] = dir.file("notaport"); // opens, but takes no claim
    SystemKeyLines machine;
    const QString missing = ErrorOf([&] { machine.WriteParallel(1, ParallelRegister::Control, 3); });
    EXPECT_EQ(missing, "/nonexistent/tylog-test/parport0: No such file or directory");
    const QString notPort = ErrorOf([&] { machine.WriteParallel(2, ParallelRegister::Control, 3); });
    EXPECT_TRUE(notPort.startsWith(dir.file("notaport") + ": ")) << notPort.toStdString();
}

} // namespace
