#pragma once

#include <optional>
#include <vector>

namespace wigglet {

// Battery and mains power as the battery monitor needs them.
class PowerSources {
  public:
    virtual ~PowerSources() = default;
    virtual bool hasSmartBattery() = 0;
    // One entry per power source, in list order; absent where a source reports no charge.
    virtual std::vector<std::optional<int>> charges() = 0;
    virtual bool externalAdapterAttached() = 0;
};

} // namespace wigglet
