#pragma once

#include "CountingEventSource.h"
#include "platform/Screens.h"

namespace wigglet::bench {

// One 1440 x 900 screen; the pointer is wherever the counting event source last warped it.
class FixedScreens final : public Screens {
  public:
    explicit FixedScreens(const CountingEventSource& events) : events_(events) {}

    std::optional<Rect> primaryFrame() override { return Rect{{0, 0}, {1440, 900}}; }
    Point pointerLocation() override;

  private:
    const CountingEventSource& events_;
};

} // namespace wigglet::bench
