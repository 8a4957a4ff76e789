#pragma once

#include "platform/linux/IdleClock.h"
#include "platform/linux/OwnInputFilter.h"

#include <QDBusConnection>
#include <functional>
#include <optional>

namespace wigglet::desktop {

// The user's idle time on GNOME, which offers no idle protocol to Wayland clients: Mutter's
// idle monitor (GetIdletime on the core monitor), asked at each reading. Mutter counts this
// program's own input as well, and counts it only once its event loop has handled the event,
// a little after the call went out; input counted within ownInputLatency of our own is taken
// for ours.
class MutterIdleMonitor : public IdleClock {
  public:
    static constexpr const char* service = "org.gnome.Mutter.IdleMonitor";
    static constexpr const char* objectPath = "/org/gnome/Mutter/IdleMonitor/Core";
    static constexpr int callTimeoutMs = 500;
    static constexpr double ownInputLatency = 0.5;
    using Clock = std::function<double()>;
    // When this program last sent input, on the same clock, if ever.
    using OwnInput = std::function<std::optional<double>()>;

    static bool offeredOn(const QDBusConnection& bus);

    MutterIdleMonitor(QDBusConnection bus, Clock now, OwnInput lastOwnInput);

    bool available() const override;
    // A reading that fails carries the last one forward.
    double secondsSinceLastInput() override;

  private:
    std::optional<std::int64_t> askIdleMs();

    QDBusConnection bus_;
    Clock now_;
    OwnInput lastOwnInput_;
    OwnInputFilter filter_{ownInputLatency};
    std::optional<double> userLastInput_;
};

} // namespace wigglet::desktop
