#pragma once

#include "platform/Platform.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace wigglet::testing {

// Installs a platform made of the services under test, with its trace going to a temporary
// file that the test reads back.
class TracedPlatform {
  public:
    explicit TracedPlatform(PlatformServices services);
    ~TracedPlatform();

    // The trace lines written so far, only those of one kind when a kind is given.
    std::vector<nlohmann::json> lines(const std::string& kind = {}) const;

  private:
    std::string path_;
    Platform platform_;
    PlatformScope scope_;
};

} // namespace wigglet::testing
