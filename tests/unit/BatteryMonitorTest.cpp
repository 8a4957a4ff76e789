#include "SimFixture.h"
#include "app/AppDelegate.h"
#include "foundation/SettingsStore.h"
#include "platform/sim/SimPlatform.h"
#include "system/BatteryManager.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace {

using namespace wigglet;
using wigglet::sim::SimNotifications;

using Charges = std::vector<std::optional<int>>;

struct Machine {
    bool smartBattery = true;
    Charges charges;
    bool onMains = false;
};

class BatteryMonitor : public wigglet::test::SimFixture {
  protected:
    void setUp(const Machine& machine) {
        sim.world.hasSmartBattery = machine.smartBattery;
        sim.world.batteryCharges = machine.charges;
        sim.world.onMains = machine.onMains;
    }
    // Launches with shaking on indefinitely and the battery stop as given.
    void launchShaking(bool stopShakingBattery, std::optional<std::int64_t> threshold) {
        sim.notifications.setPermission(SimNotifications::Permission::Granted);
        SettingsStore& store = SettingsStore::shared();
        store.setBool(SettingsKey::notFirstLaunch, true);
        store.setBool(SettingsKey::stopShakingBattery, stopShakingBattery);
        if (threshold)
            store.setInteger(SettingsKey::batteryLevelThreshold, *threshold);
        delegate = std::make_unique<AppDelegate>();
        delegate->applicationDidFinishLaunching();
        delegate->switchIndefinitelyShake();
    }
    bool shaking() { return SettingsStore::shared().boolForKey(SettingsKey::shakeEnabled); }

    std::unique_ptr<AppDelegate> delegate;
};

TEST_F(BatteryMonitor, ReadsTheLowestChargeOfAllSources) {
    const struct {
        const char* behaviour;
        Machine machine;
        std::optional<int> expected;
    } rows[] = {
        {"one source reports its charge", {true, {42}}, 42},
        {"two sources reporting 80 and 15 read 15", {true, {80, 15}}, 15},
        {"the lowest counts wherever it is in the list", {true, {15, 80}}, 15},
        {"a source without a charge makes the reading full", {true, {5, std::nullopt}}, 100},
        {"an empty source list reads as full", {true, {}}, 100},
        {"a charge above full is kept as reported", {true, {120}}, 120},
        {"no smart battery reads as none", {false, {5}}, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        setUp(row.machine);
        const int reads = sim.powerSources.reads();
        BatteryManager manager;
        EXPECT_EQ(manager.currentCapacity(), row.expected);
        EXPECT_EQ(sim.powerSources.reads() > reads, row.machine.smartBattery);
        EXPECT_EQ(manager.serviceInternal, 0u);
    }
}

// Each row launches afresh: one tick a second reads the battery while shaking.
TEST_F(BatteryMonitor, StopsShakingAtOrBelowTheThresholdOnBatteryOnly) {
    const struct {
        const char* behaviour;
        Machine machine;
        std::optional<std::int64_t> threshold;
        bool stops;
        int reads; // none without a smart battery or the check
        bool checkOn = true;
    } rows[] = {
        {"a charge at the threshold stops with one notice", {true, {20}}, 20, true, 1},
        {"a charge below the threshold stops", {true, {3}}, 20, true, 1},
        {"a charge one above the threshold changes nothing", {true, {21}}, 20, false, 2},
        {"on mains power nothing happens however low", {true, {5}, true}, 20, false, 2},
        {"without a smart battery shaking never stops", {false, {0}}, 100, false, 0},
        {"a threshold never chosen does not stop at 1", {true, {1}}, {}, false, 2},
        {"a threshold never chosen stops at 0 percent", {true, {0}}, {}, true, 1},
        {"a negative threshold never stops", {true, {0}}, -1, false, 2},
        {"with the check off the battery is never read", {true, {5}}, 20, false, 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        delegate.reset();
        sim.endProcess();
        SettingsStore::shared().removeObject(rawValue(SettingsKey::batteryLevelThreshold));
        clearTrace();
        setUp(row.machine);
        const int before = sim.powerSources.reads();
        launchShaking(row.checkOn, row.threshold);
        sim.advanceSeconds(2.0);

        EXPECT_EQ(shaking(), !row.stops);
        EXPECT_EQ(sim.powerSources.reads() - before, row.reads);
        const auto notifications = traceLines("notify");
        ASSERT_EQ(notifications.size(), row.stops ? 1u : 0u);
        if (row.stops) {
            EXPECT_EQ(notifications[0]["title"], "Stopped battery is low");
            EXPECT_EQ(notifications[0]["body"], "Stopped battery is low");
        }
    }
}

TEST_F(BatteryMonitor, SwitchingOnAgainWhileLowStopsAgainWithANewNotification) {
    setUp({true, {10}});
    launchShaking(true, 20);
    sim.advanceSeconds(2.0);
    ASSERT_FALSE(shaking());
    sim.advanceSeconds(5.0);
    EXPECT_EQ(sim.powerSources.reads(), 1);

    delegate->switchIndefinitelyShake();
    sim.advanceSeconds(2.0);
    EXPECT_FALSE(shaking());
    const auto notifications = traceLines("notify");
    ASSERT_EQ(notifications.size(), 2u);
    EXPECT_NE(notifications[0]["id"], notifications[1]["id"]);
}

} // namespace
