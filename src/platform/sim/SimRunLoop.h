#pragma once

#include "platform/RunLoop.h"
#include "platform/sim/SimClock.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace wigglet::sim {

class SimTimer;

// The main run loop in virtual time. Nothing happens until the host runs it: runUntil() fires
// the timers and outside events that fall due, in time order, each to its end. Outside events
// stand for what the world does on its own (the user's input, a menu click); those marked as
// input also arrive while the main thread is blocked in a sleep.
class SimRunLoop final : public RunLoop {
  public:
    explicit SimRunLoop(SimClock& clock) : clock_(clock) {}
    ~SimRunLoop() override;

    double now() const override { return clock_.seconds(); }
    // A wall clock moves on between two reads, however close: each read is at least a
    // microsecond later than the one before. Timers stay on the exact virtual grid.
    double date() override;

    std::shared_ptr<Timer> scheduleTimer(double intervalSeconds, bool repeats,
                                         std::function<void()> callback) override;
    void dispatchAsync(std::function<void()> work) override;

    enum class Arrival { WhenFree, EvenWhileBlocked };
    void scheduleOutside(std::int64_t atMicros, Arrival arrival, std::function<void()> event);
    // Runs the outside events that arrive while blocked, up to the given time.
    void deliverWhileBlocked(std::int64_t untilMicros);

    // Runs everything due up to and including the target; the clock ends at the target or
    // wherever the last piece of work left it, if later.
    void runUntil(std::int64_t targetMicros);
    // Forgets every timer and pending piece of work: the process has ended.
    void reset();

    std::size_t timerCount() const;

  private:
    struct Outside {
        std::int64_t at;
        std::uint64_t order;
        Arrival arrival;
        std::function<void()> event;
    };

    void runAsyncWork();
    bool runNextOutside(std::int64_t targetMicros, std::int64_t timerAt);
    SimTimer* nextTimer() const;

    SimClock& clock_;
    std::int64_t lastDateMicros_ = -1;
    std::uint64_t sequence_ = 0;
    std::vector<std::shared_ptr<SimTimer>> timers_;
    std::deque<std::function<void()>> async_;
    std::vector<Outside> outside_;
};

} // namespace wigglet::sim
