#pragma once

#include "platform/SessionLock.h"
#include "platform/sim/SimWorld.h"

namespace wigglet::sim {

// Locked between the scenario's `lock` and `unlock`.
class SimSessionLock final : public SessionLock {
  public:
    explicit SimSessionLock(const SimWorld& world) : world_(world) {}

    bool isLocked() override { return world_.locked; }

  private:
    const SimWorld& world_;
};

} // namespace wigglet::sim
