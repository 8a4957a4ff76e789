#pragma once

#include "Scenario.h"
#include "ScenarioUi.h"
#include "app/AppDelegate.h"
#include "foundation/SettingsStore.h"
#include "platform/sim/SimPlatform.h"

#include <memory>
#include <optional>
#include <string>

namespace wigglet::sim {

// Runs a scenario: the real program on the simulated platform, in virtual time.
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

    // Whether the runner understands every command (action names included); the reason if not.
    static std::optional<ScenarioError> validate(const Scenario& scenario);

    // Runs every command in turn; the first error stops the run.
    std::optional<ScenarioError> run(const Scenario& scenario);
    // Runs one command now.
    std::optional<std::string> execute(const Command& command);

    SimPlatform& sim() { return sim_; }
    SettingsStore& store() { return *store_; }
    AppDelegate* delegate() { return delegate_.get(); }

  private:
    std::optional<std::string> configure(const Command& command);
    std::optional<std::string> userInput(const Command& command);
    std::optional<std::string> action(const Command& command);
    std::optional<std::string> runUi(const Command& command);
    std::optional<std::string> setSetting(const Command& command);
    void schedule(const Command& command);
    void launch();
    void quit();
    void dumpSettings();

    SimPlatform sim_;
    PlatformScope scope_;
    std::shared_ptr<SettingsStore> store_;
    std::unique_ptr<ScenarioUi> ui_;
    std::unique_ptr<AppDelegate> delegate_;
    std::optional<ScenarioError> delayedError_;
};

} // namespace wigglet::sim
