#pragma once

#include "Scenario.h"
#include "ScenarioUi.h"
#include "Verb.h"
#include "app/AppDelegate.h"
#include "foundation/SettingsStore.h"
#include "platform/sim/SimPlatform.h"

#include <memory>
#include <optional>
#include <string>

namespace wigglet::sim {

// Runs a scenario: the real program on the simulated platform, in virtual time. The verbs of
// the scenario language do their work through it.
class ScenarioRunner {
  public:
    struct Options {
        std::string tracePath;
        bool traceTicks = false;
        bool traceSleeps = false;
    };

    explicit ScenarioRunner(Options options, std::unique_ptr<ScenarioUi> ui = {});
    ~ScenarioRunner();
    ScenarioRunner(const ScenarioRunner&) = delete;
    ScenarioRunner& operator=(const ScenarioRunner&) = delete;

    // Runs every command in turn; the first error stops the run.
    std::optional<ScenarioError> run(const Scenario& scenario);
    // Runs one well-formed command now.
    Problem execute(const Command& command);

    SimPlatform& sim() { return sim_; }
    SettingsStore& store() { return *store_; }
    AppDelegate* delegate() { return delegate_.get(); }
    ScenarioUi& ui() { return *ui_; }

    void launch();
    void quit();
    // Runs the command that `at T COMMAND...` wraps when virtual time reaches T; input arrives
    // even while a step blocks the main loop.
    void schedule(const Command& at, bool input);
    // What the program handed to the main loop runs now, as the loop's next turn would, and
    // the interface settles.
    void finishTurn();

  private:
    SimPlatform sim_;
    PlatformScope scope_;
    std::shared_ptr<SettingsStore> store_;
    std::unique_ptr<ScenarioUi> ui_;
    std::unique_ptr<AppDelegate> delegate_;
    std::optional<ScenarioError> delayedError_;
};

} // namespace wigglet::sim
