#include "platform/linux/dbus/MutterIdleMonitor.h"
#include "platform/linux/dbus/MutterRemoteDesktop.h"
#include "platform/linux/wayland/RelativeInputDevice.h"
#include "support/EventLoop.h"
#include "support/HeadlessCompositor.h"
#include "support/WaylandTestWindow.h"

#include <QDBusConnection>
#include <chrono>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <sstream>

using namespace wigglet;
using namespace wigglet::desktop;
using namespace wigglet::testing;

namespace {

double steadyNow() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Every place the window saw the pointer, from its "enter X,Y" and "motion X,Y" lines.
std::vector<Point> pointerPath(const WaylandTestWindow& window) {
    std::vector<Point> path;
    for (const std::string& event : window.events()) {
        std::istringstream line(event);
        std::string kind;
        Point p;
        char comma = 0;
        if (line >> kind >> p.x >> comma >> p.y && (kind == "enter" || kind == "motion"))
            path.push_back(p);
    }
    return path;
}

// A headless mutter on a bus of its own, with GNOME's idle monitor and remote desktop on it.
class MutterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string whyNot;
        mutter_ = HeadlessCompositor::start(HeadlessCompositor::Kind::Mutter, whyNot);
        ASSERT_TRUE(mutter_) << whyNot;
        bus_ = QDBusConnection::connectToBus(QString::fromStdString(mutter_->busAddress()),
                                             QStringLiteral("mutter-test"));
        ASSERT_TRUE(bus_.isConnected());
        ASSERT_TRUE(runUntil(
            [&] {
                return MutterIdleMonitor::offeredOn(bus_) && MutterRemoteDesktop::offeredOn(bus_);
            },
            20000));
    }
    void TearDown() override { QDBusConnection::disconnectFromBus(QStringLiteral("mutter-test")); }

    std::unique_ptr<HeadlessCompositor> mutter_;
    QDBusConnection bus_{QString()};
};

// Mutter counts the relative excursion as input, yet the idle time read against it stays the
// user's; a monitor that knows of no input of ours sees mutter's own count fall, and so does
// the user's once someone else moves the pointer.
TEST_F(MutterTest, OwnStepsResetMuttersIdleTimeButNotTheUsers) {
    std::optional<double> lastOwn;
    MutterIdleMonitor user(bus_, steadyNow, [&] { return lastOwn; });
    MutterIdleMonitor raw(bus_, steadyNow, [] { return std::optional<double>(); });
    ASSERT_TRUE(user.available());
    ASSERT_TRUE(runUntil([&] { return user.secondsSinceLastInput() >= 1.5; }, 10000));

    auto device = RelativeInputDevice::overMutter(bus_, [] { return Point{960, 540}; });
    ASSERT_TRUE(device);
    const Rect layout{{0, 0}, {1920, 1080}};
    device->moveTo({972.4, 531.6}, layout);
    device->moveTo({960, 540}, layout);
    device->key(KEY_LEFTCTRL, true);
    device->key(KEY_TAB, true);
    device->key(KEY_TAB, false);
    device->key(KEY_LEFTCTRL, false);
    lastOwn = steadyNow();
    ASSERT_TRUE(runUntil([&] { return raw.secondsSinceLastInput() < 1.0; }, 5000))
        << "mutter never counted the input";
    EXPECT_GE(user.secondsSinceLastInput(), 1.5);
    // The session goes once input pauses, and with it GNOME's remote-control icon.
    auto& channel = static_cast<MutterRemoteDesktop&>(device->channel());
    EXPECT_TRUE(channel.isOpen());
    EXPECT_TRUE(runUntil([&] { return !channel.isOpen(); }, 5000));
    // Input of another's, away from ours, is the user's return.
    MutterRemoteDesktop hand(bus_);
    ASSERT_TRUE(hand.pointerMotion(5, 0));
    EXPECT_TRUE(runUntil([&] { return user.secondsSinceLastInput() < 1.0; }, 5000));
}

// Whole-pixel relative steps out and back bring the pointer to exactly where it was, as a
// window of another client sees it.
TEST_F(MutterTest, TheRelativeExcursionReturnsToItsStart) {
    auto window = WaylandTestWindow::open(mutter_->socket());
    ASSERT_TRUE(window);
    auto device = RelativeInputDevice::overMutter(bus_, [] { return Point{960, 540}; });
    ASSERT_TRUE(device);
    const Rect layout{{0, 0}, {1920, 1080}};
    // The window takes its pointer once the session brings one to the seat. mutter zooms a
    // window in as it maps it; once a one-pixel step reads as one pixel, it is in place.
    std::optional<Point> home;
    ASSERT_TRUE(runUntil([&] {
        if (home)
            return true;
        device->moveTo({961, 540}, layout);
        device->moveTo({960, 540}, layout);
        window->sync();
        const auto path = pointerPath(*window);
        if (path.size() >= 2 && path.rbegin()[1].x - path.back().x == 1 &&
            path.rbegin()[1].y == path.back().y)
            home = path.back();
        return home.has_value();
    }));
    window->clear();
    for (const Point p : {Point{963.3, 538.6}, Point{967.8, 533.5}, Point{974.49, 527.2},
                          Point{967.8, 533.5}, Point{963.3, 538.6}, Point{960, 540}})
        device->moveTo(p, layout);
    ASSERT_TRUE(runUntil([&] {
        window->sync();
        const auto path = pointerPath(*window);
        return path.size() >= 6 && path.back().x == home->x && path.back().y == home->y;
    })) << "not back at "
        << home->x << "," << home->y << ": " << ::testing::PrintToString(window->events());
    // The first step out was (+3, -1), rounded.
    const Point first = pointerPath(*window).rbegin()[5];
    EXPECT_EQ(first.x - home->x, 3);
    EXPECT_EQ(first.y - home->y, -1);
}

} // namespace
