#include "SimFixture.h"
#include "app/AppDelegate.h"

namespace {

using namespace wigglet;
using BatteryMonitor = wigglet::test::SimFixture;

// Whether shaking stops is the control-battery-stop scenario's; here, how often the battery is
// read: once a second while shaking with the check on, and never after the stop.
TEST_F(BatteryMonitor, TheBatteryIsReadOnlyWhileTheCheckCanStopShaking) {
    const struct {
        const char* behaviour;
        bool smartBattery;
        int charge;
        bool checkOn;
        int reads;
    } rows[] = {
        {"a charge above the threshold is read each second", true, 21, true, 2},
        {"a low charge is read once, as it stops shaking", true, 3, true, 1},
        {"without a smart battery nothing is read", false, 0, true, 0},
        {"with the check off nothing is read", true, 5, false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        sim.endProcess();
        sim.world.hasSmartBattery = row.smartBattery;
        sim.world.batteryCharges = {row.charge};
        sim.world.onMains = false;
        SettingsStore& settings = SettingsStore::shared();
        settings.setBool(SettingsKey::notFirstLaunch, true);
        settings.setBool(SettingsKey::stopShakingBattery, row.checkOn);
        settings.setInteger(SettingsKey::batteryLevelThreshold, 20);
        const int before = sim.powerSources.reads();
        AppDelegate delegate;
        delegate.applicationDidFinishLaunching();
        delegate.switchIndefinitelyShake();
        sim.advanceSeconds(2.0);
        sim.advanceSeconds(row.reads == 1 ? 5.0 : 0.0);
        EXPECT_EQ(sim.powerSources.reads() - before, row.reads);
    }
}

} // namespace
