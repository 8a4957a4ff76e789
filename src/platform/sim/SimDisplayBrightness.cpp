#include "platform/sim/SimDisplayBrightness.h"

#include "platform/sim/SimWorld.h"

namespace wigglet::sim {

float SimDisplayBrightness::currentBrightness() {
    ++reads_;
    return world_.brightness.value_or(0.0f);
}

} // namespace wigglet::sim
