#pragma once

#include "platform/linux/IdleProbe.h"

struct wl_seat;
struct ext_idle_notifier_v1;
struct ext_idle_notification_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;

namespace wigglet::desktop {

class WaylandConnection;

// The compositor's idle notifications, as native Wayland programs read them: a one-second
// watch, idle from a second after the last input until the next. The count is known only to
// whole watches, so a count under a second reads as zero.
class WaylandIdleProbe final : public IdleProbe {
  public:
    WaylandIdleProbe(WaylandConnection* connection, wl_seat* seat);
    ~WaylandIdleProbe() override;
    WaylandIdleProbe(const WaylandIdleProbe&) = delete;
    WaylandIdleProbe& operator=(const WaylandIdleProbe&) = delete;

    std::string name() const override;
    std::string readers() const override { return "native Wayland programs"; }
    std::optional<double> idleSeconds(std::string& whyNot) override;

    void idled();
    void resumed() { idleSince_ = 0; }

  private:
    WaylandConnection* connection_;
    ext_idle_notifier_v1* extNotifier_ = nullptr;
    ext_idle_notification_v1* extNotification_ = nullptr;
    org_kde_kwin_idle* kdeIdle_ = nullptr;
    org_kde_kwin_idle_timeout* kdeTimeout_ = nullptr;
    // When the last input was, once the watch said idle; 0 while busy.
    double idleSince_ = 0;
};

} // namespace wigglet::desktop
