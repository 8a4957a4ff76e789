#pragma once

namespace wigglet {

// Switches tabs in the front application at random intervals while scrolling is on.
class TabSwitcher {
  public:
    // True when it has just switched tabs.
    bool switchTabIfDue();
};

} // namespace wigglet
