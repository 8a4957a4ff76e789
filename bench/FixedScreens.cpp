#include "FixedScreens.h"

namespace wigglet::bench {

Point FixedScreens::pointerLocation() {
    return {events_.pointer.x, 900 - events_.pointer.y};
}

} // namespace wigglet::bench
