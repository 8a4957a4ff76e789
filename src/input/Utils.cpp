#include "input/Utils.h"

#include "platform/Platform.h"
#include "platform/Screens.h"
#include "platform/Sleeper.h"

#include <cstdint>

namespace wigglet {

void Utils::randomPause(const std::vector<double>& durations) {
    if (durations.empty())
        return;
    const double seconds = Platform::current().random().pick(durations);
    Platform::current().sleeper().sleepMicroseconds(static_cast<std::uint32_t>(seconds * 1e6));
}

std::optional<Rect> Utils::primaryFrame() {
    return Platform::current().screens().primaryFrame();
}

std::optional<Point> Utils::pointerLocation() {
    const std::optional<Rect> frame = primaryFrame();
    if (!frame)
        return std::nullopt;
    const Point location = Platform::current().screens().pointerLocation();
    return Point{location.x, frame->size.height - location.y};
}

} // namespace wigglet
