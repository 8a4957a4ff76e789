#pragma once

#include "platform/RunLoop.h"

#include <cstdint>
#include <memory>

namespace wigglet {

// Switches tabs in the front application, by keyboard shortcut, once a timer with a random
// 35 to 65 s interval has fired, and only while scrolling and tab switching are both on.
// Scrolling the new tab to its top is the caller's business.
class TabSwitcher {
  public:
    TabSwitcher() = default;
    ~TabSwitcher();
    TabSwitcher(const TabSwitcher&) = delete;
    TabSwitcher& operator=(const TabSwitcher&) = delete;

    // True when it has just switched tabs.
    bool switchTabIfDue();
    void switchTabTimerUp();

    const std::int64_t maxNumberOfTabsDefault = 12;
    bool betweenTabsLastMovePrev = true;
    std::shared_ptr<Timer> switchTabTimer;
    bool isTimeElapsedToSwitchTab = false;

  private:
    void startSwitchTabTimer();
    void switchTab();
    void switchTabBackAndForth();
    void switchTabsForward(std::int64_t maxTabs);
};

} // namespace wigglet
