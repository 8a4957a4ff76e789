#pragma once

#include "platform/linux/IdleProbe.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wigglet::desktop {
class DesktopBackend;
class KeepAwakeMechanism;
} // namespace wigglet::desktop

namespace wigglet::doctor {

// `wigglet doctor [--json]`: what serves each of Wigglet's services in this session, which
// idle counts one step reaches, and the sleep blockers held now. The exit status is 0 when
// Wigglet's main job works here, 1 when something it needs is missing.
class Doctor {
  public:
    struct Inputs {
        // Absent when no display server could be reached.
        desktop::DesktopBackend* backend = nullptr;
        // What choosing the backend passed over, and why.
        std::vector<std::string> notes;
        // Counts the backend cannot read itself (XWayland's under a Wayland backend); called
        // once the application exists.
        std::function<std::vector<std::unique_ptr<desktop::IdleProbe>>()> moreProbes;
        // Mechanisms of another display server of the session, as the program adds them.
        std::function<std::unique_ptr<desktop::KeepAwakeMechanism>()> moreKeepAwake;
    };

    static int run(int argc, char** argv, bool json, Inputs inputs);
};

} // namespace wigglet::doctor
