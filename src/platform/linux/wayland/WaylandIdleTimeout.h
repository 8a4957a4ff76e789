#pragma once

#include <functional>

struct wl_seat;
struct ext_idle_notifier_v1;
struct ext_idle_notification_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;

namespace wigglet::desktop {

class WaylandConnection;

// One idle timeout on a seat, through ext-idle-notify where the compositor offers it, else
// KDE's idle protocol: `idled` once nobody has touched the seat for the timeout, `resumed` at
// the next input.
class WaylandIdleTimeout {
  public:
    WaylandIdleTimeout(WaylandConnection& connection, wl_seat* seat, int timeoutMs,
                       std::function<void()> idled, std::function<void()> resumed);
    ~WaylandIdleTimeout();
    WaylandIdleTimeout(const WaylandIdleTimeout&) = delete;
    WaylandIdleTimeout& operator=(const WaylandIdleTimeout&) = delete;

    bool available() const { return extNotification_ || kdeTimeout_; }
    bool usesKdeProtocol() const { return kdeTimeout_ != nullptr; }

    const std::function<void()> idled;
    const std::function<void()> resumed;

  private:
    ext_idle_notifier_v1* extNotifier_ = nullptr;
    ext_idle_notification_v1* extNotification_ = nullptr;
    org_kde_kwin_idle* kdeIdle_ = nullptr;
    org_kde_kwin_idle_timeout* kdeTimeout_ = nullptr;
};

} // namespace wigglet::desktop
