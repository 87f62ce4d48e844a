#pragma once
// A timer that needs no window, for the engines that own a device (radio poll, spot receive, end of
// play, message repeat, command pacing, the keying schedule under a virtual clock). It runs as the
// windows' timers do: on the virtual clock's time when the installed clock is virtual (so a test's
// Fakes().clock.Advance fires it at its exact ticks), on a precise QTimer otherwise. Interval 0 never
// fires. Its handler runs through the control layer's guard, so an error in it stops there.
#include <QObject>
#include <QString>
#include <functional>

class QTimer;

namespace tylog {

class EngineTimer : public QObject {
    Q_OBJECT
public:
    // `name` is what an escaped error names as its source ("RigEngine.tmrPoll").
    explicit EngineTimer(const QString& name, QObject* parent = nullptr);
    ~EngineTimer() override;
    EngineTimer(const EngineTimer&) = delete;
    EngineTimer& operator=(const EngineTimer&) = delete;

    int Interval() const { return interval_; }
    void setInterval(int ms); // starts the count again, even at the same value
    bool Enabled() const { return enabled_; }
    void setEnabled(bool e);  // a change only: enabling a running timer does not restart its count
    // Interval and Enabled in one: fires every ms from now on (one step: see SingleShot).
    void Start(int ms);
    void Stop() { setEnabled(false); }
    // When set, the timer disables itself as it fires: a step that runs once, ms after Start.
    void setSingleShot(bool once) { singleShot_ = once; }
    bool Running() const;

    std::function<void()> Tick;

private:
    void fire();
    void restart();
    void halt();
    int interval_ = 0;
    bool enabled_ = false;
    bool singleShot_ = false;
    QTimer* qtimer_ = nullptr;
    int virtualId_ = 0;
};

} // namespace tylog
