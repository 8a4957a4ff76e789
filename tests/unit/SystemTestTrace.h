#pragma once

#include "platform/sim/SimPlatform.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <unistd.h>
#include <vector>

namespace wigglet::testing {

// Opens the simulated platform's trace in a temporary file and reads its lines back, so that
// a test sees exactly what the program did to the outside world.
class SystemTestTrace {
  public:
    explicit SystemTestTrace(sim::SimPlatform& sim) : sim_(sim) {
        static std::atomic<int> counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("wigglet-system-test-" + std::to_string(::getpid()) + "-" +
                 std::to_string(counter++) + ".jsonl");
        EXPECT_TRUE(sim_.platform().trace().open(path_.string()));
    }
    ~SystemTestTrace() {
        sim_.platform().trace().close();
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    SystemTestTrace(const SystemTestTrace&) = delete;
    SystemTestTrace& operator=(const SystemTestTrace&) = delete;

    std::vector<nlohmann::json> lines(const std::string& kind = {}) const {
        std::vector<nlohmann::json> found;
        std::ifstream in(path_);
        for (std::string text; std::getline(in, text);) {
            auto line = nlohmann::json::parse(text);
            if (kind.empty() || line.at("ev") == kind)
                found.push_back(std::move(line));
        }
        return found;
    }
    std::size_t count(const std::string& kind) const { return lines(kind).size(); }

  private:
    sim::SimPlatform& sim_;
    std::filesystem::path path_;
};

} // namespace wigglet::testing
