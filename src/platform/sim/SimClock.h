#pragma once

#include <cstdint>

namespace wigglet::sim {

// Virtual time in whole microseconds, so that the one-second grid stays exact.
class SimClock {
  public:
    std::int64_t micros() const { return micros_; }
    double seconds() const { return static_cast<double>(micros_) / 1e6; }
    void advanceTo(std::int64_t micros) {
        if (micros > micros_)
            micros_ = micros;
    }

  private:
    std::int64_t micros_ = 0;
};

} // namespace wigglet::sim
