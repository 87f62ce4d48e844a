#include "platform/EngineTimer.h"
#include "platform/Platform.h"
#include "platform/vb/ErrorGuard.h"

#include <QTimer>

namespace tylog {

EngineTimer::EngineTimer(const QString& name, QObject* parent) : QObject(parent) { setObjectName(name); }

EngineTimer::~EngineTimer() { halt(); }

void EngineTimer::setInterval(int ms) {
    interval_ = ms;
    restart();
}

void EngineTimer::setEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    restart();
}

void EngineTimer::Start(int ms) {
    enabled_ = true;
    setInterval(ms);
}

bool EngineTimer::Running() const {
    if (qtimer_) return qtimer_->isActive();
    return virtualId_ != 0 && VirtualTimers::Instance().Active(virtualId_);
}

void EngineTimer::fire() {
    if (singleShot_) {
        enabled_ = false;
        halt();
    }
    // A copy: the handler may replace Tick or drop the timer's owner.
    const std::function<void()> tick = Tick;
    if (tick) vb::RunHandler(this, "Timer", tick);
}

void EngineTimer::halt() {
    if (qtimer_) qtimer_->stop();
    if (virtualId_) VirtualTimers::Instance().Stop(virtualId_);
    virtualId_ = 0;
}

void EngineTimer::restart() {
    halt();
    // Interval 0 never fires (a QTimer of 0 would fire on every pass of the event loop).
    if (!enabled_ || interval_ <= 0) return;
    if (platform().clock && platform().clock->IsVirtual()) {
        virtualId_ = VirtualTimers::Instance().Start(platform().clock->TimeGetTime(),
                                                     static_cast<std::uint32_t>(interval_), [this] { fire(); });
        return;
    }
    if (!qtimer_) {
        qtimer_ = new QTimer(this);
        qtimer_->setTimerType(Qt::PreciseTimer);
        connect(qtimer_, &QTimer::timeout, this, [this] { fire(); });
    }
    qtimer_->start(interval_);
}

} // namespace tylog
