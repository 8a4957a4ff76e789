#include "system/BatteryManager.h"

#include "platform/Platform.h"
#include "platform/PowerSources.h"

#include <algorithm>
#include <limits>

namespace wigglet {

namespace {

constexpr std::uint32_t kSmartBatteryService = 1;
constexpr int kFullCharge = 100;

// A source that cannot report a charge ends the reading as full, and so does an empty list:
// neither is a reason to stop.
int lowestCharge(const std::vector<std::optional<int>>& charges) {
    if (charges.empty())
        return kFullCharge;
    int lowest = std::numeric_limits<int>::max();
    for (const std::optional<int>& charge : charges) {
        if (!charge)
            return kFullCharge;
        lowest = std::min(lowest, *charge);
    }
    return lowest;
}

} // namespace

std::optional<int> BatteryManager::currentCapacity() {
    PowerSources& sources = Platform::current().powerSources();
    if (!sources.hasSmartBattery())
        return std::nullopt;
    serviceInternal = kSmartBatteryService;
    const int charge = lowestCharge(sources.charges());
    serviceInternal = 0;
    return charge;
}

} // namespace wigglet
