#pragma once

#include "platform/PowerSources.h"

#include <filesystem>

namespace wigglet::desktop {

// Batteries and mains adapters from the kernel's power_supply class. Only the system's own
// batteries count: a wireless mouse's battery (scope "Device") is not a power source.
class SysfsPowerSources : public PowerSources {
  public:
    static constexpr const char* defaultRoot = "/sys/class/power_supply";

    explicit SysfsPowerSources(std::filesystem::path root = defaultRoot) : root_(std::move(root)) {}

    bool hasSmartBattery() override;
    // The capacity of each system battery in name order; absent where it cannot be read.
    std::vector<std::optional<int>> charges() override;
    // A mains or USB supply that reports itself online.
    bool externalAdapterAttached() override;

  private:
    std::filesystem::path root_;
};

} // namespace wigglet::desktop
