#pragma once

#include "platform/linux/dbus/PortalRestoreToken.h"
#include "platform/linux/wayland/WaylandInputDevice.h"

#include <QDBusConnection>
#include <functional>
#include <memory>
#include <optional>
#include <set>

namespace wigglet::desktop {

class RemoteInputChannel;

// Input through a remote-desktop service of the desktop (its Remote Desktop portal, or
// GNOME's own interface), for compositors that offer no protocol of their own. These move the
// pointer only relatively, so each point becomes the whole-pixel step from the last one: the
// point last moved to, or, before the first, where the pointer reader says the pointer is.
// Points are rounded before they are told apart, so a path that comes back to its start
// sums to exactly zero, however many steps it took. Where the pointer cannot be read, a
// path may run into a screen edge, which holds the pointer back and keeps the return short;
// the scale shrinks every path about the first point, so that such losses stay small.
class RelativeInputDevice : public WaylandInputDevice {
  public:
    // Where the pointer is now, in the compositor's coordinates, when it can be told.
    using PointerReader = std::function<std::optional<Point>()>;

    // Absent when the bus has no Remote Desktop portal with pointer input. The desktop is
    // asked for the session right away, while the user is likely there to answer.
    static std::unique_ptr<RelativeInputDevice>
    overPortal(QDBusConnection bus, PointerReader pointer, double scale = 1,
               PortalRestoreToken token = PortalRestoreToken(PortalRestoreToken::defaultPath()));
    // Absent when the bus has no GNOME remote-desktop interface. Nothing is asked.
    static std::unique_ptr<RelativeInputDevice> overMutter(QDBusConnection bus,
                                                           PointerReader pointer, double scale = 1);

    RelativeInputDevice(std::unique_ptr<RemoteInputChannel> channel, PointerReader pointer,
                        double scale = 1);
    ~RelativeInputDevice() override;
    RelativeInputDevice(const RelativeInputDevice&) = delete;
    RelativeInputDevice& operator=(const RelativeInputDevice&) = delete;

    RemoteInputChannel& channel() { return *channel_; }

    bool hasKeyboard() const override { return true; }
    void moveTo(Point compositor, const Rect& layout) override;
    void button(std::uint32_t evdev, bool down) override;
    void wheel(int clicks, int pixelsPerClick) override;
    void key(std::uint32_t evdev, bool down) override;
    void holdModifiers(std::uint32_t modifiers) override;
    void frame() override {}

  private:
    // Where a point of the caller's puts the pointer, in whole pixels.
    Point placeOf(Point point) const;

    std::unique_ptr<RemoteInputChannel> channel_;
    PointerReader pointer_;
    double scale_;
    std::optional<Point> anchor_;
    std::optional<Point> last_;
    std::set<std::uint32_t> keysDown_;
};

} // namespace wigglet::desktop
