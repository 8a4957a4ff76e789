#include "platform/sim/SimPlatform.h"

#include <cmath>

namespace wigglet::sim {

SimPlatform::SimPlatform()
    : platform_(PlatformServices{&runLoop, &sleeper, &events, &screens, &power, &powerSources,
                                 &brightness, &hotKeys, &loginItems, &notifications, &workspace,
                                 &system, &sessionLock, &systemEvents}) {
    platform_.trace().setClock([this] { return clock.seconds(); });
}

void SimPlatform::endProcess() {
    platform_.dropSharedInstances();
    runLoop.reset();
    power.processEnded();
    hotKeys.processEnded();
    hotKeys.installHandler({});
    systemEvents.setHandler({});
}

void SimPlatform::advanceSeconds(double seconds) {
    runLoop.runUntil(clock.micros() + static_cast<std::int64_t>(std::llround(seconds * 1e6)));
}

} // namespace wigglet::sim

namespace wigglet::sim {

void SimPlatform::suspend(double seconds) {
    clock.setWallMicros(clock.wallMicros() +
                        static_cast<std::int64_t>(std::llround(seconds * 1e6)));
    systemEvents.woke();
}

} // namespace wigglet::sim
