#include "platform/linux/wayland/KdeFakeInput.h"

#include "platform/linux/wayland/WaylandConnection.h"

#include <cmath>
#include <kde-fake-input-client-protocol.h>
#include <wayland-client.h>

namespace wigglet::desktop {

namespace {

constexpr std::uint32_t absoluteMotionSince = 3;
constexpr std::uint32_t keyboardSince = 4;

} // namespace

std::unique_ptr<KdeFakeInput> KdeFakeInput::create(WaylandConnection& connection) {
    auto* input = static_cast<org_kde_kwin_fake_input*>(
        connection.bind(org_kde_kwin_fake_input_interface, keyboardSince));
    if (!input)
        return nullptr;
    // Without absolute motion the pointer could not be put back where it was.
    if (org_kde_kwin_fake_input_get_version(input) < absoluteMotionSince) {
        org_kde_kwin_fake_input_destroy(input);
        return nullptr;
    }
    org_kde_kwin_fake_input_authenticate(input, "Wigglet",
                                         "Moves the pointer and presses keys while you are away");
    return std::unique_ptr<KdeFakeInput>(new KdeFakeInput(input));
}

KdeFakeInput::~KdeFakeInput() {
    org_kde_kwin_fake_input_destroy(input_);
}

bool KdeFakeInput::hasKeyboard() const {
    return org_kde_kwin_fake_input_get_version(input_) >= keyboardSince;
}

void KdeFakeInput::moveTo(Point compositor, const Rect&) {
    if (std::isnan(compositor.x) || std::isnan(compositor.y))
        return;
    org_kde_kwin_fake_input_pointer_motion_absolute(input_, wl_fixed_from_double(compositor.x),
                                                    wl_fixed_from_double(compositor.y));
}

void KdeFakeInput::button(std::uint32_t evdev, bool down) {
    org_kde_kwin_fake_input_button(
        input_, evdev, down ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
}

void KdeFakeInput::wheel(int clicks, int pixelsPerClick) {
    org_kde_kwin_fake_input_axis(input_, WL_POINTER_AXIS_VERTICAL_SCROLL,
                                 wl_fixed_from_int(clicks * pixelsPerClick));
}

void KdeFakeInput::key(std::uint32_t evdev, bool down) {
    if (hasKeyboard())
        org_kde_kwin_fake_input_keyboard_key(
            input_, evdev, down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
}

} // namespace wigglet::desktop
