#include "platform/Clock.h"
#include "platform/Platform.h"

#include <QElapsedTimer>
#include <QThread>
#include <cerrno>
#include <ctime>

namespace tylog {

QDateTime SystemClock::Now() { return QDateTime::currentDateTime(); }
QDateTime SystemClock::NowUtc() { return QDateTime::currentDateTimeUtc(); }

std::uint32_t SystemClock::TimeGetTime() {
    static QElapsedTimer started = [] { QElapsedTimer t; t.start(); return t; }();
    return static_cast<std::uint32_t>(started.elapsed());
}

void SystemClock::Sleep(std::uint32_t ms) { QThread::msleep(ms); }

std::int64_t SystemClock::SteadyMicros() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

void SystemClock::SleepUntilMicros(std::int64_t deadline) {
    // The kernel wakes a sleeper some tens of microseconds late, more on a loaded machine: sleep to
    // a margin before the deadline, then spin on the clock for the rest.
    constexpr std::int64_t spinMicros = 1000;
    const std::int64_t wake = deadline - spinMicros;
    if (wake > SteadyMicros()) {
        const timespec at{static_cast<time_t>(wake / 1000000), static_cast<long>((wake % 1000000) * 1000)};
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
        }
    }
    while (SteadyMicros() < deadline) {
    }
}

void WaitUntil(std::uint32_t t0, std::uint32_t ms) {
    Clock& c = *platform().clock;
    while (static_cast<std::uint32_t>(c.TimeGetTime() - t0) < ms) {
        const std::uint32_t left = ms - static_cast<std::uint32_t>(c.TimeGetTime() - t0);
        c.Sleep(left > 1 ? 1 : left);
    }
}

} // namespace tylog

namespace tylog {

VirtualTimers& VirtualTimers::Instance() {
    static VirtualTimers t;
    return t;
}

VirtualTimers::Id VirtualTimers::Start(std::uint32_t now, std::uint32_t interval, std::function<void()> fire) {
    (void)now;
    const Id id = nextId_++;
    entries_.push_back({id, interval, base_ + interval, std::move(fire)});
    return id;
}

void VirtualTimers::Stop(Id id) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
        if (it->id == id) { entries_.erase(it); return; }
}

bool VirtualTimers::Active(Id id) const {
    for (const auto& e : entries_)
        if (e.id == id) return true;
    return false;
}

VirtualTimers::Entry* VirtualTimers::nextDue() {
    Entry* next = nullptr;
    for (auto& e : entries_)
        if (!e.running && (!next || e.due < next->due)) next = &e;
    return next;
}

void VirtualTimers::RunUntil(std::uint32_t& now, std::uint32_t until) {
    const std::uint64_t target = base_ + static_cast<std::uint32_t>(until - now);
    for (;;) {
        Entry* next = nextDue();
        if (!next || next->due > target) break;
        if (next->due > base_) {
            now += static_cast<std::uint32_t>(next->due - base_);
            base_ = next->due;
        }
        next->due = base_ + next->interval;
        next->running = true;
        const Id id = next->id;
        auto fire = next->fire; // the handler may stop or restart its own timer
        fire();
        for (auto& e : entries_)
            if (e.id == id) e.running = false;
    }
    if (target > base_) {
        now += static_cast<std::uint32_t>(target - base_);
        base_ = target;
    }
}

bool VirtualTimers::RunNext(std::uint32_t& now) {
    const Entry* next = nextDue();
    if (!next) return false;
    RunUntil(now, now + static_cast<std::uint32_t>(next->due > base_ ? next->due - base_ : 0));
    return true;
}

void VirtualTimers::Clear() { entries_.clear(); }

} // namespace tylog
