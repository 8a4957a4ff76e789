#include "SimFixture.h"
#include "app/AppDelegate.h"
#include "foundation/SettingsStore.h"
#include "platform/sim/SimPlatform.h"
#include "system/BrightnessManager.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

namespace {

using namespace wigglet;

constexpr std::int64_t kPauseMicros = 28000;
constexpr std::int64_t kDownPress = 0x30A00;
constexpr std::int64_t kDownRelease = 0x30B00;
constexpr std::int64_t kUpPress = 0x20A00;
constexpr std::int64_t kUpRelease = 0x20B00;

// What one run did to the outside world.
struct Outcome {
    std::vector<std::int64_t> keys;       // data1 of every system-defined event, in order
    std::vector<std::int64_t> pressTimes; // virtual microseconds of each key-down
    std::int64_t elapsedMicros = 0;
    int pauses = 0;
    int reads = 0;
};

class DisplayDimming : public wigglet::test::SimFixture {
  protected:
    DisplayDimming() { sim.platform().trace().setSleepsEnabled(true); }

    template <class F> Outcome observe(F&& work) {
        clearTrace();
        const int readsBefore = sim.brightness.reads();
        const std::int64_t start = sim.micros();
        work();
        Outcome run{numbers("system-key", "data1"),
                    {},
                    sim.micros() - start,
                    static_cast<int>(traceLines("sleep").size()),
                    sim.brightness.reads() - readsBefore};
        for (const auto& key : traceLines("system-key", "down", true))
            run.pressTimes.push_back(std::llround(key["t"].get<double>() * 1e6) - start);
        return run;
    }
    void dimWith(std::int64_t option) {
        SettingsStore::shared().setInteger(SettingsKey::dimLightOption, option);
    }

    BrightnessManager manager;
};

std::vector<std::int64_t> presses(int count, std::int64_t down, std::int64_t up) {
    std::vector<std::int64_t> keys;
    for (int i = 0; i < count; ++i) {
        keys.push_back(down);
        keys.push_back(up);
    }
    return keys;
}

TEST_F(DisplayDimming, HalfDimmingStepsDownToHalfWithAPauseAfterEachPress) {
    sim.world.brightness = 0.75f;
    dimWith(1);
    const Outcome run = observe([&] { manager.dimDisplay(); });
    // 0.75 to 0.375 is six steps of 1/16.
    EXPECT_EQ(run.keys, presses(6, kDownPress, kDownRelease));
    EXPECT_EQ(run.pressTimes, (std::vector<std::int64_t>{0, 28000, 56000, 84000, 112000, 140000}));
    EXPECT_EQ(run.pauses, 6);
    EXPECT_EQ(run.elapsedMicros, 6 * kPauseMicros);
    EXPECT_FLOAT_EQ(manager.brightnessUserValue, 0.75f);
    EXPECT_FLOAT_EQ(*sim.world.brightness, 0.375f);
}

TEST_F(DisplayDimming, DimmingThatHasNothingToDoPressesNothingAndRemembersNothing) {
    const struct {
        const char* behaviour;
        std::optional<float> brightness;
        std::int64_t option;
        int reads;
    } rows[] = {
        {"half dimming below a tenth", 0.05f, 1, 1},
        {"half dimming of an unreadable display", std::nullopt, 1, 1},
        {"no dimming option reads nothing", 0.5f, 0, 0},
        {"an unknown option reads nothing", 0.5f, 3, 0},
        {"a negative option reads nothing", 0.5f, -1, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        sim.world.brightness = row.brightness;
        dimWith(row.option);
        const Outcome run = observe([&] { manager.dimDisplay(); });
        EXPECT_TRUE(run.keys.empty());
        EXPECT_EQ(run.reads, row.reads);
        EXPECT_EQ(run.elapsedMicros, 0);
        EXPECT_EQ(manager.brightnessUserValue, 0.0f);
    }
}

TEST_F(DisplayDimming, HalfDimmingEndsAfterSixteenTriesWhenThePressesGetLost) {
    sim.world.brightness = 0.8f;
    sim.world.failEvents = 1000;
    dimWith(1);
    const Outcome run = observe([&] { manager.dimDisplay(); });
    EXPECT_TRUE(run.keys.empty());
    EXPECT_EQ(run.reads, 17);
    EXPECT_EQ(run.pauses, 16);
    EXPECT_EQ(run.elapsedMicros, 16 * kPauseMicros);
    EXPECT_FLOAT_EQ(manager.brightnessUserValue, 0.8f);
}

TEST_F(DisplayDimming, FullDimmingOfAnUnreadableDisplayStillPressesButRemembersNothing) {
    sim.world.brightness.reset();
    dimWith(2);
    const Outcome run = observe([&] { manager.dimDisplay(); });
    EXPECT_EQ(run.keys.size(), 32u);
    EXPECT_EQ(manager.brightnessUserValue, 0.0f);
}

TEST_F(DisplayDimming, RestoringAfterTheUserRaisedTheBrightnessPressesNothing) {
    sim.world.brightness = 0.5f;
    dimWith(2);
    manager.dimDisplay();
    sim.world.brightness = 0.9f;
    const Outcome run = observe([&] { manager.restoreBrightness(); });
    EXPECT_TRUE(run.keys.empty());
    EXPECT_EQ(run.reads, 1);
    EXPECT_EQ(manager.brightnessUserValue, 0.0f);
}

TEST_F(DisplayDimming, RestoringEndsAfterSixteenPressesEvenShortOfTheGoal) {
    sim.world.brightness = 0.6f;
    dimWith(2);
    manager.dimDisplay();
    sim.world.brightness.reset();
    const Outcome run = observe([&] { manager.restoreBrightness(); });
    EXPECT_EQ(run.keys, presses(16, kUpPress, kUpRelease));
    EXPECT_EQ(run.pauses, 16);
    EXPECT_EQ(manager.brightnessUserValue, 0.0f);
}

class DimmingWhileShaking : public DisplayDimming {
  protected:
    void launchShaking() {
        SettingsStore::shared().setBool(SettingsKey::notFirstLaunch, true);
        delegate = std::make_unique<AppDelegate>();
        delegate->applicationDidFinishLaunching();
        delegate->switchIndefinitelyShake();
    }
    std::unique_ptr<AppDelegate> delegate;
};

TEST_F(DimmingWhileShaking, WithoutADimmingOptionTheBrightnessIsReadOnlyOnceAtTheStop) {
    dimWith(0);
    launchShaking();
    const Outcome shaking = observe([&] { sim.advanceSeconds(10.0); });
    EXPECT_EQ(shaking.reads, 0);
    EXPECT_TRUE(shaking.keys.empty());
    const Outcome stop = observe([&] { delegate->stopShakeAndUpdate(); });
    EXPECT_EQ(stop.reads, 1);
    EXPECT_TRUE(stop.keys.empty());
}

} // namespace
