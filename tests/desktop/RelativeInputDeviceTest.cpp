#include "platform/linux/wayland/RelativeInputDevice.h"

#include "platform/linux/dbus/RemoteDesktopPortal.h"
#include "platform/linux/wayland/WaylandVirtualKeyboard.h"
#include "support/EventLoop.h"
#include "support/PortalTestBus.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

using wigglet::Point;
using namespace wigglet::desktop;
using namespace wigglet::testing;
using Notification = FakeRemoteDesktopPortal::Notification;

namespace {

using PortalInput = PortalTestBus;

// Motion is whole-pixel steps, out and back summing to exactly zero; buttons are evdev's, the wheel
// vertical steps; held modifiers are pressed and released as their keys.
TEST_F(PortalInput, ArrivesAtThePortalAsTheDesktopsOwnInput) {
    FakeRemoteDesktopPortal& fake = startPortal();
    const QDBusConnection client = connectClient();
    // The pointer is found at (100, 100) before the first motion.
    const auto device = RelativeInputDevice::overPortal(
        client,
        [] {
            return std::optional<Point>(Point{100, 100});
        },
        1, token());
    ASSERT_TRUE(device);
    auto& portal = static_cast<RemoteDesktopPortal&>(device->channel());
    ASSERT_TRUE(runUntil([&] { return portal.state() == RemoteDesktopPortal::State::started; }));
    const wigglet::Rect layout{{0, 0}, {1920, 1080}};
    device->moveTo({130, 80}, layout);
    device->moveTo({90, 110.5}, layout);
    device->moveTo({100, 100}, layout);
    device->button(BTN_LEFT, true);
    device->button(BTN_LEFT, false);
    device->wheel(-2, 15);
    device->holdModifiers(WaylandVirtualKeyboard::Shift | WaylandVirtualKeyboard::Control);
    device->key(KEY_TAB, true);
    device->key(KEY_TAB, false);
    device->holdModifiers(0);
    settle(client);
    const QString motion = QStringLiteral("NotifyPointerMotion");
    const QString button = QStringLiteral("NotifyPointerButton");
    const QString keycode = QStringLiteral("NotifyKeyboardKeycode");
    EXPECT_EQ(fake.notifications(),
              (std::vector<Notification>{{motion, {30.0, -20.0}},
                                         {motion, {-40.0, 31.0}},
                                         {motion, {10.0, -11.0}},
                                         {button, {BTN_LEFT, 1u}},
                                         {button, {BTN_LEFT, 0u}},
                                         {"NotifyPointerAxisDiscrete", {0u, -2}},
                                         {keycode, {KEY_LEFTSHIFT, 1u}},
                                         {keycode, {KEY_LEFTCTRL, 1u}},
                                         {keycode, {KEY_TAB, 1u}},
                                         {keycode, {KEY_TAB, 0u}},
                                         {keycode, {KEY_LEFTSHIFT, 0u}},
                                         {keycode, {KEY_LEFTCTRL, 0u}}}));
}

} // namespace
