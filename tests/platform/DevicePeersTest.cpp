// The test peers themselves, against the device services: a pty device answering from its table (whole,
// split over several polls, with leftovers, garbled, silent), a line server's segments, and the press
// pattern read from the key lines' record.
#include "platform/SerialLine.h"
#include "platform/TcpLink.h"
#include "tests/support/DevicePeers.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::Fakes;
using tylog::testing::PtyPeer;
using Signal = tylog::testing::RecordingKeyLines::Signal;

TEST(DevicePeers, APtyDeviceAnswersFromItsTableAsToldToMisbehave) {
    PtyPeer radio;
    radio.Answer("FA;", "FA00014025000;");
    radio.Answer("IF;", "IF00014025000     +00000000002000000 ;");
    SerialLine port;
    port.setPortPath(radio.Path());
    port.Open();

    port.Output("FA;IF;");
    EXPECT_EQ(radio.Serve(), "FA;IF;");
    EXPECT_EQ(port.Input(), "FA00014025000;IF00014025000     +00000000002000000 ;");

    radio.splitInto = 2; // half now, half at the next poll
    port.Output("FA;");
    radio.Serve();
    EXPECT_EQ(port.Input(), "FA00014");
    radio.Serve(0);
    EXPECT_EQ(port.Input(), "025000;");

    radio.splitInto = 1;
    radio.leftover = "FA0001";
    port.Output("F");      // half a request waits for the rest
    radio.Serve();
    EXPECT_EQ(port.InBufferCount(), 0);
    port.Output("A;ZZ;"); // and a request it does not know
    radio.Serve();
    EXPECT_EQ(port.Input(), "FA00014025000;FA0001");
    EXPECT_EQ(radio.unknown, "ZZ;");

    radio.leftover.clear();
    radio.garbage = true;
    port.Output("FA;");
    radio.Serve();
    EXPECT_EQ(port.Input().size(), 14);

    radio.garbage = false;
    radio.silent = true;
    port.Output("FA;");
    radio.Serve();
    EXPECT_EQ(port.InBufferCount(), 0);
    EXPECT_EQ(radio.received, "FA;IF;FA;FA;ZZ;FA;FA;");
}

TEST(DevicePeers, ALineServerSendsLinesTogetherAndSplit) {
    tylog::testing::LineServer cluster;
    TcpLink link;
    link.Connect("127.0.0.1", cluster.Port());
    ASSERT_TRUE(cluster.WaitForClient());
    ASSERT_TRUE(tylog::testing::PumpUntil([&] { return link.State() == TcpLink::LinkState::Connected; }));
    link.SendData("Q7BZW\r\n");
    ASSERT_TRUE(tylog::testing::PumpUntil([&] { return cluster.Received() == "Q7BZW\r\n"; }));

    cluster.SendLines({"DX de K1TTT:     14025.0  DL1ABC", "DX de K1TTT:      7025.0  JA1XYZ"});
    ASSERT_TRUE(tylog::testing::PumpUntil([&] { return link.BytesAvailable() == 68; }));
    EXPECT_EQ(link.GetData().count("\r\n"), 2);
    cluster.SendSplit("DX de W3LPL:     21025.0  VK2AA\r\n", 12);
    ASSERT_TRUE(tylog::testing::PumpUntil([&] { return link.BytesAvailable() == 33; }));
    EXPECT_EQ(link.GetData(), "DX de W3LPL:     21025.0  VK2AA\r\n");

    bool closed = false;
    link.Closed = [&] { closed = true; };
    cluster.CloseClient();
    EXPECT_TRUE(tylog::testing::PumpUntil([&] { return closed; }));
}

TEST(DevicePeers, PressesAreReadFromTheRecordPerDeviceAndLine) {
    auto& lines = Fakes().keyLines;
    const KeyLineHandle com3{"COM3", 5};
    lines.SetLine(com3, ModemLine::RTS, true);
    Fakes().clock.Advance(60);
    lines.SetLine(com3, ModemLine::RTS, false);
    lines.WriteParallel(1, ParallelRegister::Control, 3);
    Fakes().clock.Advance(100);
    lines.WriteParallel(1, ParallelRegister::Control, 2);
    lines.SetLine(com3, ModemLine::DTR, true);
    lines.SetLine(com3, ModemLine::RTS, true);
    EXPECT_EQ(tylog::testing::PulseText(tylog::testing::Pulses(lines, "COM3", Signal::RTS)), "0-60 160-");
    EXPECT_EQ(tylog::testing::PulseText(tylog::testing::Pulses(lines, "LPT1", Signal::ParallelControl)), "0-100");
    EXPECT_EQ(tylog::testing::Pulses(lines, "COM3", Signal::DTR).size(), 1);
}
