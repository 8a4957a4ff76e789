#include "SystemTestTrace.h"
#include "app/NotificationManager.h"
#include "platform/sim/SimPlatform.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

using wigglet::NotificationManager;
using Permission = wigglet::sim::SimNotifications::Permission;

class UserNotifications : public ::testing::Test {
  protected:
    wigglet::sim::SimPlatform sim;
    wigglet::PlatformScope scope{sim.platform()};
    wigglet::testing::SystemTestTrace trace{sim};
};

TEST_F(UserNotifications, ShownOnlyWhenPermissionWasGranted) {
    const struct {
        const char* behaviour;
        Permission permission;
        bool askFirst;
        bool shown;
    } rows[] = {
        {"granted permission shows the notification", Permission::Granted, false, true},
        {"denied permission drops it", Permission::Denied, false, false},
        {"permission never requested drops it", Permission::AskGrant, false, false},
        {"permission the user grants when asked shows it", Permission::AskGrant, true, true},
        {"permission the user refuses when asked drops it", Permission::AskDeny, true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        wigglet::sim::SimPlatform fresh;
        wigglet::PlatformScope freshScope(fresh.platform());
        wigglet::testing::SystemTestTrace freshTrace(fresh);
        fresh.notifications.setPermission(row.permission);
        if (row.askFirst) {
            NotificationManager::shared().requestAuthorization();
            fresh.advanceSeconds(0.1);
        }
        NotificationManager::shared().send("Time is up!", "Wigglet stopped");
        fresh.advanceSeconds(5.0);
        const auto shown = freshTrace.lines("notify");
        ASSERT_EQ(shown.size(), row.shown ? 1u : 0u);
        if (row.shown) {
            EXPECT_EQ(shown[0]["title"], "Time is up!");
            EXPECT_EQ(shown[0]["body"], "Wigglet stopped");
        }
    }
}

TEST_F(UserNotifications, AppearsOneSecondAfterSend) {
    sim.notifications.setPermission(Permission::Granted);
    sim.advanceSeconds(5.0);
    NotificationManager::shared().send("t", "b");
    sim.advanceSeconds(0.999);
    EXPECT_EQ(trace.count("notify"), 0u);
    sim.advanceSeconds(0.001);
    const auto shown = trace.lines("notify");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(std::llround(shown[0]["t"].get<double>() * 1e6), 6000000);
}

TEST_F(UserNotifications, TwoInQuickSuccessionBothAppearUnderTheirOwnIdentifiers) {
    sim.notifications.setPermission(Permission::Granted);
    NotificationManager::shared().send("Time is up!", "Wigglet stopped");
    NotificationManager::shared().send("Stopped battery is low", "Stopped battery is low");
    sim.advanceSeconds(2.0);
    const auto shown = trace.lines("notify");
    ASSERT_EQ(shown.size(), 2u);
    std::set<std::string> ids;
    for (const auto& line : shown) {
        const std::string id = line["id"];
        EXPECT_EQ(id.size(), 36u) << id;
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 2u);
}

TEST_F(UserNotifications, RequestAsksForAlertSoundAndBadge) {
    NotificationManager::shared().requestAuthorization();
    const auto requests = trace.lines("notify-auth");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["options"], 7);
}

TEST_F(UserNotifications, NothingHappensBeforeTheNotificationService) {
    const struct {
        const char* behaviour;
        int major;
        int minor;
        bool available;
    } rows[] = {
        {"10.13 has no notification service", 10, 13, false},
        {"10.14 has it", 10, 14, true},
        {"11.0 has it", 11, 0, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        wigglet::sim::SimPlatform fresh;
        wigglet::PlatformScope freshScope(fresh.platform());
        wigglet::testing::SystemTestTrace freshTrace(fresh);
        fresh.world.version = {row.major, row.minor, 0};
        fresh.notifications.setPermission(Permission::Granted);
        NotificationManager::shared().requestAuthorization();
        NotificationManager::shared().send("t", "b");
        fresh.advanceSeconds(2.0);
        EXPECT_EQ(freshTrace.count("notify-auth"), row.available ? 1u : 0u);
        EXPECT_EQ(freshTrace.count("notify"), row.available ? 1u : 0u);
    }
}

TEST_F(UserNotifications, DeliveryDoesNotNeedTheManagerToLive) {
    sim.notifications.setPermission(Permission::Granted);
    NotificationManager::shared().send("t", "b");
    sim.platform().dropSharedInstances();
    sim.advanceSeconds(2.0);
    EXPECT_EQ(trace.count("notify"), 1u);
}

} // namespace
