#pragma once

#include "platform/linux/dbus/PortalRestoreToken.h"
#include "platform/linux/wayland/WaylandInputDevice.h"

#include <QDBusConnection>
#include <functional>
#include <memory>
#include <optional>
#include <set>

namespace wigglet::desktop {

class RemoteDesktopPortal;

// Input through the desktop's Remote Desktop portal, for compositors that offer no protocol
// of their own (GNOME; KWin to a program other than the installed one). The portal moves the
// pointer only relatively, so each point becomes the step from the last one: the point last
// moved to, or, before the first, where the pointer reader says the pointer is.
class PortalInputDevice : public WaylandInputDevice {
  public:
    // Where the pointer is now, in the compositor's coordinates, when it can be told.
    using PointerReader = std::function<std::optional<Point>()>;

    // Absent when the bus has no Remote Desktop portal with pointer input. The desktop is
    // asked for the session right away, while the user is likely there to answer.
    static std::unique_ptr<PortalInputDevice>
    create(QDBusConnection bus, PointerReader pointer,
           PortalRestoreToken token = PortalRestoreToken(PortalRestoreToken::defaultPath()));
    PortalInputDevice(std::unique_ptr<RemoteDesktopPortal> portal, PointerReader pointer);
    ~PortalInputDevice() override;
    PortalInputDevice(const PortalInputDevice&) = delete;
    PortalInputDevice& operator=(const PortalInputDevice&) = delete;

    RemoteDesktopPortal& portal() { return *portal_; }

    bool hasKeyboard() const override { return true; }
    void moveTo(Point compositor, const Rect& layout) override;
    void button(std::uint32_t evdev, bool down) override;
    void wheel(int clicks, int pixelsPerClick) override;
    void key(std::uint32_t evdev, bool down) override;
    void holdModifiers(std::uint32_t modifiers) override;
    void frame() override {}

  private:
    std::unique_ptr<RemoteDesktopPortal> portal_;
    PointerReader pointer_;
    std::optional<Point> last_;
    std::set<std::uint32_t> keysDown_;
};

} // namespace wigglet::desktop
