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

// The last place the window saw the pointer, from its "enter X,Y" and "motion X,Y" lines.
std::optional<Point> seenPointer(const WaylandTestWindow& window) {
    const auto& events = window.events();
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
        std::istringstream line(*it);
        std::string kind;
        double x = 0;
        double y = 0;
        char comma = 0;
        if (line >> kind >> x >> comma >> y && (kind == "enter" || kind == "motion"))
            return Point{x, y};
    }
    return std::nullopt;
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

// The last two places the window saw the pointer, latest first.
std::vector<Point> lastTwo(const WaylandTestWindow& window) {
    std::vector<Point> found;
    const auto& events = window.events();
    for (auto it = events.rbegin(); it != events.rend() && found.size() < 2; ++it) {
        std::istringstream line(*it);
        std::string kind;
        double x = 0;
        double y = 0;
        char comma = 0;
        if (line >> kind >> x >> comma >> y && kind == "motion")
            found.push_back({x, y});
    }
    return found;
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
    ASSERT_TRUE(runUntil([&] {
        device->moveTo({961, 540}, layout);
        device->moveTo({960, 540}, layout);
        window->sync();
        const auto seen = lastTwo(*window);
        return seen.size() == 2 && seen[1].x - seen[0].x == 1 && seen[1].y == seen[0].y;
    }));
    const Point home = lastTwo(*window)[0];
    window->clear();
    const std::vector<Point> out{{963.3, 538.6}, {967.8, 533.5}, {974.49, 527.2}};
    for (const Point p : out)
        device->moveTo(p, layout);
    for (auto p = out.rbegin() + 1; p != out.rend(); ++p)
        device->moveTo(*p, layout);
    device->moveTo({960, 540}, layout);
    ASSERT_TRUE(runUntil([&] {
        window->sync();
        return window->events().size() >= 6 && seenPointer(*window) &&
               seenPointer(*window)->x == home.x && seenPointer(*window)->y == home.y;
    })) << "not back at "
        << home.x << "," << home.y << ": " << ::testing::PrintToString(window->events());
    // The first step out was (+3, -1), rounded.
    std::istringstream first(window->events()[window->events().size() - 6]);
    std::string kind;
    double x = 0;
    double y = 0;
    char comma = 0;
    ASSERT_TRUE(first >> kind >> x >> comma >> y);
    EXPECT_EQ(x - home.x, 3);
    EXPECT_EQ(y - home.y, -1);
}

} // namespace
