// Timer: a QTimer made on first arming, so a timer can exist before the Qt application does.
#include "framework/ui/timer.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

#include "framework/ui/exception_boundary.h"

const ClassInfo& Timer::StaticClass() {
    static const ClassInfo info{
        "Timer",
        &Object::StaticClass(),
        {SetterProperty("Mode", &Timer::SetMode), SetterProperty("Period", &Timer::SetPeriod)}};
    return info;
}

Timer::Timer() = default;
Timer::~Timer() {
    if (!timer_) return;
    if (!QCoreApplication::instance()) {
        (void)timer_.release();  // at exit after Qt has gone, deleting it is no longer safe
        return;
    }
    timer_->stop();
    // The last reference may go inside the QTimer's own timeout: let Qt delete it afterwards.
    timer_.release()->deleteLater();
}

void Timer::SetMode(int32_t mode) {
    mode_ = mode;
    if (mode_ == ModeOff) {
        if (timer_) timer_->stop();
        return;
    }
    Reset();
}

void Timer::SetPeriod(int32_t ms) {
    period_ = ms;
    // A new period takes effect at once on an armed timer, counted from now.
    if (timer_ && timer_->isActive()) Reset();
}

void Timer::Reset() {
    if (mode_ == ModeOff) return;
    if (!timer_) {
        timer_ = std::make_unique<QTimer>();
        // Safe with `this`: the destructor stops the QTimer before it lets go of it.
        QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(),
                         [this] { RuntimeDispatch([this] { Fire(); }); });
    }
    timer_->setSingleShot(mode_ == ModeSingle);
    timer_->start(std::max(0, period_));
}

void Timer::Fire() {
    // Keeps the timer alive while its handlers run, even if one lets go of it.
    auto self = std::static_pointer_cast<Timer>(weak_from_this().lock());
    if (mode_ == ModeSingle) mode_ = ModeOff;
    Action.Raise(self);
}
