#include "platform/HotKeyService.h"

#include "platform/Platform.h"

namespace wigglet {

std::int32_t HotKeyService::registerHotKey(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                                           HotKeyID id) {
    const std::int32_t result = doRegister(keyCode, carbonModifiers, id);
    recordTrace("hotkey", {{"op", "register"},
                           {"keyCode", keyCode},
                           {"modifiers", carbonModifiers},
                           {"id", id.id},
                           {"result", result}});
    return result;
}

void HotKeyService::unregisterHotKey(HotKeyID id) {
    recordTrace("hotkey", {{"op", "unregister"}, {"id", id.id}});
    doUnregister(id);
}

std::int32_t HotKeyService::deliver(const HotKeyEvent* event) {
    if (!handler_)
        return eventNotHandledErr;
    return handler_(event);
}

std::optional<BindingAdvice> HotKeyService::bindingAdvice(std::uint32_t, std::uint32_t) const {
    return std::nullopt;
}

} // namespace wigglet
