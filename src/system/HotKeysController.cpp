#include "system/HotKeysController.h"

#include "platform/Platform.h"
#include "system/HotKey.h"

#include <algorithm>

namespace wigglet {

HotKeysController& HotKeysController::shared() {
    return Platform::current().shared<HotKeysController>();
}

void HotKeysController::registerHotKey(HotKey& hotKey) {
    const bool known =
        std::any_of(registeredBoxes_.begin(), registeredBoxes_.end(), [&](const auto& entry) {
            return entry.second.identifier == hotKey.identifier;
        });
    if (known)
        return;
    const std::uint32_t id = ++registrationCount_;
    HotKeyBox& box = registeredBoxes_[id];
    box = HotKeyBox{hotKey.identifier, &hotKey, id, std::nullopt};
    const HotKeyID pair{hotKeySignature, id};
    const std::int32_t status = Platform::current().hotKeys().registerHotKey(
        hotKey.keyCombo.carbonKeyCode, hotKey.keyCombo.carbonModifiers, pair);
    if (status != noErr)
        return;
    box.carbonEventHotKey = pair;
    if (!carbonEventHandler_)
        installEventHandler();
}

void HotKeysController::installEventHandler() {
    // The handler finds the registry afresh on every event, so it never outlives it.
    Platform::current().hotKeys().installHandler([](const HotKeyEvent* event) {
        HotKeysController* controller = Platform::current().find<HotKeysController>();
        return controller ? controller->handleHotKeyEvent(event) : eventNotHandledErr;
    });
    carbonEventHandler_ = true;
}

void HotKeysController::unregisterHotKey(const HotKey& hotKey) {
    const auto found =
        std::find_if(registeredBoxes_.begin(), registeredBoxes_.end(), [&](const auto& entry) {
            return entry.second.identifier == hotKey.identifier;
        });
    if (found == registeredBoxes_.end())
        return;
    if (found->second.carbonEventHotKey)
        Platform::current().hotKeys().unregisterHotKey(*found->second.carbonEventHotKey);
    found->second.hotKey = nullptr;
    registeredBoxes_.erase(found);
}

bool HotKeysController::isGrabbed(const HotKey& hotKey) const {
    return std::any_of(registeredBoxes_.begin(), registeredBoxes_.end(), [&](const auto& entry) {
        return entry.second.identifier == hotKey.identifier && entry.second.carbonEventHotKey;
    });
}

std::int32_t HotKeysController::handleHotKeyEvent(const HotKeyEvent* event) {
    if (!event)
        return eventNotHandledErr;
    if (!event->hasHotKeyID)
        return eventParameterNotFoundErr;
    if (event->hotKeyID.signature != hotKeySignature)
        return eventNotHandledErr;
    const auto found = registeredBoxes_.find(event->hotKeyID.id);
    if (found == registeredBoxes_.end() || !found->second.hotKey) {
        if (found != registeredBoxes_.end())
            registeredBoxes_.erase(found);
        return eventNotHandledErr;
    }
    const HotKey& hotKey = *found->second.hotKey;
    // A copy, since the callback may replace the shortcut and so release this HotKey.
    HotKey::Handler handler;
    if (event->kind == kEventHotKeyPressed)
        handler = hotKey.keyDownHandler;
    else if (event->kind == kEventHotKeyReleased)
        handler = hotKey.keyUpHandler;
    else
        return eventNotHandledErr;
    if (!handler)
        return eventNotHandledErr;
    handler();
    return noErr;
}

} // namespace wigglet
