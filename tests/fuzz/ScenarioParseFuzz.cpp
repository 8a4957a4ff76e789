// Feeds arbitrary bytes to the scenario parser, as a mistyped or truncated scenario file would.
// Every input gives either a scenario whose commands are all well formed, or an error that
// names a line of the input and says what is wrong with it. The commands that set up the
// simulated machine, the store and the user's input then run, since they use the numbers the
// parser let through; the program itself is not launched, so no run takes long.
#include "FuzzCheck.h"
#include "Scenario.h"
#include "ScenarioRunner.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

using wigglet::sim::Command;
using wigglet::sim::Scenario;
using wigglet::sim::ScenarioError;
using wigglet::sim::ScenarioRunner;

using wigglet::fuzz::check;

namespace {

void checkNamesALine(const ScenarioError& error, std::string_view text) {
    const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
    check(error.line >= 1 && error.line <= lines);
    check(!error.reason.empty());
}

bool setsUp(const Command& command) {
    static const std::set<std::string, std::less<>> verbs = {
        "seed", "screen", "system-version", "trusted", "battery", "brightness", "notifications",
        "fail", "set",    "unset",          "user"};
    return verbs.contains(command.verb()) && !(command.verb() == "user" && command[1] == "click");
}

void runSetUp(const Scenario& scenario) {
    ScenarioRunner runner({});
    for (const auto& command : scenario.commands())
        if (setsUp(command))
            check(!runner.execute(command));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    ScenarioError error;
    const auto scenario = Scenario::parse(text, error);
    if (!scenario) {
        checkNamesALine(error, text);
        return 0;
    }
    int previousLine = 0;
    for (const auto& command : scenario->commands()) {
        check(command.line > previousLine);
        check(command.size() > 0);
        check(!Scenario::check(command));
        previousLine = command.line;
    }
    runSetUp(*scenario);
    return 0;
}
