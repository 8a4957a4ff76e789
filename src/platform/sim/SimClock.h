#pragma once

#include <cstdint>

namespace wigglet::sim {

// Virtual time in whole microseconds, so that the one-second grid stays exact. The monotonic
// clock starts at 0; the wall clock is it plus an offset, which a scenario sets and which a
// suspended machine moves on while the monotonic clock stands.
class SimClock {
  public:
    std::int64_t micros() const { return micros_; }
    std::int64_t wallMicros(std::int64_t monotonic) const { return monotonic + wallOffset_; }
    std::int64_t wallMicros() const { return wallMicros(micros_); }
    void setWallMicros(std::int64_t wall) { wallOffset_ = wall - micros_; }
    double seconds() const { return static_cast<double>(micros_) / 1e6; }
    void advanceTo(std::int64_t micros) {
        if (micros > micros_)
            micros_ = micros;
    }

  private:
    std::int64_t micros_ = 0;
    std::int64_t wallOffset_ = 0;
};

} // namespace wigglet::sim
