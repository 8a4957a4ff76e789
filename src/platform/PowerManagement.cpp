#include "platform/PowerManagement.h"

#include "platform/Platform.h"

namespace wigglet {

AssertionResult PowerManagement::createAssertion(const std::string& type, const std::string& name) {
    const AssertionResult result = doCreateAssertion(type, name);
    recordTrace("assertion", {{"op", "create"},
                              {"type", type},
                              {"name", name},
                              {"id", result.id},
                              {"result", result.result}});
    return result;
}

void PowerManagement::releaseAssertion(std::uint32_t id) {
    recordTrace("assertion", {{"op", "release"}, {"id", id}});
    doReleaseAssertion(id);
}

PowerManagement::ActivityToken PowerManagement::beginActivity(std::uint64_t options,
                                                              const std::string& reason) {
    recordTrace("activity", {{"options", options}, {"reason", reason}});
    return doBeginActivity(options, reason);
}

void PowerManagement::declareUserActivity() {
    if (!canDeclareUserActivity())
        return;
    recordTrace("user-activity");
    doDeclareUserActivity();
}

} // namespace wigglet
