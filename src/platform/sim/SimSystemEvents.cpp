#include "platform/sim/SimSystemEvents.h"

namespace wigglet::sim {

bool SimSystemEvents::programRunning(const std::string& name) {
    const auto found = running_.find(name);
    return found != running_.end() && found->second > 0;
}

void SimSystemEvents::startProgram(const std::string& name) {
    ++running_[name];
    tell(Kind::ProgramsChanged);
}

void SimSystemEvents::endProgram(const std::string& name) {
    auto found = running_.find(name);
    if (found == running_.end() || found->second == 0)
        return;
    --found->second;
    tell(Kind::ProgramsChanged);
}

} // namespace wigglet::sim
