#pragma once

#include "platform/linux/wayland/WaylandIdleTimeout.h"

#include <optional>

namespace wigglet::desktop {

class WaylandConnection;

// The user's idle time, from the compositor's idle notifications: ext-idle-notify where it
// is offered, else KDE's idle protocol. A one-second watch tells when input stopped (a second
// before `idled`) and when it came back (`resumed`). Input that this program sent is not the
// user's: a `resumed` right after it, or an `idled` that dates the last input to it, leaves
// the user's last input where it was. A user who never pauses for a second sends no event
// at all: a watch still not idle a second after the last event and our last input is
// someone else's input.
class WaylandIdleWatch {
  public:
    static constexpr int watchMs = 1000;
    // How long after our own input its `resumed` may take to come back.
    static constexpr double ownInputWindow = 0.5;
    // How late an `idled` may be read after the compositor sent it.
    static constexpr double deliveryMargin = 0.5;

    WaylandIdleWatch(WaylandConnection& connection, wl_seat* seat);

    bool available() const { return timeout_.available(); }
    double secondsSinceLastInput() const;

  private:
    void idled();
    void resumed();
    bool isOurs(double inputTime) const;

    WaylandConnection& connection_;
    // Read back as the user's last input when the watch stays busy without us.
    mutable double userLastInput_;
    // Whether the compositor counts the seat as in use, and since when.
    bool busy_ = true;
    double busySince_;
    WaylandIdleTimeout timeout_;
};

} // namespace wigglet::desktop
