// Feeds arbitrary bytes to the scenario parser, as a mistyped or truncated scenario file would.
// Every input gives either a scenario whose commands are all well formed, or an error that
// names a line of the input and says what is wrong with it.
#include "Scenario.h"
#include "ScenarioRunner.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using wigglet::sim::Scenario;
using wigglet::sim::ScenarioError;
using wigglet::sim::ScenarioRunner;

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

void checkNamesALine(const ScenarioError& error, std::string_view text) {
    const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
    check(error.line >= 1 && error.line <= lines);
    check(!error.reason.empty());
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
    if (const auto rejected = ScenarioRunner::validate(*scenario))
        checkNamesALine(*rejected, text);
    return 0;
}
