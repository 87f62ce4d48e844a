#include "tests/support/KeyerPeers.h"

namespace tylog::testing {

namespace {
std::int64_t now() { return Fakes().clock.TimeGetTime(); }
} // namespace

FakeKeyerDevice::FakeKeyerDevice(int port) {
    peer.MapAsSerial(port);
    peer.SetResponder([this](QByteArray& pending) { return model.Take(pending, now()); });
}

QByteArray FakeKeyerDevice::Serve(int waitMs) {
    QByteArray in = peer.Serve(waitMs);
    Tick();
    return in;
}

void FakeKeyerDevice::Tick() {
    if (const auto status = model.Advance(now()); status && !status->isEmpty() && !peer.silent) peer.Send(*status);
}

} // namespace tylog::testing
