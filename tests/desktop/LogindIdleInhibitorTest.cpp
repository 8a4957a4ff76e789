#include "platform/linux/dbus/LogindIdleInhibitor.h"

#include "platform/linux/DesktopPowerManagement.h"
#include "support/BusPeer.h"
#include "support/EventLoop.h"
#include "support/FakeLogind.h"
#include "support/PrivateBus.h"

#include <gtest/gtest.h>

using namespace wigglet;
using namespace wigglet::desktop;
using namespace wigglet::testing;

namespace {

// A private bus stands in for the system bus. logind starts while the first assertion is held;
// one that runs from the start is the Wayland end-to-end tests' case.
TEST(LogindIdleInhibitorTest, TheIdleInhibitorIsHeldOnceWhileAssertionsAreHeldAndClosedAfter) {
    std::string whyNot;
    const auto bus = PrivateBus::start(whyNot);
    ASSERT_TRUE(bus) << whyNot;
    LogindIdleInhibitor inhibitor(bus->connect(QStringLiteral("system")));
    DesktopPowerManagement power({&inhibitor});
    EXPECT_FALSE(inhibitor.isAvailable());
    const auto first = power.createAssertion(preventUserIdleDisplaySleep, "Wigglet");
    ASSERT_EQ(first.result, kIOReturnSuccess);
    auto fake = std::make_unique<FakeLogind>();
    FakeLogind& logind = *fake;
    BusPeer peer(*bus, QStringLiteral("org.freedesktop.login1"),
                 QStringLiteral("/org/freedesktop/login1"), std::move(fake));
    ASSERT_TRUE(runUntil([&] { return logind.held() == 1; }));
    const auto second = power.createAssertion(preventUserIdleDisplaySleep, "Wigglet");
    ASSERT_EQ(logind.inhibits().size(), 1u);
    EXPECT_EQ(logind.inhibits()[0].value(0), "idle");
    EXPECT_EQ(logind.inhibits()[0].value(1), "Wigglet");
    EXPECT_EQ(logind.inhibits()[0].value(3), "block");

    power.releaseAssertion(first.id);
    EXPECT_EQ(logind.held(), 1) << "one assertion is still held";
    power.releaseAssertion(second.id);
    EXPECT_TRUE(runUntil([&] { return logind.held() == 0; })) << "released with the last one";
}

} // namespace
