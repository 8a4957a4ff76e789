#pragma once

#include <functional>
#include <memory>

namespace wigglet {

// A timer scheduled on the main run loop. Invalidating it is final.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void invalidate() = 0;
    virtual bool isValid() const = 0;
    // Wall-clock date (seconds, same clock as RunLoop::date) of the next fire.
    virtual double fireDate() const = 0;
};

// The main thread's run loop. Timers also fire while a menu is open. A repeating timer keeps
// its grid: fires that fall due while the main thread is busy are coalesced into one fire as
// soon as it is free, after which the original schedule resumes.
class RunLoop {
  public:
    virtual ~RunLoop() = default;

    // Monotonic seconds; only differences are meaningful.
    virtual double now() const = 0;
    // Wall-clock seconds since the epoch.
    virtual double date() = 0;

    virtual std::shared_ptr<Timer> scheduleTimer(double intervalSeconds, bool repeats,
                                                 std::function<void()> callback) = 0;
    virtual void dispatchAsync(std::function<void()> work) = 0;
};

} // namespace wigglet
