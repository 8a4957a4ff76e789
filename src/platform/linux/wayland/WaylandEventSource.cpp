#include "platform/linux/wayland/WaylandEventSource.h"

#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "platform/linux/IdleClock.h"
#include "platform/linux/dbus/LogindBacklight.h"
#include "platform/linux/wayland/EvdevKeyTable.h"
#include "platform/linux/wayland/KdeFakeInput.h"
#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/wayland/WaylandIdleWatch.h"
#include "platform/linux/wayland/WaylandScreens.h"
#include "platform/linux/wayland/WaylandSeat.h"
#include "platform/linux/wayland/WaylandVirtualKeyboard.h"
#include "platform/linux/wayland/WlrootsVirtualInput.h"

#include <linux/input-event-codes.h>

namespace wigglet::desktop {

namespace {

constexpr std::uint64_t modifierFlags =
    modifierFlag::command | modifierFlag::shift | modifierFlag::option | modifierFlag::control;

std::optional<std::uint32_t> auxiliaryEvdevKey(std::int64_t keyType) {
    switch (keyType) {
    case auxiliaryKey::soundUp:
        return KEY_VOLUMEUP;
    case auxiliaryKey::soundDown:
        return KEY_VOLUMEDOWN;
    case auxiliaryKey::brightnessUp:
        return KEY_BRIGHTNESSUP;
    case auxiliaryKey::brightnessDown:
        return KEY_BRIGHTNESSDOWN;
    case auxiliaryKey::mute:
        return KEY_MUTE;
    }
    return std::nullopt;
}

} // namespace

WaylandEventSource::WaylandEventSource(WaylandConnection* connection, WaylandSeat* seat,
                                       WaylandScreens& screens, int pixelsPerWheelClick,
                                       LogindBacklight* backlight, FallbackDevice fallback,
                                       FallbackIdle fallbackIdle)
    : connection_(connection), screens_(screens), backlight_(backlight),
      pixelsPerWheelClick_(pixelsPerWheelClick > 0 ? pixelsPerWheelClick : 1) {
    if (!connection_ || !seat)
        return;
    device_ = WlrootsVirtualInput::create(*connection_, *seat);
    if (!device_)
        device_ = KdeFakeInput::create(*connection_);
    if (!device_ && fallback) {
        device_ = fallback();
        usesFallback_ = device_ != nullptr;
    }
    idle_ = std::make_unique<WaylandIdleWatch>(*connection_, seat->seat());
    connection_->roundtrip();
    if (!idle_->available() && fallbackIdle)
        fallbackIdle_ = fallbackIdle();
}

WaylandEventSource::~WaylandEventSource() {
    if (!connection_)
        return;
    // Keys still held would stay down in the compositor.
    for (const auto& [virtualKey, stroke] : keysDown_)
        release(stroke);
    idle_.reset();
    fallbackIdle_.reset();
    device_.reset();
    connection_->flush();
}

double WaylandEventSource::secondsSinceLastInput() {
    if (fallbackIdle_)
        return fallbackIdle_->secondsSinceLastInput();
    return idle_ ? idle_->secondsSinceLastInput() : 0;
}

bool WaylandEventSource::measuresIdleTime() const {
    return (idle_ && idle_->available()) || fallbackIdle_;
}

bool WaylandEventSource::hasKeyboard() const {
    return device_ && device_->hasKeyboard();
}

void WaylandEventSource::doPost(const MouseEvent& event) {
    if (!device_)
        return;
    const bool right =
        event.type == MouseEventType::RightDown || event.type == MouseEventType::RightUp;
    const bool down =
        event.type == MouseEventType::LeftDown || event.type == MouseEventType::RightDown;
    moveTo(event.location);
    device_->button(right ? BTN_RIGHT : BTN_LEFT, down);
    frame();
}

void WaylandEventSource::doPost(const ScrollEvent& event) {
    if (!device_)
        return;
    // Wheels move in whole clicks; the pixels short of a click wait for the next event.
    wheelRemainder_ += event.value;
    const int clicks = wheelRemainder_ / pixelsPerWheelClick_;
    wheelRemainder_ -= clicks * pixelsPerWheelClick_;
    moveTo(event.location);
    if (clicks != 0) {
        // Wayland's vertical axis grows downwards, the core's scroll value upwards.
        device_->wheel(-clicks, pixelsPerWheelClick_);
    }
    frame();
}

std::optional<WaylandEventSource::Stroke> WaylandEventSource::strokeFor(const KeyEvent& event) {
    using Modifier = WaylandVirtualKeyboard::Modifier;
    const std::uint64_t flags = event.flags & modifierFlags;
    // Command-Shift-] and Command-Shift-[ mean the next and previous tab; the desktop's own
    // shortcuts for them are Ctrl+Page_Down and Ctrl+Page_Up.
    if (flags == (modifierFlag::command | modifierFlag::shift) &&
        event.keyCode == virtualKey::ansiRightBracket)
        return Stroke{KEY_PAGEDOWN, {KEY_LEFTCTRL}, Modifier::Control};
    if (flags == (modifierFlag::command | modifierFlag::shift) &&
        event.keyCode == virtualKey::ansiLeftBracket)
        return Stroke{KEY_PAGEUP, {KEY_LEFTCTRL}, Modifier::Control};
    const auto evdev = EvdevKeyTable::evdevFor(event.keyCode);
    if (!evdev)
        return std::nullopt;
    Stroke stroke{*evdev, {}, 0};
    const auto hold = [&stroke](std::uint32_t key, std::uint32_t modifier) {
        stroke.modifierKeys.push_back(key);
        stroke.modifiers |= modifier;
    };
    if (flags & modifierFlag::control)
        hold(KEY_LEFTCTRL, Modifier::Control);
    if (flags & modifierFlag::option)
        hold(KEY_LEFTALT, Modifier::Alt);
    if (flags & modifierFlag::shift)
        hold(KEY_LEFTSHIFT, Modifier::Shift);
    if (flags & modifierFlag::command)
        hold(KEY_LEFTMETA, Modifier::Super);
    return stroke;
}

void WaylandEventSource::doPost(const KeyEvent& event) {
    if (!hasKeyboard())
        return;
    if (event.down) {
        const auto stroke = strokeFor(event);
        if (!stroke)
            return;
        press(*stroke);
        keysDown_[event.keyCode] = *stroke;
    } else if (const auto it = keysDown_.find(event.keyCode); it != keysDown_.end()) {
        release(it->second);
        keysDown_.erase(it);
    } else if (const auto stroke = strokeFor(event)) {
        // The key-down was never posted, so no modifier is held for this key.
        device_->key(stroke->evdev, false);
    }
    connection_->noteSyntheticInput();
}

void WaylandEventSource::doPost(const SystemDefinedEvent& event) {
    if ((backlight_ && backlight_->take(event)) || !hasKeyboard())
        return;
    const auto key = auxiliaryEvdevKey((event.data1 >> 16) & 0xFF);
    if (!key)
        return;
    device_->key(*key, (event.data1 & 0xFF00) == 0x0A00);
    connection_->noteSyntheticInput();
}

void WaylandEventSource::doWarp(Point location) {
    if (!device_)
        return;
    moveTo(location);
    frame();
}

void WaylandEventSource::doNudge(Point location) {
    doWarp(location);
}

void WaylandEventSource::press(const Stroke& stroke) {
    for (const std::uint32_t key : stroke.modifierKeys)
        device_->key(key, true);
    device_->holdModifiers(stroke.modifiers);
    device_->key(stroke.evdev, true);
}

void WaylandEventSource::release(const Stroke& stroke) {
    device_->key(stroke.evdev, false);
    for (auto key = stroke.modifierKeys.rbegin(); key != stroke.modifierKeys.rend(); ++key)
        device_->key(*key, false);
    device_->holdModifiers(0);
}

void WaylandEventSource::moveTo(Point global) {
    const auto layout = screens_.layoutBox();
    const auto primary = screens_.primaryBox();
    if (!layout || !primary)
        return;
    device_->moveTo({global.x + primary->origin.x, global.y + primary->origin.y}, *layout);
    screens_.noteWarp(global);
}

void WaylandEventSource::frame() {
    device_->frame();
    connection_->noteSyntheticInput();
}

} // namespace wigglet::desktop
