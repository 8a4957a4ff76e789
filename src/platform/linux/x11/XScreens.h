#pragma once

#include "platform/Screens.h"

namespace wigglet::desktop {

class XConnection;

// The primary display and the pointer, turned from X's top-left root coordinates into screen
// coordinates (origin bottom-left of the primary display, y up). Without a display there is no
// screen and the pointer stays at the origin.
class XScreens : public Screens {
  public:
    explicit XScreens(XConnection* connection) : connection_(connection) {}

    std::optional<Rect> primaryFrame() override;
    Point pointerLocation() override;

  private:
    XConnection* connection_;
};

} // namespace wigglet::desktop
