#pragma once
// The external keyer device on a pty peer (KeyerDeviceModel answering), for the keyer's tests: served
// when the test expects bytes, its sending moved on by the fake clock.
#include "tests/support/DevicePeers.h"
#include "tests/support/KeyerDeviceModel.h"

namespace tylog::testing {

class FakeKeyerDevice {
public:
    // The device on serial port `port` of the fake port map.
    explicit FakeKeyerDevice(int port = 7);
    // Answers what the port wrote, waiting up to waitMs for a first byte (PtyPeer::Serve), then
    // pushes a status change that came due meanwhile.
    QByteArray Serve(int waitMs = 50);
    // Pushes the status byte when the sending moved on to the fake clock's now and changed it.
    void Tick();

    PtyPeer peer;
    KeyerDeviceModel model;
};

} // namespace tylog::testing
