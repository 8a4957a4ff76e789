#include "platform/sim/SimPowerManagement.h"

#include "platform/sim/SimClock.h"
#include "platform/sim/SimWorld.h"

namespace wigglet::sim {

namespace {
constexpr std::int32_t kIOReturnError = static_cast<std::int32_t>(0xE00002BC);
}

AssertionResult SimPowerManagement::doCreateAssertion(const std::string&, const std::string&) {
    if (failNext_) {
        failNext_ = false;
        return {kIOReturnError, 0};
    }
    const std::uint32_t id = nextId_++;
    held_.insert(id);
    return {kIOReturnSuccess, id};
}

void SimPowerManagement::doReleaseAssertion(std::uint32_t id) {
    held_.erase(id);
}

PowerManagement::ActivityToken SimPowerManagement::doBeginActivity(std::uint64_t,
                                                                   const std::string&) {
    return std::make_shared<int>(0);
}

void SimPowerManagement::doDeclareUserActivity() {
    world_.resetIdleSources(SimIdleSource::ResetBy::Activity, clock_.micros());
}

} // namespace wigglet::sim
