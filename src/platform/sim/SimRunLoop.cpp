#include "platform/sim/SimRunLoop.h"

#include "platform/sim/SimTimer.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace wigglet::sim {

namespace {

std::int64_t toMicros(double seconds) {
    return static_cast<std::int64_t>(std::llround(seconds * 1e6));
}

} // namespace

SimRunLoop::~SimRunLoop() = default;

double SimRunLoop::date() {
    lastDateMicros_ = std::max(lastDateMicros_ + 1, clock_.wallMicros());
    return static_cast<double>(lastDateMicros_) / 1e6;
}

std::shared_ptr<Timer> SimRunLoop::scheduleTimer(double intervalSeconds, bool repeats,
                                                 std::function<void()> callback) {
    const std::int64_t interval = std::max<std::int64_t>(0, toMicros(intervalSeconds));
    // Scheduling reads the clock, so a read right after it is later than the creation.
    date();
    auto timer = std::make_shared<SimTimer>(clock_, clock_.micros() + interval, interval, repeats,
                                            sequence_++, std::move(callback));
    timers_.push_back(timer);
    return timer;
}

void SimRunLoop::dispatchAsync(std::function<void()> work) {
    async_.push_back(std::move(work));
}

void SimRunLoop::scheduleOutside(std::int64_t atMicros, Arrival arrival,
                                 std::function<void()> event) {
    outside_.push_back({atMicros, sequence_++, arrival, std::move(event)});
}

void SimRunLoop::deliverWhileBlocked(std::int64_t untilMicros) {
    for (;;) {
        auto due = outside_.end();
        for (auto it = outside_.begin(); it != outside_.end(); ++it)
            if (it->arrival == Arrival::EvenWhileBlocked && it->at <= untilMicros &&
                (due == outside_.end() ||
                 std::tie(it->at, it->order) < std::tie(due->at, due->order)))
                due = it;
        if (due == outside_.end())
            return;
        auto event = std::move(due->event);
        clock_.advanceTo(due->at);
        outside_.erase(due);
        event();
    }
}

SimTimer* SimRunLoop::nextTimer() const {
    SimTimer* next = nullptr;
    for (const auto& timer : timers_)
        if (timer->isValid() && (!next || std::make_tuple(timer->fireAt(), timer->order()) <
                                              std::make_tuple(next->fireAt(), next->order())))
            next = timer.get();
    return next;
}

void SimRunLoop::runAsyncWork() {
    while (!async_.empty()) {
        auto work = std::move(async_.front());
        async_.pop_front();
        work();
    }
}

bool SimRunLoop::runNextOutside(std::int64_t targetMicros, std::int64_t timerAt) {
    auto due = outside_.end();
    for (auto it = outside_.begin(); it != outside_.end(); ++it)
        if (it->at <= targetMicros &&
            (due == outside_.end() || std::tie(it->at, it->order) < std::tie(due->at, due->order)))
            due = it;
    // The world acts before a timer of the same instant: input made at a tick's time is seen
    // by that tick.
    if (due == outside_.end() || due->at > timerAt)
        return false;
    auto event = std::move(due->event);
    clock_.advanceTo(due->at);
    outside_.erase(due);
    event();
    return true;
}

void SimRunLoop::runUntil(std::int64_t targetMicros) {
    for (;;) {
        runAsyncWork();
        std::erase_if(timers_, [](const auto& t) { return !t->isValid(); });
        SimTimer* timer = nextTimer();
        const std::int64_t timerAt =
            timer && timer->fireAt() <= targetMicros ? timer->fireAt() : INT64_MAX;
        if (runNextOutside(targetMicros, timerAt))
            continue;
        if (timerAt == INT64_MAX)
            break;
        clock_.advanceTo(timerAt);
        auto keep = std::static_pointer_cast<SimTimer>(*std::find_if(
            timers_.begin(), timers_.end(), [timer](const auto& t) { return t.get() == timer; }));
        keep->fire([this] { return clock_.micros(); });
    }
    clock_.advanceTo(targetMicros);
}

void SimRunLoop::reset() {
    for (auto& timer : timers_)
        timer->invalidate();
    timers_.clear();
    async_.clear();
}

std::size_t SimRunLoop::timerCount() const {
    return static_cast<std::size_t>(
        std::count_if(timers_.begin(), timers_.end(), [](const auto& t) { return t->isValid(); }));
}

} // namespace wigglet::sim
