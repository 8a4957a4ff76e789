// wigglet-sim: runs a scenario through the real program on the simulated platform.

#include "Scenario.h"
#include "ScenarioRunner.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int usage(const char* reason) {
    if (reason)
        std::fprintf(stderr, "wigglet-sim: %s\n", reason);
    std::fputs("usage: wigglet-sim SCENARIO [--trace FILE] [--trace-ticks] [--trace-sleeps]\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    wigglet::sim::ScenarioRunner::Options options;
    std::string scenarioPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--trace") {
            if (++i >= argc)
                return usage("--trace needs a file");
            options.tracePath = argv[i];
        } else if (arg == "--trace-ticks") {
            options.traceTicks = true;
        } else if (arg == "--trace-sleeps") {
            options.traceSleeps = true;
        } else if (arg == "--help" || arg == "-h") {
            usage(nullptr);
            return 0;
        } else if (!arg.empty() && arg[0] == '-') {
            return usage(("unknown option " + arg).c_str());
        } else if (scenarioPath.empty()) {
            scenarioPath = arg;
        } else {
            return usage("only one scenario at a time");
        }
    }
    if (scenarioPath.empty())
        return usage("no scenario given");

    wigglet::sim::ScenarioError error;
    const auto scenario = wigglet::sim::Scenario::load(scenarioPath, error);
    if (!scenario) {
        std::fprintf(stderr, "%s:%d: %s\n", scenarioPath.c_str(), error.line, error.reason.c_str());
        return 2;
    }
    wigglet::sim::ScenarioRunner runner(options);
    if (!options.tracePath.empty() && !runner.sim().platform().trace().isOpen()) {
        std::fprintf(stderr, "wigglet-sim: cannot write the trace %s: %s\n",
                     options.tracePath.c_str(), std::strerror(errno));
        return 1;
    }
    if (auto failed = runner.run(*scenario)) {
        std::fprintf(stderr, "%s:%d: %s\n", scenarioPath.c_str(), failed->line,
                     failed->reason.c_str());
        return 2;
    }
    return 0;
}
