#include "input/TabSwitcher.h"

#include "SimFixture.h"

#include <algorithm>
#include <optional>
#include <set>

using namespace wigglet;

namespace {

class TabSwitcherTest : public test::SimFixture {
  protected:
    TabSwitcherTest() { sim.platform().trace().setSleepsEnabled(true); }

    SettingsStore& store() { return SettingsStore::shared(); }
    void enableTabSwitching(std::int64_t type = 0) {
        store().setBool(SettingsKey::scrollEnabled, true);
        store().setBool(SettingsKey::switchTabsEnabled, true);
        store().setInteger(SettingsKey::scrollTabType, type);
    }
    // A due tick every second: the second, from the first tick, at which the first switch
    // happens.
    std::optional<int> secondOfFirstSwitch(TabSwitcher& ticked, int seconds) {
        for (int second = 0; second < seconds; ++second) {
            if (ticked.switchTabIfDue())
                return second;
            sim.advanceSeconds(1);
        }
        return std::nullopt;
    }
    // The key codes pressed (down events), in order.
    std::vector<int> strokes() {
        std::vector<int> codes;
        for (const auto& key : traceLines("key", "down", true))
            codes.push_back(key.at("code"));
        return codes;
    }

    TabSwitcher switcher;
};

TEST_F(TabSwitcherTest, TheFirstSwitchComes35To65SecondsAfterTheFirstTickAndAFiredTimerWaits) {
    enableTabSwitching();
    int earliest = 100, latest = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        sim.platform().random().reseed(seed);
        TabSwitcher fresh;
        const std::optional<int> at = secondOfFirstSwitch(fresh, 70);
        ASSERT_TRUE(at) << "seed " << seed;
        // The timer fires between two ticks; the tick after it switches.
        EXPECT_GE(*at, 35) << "seed " << seed;
        EXPECT_LE(*at, 66) << "seed " << seed;
        earliest = std::min(earliest, *at);
        latest = std::max(latest, *at);
    }
    EXPECT_LE(earliest, 38);
    EXPECT_GE(latest, 62);

    // A timer that fires while switching is off still counts once it is on again.
    clearTrace();
    EXPECT_FALSE(switcher.switchTabIfDue()) << "the first due tick only starts the timer";
    EXPECT_EQ(sim.runLoop.timerCount(), 1u);
    store().setBool(SettingsKey::switchTabsEnabled, false);
    sim.advanceSeconds(500);
    EXPECT_EQ(sim.runLoop.timerCount(), 0u) << "the timer is gone after its one fire";
    EXPECT_TRUE(traceLines("key").empty()) << "the timer itself switches nothing";
    EXPECT_FALSE(switcher.switchTabIfDue());
    store().setBool(SettingsKey::switchTabsEnabled, true);
    EXPECT_TRUE(switcher.switchTabIfDue()) << "the switch is made however much later";
    EXPECT_EQ(strokes(), std::vector<int>{30});
    EXPECT_EQ(sim.runLoop.timerCount(), 1u) << "the next timer is already running";
}

// A switch is a next-tab stroke, or for the forward type a run of one to twelve, each stroke
// held 10 ms and followed by its pause; then the switch's own pause. Unknown types switch as
// the first type does.
TEST_F(TabSwitcherTest, StrokesAndPausesOfEachType) {
    std::set<std::size_t> runLengths;
    std::set<std::int64_t> strokePauses, switchPauses;
    for (int round = 0; round < 480; ++round) {
        enableTabSwitching(std::vector<std::int64_t>{2, 0, 5, -1}[round % 4]);
        switcher.switchTabIfDue();
        sim.advanceSeconds(70);
        clearTrace();
        ASSERT_TRUE(switcher.switchTabIfDue());
        const std::vector<int> codes = strokes();
        EXPECT_EQ(codes, std::vector<int>(codes.size(), 30)) << "round " << round;
        const auto sleeps = numbers("sleep", "us");
        ASSERT_EQ(sleeps.size(), 2 * codes.size() + (round % 4 ? 0 : 1)) << "round " << round;
        for (std::size_t i = 0; i < codes.size(); ++i)
            EXPECT_EQ(sleeps[2 * i], 10000);
        if (round % 4 == 0) {
            runLengths.insert(codes.size());
            for (std::size_t i = 0; i < codes.size(); ++i)
                strokePauses.insert(sleeps[2 * i + 1]);
        } else {
            EXPECT_EQ(codes.size(), 1u) << "round " << round;
        }
        switchPauses.insert(sleeps.back());
    }
    EXPECT_EQ(*runLengths.begin(), 1u);
    EXPECT_EQ(*runLengths.rbegin(), 12u);
    EXPECT_EQ(strokePauses, (std::set<std::int64_t>{500000, 600000, 700000, 800000, 850000}));
    EXPECT_EQ(switchPauses, (std::set<std::int64_t>{1500000, 2000000, 3000000}));
}

} // namespace
