#include "platform/testing/Fakes.h"
#include "platform/SerialLine.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

// The kernel's termios2 (asm/termbits.h clashes with termios.h), whose speed fields hold rates that
// have no B constant.
struct termios2 {
    tcflag_t c_iflag, c_oflag, c_cflag, c_lflag;
    cc_t c_line;
    cc_t c_cc[19];
    speed_t c_ispeed, c_ospeed;
};

namespace tylog::testing {

namespace {
const char* kindName(ScriptedDialogs::Kind k) {
    switch (k) {
    case ScriptedDialogs::Kind::MsgBox: return "message box";
    case ScriptedDialogs::Kind::InputBox: return "input box";
    case ScriptedDialogs::Kind::Open: return "open dialog";
    case ScriptedDialogs::Kind::Save: return "save dialog";
    case ScriptedDialogs::Kind::Color: return "colour dialog";
    case ScriptedDialogs::Kind::Notice: return "notice";
    }
    return "dialog";
}
void fault(const QString& text) {
    if (platform().reportScriptFault) platform().reportScriptFault(text);
}
} // namespace

const ScriptedDialogs::Answer* ScriptedDialogs::take(Kind kind, const QString& what) {
    if (queue_.empty() || queue_.front().kind != kind) {
        fault(QString("unscripted %1: %2").arg(kindName(kind), what));
        return nullptr;
    }
    current_ = queue_.front();
    queue_.pop_front();
    return &current_;
}

int ScriptedDialogs::MsgBox(const QString& prompt, int buttons, const QString& title) {
    shown.push_back({Kind::MsgBox, prompt, title, buttons, {}, {}});
    const bool queued = !queue_.empty() && queue_.front().kind == Kind::MsgBox;
    if (!queued && standing_.contains(title)) return standing_.value(title);
    const Answer* a = take(Kind::MsgBox, title + ": " + prompt);
    if (a) return a->number;
    // Unscripted: the answer that backs out, among the box's own buttons.
    switch (buttons & 0x0F) {
    case vbOKOnly: return vbOK;
    case vbYesNo: return vbNo;
    case vbAbortRetryIgnore: return vbAbort;
    default: return vbCancel;
    }
}

QString ScriptedDialogs::InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    shown.push_back({Kind::InputBox, prompt, title, 0, defaultText, {}});
    const Answer* a = take(Kind::InputBox, title + ": " + prompt);
    return a ? a->text : QString();
}

QString ScriptedDialogs::ShowOpen(const FileDialogOptions& o) {
    shown.push_back({Kind::Open, o.DialogTitle, o.DialogTitle, 0, o.FileName, o});
    const Answer* a = take(Kind::Open, o.DialogTitle);
    return a ? a->text : QString();
}

QString ScriptedDialogs::ShowSave(const FileDialogOptions& o) {
    shown.push_back({Kind::Save, o.DialogTitle, o.DialogTitle, 0, o.FileName, o});
    const Answer* a = take(Kind::Save, o.DialogTitle);
    return a ? a->text : QString();
}

bool ScriptedDialogs::ShowColor(long& color) {
    shown.push_back({Kind::Color, {}, {}, 0, {}, {}});
    const Answer* a = take(Kind::Color, "colour");
    if (!a || a->number < 0) return false;
    color = a->number;
    return true;
}

void ScriptedDialogs::Reset() {
    queue_.clear();
    standing_.clear();
    shown.clear();
    beeps = 0;
}

FakeClock::FakeClock() { Set(QDateTime(QDate(2013, 9, 15), QTime(10, 0, 0), Qt::UTC)); }

void FakeClock::Set(const QDateTime& local, double utcAheadHours) {
    // Local time is kept as a plain date and time, whatever the machine's zone.
    local0_ = QDateTime(local.date(), local.time(), Qt::UTC);
    utcAheadMs_ = static_cast<qint64>(utcAheadHours * 3600000.0);
    tick0_ = tick_;
}

QDateTime FakeClock::Now() {
    const QDateTime t = local0_.addMSecs(static_cast<std::uint32_t>(tick_ - tick0_));
    return QDateTime(t.date(), t.time(), Qt::LocalTime);
}

QDateTime FakeClock::NowUtc() {
    return local0_.addMSecs(static_cast<std::uint32_t>(tick_ - tick0_) + utcAheadMs_);
}

std::int64_t FakeClock::SteadyMicros() {
    steadyMs_ += static_cast<std::uint32_t>(tick_ - steadyTick_);
    steadyTick_ = tick_;
    return steadyMs_ * 1000;
}

void FakeClock::SleepUntilMicros(std::int64_t deadline) {
    const std::int64_t left = deadline - SteadyMicros();
    if (left > 0) Advance(static_cast<std::uint32_t>((left + 999) / 1000));
}

void FakeClock::Advance(std::uint32_t ms) { VirtualTimers::Instance().RunUntil(tick_, tick_ + ms); }

bool FakeClock::RunNextTimer() { return VirtualTimers::Instance().RunNext(tick_); }

namespace {
class FakeWavePlayer : public WavePlayer {
public:
    explicit FakeWavePlayer(FakeSound& sound) : sound_(sound) {}

protected:
    void startSound(const QString& path) override { sound_.played << path; }
    void stopSound() override { ++sound_.stops; }

private:
    FakeSound& sound_;
};

void put32(QByteArray& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
}
} // namespace

std::unique_ptr<WavePlayer> FakeSound::NewPlayer() {
    ++made;
    return std::make_unique<FakeWavePlayer>(*this);
}

QByteArray FakeSound::Wave(std::uint32_t ms) {
    const std::uint32_t rate = 8000, samples = ms * rate / 1000;
    QByteArray b("RIFF");
    put32(b, 36 + samples);
    b += "WAVEfmt ";
    put32(b, 16);
    b += QByteArray("\x01\x00\x01\x00", 4); // PCM, mono
    put32(b, rate);                           // sample rate
    put32(b, rate);                           // byte rate
    b += QByteArray("\x01\x00\x08\x00", 4); // block align 1, 8 bits
    b += "data";
    put32(b, samples);
    b += QByteArray(static_cast<int>(samples), static_cast<char>(0x80));
    return b;
}

// ---- Devices -------------------------------------------------------------------------------------

QString FakePortMap::SerialPath(int port) {
    if (port < FirstPort || port > LastPort) return {};
    return serial.value(port, QStringLiteral("/nonexistent/tylog-test/ttyS%1").arg(port - 1));
}

QString FakePortMap::ParallelPath(int port) {
    if (port < FirstPort || port > LastPort) return {};
    return parallel.value(port, QStringLiteral("/nonexistent/tylog-test/parport%1").arg(port - 1));
}

void RecordingKeyLines::record(Change c) {
    c.micros = platform().clock->SteadyMicros();
    const std::lock_guard lock(mutex_);
    changes.push_back(std::move(c));
}

void RecordingKeyLines::SetLine(const KeyLineHandle& port, ModemLine line, bool on) {
    if (port.fd < 0) throw VbError(SerialLine::PortNotOpen, port.device + ": the port is not open");
    record({platform().clock->TimeGetTime(), port.device, line == ModemLine::RTS ? Signal::RTS : Signal::DTR, on ? 1 : 0});
}

void RecordingKeyLines::WriteParallel(int port, ParallelRegister reg, std::uint8_t value) {
    record({platform().clock->TimeGetTime(), QStringLiteral("LPT%1").arg(port),
            reg == ParallelRegister::Data ? Signal::ParallelData : Signal::ParallelControl, value});
}

QList<RecordingKeyLines::Change> RecordingKeyLines::Of(const QString& device, Signal signal) const {
    QList<Change> out;
    for (const Change& c : Snapshot())
        if (c.device == device && c.signal == signal) out << c;
    return out;
}

QList<RecordingKeyLines::Change> RecordingKeyLines::Snapshot() const {
    const std::lock_guard lock(mutex_);
    return changes;
}

void RecordingKeyLines::Clear() {
    const std::lock_guard lock(mutex_);
    changes.clear();
}

PseudoTerminal::PseudoTerminal() {
    fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0 || ::grantpt(fd_) != 0 || ::unlockpt(fd_) != 0) {
        fault(QStringLiteral("no pseudo-terminal: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    path_ = QString::fromLocal8Bit(::ptsname(fd_));
    // Raw from the start, so nothing the test writes before the port opens is echoed or changed.
    termios t{};
    ::tcgetattr(fd_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd_, TCSANOW, &t);
}

PseudoTerminal::~PseudoTerminal() { HangUp(); }

void PseudoTerminal::HangUp() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void PseudoTerminal::MapAsSerial(int port) { Fakes().ports.serial[port] = path_; }

void PseudoTerminal::Write(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            fault(QStringLiteral("writing to the pseudo-terminal: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
            return;
        }
        done += n;
    }
}

QByteArray PseudoTerminal::Read(int count, int timeoutMs) {
    QByteArray out;
    while (out.size() < count) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0 || !(p.revents & POLLIN)) break;
        char buffer[4096];
        const ssize_t n = ::read(fd_, buffer, std::min<qsizetype>(sizeof buffer, count - out.size()));
        if (n <= 0) break; // EIO: the port end is closed
        out.append(buffer, n);
    }
    return out;
}

QByteArray PseudoTerminal::ReadAvailable() {
    QByteArray out;
    for (;;) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 0) <= 0 || !(p.revents & POLLIN)) break;
        char buffer[4096];
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n <= 0) break;
        out.append(buffer, n);
    }
    return out;
}

termios PseudoTerminal::Settings() const {
    termios t{};
    ::tcgetattr(fd_, &t); // on Linux the device end reads the port end's settings
    return t;
}

int PseudoTerminal::OutputBaud() const {
    termios2 t{};
    if (::ioctl(fd_, TCGETS2, &t) != 0) return -1;
    return static_cast<int>(t.c_ospeed);
}

FakePlatform& Fakes() {
    static FakePlatform f;
    return f;
}

void InstallFakePlatform() {
    FakePlatform& f = Fakes();
    Platform& p = platform();
    p.dialogs = &f.dialogs;
    p.clock = &f.clock;
    p.screen = &f.screen;
    p.clipboard = &f.clipboard;
    p.programEnd = &f.end;
    p.sound = &f.sound;
    p.ports = &f.ports;
    p.keyLines = &f.keyLines;
    InstallRegistry(&f.registry);
}

void ResetFakePlatform() {
    FakePlatform& f = Fakes();
    f.dialogs.Reset();
    VirtualTimers::Instance().Clear();
    f.clock = FakeClock();
    f.screen = FakeScreen();
    f.clipboard.text.clear();
    f.end = RecordingEnd();
    f.ports = FakePortMap();
    f.keyLines.Clear();
    f.registry.values.clear();
    f.sound.played.clear();
    f.sound.stops = 0;
    f.sound.made = 0;
    platform().onModalShown = nullptr;
    InstallFakePlatform();
}

} // namespace tylog::testing
