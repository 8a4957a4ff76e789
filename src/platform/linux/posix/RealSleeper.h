#pragma once

#include "platform/Sleeper.h"

namespace wigglet::desktop {

// Sleeps on the monotonic clock until an absolute deadline, so that a signal that interrupts
// the sleep does not stretch it: the pause resumes towards the same end.
class RealSleeper : public Sleeper {
  protected:
    void doSleep(std::uint32_t microseconds) override;
};

} // namespace wigglet::desktop
