#pragma once

#include "platform/PowerSources.h"

namespace wigglet::sim {

struct SimWorld;

class SimPowerSources final : public PowerSources {
  public:
    explicit SimPowerSources(SimWorld& world) : world_(world) {}
    bool hasSmartBattery() override;
    std::vector<std::optional<int>> charges() override;
    bool externalAdapterAttached() override;

    // How often the charge was read, so that a test can tell that nobody looked.
    int reads() const { return reads_; }

  private:
    SimWorld& world_;
    int reads_ = 0;
};

} // namespace wigglet::sim
