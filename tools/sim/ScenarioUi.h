#pragma once

namespace wigglet {
class AppDelegate;
} // namespace wigglet

namespace wigglet::sim {

class UiActor;
class UiDescriber;

// The user interface as the scenario runner drives it: the menu, the preferences window and
// the other windows.
class ScenarioUi {
  public:
    virtual ~ScenarioUi() = default;

    // The program starts: build the interface for this delegate and wire it in.
    virtual void attach(AppDelegate& delegate) = 0;
    // The program ends.
    virtual void detach() = 0;

    // What acts on the interface; none while the program is not running or when this build
    // has no interface to act on.
    virtual UiActor* actor() = 0;
    virtual UiDescriber& describer() = 0;
    // Lets the interface finish what a command left pending (deferred deletions, repaints).
    virtual void settle() {}
    // Whether the user asked the program to quit since the last call.
    virtual bool takeQuitRequest() { return false; }
};

} // namespace wigglet::sim
