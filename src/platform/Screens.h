#pragma once

#include "platform/Geometry.h"

#include <optional>

namespace wigglet {

// The primary screen and the pointer, in screen coordinates (origin bottom-left, y up).
class Screens {
  public:
    virtual ~Screens() = default;
    // Frame of the first screen of the screen list; absent when there is no screen.
    virtual std::optional<Rect> primaryFrame() = 0;
    virtual Point pointerLocation() = 0;
};

} // namespace wigglet
