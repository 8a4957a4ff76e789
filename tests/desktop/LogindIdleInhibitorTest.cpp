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

// A private bus stands in for the system bus.
class LogindIdleInhibitorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string whyNot;
        bus_ = PrivateBus::start(whyNot);
        ASSERT_TRUE(bus_) << whyNot;
        inhibitor_ = std::make_unique<LogindIdleInhibitor>(bus_->connect(QStringLiteral("system")));
        power_ = std::make_unique<DesktopPowerManagement>(
            std::vector<desktop::KeepAwakeMechanism*>{inhibitor_.get()});
    }
    FakeLogind& startLogind() {
        auto fake = std::make_unique<FakeLogind>();
        FakeLogind& ref = *fake;
        logind_ =
            std::make_unique<BusPeer>(*bus_, QStringLiteral("org.freedesktop.login1"),
                                      QStringLiteral("/org/freedesktop/login1"), std::move(fake));
        EXPECT_TRUE(logind_->isRegistered());
        return ref;
    }

    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<BusPeer> logind_;
    std::unique_ptr<LogindIdleInhibitor> inhibitor_;
    std::unique_ptr<DesktopPowerManagement> power_;
};

// logind starts while the first assertion is held; one that runs from the start is the
// Wayland end-to-end tests' case.
TEST_F(LogindIdleInhibitorTest, TheIdleInhibitorIsHeldOnceWhileAssertionsAreHeldAndClosedAfter) {
    EXPECT_FALSE(inhibitor_->isAvailable());
    const auto first = power_->createAssertion(preventUserIdleDisplaySleep, "Wigglet");
    ASSERT_EQ(first.result, kIOReturnSuccess);
    FakeLogind& logind = startLogind();
    ASSERT_TRUE(runUntil([&] { return logind.held() == 1; }));
    const auto second = power_->createAssertion(preventUserIdleDisplaySleep, "Wigglet");
    ASSERT_EQ(logind.inhibits().size(), 1u);
    EXPECT_EQ(logind.inhibits()[0].value(0), "idle");
    EXPECT_EQ(logind.inhibits()[0].value(1), "Wigglet");
    EXPECT_EQ(logind.inhibits()[0].value(3), "block");

    power_->releaseAssertion(first.id);
    EXPECT_EQ(logind.held(), 1) << "one assertion is still held";
    power_->releaseAssertion(second.id);
    EXPECT_TRUE(runUntil([&] { return logind.held() == 0; })) << "released with the last one";
}

} // namespace
