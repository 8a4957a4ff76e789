#pragma once

#include <cstdint>
#include <optional>

namespace wigglet {

// Reads the battery charge through the platform's power sources.
class BatteryManager {
  public:
    // The lowest charge among the power sources in percent, 100 when a source reports none,
    // or absent when the machine has no smart battery.
    std::optional<int> currentCapacity();

    std::uint32_t serviceInternal = 0;
};

} // namespace wigglet
