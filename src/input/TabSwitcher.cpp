#include "input/TabSwitcher.h"

#include "foundation/SettingsStore.h"
#include "input/KeyboardControl.h"
#include "input/Utils.h"
#include "platform/Platform.h"

namespace wigglet {

namespace {

constexpr double TIMER_MIN_SECONDS = 35;
constexpr double TIMER_SPREAD_SECONDS = 30;

} // namespace

TabSwitcher::~TabSwitcher() {
    if (switchTabTimer)
        switchTabTimer->invalidate();
}

bool TabSwitcher::switchTabIfDue() {
    if (!SettingsStore::shared().boolForKey(SettingsKey::scrollEnabled))
        return false;
    if (!SettingsStore::shared().boolForKey(SettingsKey::switchTabsEnabled))
        return false;
    const bool due = isTimeElapsedToSwitchTab;
    isTimeElapsedToSwitchTab = false;
    // Scheduled before the switch and its pauses, so the next interval counts from this tick.
    if (!switchTabTimer)
        startSwitchTabTimer();
    if (!due)
        return false;
    switchTab();
    Utils::randomPause({1.5, 2.0, 3.0});
    return true;
}

void TabSwitcher::startSwitchTabTimer() {
    const double interval =
        TIMER_MIN_SECONDS + TIMER_SPREAD_SECONDS * Platform::current().random().uniformReal(0, 1);
    switchTabTimer =
        Platform::current().runLoop().scheduleTimer(interval, true, [this] { switchTabTimerUp(); });
}

void TabSwitcher::switchTabTimerUp() {
    isTimeElapsedToSwitchTab = true;
    if (switchTabTimer)
        switchTabTimer->invalidate();
    switchTabTimer.reset();
}

void TabSwitcher::switchTab() {
    switch (SettingsStore::shared().tabSwitchType()) {
    case TabSwitchType::forwardSeveral:
        switchTabsForward(maxNumberOfTabsDefault);
        return;
    case TabSwitchType::backAndForth:
        switchTabBackAndForth();
        return;
    case TabSwitchType::next:
        KeyboardControl::shared().nextTab();
        return;
    }
}

void TabSwitcher::switchTabBackAndForth() {
    if (betweenTabsLastMovePrev)
        KeyboardControl::shared().nextTab();
    else
        KeyboardControl::shared().previousTab();
    betweenTabsLastMovePrev = !betweenTabsLastMovePrev;
}

void TabSwitcher::switchTabsForward(std::int64_t maxTabs) {
    const std::int64_t extra = Platform::current().random().uniformInt(0, maxTabs - 1);
    for (std::int64_t i = 0; i <= extra; ++i) {
        KeyboardControl::shared().nextTab();
        Utils::randomPause({0.5, 0.6, 0.7, 0.8, 0.85});
    }
}

} // namespace wigglet
