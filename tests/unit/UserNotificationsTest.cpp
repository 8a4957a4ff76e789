#include "SimFixture.h"
#include "app/NotificationManager.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

namespace {

using wigglet::NotificationManager;
using Permission = wigglet::sim::SimNotifications::Permission;

using UserNotifications = wigglet::test::SimFixture;

TEST_F(UserNotifications, ShownOnlyWhereTheServiceIsAndPermissionWasGranted) {
    const struct {
        const char* behaviour;
        Permission permission;
        bool askFirst;
        bool asked; // the service was asked
        bool shown;
        int major = 13;
        int minor = 0;
    } rows[] = {
        {"denied permission drops it", Permission::Denied, false, false, false},
        {"permission never requested drops it", Permission::AskGrant, false, false, false},
        {"permission the user grants when asked shows it", Permission::AskGrant, true, true, true},
        {"permission the user refuses when asked drops it", Permission::AskDeny, true, true, false},
        {"10.13 has no notification service to ask or show", Permission::Granted, true, false,
         false, 10, 13},
        {"10.14 has it", Permission::Granted, true, true, true, 10, 14},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        clearTrace();
        sim.world.version = {row.major, row.minor, 0};
        sim.notifications.setPermission(row.permission);
        if (row.askFirst) {
            NotificationManager::shared().requestAuthorization();
            advance(0.1);
        }
        EXPECT_EQ(traceLines("notify-auth").size(), row.asked ? 1u : 0u);
        NotificationManager::shared().send("Time is up!", "Wigglet stopped");
        advance(5.0);
        const auto shown = traceLines("notify");
        ASSERT_EQ(shown.size(), row.shown ? 1u : 0u);
        if (row.shown) {
            EXPECT_EQ(shown[0]["title"], "Time is up!");
            EXPECT_EQ(shown[0]["body"], "Wigglet stopped");
        }
    }
}

TEST_F(UserNotifications, DeliveryDoesNotNeedTheManagerToLive) {
    sim.notifications.setPermission(Permission::Granted);
    NotificationManager::shared().send("t", "b");
    sim.platform().dropSharedInstances();
    advance(2.0);
    EXPECT_EQ(traceLines("notify").size(), 1u);
}

} // namespace
