#include "platform/linux/wayland/WaylandEventSource.h"

#include "platform/linux/wayland/EvdevKeyTable.h"
#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/wayland/WaylandIdleWatch.h"
#include "platform/linux/wayland/WaylandScreens.h"
#include "platform/linux/wayland/WaylandSeat.h"
#include "platform/linux/wayland/WaylandVirtualKeyboard.h"

#include <algorithm>
#include <cmath>
#include <linux/input-event-codes.h>
#include <wayland-client.h>
#include <wlr-virtual-pointer-unstable-v1-client-protocol.h>

namespace wigglet::desktop {

namespace {

constexpr std::uint64_t commandFlag = 0x100000;
constexpr std::uint64_t shiftFlag = 0x20000;
constexpr std::uint64_t optionFlag = 0x80000;
constexpr std::uint64_t controlFlag = 0x40000;
constexpr std::uint64_t modifierFlags = commandFlag | shiftFlag | optionFlag | controlFlag;

constexpr std::uint16_t rightBracketKey = 30;
constexpr std::uint16_t leftBracketKey = 33;

// Key types of the auxiliary control buttons carried in a system-defined event's data1.
constexpr std::int64_t soundUpKey = 0;
constexpr std::int64_t soundDownKey = 1;
constexpr std::int64_t brightnessUpKey = 2;
constexpr std::int64_t brightnessDownKey = 3;
constexpr std::int64_t muteKey = 7;

std::uint32_t milliseconds() {
    return static_cast<std::uint32_t>(WaylandConnection::now() * 1000.0);
}

std::optional<std::uint32_t> auxiliaryKey(std::int64_t keyType) {
    switch (keyType) {
    case soundUpKey:
        return KEY_VOLUMEUP;
    case soundDownKey:
        return KEY_VOLUMEDOWN;
    case brightnessUpKey:
        return KEY_BRIGHTNESSUP;
    case brightnessDownKey:
        return KEY_BRIGHTNESSDOWN;
    case muteKey:
        return KEY_MUTE;
    }
    return std::nullopt;
}

} // namespace

WaylandEventSource::WaylandEventSource(WaylandConnection* connection, WaylandSeat* seat,
                                       WaylandScreens& screens, int pixelsPerWheelClick)
    : connection_(connection), screens_(screens),
      pixelsPerWheelClick_(pixelsPerWheelClick > 0 ? pixelsPerWheelClick : 1) {
    if (!connection_ || !seat)
        return;
    manager_ = static_cast<zwlr_virtual_pointer_manager_v1*>(
        connection_->bind(zwlr_virtual_pointer_manager_v1_interface, 1));
    if (manager_ && seat->seat())
        pointer_ = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager_, seat->seat());
    keyboard_ = std::make_unique<WaylandVirtualKeyboard>(*connection_, *seat);
    idle_ = std::make_unique<WaylandIdleWatch>(*connection_, seat->seat());
    connection_->roundtrip();
}

WaylandEventSource::~WaylandEventSource() {
    if (!connection_)
        return;
    // Keys still held would stay down in the compositor.
    for (const auto& [virtualKey, stroke] : keysDown_)
        release(stroke);
    idle_.reset();
    keyboard_.reset();
    if (pointer_)
        zwlr_virtual_pointer_v1_destroy(pointer_);
    if (manager_)
        zwlr_virtual_pointer_manager_v1_destroy(manager_);
    connection_->flush();
}

double WaylandEventSource::secondsSinceLastInput() {
    return idle_ ? idle_->secondsSinceLastInput() : 0;
}

bool WaylandEventSource::measuresIdleTime() const {
    return idle_ && idle_->available();
}

bool WaylandEventSource::hasKeyboard() const {
    return keyboard_ && keyboard_->ready();
}

void WaylandEventSource::doPost(const MouseEvent& event) {
    if (!pointer_)
        return;
    const bool right =
        event.type == MouseEventType::RightDown || event.type == MouseEventType::RightUp;
    const bool down =
        event.type == MouseEventType::LeftDown || event.type == MouseEventType::RightDown;
    moveTo(event.location);
    zwlr_virtual_pointer_v1_button(pointer_, milliseconds(), right ? BTN_RIGHT : BTN_LEFT,
                                   down ? WL_POINTER_BUTTON_STATE_PRESSED
                                        : WL_POINTER_BUTTON_STATE_RELEASED);
    frame();
}

void WaylandEventSource::doPost(const ScrollEvent& event) {
    if (!pointer_)
        return;
    // Wheels move in whole clicks; the pixels short of a click wait for the next event.
    wheelRemainder_ += event.value;
    const int clicks = wheelRemainder_ / pixelsPerWheelClick_;
    wheelRemainder_ -= clicks * pixelsPerWheelClick_;
    moveTo(event.location);
    if (clicks != 0) {
        // Wayland's vertical axis grows downwards, the core's scroll value upwards.
        zwlr_virtual_pointer_v1_axis_source(pointer_, WL_POINTER_AXIS_SOURCE_WHEEL);
        zwlr_virtual_pointer_v1_axis_discrete(
            pointer_, milliseconds(), WL_POINTER_AXIS_VERTICAL_SCROLL,
            wl_fixed_from_int(-clicks * pixelsPerWheelClick_), -clicks);
    }
    frame();
}

std::optional<WaylandEventSource::Stroke> WaylandEventSource::strokeFor(const KeyEvent& event) {
    using Modifier = WaylandVirtualKeyboard::Modifier;
    const std::uint64_t flags = event.flags & modifierFlags;
    // Command-Shift-] and Command-Shift-[ mean the next and previous tab; the desktop's own
    // shortcuts for them are Ctrl+Page_Down and Ctrl+Page_Up.
    if (flags == (commandFlag | shiftFlag) && event.keyCode == rightBracketKey)
        return Stroke{KEY_PAGEDOWN, {KEY_LEFTCTRL}, Modifier::Control};
    if (flags == (commandFlag | shiftFlag) && event.keyCode == leftBracketKey)
        return Stroke{KEY_PAGEUP, {KEY_LEFTCTRL}, Modifier::Control};
    const auto evdev = EvdevKeyTable::evdevFor(event.keyCode);
    if (!evdev)
        return std::nullopt;
    Stroke stroke{*evdev, {}, 0};
    const auto hold = [&stroke](std::uint32_t key, std::uint32_t modifier) {
        stroke.modifierKeys.push_back(key);
        stroke.modifiers |= modifier;
    };
    if (flags & controlFlag)
        hold(KEY_LEFTCTRL, Modifier::Control);
    if (flags & optionFlag)
        hold(KEY_LEFTALT, Modifier::Alt);
    if (flags & shiftFlag)
        hold(KEY_LEFTSHIFT, Modifier::Shift);
    if (flags & commandFlag)
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
        keyboard_->key(stroke->evdev, false);
    }
    connection_->noteSyntheticInput();
}

void WaylandEventSource::doPost(const SystemDefinedEvent& event) {
    if (!hasKeyboard())
        return;
    const auto key = auxiliaryKey((event.data1 >> 16) & 0xFF);
    if (!key)
        return;
    keyboard_->key(*key, (event.data1 & 0xFF00) == 0x0A00);
    connection_->noteSyntheticInput();
}

void WaylandEventSource::doWarp(Point location) {
    if (!pointer_)
        return;
    moveTo(location);
    frame();
}

void WaylandEventSource::doNudge(Point location) {
    doWarp(location);
}

void WaylandEventSource::press(const Stroke& stroke) {
    for (const std::uint32_t key : stroke.modifierKeys)
        keyboard_->key(key, true);
    keyboard_->holdModifiers(stroke.modifiers);
    keyboard_->key(stroke.evdev, true);
}

void WaylandEventSource::release(const Stroke& stroke) {
    keyboard_->key(stroke.evdev, false);
    for (auto key = stroke.modifierKeys.rbegin(); key != stroke.modifierKeys.rend(); ++key)
        keyboard_->key(*key, false);
    keyboard_->holdModifiers(0);
}

void WaylandEventSource::moveTo(Point global) {
    const auto layout = screens_.layoutBox();
    const auto primary = screens_.primaryBox();
    if (!layout || !primary)
        return;
    const auto clamp = [](double value, double size) {
        if (std::isnan(value))
            return 0u;
        return static_cast<std::uint32_t>(std::clamp(std::round(value), 0.0, size - 1));
    };
    // Absolute motion is relative to the box around every output.
    const double x = global.x + primary->origin.x - layout->origin.x;
    const double y = global.y + primary->origin.y - layout->origin.y;
    zwlr_virtual_pointer_v1_motion_absolute(pointer_, milliseconds(), clamp(x, layout->size.width),
                                            clamp(y, layout->size.height),
                                            static_cast<std::uint32_t>(layout->size.width),
                                            static_cast<std::uint32_t>(layout->size.height));
    screens_.noteWarp(global);
}

void WaylandEventSource::frame() {
    zwlr_virtual_pointer_v1_frame(pointer_);
    connection_->noteSyntheticInput();
}

} // namespace wigglet::desktop
