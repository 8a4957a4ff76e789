#pragma once

#include "Scenario.h"

#include <optional>
#include <string>

namespace wigglet {
class AppDelegate;
class StatusMenu;
class WindowPresenter;
} // namespace wigglet

namespace wigglet::sim {

// The user interface as the scenario runner drives it: the menu, the preferences window and
// the other windows. The runner hands it the commands that address the interface.
class ScenarioUi {
  public:
    virtual ~ScenarioUi() = default;

    // The program starts: build the interface for this delegate and wire it in.
    virtual void attach(AppDelegate& delegate) = 0;
    // The program ends.
    virtual void detach() = 0;

    // Runs a menu, prefs, key, window, screenshot, `user click` or `dump menu|prefs|windows`
    // command; the reason when it cannot.
    virtual std::optional<std::string> run(const Command& command) = 0;
    // Lets the interface finish what a command left pending (deferred deletions, repaints).
    virtual void settle() {}
    // Whether the user asked the program to quit since the last call.
    virtual bool takeQuitRequest() { return false; }
};

} // namespace wigglet::sim
