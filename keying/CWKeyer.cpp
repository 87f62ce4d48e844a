#include "keying/CWKeyer.h"
#include "core/Link.h"
#include "core/LoggingWindowLink.h"
#include "keying/ExternalKeyer.h"
#include "keying/KeyerBoxes.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "keying/Morse.h"
#include "logstore/CountyTable.h"
#include "platform/Clock.h"
#include "platform/Diagnostics.h"
#include "platform/Platform.h"
#include "platform/VbError.h"

#include <cmath>
#include <mutex>
#include <utility>

namespace tylog {

struct CWKeyer::Failure {
    std::mutex mutex;
    QString why;
    void Note(const QString& text) {
        const std::lock_guard lock(mutex);
        if (why.isEmpty()) why = text;
    }
    QString Take() {
        const std::lock_guard lock(mutex);
        return std::exchange(why, {});
    }
};

namespace {
const QString KeyboardCWNotice = QStringLiteral("Keyboard CW Mode is on.  Press F12 to exit.");
} // namespace

CWKeyer::CWKeyer()
    : thread_(std::make_unique<KeyingThread>(QStringLiteral("CWKeyer.keying"))), failure_(std::make_shared<Failure>()) {
    thread_->JobDone = [this](int tag, bool ok) { onJobDone(tag, ok); };
    repeat_.setSingleShot(true);
    repeat_.Tick = [this] { repeatTick(); };
    // The device may close the port itself (unplugged): the keying thread must stop before the
    // descriptor it keys through goes.
    comm_.AboutToClose = [this] {
        if (closing_) return;
        abortKeying();
        QMetaObject::invokeMethod(this, [this, port = comm_.PortName()] {
            if (running_) failRun(port + " closed");
        }, Qt::QueuedConnection);
    };
    comm_.Error = [](const VbError& e) { qCWarning(lcKeying).noquote() << "CW keying port:" << e.Description; };
    unkey_ = RegisterUnkey([this] {
        thread_->Stop();
        keyed_.ReleaseAll();
        closing_ = true;
        comm_.Close();
        closing_ = false;
    });
}

CWKeyer::~CWKeyer() {
    unkey_.Reset();
    thread_->Stop();
    keyed_.ReleaseAll();
    closing_ = true;
    comm_.Close();
    KeyingPortOwner().Give(KeyingPortUser::CW);
}

// ---- Function keys and the repeat ---------------------------------------------------------------

void CWKeyer::FKeyCW(int KeyCode) {
    Keyer.CWBuffer.clear();
    takeBackAhead();
    aheadInBuffer_ = false; // if it had started, it is keyed and not the new message's
    if (Keyer.CWKeyingType == 0) return;
    const CWSettings& s = KeyerSettings.CW;
    const int index = CWMessageIndex(KeyCode);
    double repeatSeconds = 0;
    if (KeyCode == 112 && IsNumericText(s.RepeatSeconds, &repeatSeconds) && repeatSeconds > 0)
        Keyer.CWRepeatArmed = true;
    if (index < 0 || s.Messages[static_cast<size_t>(index)].isEmpty()) return;
    try {
        Keyer.CWBuffer = ExpandCWMacros(s.Messages[static_cast<size_t>(index)], Keyer.CWMacroCall, Keyer.CWMacroSerial,
                                        Keyer.CWMacroRst, [] { return CountyAbbrevForCW(Keyer.CWMacroCounty); });
    } catch (const VbError& e) {
        qCDebug(lcKeying) << Q_FUNC_INFO << e.Description;
        return;
    }
    LoopThroughCWBuffer();
}

void CWKeyer::repeatTick() { FKeyCW(112); }

void CWKeyer::DisableCWRepeat() {
    repeat_.Stop();
    CWBufferCut();
}

// ---- The buffer loop ----------------------------------------------------------------------------

void CWKeyer::LoopThroughCWBuffer() {
    if (Keyer.CWKeyingType == 5) {
        // The device keys the text itself; the contact is logged before it is sent.
        if (Keyer.CWBuffer.contains(u'!')) logEnteredContact();
        ExternalKeyerEngine().WKTransmit();
        if (Keyer.CWRepeatArmed) repeat_.Start(repeatIntervalMs());
        return;
    }
    if (!running_) {
        running_ = true;
        Keyer.CWSending = true;
    }
    feed();
}

int CWKeyer::repeatIntervalMs() const {
    int ms = 0;
    RepeatIntervalMs(KeyerSettings.CW.RepeatSeconds, &ms);
    return ms;
}

void CWKeyer::feed() {
    // Handlers reached from here (Mains, the port's refusal) may run this again: every pass reads
    // the state afresh.
    while (running_ && held_.size() < 2) {
        if (Keyer.CWBuffer.isEmpty()) {
            if (held_.empty()) endRun();
            return;
        }
        const QChar c = Keyer.CWBuffer.front();
        KeyingJob job;
        const Next next = prepare(c, &job);
        if (next == Next::Stop) return;
        if (next == Next::Pass) {
            if (!held_.empty()) return; // its turn comes when the line is free
            Keyer.CWBuffer.remove(0, 1);
            if (c == u'!' && Keyer.CWKeyingType != 0) logEnteredContact();
            echo(Keyer.CWBuffer);
            emit CharacterDone(c);
            continue;
        }
        if (held_.empty()) Keyer.CWBuffer.remove(0, 1);
        else aheadInBuffer_ = true;
        held_.push_back({job.tag, c});
        if (!thread_->Hand(std::move(job))) {
            // The thread has stopped (the run's end): nothing more can be keyed.
            held_.pop_back();
            aheadInBuffer_ = false;
            abandonRun();
            return;
        }
    }
}

CWKeyer::Next CWKeyer::prepare(QChar c, KeyingJob* job) {
    const CWSettings& s = KeyerSettings.CW;
    const int type = Keyer.CWKeyingType;
    if (type != 1 && type != 2 && type != 3) return Next::Pass;
    if (c == u'!') return Next::Pass;
    if ((type == 1 || type == 2) && !comm_.PortOpen() && !openPort()) {
        // Said once, by the refusal; the run is over rather than asking again at every character.
        abandonRun();
        if (PortRefused) PortRefused();
        return Next::Stop;
    }
    QString elements;
    if (c == u' ') {
        double units = 0;
        if (!IsNumericText(s.WordSpace, &units)) return Next::Pass;
        elements = WordSpaceElements(units);
    } else {
        elements = MorseElements(c);
    }
    double wpm = 0;
    if (elements.isEmpty() || !CWSpeed(s.Speed, &wpm)) return Next::Pass;
    const double element = ElementMicros(s.Timing, wpm, s.LoopsPer60ms, s.Timing == CWTiming::Loop ? stepsPerMs() : 0);
    if (!(element > 0) || !std::isfinite(element)) return Next::Pass;
    std::function<void(bool)> key = keyFor(type);
    if (!key) return Next::Pass;
    MorseSchedule schedule = ScheduleElements(elements, element);
    job->steps = std::move(schedule.steps);
    job->lengthMicros = schedule.lengthMicros;
    job->key = std::move(key);
    job->tag = ++nextTag_;
    return Next::Job;
}

std::function<void(bool)> CWKeyer::keyFor(int type) {
    const std::shared_ptr<Failure> failure = failure_;
    if (type == 3) {
        int base = 0;
        if (!ParallelBaseAddress(KeyerSettings.CW.ParallelPort, &base) || base + 2 > 65535) return {};
        const int address = base + 2; // the control register: bit 0 keys, bit 1 stays set
        keyed_.KeyedParallel(address, 2);
        return [address, failure](bool down) {
            try {
                Out32(address, down ? 3 : 2);
            } catch (const VbError& e) {
                failure->Note(e.Description);
                throw;
            }
        };
    }
    // Port "0": nothing to key, but the text is timed all the same.
    if (!comm_.PortOpen()) return [](bool) {};
    const ModemLine line = type == 1 ? ModemLine::RTS : ModemLine::DTR;
    keyed_.Keyed(comm_, line);
    return [handle = comm_.KeyHandle(), line, failure](bool down) {
        try {
            platform().keyLines->SetLine(handle, line, down);
        } catch (const VbError& e) {
            failure->Note(e.Description);
            throw;
        }
    };
}

void CWKeyer::onJobDone(int tag, bool ok) {
    // A job aborted after it finished may still report: only the one keyed first counts.
    if (held_.empty() || held_.front().tag != tag) return;
    const QChar c = held_.front().c;
    held_.pop_front();
    if (!ok) {
        const QString why = failure_->Take();
        // The line is gone: what follows would fail the same way.
        if (Keyer.CWKeyingType != 3) closePort();
        failRun(why.isEmpty() ? QStringLiteral("the key line failed") : why);
        return;
    }
    // The text still to send, from the character that has just started, if any.
    echo(Keyer.CWBuffer);
    if (!held_.empty() && aheadInBuffer_ && !Keyer.CWBuffer.isEmpty()) Keyer.CWBuffer.remove(0, 1);
    aheadInBuffer_ = false;
    emit CharacterDone(c);
    feed();
}

void CWKeyer::CWBufferCut() {
    if (held_.size() < 2 || !aheadInBuffer_) return;
    if (!Keyer.CWBuffer.isEmpty() && Keyer.CWBuffer.front() == held_.back().c) return;
    takeBackAhead();
    // Too late if it had started: it is keyed, and no longer the buffer's.
    aheadInBuffer_ = false;
}

void CWKeyer::takeBackAhead() {
    if (held_.size() < 2 || !thread_->TakeBack()) return;
    held_.pop_back();
    aheadInBuffer_ = false;
}

void CWKeyer::TimingChanged() {
    if (held_.size() < 2 || !aheadInBuffer_) return;
    takeBackAhead();
    if (held_.size() < 2) feed();
}

void CWKeyer::KeyingChanged() {
    abortKeying();
    if (running_) feed();
}

void CWKeyer::abortKeying() {
    thread_->Abort();
    held_.clear();
    aheadInBuffer_ = false; // a character handed ahead is still in the buffer
    keyed_.ReleaseAll();
    failure_->Take();
}

void CWKeyer::abandonRun() {
    abortKeying();
    Keyer.CWBuffer.clear();
    if (running_) endRun();
}

void CWKeyer::failRun(const QString& why) {
    qCWarning(lcKeying).noquote() << "CW stopped:" << why;
    abandonRun();
    loggingWindow().SetDialogCaption(QStringLiteral("CW stopped: ") + why);
}

void CWKeyer::endRun() {
    running_ = false;
    if (Keyer.CWRepeatArmed) repeat_.Start(repeatIntervalMs());
    Keyer.CWSending = false;
    echo(Keyer.KeyboardCWMode ? KeyboardCWNotice : QString());
    emit RunEnded();
}

void CWKeyer::logEnteredContact() {
    try {
        loggingWindow().LogEnteredContact();
    } catch (const VbError& e) {
        // The contact stays on the entry line; the text goes on.
        qCWarning(lcKeying).noquote() << "the contact of a \"!\" was not logged:" << e.Description;
    }
}

void CWKeyer::echo(const QString& text) {
    if (KeyerSettings.CW.Echo) loggingWindow().SetDialogCaption(text);
}

// ---- The port -----------------------------------------------------------------------------------

bool CWKeyer::CWSetup() {
    if (openPort()) {
        // A run goes on with its next character on the port now open.
        if (running_) feed();
        return true;
    }
    abandonRun();
    if (PortRefused) PortRefused();
    return false;
}

bool CWKeyer::openPort() {
    closePort();
    try {
        double number = 0;
        if (!IsNumericText(KeyerSettings.CW.SerialPort, &number))
            throw VbError(SerialLine::InvalidPort, QStringLiteral("no port number: ") + KeyerSettings.CW.SerialPort);
        if (number > 0) {
            KeyingPortOwner().Take(KeyingPortUser::CW, [this] { letGo(); });
            comm_.setCommPort(static_cast<int>(std::nearbyint(std::min(number, 1e6))));
            comm_.setDTREnable(false);
            comm_.setRTSEnable(false);
            comm_.Open();
        }
        return true;
    } catch (const VbError& e) {
        qCWarning(lcKeying).noquote() << "CW keying port:" << e.Description;
        KeyingPortOwner().Give(KeyingPortUser::CW);
        return false;
    }
}

void CWKeyer::closePort() {
    if (!comm_.PortOpen()) return;
    abortKeying();
    closing_ = true;
    comm_.Close();
    closing_ = false;
    KeyingPortOwner().Give(KeyingPortUser::CW);
}

void CWKeyer::ClosePort() {
    closePort();
    abandonRun();
}

void CWKeyer::letGo() {
    // Another keyer takes the port: this run cannot go on.
    abortKeying();
    closing_ = true;
    comm_.Close();
    closing_ = false;
    abandonRun();
}

// ---- The counting loop ----------------------------------------------------------------------------

double CWKeyer::stepsPerMs() {
    if (stepsPerMs_ > 0) return stepsPerMs_;
    Clock& clock = *platform().clock;
    const std::int64_t t0 = clock.SteadyMicros();
    CountSteps(CalibrationSteps);
    const double elapsedMs = static_cast<double>(clock.SteadyMicros() - t0) / 1000.0;
    stepsPerMs_ = LoopsPer60msFrom(CalibrationSteps, elapsedMs) / 60;
    return stepsPerMs_;
}

double CWKeyer::CalibrateCWLoop() {
    stepsPerMs_ = 0;
    KeyerSettings.CW.LoopsPer60ms = stepsPerMs() * 60;
    return KeyerSettings.CW.LoopsPer60ms;
}

} // namespace tylog
