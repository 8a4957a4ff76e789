#include "platform/linux/qt/QtRunLoop.h"

#include "platform/linux/qt/QtTimer.h"

#include <QMetaObject>
#include <QObject>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace wigglet::desktop {

namespace {

// The shortest repeat interval, as the system's timers have it.
constexpr double minimumRepeatSeconds = 0.0001;

QtTimer::Clock::duration toDuration(double seconds, bool repeats) {
    if (!(seconds > 0) || std::isnan(seconds))
        seconds = 0;
    if (repeats)
        seconds = std::max(seconds, minimumRepeatSeconds);
    // Ten years is as far as any timer here needs to look.
    seconds = std::min(seconds, 10.0 * 365 * 24 * 3600);
    return std::chrono::duration_cast<QtTimer::Clock::duration>(
        std::chrono::duration<double>(seconds));
}

} // namespace

QtRunLoop::QtRunLoop() : context_(std::make_unique<QObject>()) {}

QtRunLoop::~QtRunLoop() {
    for (const auto& timer : scheduled_) {
        timer->detach();
        timer->invalidate();
    }
}

double QtRunLoop::now() const {
    return std::chrono::duration<double>(QtTimer::Clock::now().time_since_epoch()).count();
}

double QtRunLoop::date() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::shared_ptr<Timer> QtRunLoop::scheduleTimer(double intervalSeconds, bool repeats,
                                                std::function<void()> callback) {
    auto timer = std::make_shared<QtTimer>(toDuration(intervalSeconds, repeats), repeats,
                                           std::move(callback));
    scheduled_.insert(timer);
    timer->start([this](QtTimer* done) {
        std::erase_if(scheduled_, [done](const auto& timer) { return timer.get() == done; });
    });
    return timer;
}

void QtRunLoop::dispatchAsync(std::function<void()> work) {
    QMetaObject::invokeMethod(context_.get(), std::move(work), Qt::QueuedConnection);
}

} // namespace wigglet::desktop
