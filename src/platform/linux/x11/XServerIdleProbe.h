#pragma once

#include "platform/linux/IdleProbe.h"

#include <memory>

namespace wigglet::desktop {

class XConnection;

// The X server's MIT-SCREEN-SAVER idle count, which X programs read (XWayland's under a
// Wayland session), on a connection of its own.
class XServerIdleProbe final : public IdleProbe {
  public:
    // An empty name means $DISPLAY; a display that cannot be opened gives a probe that says so.
    explicit XServerIdleProbe(const std::string& displayName, std::string label);
    ~XServerIdleProbe() override;

    std::string name() const override { return label_; }
    std::string readers() const override { return "X programs"; }
    std::optional<double> idleSeconds(std::string& whyNot) override;

  private:
    std::unique_ptr<XConnection> x_;
    std::string label_;
    bool extension_ = false;
};

} // namespace wigglet::desktop
