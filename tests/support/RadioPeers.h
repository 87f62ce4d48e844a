#pragma once
// Fake radios for the PtyPeer, one a family, answering as the radios' own protocols do (each checked
// once against a real client, tests/rig/RadioPeersTest.cpp): a Kenwood (FA, FB, MD, IF and the
// identity), an Icom CI-V bus with its echo, the Yaesu five-byte CAT of the status-record radios, the
// FTdx9000's text commands, the Ten Tec front panel and the Orion. The radio's state (frequency, mode,
// VFO) is the test's to set; set-frequency and set-mode commands change it.
#include "tests/support/DevicePeers.h"

#include <memory>

namespace tylog::testing {

struct RadioState {
    enum class Mode { LSB, USB, CW, CWReverse, AM, FM, RTTY };
    qint64 hz = 14025000;   // VFO A, or the one in use
    qint64 hzB = 7025000;   // VFO B
    Mode mode = Mode::CW;
    int vfo = 0;            // 0 A, 1 B
};

enum class YaesuModel { Status817, FT757GXII, FT890, FT920, FT990, FT1000 };

// Each installs its responder on the peer; the state stays the test's.
void KenwoodRadio(PtyPeer& peer, std::shared_ptr<RadioState> state);
// address: the radio's CI-V address (0x64, 0x04); frequencyBytes: 5, or 4 for the 735.
void IcomRadio(PtyPeer& peer, std::shared_ptr<RadioState> state, int address, int frequencyBytes);
void YaesuRadio(PtyPeer& peer, std::shared_ptr<RadioState> state, YaesuModel model);
void Ftdx9000Radio(PtyPeer& peer, std::shared_ptr<RadioState> state);
void TenTecFrontPanel(PtyPeer& peer, std::shared_ptr<RadioState> state);
void OrionRadio(PtyPeer& peer, std::shared_ptr<RadioState> state);

// The IF record of a Kenwood at that state (38 characters).
QByteArray KenwoodIFRecord(const RadioState& state);

} // namespace tylog::testing
