#include "system/HotKey.h"

#include "platform/Platform.h"
#include "system/HotKeysController.h"

namespace wigglet {

HotKey::HotKey(KeyCombo combo, Handler down, Handler up)
    : identifier(Platform::current().random().uuid()), keyCombo(combo),
      keyDownHandler(std::move(down)), keyUpHandler(std::move(up)) {
    HotKeysController::shared().registerHotKey(*this);
}

HotKey::~HotKey() {
    // The registry may already be gone with the process; then there is nothing to undo.
    if (!Platform::isInstalled())
        return;
    if (HotKeysController* controller = Platform::current().find<HotKeysController>())
        controller->unregisterHotKey(*this);
}

} // namespace wigglet
