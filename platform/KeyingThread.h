#pragma once
// The one thread that times Morse elements. The user-interface thread hands it jobs (one character
// each: the key line's changes at offsets from the character's start, and where the next character
// starts); the thread keys each change at its absolute deadline on the keying clock
// (Clock::SleepUntilMicros), and starts each job where the one before it ended, so errors never add up
// across elements or characters. It holds the job it keys plus at most one handed ahead, so emptying
// the text to send (Esc, a new message) takes back at most one character that has not started.
//
// Under a virtual clock there is no thread: the same schedule runs on an engine timer at the exact
// virtual ticks (offsets rounded up to whole milliseconds), so tests read exact edges from the key
// lines' record.
//
// Every change is made by the job's own `key` function (a serial line through its KeyLineHandle, a
// parallel register through Out32), on the keying thread: it must touch nothing but the key lines. The
// thread remembers which job's key is down, and Abort and Stop release exactly that one.
#include <QObject>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tylog {

class EngineTimer;

struct KeyingJob {
    struct Step {
        std::int64_t atMicros; // from the job's start
        bool down;
    };
    std::vector<Step> steps;            // in time order
    std::int64_t lengthMicros = 0;      // where the next job starts, from this one's start
    std::function<void(bool down)> key; // switches the line; throws VbError when it cannot
    int tag = 0;                        // handed back in JobDone
};

class KeyingThread : public QObject {
    Q_OBJECT
public:
    explicit KeyingThread(const QString& name = QStringLiteral("KeyingThread"));
    ~KeyingThread() override; // Stop()

    // Hands a job on; false (and nothing taken) while it already holds two. A job handed to an idle
    // thread starts now, or where the last one ended if that is still to come.
    bool Hand(KeyingJob job);
    // Takes back the job handed ahead, if it has not started; true when there was one.
    bool TakeBack();
    // Ends the running job now and drops the one handed ahead, releasing the key if a job holds it
    // down. Returns when the line is released (a wait of at most the thread's wake-up, bounded).
    void Abort();
    // Jobs held (0, 1 or 2).
    int Held() const;

    // Runs on the user-interface thread, through the control layer's guard, when a job has run to its
    // end (ok) or ended at a failure of its key (not ok; the key was then released as far as it could
    // be). An aborted job reports nothing.
    std::function<void(int tag, bool ok)> JobDone;

    // Aborts and ends the thread, waiting at most waitMs for it; for the unkey step at the end of the run.
    void Stop(int waitMs = 200);

private:
    struct Shared;
    void run();
    void pumpVirtual();
    void reportDone(int tag, bool ok);
    static void startNextAtLastEnd(Shared& s);
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
    bool virtual_ = false;
    // Virtual clock: the state the thread would keep.
    std::unique_ptr<EngineTimer> timer_;
};

} // namespace tylog
