#pragma once
#include <QDateTime>
#include <cstdint>
#include <functional>
#include <vector>

namespace tylog {

// Wall clock, the millisecond tick (wraps at 2^32) and sleeping. Tests install a FakeClock
// (platform/testing) that also drives every window timer, so timing is exact and instant.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime Now() = 0;    // local time
    virtual QDateTime NowUtc() = 0; // UTC
    virtual std::uint32_t TimeGetTime() = 0;
    virtual void Sleep(std::uint32_t ms) = 0;
    // The keying clock: a steady reading in microseconds that never wraps, and a sleep until an
    // absolute reading of it. The machine's sleeps until shortly before and spins the rest, so a wait
    // ends within a few microseconds of its deadline; both may be called from the keying thread. Under
    // a virtual clock the reading is the virtual tick's (in whole milliseconds) and the sleep moves it.
    virtual std::int64_t SteadyMicros() = 0;
    virtual void SleepUntilMicros(std::int64_t deadline) = 0;
    // True when window timers run on this clock's virtual time instead of Qt's.
    virtual bool IsVirtual() const { return false; }
    // Under a virtual clock: moves to the next window timer's tick and fires it; false when none runs.
    virtual bool RunNextTimer() { return false; }
};

class SystemClock : public Clock {
public:
    QDateTime Now() override;
    QDateTime NowUtc() override;
    std::uint32_t TimeGetTime() override;
    void Sleep(std::uint32_t ms) override;
    std::int64_t SteadyMicros() override;
    void SleepUntilMicros(std::int64_t deadline) override;
};

// Waits until TimeGetTime() has moved ms past t0, across the wrap of the tick.
void WaitUntil(std::uint32_t t0, std::uint32_t ms);

} // namespace tylog

namespace tylog {

// Window timers that run on a virtual clock's time (see FakeClock). Each entry fires every interval
// ms of virtual time while it is registered.
class VirtualTimers {
public:
    using Id = int;
    static VirtualTimers& Instance();
    Id Start(std::uint32_t now, std::uint32_t interval, std::function<void()> fire);
    void Stop(Id id);
    bool Active(Id id) const;
    // Fires, in time order, every tick due up to and including `until`, moving `now` along. A handler
    // may itself move the time on (a wait, a modal window): the time never goes back, a timer whose
    // handler is still running does not fire again inside it (as with Qt's timers), and a timer that
    // came due meanwhile fires once, late, then keeps its interval from there. Ties fire in the
    // order the timers were started.
    void RunUntil(std::uint32_t& now, std::uint32_t until);
    // Moves `now` to the next due tick and fires it; false when no timer can fire.
    bool RunNext(std::uint32_t& now);
    void Clear();

private:
    struct Entry { Id id; std::uint32_t interval; std::uint64_t due; std::function<void()> fire; bool running = false; };
    Entry* nextDue();
    std::vector<Entry> entries_;
    Id nextId_ = 1;
    std::uint64_t base_ = 0; // 64-bit virtual time, so due times never wrap
};

} // namespace tylog
