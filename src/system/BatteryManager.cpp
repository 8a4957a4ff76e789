#include "system/BatteryManager.h"

namespace wigglet {

std::optional<int> BatteryManager::currentCapacity() {
    return std::nullopt;
}

} // namespace wigglet
