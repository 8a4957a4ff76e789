#pragma once

#include "platform/linux/IdleProbe.h"
#include "platform/linux/wayland/WaylandIdleTimeout.h"

#include <memory>

namespace wigglet::desktop {

class WaylandConnection;

// The compositor's idle notifications, as native Wayland programs read them: a one-second
// watch, idle from a second after the last input until the next. The count is known only to
// whole watches, so a count under a second reads as zero.
class WaylandIdleProbe final : public IdleProbe {
  public:
    WaylandIdleProbe(WaylandConnection* connection, wl_seat* seat);

    std::string name() const override;
    std::string readers() const override { return "native Wayland programs"; }
    std::optional<double> idleSeconds(std::string& whyNot) override;

  private:
    WaylandConnection* connection_;
    // When the last input was, once the watch said idle; 0 while busy.
    double idleSince_ = 0;
    std::unique_ptr<WaylandIdleTimeout> timeout_;
};

} // namespace wigglet::desktop
