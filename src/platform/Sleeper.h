#pragma once

#include <cstdint>

namespace wigglet {

// Blocking sleep on the calling (main) thread; the synthesisers pace their events with it.
class Sleeper {
  public:
    virtual ~Sleeper() = default;
    void sleepMicroseconds(std::uint32_t microseconds);

  protected:
    virtual void doSleep(std::uint32_t microseconds) = 0;
};

} // namespace wigglet
