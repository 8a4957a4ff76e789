#include "platform/linux/wayland/PortalInputDevice.h"

#include "platform/linux/dbus/RemoteDesktopPortal.h"
#include "platform/linux/wayland/WaylandVirtualKeyboard.h"

#include <cmath>
#include <linux/input-event-codes.h>
#include <utility>

namespace wigglet::desktop {

namespace {

constexpr std::pair<std::uint32_t, std::uint32_t> portalModifierKeys[] = {
    {WaylandVirtualKeyboard::Shift, KEY_LEFTSHIFT},
    {WaylandVirtualKeyboard::Control, KEY_LEFTCTRL},
    {WaylandVirtualKeyboard::Alt, KEY_LEFTALT},
    {WaylandVirtualKeyboard::Super, KEY_LEFTMETA},
};

} // namespace

std::unique_ptr<PortalInputDevice>
PortalInputDevice::create(QDBusConnection bus, PointerReader pointer, PortalRestoreToken token) {
    if (!RemoteDesktopPortal::offeredOn(bus))
        return nullptr;
    auto device = std::make_unique<PortalInputDevice>(
        std::make_unique<RemoteDesktopPortal>(std::move(bus), std::move(token)),
        std::move(pointer));
    device->portal().start();
    return device;
}

PortalInputDevice::PortalInputDevice(std::unique_ptr<RemoteDesktopPortal> portal,
                                     PointerReader pointer)
    : portal_(std::move(portal)), pointer_(std::move(pointer)) {}

PortalInputDevice::~PortalInputDevice() = default;

void PortalInputDevice::moveTo(Point compositor, const Rect&) {
    if (std::isnan(compositor.x) || std::isnan(compositor.y))
        return;
    if (!last_ && pointer_)
        last_ = pointer_();
    if (!last_) {
        // Nowhere to step from: the first point becomes the start.
        last_ = compositor;
        return;
    }
    const double dx = compositor.x - last_->x;
    const double dy = compositor.y - last_->y;
    // A dropped step leaves the pointer, and so the start of the next step, where it was.
    if ((dx != 0 || dy != 0) && portal_->pointerMotion(dx, dy))
        last_ = compositor;
}

void PortalInputDevice::button(std::uint32_t evdev, bool down) {
    portal_->pointerButton(evdev, down);
}

void PortalInputDevice::wheel(int clicks, int) {
    portal_->pointerAxisDiscrete(clicks);
}

void PortalInputDevice::key(std::uint32_t evdev, bool down) {
    // The press was dropped, so there is nothing to release.
    if (!down && !keysDown_.count(evdev))
        return;
    if (!portal_->keyboardKeycode(evdev, down))
        return;
    if (down)
        keysDown_.insert(evdev);
    else
        keysDown_.erase(evdev);
}

void PortalInputDevice::holdModifiers(std::uint32_t modifiers) {
    // The desktop takes the modifiers from the keys themselves.
    for (const auto& [bit, evdev] : portalModifierKeys) {
        const bool want = (modifiers & bit) != 0;
        if (want != (keysDown_.count(evdev) != 0))
            key(evdev, want);
    }
}

} // namespace wigglet::desktop
