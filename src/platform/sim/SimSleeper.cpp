#include "platform/sim/SimSleeper.h"

#include "platform/sim/SimClock.h"
#include "platform/sim/SimRunLoop.h"

namespace wigglet::sim {

void SimSleeper::doSleep(std::uint32_t microseconds) {
    const std::int64_t wakeAt = clock_.micros() + microseconds;
    runLoop_.deliverWhileBlocked(wakeAt);
    clock_.advanceTo(wakeAt);
}

} // namespace wigglet::sim
