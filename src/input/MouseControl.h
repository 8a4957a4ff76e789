#pragma once

#include "platform/Geometry.h"

#include <cstdint>

namespace wigglet {

// Turns pointer, click and scroll intentions into paced platform input, and stops a pattern as
// soon as the user touches the machine. Reads no settings.
class MouseControl {
  public:
    void simulateSmoothScrollWithDistance(double distance, double duration);
    void postMouseMovedInPlace();

    std::uint32_t connect = 0;
};

} // namespace wigglet
