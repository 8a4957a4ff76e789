#include "platform/linux/wayland/RelativeInputDevice.h"

#include "platform/linux/dbus/MutterRemoteDesktop.h"
#include "platform/linux/dbus/RemoteDesktopPortal.h"
#include "platform/linux/wayland/WaylandVirtualKeyboard.h"

#include <cmath>
#include <linux/input-event-codes.h>
#include <utility>

namespace wigglet::desktop {

namespace {

constexpr std::pair<std::uint32_t, std::uint32_t> remoteModifierKeys[] = {
    {WaylandVirtualKeyboard::Shift, KEY_LEFTSHIFT},
    {WaylandVirtualKeyboard::Control, KEY_LEFTCTRL},
    {WaylandVirtualKeyboard::Alt, KEY_LEFTALT},
    {WaylandVirtualKeyboard::Super, KEY_LEFTMETA},
};

Point wholePixel(Point point) {
    return {std::round(point.x), std::round(point.y)};
}

} // namespace

std::unique_ptr<RelativeInputDevice> RelativeInputDevice::overPortal(QDBusConnection bus,
                                                                     PointerReader pointer,
                                                                     double scale,
                                                                     PortalRestoreToken token) {
    if (!RemoteDesktopPortal::offeredOn(bus))
        return nullptr;
    auto portal = std::make_unique<RemoteDesktopPortal>(std::move(bus), std::move(token));
    portal->start();
    return std::make_unique<RelativeInputDevice>(std::move(portal), std::move(pointer), scale);
}

std::unique_ptr<RelativeInputDevice>
RelativeInputDevice::overMutter(QDBusConnection bus, PointerReader pointer, double scale) {
    if (!MutterRemoteDesktop::offeredOn(bus))
        return nullptr;
    return std::make_unique<RelativeInputDevice>(
        std::make_unique<MutterRemoteDesktop>(std::move(bus)), std::move(pointer), scale);
}

RelativeInputDevice::RelativeInputDevice(std::unique_ptr<RemoteInputChannel> channel,
                                         PointerReader pointer, double scale)
    : channel_(std::move(channel)), pointer_(std::move(pointer)), scale_(scale > 0 ? scale : 1) {}

RelativeInputDevice::~RelativeInputDevice() = default;

Point RelativeInputDevice::placeOf(Point point) const {
    return {anchor_->x + std::round((point.x - anchor_->x) * scale_),
            anchor_->y + std::round((point.y - anchor_->y) * scale_)};
}

void RelativeInputDevice::moveTo(Point compositor, const Rect&) {
    if (!std::isfinite(compositor.x) || !std::isfinite(compositor.y))
        return;
    if (!last_ && pointer_)
        if (const auto found = pointer_())
            last_ = wholePixel(*found);
    if (!last_) {
        // Nowhere to step from: the first point becomes the start.
        last_ = compositor;
    }
    if (!anchor_)
        anchor_ = wholePixel(*last_);
    const Point from = placeOf(*last_);
    const Point to = placeOf(compositor);
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    // A dropped step leaves the pointer, and so the start of the next step, where it was.
    if ((dx == 0 && dy == 0) || channel_->pointerMotion(dx, dy))
        last_ = compositor;
}

void RelativeInputDevice::button(std::uint32_t evdev, bool down) {
    channel_->pointerButton(evdev, down);
}

void RelativeInputDevice::wheel(int clicks, int) {
    channel_->pointerAxisDiscrete(clicks);
}

void RelativeInputDevice::key(std::uint32_t evdev, bool down) {
    // The press was dropped, so there is nothing to release.
    if (!down && !keysDown_.count(evdev))
        return;
    if (!channel_->keyboardKeycode(evdev, down))
        return;
    if (down)
        keysDown_.insert(evdev);
    else
        keysDown_.erase(evdev);
}

void RelativeInputDevice::holdModifiers(std::uint32_t modifiers) {
    // The desktop takes the modifiers from the keys themselves.
    for (const auto& [bit, evdev] : remoteModifierKeys) {
        const bool want = (modifiers & bit) != 0;
        if (want != (keysDown_.count(evdev) != 0))
            key(evdev, want);
    }
}

} // namespace wigglet::desktop
