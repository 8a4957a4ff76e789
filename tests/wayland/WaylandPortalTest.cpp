#include "platform/EventSource.h"
#include "platform/linux/LinuxDesktopOptions.h"
#include "platform/linux/wayland/WaylandBackend.h"
#include "support/BusPeer.h"
#include "support/EventLoop.h"
#include "support/FakeRemoteDesktopPortal.h"
#include "support/HeadlessCompositor.h"
#include "support/PrivateBus.h"

#include <gtest/gtest.h>

using namespace wigglet;
using namespace wigglet::desktop;
using namespace wigglet::testing;
using Notification = FakeRemoteDesktopPortal::Notification;

namespace {

// weston offers no input protocol, as GNOME does not; the portal is on the session bus.
TEST(WestonPortalTest, InputGoesThroughTheRemoteDesktopPortalAndOneLineSaysSo) {
    std::string whyNot;
    auto weston = HeadlessCompositor::start(HeadlessCompositor::Kind::Weston, whyNot);
    ASSERT_TRUE(weston) << whyNot;
    const auto bus = PrivateBus::start(whyNot);
    ASSERT_TRUE(bus) << whyNot;
    auto fake = std::make_unique<FakeRemoteDesktopPortal>(1);
    FakeRemoteDesktopPortal& portal = *fake;
    BusPeer peer(*bus, "org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                 std::move(fake),
                 QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
    ASSERT_TRUE(peer.isRegistered());

    WaylandBackend backend(weston->socket(), bus->connect("wigglet"));
    ASSERT_EQ(backend.prepare(), "");
    backend.start(LinuxDesktopOptions{});
    EXPECT_TRUE(backend.events().mayPostEvents());
    const auto lines = backend.shortcomings();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "Input goes through the desktop's Remote Desktop permission: the desktop "
                        "asks once to allow it.");

    // Out and back to where the pointer is believed to be (warps have y downwards), until the
    // desktop has let input through; the earlier pairs are dropped.
    const Point believed = backend.screens().pointerLocation();
    const auto frame = backend.screens().primaryFrame();
    ASSERT_TRUE(frame);
    const Point home{believed.x, frame->size.height - believed.y};
    ASSERT_TRUE(runUntil(
        [&] {
            backend.events().warpCursor({home.x + 110, home.y - 220});
            backend.events().warpCursor(home);
            return portal.notifications().size() >= 2;
        },
        5000));
    const auto sent = portal.notifications();
    // A fifth of the path, since the pointer's place is not known.
    EXPECT_EQ(sent[0], (Notification{"NotifyPointerMotion", {22.0, -44.0}}));
    EXPECT_EQ(sent[1], (Notification{"NotifyPointerMotion", {-22.0, 44.0}}));
    EXPECT_EQ(portal.calls().size(), 3u) << "one session";
}

} // namespace
