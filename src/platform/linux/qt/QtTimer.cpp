#include "platform/linux/qt/QtTimer.h"

#include <QTimer>
#include <algorithm>
#include <limits>

namespace wigglet::desktop {

QtTimer::QtTimer(Clock::duration interval, bool repeats, std::function<void()> callback)
    : interval_(interval), repeats_(repeats), callback_(std::move(callback)),
      deadline_(Clock::now() + interval), timer_(std::make_unique<QTimer>()) {
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
}

QtTimer::~QtTimer() = default;

void QtTimer::start(DoneHandler done) {
    done_ = std::move(done);
    // The strong reference lasts until the callback has returned. If the timer is dropped
    // meanwhile, its QTimer goes from inside its own timeout signal, which Qt allows.
    QObject::connect(timer_.get(), &QTimer::timeout, [weak = weak_from_this()] {
        if (auto self = weak.lock())
            self->fire();
    });
    arm();
}

void QtTimer::invalidate() {
    if (!valid_)
        return;
    valid_ = false;
    timer_->stop();
    finish();
}

double QtTimer::fireDate() const {
    const auto untilFire = std::chrono::duration<double>(deadline_ - Clock::now()).count();
    const auto wallNow =
        std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch());
    return wallNow.count() + untilFire;
}

void QtTimer::arm() {
    using std::chrono::milliseconds;
    const auto remaining = deadline_ - Clock::now();
    // Rounded up: a QTimer never fires early, so neither does this one.
    const auto ms = remaining.count() > 0 ? std::chrono::ceil<milliseconds>(remaining).count() : 0;
    timer_->start(static_cast<int>(std::min<long long>(ms, std::numeric_limits<int>::max())));
}

void QtTimer::fire() {
    if (!valid_)
        return;
    const auto now = Clock::now();
    if (now < deadline_) {
        arm();
        return;
    }
    if (repeats_) {
        deadline_ += ((now - deadline_) / interval_ + 1) * interval_;
        arm();
    } else {
        valid_ = false;
    }
    callback_();
    if (!repeats_)
        finish();
}

void QtTimer::finish() {
    if (auto done = std::exchange(done_, nullptr))
        done(this);
}

} // namespace wigglet::desktop
