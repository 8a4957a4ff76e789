#include "control/ControlState.h"

#include "SimFixture.h"
#include "StandInUi.h"
#include "app/AppDelegate.h"

#include <set>

namespace wigglet::test {

namespace {

// Follows the delegate's refreshes the way the session-bus interface does, and keeps what
// changed each time.
class ControlStateTest : public SimFixture {
  protected:
    ControlStateTest() {
        store->putRaw("notFirstLaunch", true);
        ui.attach(delegate);
        delegate.addRefreshListener([this] {
            const ControlState now = ControlState::read();
            const auto changed = now.changedSince(last);
            if (!changed.empty())
                changes.emplace_back(changed.begin(), changed.end());
            last = now;
        });
        delegate.applicationDidFinishLaunching();
        changes.clear();
    }

    sim::StandInUi ui;
    AppDelegate delegate;
    ControlState last;
    std::vector<std::set<std::string>> changes;
};

using Names = std::set<std::string>;

// The countdown running down is no change (the control scripts see that from outside).
TEST_F(ControlStateTest, ATimedStartChangesShakingTimingAndDurationARestartSecondsLeftOnly) {
    delegate.shakeFor(30);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], (Names{"Shaking", "Timed", "SecondsLeft", "LastDurationSelected"}));
    const ControlState state = ControlState::read();
    EXPECT_TRUE(state.shaking);
    EXPECT_TRUE(state.timed);
    EXPECT_EQ(state.secondsLeft, 1799);
    advance(60);
    delegate.shakeFor(30);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1], Names{"SecondsLeft"});
}

TEST_F(ControlStateTest, TheCountdownsEndIsAChange) {
    delegate.shakeFor(1);
    changes.clear();
    advance(61);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.front(), (Names{"Shaking", "Timed", "SecondsLeft"}));
    EXPECT_EQ(ControlState::read().secondsLeft, 0);
}

TEST_F(ControlStateTest, ModeSwitchesAreChanges) {
    delegate.switchMoveCursor();
    delegate.switchClick();
    delegate.switchZen();
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0], Names{"MoveCursor"});
    EXPECT_EQ(changes[1], Names{"Click"});
    EXPECT_EQ(changes[2], (Names{"MoveCursor", "Click"}));
}

} // namespace

} // namespace wigglet::test
