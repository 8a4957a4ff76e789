#include "platform/linux/wayland/WlrootsVirtualInput.h"

#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/wayland/WaylandSeat.h"
#include "platform/linux/wayland/WaylandVirtualKeyboard.h"

#include <algorithm>
#include <cmath>
#include <wayland-client.h>
#include <wlr-virtual-pointer-unstable-v1-client-protocol.h>

namespace wigglet::desktop {

namespace {

std::uint32_t clamped(double value, double size) {
    if (std::isnan(value))
        return 0u;
    return static_cast<std::uint32_t>(std::clamp(std::round(value), 0.0, size - 1));
}

} // namespace

std::unique_ptr<WlrootsVirtualInput> WlrootsVirtualInput::create(WaylandConnection& connection,
                                                                 WaylandSeat& seat) {
    auto* manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
        connection.bind(zwlr_virtual_pointer_manager_v1_interface, 1));
    if (!manager)
        return nullptr;
    if (!seat.seat()) {
        zwlr_virtual_pointer_manager_v1_destroy(manager);
        return nullptr;
    }
    auto* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat.seat());
    return std::unique_ptr<WlrootsVirtualInput>(new WlrootsVirtualInput(
        manager, pointer, std::make_unique<WaylandVirtualKeyboard>(connection, seat)));
}

WlrootsVirtualInput::WlrootsVirtualInput(zwlr_virtual_pointer_manager_v1* manager,
                                         zwlr_virtual_pointer_v1* pointer,
                                         std::unique_ptr<WaylandVirtualKeyboard> keyboard)
    : manager_(manager), pointer_(pointer), keyboard_(std::move(keyboard)) {}

WlrootsVirtualInput::~WlrootsVirtualInput() {
    keyboard_.reset();
    zwlr_virtual_pointer_v1_destroy(pointer_);
    zwlr_virtual_pointer_manager_v1_destroy(manager_);
}

bool WlrootsVirtualInput::hasKeyboard() const {
    return keyboard_->ready();
}

void WlrootsVirtualInput::moveTo(Point compositor, const Rect& layout) {
    // Absolute motion is relative to the box around every output.
    zwlr_virtual_pointer_v1_motion_absolute(
        pointer_, WaylandConnection::timestamp(),
        clamped(compositor.x - layout.origin.x, layout.size.width),
        clamped(compositor.y - layout.origin.y, layout.size.height),
        static_cast<std::uint32_t>(layout.size.width),
        static_cast<std::uint32_t>(layout.size.height));
}

void WlrootsVirtualInput::button(std::uint32_t evdev, bool down) {
    zwlr_virtual_pointer_v1_button(pointer_, WaylandConnection::timestamp(), evdev,
                                   down ? WL_POINTER_BUTTON_STATE_PRESSED
                                        : WL_POINTER_BUTTON_STATE_RELEASED);
}

void WlrootsVirtualInput::wheel(int clicks, int pixelsPerClick) {
    zwlr_virtual_pointer_v1_axis_source(pointer_, WL_POINTER_AXIS_SOURCE_WHEEL);
    zwlr_virtual_pointer_v1_axis_discrete(pointer_, WaylandConnection::timestamp(),
                                          WL_POINTER_AXIS_VERTICAL_SCROLL,
                                          wl_fixed_from_int(clicks * pixelsPerClick), clicks);
}

void WlrootsVirtualInput::key(std::uint32_t evdev, bool down) {
    keyboard_->key(evdev, down);
}

void WlrootsVirtualInput::holdModifiers(std::uint32_t modifiers) {
    keyboard_->holdModifiers(modifiers);
}

void WlrootsVirtualInput::frame() {
    zwlr_virtual_pointer_v1_frame(pointer_);
}

} // namespace wigglet::desktop
