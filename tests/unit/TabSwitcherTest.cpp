#include "input/TabSwitcher.h"

#include "BehaviourRowName.h"
#include "SimFixture.h"
#include "app/AppDelegate.h"
#include "foundation/SettingsStore.h"
#include "platform/sim/SimPlatform.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <string>
#include <vector>

using namespace wigglet;
using test::TraceRecords;

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
    // A due tick every second: the virtual second at which the first switch happens.
    std::optional<double> secondOfFirstSwitch(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            const double at = sim.clock.seconds();
            if (switcher.switchTabIfDue())
                return at;
            sim.advanceSeconds(1);
        }
        return std::nullopt;
    }
    // The key codes pressed (down events), in order.
    std::vector<int> strokes() {
        std::vector<int> codes;
        for (const auto& key : traceLines("key"))
            if (key.at("down") == true)
                codes.push_back(key.at("code"));
        return codes;
    }

    TabSwitcher switcher;
};

struct OffRow {
    const char* behaviour;
    bool scroll;
    bool tabs;
};

class TabSwitcherOffTest : public TabSwitcherTest, public ::testing::WithParamInterface<OffRow> {};

TEST_P(TabSwitcherOffTest, NoTimerAndNoSwitchUnlessScrollingAndSwitchingAreBothOn) {
    store().setBool(SettingsKey::scrollEnabled, GetParam().scroll);
    store().setBool(SettingsKey::switchTabsEnabled, GetParam().tabs);
    EXPECT_EQ(secondOfFirstSwitch(200), std::nullopt);
    EXPECT_EQ(sim.runLoop.timerCount(), 0u);
    EXPECT_TRUE(traceLines("key").empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, TabSwitcherOffTest,
                         ::testing::Values(OffRow{"scrolling off", false, true},
                                           OffRow{"switching off", true, false},
                                           OffRow{"both off", false, false}),
                         wigglet::test::BehaviourRowName());

TEST(TabSwitcherTimer, TheFirstSwitchComes35To65SecondsAfterTheFirstTick) {
    double earliest = 1e9, latest = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        sim::SimPlatform run;
        PlatformScope inner(run.platform());
        run.platform().random().reseed(seed);
        SettingsStore::shared().setBool(SettingsKey::scrollEnabled, true);
        SettingsStore::shared().setBool(SettingsKey::switchTabsEnabled, true);
        TabSwitcher fresh;
        std::optional<double> at;
        for (int second = 0; second < 70 && !at; ++second) {
            if (fresh.switchTabIfDue())
                at = second;
            run.advanceSeconds(1);
        }
        ASSERT_TRUE(at) << "seed " << seed;
        // The timer fires between two ticks; the tick after it switches.
        EXPECT_GE(*at, 35) << "seed " << seed;
        EXPECT_LE(*at, 66) << "seed " << seed;
        earliest = std::min(earliest, *at);
        latest = std::max(latest, *at);
    }
    EXPECT_LE(earliest, 38);
    EXPECT_GE(latest, 62);
}

TEST_F(TabSwitcherTest, TheTimerFiresOnceAndAFiredTimerWaitsForTheNextDueTick) {
    enableTabSwitching();
    EXPECT_FALSE(switcher.switchTabIfDue()) << "the first due tick only starts the timer";
    EXPECT_EQ(sim.runLoop.timerCount(), 1u);
    sim.advanceSeconds(500);
    EXPECT_EQ(sim.runLoop.timerCount(), 0u) << "the timer is gone after its one fire";
    EXPECT_TRUE(traceLines("key").empty()) << "the timer itself switches nothing";
    EXPECT_TRUE(switcher.switchTabIfDue()) << "the switch is made however much later";
    EXPECT_EQ(strokes(), std::vector<int>{30});
    EXPECT_EQ(sim.runLoop.timerCount(), 1u) << "the next timer is already running";
}

TEST_F(TabSwitcherTest, AFiredTimerSurvivesSwitchingTheSettingsOffAndOn) {
    enableTabSwitching();
    switcher.switchTabIfDue();
    store().setBool(SettingsKey::switchTabsEnabled, false);
    sim.advanceSeconds(100);
    EXPECT_FALSE(switcher.switchTabIfDue());
    store().setBool(SettingsKey::switchTabsEnabled, true);
    EXPECT_TRUE(switcher.switchTabIfDue());
}

TEST_F(TabSwitcherTest, ASwitchIsFollowedByAPauseOfOneAndAHalfToThreeSeconds) {
    std::set<std::int64_t> pauses;
    for (int round = 0; round < 30; ++round) {
        enableTabSwitching();
        switcher.switchTabIfDue();
        sim.advanceSeconds(70);
        const std::int64_t before = sim.micros();
        ASSERT_TRUE(switcher.switchTabIfDue());
        pauses.insert(sim.micros() - before - 10000);
    }
    EXPECT_EQ(pauses, (std::set<std::int64_t>{1500000, 2000000, 3000000}));
}

struct SingleRow {
    const char* behaviour;
    std::int64_t type;
};

class SingleStrokeTest : public TabSwitcherTest, public ::testing::WithParamInterface<SingleRow> {};

TEST_P(SingleStrokeTest, OneNextTabStroke) {
    enableTabSwitching(GetParam().type);
    switcher.switchTabIfDue();
    sim.advanceSeconds(70);
    ASSERT_TRUE(switcher.switchTabIfDue());
    EXPECT_EQ(strokes(), std::vector<int>{30});
}

INSTANTIATE_TEST_SUITE_P(Rows, SingleStrokeTest,
                         ::testing::Values(SingleRow{"unknown_type_5", 5},
                                           SingleRow{"negative_type", -1}),
                         wigglet::test::BehaviourRowName());

TEST_F(TabSwitcherTest, AForwardRunMovesOneToTwelveTabsEachFollowedByItsPause) {
    enableTabSwitching(2);
    switcher.switchTabIfDue();
    std::set<std::size_t> runLengths;
    std::set<std::int64_t> strokePauses;
    const int rounds = 120;
    std::vector<double> starts;
    for (int round = 0; round < rounds; ++round) {
        sim.advanceSeconds(70);
        starts.push_back(sim.clock.seconds());
        ASSERT_TRUE(switcher.switchTabIfDue());
    }
    std::vector<TraceRecords> perRound(rounds);
    for (const auto& record : traceLines()) {
        const double t = record.at("t");
        const auto after = std::upper_bound(starts.begin(), starts.end(), t);
        if (after != starts.begin())
            perRound[static_cast<std::size_t>(after - starts.begin() - 1)].push_back(record);
    }
    for (const TraceRecords& records : perRound) {
        std::vector<std::int64_t> sleeps;
        std::size_t downs = 0;
        for (const auto& record : records) {
            if (record.at("ev") == "key" && record.at("down") == true) {
                EXPECT_EQ(record.at("code"), 30);
                ++downs;
            }
            if (record.at("ev") == "sleep")
                sleeps.push_back(record.at("us"));
        }
        // Per stroke: 10 ms between down and up, then the stroke's pause; last the switch pause.
        ASSERT_EQ(sleeps.size(), 2 * downs + 1);
        for (std::size_t i = 0; i < downs; ++i) {
            EXPECT_EQ(sleeps[2 * i], 10000);
            strokePauses.insert(sleeps[2 * i + 1]);
        }
        runLengths.insert(downs);
    }
    EXPECT_EQ(*runLengths.begin(), 1u);
    EXPECT_EQ(*runLengths.rbegin(), 12u);
    EXPECT_EQ(strokePauses, (std::set<std::int64_t>{500000, 600000, 700000, 800000, 850000}));
}

// Without scrolling to the top, the application's tab step leaves the alternating scroll where
// it stood (the reset that scrolling to the top makes is checked by input-tab-switch).
TEST_F(TabSwitcherTest, WithoutScrollingToTheTopASwitchLeavesTheScrollCycleAlone) {
    enableTabSwitching();
    store().setInteger(SettingsKey::scrollTypeIndex, 1);
    AppDelegate delegate;
    auto directions = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += delegate.mouse.nextScrollDirection() == ScrollDirection::DOWN ? 'D' : 'U';
        return text;
    };
    ASSERT_EQ(directions(7), "DDDDDUU");
    delegate.switchTabStep();
    sim.advanceSeconds(70);
    delegate.switchTabStep();
    EXPECT_EQ(strokes(), std::vector<int>{30});
    EXPECT_TRUE(traceLines("scroll").empty());
    EXPECT_EQ(directions(6), "UUUDDD");
}

} // namespace
