#include "ScenarioRunner.h"

#include "StandInUi.h"
#include "VerbTable.h"
#include "app/Links.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace wigglet::sim {

ScenarioRunner::ScenarioRunner(Options options, std::unique_ptr<ScenarioUi> ui)
    : scope_(sim_.platform()), store_(std::make_shared<SettingsStore>()), ui_(std::move(ui)) {
    if (!ui_)
        ui_ = std::make_unique<StandInUi>();
    Trace& trace = sim_.platform().trace();
    if (!options.tracePath.empty())
        trace.open(options.tracePath);
    trace.setTicksEnabled(options.traceTicks);
    trace.setSleepsEnabled(options.traceSleeps);
    sim_.platform().provide(store_);
    // The simulated machine keeps UTC until a scenario sets its clock.
    setenv("TZ", "UTC", 1);
    tzset();
    // The simulated host's own addresses, so that every link and item is there to follow.
    links::setAddresses({"https://wigglet.example.org/", "https://wigglet.example.org/faq",
                         "https://wigglet.example.org/feedback", "https://example.org/",
                         "support@wigglet.example.org"});
}

ScenarioRunner::~ScenarioRunner() {
    if (delegate_)
        quit();
}

std::optional<ScenarioError> ScenarioRunner::run(const Scenario& scenario) {
    for (const Command& command : scenario.commands()) {
        if (auto bad = execute(command))
            return ScenarioError{command.line, *bad};
        if (delayedError_)
            return delayedError_;
    }
    return std::nullopt;
}

Problem ScenarioRunner::execute(const Command& command) {
    return VerbTable::run(*this, command);
}

void ScenarioRunner::finishTurn() {
    sim_.runLoop.runUntil(sim_.micros());
    ui_->settle();
    if (ui_->takeQuitRequest() && delegate_)
        quit();
}

void ScenarioRunner::schedule(const Command& at, bool input) {
    const Command inner = at.tail(2);
    const auto arrival =
        input ? SimRunLoop::Arrival::EvenWhileBlocked : SimRunLoop::Arrival::WhenFree;
    sim_.runLoop.scheduleOutside(std::max(sim_.micros(), at.micros(1)), arrival, [this, inner] {
        if (auto bad = execute(inner); bad && !delayedError_)
            delayedError_ = ScenarioError{inner.line, *bad};
    });
}

void ScenarioRunner::launch() {
    // The store outlives the program, as the file on disk would.
    if (!sim_.platform().find<SettingsStore>())
        sim_.platform().provide(store_);
    delegate_ = std::make_unique<AppDelegate>();
    ui_->attach(*delegate_);
    delegate_->applicationDidFinishLaunching();
}

void ScenarioRunner::quit() {
    delegate_->applicationWillTerminate();
    ui_->detach();
    delegate_.reset();
    sim_.endProcess();
}

} // namespace wigglet::sim
