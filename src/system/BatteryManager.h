#pragma once

#include <cstdint>
#include <optional>

namespace wigglet {

// Reads the battery charge through the platform's power sources. Deciding whether to stop
// shaking is the delegate's low-battery check; the adapter test is asked there too.
class BatteryManager {
  public:
    // The lowest charge among the power sources in percent, 100 when a source reports none,
    // or absent when the machine has no smart battery. Read afresh on every call.
    std::optional<int> currentCapacity();

    // Non-zero only while a reading holds the smart-battery service.
    std::uint32_t serviceInternal = 0;
};

} // namespace wigglet
