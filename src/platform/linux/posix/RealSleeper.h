#pragma once

#include "platform/Sleeper.h"

namespace wigglet::desktop {

// Sleeps on the monotonic clock until an absolute deadline, so that a signal that interrupts
// the sleep does not stretch it: the pause resumes towards the same end. Built on the thread
// that sleeps (the main thread), whose timer slack it lowers: the kernel's default 50 us of
// slack would otherwise be added to every pause of the synthesisers.
class RealSleeper : public Sleeper {
  public:
    RealSleeper();

  protected:
    void doSleep(std::uint32_t microseconds) override;
};

} // namespace wigglet::desktop
