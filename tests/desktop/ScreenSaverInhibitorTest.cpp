#include "platform/linux/dbus/ScreenSaverInhibitor.h"

#include "platform/linux/posix/RealSleeper.h"
#include "platform/linux/x11/XServerScreenSaver.h"
#include "platform/linux/x11/XTestEventSource.h"
#include "support/BusPeer.h"
#include "support/EventLoop.h"
#include "support/FakeScreenSaver.h"
#include "support/PrivateBus.h"
#include "support/TracedPlatform.h"
#include "support/XServerTest.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <gtest/gtest.h>

using namespace wigglet;
using wigglet::desktop::RealSleeper;
using wigglet::desktop::ScreenSaverInhibitor;
using wigglet::desktop::XServerScreenSaver;
using wigglet::desktop::XTestEventSource;
using wigglet::testing::BusPeer;
using wigglet::testing::FakeScreenSaver;
using wigglet::testing::PrivateBus;
using wigglet::testing::runUntil;
using wigglet::testing::TracedPlatform;
using wigglet::testing::XServerTest;

namespace {

constexpr uint firstCookie = 42;

QStringList call(std::initializer_list<const char*> words) {
    QStringList list;
    for (const char* word : words)
        list << QString::fromUtf8(word);
    return list;
}

class ScreenSaverInhibitorTest : public XServerTest {
  protected:
    void SetUp() override {
        XServerTest::SetUp();
        if (IsSkipped())
            return;
        std::string whyNot;
        bus_ = PrivateBus::start(whyNot);
        if (!bus_)
            GTEST_SKIP() << whyNot;
    }
    // The desktop's screen-saver service on the private bus.
    FakeScreenSaver& startScreenSaverService() {
        auto service = std::make_unique<FakeScreenSaver>(firstCookie);
        FakeScreenSaver& ref = *service;
        peer_ = std::make_unique<BusPeer>(*bus_, QStringLiteral("org.freedesktop.ScreenSaver"),
                                          QStringLiteral("/org/freedesktop/ScreenSaver"),
                                          std::move(service));
        EXPECT_TRUE(peer_->isRegistered());
        return ref;
    }
    QDBusConnection clientBus() { return bus_->connect(QStringLiteral("wigglet")); }
    XServerScreenSaver* serverSaver() {
        saver_ = XServerScreenSaver::open(*connection_);
        return saver_.get();
    }

    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<BusPeer> peer_;
    std::unique_ptr<XServerScreenSaver> saver_;
};

// Whether the X server's own screen saver has come on within a little over its timeout.
bool screenSaverStartsWithin(Display* display, int timeoutSeconds) {
    RealSleeper().sleepMicroseconds(
        static_cast<std::uint32_t>(timeoutSeconds * 1'000'000 + 600'000));
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    XScreenSaverQueryInfo(display, DefaultRootWindow(display), info);
    const bool on = info->state == ScreenSaverOn;
    XFree(info);
    return on;
}

} // namespace

TEST_F(ScreenSaverInhibitorTest, AssertionInhibitsTheSessionScreenSaverUnderItsCookie) {
    FakeScreenSaver& service = startScreenSaverService();
    ScreenSaverInhibitor power(serverSaver(), clientBus());

    const AssertionResult held = power.createAssertion("PreventUserIdleDisplaySleep", "Wigglet");
    EXPECT_EQ(held.result, kIOReturnSuccess);
    EXPECT_EQ(held.id, firstCookie);
    ASSERT_EQ(service.calls().size(), 1u);
    EXPECT_EQ(service.calls()[0].value(0), "Inhibit");
    EXPECT_EQ(service.calls()[0].value(1), "Wigglet");
    EXPECT_FALSE(service.calls()[0].value(2).isEmpty());

    power.releaseAssertion(held.id);
    ASSERT_TRUE(runUntil([&] { return service.calls().size() == 2; }));
    EXPECT_EQ(service.calls()[1], call({"UnInhibit", "42"}));
}

TEST_F(ScreenSaverInhibitorTest, EachAssertionHasItsOwnCookie) {
    FakeScreenSaver& service = startScreenSaverService();
    ScreenSaverInhibitor power(serverSaver(), clientBus());
    const auto first = power.createAssertion("PreventUserIdleDisplaySleep", "Wigglet");
    power.releaseAssertion(first.id);
    const auto second = power.createAssertion("PreventUserIdleDisplaySleep", "Wigglet");
    EXPECT_EQ(first.id, firstCookie);
    EXPECT_EQ(second.id, firstCookie + 1);
    power.releaseAssertion(second.id);
    power.releaseAssertion(second.id);
    ASSERT_TRUE(runUntil([&] { return service.calls().size() >= 4; }));
    EXPECT_EQ(service.calls().back(), call({"UnInhibit", "43"}));
    EXPECT_EQ(service.calls().size(), 4u);
}

TEST_F(ScreenSaverInhibitorTest, DeclaredUserActivityReachesTheSessionAndTheServer) {
    FakeScreenSaver& service = startScreenSaverService();
    ScreenSaverInhibitor power(serverSaver(), clientBus());
    XTestEventSource events(connection_.get());
    RealSleeper().sleepMicroseconds(300'000);
    ASSERT_GE(events.secondsSinceLastInput(), 0.25);

    power.declareUserActivity();
    EXPECT_LT(events.secondsSinceLastInput(), 0.1);
    ASSERT_TRUE(runUntil([&] { return !service.calls().empty(); }));
    EXPECT_EQ(service.calls()[0], call({"SimulateUserActivity"}));
}

TEST_F(ScreenSaverInhibitorTest, WithoutAScreenSaverServiceTheXServerAloneHoldsIt) {
    struct Row {
        const char* behaviour;
        bool bus;
    };
    const Row rows[] = {
        {"a bus without the service", true},
        {"no session bus at all", false},
    };
    for (const Row& row : rows) {
        ScreenSaverInhibitor power(serverSaver(),
                                   row.bus ? clientBus() : QDBusConnection(QStringLiteral("none")));
        const auto held = power.createAssertion("PreventUserIdleDisplaySleep", "Wigglet");
        EXPECT_EQ(held.result, kIOReturnSuccess) << row.behaviour;
        EXPECT_NE(held.id, 0u) << row.behaviour;
        power.releaseAssertion(held.id);
    }
}

TEST_F(ScreenSaverInhibitorTest, IdleTimeKeepsGrowingWhileAnAssertionIsHeld) {
    ScreenSaverInhibitor power(serverSaver(), QDBusConnection(QStringLiteral("none")));
    XTestEventSource events(connection_.get());
    const auto held = power.createAssertion("PreventUserIdleDisplaySleep", "Wigglet");
    ASSERT_EQ(held.result, kIOReturnSuccess);
    events.warpCursor({10, 10});
    RealSleeper().sleepMicroseconds(300'000);
    EXPECT_GE(events.secondsSinceLastInput(), 0.25);
}

TEST_F(ScreenSaverInhibitorTest, HeldAssertionKeepsTheServersScreenSaverOff) {
    Display* display = XOpenDisplay(displayName().c_str());
    ASSERT_NE(display, nullptr);
    XSetScreenSaver(display, 1, 0, DontPreferBlanking, AllowExposures);
    XSync(display, False);
    ScreenSaverInhibitor power(serverSaver(), QDBusConnection(QStringLiteral("none")));

    const auto held = power.createAssertion("PreventUserIdleDisplaySleep", "Wigglet");
    EXPECT_FALSE(screenSaverStartsWithin(display, 1)) << "while the assertion is held";

    power.releaseAssertion(held.id);
    EXPECT_TRUE(screenSaverStartsWithin(display, 1)) << "after the release";
    XCloseDisplay(display);
}

TEST(ScreenSaverInhibitorWithoutDesktop, NothingCanBeHeldOrDeclared) {
    ScreenSaverInhibitor power(nullptr, QDBusConnection(QStringLiteral("none")));
    PlatformServices services;
    services.power = &power;
    TracedPlatform platform(services);
    const auto held = power.createAssertion("PreventUserIdleDisplaySleep", "Wigglet");
    EXPECT_EQ(held.result, kIOReturnAborted);
    EXPECT_EQ(held.id, 0u);
    power.releaseAssertion(held.id);
    power.declareUserActivity();
    EXPECT_TRUE(platform.lines("user-activity").empty());
    EXPECT_EQ(platform.lines("assertion").size(), 2u);
}

TEST(ScreenSaverInhibitorWithoutDesktop, ProcessActivityTokenIsHeld) {
    ScreenSaverInhibitor power(nullptr, QDBusConnection(QStringLiteral("none")));
    EXPECT_NE(power.beginActivity(0x00EFFFFF, "activity needs to be maintained"), nullptr);
}
