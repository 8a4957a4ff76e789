#pragma once

#include "platform/linux/IdleClock.h"

#include <QDBusConnection>
#include <functional>
#include <memory>
#include <optional>

namespace wigglet::desktop {

class BusSignalListener;

// The user's idle time on GNOME, which offers no idle protocol to Wayland clients: Mutter's
// idle monitor on the core monitor, watched rather than asked at every tick, so that a busy
// user costs no call at all. A one-second idle watch tells when input stopped (a second
// before it fires); a user-active watch, set once the machine is idle, tells when input came
// back. Mutter counts this program's own input too: a return right after it, or an idle
// watch that dates the last input to it, leaves the user's last input where it was. A user
// who never pauses for a second fires nothing at all: still busy a second after the last
// event and our last input, the user is taken to have moved a second ago.
class MutterIdleMonitor : public IdleClock {
  public:
    static constexpr const char* service = "org.gnome.Mutter.IdleMonitor";
    static constexpr const char* objectPath = "/org/gnome/Mutter/IdleMonitor/Core";
    static constexpr int callTimeoutMs = 500;
    static constexpr int watchMs = 1000;
    // How far from our own input mutter's count of it may land: mutter counts an event once
    // its loop has handled it, and the news waits while a step holds the main thread.
    static constexpr double ownInputWindow = 0.5;
    // How late a watch may be read after mutter fired it.
    static constexpr double deliveryMargin = 0.5;
    using Clock = std::function<double()>;
    // When this program last sent input, on the same clock, if ever.
    using OwnInput = std::function<std::optional<double>()>;

    static bool offeredOn(const QDBusConnection& bus);

    // Asks for the idle time once, to start from, and sets the idle watch.
    MutterIdleMonitor(QDBusConnection bus, Clock now, OwnInput lastOwnInput);
    ~MutterIdleMonitor() override;
    MutterIdleMonitor(const MutterIdleMonitor&) = delete;
    MutterIdleMonitor& operator=(const MutterIdleMonitor&) = delete;

    bool available() const override { return idleWatch_.has_value(); }
    double secondsSinceLastInput() override;

  private:
    std::optional<std::uint32_t> call(const char* method, const QVariantList& arguments = {});
    void fired(std::uint32_t watch);
    void idled();
    void resumed();
    bool isOurs(double inputTime) const;

    QDBusConnection bus_;
    Clock now_;
    OwnInput lastOwnInput_;
    std::unique_ptr<BusSignalListener> listener_;
    std::optional<std::uint32_t> idleWatch_;
    std::optional<std::uint32_t> activeWatch_;
    double userLastInput_;
    bool busy_ = true;
    double busySince_;
};

} // namespace wigglet::desktop
