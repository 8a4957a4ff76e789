#pragma once

#include "platform/RunLoop.h"

#include <chrono>
#include <functional>
#include <memory>

class QTimer;

namespace wigglet::desktop {

// A run-loop timer on one single-shot precise QTimer, re-armed for each fire. A repeating
// timer keeps the grid of its first fire date: the next fire is the first grid point after the
// current fire began, so fires missed while the thread was busy become one late fire, and the
// schedule after it is the original one (QTimer itself would restart the interval from the
// late fire).
class QtTimer : public Timer, public std::enable_shared_from_this<QtTimer> {
  public:
    using Clock = std::chrono::steady_clock;
    // Told once when the timer is done: invalidated, or a one-shot timer that has fired.
    using DoneHandler = std::function<void(QtTimer*)>;

    QtTimer(Clock::duration interval, bool repeats, std::function<void()> callback);
    ~QtTimer() override;

    void start(DoneHandler done);
    // Tells no one any more when it is done (its run loop is going away).
    void detach() { done_ = nullptr; }

    void invalidate() override;
    bool isValid() const override { return valid_; }
    double fireDate() const override;

  private:
    void fire();
    void arm();
    void finish();

    Clock::duration interval_;
    bool repeats_;
    std::function<void()> callback_;
    Clock::time_point deadline_;
    std::unique_ptr<QTimer> timer_;
    DoneHandler done_;
    bool valid_ = true;
};

} // namespace wigglet::desktop
