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

// A timed start changes shaking, timing and duration; a restart the seconds left and the
// duration only. The countdown running down is no change (the control scripts see that from
// outside); its end is. Mode switches are changes.
TEST_F(ControlStateTest, EachChangeNamesWhatChanged) {
    delegate.shakeFor(30);
    EXPECT_EQ(ControlState::read().secondsLeft, 1799);
    advance(60);
    delegate.shakeFor(1);
    advance(61);
    EXPECT_EQ(ControlState::read().secondsLeft, 0);
    delegate.switchMoveCursor();
    delegate.switchClick();
    delegate.switchZen();
    EXPECT_EQ(changes, (std::vector<Names>{
                           {"Shaking", "Timed", "SecondsLeft", "LastDurationSelected"},
                           {"SecondsLeft", "LastDurationSelected"},
                           {"Shaking", "Timed", "SecondsLeft"},
                           {"MoveCursor"},
                           {"Click"},
                           {"MoveCursor", "Click"},
                       }));
}

} // namespace

} // namespace wigglet::test
