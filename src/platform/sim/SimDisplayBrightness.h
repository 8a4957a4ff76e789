#pragma once

#include "platform/DisplayBrightness.h"

namespace wigglet::sim {

struct SimWorld;

class SimDisplayBrightness final : public DisplayBrightness {
  public:
    explicit SimDisplayBrightness(SimWorld& world) : world_(world) {}
    float currentBrightness() override;
    int reads() const { return reads_; }

  private:
    SimWorld& world_;
    int reads_ = 0;
};

} // namespace wigglet::sim
