#pragma once

#include "platform/Sleeper.h"

namespace wigglet::sim {

class SimClock;
class SimRunLoop;

// Sleeping moves virtual time on; the world's input that falls due meanwhile still arrives.
class SimSleeper final : public Sleeper {
  public:
    SimSleeper(SimClock& clock, SimRunLoop& runLoop) : clock_(clock), runLoop_(runLoop) {}

  protected:
    void doSleep(std::uint32_t microseconds) override;

  private:
    SimClock& clock_;
    SimRunLoop& runLoop_;
};

} // namespace wigglet::sim
