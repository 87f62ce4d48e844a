// The keyers' one serial port: whoever takes it makes the holder let go first, and an engine releases
// exactly what it keyed, clearing the line's property so the next open does not raise it again.
#include "keying/KeyingPort.h"
#include "platform/SerialLine.h"
#include "tests/support/DevicePeers.h"

#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::Fakes;
using tylog::testing::PseudoTerminal;
using Signal = tylog::testing::RecordingKeyLines::Signal;

TEST(KeyingPort, TakingThePortMakesTheHolderLetGoOfExactlyWhatItKeyed) {
    PseudoTerminal device;
    device.MapAsSerial(3);
    SerialLine cw, phone;
    KeyedLines cwKeyed, phoneKeyed;
    QStringList order;
    auto cwLetGo = [&] {
        order << "cw lets go";
        cwKeyed.ReleaseAll();
        cw.Close();
    };

    KeyingPortOwner().Take(KeyingPortUser::CW, cwLetGo);
    cw.setCommPort(3);
    cw.Open();
    cw.setRTSEnable(true);
    cwKeyed.Keyed(cw, ModemLine::RTS);
    cwKeyed.KeyedParallel(0x37A, 2);
    Out32(0x37A, 3);

    order << "voice takes";
    KeyingPortOwner().Take(KeyingPortUser::Voice, [&] { phoneKeyed.ReleaseAll(); phone.Close(); });
    EXPECT_EQ(order, (QStringList{"voice takes", "cw lets go"}));
    EXPECT_EQ(KeyingPortOwner().Holder(), KeyingPortUser::Voice);
    EXPECT_FALSE(cw.PortOpen());
    EXPECT_FALSE(cw.RTSEnable()); // the next open of the CW port does not key the transmitter
    EXPECT_FALSE(cwKeyed.Any());
    EXPECT_EQ(tylog::testing::PulseText(tylog::testing::Pulses(Fakes().keyLines, "COM3", Signal::RTS)), "0-0");
    EXPECT_EQ(Fakes().keyLines.Of("LPT1", Signal::ParallelControl).last().value, 2);

    phone.setCommPort(3);
    phone.Open();
    phone.setDTREnable(true);
    phoneKeyed.Keyed(phone, ModemLine::DTR);
    // Giving back is only for the holder; taking again as the holder lets nothing go.
    KeyingPortOwner().Give(KeyingPortUser::CW);
    EXPECT_EQ(KeyingPortOwner().Holder(), KeyingPortUser::Voice);
    KeyingPortOwner().Take(KeyingPortUser::Voice, [] {});
    EXPECT_TRUE(phone.DTREnable());
    KeyingPortOwner().Give(KeyingPortUser::Voice);
    EXPECT_EQ(KeyingPortOwner().Holder(), KeyingPortUser::None);
    KeyingPortOwner().Take(KeyingPortUser::ExternalKeyer, [] {});
    EXPECT_TRUE(phone.DTREnable()); // given back: nothing of the voice keyer's ran
}

TEST(KeyingPort, AReleaseThatFailsDoesNotKeepTheOthersKeyed) {
    SerialLine gone; // never opened: its line cannot be switched, but its property still clears
    gone.setCommPort(5);
    KeyedLines keyed;
    keyed.Keyed(gone, ModemLine::DTR);
    keyed.KeyedParallel(0x999, 2); // no parallel port there
    keyed.KeyedParallel(0x27A, 2);
    keyed.ReleaseAll();
    EXPECT_FALSE(keyed.Any());
    EXPECT_EQ(Fakes().keyLines.Of("LPT2", Signal::ParallelControl).size(), 1);
}
