#pragma once

#include <string>
#include <vector>

namespace wigglet::desktop {

// How one service of Wigglet's is served in this session, as the part that serves it knows:
// the mechanism in use, the ones passed over and why, and what the user can do.
struct ServiceReport {
    struct Missing {
        std::string mechanism;
        std::string why;
    };

    // "idle time", "input", "keeping the display awake", ...
    std::string service;
    // Empty when nothing serves it here.
    std::string mechanism;
    std::vector<Missing> unavailable;
    std::string advice;
};

} // namespace wigglet::desktop
