#include "platform/sim/SimScreens.h"

#include "platform/sim/SimWorld.h"

namespace wigglet::sim {

std::optional<Rect> SimScreens::primaryFrame() {
    if (!world_.screen)
        return std::nullopt;
    return Rect{{0, 0}, *world_.screen};
}

Point SimScreens::pointerLocation() {
    // The world keeps the pointer in global display coordinates; screens report it from the
    // bottom-left corner.
    const double height = world_.screen ? world_.screen->height : 0.0;
    return {world_.pointer.x, height - world_.pointer.y};
}

} // namespace wigglet::sim
