#include "platform/sim/SimHotKeyService.h"

namespace wigglet::sim {

namespace {
constexpr std::int32_t eventHotKeyExistsErr = -9878;
}

std::int32_t SimHotKeyService::doRegister(std::uint32_t keyCode, std::uint32_t modifiers,
                                          HotKeyID id) {
    if (refusedBy_)
        return eventHotKeyExistsErr;
    if (failNext_) {
        failNext_ = false;
        return eventHotKeyExistsErr;
    }
    registered_[id.id] = {keyCode, modifiers, id};
    return noErr;
}

std::optional<BindingAdvice> SimHotKeyService::bindingAdvice(std::uint32_t keyCode,
                                                             std::uint32_t carbonModifiers) const {
    if (!refusedBy_ || refusedBy_->configurationFile.empty())
        return refusedBy_;
    BindingAdvice advice = *refusedBy_;
    advice.line =
        "key " + std::to_string(keyCode) + " modifiers " + std::to_string(carbonModifiers);
    return advice;
}

void SimHotKeyService::doUnregister(HotKeyID id) {
    registered_.erase(id.id);
}

void SimHotKeyService::pressRegistered() {
    if (registered_.empty())
        return;
    const HotKeyID id = registered_.rbegin()->second.id;
    const HotKeyEvent pressed{kEventHotKeyPressed, id, true};
    const HotKeyEvent released{kEventHotKeyReleased, id, true};
    deliver(&pressed);
    deliver(&released);
}

} // namespace wigglet::sim
