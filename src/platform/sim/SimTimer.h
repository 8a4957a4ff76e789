#pragma once

#include "platform/RunLoop.h"
#include "platform/sim/SimClock.h"

#include <cstdint>
#include <functional>

namespace wigglet::sim {

// A timer of SimRunLoop. A repeating timer keeps the grid of its first fire date.
class SimTimer final : public Timer {
  public:
    SimTimer(const SimClock& clock, std::int64_t fireAt, std::int64_t interval, bool repeats,
             std::uint64_t order, std::function<void()> callback);

    void invalidate() override { valid_ = false; }
    bool isValid() const override { return valid_; }
    double fireDate() const override {
        return static_cast<double>(clock_.wallMicros(fireAt_)) / 1e6;
    }

    std::int64_t fireAt() const { return fireAt_; }
    std::uint64_t order() const { return order_; }
    // Runs the callback; clockAfter tells where the clock stands once it has returned.
    void fire(const std::function<std::int64_t()>& clockAfter);

  private:
    const SimClock& clock_;
    std::int64_t fireAt_;
    std::int64_t interval_;
    std::int64_t slot_; // the grid point this fire stands for
    bool repeats_;
    bool valid_ = true;
    std::uint64_t order_;
    std::function<void()> callback_;
};

} // namespace wigglet::sim
