#pragma once

#include "platform/Screens.h"

namespace wigglet::sim {

struct SimWorld;

class SimScreens final : public Screens {
  public:
    explicit SimScreens(SimWorld& world) : world_(world) {}
    std::optional<Rect> primaryFrame() override;
    Point pointerLocation() override;

  private:
    SimWorld& world_;
};

} // namespace wigglet::sim
