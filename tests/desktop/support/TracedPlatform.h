#pragma once

#include "TemporaryFolder.h"
#include "platform/Platform.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace wigglet::testing {

// Installs a platform made of the services under test, with its trace going to a temporary
// file that the test reads back.
class TracedPlatform {
  public:
    explicit TracedPlatform(PlatformServices services) : platform_(services), scope_(platform_) {
        platform_.trace().open(path_.string());
    }

    // The trace lines written so far, only those of one kind when a kind is given.
    std::vector<nlohmann::json> lines(const std::string& kind = {}) const {
        std::vector<nlohmann::json> lines;
        std::ifstream in(path_);
        for (std::string line; std::getline(in, line);) {
            auto parsed = nlohmann::json::parse(line);
            if (kind.empty() || parsed["ev"] == kind)
                lines.push_back(std::move(parsed));
        }
        return lines;
    }

  private:
    TemporaryFolder folder_;
    const std::filesystem::path path_ = folder_ / "trace.jsonl";
    Platform platform_;
    PlatformScope scope_;
};

} // namespace wigglet::testing
