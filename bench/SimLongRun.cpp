// Wall time of the scenario runner over 12 simulated hours of indefinite shaking with the user
// away: 43,200 ticks, a step due every third second (every input kind off, so a step only
// declares activity), the trace written to a file.

#include "Scenario.h"
#include "ScenarioRunner.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

constexpr const char* kScenario = "set notFirstLaunch bool true\n"
                                  "set moveCursorEnabled bool false\n"
                                  "set shakeEnabled bool true\n"
                                  "launch\n"
                                  "advance 43200.5\n";

double runOnce(bool ticks, std::size_t& lines) {
    const auto trace = std::filesystem::temp_directory_path() / "wigglet-bench-trace.jsonl";
    wigglet::sim::ScenarioError error;
    const auto scenario = wigglet::sim::Scenario::parse(kScenario, error);
    const auto start = std::chrono::steady_clock::now();
    {
        wigglet::sim::ScenarioRunner runner({trace.string(), ticks, false});
        runner.run(*scenario);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    lines = 0;
    if (std::FILE* f = std::fopen(trace.c_str(), "r")) {
        for (int c; (c = std::fgetc(f)) != EOF;)
            lines += c == '\n';
        std::fclose(f);
    }
    std::filesystem::remove(trace);
    return seconds;
}

} // namespace

int main() {
    std::printf("%-28s %10s %12s\n", "12 h indefinite shaking", "median s", "trace lines");
    for (bool ticks : {false, true}) {
        std::vector<double> runs;
        std::size_t lines = 0;
        for (int i = 0; i < 5; ++i)
            runs.push_back(runOnce(ticks, lines));
        std::sort(runs.begin(), runs.end());
        std::printf("%-28s %10.3f %12zu\n", ticks ? "with --trace-ticks" : "trace without ticks",
                    runs[runs.size() / 2], lines);
    }
    return 0;
}
