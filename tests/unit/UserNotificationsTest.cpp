#include "SimFixture.h"
#include "app/NotificationManager.h"

namespace {

using wigglet::NotificationManager;
using UserNotifications = wigglet::test::SimFixture;

// Who may be shown what is the control-time-up-permission scenario's.
TEST_F(UserNotifications, DeliveryDoesNotNeedTheManagerToLive) {
    sim.notifications.setPermission(wigglet::sim::SimNotifications::Permission::Granted);
    NotificationManager::shared().send("t", "b");
    sim.platform().dropSharedInstances();
    advance(2.0);
    EXPECT_EQ(traceLines("notify").size(), 1u);
}

} // namespace
