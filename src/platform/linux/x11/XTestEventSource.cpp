#include "platform/linux/x11/XTestEventSource.h"

#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "platform/linux/dbus/LogindBacklight.h"
#include "platform/linux/x11/VirtualKeyTable.h"
#include "platform/linux/x11/XConnection.h"
#include "platform/linux/x11/XPrimaryOutput.h"

#include <X11/XF86keysym.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/scrnsaver.h>
#include <X11/keysym.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <xcb/screensaver.h>
#include <xcb/xcbext.h>

namespace wigglet::desktop {

namespace {

constexpr std::uint64_t modifierFlags =
    modifierFlag::command | modifierFlag::shift | modifierFlag::option | modifierFlag::control;

constexpr unsigned leftButton = 1;
constexpr unsigned rightButton = 3;
constexpr unsigned wheelUpButton = 4;
constexpr unsigned wheelDownButton = 5;

// X coordinates are 16-bit; anything further out, or not a number, is pinned to the edge.
int rootCoordinate(double value, int offset) {
    if (std::isnan(value))
        return offset;
    return static_cast<int>(std::clamp(std::round(value) + offset, -32768.0, 32767.0));
}

std::optional<std::uint32_t> auxiliaryKeysym(std::int64_t keyType) {
    switch (keyType) {
    case auxiliaryKey::soundUp:
        return XF86XK_AudioRaiseVolume;
    case auxiliaryKey::soundDown:
        return XF86XK_AudioLowerVolume;
    case auxiliaryKey::brightnessUp:
        return XF86XK_MonBrightnessUp;
    case auxiliaryKey::brightnessDown:
        return XF86XK_MonBrightnessDown;
    case auxiliaryKey::mute:
        return XF86XK_AudioMute;
    }
    return std::nullopt;
}

} // namespace

XTestEventSource::XTestEventSource(XConnection* connection, int pixelsPerWheelClick,
                                   LogindBacklight* backlight)
    : connection_(connection), backlight_(backlight),
      pixelsPerWheelClick_(pixelsPerWheelClick > 0 ? pixelsPerWheelClick : 1) {
    if (!connection_)
        return;
    Display* display = connection_->display();
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    hasXTest_ = XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor);
    hasIdleTime_ = XScreenSaverQueryExtension(display, &eventBase, &errorBase);
    // Synthetic input must not wait while another client holds the server grabbed.
    if (hasXTest_)
        XTestGrabControl(display, True);
    keymap_ = std::make_unique<XKeymap>(display);
    // The first reading, before any input of ours, says when the user was last seen.
    if (hasIdleTime_)
        secondsSinceLastInput();
}

XTestEventSource::~XTestEventSource() {
    // Keys still held would stay down on the server after the connection closes.
    if (!ready())
        return;
    for (const auto& [virtualKey, stroke] : keysDown_)
        release(stroke);
    flush();
}

namespace {

// Long enough for any local server's answer; a remote one is then waited for asleep.
constexpr double awakeReplyWaitSeconds = 0.002;

double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

// The reply is awaited awake for a short while: a local server answers within a fraction of a
// millisecond, and sleeping on the socket would cost a second wake-up on every tick.
std::optional<std::int64_t> XTestEventSource::serverIdleMs() {
    xcb_connection_t* xcb = XGetXCBConnection(connection_->display());
    const auto cookie =
        xcb_screensaver_query_info(xcb, static_cast<xcb_drawable_t>(connection_->rootWindow()));
    xcb_flush(xcb);
    void* answer = nullptr;
    xcb_generic_error_t* error = nullptr;
    const double giveUpAt = steadySeconds() + awakeReplyWaitSeconds;
    while (!xcb_poll_for_reply(xcb, cookie.sequence, &answer, &error) &&
           steadySeconds() < giveUpAt) {
    }
    auto* reply = static_cast<xcb_screensaver_query_info_reply_t*>(answer);
    if (!reply && !error)
        reply = xcb_screensaver_query_info_reply(xcb, cookie, &error);
    std::free(error);
    if (!reply)
        return std::nullopt;
    const std::int64_t idle = reply->ms_since_user_input;
    std::free(reply);
    return idle;
}

double XTestEventSource::secondsSinceLastInput() {
    if (!connection_ || !hasIdleTime_)
        return 0;
    const double askedAt = steadySeconds();
    const auto idle = serverIdleMs();
    if (!idle)
        return 0;
    return ownInput_.userIdle(askedAt, *idle, connection_->lastSyntheticInput());
}

void XTestEventSource::doPost(const MouseEvent& event) {
    if (!ready())
        return;
    const bool right =
        event.type == MouseEventType::RightDown || event.type == MouseEventType::RightUp;
    const bool down =
        event.type == MouseEventType::LeftDown || event.type == MouseEventType::RightDown;
    moveTo(event.location);
    button(right ? rightButton : leftButton, down);
    flush();
}

void XTestEventSource::doPost(const ScrollEvent& event) {
    if (!ready())
        return;
    // Wheel buttons move in whole clicks; the pixels short of a click wait for the next event.
    wheelRemainder_ += event.value;
    const int clicks = wheelRemainder_ / pixelsPerWheelClick_;
    wheelRemainder_ -= clicks * pixelsPerWheelClick_;
    moveTo(event.location);
    const unsigned wheel = clicks > 0 ? wheelUpButton : wheelDownButton;
    for (int i = 0; i < std::abs(clicks); ++i) {
        button(wheel, true);
        button(wheel, false);
    }
    flush();
}

std::optional<XTestEventSource::Stroke> XTestEventSource::strokeFor(const KeyEvent& event) {
    const std::uint64_t flags = event.flags & modifierFlags;
    // Command-Shift-] and Command-Shift-[ mean the next and previous tab; the desktop's own
    // shortcuts for them are Ctrl+Page_Down and Ctrl+Page_Up.
    if (flags == (modifierFlag::command | modifierFlag::shift) &&
        event.keyCode == virtualKey::ansiRightBracket)
        return Stroke{XK_Page_Down, {XK_Control_L}};
    if (flags == (modifierFlag::command | modifierFlag::shift) &&
        event.keyCode == virtualKey::ansiLeftBracket)
        return Stroke{XK_Page_Up, {XK_Control_L}};
    const auto keysym = VirtualKeyTable::keysymFor(event.keyCode);
    if (!keysym)
        return std::nullopt;
    Stroke stroke{*keysym, {}};
    if (flags & modifierFlag::control)
        stroke.modifiers.push_back(XK_Control_L);
    if (flags & modifierFlag::option)
        stroke.modifiers.push_back(XK_Alt_L);
    if (flags & modifierFlag::shift)
        stroke.modifiers.push_back(XK_Shift_L);
    if (flags & modifierFlag::command)
        stroke.modifiers.push_back(XK_Super_L);
    return stroke;
}

void XTestEventSource::doPost(const KeyEvent& event) {
    if (!ready())
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
        key(stroke->keysym, false);
    }
    flush();
}

void XTestEventSource::doPost(const SystemDefinedEvent& event) {
    if ((backlight_ && backlight_->take(event)) || !ready())
        return;
    const auto keysym = auxiliaryKeysym((event.data1 >> 16) & 0xFF);
    if (!keysym)
        return;
    key(*keysym, (event.data1 & 0xFF00) == 0x0A00);
    flush();
}

void XTestEventSource::doWarp(Point location) {
    if (!ready())
        return;
    moveTo(location);
    flush();
}

void XTestEventSource::doNudge(Point location) {
    doWarp(location);
}

void XTestEventSource::moveTo(Point global) {
    Display* display = connection_->display();
    const auto primary = XPrimaryOutput::geometry(display);
    XTestFakeMotionEvent(display, DefaultScreen(display),
                         rootCoordinate(global.x, primary ? primary->x : 0),
                         rootCoordinate(global.y, primary ? primary->y : 0), CurrentTime);
}

void XTestEventSource::press(const Stroke& stroke) {
    for (const std::uint32_t modifier : stroke.modifiers)
        key(modifier, true);
    key(stroke.keysym, true);
}

void XTestEventSource::release(const Stroke& stroke) {
    key(stroke.keysym, false);
    for (auto modifier = stroke.modifiers.rbegin(); modifier != stroke.modifiers.rend(); ++modifier)
        key(*modifier, false);
}

void XTestEventSource::button(unsigned number, bool down) {
    XTestFakeButtonEvent(connection_->display(), number, down ? True : False, CurrentTime);
}

void XTestEventSource::key(std::uint32_t keysym, bool down) {
    const auto keycode = keymap_->keycodeFor(keysym, XKeymap::WhenMissing::BorrowSpareKeycode);
    if (keycode)
        XTestFakeKeyEvent(connection_->display(), *keycode, down ? True : False, CurrentTime);
}

void XTestEventSource::flush() {
    connection_->noteSyntheticInput();
}

} // namespace wigglet::desktop
