#include "platform/sim/SimPowerSources.h"

#include "platform/sim/SimWorld.h"

namespace wigglet::sim {

bool SimPowerSources::hasSmartBattery() {
    return world_.hasSmartBattery;
}

std::vector<std::optional<int>> SimPowerSources::charges() {
    ++reads_;
    return world_.batteryCharges;
}

bool SimPowerSources::externalAdapterAttached() {
    return world_.onMains;
}

} // namespace wigglet::sim
