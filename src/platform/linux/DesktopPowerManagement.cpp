#include "platform/linux/DesktopPowerManagement.h"

#include "platform/linux/KeepAwakeMechanism.h"

namespace wigglet::desktop {

namespace {

std::string reasonFor(const std::string& type) {
    if (type == preventUserIdleDisplaySleep)
        return "Keeping the display awake while you are away";
    return type;
}

} // namespace

DesktopPowerManagement::DesktopPowerManagement(std::vector<KeepAwakeMechanism*> mechanisms)
    : mechanisms_(std::move(mechanisms)) {}

DesktopPowerManagement::~DesktopPowerManagement() {
    if (!held_.empty())
        for (KeepAwakeMechanism* mechanism : mechanisms_)
            mechanism->release();
}

AssertionResult DesktopPowerManagement::doCreateAssertion(const std::string& type,
                                                          const std::string& name) {
    if (mechanisms_.empty())
        return {kIOReturnAborted, 0};
    if (held_.empty())
        for (KeepAwakeMechanism* mechanism : mechanisms_)
            mechanism->inhibit(name, reasonFor(type));
    std::uint32_t id = 1;
    while (held_.contains(id))
        ++id;
    held_.insert(id);
    return {kIOReturnSuccess, id};
}

void DesktopPowerManagement::doReleaseAssertion(std::uint32_t id) {
    if (!held_.erase(id) || !held_.empty())
        return;
    for (KeepAwakeMechanism* mechanism : mechanisms_)
        mechanism->release();
}

PowerManagement::ActivityToken DesktopPowerManagement::doBeginActivity(std::uint64_t,
                                                                       const std::string& reason) {
    // Linux has no process activity to begin; the token only has to live.
    return std::make_shared<std::string>(reason);
}

void DesktopPowerManagement::doDeclareUserActivity() {
    for (KeepAwakeMechanism* mechanism : mechanisms_)
        mechanism->declareActivity();
}

} // namespace wigglet::desktop
