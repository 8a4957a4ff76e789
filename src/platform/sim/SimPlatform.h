#pragma once

#include "platform/Platform.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimDisplayBrightness.h"
#include "platform/sim/SimEventSource.h"
#include "platform/sim/SimHotKeyService.h"
#include "platform/sim/SimLoginItems.h"
#include "platform/sim/SimNotifications.h"
#include "platform/sim/SimPowerManagement.h"
#include "platform/sim/SimPowerSources.h"
#include "platform/sim/SimRunLoop.h"
#include "platform/sim/SimScreens.h"
#include "platform/sim/SimSessionLock.h"
#include "platform/sim/SimSleeper.h"
#include "platform/sim/SimSystemEvents.h"
#include "platform/sim/SimSystemInfo.h"
#include "platform/sim/SimWorkspace.h"
#include "platform/sim/SimWorld.h"

namespace wigglet::sim {

// The whole simulated machine, and the Platform context built on it. The trace's clock is the
// virtual clock.
class SimPlatform {
  public:
    SimPlatform();
    SimPlatform(const SimPlatform&) = delete;
    SimPlatform& operator=(const SimPlatform&) = delete;

    Platform& platform() { return platform_; }
    // The program ends: its timers, shared instances, grabs and assertions go with it.
    void endProcess();
    void advanceSeconds(double seconds);
    // The machine sleeps this long: the wall clock moves on, the monotonic clock and its
    // timers stand; then it wakes.
    void suspend(double seconds);
    std::int64_t micros() const { return clock.micros(); }

    SimWorld world;
    SimClock clock;
    SimRunLoop runLoop{clock};
    SimSleeper sleeper{clock, runLoop};
    SimEventSource events{clock, world};
    SimScreens screens{world};
    SimPowerManagement power{clock, world};
    SimPowerSources powerSources{world};
    SimDisplayBrightness brightness{world};
    SimHotKeyService hotKeys;
    SimLoginItems loginItems;
    SimNotifications notifications{runLoop};
    SimWorkspace workspace;
    SimSystemInfo system{world};
    SimSessionLock sessionLock{world};
    SimSystemEvents systemEvents;

  private:
    Platform platform_;
};

} // namespace wigglet::sim
