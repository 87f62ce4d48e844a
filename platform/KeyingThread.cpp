#include "platform/KeyingThread.h"
#include "platform/Diagnostics.h"
#include "platform/EngineTimer.h"
#include "platform/Platform.h"
#include "platform/vb/ErrorGuard.h"

#include <chrono>
#include <pthread.h>
#include <sched.h>

namespace tylog {

namespace {
// The thread sleeps on its condition to this margin before a deadline, then leaves the rest to the
// clock's own sleep-until (which spins its last millisecond).
constexpr std::int64_t WakeMarginMicros = 1500;
constexpr int AbortWaitMs = 200;

// Keys one change; on a failure lets the line go as far as it can. False when the change failed.
bool keyStep(const std::function<void(bool)>& key, bool down) {
    try {
        key(down);
        return true;
    } catch (...) {
        try {
            key(false);
        } catch (...) {
            qCDebug(lcKeying) << "the key could not be released after a failure";
        }
        return false;
    }
}

std::chrono::steady_clock::time_point steadyPoint(std::int64_t micros) {
    // The keying clock and steady_clock both read CLOCK_MONOTONIC.
    return std::chrono::steady_clock::time_point(std::chrono::microseconds(micros));
}
} // namespace

struct KeyingThread::Shared {
    std::mutex mutex;
    std::condition_variable wake;   // to the keying thread: a job, an abort, the stop
    std::condition_variable answer; // from it: an abort done, the thread ended
    std::deque<KeyingJob> jobs;     // front: the job being keyed once started
    bool started = false;           // the front job has started
    std::int64_t start = 0;         // its start on the keying clock
    std::size_t nextStep = 0;
    std::int64_t lastEnd = 0;       // where the last job ended
    bool down = false;              // a job's key is down
    std::function<void(bool)> downKey;
    bool abort = false;
    int aborts = 0;                 // aborts carried out
    bool stop = false;
    bool ended = false;
    KeyingThread* owner = nullptr;  // null once the owner is gone
    bool pumping = false;           // virtual clock: inside pumpVirtual
};

// A job handed ahead starts exactly where the one before it ended, not when the thread got round to
// it: a late wake would otherwise shift every later character.
void KeyingThread::startNextAtLastEnd(Shared& s) {
    s.started = !s.jobs.empty();
    s.start = s.lastEnd;
    s.nextStep = 0;
}

KeyingThread::KeyingThread(const QString& name) : shared_(std::make_shared<Shared>()) {
    setObjectName(name);
    shared_->owner = this;
    virtual_ = platform().clock && platform().clock->IsVirtual();
    if (virtual_) {
        timer_ = std::make_unique<EngineTimer>(name + ".timer", this);
        timer_->setSingleShot(true);
        timer_->Tick = [this] { pumpVirtual(); };
        return;
    }
    thread_ = std::thread([this] { run(); });
}

KeyingThread::~KeyingThread() {
    Stop();
    const std::lock_guard lock(shared_->mutex);
    shared_->owner = nullptr;
}

bool KeyingThread::Hand(KeyingJob job) {
    {
        const std::lock_guard lock(shared_->mutex);
        if (shared_->stop || shared_->jobs.size() >= 2) return false;
        shared_->jobs.push_back(std::move(job));
    }
    if (virtual_) pumpVirtual();
    else shared_->wake.notify_all();
    return true;
}

bool KeyingThread::TakeBack() {
    const std::lock_guard lock(shared_->mutex);
    auto& jobs = shared_->jobs;
    const std::size_t keep = shared_->started ? 1 : 0;
    if (jobs.size() <= keep) return false;
    jobs.pop_back();
    return true;
}

int KeyingThread::Held() const {
    const std::lock_guard lock(shared_->mutex);
    return static_cast<int>(shared_->jobs.size());
}

void KeyingThread::reportDone(int tag, bool ok) {
    const std::function<void(int, bool)> done = JobDone;
    if (done) vb::RunHandler(this, "JobDone", [&] { done(tag, ok); });
}

void KeyingThread::Abort() {
    Shared& s = *shared_;
    if (virtual_) {
        timer_->Stop();
        std::function<void(bool)> release;
        {
            const std::lock_guard lock(s.mutex);
            if (s.down) release = s.downKey;
            s.down = false;
            s.jobs.clear();
            s.started = false;
            s.lastEnd = platform().clock->SteadyMicros();
        }
        if (release) {
            try {
                release(false);
            } catch (...) {
                qCDebug(lcKeying) << "the key could not be released at an abort";
            }
        }
        return;
    }
    std::unique_lock lock(s.mutex);
    if (s.ended) return;
    const int before = s.aborts;
    s.abort = true;
    s.wake.notify_all();
    s.answer.wait_for(lock, std::chrono::milliseconds(AbortWaitMs), [&] { return s.aborts != before || s.ended; });
}

void KeyingThread::Stop(int waitMs) {
    Abort();
    if (virtual_) {
        const std::lock_guard lock(shared_->mutex);
        shared_->stop = true;
        return;
    }
    if (!thread_.joinable()) return;
    bool ended = false;
    {
        std::unique_lock lock(shared_->mutex);
        shared_->stop = true;
        shared_->wake.notify_all();
        ended = shared_->answer.wait_for(lock, std::chrono::milliseconds(waitMs), [&] { return shared_->ended; });
    }
    // A thread stuck in a key that does not come back is left behind; it holds its own share of the state.
    if (ended) thread_.join();
    else thread_.detach();
}

void KeyingThread::run() {
    std::shared_ptr<Shared> keep = shared_;
    Shared& s = *keep;
    Clock& clock = *platform().clock;
    // Deadlines matter more than throughput: ask for real-time scheduling where the system grants it.
    sched_param prio{};
    prio.sched_priority = 10;
    if (::pthread_setschedparam(::pthread_self(), SCHED_FIFO, &prio) != 0)
        qCDebug(lcKeying) << "keying thread: no real-time priority, running at normal priority";

    auto post = [&s](int tag, bool ok) {
        // Under the lock, so the owner cannot go away meanwhile; Qt drops posted calls of a deleted object.
        if (KeyingThread* owner = s.owner)
            QMetaObject::invokeMethod(owner, [owner, tag, ok] { owner->reportDone(tag, ok); }, Qt::QueuedConnection);
    };

    std::unique_lock lock(s.mutex);
    for (;;) {
        if (s.abort || s.stop) {
            if (s.down) {
                const auto release = s.downKey;
                s.down = false;
                lock.unlock();
                try {
                    release(false);
                } catch (...) {
                    qCDebug(lcKeying) << "the key could not be released at an abort";
                }
                lock.lock();
            }
            s.jobs.clear();
            s.started = false;
            s.lastEnd = clock.SteadyMicros();
            if (s.abort) {
                s.abort = false;
                ++s.aborts;
                s.answer.notify_all();
            }
            if (s.stop) break;
            continue;
        }
        if (s.jobs.empty()) {
            s.wake.wait(lock);
            continue;
        }
        KeyingJob& job = s.jobs.front();
        if (!s.started) {
            s.start = std::max(clock.SteadyMicros(), s.lastEnd);
            s.started = true;
            s.nextStep = 0;
        }
        const bool stepping = s.nextStep < job.steps.size();
        const std::int64_t deadline = s.start + (stepping ? job.steps[s.nextStep].atMicros : job.lengthMicros);
        if (deadline - clock.SteadyMicros() > WakeMarginMicros) {
            s.wake.wait_until(lock, steadyPoint(deadline - WakeMarginMicros));
            continue; // an abort, a stop, or the margin reached: look again
        }
        lock.unlock();
        clock.SleepUntilMicros(deadline);
        lock.lock();
        if (s.abort || s.stop) continue;
        if (!stepping) {
            const int tag = job.tag;
            s.lastEnd = deadline;
            s.jobs.pop_front();
            startNextAtLastEnd(s);
            post(tag, true);
            continue;
        }
        const bool down = job.steps[s.nextStep++].down;
        const auto key = job.key;
        const int tag = job.tag;
        lock.unlock();
        const bool ok = keyStep(key, down);
        lock.lock();
        if (ok) {
            s.down = down;
            s.downKey = key;
            continue;
        }
        s.down = false;
        s.lastEnd = clock.SteadyMicros();
        if (!s.jobs.empty() && s.started) s.jobs.pop_front();
        s.started = false;
        post(tag, false);
    }
    s.ended = true;
    s.answer.notify_all();
}

void KeyingThread::pumpVirtual() {
    // A JobDone handler may hand on (the loop below takes it), abort, or drop this object (Stop marks
    // the shared state, which this call keeps alive).
    const std::shared_ptr<Shared> keep = shared_;
    Shared& s = *keep;
    if (s.pumping) return;
    s.pumping = true;
    Clock& clock = *platform().clock;
    for (;;) {
        if (s.jobs.empty() || s.stop) break;
        KeyingJob& job = s.jobs.front();
        const std::int64_t now = clock.SteadyMicros();
        if (!s.started) {
            s.start = std::max(now, s.lastEnd);
            s.started = true;
            s.nextStep = 0;
        }
        const bool stepping = s.nextStep < job.steps.size();
        const std::int64_t deadline = s.start + (stepping ? job.steps[s.nextStep].atMicros : job.lengthMicros);
        if (deadline > now) {
            timer_->Start(static_cast<int>((deadline - now + 999) / 1000));
            break;
        }
        const int tag = job.tag;
        if (!stepping) {
            s.lastEnd = deadline;
            s.jobs.pop_front();
            startNextAtLastEnd(s);
            reportDone(tag, true);
            continue;
        }
        const bool down = job.steps[s.nextStep++].down;
        const auto key = job.key;
        if (keyStep(key, down)) {
            s.down = down;
            s.downKey = key;
        } else {
            s.down = false;
            s.lastEnd = now;
            s.jobs.pop_front();
            s.started = false;
            reportDone(tag, false);
        }
    }
    s.pumping = false;
}

} // namespace tylog
