#include "BehaviourRowName.h"
#include "SimFixture.h"
#include "app/NotificationManager.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

using wigglet::NotificationManager;
using Permission = wigglet::sim::SimNotifications::Permission;

class UserNotifications : public wigglet::test::SimFixture {};

struct PermissionRow {
    const char* behaviour;
    Permission permission;
    bool askFirst;
    bool shown;
};

class NotificationPermission : public UserNotifications,
                               public ::testing::WithParamInterface<PermissionRow> {};

TEST_P(NotificationPermission, ShownOnlyWhenPermissionWasGranted) {
    const PermissionRow& row = GetParam();
    sim.notifications.setPermission(row.permission);
    if (row.askFirst) {
        NotificationManager::shared().requestAuthorization();
        advance(0.1);
    }
    NotificationManager::shared().send("Time is up!", "Wigglet stopped");
    advance(5.0);
    const auto shown = traceLines("notify");
    ASSERT_EQ(shown.size(), row.shown ? 1u : 0u);
    if (row.shown) {
        EXPECT_EQ(shown[0]["title"], "Time is up!");
        EXPECT_EQ(shown[0]["body"], "Wigglet stopped");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NotificationPermission,
    ::testing::Values(PermissionRow{"denied permission drops it", Permission::Denied, false, false},
                      PermissionRow{"permission never requested drops it", Permission::AskGrant,
                                    false, false},
                      PermissionRow{"permission the user grants when asked shows it",
                                    Permission::AskGrant, true, true},
                      PermissionRow{"permission the user refuses when asked drops it",
                                    Permission::AskDeny, true, false}),
    wigglet::test::BehaviourRowName());

TEST_F(UserNotifications, TwoInQuickSuccessionBothAppearUnderTheirOwnIdentifiers) {
    sim.notifications.setPermission(Permission::Granted);
    NotificationManager::shared().send("Time is up!", "Wigglet stopped");
    NotificationManager::shared().send("Stopped battery is low", "Stopped battery is low");
    advance(2.0);
    const auto shown = traceLines("notify");
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
    const auto requests = traceLines("notify-auth");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["options"], 7);
}

TEST_F(UserNotifications, DeliveryDoesNotNeedTheManagerToLive) {
    sim.notifications.setPermission(Permission::Granted);
    NotificationManager::shared().send("t", "b");
    sim.platform().dropSharedInstances();
    advance(2.0);
    EXPECT_EQ(traceLines("notify").size(), 1u);
}

struct VersionRow {
    const char* behaviour;
    int major;
    int minor;
    bool available;
};

class NotificationServiceVersion : public UserNotifications,
                                   public ::testing::WithParamInterface<VersionRow> {};

TEST_P(NotificationServiceVersion, NothingHappensBeforeTheNotificationService) {
    const VersionRow& row = GetParam();
    sim.world.version = {row.major, row.minor, 0};
    sim.notifications.setPermission(Permission::Granted);
    NotificationManager::shared().requestAuthorization();
    NotificationManager::shared().send("t", "b");
    advance(2.0);
    EXPECT_EQ(traceLines("notify-auth").size(), row.available ? 1u : 0u);
    EXPECT_EQ(traceLines("notify").size(), row.available ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Rows, NotificationServiceVersion,
                         ::testing::Values(VersionRow{"10.13 has no notification service", 10, 13,
                                                      false},
                                           VersionRow{"10.14 has it", 10, 14, true}),
                         wigglet::test::BehaviourRowName());

} // namespace
