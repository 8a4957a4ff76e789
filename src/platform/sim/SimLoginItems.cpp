#include "platform/sim/SimLoginItems.h"

#include <algorithm>

namespace wigglet::sim {

std::optional<std::string> SimLoginItems::takeFailure() {
    auto failure = std::move(failure_);
    failure_.reset();
    return failure;
}

std::optional<std::vector<LoginJob>> SimLoginItems::copyAllJobDictionaries() {
    return jobs_;
}

std::optional<std::string> SimLoginItems::doRegisterMainApp() {
    if (auto failure = takeFailure())
        return failure;
    registered_ = true;
    return std::nullopt;
}

std::optional<std::string> SimLoginItems::doUnregisterMainApp() {
    if (auto failure = takeFailure())
        return failure;
    registered_ = false;
    return std::nullopt;
}

bool SimLoginItems::doSetLoginItemEnabled(const std::string& identifier, bool enabled) {
    if (takeFailure())
        return false;
    std::erase_if(jobs_, [&](const LoginJob& job) { return job.label == identifier; });
    if (enabled)
        jobs_.push_back({identifier, true});
    return true;
}

} // namespace wigglet::sim
