#pragma once

#include "platform/Geometry.h"

#include <optional>
#include <vector>

namespace wigglet {

// Helpers shared by the shake patterns and the tab switcher.
class Utils {
  public:
    // Sleeps one of the given durations (seconds), picked at random; nothing for an empty list.
    static void randomPause(const std::vector<double>& durations);

    // The primary screen's frame, read afresh; absent when no screen is attached.
    static std::optional<Rect> primaryFrame();
    // The pointer in global display coordinates, converted with the height read now; absent
    // when there is no screen to convert against.
    static std::optional<Point> pointerLocation();
};

} // namespace wigglet
